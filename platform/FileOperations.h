#pragma once

#include <atomic>
#include <functional>
#include <optional>
#include <QString>

namespace FileOperations {

// Set from another thread to stop a long copy; the copy then fails and removes what it made.
using CancelFlag = std::atomic_bool;

// Told how many more bytes a copy has written, as it goes (on the copying thread).
using ByteProgress = std::function<void(qint64 bytes)>;

// The description a copy stopped by its CancelFlag fails with.
QString cancelledMessage();

// Removes a file, a link or a folder with everything in it. A link is removed itself; what it
// points to is never touched. Returns the error's description on failure.
std::optional<QString> removeItem(const QString& path);

// Whether anything is at the path, a link that points nowhere included.
// The first item below the folder (relative path) whose name is no UTF-8 text: Qt's listings
// leave such names out, so every walk asks this first.
std::optional<QString> unrepresentableName(const QString& folder);

bool itemExists(const QString& path);

// Makes a folder with its parents; an existing folder is no failure.
std::optional<QString> makeFolder(const QString& path);

// What a folder copy does with the links inside it.
enum class Links
{
    ContentIfInside, // a link to a file inside the folder brings that file's content; others are left out
    Recreate,        // each link is made again with the same target (checked by the caller)
};

// Copies a file (a link's content), or a folder with everything in it, to a destination that
// does not exist yet. Any item that cannot be copied fails the whole copy: what was already
// copied is removed again and the error's description returned.
std::optional<QString> copyTree(const QString& source, const QString& destination, Links links,
                                const CancelFlag* cancel = nullptr, const ByteProgress& progress = {});

// The bytes of the regular files in a file or folder (links not followed), as a copy would see them.
qint64 treeSize(const QString& path);

// A hidden name beside the destination where an item is put together before it takes the
// destination's name: ".NAME.partial-UUID".
QString partialName(const QString& destination);

// Removes the partial names of a folder that a kill left behind: ".BASE.partial-UUID" files whose
// BASE matches the pattern and that no copy has touched for a minute (a live copy keeps its
// file fresh). Returns the paths removed.
QStringList removeAbandonedPartials(const QString& folder, const QString& basePattern);

// Moves a file or folder to a name that is free: renamed when both are on one file system, else
// copied to a partial name beside the destination, renamed into place, and only then removed.
std::optional<QString> moveItem(const QString& source, const QString& destination,
                                const CancelFlag* cancel = nullptr);

// Moves a file onto the destination, replacing a file there in one step: the old file stays
// complete until the new one is, also across file systems.
std::optional<QString> moveFileReplacing(const QString& source, const QString& destination,
                                         const CancelFlag* cancel = nullptr);

} // namespace FileOperations
