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

} // namespace FileOperations
