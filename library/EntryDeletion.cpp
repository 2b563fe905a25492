#include "library/EntryDeletion.h"

#include "library/ItemSwap.h"
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

// The folder steps aside in one rename first, so that a kill leaves either the whole game or a
// hidden folder that the next start removes, never a listed game with half its files.
Outcome removePermanently(const QString& configFile, const QString& gameFolder, bool withFolder)
{
    QString aside;
    if (withFolder) {
        const ItemSwap::SetAside setAside = ItemSwap::setAsideForDeletion(gameFolder);
        if (setAside.error) {
            logLine(QStringLiteral("❌ Error deleting file or folder: ") + *setAside.error);
            return Outcome::Failed;
        }
        aside = setAside.path;
    }
    if (const std::optional<QString> error = FileOperations::removeItem(configFile)) {
        logLine(QStringLiteral("❌ Error deleting file or folder: ") + *error);
        if (!aside.isEmpty())
            QDir().rename(aside, gameFolder);
        return Outcome::Failed;
    }
    if (!aside.isEmpty()) {
        if (const std::optional<QString> error = FileOperations::removeItem(aside))
            logLine(QStringLiteral("⚠️ Error deleting file or folder: ") + *error);
    }
    return Outcome::Deleted;
}

// Folder first: should the file not follow, the folder comes back out of the Trash.
Outcome moveToTrash(const QString& configFile, const QString& gameFolder, bool withFolder)
{
    Trash::Moved folder;
    if (withFolder) {
        folder = Trash::moveToTrash(gameFolder);
        if (folder.error) {
            logLine(QStringLiteral("❌ Error deleting file or folder: ") + *folder.error);
            return Outcome::Failed;
        }
    }
    if (const Trash::Moved file = Trash::moveToTrash(configFile); file.error) {
        logLine(QStringLiteral("❌ Error deleting file or folder: ") + *file.error);
        if (withFolder)
            QDir().rename(folder.pathInTrash, gameFolder);
        return Outcome::Failed;
    }
    return Outcome::Deleted;
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
    if (toTrash)
        text += u'\n' + tr("The game and its folder will be moved to the Trash.");
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
    const bool withFolder = isRemovableGameFolder(baseName) && FileOperations::itemExists(gameFolder);
    return toTrash ? moveToTrash(entry->filePath, gameFolder, withFolder)
                   : removePermanently(entry->filePath, gameFolder, withFolder);
}

} // namespace EntryDeletion
