#include "library/OverlaySaves.h"

#include "library/ForeignFiles.h"
#include "platform/FileOperations.h"

#include <QCoreApplication>
#include <QDir>
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
        if (const std::optional<QString> error = FileOperations::copyTree(
                entry.filePath(), existing.isEmpty() ? target + u'/' + name : existing,
                FileOperations::Links::ContentIfInside))
            return error;
    }
    return std::nullopt;
}

} // namespace

std::optional<QString> applyTo(const QString& savesFolder, const QString& gameFolder)
{
    if (const std::optional<QString> odd = FileOperations::unrepresentableName(savesFolder))
        return QCoreApplication::translate("OverlaySaves",
                                           "The saved game \"%1\" has a name that is no text.")
            .arg(*odd);
    return applyFolder(savesFolder, gameFolder);
}

} // namespace OverlaySaves
