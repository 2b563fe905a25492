#include "app/ButtonRules.h"

#include "platform/TextFile.h"

namespace ButtonRules {

bool namesGameExecutable(const QString& configFilePath)
{
    const TextFile::ReadResult read = TextFile::readUtf8(configFilePath);
    if (!read.ok())
        return false;
    static constexpr QStringView Key = u"game_exe=";
    // Unlike the launch, which takes only the first line, any such line enables the button.
    for (const QStringView line : QStringView(read.text).tokenize(u'\n')) {
        if (line.startsWith(Key) && !line.mid(Key.size()).trimmed().isEmpty())
            return true;
    }
    return false;
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
