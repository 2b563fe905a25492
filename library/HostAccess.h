#pragma once

#include <optional>
#include <QString>

// Which games the user lets reach other folders of this computer (no secure mode, no settings
// overridden at launch), per user: kept beside the play record, never in the game's files, so no
// archive or folder from someone else can carry it. A game that is added, imported or deleted
// under a name loses it.
namespace HostAccess {

bool isAllowed(const QString& configFile);
// Each change returns why it could not be written.
std::optional<QString> setAllowed(const QString& configFile, bool allowed);
// The game's configuration file was renamed.
std::optional<QString> renamed(const QString& oldConfigFile, const QString& newConfigFile);

} // namespace HostAccess
