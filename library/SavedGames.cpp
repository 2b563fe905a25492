#include "library/SavedGames.h"

#include "library/ItemSwap.h"
#include "library/LibraryLayout.h"
#include "library/LibraryLock.h"
#include "library/OverlaySaves.h"
#include "platform/Prompter.h"
#include "platform/Trash.h"

#include <algorithm>
#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

namespace SavedGames {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("SavedGames", text);
}

QString savesOf(const QString& configFile)
{
    return LibraryLayout::savesFolderOfConfigFile(QFileInfo(configFile).absolutePath(), configFile);
}

// The Trash keeps what a reset or a restore takes away: without one, nothing is taken.
std::optional<QString> noTrash()
{
    if (Trash::isAvailable())
        return std::nullopt;
    return tr("There is no Trash to keep the saved games in; they were left as they are.");
}

} // namespace

QList<File> list(const QString& savesFolder)
{
    QList<File> files;
    QList<File> deletions;
    QDirIterator it(savesFolder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QFileInfo& info = it.fileInfo();
        if (info.isSymLink() || info.isDir())
            continue;
        const QString relative = it.filePath().mid(savesFolder.size() + 1);
        const QString folder = relative.contains(u'/') ? relative.section(u'/', 0, -2) + u'/' : QString();
        const QString name = info.fileName();
        bool record = false;
        for (const QString& prefix : {OverlaySaves::DeletedFilePrefix, OverlaySaves::RemovedFolderPrefix}) {
            if (name.startsWith(prefix, Qt::CaseInsensitive)) {
                deletions.append({folder + name.mid(prefix.size()), 0, info.lastModified(), true});
                record = true;
            }
        }
        if (!record)
            files.append({relative, info.size(), info.lastModified(), false});
    }
    const auto byPath = [](const File& a, const File& b) { return a.path < b.path; };
    std::sort(files.begin(), files.end(), byPath);
    std::sort(deletions.begin(), deletions.end(), byPath);
    // A file deleted and written again is shown as written.
    for (const File& deletion : std::as_const(deletions)) {
        if (std::none_of(files.cbegin(), files.cend(), [&](const File& file) {
                return file.path.compare(deletion.path, Qt::CaseInsensitive) == 0;
            }))
            files.append(deletion);
    }
    return files;
}

bool exist(const QString& savesFolder)
{
    return !QDir(savesFolder)
                .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)
                .isEmpty();
}

std::optional<QString> reset(const QString& configFile)
{
    if (const std::optional<QString> missing = noTrash())
        return missing;
    const LibraryLock lock;
    if (lock.failure())
        return lock.failure();
    const QString saves = savesOf(configFile);
    if (!FileOperations::itemExists(saves))
        return std::nullopt;
    // One rename into the Trash, its record written first: a kill leaves the saves or none.
    if (const Trash::Moved moved = Trash::moveToTrash(saves); moved.error)
        return moved.error;
    return std::nullopt;
}

bool resetAfterAsking(const QString& configFile, const QString& title, Prompter& prompter)
{
    if (!exist(savesOf(configFile))) {
        // The game is already as it came: what was asked for holds, so this is no failure.
        prompter.showSuccess(tr("Nothing to Reset"),
                             tr("\"%1\" is as it came: it has written nothing.").arg(title));
        return true;
    }
    const Prompter::Question question{
        tr("Reset to Original?"),
        tr("Everything \"%1\" wrote is moved to the Trash: its saved games, the settings its setup "
           "program saved, and what its start-up commands changed. The game is then as it came.")
            .arg(title),
        Prompter::Style::Warning,
        {tr("Reset"), tr("Cancel")},
        1};
    if (prompter.ask(question) != 0)
        return false;
    if (const std::optional<QString> error = reset(configFile)) {
        prompter.showAlert(tr("Reset Failed"), *error);
        return false;
    }
    return true;
}

std::optional<QString> replaceWith(const QString& configFile, const QString& unpackedSaves,
                                   const FileOperations::CancelFlag* cancel)
{
    if (const std::optional<QString> missing = noTrash())
        return missing;
    const LibraryLock lock;
    if (lock.failure())
        return lock.failure();
    if (!QFileInfo::exists(configFile))
        return tr("The game %1 is no longer in the library.").arg(QFileInfo(configFile).completeBaseName());
    return ItemSwap::replace({{unpackedSaves, savesOf(configFile)}}, cancel);
}

} // namespace SavedGames
