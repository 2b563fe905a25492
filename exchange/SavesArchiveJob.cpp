#include "exchange/SavesArchiveJob.h"

#include "exchange/ArchiveFormat.h"
#include "library/LibraryLayout.h"
#include "library/LibraryLock.h"
#include "library/SavedGames.h"
#include "platform/BackgroundTask.h"
#include "platform/FileOperations.h"
#include "platform/Paths.h"
#include "platform/Prompter.h"
#include "platform/StagingFolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

namespace {

// The links in a folder, relative to it: never followed into an archive, never unpacked.
QStringList linksIn(const QString& folder)
{
    QStringList links;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        if (it.fileInfo().isSymLink())
            links.append(it.filePath().mid(folder.size() + 1));
    }
    return links;
}

} // namespace

SavesArchiveJob::SavesArchiveJob(Prompter& prompter, ProcessRunner& runner, QObject* parent)
    : ProgressJob(prompter, runner, parent)
{}

SavesArchiveJob::~SavesArchiveJob() = default;

QString SavesArchiveJob::defaultFileName(const ConfigEntry& entry)
{
    return tr("%1 saved games").arg(QFileInfo(entry.filePath).completeBaseName()) + QStringLiteral(".zip");
}

bool SavesArchiveJob::begin(const ConfigEntry& entry, const QString& archivePath)
{
    m_configFile = entry.filePath;
    m_subject = entry.title.isEmpty() ? QFileInfo(entry.filePath).completeBaseName() : entry.title;
    m_archivePath = QFileInfo(archivePath).absoluteFilePath();
    setBusyConfigFile(entry.filePath);
    m_staging = std::make_unique<StagingFolder>();
    if (!m_staging->isValid()) {
        m_prompter.showAlert(m_restoring ? tr("Restore Failed") : tr("Backup Failed"), m_staging->error());
        return false;
    }
    setBusy(true);
    return true;
}

bool SavesArchiveJob::backUp(const ConfigEntry& entry, const QString& archivePath)
{
    const QString saves =
        LibraryLayout::savesFolderOfConfigFile(QFileInfo(entry.filePath).absolutePath(), entry.filePath);
    if (!SavedGames::exist(saves)) {
        m_prompter.showAlert(tr("Nothing to Back Up"), tr("The game has written nothing yet."));
        return false;
    }
    if (!mayWriteArchive(archivePath, tr("Backup Failed")))
        return false;
    m_restoring = false;
    if (!begin(entry, archivePath))
        return false;
    // Read while no other Tandril changes the game; zip follows the staged link to the saves.
    const LibraryLock lock;
    if (const std::optional<QString> problem = lock.failure()) {
        fail(*problem);
        return true;
    }
    const qint64 bytes = FileOperations::treeSize(saves);
    if (const std::optional<QString> problem =
            spaceProblem(bytes, {m_staging->path(), QFileInfo(m_archivePath).absolutePath()})) {
        fail(tr("The backup of %1 does not fit. %2").arg(m_subject, *problem));
        return true;
    }
    if (!QFile::link(saves, m_staging->filePath(ArchiveFormat::SavesMember)) ||
        !QFile(m_staging->filePath(ArchiveFormat::SavesMarker)).open(QIODevice::WriteOnly)) {
        fail(tr("Could not prepare %1 for the archive.").arg(saves));
        return true;
    }
    m_stagedArchive = m_staging->filePath(QStringLiteral("saves.zip"));
    const qint64 items = SavedGames::list(saves).size() + 2;
    runTool(ArchiveFormat::savesZipCommand(m_staging->path(), m_stagedArchive, linksIn(saves)), items,
            {QByteArrayLiteral("adding:")}, [this](const ProcessRunner::Result& result) { zipped(result); });
    return true;
}

void SavesArchiveJob::zipped(const ProcessRunner::Result& result)
{
    if (endedAfterTool(result, tr("Backup Failed")))
        return;
    if (result.exitCode != 0) {
        fail(tr("zip could not make the backup of %1 (exit status %2).").arg(m_subject).arg(result.exitCode));
        return;
    }
    moveArchiveInBackground(m_stagedArchive, m_archivePath, [this](const std::optional<QString>& error) {
        if (error && isCancelled()) {
            end(false);
        } else if (error) {
            fail(tr("%1 could not be written: %2").arg(m_archivePath, *error));
        } else {
            m_prompter.showSuccess(tr("Backup Successful"), tr("File saved:\n%1").arg(m_archivePath));
            end(true);
        }
    });
}

bool SavesArchiveJob::restore(const ConfigEntry& entry, const QString& archivePath)
{
    if (!QFileInfo(archivePath).isFile()) {
        m_prompter.showAlert(tr("Restore Failed"), tr("%1 is not a file.").arg(archivePath));
        return false;
    }
    const QString saves =
        LibraryLayout::savesFolderOfConfigFile(QFileInfo(entry.filePath).absolutePath(), entry.filePath);
    if (SavedGames::exist(saves) &&
        m_prompter.ask({tr("Restore Saved Games?"),
                        tr("The game's saved games are replaced by those of the backup. Its current ones "
                           "are moved to the Trash."),
                        Prompter::Style::Warning,
                        {tr("Restore"), tr("Cancel")},
                        1}) != 0)
        return false;
    m_restoring = true;
    if (!begin(entry, archivePath))
        return false;
    m_runner.run(ArchiveFormat::zipinfoCommand(m_archivePath), true,
                 guarded([this](const ProcessRunner::Result& result) { listed(result); }));
    return true;
}

void SavesArchiveJob::listed(const ProcessRunner::Result& result)
{
    if (!result.error.isEmpty()) {
        fail(ArchiveFormat::startFailure(result.program, result.error));
        return;
    }
    const QStringList members = ArchiveFormat::memberNames(result.output);
    if (result.exitCode != 0 || !members.contains(ArchiveFormat::SavesMarker)) {
        fail(tr("%1 is not a backup of saved games.").arg(QFileInfo(m_archivePath).fileName()));
        return;
    }
    // Nothing lands outside the staging folder's "saves".
    for (const QString& member : members) {
        if (member != ArchiveFormat::SavesMarker && !member.startsWith(ArchiveFormat::SavesMember + u'/')) {
            fail(tr("The backup holds \"%1\", which is no saved game.").arg(member));
            return;
        }
    }
    if (const std::optional<QString> unsafe = ArchiveFormat::unsafeMember(members)) {
        fail(tr("The backup holds \"%1\", which would be written outside its folder.").arg(*unsafe));
        return;
    }
    m_memberCount = members.size();
    m_runner.run(ArchiveFormat::zipinfoTotalsCommand(m_archivePath), true,
                 guarded([this](const ProcessRunner::Result& totals) {
                     const std::optional<qint64> bytes = ArchiveFormat::uncompressedSize(totals.output);
                     constexpr qint64 BlockSize = 4096;
                     if (const std::optional<QString> problem =
                             bytes ? spaceProblem(*bytes + m_memberCount * BlockSize,
                                                  {m_staging->path(), Paths::libraryFolder()})
                                   : std::nullopt) {
                         fail(tr("The saved games do not fit. %1").arg(*problem));
                         return;
                     }
                     runTool(ArchiveFormat::unzipCommand(m_staging->path(), m_archivePath), m_memberCount,
                             ArchiveFormat::UnzipItemPrefixes,
                             [this](const ProcessRunner::Result& unzipped) { unpacked(unzipped); });
                 }));
}

void SavesArchiveJob::unpacked(const ProcessRunner::Result& result)
{
    if (endedAfterTool(result, tr("Restore Failed")))
        return;
    const QString saves = m_staging->filePath(ArchiveFormat::SavesMember);
    if (result.exitCode != 0) {
        fail(tr("unzip could not read the backup (exit status %1).").arg(result.exitCode));
        return;
    }
    const QFileInfo folder(saves);
    if (!folder.isDir() || folder.isSymLink()) {
        fail(tr("The backup holds no saved games."));
        return;
    }
    // A game only ever writes files: a link would reach past its own drive.
    if (const QStringList links = linksIn(saves); !links.isEmpty()) {
        fail(tr("The backup holds the link \"%1\"; saved games are never links.").arg(links.first()));
        return;
    }
    auto error = std::make_shared<std::optional<QString>>();
    BackgroundTask::start(
        this,
        [error, saves, config = m_configFile, cancel = sharedCancelFlag()] {
            *error = SavedGames::replaceWith(config, saves, cancel.get());
        },
        [this, error] {
            if (*error && isCancelled()) {
                end(false);
            } else if (*error) {
                fail(**error);
            } else {
                m_prompter.showSuccess(tr("Saved Games Restored"),
                                       tr("%1 has the saved games of the backup.").arg(m_subject));
                end(true);
            }
        });
}

void SavesArchiveJob::fail(const QString& message)
{
    failWith(m_restoring ? tr("Restore Failed") : tr("Backup Failed"), message);
}
