#pragma once

#include <optional>
#include <QList>
#include <QString>
#include <QStringList>

class DosboxReference;

// The command line's view of a game's DOSBox-X settings: what differs from the template, and
// changing single settings with the same checks as the editor.
namespace SettingsCommands {

struct Assignment
{
    QString section;
    QString key;
    QString value;
};

// "section.key=value"; the key may hold dots ("midi.mt32.romdir=…").
std::optional<Assignment> parseAssignment(const QString& text);

// Why the assignment cannot be written as one DOSBox-X setting (a line break, a section Tandril
// manages itself); nothing when it can.
std::optional<QString> refusal(const Assignment& assignment);

// The game's settings that differ from the template, "section.key=value" each.
std::optional<QStringList> differences(const QString& configFile, QString* error);

struct Outcome
{
    QStringList problems;         // what DOSBox-X would not take; nothing was written
    std::optional<QString> error; // the file could not be read or written
};

// Writes the settings into the game's file unless a check refuses one (force: write anyway).
Outcome set(const QString& configFile, const QList<Assignment>& assignments, const DosboxReference* reference,
            bool force);

} // namespace SettingsCommands
