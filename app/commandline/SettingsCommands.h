#pragma once

#include "library/GameDetails.h"
#include "settings/OtherSettings.h"

#include <optional>
#include <QList>
#include <QString>
#include <QStringList>

// The command line's view of a game's DOSBox-X settings: what differs from the template, and
// changing single settings with the same checks as the editor.
namespace SettingsCommands {

using Assignment = OtherSettings::Setting;

// "section.key=value"; the key may hold dots ("midi.mt32.romdir=…").
std::optional<Assignment> parseAssignment(const QString& text);

// Why the assignment cannot be written as one DOSBox-X setting (a line break, a section Tandril
// manages itself); nothing when it can.
std::optional<QString> refusal(const Assignment& assignment);

// Sets some of the game's details (year, developer, …: name → value) in its file, read and
// written again under the library's lock, so that another writer's details at the same time
// stay. Returns why it could not.
std::optional<QString> setDetails(const QString& configFile,
                                  const QList<std::pair<QString, QString>>& changes);

// The game's settings that differ from the template, "section.key=value" each.
std::optional<QStringList> differences(const QString& configFile, QString* error);

// Writes the settings into the game's file, where DOSBox-X reads them. Returns why it could not.
std::optional<QString> set(const QString& configFile, const QList<Assignment>& assignments);

} // namespace SettingsCommands
