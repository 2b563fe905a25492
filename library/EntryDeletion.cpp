#include "library/EntryDeletion.h"

#include "library/HostAccess.h"
#include "library/ItemSwap.h"
#include "library/Journal.h"
#include "library/LibraryLayout.h"
#include "library/LibraryLock.h"
#include "platform/Diagnostics.h"
#include "platform/FileOperations.h"
#include "platform/Paths.h"
#include "platform/Prompter.h"
#include "platform/Trash.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace EntryDeletion {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("EntryDeletion", text);
}

// A game folder is removed only when it is a real game's folder inside the library: never the
// library itself, its parent, or the MT-32 folder.
bool isRemovableGameFolder(const QString& baseName)
{
    return !baseName.isEmpty() && baseName != u"." && baseName != u".." &&
           baseName != LibraryLayout::Mt32FolderName && !baseName.contains(u'/');
}

bool isInLibraryFolder(const QString& configFile, const QString& library)
{
    return QFileInfo(QFileInfo(configFile).absolutePath()).canonicalFilePath() ==
           QFileInfo(library).canonicalFilePath();
}

// The folders step aside in one rename each first, so that a kill leaves either the whole game
// or hidden folders that the next start removes, never a listed game with half its files.
Outcome removePermanently(const QString& configFile, const QStringList& folders, QString* error)
{
    QStringList asides;
    const auto putBack = [&] {
        for (qsizetype i = 0; i < asides.size(); ++i)
            QDir().rename(asides.at(i), folders.at(i));
    };
    for (const QString& folder : folders) {
        const ItemSwap::SetAside setAside = ItemSwap::setAsideForDeletion(folder);
        if (setAside.error) {
            *error = *setAside.error;
            putBack();
            return Outcome::Failed;
        }
        asides.append(setAside.path);
    }
    if (const std::optional<QString> failed = FileOperations::removeItem(configFile)) {
        *error = *failed;
        putBack();
        return Outcome::Failed;
    }
    for (const QString& aside : std::as_const(asides)) {
        if (const std::optional<QString> error = FileOperations::removeItem(aside))
            logLine(QStringLiteral("⚠️ Error deleting file or folder: ") + *error);
    }
    return Outcome::Deleted;
}

const QString TrashJournalPrefix = QStringLiteral(".tandril-trash-");
const QString TrashJournalHeader = QStringLiteral("Tandril trash journal 1");

// Folders first: should the file not follow, the folders come back out of the Trash. A journal
// names the game while it moves, so that a kill half-way is finished at the next start.
Outcome moveToTrash(const QString& configFile, const QString& gameFolder, const QStringList& folders,
                    QString* error)
{
    const Journal::Written written = Journal::write(QFileInfo(configFile).absolutePath(), TrashJournalPrefix,
                                                    TrashJournalHeader, {QFileInfo(gameFolder).fileName()});
    if (written.error) {
        *error = *written.error;
        return Outcome::Failed;
    }
    const QString& journal = written.path;
    QList<Trash::Moved> moved;
    const auto putBack = [&] {
        for (qsizetype i = 0; i < moved.size(); ++i)
            Trash::restore(moved.at(i), folders.at(i));
        QFile::remove(journal);
    };
    for (const QString& folder : folders) {
        const Trash::Moved done = Trash::moveToTrash(folder);
        if (done.error) {
            *error = *done.error;
            putBack();
            return Outcome::Failed;
        }
        moved.append(done);
    }
    if (const Trash::Moved file = Trash::moveToTrash(configFile); file.error) {
        *error = *file.error;
        putBack();
        return Outcome::Failed;
    }
    QFile::remove(journal);
    return Outcome::Deleted;
}

// The game's folders that go with its configuration file: its folder and its saved games.
QStringList foldersOf(const QString& library, const QString& baseName)
{
    QStringList folders;
    if (!isRemovableGameFolder(baseName))
        return folders;
    for (const QString& folder :
         {LibraryLayout::gameFolder(library, baseName), LibraryLayout::savesFolder(library, baseName)}) {
        if (FileOperations::itemExists(folder))
            folders.append(folder);
    }
    return folders;
}

} // namespace

Outcome deleteSelectedEntry(const std::optional<ConfigEntry>& entry, Prompter& prompter, Disposal disposal)
{
    if (!entry) {
        prompter.showAlert(tr("No Selection"),
                           tr("Please select an entry from the list before attempting to delete it."));
        return Outcome::NotDeleted;
    }
    const QString library = Paths::libraryFolder();
    if (!isInLibraryFolder(entry->filePath, library)) {
        prompter.showAlert(
            tr("Delete Not Possible"),
            tr("The configuration file %1 is not in the library folder.").arg(entry->filePath));
        return Outcome::NotDeleted;
    }
    const QString baseName = LibraryLayout::baseNameOfConfigFile(entry->filePath);
    const bool toTrash = disposal == Disposal::TrashWhenAvailable && Trash::isAvailable();

    QString text = tr("Are you sure you want to delete the configuration for \"%1\"?").arg(entry->title);
    text += u'\n' +
            (toTrash ? tr("The whole game goes: its configuration and its folder with all its files, saved "
                          "games included, are moved to the Trash.")
                     : tr("The game's folder and all its files, saved games included, will be deleted "
                          "for good."));
    const Prompter::Question question{
        tr("Delete Configuration?"), text, Prompter::Style::Critical, {tr("Delete"), tr("Cancel")}, 1};
    if (prompter.ask(question) != 0)
        return Outcome::NotDeleted;

    const LibraryLock lock;
    if (const std::optional<QString> busy = lock.failure()) {
        prompter.showAlert(tr("Delete Not Possible"), *busy);
        return Outcome::NotDeleted;
    }
    const QString gameFolder = LibraryLayout::gameFolder(library, baseName);
    const QStringList folders = foldersOf(library, baseName);
    QString error;
    const Outcome outcome = toTrash ? moveToTrash(entry->filePath, gameFolder, folders, &error)
                                    : removePermanently(entry->filePath, folders, &error);
    if (outcome == Outcome::Failed) {
        logLine(QStringLiteral("❌ Error deleting file or folder: ") + error);
        prompter.showAlert(tr("Delete Not Possible"), error + u'\n' + tr("The game was kept as it was."));
    } else {
        // A later game of that name starts with its own drives only.
        HostAccess::setAllowed(entry->filePath, false);
    }
    return outcome;
}

std::optional<QString> discard(const QString& configFile)
{
    const QString library = QFileInfo(configFile).absolutePath();
    const QString baseName = LibraryLayout::baseNameOfConfigFile(configFile);
    const QString gameFolder = LibraryLayout::gameFolder(library, baseName);
    const QStringList folders = foldersOf(library, baseName);
    QString error;
    const Outcome outcome = Trash::isAvailable() ? moveToTrash(configFile, gameFolder, folders, &error)
                                                 : removePermanently(configFile, folders, &error);
    if (outcome == Outcome::Failed)
        return error;
    return std::nullopt;
}

void finishInterruptedDeletes(const QString& library)
{
    Journal::finishEach(
        library, TrashJournalPrefix, TrashJournalHeader, [&](const std::optional<QStringList>& lines) {
            if (!lines || lines->size() != 1 || !isRemovableGameFolder(lines->first()) ||
                lines->first().startsWith(u'.'))
                return;
            // The user asked for the game to go: what is still in the library follows the rest.
            const QString gameFolder = QDir(library).filePath(lines->first());
            const QString saves = LibraryLayout::savesFolder(library, lines->first());
            const QString configFile = gameFolder + QStringLiteral(".conf");
            for (const QString& item : {gameFolder, saves, configFile}) {
                if (FileOperations::itemExists(item) && Trash::moveToTrash(item).error)
                    logLine(QStringLiteral("⚠️ Could not finish moving to the Trash: ") + item);
            }
            Trash::removeOrphanRecords({gameFolder, saves, configFile});
            logLine(QStringLiteral("🔄 Finished moving to the Trash: ") + gameFolder);
        });
}

} // namespace EntryDeletion
