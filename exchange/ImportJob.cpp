#include "exchange/ImportJob.h"

#include "exchange/ArchiveFormat.h"
#include "exchange/Installation.h"
#include "library/EntryCreation.h"
#include "platform/BackgroundTask.h"
#include "platform/FileOperations.h"
#include "platform/Paths.h"
#include "platform/ProcessRunner.h"
#include "platform/Prompter.h"
#include "platform/StagingFolder.h"
#include "platform/TextFile.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

ImportJob::ImportJob(Prompter& prompter, ProcessRunner& runner, QObject* parent)
    : QObject(parent), m_prompter(prompter), m_runner(runner)
{}

ImportJob::~ImportJob() = default;

void ImportJob::start(const QString& archivePath, Road road)
{
    m_archivePath = archivePath;
    m_road = road;
    if (road == Road::FileManager) {
        m_busy = true;
        Q_EMIT busyChanged(true);
    }
    const QFileInfo archive(archivePath);
    if (!archive.exists()) {
        fail(tr("The file %1 does not exist.").arg(archivePath));
        return;
    }
    // A FIFO or a device would make the tools wait for ever.
    if (!archive.isFile()) {
        fail(tr("%1 is not a file.").arg(archivePath));
        return;
    }
    m_runner.run(ArchiveFormat::zipinfoCommand(archivePath), true,
                 [this](const ProcessRunner::Result& result) { listed(result); });
}

void ImportJob::listed(const ProcessRunner::Result& result)
{
    if (!result.error.isEmpty()) {
        fail(ArchiveFormat::startFailure(result.program, result.error));
        return;
    }
    const QStringList members = ArchiveFormat::memberNames(result.output);
    if (result.exitCode != 0 || !members.contains(ArchiveFormat::Marker)) {
        fail(tr("%1 is not a Tandril archive.").arg(QFileInfo(m_archivePath).fileName()));
        return;
    }
    // Checked before anything is unpacked: no member may land outside the staging folder.
    if (const std::optional<QString> unsafe = ArchiveFormat::unsafeMember(members)) {
        fail(tr("The TDL file holds the member \"%1\", which would be written outside its folder.")
                 .arg(*unsafe));
        return;
    }
    m_staging = std::make_unique<StagingFolder>();
    if (!m_staging->isValid()) {
        fail(m_staging->error());
        return;
    }
    m_runner.run(ArchiveFormat::unzipCommand(m_staging->path(), m_archivePath), false,
                 [this](const ProcessRunner::Result& result) {
                     unpacked(result.exitCode, result.error.isEmpty() ? QString()
                                                                      : ArchiveFormat::startFailure(
                                                                            result.program, result.error));
                 });
}

void ImportJob::unpacked(int exitCode, const QString& startError)
{
    if (!startError.isEmpty()) {
        fail(startError);
        return;
    }
    if (exitCode != 0) {
        fail(tr("Could not extract TDL file."));
        return;
    }
    const QDir staging(m_staging->path());
    if (!staging.isReadable()) {
        fail(tr("The folder %1 cannot be read.").arg(m_staging->path()));
        return;
    }
    // The listing's own order, not sorted: the first configuration file counts.
    const QStringList items = staging.entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::NoSort);
    const auto config = std::find_if(items.cbegin(), items.cend(),
                                     [](const QString& item) { return QFileInfo(item).suffix() == u"conf"; });
    if (config == items.cend()) {
        fail(tr("No .conf file found in TDL."));
        return;
    }
    const QString name = QFileInfo(*config).completeBaseName();
    if (const std::optional<QString> problem = EntryCreation::titleProblem(name)) {
        fail(*problem);
        return;
    }
    if (const std::optional<QString> link = Installation::linkLeavingGame(m_staging->path(), name)) {
        fail(tr("The TDL file holds the link \"%1\", which leads out of the game folder.").arg(*link));
        return;
    }

    const QString stagedConfig = staging.filePath(*config);
    const TextFile::ReadResult read = TextFile::readUtf8(stagedConfig);
    if (!read.ok() || TextFile::writeUtf8Atomically(
                          stagedConfig, ArchiveFormat::rewriteUserPaths(read.text, Paths::homeFolder()))) {
        fail(tr("Could not update user paths in .conf file."));
        return;
    }

    const QFileInfo folder(staging.filePath(name));
    const QString stagedFolder = folder.isDir() && !folder.isSymLink() ? folder.filePath() : QString();
    const Installation::Destinations destinations = Installation::destinations(*config, name);
    const bool conflict = FileOperations::itemExists(destinations.config) ||
                          (!stagedFolder.isEmpty() && FileOperations::itemExists(destinations.gameFolder));
    if (conflict) {
        const int answer =
            m_prompter.ask({tr("File exists"),
                            tr("A configuration or folder with this name already exists. Overwrite?"),
                            Prompter::Style::Warning,
                            {tr("Overwrite"), tr("Cancel")}});
        if (answer != 0) {
            finish(false);
            return;
        }
    }
    install(stagedConfig, stagedFolder, destinations);
}

void ImportJob::install(const QString& stagedConfig, const QString& stagedFolder,
                        const Installation::Destinations& destinations)
{
    if (!m_busy) {
        m_busy = true;
        Q_EMIT busyChanged(true);
    }
    auto error = std::make_shared<std::optional<QString>>();
    BackgroundTask::start(
        this,
        [error, stagedConfig, stagedFolder, destinations] {
            *error = Installation::install(stagedConfig, stagedFolder, destinations);
        },
        [this, error, destination = destinations.config] {
            if (*error) {
                fail(**error);
                return;
            }
            Q_EMIT installed(destination);
            m_prompter.showSuccess(tr("Import Successful"), tr("Game imported successfully."));
            finish(true);
        });
}

void ImportJob::fail(const QString& message)
{
    m_prompter.showAlert(tr("Import Failed"), message);
    finish(false);
}

void ImportJob::finish(bool success)
{
    m_staging.reset();
    if (m_busy) {
        m_busy = false;
        Q_EMIT busyChanged(false);
    }
    Q_EMIT finished(success);
}
