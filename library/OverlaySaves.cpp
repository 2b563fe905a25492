#include "library/OverlaySaves.h"

#include "library/ForeignFiles.h"
#include "platform/FileOperations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace OverlaySaves {

namespace {

// The folder's entry of that name in any letter case, as DOS names it; empty when none.
QString entryNamed(const QString& folder, const QString& name)
{
    return ForeignFiles::entryInAnyCase(folder, name).value_or(QString());
}

bool isRecord(const QString& name)
{
    return name.startsWith(DeletedFilePrefix, Qt::CaseInsensitive) ||
           name.startsWith(RemovedFolderPrefix, Qt::CaseInsensitive);
}

bool holdsOnlyRecords(const QString& folder)
{
    for (const QFileInfo& entry :
         QDir(folder).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        if (entry.isDir() ? !holdsOnlyRecords(entry.filePath()) : !isRecord(entry.fileName()))
            return false;
    }
    return true;
}

// A file of the view: a link to the game's file or to the saved one.
std::optional<QString> place(const QString& file, const QString& destination)
{
    if (QFile::link(QFileInfo(file).absoluteFilePath(), destination))
        return std::nullopt;
    return QCoreApplication::translate("OverlaySaves", "Could not link %1 to %2.").arg(destination, file);
}

std::optional<QString> applyFolder(const QString& saves, const QString& target)
{
    if (const std::optional<QString> made = FileOperations::makeFolder(target))
        return made;
    const QFileInfoList entries =
        QDir(saves).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    // Deletions first: a file deleted and made again is in the saves as both.
    for (const QFileInfo& entry : entries) {
        const QString name = entry.fileName();
        for (const QString& prefix : {DeletedFilePrefix, RemovedFolderPrefix}) {
            if (!name.startsWith(prefix, Qt::CaseInsensitive))
                continue;
            const QString gone = entryNamed(target, name.mid(prefix.size()));
            if (gone.isEmpty())
                continue;
            if (const std::optional<QString> error = FileOperations::removeItem(gone))
                return error;
        }
    }
    for (const QFileInfo& entry : entries) {
        const QString name = entry.fileName();
        if (entry.isSymLink() || isRecord(name))
            continue;
        QString existing = entryNamed(target, name);
        // A folder the game removed keeps DOSBox-X's records of what was in it: no folder again.
        if (entry.isDir() && holdsOnlyRecords(entry.filePath()) &&
            !entryNamed(saves, RemovedFolderPrefix + name).isEmpty())
            continue;
        if (entry.isDir()) {
            if (!existing.isEmpty() && !QFileInfo(existing).isDir()) {
                if (const std::optional<QString> error = FileOperations::removeItem(existing))
                    return error;
                existing.clear();
            }
            if (const std::optional<QString> error =
                    applyFolder(entry.filePath(), existing.isEmpty() ? target + u'/' + name : existing))
                return error;
            continue;
        }
        if (!existing.isEmpty()) {
            if (const std::optional<QString> error = FileOperations::removeItem(existing))
                return error;
        }
        // The saves' name: DOSBox-X wrote the file under the name the game gave it.
        if (const std::optional<QString> error =
                place(entry.filePath(), existing.isEmpty() ? target + u'/' + name : existing))
            return error;
    }
    return std::nullopt;
}

} // namespace

namespace {

std::optional<QString> mirrorAsLinks(const QString& folder, const QString& target, const QString& root)
{
    if (const std::optional<QString> made = FileOperations::makeFolder(target))
        return made;
    for (const QFileInfo& entry :
         QDir(folder).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        const QString destination = target + u'/' + entry.fileName();
        if (entry.isSymLink()) {
            const QString to = entry.canonicalFilePath();
            if (to.isEmpty() || !to.startsWith(root + u'/') || entry.isDir())
                continue; // never a way out of the game's folder, nor a folder twice
        }
        const std::optional<QString> error = entry.isDir() && !entry.isSymLink()
                                                 ? mirrorAsLinks(entry.filePath(), destination, root)
                                                 : place(entry.filePath(), destination);
        if (error)
            return error;
    }
    return std::nullopt;
}

} // namespace

std::optional<QString> linkMergedView(const QString& gameFolder, const QString& savesFolder,
                                      const QString& target)
{
    if (const std::optional<QString> error =
            mirrorAsLinks(gameFolder, target, QFileInfo(gameFolder).canonicalFilePath()))
        return error;
    if (!QFileInfo(savesFolder).isDir())
        return std::nullopt;
    if (const std::optional<QString> odd = FileOperations::unrepresentableName(savesFolder))
        return QCoreApplication::translate("OverlaySaves",
                                           "The saved game \"%1\" has a name that is no text.")
            .arg(*odd);
    return applyFolder(savesFolder, target);
}

} // namespace OverlaySaves
