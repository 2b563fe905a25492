#pragma once

#include <optional>
#include <QString>

class Prompter;

namespace EntryCreation {

// Whether the text holds a line break, a tab or another control character.
bool hasControlCharacter(QStringView text);

// Why a title cannot become a game; nothing when it can.
std::optional<QString> titleProblem(const QString& baseName);

// Makes a new game from a title: its folder with "FLOPPIES", and its configuration file from the
// template with the title line set. Asks before replacing a game of the same base name.
// Returns the new configuration file, or nothing when the title was blank, the user cancelled
// or something failed (failures are reported through the prompter).
std::optional<QString> createConfigEntryAndFolder(const QString& title, Prompter& prompter);

// The text with its title line set: every "game_title=" line rewritten, or one appended.
QString withTitleLine(QString text, const QString& title);

// The template text every new game starts from, or nothing when it cannot be read.
std::optional<QString> templateText();

} // namespace EntryCreation
