#pragma once

#include "platform/FileOperations.h"

#include <optional>
#include <QDateTime>
#include <QList>
#include <QString>

class Prompter;

// A game's saved games: everything it wrote on drive C, kept by DOSBox-X in the game's saves
// folder while the game's own folder stays as it came. Removed only to the Trash, never for good
// (but for a game deleted for good, with everything else of it).
namespace SavedGames {

struct File
{
    QString path; // below drive C, "/" between parts, as DOSBox-X named it
    qint64 size = 0;
    QDateTime modified;
    bool deleted = false; // a file or folder of the game that the game deleted
    bool operator==(const File&) const = default;
};

// What the game wrote, files first in path order, then what it deleted of its own.
QList<File> list(const QString& savesFolder);

// Whether the game wrote anything (a file, a deletion, an empty folder).
bool exist(const QString& savesFolder);

// Moves the saves folder of the game to the Trash: the game is as it came. Returns why not; the
// saves are then as they were.
std::optional<QString> reset(const QString& configFile);

// "Reset to Original" as the user asks for it: asked first (saying what goes), then done; a
// failure is alerted. True when the game is as it came.
bool resetAfterAsking(const QString& configFile, const QString& title, Prompter& prompter);

// Puts the saves in the unpacked folder in place of the game's (the current ones to the Trash),
// in one swap that a kill leaves before or after. Returns why not.
std::optional<QString> replaceWith(const QString& configFile, const QString& unpackedSaves,
                                   const FileOperations::CancelFlag* cancel = nullptr);

} // namespace SavedGames
