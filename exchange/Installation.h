#pragma once

#include "platform/FileOperations.h"

#include <optional>
#include <QString>

// Putting an unpacked game into the library without ever leaving half a game.
namespace Installation {

struct Destinations
{
    QString config;     // library folder + the configuration file's name
    QString gameFolder; // library folder + the game's name
    QString saves;      // the game's saved games, laid over its folder
};

Destinations destinations(const QString& configFileName, const QString& name);

// A link in the unpacked archive that points outside the game folder (or nowhere), if any. The
// game folder is mounted as drive C: a link to "/" would hand a DOS program the whole disk.
std::optional<QString> linkLeavingGame(const QString& stagingFolder, const QString& name);

// Moves the new files in beside the old ones under temporary names, then swaps them: on any
// failure the old game is put back as it was. The new game's saved games are stagedSaves (empty:
// none); an old game's go to the Trash with it. Returns the failure's description. Unless the
// user agreed to replace (mayReplace), a game found at the destinations now, holding the library
// lock, was put there meanwhile by another Tandril: nothing is changed.
std::optional<QString> install(const QString& stagedConfig, const QString& stagedFolder,
                               const Destinations& destinations, bool mayReplace,
                               const FileOperations::CancelFlag* cancel = nullptr,
                               const QString& stagedSaves = {});

} // namespace Installation
