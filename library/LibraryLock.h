#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <QString>

class QLockFile;

// One change to the library's games at a time, across every Tandril process: an import over a
// game, a delete, a rename, a drop copy and the start-up's repairs each hold this lock while they
// change files. A lock left by a process that is gone is taken over.
class LibraryLock
{
public:
    // Waits up to the given time for another process to finish.
    explicit LibraryLock(int waitMilliseconds = 3000);
    ~LibraryLock();
    LibraryLock(const LibraryLock&) = delete;
    LibraryLock& operator=(const LibraryLock&) = delete;

    // Why the lock could not be taken: the library is busy, or cannot be written.
    std::optional<QString> failure() const { return m_failure; }

    static QString lockFilePath();

    // The one read-modify-write of a game's configuration file: read, changed and written back
    // atomically, all while holding this lock, so that no other writer's change in between is
    // lost. change returns why it refuses the text; every failure is returned.
    static std::optional<QString>
    updateFile(const QString& configFile, const std::function<std::optional<QString>(QString& text)>& change);

private:
    std::unique_ptr<QLockFile> m_lock;
    std::optional<QString> m_failure;
};
