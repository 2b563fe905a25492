#include "exchange/ExportJob.h"

#include "exchange/ArchiveFormat.h"
#include "library/LibraryLayout.h"
#include "platform/BackgroundTask.h"
#include "platform/FileOperations.h"
#include "platform/Paths.h"
#include "platform/ProcessRunner.h"
#include "platform/Prompter.h"
#include "platform/StagingFolder.h"
#include "platform/TextFile.h"
#include "platform/Utf8.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

ExportJob::ExportJob(Prompter& prompter, ProcessRunner& runner, QObject* parent)
    : QObject(parent), m_prompter(prompter), m_runner(runner)
{}

ExportJob::~ExportJob() = default;

bool ExportJob::start(const std::optional<ConfigEntry>& entry)
{
    if (!entry) {
        m_prompter.showAlert(tr("No Selection"), tr("Please select a game to export."));
        return false;
    }
    m_baseName = LibraryLayout::baseNameOfConfigFile(entry->filePath);
    const QString archiveName = m_baseName + ArchiveFormat::Extension;
    m_archivePath = QDir(Paths::desktopFolder()).filePath(archiveName);

    if (FileOperations::itemExists(m_archivePath)) {
        const int answer =
            m_prompter.ask({tr("File exists"),
                            tr("A file with this name already exists on your Desktop. Overwrite?"),
                            Prompter::Style::Warning,
                            {tr("Overwrite"), tr("Cancel")}});
        if (answer != 0)
            return false; // the old archive is replaced only once the new one is complete
    }

    Q_EMIT busyChanged(true);
    m_staging = std::make_unique<StagingFolder>();
    if (!m_staging->isValid()) {
        finish(false, tr("Export Failed"), m_staging->error());
        return true;
    }
    // The game folder is staged as a link: zip follows it and stores the real files under
    // {base}/, without a copy of a game that may be a gigabyte.
    const QString gameFolder = LibraryLayout::gameFolder(Paths::libraryFolder(), m_baseName);
    if (!QFileInfo(gameFolder).isDir()) {
        finish(false, tr("Export Failed"), tr("The game folder %1 does not exist.").arg(gameFolder));
        return true;
    }
    if (!QFile::link(gameFolder, m_staging->filePath(m_baseName))) {
        finish(false, tr("Export Failed"), tr("Could not prepare %1 for the archive.").arg(gameFolder));
        return true;
    }
    // An archive whose configuration is not UTF-8 text could never be imported again.
    const TextFile::BytesResult config = TextFile::readBytes(entry->filePath);
    if (config.status != TextFile::ReadStatus::Ok || !isValidUtf8(config.bytes)) {
        finish(false, tr("Export Failed"),
               config.error.isEmpty()
                   ? tr("The configuration file is not valid UTF-8 text: its archive could not be imported.")
                   : config.error);
        return true;
    }
    QFile copy(m_staging->filePath(m_baseName + QStringLiteral(".conf")));
    if (!copy.open(QIODevice::WriteOnly) || copy.write(config.bytes) != config.bytes.size() ||
        !copy.flush()) {
        finish(false, tr("Export Failed"), copy.errorString());
        return true;
    }
    copy.close();
    QFile marker(m_staging->filePath(ArchiveFormat::Marker));
    if (!marker.open(QIODevice::WriteOnly)) {
        finish(false, tr("Export Failed"), marker.errorString());
        return true;
    }
    marker.close();

    m_stagedArchive = m_staging->filePath(archiveName);
    m_runner.run(ArchiveFormat::zipCommand(m_staging->path(), m_stagedArchive, m_baseName), false,
                 [this](const ProcessRunner::Result& result) {
                     zipped(result.exitCode, result.error.isEmpty()
                                                 ? QString()
                                                 : ArchiveFormat::startFailure(result.program, result.error));
                 });
    return true;
}

void ExportJob::zipped(int exitCode, const QString& startError)
{
    if (!startError.isEmpty()) {
        finish(false, tr("Export Failed"), startError);
        return;
    }
    // The Desktop is never made: without one there is nowhere to put the archive.
    if (exitCode != 0 || !QFileInfo(Paths::desktopFolder()).isDir()) {
        finish(false, tr("Export Failed"), tr("Could not create TDL file."));
        return;
    }
    auto error = std::make_shared<std::optional<QString>>();
    BackgroundTask::start(
        this,
        [error, from = m_stagedArchive, to = m_archivePath] {
            *error = FileOperations::moveFileReplacing(from, to);
        },
        [this, error] {
            if (*error)
                finish(false, tr("Export Failed"), **error);
            else
                finish(true, tr("Export Successful"),
                       tr("File saved to your Desktop:\n%1").arg(m_baseName + ArchiveFormat::Extension));
        });
}

void ExportJob::finish(bool success, const QString& title, const QString& message)
{
    m_staging.reset();
    if (success)
        m_prompter.showSuccess(title, message);
    else
        m_prompter.showAlert(title, message);
    Q_EMIT busyChanged(false);
    Q_EMIT finished(success);
}
