#include "app/commandline/SettingsCommands.h"

#include "library/ConfigText.h"
#include "library/EntryCreation.h"
#include "library/LibraryLock.h"
#include "library/ProgramKeys.h"
#include "platform/TextFile.h"
#include "settings/OtherSettings.h"

#include <algorithm>
#include <QCoreApplication>

namespace SettingsCommands {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("SettingsCommands", text);
}

} // namespace

std::optional<Assignment> parseAssignment(const QString& text)
{
    const qsizetype equals = text.indexOf(u'=');
    const qsizetype dot = text.indexOf(u'.');
    if (equals < 0 || dot <= 0 || dot > equals - 2)
        return std::nullopt;
    return Assignment{text.left(dot).trimmed().toLower(),
                      text.mid(dot + 1, equals - dot - 1).trimmed().toLower(),
                      text.mid(equals + 1).trimmed()};
}

std::optional<QString> refusal(const Assignment& assignment)
{
    const QString name = assignment.section + u'.' + assignment.key;
    if (!ConfigText::isWritableValue(name) || !ConfigText::isWritableValue(assignment.value))
        return tr("%1: settings must not contain line breaks, tabs or other control characters.").arg(name);
    if (name.contains(u'[') || name.contains(u']') || assignment.key.startsWith(u'#'))
        return tr("%1 is no DOSBox-X setting.").arg(name);
    if (assignment.section == ProgramKeys::Section || ProgramKeys::isProgramKey(assignment.key))
        return tr("Tandril keeps the game's title and programs in [tandril]: change them in the game's "
                  "settings window, or make a new game with \"tandril add\".");
    if (assignment.section == ProgramKeys::DosboxStartupSection ||
        ProgramKeys::isProgramSection(assignment.section))
        return tr("Tandril writes the start-up commands itself when it starts a game (\"tandril "
                  "launch\"): change them in the game's settings window.");
    return std::nullopt;
}

std::optional<QStringList> differences(const QString& configFile, QString* error)
{
    const TextFile::ReadResult read = TextFile::readUtf8(configFile);
    if (!read.ok()) {
        *error = read.error;
        return std::nullopt;
    }
    return OtherSettings::differences(read.text, EntryCreation::templateText().value_or(QString()));
}

std::optional<QString> setDetails(const QString& configFile,
                                  const QList<std::pair<QString, QString>>& changes)
{
    return LibraryLock::updateFile(configFile, [&](QString& text) -> std::optional<QString> {
        GameDetails details = GameDetailsText::read(text);
        for (const auto& [name, value] : changes)
            GameDetailsText::set(details, name, value);
        if (const std::optional<QString> problem = GameDetailsText::problem(details))
            return problem;
        GameDetailsText::write(details, text);
        return std::nullopt;
    });
}

std::optional<QString> set(const QString& configFile, const QList<Assignment>& assignments)
{
    QString block;
    for (const Assignment& assignment : assignments) {
        if (const std::optional<QString> refused = refusal(assignment))
            return refused;
        block += u'[' + assignment.section + QStringLiteral("]\n") + assignment.key + u'=' +
                 assignment.value + u'\n';
    }
    return LibraryLock::updateFile(configFile, [&](QString& text) -> std::optional<QString> {
        OtherSettings::applyTo(block, text);
        // Never a success for a setting that DOSBox-X would not find where it was written.
        const QList<OtherSettings::Setting> written = OtherSettings::parse(text);
        for (const Assignment& assignment : assignments) {
            const auto last =
                std::find_if(written.rbegin(), written.rend(), [&](const OtherSettings::Setting& s) {
                    return s.section == assignment.section && s.key == assignment.key;
                });
            if (last == written.rend() || last->value != assignment.value)
                return tr("%1 could not be written.").arg(assignment.section + u'.' + assignment.key);
        }
        return std::nullopt;
    });
}

} // namespace SettingsCommands
