#pragma once

#include <optional>
#include <QString>

// The folder of short links through which DOSBox-X mounts paths it cannot take as they are. Only
// this user can reach it, so that nobody can point a game's drive elsewhere.
namespace DriveAliases {

// "tandril/drives" in the private runtime folder when that path is short and plain, else a
// private folder of the user's own in /tmp; nothing when neither can be trusted.
std::optional<QString> folder();

// Makes the alias a link to the target (replacing an older link of that name), making the alias
// folder when it is missing. Returns why it could not.
std::optional<QString> link(const QString& alias, const QString& target);

} // namespace DriveAliases
