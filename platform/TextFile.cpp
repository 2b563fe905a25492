#include "platform/TextFile.h"

#include "platform/FileOperations.h"
#include "platform/Utf8.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <sys/stat.h>
#include <unistd.h>

namespace TextFile {

namespace {

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

BytesResult readBytes(const QString& path, qint64 maximumSize)
{
    BytesResult result;
    // Opened without waiting, then asked what it is: a FIFO or a device would block the read or
    // never end, so only a regular file is read. One open and one status call per file keeps a
    // large library's load close to the cost of its bytes.
    const int descriptor = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        result.error = systemError(errno);
        return result;
    }
    const auto closeAtEnd = qScopeGuard([descriptor] { ::close(descriptor); });
    struct stat status = {};
    if (::fstat(descriptor, &status) != 0) {
        result.error = systemError(errno);
        return result;
    }
    if (!S_ISREG(status.st_mode)) {
        result.error = QCoreApplication::translate("TextFile", "%1 is not a regular file.").arg(path);
        return result;
    }
    // The size is known, but the file may grow while it is read: never more than one byte past
    // the maximum is taken in.
    const qint64 expected = std::min<qint64>(status.st_size, maximumSize) + 1;
    QByteArray bytes(expected, Qt::Uninitialized);
    qint64 filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            if (filled > maximumSize)
                break;
            bytes.resize(std::min<qint64>(filled * 2, maximumSize + 1));
        }
        const ssize_t got = ::read(descriptor, bytes.data() + filled, size_t(bytes.size() - filled));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            result.error = systemError(errno);
            return result;
        }
        if (got == 0)
            break;
        filled += got;
    }
    if (filled > maximumSize) {
        result.status = ReadStatus::TooLarge;
        result.error = QCoreApplication::translate("TextFile", "The file is too large.");
        return result;
    }
    bytes.truncate(filled);
    // Editors on other systems start a file with a byte-order mark; it is no part of the text.
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    result.bytes = std::move(bytes);
    result.status = ReadStatus::Ok;
    return result;
}

ReadResult readUtf8(const QString& path, qint64 maximumSize)
{
    ReadResult result;
    BytesResult read = readBytes(path, maximumSize);
    if (read.status != ReadStatus::Ok) {
        result.status = read.status;
        result.error = read.error;
        return result;
    }
    if (!isValidUtf8(read.bytes)) {
        result.status = ReadStatus::InvalidUtf8;
        result.error = QCoreApplication::translate("TextFile", "The file is not valid UTF-8 text.");
        return result;
    }
    result.status = ReadStatus::Ok;
    result.text = QString::fromUtf8(read.bytes);
    return result;
}

std::optional<QString> writeUtf8Atomically(const QString& path, const QString& text)
{
    // Through a link, the file it names is replaced.
    const QFileInfo info(path);
    const QString target = info.isSymLink() ? info.symLinkTarget() : info.absoluteFilePath();
    // Written under Tandril's own partial name, which the next start removes should a kill
    // interrupt the write; every byte is flushed and checked while the old file is untouched.
    const QString partial = FileOperations::partialName(target);
    QFile file(partial);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return file.errorString();
    const QByteArray bytes = text.toUtf8();
    const bool whole = file.write(bytes) == bytes.size() && file.flush() && ::fsync(file.handle()) == 0;
    const QString error = file.errorString();
    if (QFileInfo(target).exists())
        file.setPermissions(QFileInfo(target).permissions());
    file.close();
    if (!whole || file.error() != QFileDevice::NoError) {
        QFile::remove(partial);
        return whole ? file.errorString() : error;
    }
    if (::rename(QFile::encodeName(partial).constData(), QFile::encodeName(target).constData()) != 0) {
        const QString reason = QString::fromLocal8Bit(std::strerror(errno));
        QFile::remove(partial);
        return reason;
    }
    return std::nullopt;
}

} // namespace TextFile
