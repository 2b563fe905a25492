#pragma once

#include <optional>
#include <QString>
#include <QStringList>

// What a player keeps about a game beyond its settings: year, developer, publisher, genre and
// notes. Kept in the game's own configuration file, in Tandril's [tandril] section, which
// DOSBox-X ignores; so an exported archive carries them.
struct GameDetails
{
    QString year;
    QString developer;
    QString publisher;
    QString genre;
    QString notes; // may hold line breaks

    bool operator==(const GameDetails&) const = default;
};

namespace GameDetailsText {

// The keys in the configuration file, in the order "tandril details" prints them.
QStringList keys();

// The details' lines of a configuration text (the first line of each key counts, as for the title).
GameDetails read(QStringView configText);

// Writes the details into the text's [tandril] section; an empty detail's line goes.
void write(const GameDetails& details, QString& configText);

// A value by its short name ("year", "developer", …); false for an unknown name.
bool set(GameDetails& details, const QString& name, const QString& value);
QString value(const GameDetails& details, const QString& name);

// Why the details cannot be kept; nothing when they can. A year is four digits or empty.
std::optional<QString> problem(const GameDetails& details);

// Notes on one line of the file: "\" and line breaks escaped, and back.
QString escapedNotes(const QString& notes);
QString unescapedNotes(QStringView line);

} // namespace GameDetailsText
