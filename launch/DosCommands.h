#pragma once

#include <optional>
#include <QString>
#include <QStringList>

// The DOS commands the emulator runs at start-up, built from a configuration text and paths.
// Paths inside a command are enclosed in double quotes; in what Tandril builds, every "%" is
// doubled, since DOSBox-X runs these commands as batch lines. The user's own start-up lines stay
// as they are written.
namespace DosCommands {

// The user's start-up lines: the "[tandril autoexec]" section up to the next section, each
// line trimmed, blank lines and "#" comments dropped.
QStringList autoexecBlock(const QString& configText);
// The same for the commands that run before the game.
QStringList beforeGameBlock(const QString& configText);

// "C:\GAMES\DOOM\DOOM.EXE" gives "C:", "cd GAMES\DOOM", "DOOM.EXE"; nothing for a path
// without a drive letter.
QStringList dosCommands(const QString& dosPath);

// The commands that start the game_exe value: its DOS path, or else "cd" to its folder and its
// name. A batch file is started with "call", or the lines after it would never run.
QStringList gameStartCommands(const QString& gameExe);

// The program part of a command list's last command, with "call " for a batch file.
QString programCommand(const QString& program);

QString mountDriveC(const QString& gameFolder);
QString mountSetupFolder(const QString& setupFolder);
// Lays a folder over a mounted drive: what DOS programs write on the drive lands in it.
QString mountOverlay(QChar drive, const QString& overlayFolder);
// Only for a non-blank image path.
std::optional<QString> mountCdImage(const QString& cdImagePath);
// The "*.ima" images of the game's FLOPPIES folder, in character code order.
QStringList floppyImages(const QString& gameFolder);
// Mounts the images as drive A:, when there are any.
std::optional<QString> mountFloppies(const QStringList& images);

// Host path parts, "/" the only separator and trailing separators ignored.
QString lastPathComponent(const QString& path);
QString deletingLastPathComponent(const QString& path);

// Whether the game's program is in its folder, found as DOS finds it (letters in any case), so
// that a deleted program is said before DOSBox-X starts. Unknown for what cannot be looked at on
// this side: another drive, a short name ("MYLONG~1"), a path of this computer, a game folder
// that is not there at all.
enum class Presence
{
    There,
    Missing,
    Unknown,
};
Presence programPresence(const QString& gameFolder, const QString& gameExe);

} // namespace DosCommands
