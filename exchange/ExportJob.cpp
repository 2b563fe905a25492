#include "exchange/ExportJob.h"

#include "exchange/ArchiveFormat.h"
#include "library/LibraryLayout.h"
#include "library/LibraryLock.h"
#include "library/OverlaySaves.h"
#include "library/SavedGames.h"
#include "platform/BackgroundTask.h"
#include "platform/FileOperations.h"
#include "platform/Paths.h"
#include "platform/Prompter.h"
#include "platform/StagingFolder.h"
#include "platform/TextFile.h"
#include "platform/UserDefaults.h"
#include "platform/Utf8.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace {

struct FolderScan
{
    qint64 bytes = 0;
    qint64 items = 0;
    QByteArray fingerprint;                // every item's name, kind, size and time: any change shows
    std::optional<QString> folderLink;     // a link to a folder, which zip would follow without end
    std::optional<QString> unreadableName; // a name that is no UTF-8 text: import would refuse it
    QStringList outsideLinks;              // links to files outside the game folder: never packed
};

// Whether a link leads out of the folder (followed to its end; a broken link leads nowhere in).
bool leadsOut(const QFileInfo& link, const QString& canonicalFolder)
{
    const QString target = link.canonicalFilePath();
    return target.isEmpty() || !target.startsWith(canonicalFolder + u'/');
}

FolderScan scan(const QString& folder, const QString& configFile)
{
    FolderScan result;
    result.unreadableName = FileOperations::unrepresentableName(folder);
    const QString canonicalFolder = QFileInfo(folder).canonicalFilePath();
    QCryptographicHash hash(QCryptographicHash::Sha256);
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QFileInfo& info = it.fileInfo();
        if (info.isSymLink() && !info.isDir() && leadsOut(info, canonicalFolder)) {
            // A link to the user's private files must never travel in someone else's archive.
            result.outsideLinks.append(it.filePath().mid(folder.size() + 1));
        } else {
            ++result.items;
            if (info.isFile())
                result.bytes += info.size();
        }
        if (info.isSymLink() && info.isDir() && !result.folderLink)
            result.folderLink = it.filePath().mid(folder.size() + 1);
        hash.addData(QStringLiteral("%1|%2|%3|%4\n")
                         .arg(it.filePath(), info.isSymLink() ? info.symLinkTarget() : QString())
                         .arg(info.size())
                         .arg(info.lastModified().toMSecsSinceEpoch())
                         .toUtf8());
    }
    QFile config(configFile);
    if (config.open(QIODevice::ReadOnly))
        hash.addData(&config);
    result.fingerprint = hash.result();
    result.outsideLinks.sort();
    return result;
}

} // namespace

ExportJob::ExportJob(Prompter& prompter, ProcessRunner& runner, QObject* parent)
    : ProgressJob(prompter, runner, parent)
{}

ExportJob::~ExportJob() = default;

QString ExportJob::defaultFolder()
{
    for (const QString& folder : {UserDefaults().lastExportFolder(), Paths::desktopFolder()}) {
        if (!folder.isEmpty() && QFileInfo(folder).isDir())
            return folder;
    }
    return Paths::homeFolder();
}

bool ExportJob::start(const std::optional<ConfigEntry>& entry, const QString& archivePath, Saves saves)
{
    if (!entry) {
        m_prompter.showAlert(tr("No Selection"), tr("Please select a game to export."));
        return false;
    }
    m_baseName = LibraryLayout::baseNameOfConfigFile(entry->filePath);
    m_subject = entry->title.isEmpty() ? m_baseName : entry->title;
    setBusyConfigFile(entry->filePath);
    m_archivePath = QFileInfo(archivePath.isEmpty()
                                  ? QDir(defaultFolder()).filePath(m_baseName + ArchiveFormat::Extension)
                                  : archivePath)
                        .absoluteFilePath();
    // Said at once, before any work: there is nowhere to put the archive.
    if (!mayWriteArchive(m_archivePath, tr("Export Failed")))
        return false;

    m_withSaves = false;
    m_savesFolder = LibraryLayout::savesFolder(Paths::libraryFolder(), m_baseName);
    if (saves != Saves::Leave && SavedGames::exist(m_savesFolder)) {
        if (saves == Saves::Include) {
            m_withSaves = true;
        } else {
            const int answer = m_prompter.ask(
                {tr("Include Saved Games?"),
                 tr("\"%1\" has saved games of yours. Should the archive hold the game with them, or the "
                    "game as it came?")
                     .arg(m_subject),
                 Prompter::Style::Informational,
                 {tr("With Saved Games"), tr("Game as It Came"), tr("Cancel")},
                 2});
            if (answer != 0 && answer != 1)
                return false;
            m_withSaves = answer == 0;
        }
    }

    setBusy(true);
    if (const std::optional<QString> error = stage(*entry))
        finish(false, tr("Export Failed"), *error);
    return true;
}

std::optional<QString> ExportJob::stage(const ConfigEntry& entry)
{
    m_staging = std::make_unique<StagingFolder>();
    if (!m_staging->isValid())
        return m_staging->error();
    // The game folder is staged as a link: zip follows it and stores the real files under
    // {base}/, without a copy of a game that may be a gigabyte.
    const QString gameFolder = LibraryLayout::gameFolder(Paths::libraryFolder(), m_baseName);
    // Read while no other Tandril changes the game; after zip, the same scan shows whether it did.
    const LibraryLock lock;
    if (lock.failure())
        return lock.failure();
    if (!QFileInfo(gameFolder).isDir())
        return tr("The game folder %1 does not exist.").arg(gameFolder);
    // Known before zip starts: how many items it will report, and whether the archive can fit.
    FolderScan size = scan(gameFolder, entry.filePath);
    if (m_withSaves) {
        const FolderScan written = scan(m_savesFolder, QString());
        size.bytes += written.bytes;
        size.items += written.items;
        size.fingerprint += written.fingerprint;
    }
    if (size.folderLink)
        return tr("The game folder holds the link \"%1\", which leads to a folder; an archive cannot hold "
                  "it.")
            .arg(*size.folderLink);
    if (size.unreadableName)
        return tr("The game folder holds \"%1\", whose name is not UTF-8 text; its archive could not be "
                  "imported. Rename it and export again.")
            .arg(*size.unreadableName);
    m_fingerprint = size.fingerprint;
    m_leftOut = size.outsideLinks;
    m_configFile = entry.filePath;
    const QStringList targets{m_staging->path(), QFileInfo(m_archivePath).absolutePath()};
    if (const std::optional<QString> problem = spaceProblem(size.bytes, targets))
        return tr("The archive of %1 does not fit. %2").arg(m_subject, *problem);
    if (m_withSaves) {
        // Drive C as the game sees it, of links: zip follows them, and no file is copied.
        if (const std::optional<QString> error =
                OverlaySaves::linkMergedView(gameFolder, m_savesFolder, m_staging->filePath(m_baseName)))
            return tr("Could not prepare %1 for the archive: %2").arg(gameFolder, *error);
    } else if (!QFile::link(gameFolder, m_staging->filePath(m_baseName))) {
        return tr("Could not prepare %1 for the archive.").arg(gameFolder);
    }

    // An archive whose configuration is not UTF-8 text could never be imported again.
    const TextFile::BytesResult config = TextFile::readBytes(entry.filePath);
    if (config.status != TextFile::ReadStatus::Ok || !isValidUtf8(config.bytes))
        return config.error.isEmpty()
                   ? tr("The configuration file is not valid UTF-8 text: its archive could not be imported.")
                   : config.error;
    QFile copy(m_staging->filePath(m_baseName + QStringLiteral(".conf")));
    if (!copy.open(QIODevice::WriteOnly) || copy.write(config.bytes) != config.bytes.size() || !copy.flush())
        return copy.errorString();
    copy.close();
    QFile marker(m_staging->filePath(ArchiveFormat::Marker));
    if (!marker.open(QIODevice::WriteOnly))
        return marker.errorString();
    marker.close();

    m_stagedArchive = m_staging->filePath(m_baseName + ArchiveFormat::Extension);
    runTool(ArchiveFormat::zipCommand(m_staging->path(), m_stagedArchive, m_baseName, m_leftOut),
            size.items + 3, {QByteArrayLiteral("adding:")},
            [this](const ProcessRunner::Result& result) { zipped(result); });
    return std::nullopt;
}

void ExportJob::zipped(const ProcessRunner::Result& result)
{
    if (endedAfterTool(result, tr("Export Failed")))
        return;
    if (result.exitCode != 0) {
        finish(
            false, tr("Export Failed"),
            tr("zip could not make the archive of %1 (exit status %2).").arg(m_subject).arg(result.exitCode));
        return;
    }
    {
        // An archive of a game that changed meanwhile (an import over it) would mix two games.
        const LibraryLock lock;
        const QString gameFolder = LibraryLayout::gameFolder(Paths::libraryFolder(), m_baseName);
        QByteArray now = scan(gameFolder, m_configFile).fingerprint;
        if (m_withSaves)
            now += scan(m_savesFolder, QString()).fingerprint;
        if (lock.failure() || now != m_fingerprint) {
            finish(false, tr("Export Failed"),
                   tr("%1 changed while it was being exported. Please export it again.").arg(m_subject));
            return;
        }
    }
    moveArchiveInBackground(m_stagedArchive, m_archivePath, [this](const std::optional<QString>& error) {
        if (error && isCancelled())
            finish(false, QString(), QString());
        else if (error)
            finish(false, tr("Export Failed"), tr("%1 could not be written: %2").arg(m_archivePath, *error));
        else {
            UserDefaults().setLastExportFolder(QFileInfo(m_archivePath).absolutePath());
            QString message = tr("File saved:\n%1").arg(m_archivePath);
            if (!m_leftOut.isEmpty())
                message +=
                    QStringLiteral("\n\n") +
                    tr("Left out, as links to files outside the game folder:\n%1").arg(m_leftOut.join(u'\n'));
            finish(true, tr("Export Successful"), message);
        }
    });
}

void ExportJob::finish(bool success, const QString& title, const QString& message)
{
    if (success)
        m_prompter.showSuccess(title, message);
    else if (!isCancelled())
        m_prompter.showAlert(title, message);
    end(success);
}
