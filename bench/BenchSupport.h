#pragma once

// What the benchmarks share: making large test data, and timing a tool or a job in one run.
#include <algorithm>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTimer>

namespace BenchSupport {

// Reads every file of the folder whole: the baseline of loading a library.
inline qint64 bareRead(const QString& folder)
{
    qint64 bytes = 0;
    const QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Files)) {
        QFile file(dir.absoluteFilePath(name));
        if (file.open(QIODevice::ReadOnly))
            bytes += file.readAll().size();
    }
    return bytes;
}

// The home folder for a run, with the staging folders on its disk, as on most desktops.
inline void useHome(const QString& home)
{
    qputenv("HOME", QFile::encodeName(home));
    QDir().mkpath(home + QStringLiteral("/tmp"));
    qputenv("TMPDIR", QFile::encodeName(home + QStringLiteral("/tmp")));
}

inline void writeText(const QString& path, const QByteArray& text)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
        qFatal("cannot write %s", qPrintable(path));
}

inline void writeFile(const QString& path, qint64 size, QRandomGenerator& random)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    // Half random, half repeated: compressible like real game data, never trivially so.
    QByteArray block(1 << 20, Qt::Uninitialized);
    for (qint64 written = 0; written < size; written += block.size()) {
        const qint64 chunk = std::min<qint64>(block.size(), size - written);
        random.fillRange(reinterpret_cast<quint32*>(block.data()), block.size() / 8);
        file.write(block.constData(), chunk);
    }
}

inline qint64 timeProcess(const QString& program, const QStringList& arguments, const QString& folder)
{
    QElapsedTimer timer;
    timer.start();
    QProcess process;
    process.setWorkingDirectory(folder);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start(program, arguments);
    if (!process.waitForFinished(-1) || process.exitCode() != 0)
        qFatal("%s failed", qPrintable(program));
    return timer.nsecsElapsed();
}

// The baseline of adding a folder: "cp -r" of it into the scratch folder, removed afterwards.
inline qint64 timeCopy(const QString& source, const QString& scratch)
{
    const qint64 time =
        timeProcess(QStringLiteral("/bin/cp"),
                    {QStringLiteral("-r"), source, scratch + QStringLiteral("/copy")}, scratch);
    QDir(scratch + QStringLiteral("/copy")).removeRecursively();
    return time;
}

template <typename Job, typename Start>
qint64 timeJob(Job& job, Start start, qint64* longestStall = nullptr) // stall in ms
{
    QEventLoop loop;
    QObject::connect(&job, &Job::finished, &loop, &QEventLoop::quit);
    QElapsedTimer sinceTick;
    qint64 stall = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, &loop, [&] { stall = std::max(stall, sinceTick.restart()); });
    ticker.start(5);
    sinceTick.start();
    QElapsedTimer timer;
    timer.start();
    start();
    loop.exec();
    if (longestStall)
        *longestStall = stall;
    return timer.nsecsElapsed();
}

// The middle of several timings: one run varies with the machine's other work.
inline qint64 median(QList<qint64> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

// Before the application object: no display needed, and a home of the benchmark's own.
inline void useOffscreenHome(const QString& home)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("HOME", QFile::encodeName(home));
}

} // namespace BenchSupport
