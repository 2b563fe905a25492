#pragma once

#include "library/GameDetails.h"

#include <optional>
#include <QString>

// One game of the library, as loading found it on disk. Its icon is always the standard
// folder icon, so the window's table model supplies it instead of every record.
struct ConfigEntry
{
    QString title;
    QString filePath;                   // absolute path of the configuration file
    std::optional<QString> setupPath{}; // value of "setup_exe=", absent when the file has none
    GameDetails details{};
};
