#include "library/InterruptedWork.h"

#include "library/EntryDeletion.h"
#include "library/ItemSwap.h"
#include "library/LibraryLock.h"
#include "platform/Diagnostics.h"
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
    static const QRegularExpression partial(
        QStringLiteral("^\\..+\\.tdl\\.partial-[0-9A-F]{8}(-[0-9A-F]{4}){3}-[0-9A-F]{12}$"));
    const QDir desktop(Paths::desktopFolder());
    const QDateTime aWhileAgo = QDateTime::currentDateTime().addSecs(-60);
    for (const QFileInfo& item : desktop.entryInfoList(QDir::Files | QDir::Hidden)) {
        if (partial.match(item.fileName()).hasMatch() && item.lastModified() < aWhileAgo &&
            QFile::remove(item.filePath()))
            logLine(QStringLiteral("🔄 Removed an unfinished archive: ") + item.filePath());
    }
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
    }
}

} // namespace InterruptedWork
