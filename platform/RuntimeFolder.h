#pragma once

#include <optional>
#include <QString>

// The user's private runtime folder: where Tandril keeps what no other user may reach (the window's
// hand-over socket, the short names of mounted folders).
namespace RuntimeFolder {

// Whether the folder is one only this user can reach: a real folder (not a link), owned by the
// user, with no access for group or others.
bool isPrivate(const QString& folder);

// XDG_RUNTIME_DIR, else a folder "runtime-UID" made in the temporary folder, when it is private;
// nothing otherwise (never a shared temporary folder).
std::optional<QString> privateFolder();

} // namespace RuntimeFolder
