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

ButtonStates evaluate(int selectedRowCount, const std::optional<ConfigEntry>& selected)
{
    ButtonStates states;
    states.edit = selectedRowCount == 1;
    if (!selected)
        return states;
    states.launchSetup = selected->setupPath.has_value() && !selected->setupPath->isEmpty();
    states.launchGame = namesGameExecutable(selected->filePath);
    states.launchMSDos = true;
    states.remove = true;
    states.gotoC = true;
    states.exportGame = true;
    return states;
}

} // namespace ButtonRules
