#pragma once

#include <optional>
#include <QString>

// Giving a game another base name: its configuration file, its folder and its saved games move
// together. A journal names both names while they move, so that a kill half-way is finished at
// the next start and no game is ever left apart from its files.
namespace GameRename {

// Whether an item of a game of that base name is in the library.
bool isTaken(const QString& library, const QString& baseName);

// Renames the game's items; on failure they are put back under the old name. Returns the
// failure's description. Call only while holding the library lock, or while no other Tandril
// can be at work (the settings editor's save).
std::optional<QString> rename(const QString& library, const QString& oldName, const QString& newName);

// Finishes the renames that a kill interrupted. Call only while holding the library lock.
void finishInterrupted(const QString& library);

} // namespace GameRename
