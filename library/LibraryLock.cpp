#include "library/LibraryLock.h"

#include "platform/FileOperations.h"
#include "platform/LockFiles.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QLockFile>

LibraryLock::LibraryLock(int waitMilliseconds) : m_lock(std::make_unique<QLockFile>(lockFilePath()))
{
    if (const std::optional<QString> error = FileOperations::makeFolder(Paths::libraryFolder())) {
        m_failure = error;
        return;
    }
    if (LockFiles::tryLock(*m_lock, waitMilliseconds))
        return;
    m_failure =
        m_lock->error() == QLockFile::LockFailedError
            ? QCoreApplication::translate("LibraryLock", "Another Tandril is changing the library right now. "
                                                         "Please try again when it has finished.")
            : QCoreApplication::translate("LibraryLock", "The library folder %1 cannot be written.")
                  .arg(Paths::libraryFolder());
}

LibraryLock::~LibraryLock() = default; // QLockFile unlocks when it goes

std::optional<QString>
LibraryLock::updateFile(const QString& configFile,
                        const std::function<std::optional<QString>(QString& text)>& change)
{
    const LibraryLock lock;
    if (lock.failure())
        return lock.failure();
    const TextFile::ReadResult read = TextFile::readUtf8(configFile);
    if (!read.ok())
        return read.error;
    QString text = read.text;
    if (const std::optional<QString> refused = change(text))
        return refused;
    return TextFile::writeUtf8Atomically(configFile, text);
}

QString LibraryLock::lockFilePath()
{
    return QDir(Paths::libraryFolder()).filePath(QStringLiteral(".tandril.lock"));
}
