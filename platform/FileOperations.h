#pragma once

#include <optional>
#include <QString>

namespace FileOperations {

// Removes a file, a link or a folder with everything in it. A link is removed itself; what it
// points to is never touched. Returns the error's description on failure.
std::optional<QString> removeItem(const QString& path);

// Whether anything is at the path, a link that points nowhere included.
bool itemExists(const QString& path);

// Makes a folder with its parents; an existing folder is no failure.
std::optional<QString> makeFolder(const QString& path);

// What a folder copy does with the links inside it.
enum class Links
{
    ContentIfInside, // a link to a file inside the folder brings that file's content; others are left out
    Recreate,        // each link is made again with the same target (checked by the caller)
};

// Copies a file (a link's content), or a folder with everything in it. Items that cannot be
// copied are logged and the rest is still copied; false when nothing could be started.
bool copyTree(const QString& source, const QString& destination, Links links);

// Moves a file or folder: renamed when both are on one file system, else copied and removed.
std::optional<QString> moveItem(const QString& source, const QString& destination);

} // namespace FileOperations
