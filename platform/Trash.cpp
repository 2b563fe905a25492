#include "platform/Trash.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace Trash {

bool isAvailable()
{
#ifdef Q_OS_MACOS
    return true;
#else
    // The freedesktop.org Trash lives in the user's data folder; without one there is none.
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return !dataHome.isEmpty() && QFileInfo(dataHome).isDir();
#endif
}

Moved moveToTrash(const QString& path)
{
    QFile file(path);
    if (file.moveToTrash())
        return {file.fileName(), std::nullopt}; // the file now names its place in the Trash
    return {QString(), QCoreApplication::translate("Trash", "Could not move %1 to the Trash: %2")
                           .arg(path, file.errorString())};
}

} // namespace Trash
