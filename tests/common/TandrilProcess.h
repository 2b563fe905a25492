#pragma once

#include "common/TestHome.h"
#include "TandrilExecutable.h"

#include <memory>
#include <QProcess>

// The built tandril, run as a process of its own in a test's home folder, with no display.
struct TandrilRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

inline QProcessEnvironment tandrilEnvironment(const TestHome& home, const QString& pathFolder = {},
                                              const QString& language = QStringLiteral("en_US"))
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home.path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path() + QStringLiteral("/.config"));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home.path() + QStringLiteral("/.local/share"));
    environment.insert(QStringLiteral("LANGUAGE"), language);
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    if (!pathFolder.isEmpty())
        environment.insert(QStringLiteral("PATH"),
                           pathFolder + u':' + environment.value(QStringLiteral("PATH")));
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    return environment;
}

inline QProcess* startTandril(const QProcessEnvironment& environment, const QStringList& arguments,
                              QObject* parent)
{
    auto* process = new QProcess(parent);
    process->setProcessEnvironment(environment);
    process->start(QStringLiteral(TANDRIL_EXECUTABLE), arguments);
    process->closeWriteChannel();
    return process;
}

inline TandrilRun runTandril(const QProcessEnvironment& environment, const QStringList& arguments)
{
    const std::unique_ptr<QProcess> process(startTandril(environment, arguments, nullptr));
    if (!process->waitForFinished(60000))
        qFatal("tandril did not finish");
    return {process->exitStatus() == QProcess::NormalExit ? process->exitCode() : -1,
            QString::fromUtf8(process->readAllStandardOutput()),
            QString::fromUtf8(process->readAllStandardError())};
}

inline TandrilRun runTandril(const TestHome& home, const QStringList& arguments,
                             const QString& pathFolder = {},
                             const QString& language = QStringLiteral("en_US"))
{
    return runTandril(tandrilEnvironment(home, pathFolder, language), arguments);
}
