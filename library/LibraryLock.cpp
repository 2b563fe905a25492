#include "library/LibraryLock.h"

#include "platform/FileOperations.h"
#include "platform/Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QLockFile>

LibraryLock::LibraryLock(int waitMilliseconds) : m_lock(std::make_unique<QLockFile>(lockFilePath()))
{
    // Age alone never breaks the lock: a long import may hold it for minutes.
    m_lock->setStaleLockTime(0);
    if (const std::optional<QString> error = FileOperations::makeFolder(Paths::libraryFolder())) {
        m_failure = error;
        return;
    }
    if (m_lock->tryLock(waitMilliseconds))
        return;
    m_failure =
        m_lock->error() == QLockFile::LockFailedError
            ? QCoreApplication::translate("LibraryLock", "Another Tandril is changing the library right now. "
                                                         "Please try again when it has finished.")
            : QCoreApplication::translate("LibraryLock", "The library folder %1 cannot be written.")
                  .arg(Paths::libraryFolder());
}

LibraryLock::~LibraryLock() = default; // QLockFile unlocks when it goes

QString LibraryLock::lockFilePath()
{
    return QDir(Paths::libraryFolder()).filePath(QStringLiteral(".tandril.lock"));
}
