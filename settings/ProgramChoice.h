#pragma once

#include <optional>
#include <QString>

// Choosing the program of a game that has none, from the library window: the file must lie in the
// game's folder (drive C), and is stored as the settings editor stores it.
namespace ProgramChoice {

// Writes the chosen file as the game's program; returns why it did not.
std::optional<QString> setGameProgram(const QString& configFile, const QString& chosenPath);

} // namespace ProgramChoice
