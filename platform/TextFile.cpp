#include "platform/TextFile.h"

#include "platform/FileOperations.h"
#include "platform/Utf8.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <unistd.h>

namespace TextFile {

BytesResult readBytes(const QString& path, qint64 maximumSize)
{
    BytesResult result;
    // A FIFO or a device would block the read or never end: only regular files are read.
    if (const QFileInfo info(path); info.exists() && !info.isFile()) {
        result.error = QCoreApplication::translate("TextFile", "%1 is not a regular file.").arg(path);
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = file.errorString();
        return result;
    }
    // Checked before and after: a regular file's size is known, but it may grow while read.
    if (file.size() <= maximumSize)
        result.bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        result.error = file.errorString();
        result.bytes.clear();
        return result;
    }
    if (file.size() > maximumSize || result.bytes.size() > maximumSize) {
        result.status = ReadStatus::TooLarge;
        result.error = QCoreApplication::translate("TextFile", "The file is too large.");
        result.bytes.clear();
        return result;
    }
    // Editors on other systems start a file with a byte-order mark; it is no part of the text.
    if (result.bytes.startsWith("\xEF\xBB\xBF"))
        result.bytes.remove(0, 3);
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
