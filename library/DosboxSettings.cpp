#include "library/DosboxSettings.h"

#include "library/ConfigText.h"
#include "library/ProgramKeys.h"

namespace DosboxSettings {

namespace {

bool isDosboxSection(const QString& section)
{
    return !section.isEmpty() && !ProgramKeys::isProgramSection(section) &&
           section != ProgramKeys::DosboxStartupSection;
}

} // namespace

QList<Setting> parse(const QString& text)
{
    QList<Setting> settings;
    for (const ConfigText::KeyLine& line : ConfigText::keyLines(text)) {
        if (isDosboxSection(line.section))
            settings.append({line.section, line.key, line.value});
    }
    return settings;
}

void apply(const QList<Setting>& settings, QString& configText)
{
    for (const Setting& setting : settings) {
        // Tandril's own keys belong to its own section, and no line may carry a control character.
        if (ProgramKeys::isProgramKey(setting.key) || !ConfigText::isWritableValue(setting.value))
            continue;
        if (ConfigText::setWhereDosboxReads(setting.section, setting.key, setting.value, configText))
            continue;
        // A section the template lacks goes before the program's own: no DOSBox-X key may ever
        // land in [tandril] or among the start-up commands.
        const QString block =
            u'[' + setting.section + QStringLiteral("]\n") + setting.key + u'=' + setting.value + u'\n';
        if (const std::optional<qsizetype> program = ProgramKeys::firstProgramSectionStart(configText))
            configText.insert(*program, block + u'\n');
        else
            configText +=
                (configText.endsWith(u'\n') || configText.isEmpty() ? QString() : QStringLiteral("\n")) +
                block;
    }
}

} // namespace DosboxSettings
