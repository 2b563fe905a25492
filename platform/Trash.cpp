#include "platform/Trash.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

#ifndef Q_OS_MACOS
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace Trash {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("Trash", text);
}

Moved qtMoveToTrash(const QString& path)
{
    QFile file(path);
    if (file.moveToTrash())
        return {file.fileName(), std::nullopt}; // the file now names its place in the Trash
    return {QString(), tr("Could not move %1 to the Trash: %2").arg(path, file.errorString())};
}

#ifndef Q_OS_MACOS

// The user's Trash as freedesktop.org lays it out, in the user's data folder.
QString trashFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Trash");
}

QString infoPathOf(const QString& pathInTrash)
{
    const QFileInfo item(pathInTrash);
    return QDir(item.dir().absoluteFilePath(QStringLiteral("../info")))
        .absoluteFilePath(item.fileName() + QStringLiteral(".trashinfo"));
}

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

// Writes all of the bytes to a new file of that name; false (and no file) when the name is
// taken, with errno EEXIST, or when the bytes do not all reach the disk.
bool writeNewFile(const QString& path, const QByteArray& bytes)
{
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t step = ::write(fd, bytes.constData() + written, size_t(bytes.size() - written));
        if (step <= 0)
            break;
        written += step;
    }
    const bool whole = written == bytes.size() && ::fsync(fd) == 0;
    const int savedErrno = errno;
    if (::close(fd) != 0 || !whole) {
        ::unlink(name.constData());
        errno = savedErrno != 0 ? savedErrno : EIO;
        return false;
    }
    return true;
}

#endif

} // namespace

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

#ifdef Q_OS_MACOS

Moved moveToTrash(const QString& path, const QString&)
{
    return qtMoveToTrash(path);
}

bool restore(const Moved& moved, const QString& path)
{
    return QDir().rename(moved.pathInTrash, path);
}

void removeOrphanRecords(const QStringList&) {}

#else

Moved moveToTrash(const QString& path, const QString& recordedPath)
{
    const QString original = QFileInfo(recordedPath.isEmpty() ? path : recordedPath).absoluteFilePath();
    const QString trash = trashFolder();
    for (const QString& folder : {trash + QStringLiteral("/files"), trash + QStringLiteral("/info")}) {
        if (!QDir().mkpath(folder))
            return {QString(),
                    tr("Could not move %1 to the Trash: %2").arg(path, tr("its folder cannot be made"))};
    }
    const QByteArray record =
        "[Trash Info]\nPath=" + QUrl::toPercentEncoding(original, "/") +
        "\nDeletionDate=" + QDateTime::currentDateTime().toString(Qt::ISODate).toLatin1() + '\n';
    const QString name = QFileInfo(original).fileName();
    for (int n = 1;; ++n) {
        const QString candidate = n == 1 ? name : QStringLiteral("%1.%2").arg(name).arg(n);
        const QString inTrash = trash + QStringLiteral("/files/") + candidate;
        if (QFileInfo::exists(inTrash) || QFileInfo(inTrash).isSymLink())
            continue;
        const QString info = trash + QStringLiteral("/info/") + candidate + QStringLiteral(".trashinfo");
        // The record first, whole: a trashed item without one could not be put back.
        if (!writeNewFile(info, record)) {
            if (errno == EEXIST)
                continue;
            return {QString(), tr("Could not move %1 to the Trash: %2").arg(path, systemError())};
        }
        if (::rename(QFile::encodeName(path).constData(), QFile::encodeName(inTrash).constData()) == 0)
            return {inTrash, std::nullopt};
        const int renameErrno = errno;
        QFile::remove(info);
        // On another file system the desktop keeps a Trash of that disk's own.
        if (renameErrno == EXDEV)
            return qtMoveToTrash(path);
        errno = renameErrno;
        return {QString(), tr("Could not move %1 to the Trash: %2").arg(path, systemError())};
    }
}

bool restore(const Moved& moved, const QString& path)
{
    if (!QDir().rename(moved.pathInTrash, path))
        return false;
    QFile::remove(infoPathOf(moved.pathInTrash));
    return true;
}

void removeOrphanRecords(const QStringList& recordedPaths)
{
    const QDir info(trashFolder() + QStringLiteral("/info"));
    for (const QString& name : info.entryList({QStringLiteral("*.trashinfo")}, QDir::Files | QDir::Hidden)) {
        QFile record(info.filePath(name));
        if (!record.open(QIODevice::ReadOnly))
            continue;
        const QByteArray text = record.read(65536);
        const qsizetype start = text.indexOf("\nPath=");
        if (start < 0)
            continue;
        const qsizetype end = text.indexOf('\n', start + 6);
        const QString original =
            QUrl::fromPercentEncoding(text.mid(start + 6, end < 0 ? -1 : end - start - 6));
        const QString item = trashFolder() + QStringLiteral("/files/") + name.chopped(10);
        if (recordedPaths.contains(original) && !QFileInfo::exists(item) && !QFileInfo(item).isSymLink())
            record.remove();
    }
}

#endif

} // namespace Trash
