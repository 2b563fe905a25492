#pragma once

#include <optional>
#include <QString>

// Reading and writing whole text files as UTF-8.
namespace TextFile {

enum class ReadStatus
{
    Ok,
    Unreadable,
    InvalidUtf8,
    TooLarge
};

struct ReadResult
{
    ReadStatus status = ReadStatus::Unreadable;
    QString text;
    QString error; // the system's description when status is not Ok

    bool ok() const { return status == ReadStatus::Ok; }
};

// Nothing the program reads as text is anywhere near this size; larger files are refused
// instead of being pulled into memory.
inline constexpr qint64 MaximumTextSize = 64LL * 1024 * 1024;

struct BytesResult
{
    ReadStatus status = ReadStatus::Unreadable;
    QByteArray bytes;
    QString error;
};

// A regular file's bytes (links followed), never more than the maximum, a leading byte-order
// mark left out. A FIFO or a device is refused at once instead of being read.
BytesResult readBytes(const QString& path, qint64 maximumSize = MaximumTextSize);

ReadResult readUtf8(const QString& path, qint64 maximumSize = MaximumTextSize);

// Replaces the file atomically: written whole under a partial name beside it, then renamed into
// place. Returns the error's description on failure, nothing on success.
std::optional<QString> writeUtf8Atomically(const QString& path, const QString& text);

} // namespace TextFile
