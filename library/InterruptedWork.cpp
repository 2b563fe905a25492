#include "library/InterruptedWork.h"

#include "library/EntryDeletion.h"
#include "library/GameRename.h"
#include "library/ItemSwap.h"
#include "library/LibraryLock.h"
#include "platform/Diagnostics.h"
#include "platform/FileOperations.h"
#include "platform/Paths.h"
#include "platform/StagingFolder.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace InterruptedWork {

namespace {

// An export copies its archive to the Desktop under a partial name, then renames it: one that is
// still there a while later was left by a kill (a live copy keeps it fresh).
void removeAbandonedArchiveCopies()
{
    for (const QString& path :
         FileOperations::removeAbandonedPartials(Paths::desktopFolder(), QStringLiteral(".+\\.tdl")))
        logLine(QStringLiteral("🔄 Removed an unfinished archive: ") + path);
}

} // namespace

void finish()
{
    StagingFolder::removeAbandoned();
    removeAbandonedArchiveCopies();
    if (!QFileInfo(Paths::libraryFolder()).isDir())
        return;
    // Another Tandril at work holds the lock: what it left is its own to finish.
    const LibraryLock lock(0);
    if (!lock.failure()) {
        ItemSwap::recover(Paths::libraryFolder());
        EntryDeletion::finishInterruptedDeletes(Paths::libraryFolder());
        GameRename::finishInterrupted(Paths::libraryFolder());
    }
}

} // namespace InterruptedWork
