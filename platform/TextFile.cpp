#include "platform/TextFile.h"

#include "platform/Utf8.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>

namespace TextFile {

ReadResult readUtf8(const QString& path, qint64 maximumSize)
{
    ReadResult result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = file.errorString();
        return result;
    }
    if (file.size() > maximumSize) {
        result.status = ReadStatus::TooLarge;
        result.error = QCoreApplication::translate("TextFile", "The file is too large.");
        return result;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        result.error = file.errorString();
        return result;
    }
    if (!isValidUtf8(bytes)) {
        result.status = ReadStatus::InvalidUtf8;
        result.error = QCoreApplication::translate("TextFile", "The file is not valid UTF-8 text.");
        return result;
    }
    result.status = ReadStatus::Ok;
    result.text = QString::fromUtf8(bytes);
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
