#include "platform/WatchedStart.h"

#include <csignal>
#include <memory>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>

namespace WatchedStart {

namespace {

constexpr qsizetype KeptBytes = 4096;
constexpr qsizetype KeptLines = 12;

QString lastLines(const QByteArray& ring)
{
    QStringList lines = QString::fromLocal8Bit(ring).split(u'\n', Qt::SkipEmptyParts);
    if (lines.size() > KeptLines)
        lines = lines.mid(lines.size() - KeptLines);
    return lines.join(u'\n');
}

QString statusText(QProcess::ExitStatus status, int exitCode)
{
    return status == QProcess::CrashExit
               ? QCoreApplication::translate("WatchedStart", "crashed")
               : QCoreApplication::translate("WatchedStart", "exit status %1").arg(exitCode);
}

// The end of a log file, read from its last few kilobytes.
QString lastLinesOf(const QString& logFile)
{
    QFile file(logFile);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    file.seek(std::max<qint64>(0, file.size() - KeptBytes));
    return lastLines(file.read(KeptBytes));
}

} // namespace

std::optional<QString> start(const QString& program, const QStringList& arguments,
                             QuickExitHandler onQuickExit, std::function<void(qint64 seconds)> onEnded,
                             int watchMilliseconds)
{
    auto* process = new QProcess(QCoreApplication::instance());
    process->setProgram(program);
    process->setArguments(arguments);
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardOutputFile(QProcess::nullDevice()); // its chatter goes nowhere, never to a disk
    // Once Tandril is gone nobody reads its errors: a write then fails instead of killing it.
    process->setChildProcessModifier([] { std::signal(SIGPIPE, SIG_IGN); });

    auto ring = std::make_shared<QByteArray>();
    auto clock = std::make_shared<QElapsedTimer>();
    QObject::connect(process, &QProcess::readyReadStandardError, process, [process, ring] {
        ring->append(process->readAllStandardError());
        if (ring->size() > KeptBytes)
            ring->remove(0, ring->size() - KeptBytes);
    });
    QObject::connect(process, &QProcess::finished, process,
                     [process, ring, clock, onQuickExit, onEnded,
                      watchMilliseconds](int exitCode, QProcess::ExitStatus status) {
                         if (onEnded)
                             onEnded(clock->elapsed() / 1000);
                         ring->append(process->readAllStandardError());
                         const bool failed = status == QProcess::CrashExit || exitCode != 0;
                         if (failed && clock->elapsed() < watchMilliseconds && onQuickExit) {
                             onQuickExit({statusText(status, exitCode), lastLines(*ring)});
                         }
                         process->deleteLater();
                     });
    // Quitting Tandril must not end a game: the process object is let go, not destroyed, since
    // destroying it would kill the program.
    QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, process, [process] {
        process->disconnect();
        process->setParent(nullptr);
    });
    clock->start();
    process->start();
    if (!process->waitForStarted(10000)) {
        const QString error = process->errorString();
        process->deleteLater();
        return error;
    }
    return std::nullopt;
}

Waited startLogged(const QString& program, const QStringList& arguments, const QString& logFile,
                   int waitMilliseconds)
{
    // Let go, never destroyed, once it runs on: destroying it would kill the program.
    auto process = std::make_unique<QProcess>();
    process->setProgram(program);
    process->setArguments(arguments);
    process->setStandardInputFile(QProcess::nullDevice());
    process->setProcessChannelMode(QProcess::MergedChannels);
    process->setStandardOutputFile(logFile, QIODevice::Truncate);
    QElapsedTimer clock;
    clock.start();
    process->start();
    if (!process->waitForStarted(10000))
        return {process->errorString(), std::nullopt, -1};
    if (!process->waitForFinished(waitMilliseconds)) {
        if (process->state() == QProcess::NotRunning) // it cannot be waited for
            return {process->errorString(), std::nullopt, -1};
        process.release(); // runs on by itself
        return {};
    }
    const bool failed = process->exitStatus() == QProcess::CrashExit || process->exitCode() != 0;
    Waited waited;
    waited.seconds = clock.elapsed() / 1000;
    waited.exitCode = process->exitStatus() == QProcess::CrashExit ? -1 : process->exitCode();
    if (failed)
        waited.failed =
            QuickExit{statusText(process->exitStatus(), process->exitCode()), lastLinesOf(logFile)};
    return waited;
}

} // namespace WatchedStart
