#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The DOSBox-X settings of a configuration that reach the computer beyond the game's own drives:
// starting host programs, serial and parallel ports that write to files, devices or the network,
// networking, and paths outside the game's folder in settings that name files. Games from other
// people have them dropped when they are added and overridden at every launch, unless the user
// lets the game reach other folders.
namespace HostReach {

struct Finding
{
    QString section;   // lower case, as DOSBox-X reads it
    QString key;       // lower case
    QString value;     // as the configuration holds it
    QString safeValue; // what DOSBox-X is given instead at launch
    bool operator==(const Finding&) const = default;
};

// Where a game's paths may lead: its own folder, and the folders Tandril shares with every game.
struct Allowed
{
    QString gameFolder;
    QStringList sharedFolders; // the MT-32 folder
    QString captureFolder;     // what a capture or print folder outside becomes
};

// The settings as DOSBox-X takes them (the last occurrence of each key counts) that reach
// beyond the allowed folders, in the text's order.
QList<Finding> find(const QString& configText, const Allowed& allowed);

// The "-set" texts that put each finding's safe value in its place: "section key=value".
QStringList overrides(const QList<Finding>& findings);

// "[dos] startcmd=true" for the user's summary.
QString describe(const Finding& finding);

// The configuration without every line of a finding's keys and of a setup program outside the
// game's folder (Tandril would mount its folder), and with DOSBox-X's own [autoexec]
// section's lines moved to the end of Tandril's start-up commands (DOSBox-X is started without
// running that section). What it dropped goes to *dropped, each as describe() says it.
QString madeSafe(const QString& configText, const Allowed& allowed, QStringList* dropped);

} // namespace HostReach
