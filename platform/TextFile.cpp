#include "platform/TextFile.h"

#include "platform/Utf8.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    const QByteArray bytes = text.toUtf8();
    // commit() may report success after its own final flush failed (a full disk): every
    // byte is flushed and checked here, while the old file is still untouched.
    if (file.write(bytes) != bytes.size() || !file.flush() || file.error() != QFileDevice::NoError) {
        const QString error = file.errorString();
        file.cancelWriting();
        return error;
    }
    if (!file.commit())
        return file.errorString();
    return std::nullopt;
}

} // namespace TextFile
