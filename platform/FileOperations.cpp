#include "platform/FileOperations.h"

#include "platform/Diagnostics.h"
#include "platform/Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <unistd.h>

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

namespace {

bool isInside(const QString& path, const QString& folder)
{
    return path == folder || path.startsWith(folder + u'/');
}

// The link as written, relative targets kept relative.
QString linkText(const QString& link)
{
    QByteArray buffer(4096, Qt::Uninitialized);
    const ssize_t length =
        ::readlink(QFile::encodeName(link).constData(), buffer.data(), size_t(buffer.size()));
    return length < 0 ? QString() : QFile::decodeName(buffer.left(length));
}

bool copyFile(const QString& source, const QString& destination)
{
    QFile file(source);
    if (file.copy(destination))
        return true;
    logLine(QStringLiteral("❌ Error copying file: ") + source + QStringLiteral(": ") + file.errorString());
    return false;
}

} // namespace

bool copyTree(const QString& source, const QString& destination, Links links)
{
    const QFileInfo top(source);
    if (!top.exists() && !top.isSymLink()) {
        logLine(QStringLiteral("❌ Error copying file: ") + tr("%1 does not exist.").arg(source));
        return false;
    }
    if (!top.isDir())
        return copyFile(source, destination);
    if (const std::optional<QString> error = makeFolder(destination)) {
        logLine(QStringLiteral("❌ Error copying file: ") + *error);
        return false;
    }
    const QString root = top.canonicalFilePath();
    QDirIterator it(source, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        const QString target = destination + it.filePath().mid(source.size());
        if (info.isSymLink()) {
            if (links == Links::Recreate) {
                if (!QFile::link(linkText(it.filePath()), target))
                    logLine(QStringLiteral("❌ Error copying file: ") + it.filePath());
                continue;
            }
            // Never follow a link out of the copied folder into the rest of the disk.
            const QString linked = info.canonicalFilePath();
            if (linked.isEmpty() || !isInside(linked, root) || info.isDir()) {
                logLine(QStringLiteral("⚠️ Link not copied: ") + it.filePath());
                continue;
            }
            copyFile(it.filePath(), target);
        } else if (info.isDir()) {
            QDir().mkpath(target);
        } else {
            copyFile(it.filePath(), target);
        }
    }
    return true;
}

std::optional<QString> moveItem(const QString& source, const QString& destination)
{
    if (QDir().rename(source, destination))
        return std::nullopt;
    // Another file system: copy beside the destination, then rename into place, so that the
    // destination never holds half an item.
    const QString partial = destination + QStringLiteral(".part-") + Paths::newUuidName();
    if (!copyTree(source, partial, Links::Recreate) || !QDir().rename(partial, destination)) {
        removeItem(partial);
        return tr("Could not move %1 to %2.").arg(source, destination);
    }
    removeItem(source);
    return std::nullopt;
}

} // namespace FileOperations
