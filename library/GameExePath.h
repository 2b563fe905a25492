#pragma once

#include <optional>
#include <QString>

// The game's program as its configuration stores it for DOSBox-X's drive C.
namespace GameExePath {

// Folder parts longer than 8 user-perceived characters become their first 6 and "~1", as DOS
// sees them; the file name never changes. Nothing for a blank text.
std::optional<QString> shortFolderNames(const QString& gameExe);

} // namespace GameExePath
