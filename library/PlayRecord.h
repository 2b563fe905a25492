#pragma once

#include <optional>
#include <QDateTime>
#include <QHash>
#include <QString>

// When each game was last played and for how long in all, per user: kept beside the user's
// settings, never in the game's files, so an archive carries none of it and editing a game's
// configuration at the same time loses none of it. Games are known by their configuration file's
// name; a rename takes the record along.
namespace PlayRecord {

struct Record
{
    std::optional<QDateTime> lastPlayed;
    qint64 seconds = 0;
    bool operator==(const Record&) const = default;
};

// Every game's record, by configuration file name ("Doom.conf"), read once.
QHash<QString, Record> all();
Record of(const QString& configFile);

// Each change is made under the record's lock and returns why it could not be written.
// A start: the game was played now.
std::optional<QString> started(const QString& configFile, const QDateTime& when);
// A start that was watched to its end: adds how long it ran (to the game's new name when it was
// renamed meanwhile).
std::optional<QString> played(const QString& configFile, qint64 seconds);
// The game's configuration file was renamed.
std::optional<QString> renamed(const QString& oldConfigFile, const QString& newConfigFile);

// "2 h 5 min", "12 min", "less than a minute"; empty for never.
QString durationText(qint64 seconds);

} // namespace PlayRecord
