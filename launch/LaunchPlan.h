#pragma once

#include "library/ConfigEntry.h"

#include <functional>
#include <optional>
#include <QStringList>
#include <variant>

enum class LaunchMode
{
    Game,
    Setup,
    DosPrompt
};

// Why a launch does not start: the alert the user sees.
struct LaunchRefusal
{
    QString title;
    QString message;
    bool operator==(const LaunchRefusal&) const = default;
};

// DOSBox-X runs at most this many -c commands and silently drops the rest.
inline constexpr int MaximumStartupCommands = 11;

class MountPaths;

// Where a launch's writes go, laid over its drives: the game's saves folder over drive C, and for
// a setup program in the game's folder, that part of the saves folder over drive D. They must
// exist before DOSBox-X starts: without one, it lets the game write into its folder.
struct Overlays
{
    QString driveC;
    std::optional<QString> driveD;
};
Overlays overlayFolders(LaunchMode mode, const ConfigEntry& entry, const QString& libraryFolder);

// Whether the game may reach past its own drives: without it, DOSBox-X runs neither its own
// [config] nor its [autoexec] section, settings that reach the host are overridden, and after
// Tandril's mounts it is put into its secure mode (no MOUNT, IMGMOUNT, START or "config -wc"),
// before the game's program and start-up lines run.
enum class HostReachChoice
{
    OwnDrivesOnly,
    OtherFolders,
};

// The emulator's argument list for a mode, or the alert that stops it. Reads the configuration
// file and the floppy folder; writes nothing. mounts: turns the host paths DOSBox-X mounts into
// paths it can take, and collects the links that needs (none: every path as it is).
// hasLanguageFile: whether the installed DOSBox-X has a language file (none: it has every one);
// a file it lacks is never named, since DOSBox-X would stop every start to say so.
std::variant<QStringList, LaunchRefusal>
planLaunch(LaunchMode mode, const std::optional<ConfigEntry>& entry, const QString& libraryFolder,
           const QStringList& preferredLanguages, MountPaths* mounts = nullptr,
           HostReachChoice reach = HostReachChoice::OwnDrivesOnly,
           const std::function<bool(const QString&)>& hasLanguageFile = {});
