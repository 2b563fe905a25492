#pragma once

#include "library/ConfigEntry.h"

#include <QString>
#include <variant>

// Finds the game a command-line argument names: a configuration file's path, a base name or a
// title. The error names what went wrong (for a shared title, every configuration file).
std::variant<ConfigEntry, QString> findGame(const QString& game);
