#include "platform/FileOperations.h"

#include "platform/Diagnostics.h"
#include "platform/Paths.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStorageInfo>
#include <sys/stat.h>
#include <unistd.h>

namespace FileOperations {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("FileOperations", text);
}

// Removes what is inside an open folder with the system's own calls on the names' bytes as they
// are on disk, so that a name that is no UTF-8 text goes too. Links are removed, never followed.
bool removeContentsAt(int folder)
{
    DIR* listing = ::fdopendir(::dup(folder));
    if (!listing)
        return false;
    bool removed = true;
    while (const dirent* entry = ::readdir(listing)) {
        const char* name = entry->d_name;
        if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0)
            continue;
        if (::unlinkat(folder, name, 0) == 0)
            continue;
        const int inner = ::openat(folder, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (inner < 0) {
            removed = false;
            continue;
        }
        const bool emptied = removeContentsAt(inner);
        ::close(inner);
        removed = emptied && ::unlinkat(folder, name, AT_REMOVEDIR) == 0 && removed;
    }
    ::closedir(listing);
    return removed;
}

bool removeFolderTree(const QString& path)
{
    const QByteArray encoded = QFile::encodeName(path);
    const int folder = ::open(encoded.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (folder < 0)
        return false;
    const bool emptied = removeContentsAt(folder);
    ::close(folder);
    return emptied && ::rmdir(encoded.constData()) == 0;
}

} // namespace

bool itemExists(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

namespace {

// The first item below an open folder whose name's bytes no text gives back, as a path relative
// to the top (its bad bytes shown as U+FFFD). Links are not followed.
std::optional<QString> unrepresentableAt(int folder, const QString& relative, int depth)
{
    DIR* listing = ::fdopendir(::dup(folder));
    if (!listing || depth > 256) {
        if (listing)
            ::closedir(listing);
        return std::nullopt;
    }
    std::optional<QString> found;
    while (const dirent* entry = ::readdir(listing)) {
        const QByteArray name(entry->d_name);
        if (name == "." || name == "..")
            continue;
        const QString text = QFile::decodeName(name);
        if (QFile::encodeName(text) != name) {
            found = relative + text;
            break;
        }
        const int inner = ::openat(folder, name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (inner < 0)
            continue;
        found = unrepresentableAt(inner, relative + text + u'/', depth + 1);
        ::close(inner);
        if (found)
            break;
    }
    ::closedir(listing);
    return found;
}

} // namespace

std::optional<QString> unrepresentableName(const QString& folder)
{
    const int top =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (top < 0)
        return std::nullopt;
    const std::optional<QString> found = unrepresentableAt(top, QString(), 0);
    ::close(top);
    return found;
}

std::optional<QString> removeItem(const QString& path)
{
    const QFileInfo info(path);
    if (info.isDir() && !info.isSymLink()) {
        if (removeFolderTree(path))
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

QString cancelledMessage()
{
    return tr("Cancelled.");
}

QStringList removeAbandonedPartials(const QString& folder, const QString& basePattern)
{
    const QRegularExpression partial(
        QStringLiteral("^\\.(?:") + basePattern +
        QStringLiteral(")\\.partial-[0-9A-F]{8}(-[0-9A-F]{4}){3}-[0-9A-F]{12}$"));
    const QDateTime aWhileAgo = QDateTime::currentDateTime().addSecs(-60);
    QStringList removed;
    for (const QFileInfo& item : QDir(folder).entryInfoList(QDir::Files | QDir::Hidden)) {
        if (partial.match(item.fileName()).hasMatch() && item.lastModified() < aWhileAgo &&
            QFile::remove(item.filePath()))
            removed.append(item.filePath());
    }
    return removed;
}

QString partialName(const QString& destination)
{
    const QFileInfo info(destination);
    const QString suffix = QStringLiteral(".partial-") + Paths::newUuidName();
    // Most file systems allow 255 bytes in a name: a long name is shortened, never the suffix.
    QString name = info.fileName();
    while (!name.isEmpty() && (u'.' + name + suffix).toUtf8().size() > 255)
        name.chop(name.size() > 1 && name.at(name.size() - 1).isLowSurrogate() ? 2 : 1);
    return info.dir().filePath(u'.' + name + suffix);
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

QString copyError(const QString& path, const QString& reason)
{
    return tr("Could not copy %1: %2").arg(path, reason);
}

// A write that failed or stopped short: a full disk is named as such (a short write tells no
// reason of its own), anything else by the system's words.
QString writeError(const QString& source, const QFile& out, int systemError = 0)
{
    const QString folder = QFileInfo(out.fileName()).absolutePath();
    constexpr qint64 NearlyFull = 1 << 20;
    if (systemError == ENOSPC || systemError == EDQUOT || QStorageInfo(folder).bytesAvailable() < NearlyFull)
        return copyError(source, tr("the disk at %1 is full").arg(QStorageInfo(folder).rootPath()));
    return copyError(source, systemError != 0 ? QString::fromLocal8Bit(std::strerror(systemError))
                                              : out.errorString());
}

// Every block's write and the final flush are checked: a full disk fails the copy instead of
// leaving a short file behind.
bool isCancelled(const CancelFlag* cancel)
{
    return cancel && cancel->load();
}

std::optional<QString> copyFile(const QString& source, const QString& destination, const CancelFlag* cancel,
                                const ByteProgress& progress)
{
    // Opened without blocking and checked to be a regular file: a FIFO that took a file's place
    // would make the copy wait for ever.
    const int descriptor = ::open(QFile::encodeName(source).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0)
        return copyError(source, QString::fromLocal8Bit(std::strerror(errno)));
    struct stat status
    {
    };
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(descriptor);
        return copyError(source, tr("It is no regular file."));
    }
    ::fcntl(descriptor, F_SETFL, ::fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
    QFile in;
    if (!in.open(descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(descriptor);
        return copyError(source, in.errorString());
    }
    QFile out(destination);
    if (!out.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered))
        return copyError(source, out.errorString());
    // In the kernel where it can (no copy through this process), else block by block; each step
    // is checked, so a full disk fails the copy instead of leaving a short file behind.
    constexpr qint64 Step = 8 << 20;
    bool inKernel = true;
    QByteArray block;
    for (;;) {
        if (isCancelled(cancel))
            return cancelledMessage();
        qint64 copied = -1;
#ifdef Q_OS_LINUX
        if (inKernel) {
            copied = ::copy_file_range(in.handle(), nullptr, out.handle(), nullptr, size_t(Step), 0);
            if (copied < 0 && (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP))
                inKernel = false;
            else if (copied < 0)
                return writeError(source, out, errno);
        }
#else
        inKernel = false;
#endif
        if (!inKernel) {
            if (block.isEmpty())
                block.resize(1 << 20);
            copied = in.read(block.data(), block.size());
            if (copied < 0)
                return copyError(source, in.errorString());
            if (copied > 0 && out.write(block.constData(), copied) != copied)
                return writeError(source, out);
        }
        if (copied == 0)
            break;
        if (progress)
            progress(copied);
    }
    if (!out.flush())
        return copyError(source, out.errorString());
    // Taken from what was opened: the mode bits as they are (Qt's permissions would mix in what
    // the current user may do), and the time of the last change.
    ::fchmod(out.handle(), status.st_mode & 07777);
    out.setFileTime(QFileInfo(source).lastModified(), QFileDevice::FileModificationTime);
    out.close();
    if (out.error() != QFileDevice::NoError)
        return copyError(source, out.errorString());
    return std::nullopt;
}

std::optional<QString> copyFolder(const QString& source, const QString& destination, Links links,
                                  const CancelFlag* cancel, const ByteProgress& progress)
{
    // A listing leaves out a name that is no UTF-8 text: refused by name, never dropped.
    if (const std::optional<QString> name = unrepresentableName(source))
        return copyError(source + u'/' + *name, tr("Its name is not UTF-8 text. Rename it and try again."));
    if (!QDir().mkdir(destination))
        return tr("Could not create the folder %1.").arg(destination);
    const QString root = QFileInfo(source).canonicalFilePath();
    QDirIterator it(source, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        if (isCancelled(cancel))
            return cancelledMessage();
        it.next();
        const QFileInfo info = it.fileInfo();
        const QString target = destination + it.filePath().mid(source.size());
        if (info.isSymLink()) {
            if (links == Links::Recreate) {
                if (!QFile::link(linkText(it.filePath()), target))
                    return copyError(it.filePath(), tr("The link could not be made."));
                continue;
            }
            // Never follow a link out of the copied folder into the rest of the disk.
            const QString linked = info.canonicalFilePath();
            if (linked.isEmpty() || !isInside(linked, root) || !info.isFile()) {
                logLine(QStringLiteral("⚠️ Link not copied: ") + it.filePath());
                continue;
            }
            if (std::optional<QString> error = copyFile(it.filePath(), target, cancel, progress))
                return error;
        } else if (info.isDir()) {
            if (!QDir().mkdir(target))
                return tr("Could not create the folder %1.").arg(target);
        } else if (!info.isFile()) {
            // A FIFO would block the copy for ever, a device would never end: no game needs one.
            logLine(QStringLiteral("⚠️ Left out, no regular file: ") + it.filePath());
        } else if (std::optional<QString> error = copyFile(it.filePath(), target, cancel, progress)) {
            return error;
        }
    }
    return std::nullopt;
}

} // namespace

qint64 treeSize(const QString& path)
{
    const QFileInfo top(path);
    if (!top.isDir())
        return top.size();
    qint64 bytes = 0;
    QDirIterator it(path, QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        if (!it.fileInfo().isSymLink())
            bytes += it.fileInfo().size();
    }
    return bytes;
}

std::optional<QString> copyTree(const QString& source, const QString& destination, Links links,
                                const CancelFlag* cancel, const ByteProgress& progress)
{
    const QFileInfo top(source);
    if (!top.exists())
        return copyError(source, tr("It does not exist."));
    if (itemExists(destination))
        return copyError(source, tr("%1 already exists.").arg(destination));
    std::optional<QString> error = top.isDir() ? copyFolder(source, destination, links, cancel, progress)
                                               : copyFile(source, destination, cancel, progress);
    if (error) {
        if (!isCancelled(cancel))
            logLine(QStringLiteral("❌ Error copying file: ") + *error);
        removeItem(destination); // a half copy is never left looking like a whole one
    }
    return error;
}

std::optional<QString> moveItem(const QString& source, const QString& destination, const CancelFlag* cancel)
{
    if (itemExists(destination))
        return tr("Could not move %1 to %2: the name is taken.").arg(source, destination);
    if (QDir().rename(source, destination))
        return std::nullopt;
    // Another file system: the destination's name appears only once the copy is complete.
    const QString partial = partialName(destination);
    if (std::optional<QString> error = copyTree(source, partial, Links::Recreate, cancel))
        return error;
    if (!QDir().rename(partial, destination)) {
        removeItem(partial);
        return tr("Could not move %1 to %2.").arg(source, destination);
    }
    removeItem(source);
    return std::nullopt;
}

std::optional<QString> moveFileReplacing(const QString& source, const QString& destination,
                                         const CancelFlag* cancel)
{
    const QByteArray to = QFile::encodeName(destination);
    // rename(2) replaces a file in one step: there is never a moment without one.
    if (std::rename(QFile::encodeName(source).constData(), to.constData()) == 0)
        return std::nullopt;
    if (errno != EXDEV)
        return tr("Could not move %1 to %2: %3")
            .arg(source, destination, QString::fromLocal8Bit(std::strerror(errno)));
    const QString partial = partialName(destination);
    if (std::optional<QString> error = copyTree(source, partial, Links::Recreate, cancel))
        return error;
    if (std::rename(QFile::encodeName(partial).constData(), to.constData()) != 0) {
        const QString reason = QString::fromLocal8Bit(std::strerror(errno));
        removeItem(partial);
        return tr("Could not move %1 to %2: %3").arg(source, destination, reason);
    }
    removeItem(source);
    return std::nullopt;
}

} // namespace FileOperations
