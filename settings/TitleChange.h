#pragma once

#include <optional>
#include <QString>

class Prompter;

// Keeps a game's file and folder names in step with its title when the settings are saved.
namespace TitleChange {

// Makes the game folder and its FLOPPIES folder; failures are logged and the save goes on.
void prepareFolders(const QString& baseName);

enum class RenameOutcome
{
    Renamed,
    NothingToDo,
    Refused,
    Failed
};

// Moves the edited game's configuration file and folder to the names of its new base name.
// Refused when the new name is taken; a failure leaves everything under the old name.
RenameOutcome renameGame(const QString& oldBaseName, const QString& newBaseName, Prompter& prompter);

// A host path inside the old game folder, pointed at the same place in the new one; any other
// text unchanged.
QString movedPath(const QString& path, const QString& oldFolder, const QString& newFolder);

} // namespace TitleChange
