#include "exchange/Installation.h"

#include "library/ItemSwap.h"
#include "library/LibraryLayout.h"
#include "library/LibraryLock.h"
#include "platform/Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

namespace Installation {

Destinations destinations(const QString& configFileName, const QString& name)
{
    const QDir library(Paths::libraryFolder());
    return {library.filePath(configFileName), library.filePath(name),
            LibraryLayout::savesFolder(library.path(), name)};
}

std::optional<QString> linkLeavingGame(const QString& stagingFolder, const QString& name)
{
    const QString gameFolder = QFileInfo(QDir(stagingFolder).filePath(name)).canonicalFilePath();
    QDirIterator it(stagingFolder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        if (!it.fileInfo().isSymLink())
            continue;
        const QString target = it.fileInfo().canonicalFilePath();
        const bool inside = !gameFolder.isEmpty() && !target.isEmpty() &&
                            (target == gameFolder || target.startsWith(gameFolder + u'/'));
        if (!inside)
            return it.filePath().mid(stagingFolder.size() + 1);
    }
    return std::nullopt;
}

std::optional<QString> install(const QString& stagedConfig, const QString& stagedFolder,
                               const Destinations& destinations, bool mayReplace,
                               const FileOperations::CancelFlag* cancel, const QString& stagedSaves)
{
    const LibraryLock lock;
    if (lock.failure())
        return lock.failure();
    if (!mayReplace && (FileOperations::itemExists(destinations.config) ||
                        (!stagedFolder.isEmpty() && FileOperations::itemExists(destinations.gameFolder))))
        return QCoreApplication::translate(
                   "Installation", "Another game named \"%1\" came into the library meanwhile; nothing "
                                   "was changed. Please try again.")
            .arg(QFileInfo(destinations.gameFolder).fileName());
    QList<ItemSwap::Item> items{{stagedConfig, destinations.config}};
    if (!stagedFolder.isEmpty())
        items.append({stagedFolder, destinations.gameFolder});
    // What an earlier game of this name wrote never lies over the new one's files.
    if (!stagedSaves.isEmpty() || FileOperations::itemExists(destinations.saves))
        items.append({stagedSaves, destinations.saves});
    return ItemSwap::replace(items, cancel);
}

} // namespace Installation
