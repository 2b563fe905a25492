#include "platform/DosboxReferenceFile.h"

#include "platform/Emulator.h"
#include "platform/FileOperations.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

namespace DosboxReferenceFile {

namespace {

constexpr int TimeLimitMilliseconds = 30000;
constexpr qint64 MaximumReferenceSize = 4 << 20; // about 280 kB is usual

QString tr(const char* text)
{
    return QCoreApplication::translate("DosboxReferenceFile", text);
}

// Runs DOSBox-X without a window or sound; its output is read only up to a small limit.
std::optional<QByteArray> run(const Emulator::Start& start)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("SDL_VIDEODRIVER"), QStringLiteral("dummy"));
    environment.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
    process.setProcessEnvironment(environment);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(start.program, start.arguments);
    QByteArray captured;
    QElapsedTimer clock;
    clock.start();
    while (process.state() != QProcess::NotRunning && clock.elapsed() < TimeLimitMilliseconds) {
        process.waitForReadyRead(200);
        const QByteArray chunk = process.readAll();
        if (captured.size() < 65536)
            captured.append(chunk.left(65536 - captured.size()));
    }
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished();
        return std::nullopt;
    }
    captured.append(process.readAll().left(std::max<qsizetype>(0, 65536 - captured.size())));
    return captured;
}

} // namespace

Result load(const Emulator& emulator)
{
    if (!emulator.isInstalled())
        return {std::nullopt, tr("DOSBox-X was not found.")};
    const std::optional<QByteArray> versionText = run(emulator.startCommand({QStringLiteral("-version")}));
    if (!versionText)
        return {std::nullopt, tr("DOSBox-X did not answer in time.")};
    static const QRegularExpression versionPattern(QStringLiteral("\\d+(\\.\\d+)+"));
    const QRegularExpressionMatch version = versionPattern.match(QString::fromLocal8Bit(*versionText));
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    const QString cached =
        QDir(folder).filePath(QStringLiteral("dosbox-x-reference-%1.conf")
                                  .arg(version.hasMatch() ? version.captured() : QStringLiteral("unknown")));
    if (!QFileInfo::exists(cached)) {
        if (FileOperations::makeFolder(folder))
            return {std::nullopt, tr("The cache folder %1 cannot be made.").arg(folder)};
        // Written under another name first: a killed run never leaves half a reference behind.
        const QString partial = FileOperations::partialName(cached);
        const Emulator::Start start = emulator.startCommand(
            {QStringLiteral("-fastlaunch"), QStringLiteral("-c"),
             QStringLiteral("config -all -wc ") + partial, QStringLiteral("-c"), QStringLiteral("exit")},
            {folder});
        const bool finished = run(start).has_value();
        const QFileInfo written(partial);
        if (!finished || !written.isFile() || written.size() == 0 || written.size() > MaximumReferenceSize ||
            !QDir().rename(partial, cached)) {
            QFile::remove(partial);
            return {std::nullopt, tr("DOSBox-X did not write its reference of settings.")};
        }
    }
    const TextFile::ReadResult read = TextFile::readUtf8(cached, MaximumReferenceSize);
    if (!read.ok())
        return {std::nullopt, read.error};
    return {read.text, QString()};
}

} // namespace DosboxReferenceFile
