#include "platform/DosboxReferenceFile.h"

#include "platform/Emulator.h"
#include "platform/FileOperations.h"
#include "platform/LockFiles.h"
#include "platform/ProcessGroup.h"
#include "platform/TextFile.h"

#include <memory>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QLockFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <unistd.h>

namespace DosboxReferenceFile {

namespace {

constexpr int ReferenceTimeLimitMilliseconds = 30000;
constexpr int ReadingTimeLimitMilliseconds = 15000;
constexpr qint64 MaximumReferenceSize = 4 << 20; // about 280 kB is usual
constexpr qsizetype KeptOutput = 65536;

QString tr(const char* text)
{
    return QCoreApplication::translate("DosboxReferenceFile", text);
}

struct Run
{
    bool finished = false; // within the time limit
    bool crashed = false;
    int exitCode = -1;
    QByteArray output; // its beginning
};

// Runs DOSBox-X without a window or sound; its output is read only up to a small limit. Over
// time it is killed outright: in some hangs it ignores SIGTERM. It ends with this program, with
// whatever a wrapper script of it started.
Run run(const Emulator::Start& start, int timeLimit)
{
    QProcess process;
    ProcessGroup group(process);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("SDL_VIDEODRIVER"), QStringLiteral("dummy"));
    environment.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
    process.setProcessEnvironment(environment);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(start.program, start.arguments);
    Run result;
    const auto keep = [&] {
        const QByteArray chunk = process.readAll();
        result.output.append(chunk.left(std::max<qsizetype>(0, KeptOutput - result.output.size())));
    };
    QElapsedTimer clock;
    clock.start();
    while (process.state() != QProcess::NotRunning && clock.elapsed() < timeLimit) {
        process.waitForReadyRead(200);
        keep();
    }
    if (process.state() != QProcess::NotRunning) {
        group.kill();
        process.waitForFinished();
        return result;
    }
    keep();
    result.finished = true;
    result.crashed = process.exitStatus() == QProcess::CrashExit;
    result.exitCode = process.exitCode();
    return result;
}

const QString ScratchOwner = QStringLiteral("owner.lock");
// How long a scratch folder may be without its owner's lock: it is made just before.
constexpr qint64 UnownedScratchSeconds = 60;

// Scratch folders that a killed Tandril left: their owner's lock is stale (or was never made).
void removeAbandonedScratchFolders(const QString& base)
{
    QDirIterator folders(base, {QStringLiteral("tandril-??????")},
                         QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    while (folders.hasNext()) {
        const QFileInfo folder(folders.next());
        if (folder.isSymLink() || folder.ownerId() != ::getuid())
            continue;
        const QString owner = QDir(folder.filePath()).filePath(ScratchOwner);
        bool abandoned = false;
        if (QFileInfo::exists(owner)) {
            QLockFile lock(owner);
            abandoned = LockFiles::tryLock(lock, 0);
            lock.unlock();
        } else {
            abandoned = folder.lastModified().secsTo(QDateTime::currentDateTime()) > UnownedScratchSeconds;
        }
        if (abandoned)
            QDir(folder.filePath()).removeRecursively();
    }
}

struct ScratchFolder
{
    std::unique_ptr<QTemporaryDir> folder;
    std::unique_ptr<QLockFile> owner; // goes first, then its folder
    QString filePath(const QString& name) const { return folder->filePath(name); }
    QString path() const { return folder->path(); }
};

// A private folder (mode 0700) whose path DOSBox-X's shell takes whole: the temporary folder,
// else /tmp when that one's path is too long or holds a blank. It holds its owner's lock, so
// that what a kill leaves is removed by the next one.
std::optional<ScratchFolder> scratchFolder()
{
    for (const QString& base : {QDir::tempPath(), QStringLiteral("/tmp")}) {
        if (!fitsDosCommand(base + QStringLiteral("/tandril-XXXXXX/reading.conf")))
            continue;
        removeAbandonedScratchFolders(base);
        ScratchFolder scratch{std::make_unique<QTemporaryDir>(base + QStringLiteral("/tandril-XXXXXX")),
                              nullptr};
        if (!scratch.folder->isValid())
            continue;
        scratch.owner = std::make_unique<QLockFile>(scratch.filePath(ScratchOwner));
        if (scratch.owner->tryLock(0))
            return scratch;
    }
    return std::nullopt;
}

// Lets DOSBox-X write its account into a scratch folder, reading the configuration text first
// when there is one. On success the text is the account; the scratch folder goes either way.
Result writeAccount(const Emulator& emulator, const std::optional<QString>& configText, int timeLimit)
{
    const std::optional<ScratchFolder> scratch = scratchFolder();
    if (!scratch)
        return {std::nullopt, tr("There is no temporary folder with a short path without blanks."), false};
    const QString account = scratch->filePath(QStringLiteral("reference.conf"));
    // A setting under check is read, never run: no [config] or [autoexec] section of it executes.
    QStringList arguments{QStringLiteral("-fastlaunch"), QStringLiteral("-nopromptfolder"),
                          QStringLiteral("-noconfig"), QStringLiteral("-noautoexec")};
    if (configText) {
        const QString config = scratch->filePath(QStringLiteral("reading.conf"));
        if (const std::optional<QString> error = TextFile::writeUtf8Atomically(config, *configText))
            return {std::nullopt, *error, false};
        arguments << QStringLiteral("-conf") << config;
    }
    arguments << QStringLiteral("-c") << QStringLiteral("config -all -wc ") + account << QStringLiteral("-c")
              << QStringLiteral("exit");
    const Run ran = run(emulator.startCommand(arguments, {scratch->path()}), timeLimit);
    if (!ran.finished)
        return {std::nullopt, tr("DOSBox-X did not finish within %1 seconds.").arg(timeLimit / 1000), true};
    if (ran.crashed)
        return {std::nullopt, tr("DOSBox-X crashed."), true};
    const QFileInfo written(account);
    if (!written.isFile() || written.size() == 0 || written.size() > MaximumReferenceSize)
        return {std::nullopt,
                ran.exitCode != 0 ? tr("DOSBox-X ended with exit status %1.").arg(ran.exitCode)
                                  : tr("DOSBox-X did not write its reference of settings."),
                ran.exitCode != 0};
    const TextFile::ReadResult read = TextFile::readUtf8(account, MaximumReferenceSize);
    if (!read.ok())
        return {std::nullopt, read.error, false};
    return {read.text, QString(), false};
}

} // namespace

namespace {

Identity identifyStart(const Emulator::Start& start)
{
    constexpr int AnswerMilliseconds = 10000;
    const Run ran = run(start, AnswerMilliseconds);
    if (!ran.finished)
        return {std::nullopt, tr("no answer within %1 seconds").arg(AnswerMilliseconds / 1000)};
    const QStringList lines = QString::fromLocal8Bit(ran.output).split(u'\n', Qt::SkipEmptyParts);
    for (const QString& line : lines) {
        if (line.contains(QStringLiteral("DOSBox-X version")))
            return {line.trimmed(), line.trimmed()};
    }
    if (ran.crashed)
        return {std::nullopt, tr("it crashed")};
    return {std::nullopt,
            lines.isEmpty() ? tr("nothing (exit status %1)").arg(ran.exitCode) : lines.first().trimmed()};
}

} // namespace

Identity identify(const Emulator& emulator)
{
    if (!emulator.isInstalled())
        return {std::nullopt, tr("DOSBox-X was not found.")};
    return identifyStart(emulator.startCommand({QStringLiteral("-version")}));
}

Identity identify(const QString& program)
{
    if (!QFileInfo(program).isExecutable())
        return {std::nullopt, tr("%1 is not a program.").arg(program)};
    return identifyStart({program, {QStringLiteral("-version")}});
}

bool fitsDosCommand(const QString& path, qsizetype maximumBytes)
{
    return path.size() <= maximumBytes && std::all_of(path.cbegin(), path.cend(), [](QChar c) {
               return c > u' ' && c < QChar(0x7f) && c != u'"' && c != u'%';
           });
}

Result load(const Emulator& emulator)
{
    if (!emulator.isInstalled())
        return {std::nullopt, tr("DOSBox-X was not found."), false};
    const Run versionRun =
        run(emulator.startCommand({QStringLiteral("-version")}), ReferenceTimeLimitMilliseconds);
    if (!versionRun.finished)
        return {std::nullopt, tr("DOSBox-X did not answer in time."), false};
    static const QRegularExpression versionPattern(QStringLiteral("\\d+(\\.\\d+)+"));
    const QRegularExpressionMatch version = versionPattern.match(QString::fromLocal8Bit(versionRun.output));
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    const QString cached =
        QDir(folder).filePath(QStringLiteral("dosbox-x-reference-%1.conf")
                                  .arg(version.hasMatch() ? version.captured() : QStringLiteral("unknown")));
    if (!QFileInfo::exists(cached)) {
        const Result written = writeAccount(emulator, std::nullopt, ReferenceTimeLimitMilliseconds);
        if (!written.text)
            return written;
        if (const std::optional<QString> error = FileOperations::makeFolder(folder))
            return {std::nullopt, tr("The cache folder %1 cannot be made.").arg(folder), false};
        // Kept whole or not at all: a killed run never leaves half a reference behind.
        if (const std::optional<QString> error = TextFile::writeUtf8Atomically(cached, *written.text))
            return {std::nullopt, *error, false};
    }
    const TextFile::ReadResult read = TextFile::readUtf8(cached, MaximumReferenceSize);
    if (!read.ok())
        return {std::nullopt, read.error, false};
    return {read.text, QString(), false};
}

Result readAs(const Emulator& emulator, const QString& configText)
{
    if (!emulator.isInstalled())
        return {std::nullopt, tr("DOSBox-X was not found."), false};
    return writeAccount(emulator, configText, ReadingTimeLimitMilliseconds);
}

} // namespace DosboxReferenceFile
