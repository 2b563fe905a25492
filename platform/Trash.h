#pragma once

#include <optional>
#include <QString>
#include <QStringList>

// The desktop's Trash, where deleted and replaced games go so that a slip can be undone.
namespace Trash {

// Whether the desktop keeps a Trash for this user.
bool isAvailable();

struct Moved
{
    QString pathInTrash;
    std::optional<QString> error;
};

// Moves a file or folder to the Trash (a link is moved itself), recorded as coming from
// recordedPath (empty: its own path), so that it can be put back there. The record is written
// and checked first: when it cannot be written whole (a full disk), nothing moves.
Moved moveToTrash(const QString& path, const QString& recordedPath = {});

// Puts an item that moveToTrash moved back to the path, and drops its record.
bool restore(const Moved& moved, const QString& path);

// Drops the Trash's records of these original paths that have no item in the Trash: what a kill
// between writing a record and moving the item leaves.
void removeOrphanRecords(const QStringList& recordedPaths);

} // namespace Trash
