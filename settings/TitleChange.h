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

// Moves the configuration file and the game folder from the old title's name to the new one's.
// Refused when the new name is taken; a failure leaves everything under the old name.
RenameOutcome renameConfigIfTitleChanged(const QString& oldTitle, const QString& newTitle,
                                         Prompter& prompter);

} // namespace TitleChange
