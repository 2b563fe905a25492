#pragma once

class QLockFile;

// Lock files that only a process that is gone, or a lock never written whole, makes stale.
namespace LockFiles {

// Tries for up to the given time to take the lock. Besides a lock whose process is gone, a lock
// file that is empty or cannot be read (a kill or a power cut between its making and its
// writing) is taken over once it is older than a moment; a lock that only is old never is.
bool tryLock(QLockFile& lock, int waitMilliseconds);

} // namespace LockFiles
