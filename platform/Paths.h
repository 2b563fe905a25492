#pragma once

#include <optional>
#include <QString>

// Where things live on this machine. The library folder keeps the same place on every
// operating system so that exchange archives and their rewritten paths move between machines.
namespace Paths {

QString homeFolder();
// Why the home folder cannot hold the library: its name is no text that names it again (bytes
// that are not UTF-8 would name another folder beside it). Nothing when it can.
std::optional<QString> homeFolderProblem();
QString libraryFolder();
QString temporaryFolder();
// Where exported archives go; it is never created.
QString desktopFolder();
// A fresh name for a staging folder: a new UUID in upper case, without braces.
QString newUuidName();

} // namespace Paths
