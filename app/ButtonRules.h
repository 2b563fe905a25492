#pragma once

#include "library/ConfigEntry.h"

#include <optional>

// When the main window's buttons are enabled, from the selection alone.
struct ButtonStates
{
    bool launchSetup = false;
    bool launchGame = false;
    bool launchMSDos = false;
    bool edit = false;
    bool remove = false;
    bool gotoC = false;
    bool exportGame = false;
    // The selected game has no program yet: Play says why, and its program can be chosen.
    bool chooseProgram = false;
};

namespace ButtonRules {

// selectedRowCount: how many rows the table reports selected; selected: the entry of the
// table's current row; busyConfigFile: set while a background job runs, to the game it works on
// (empty before it knows). Reads the configuration file afresh for the game button.
ButtonStates evaluate(int selectedRowCount, const std::optional<ConfigEntry>& selected,
                      const std::optional<QString>& busyConfigFile = std::nullopt);

// The game button's rule: any line beginning with "game_exe=" with a non-blank value.
bool namesGameExecutable(const QString& configFilePath);

} // namespace ButtonRules
