#include "library/InterruptedWork.h"

#include "library/EntryDeletion.h"
#include "library/ItemSwap.h"
#include "library/LibraryLock.h"
#include "platform/Paths.h"
#include "platform/StagingFolder.h"

#include <QFileInfo>

namespace InterruptedWork {

void finish()
{
    StagingFolder::removeAbandoned();
    if (!QFileInfo(Paths::libraryFolder()).isDir())
        return;
    // Another Tandril at work holds the lock: what it left is its own to finish.
    const LibraryLock lock(0);
    if (!lock.failure()) {
        ItemSwap::recover(Paths::libraryFolder());
        EntryDeletion::finishInterruptedDeletes(Paths::libraryFolder());
    }
}

} // namespace InterruptedWork
