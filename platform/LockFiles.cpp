#include "platform/LockFiles.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QLockFile>
#include <QThread>

namespace LockFiles {

namespace {

// Long enough for a living process to write the lock file it has just made.
constexpr qint64 WritingMilliseconds = 2000;

bool isBroken(const QLockFile& lock, const QString& path)
{
    qint64 pid = 0;
    QString host;
    QString application;
    if (lock.getLockInfo(&pid, &host, &application) && pid > 0)
        return false;
    const QFileInfo file(path);
    return file.exists() && file.lastModified().msecsTo(QDateTime::currentDateTime()) > WritingMilliseconds;
}

} // namespace

bool tryLock(QLockFile& lock, int waitMilliseconds)
{
    lock.setStaleLockTime(0); // age alone never breaks a lock: a long import may hold it for minutes
    const QDeadlineTimer deadline(waitMilliseconds);
    for (;;) {
        if (lock.tryLock(0))
            return true;
        if (lock.error() != QLockFile::LockFailedError)
            return false;
        if (isBroken(lock, lock.fileName()) && lock.removeStaleLockFile())
            continue;
        if (deadline.hasExpired())
            return false;
        QThread::msleep(50);
    }
}

} // namespace LockFiles
