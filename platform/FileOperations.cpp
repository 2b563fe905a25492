#include "platform/FileOperations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace FileOperations {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("FileOperations", text);
}

} // namespace

bool itemExists(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

std::optional<QString> removeItem(const QString& path)
{
    const QFileInfo info(path);
    if (info.isDir() && !info.isSymLink()) {
        // removeRecursively removes links inside as links; it does not follow them.
        if (QDir(path).removeRecursively())
            return std::nullopt;
        return tr("Could not remove the folder %1 completely.").arg(path);
    }
    QFile file(path);
    if (file.remove())
        return std::nullopt;
    return file.errorString();
}

std::optional<QString> makeFolder(const QString& path)
{
    if (QFileInfo(path).isDir())
        return std::nullopt;
    if (QDir().mkpath(path))
        return std::nullopt;
    return tr("Could not create the folder %1.").arg(path);
}

} // namespace FileOperations
