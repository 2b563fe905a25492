#include "app/ButtonRules.h"

#include "library/ProgramKeys.h"
#include "platform/TextFile.h"

namespace ButtonRules {

bool namesGameExecutable(const QString& configFilePath)
{
    const TextFile::ReadResult read = TextFile::readUtf8(configFilePath);
    if (!read.ok())
        return false;
    return ProgramKeys::namesGameExe(read.text);
}

ButtonStates evaluate(int selectedRowCount, const std::optional<ConfigEntry>& selected,
                      const std::optional<QString>& busyConfigFile)
{
    ButtonStates states;
    states.edit = selectedRowCount == 1;
    if (selected) {
        states.launchSetup = selected->setupPath.has_value() && !selected->setupPath->isEmpty();
        states.launchGame = namesGameExecutable(selected->filePath);
        states.launchMSDos = true;
        states.remove = true;
        states.gotoC = true;
        states.exportGame = true;
        states.chooseProgram = !states.launchGame;
    }
    if (busyConfigFile) {
        // While a job runs, only playing goes on, and not with the game the job works on.
        const bool busy = selected && selected->filePath == *busyConfigFile;
        states.launchGame = states.launchGame && !busy;
        states.launchSetup = states.launchSetup && !busy;
        states.launchMSDos = states.launchMSDos && !busy;
        states.gotoC = states.gotoC && !busy;
        states.chooseProgram = states.chooseProgram && !busy;
        states.edit = states.remove = states.exportGame = false;
    }
    return states;
}

} // namespace ButtonRules
