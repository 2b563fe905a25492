#pragma once

#include "platform/ProcessRunner.h"

#include <optional>
#include <QString>
#include <QStringList>

// The exchange archive: a zip holding {base}/ (the game folder), {base}.conf and the empty
// marker member "tdl", made and read with Info-ZIP's tools.
namespace ArchiveFormat {

inline const QString Marker = QStringLiteral("tdl");
inline const QString Extension = QStringLiteral(".tdl");

// leftOut: items of the game folder (relative paths) that the archive must not hold.
ProcessRunner::Command zipCommand(const QString& stagingFolder, const QString& archivePath,
                                  const QString& baseName, const QStringList& leftOut = {});
// A backup of a game's saved games: a zip holding "saves/" (the saves folder as DOSBox-X keeps
// it) and the empty marker member "tandril-saves".
inline const QString SavesMarker = QStringLiteral("tandril-saves");
inline const QString SavesMember = QStringLiteral("saves");
ProcessRunner::Command savesZipCommand(const QString& stagingFolder, const QString& archivePath,
                                       const QStringList& leftOut = {});

ProcessRunner::Command unzipCommand(const QString& stagingFolder, const QString& archivePath);
// How unzip's lines for one unpacked member begin ("  inflating: Doom/GAME.EXE").
inline const QList<QByteArray> UnzipItemPrefixes{"inflating:", "extracting:", "creating:", "linking:"};
ProcessRunner::Command zipinfoCommand(const QString& archivePath);
// "zipinfo -t": one line with the number of members and their unpacked size.
ProcessRunner::Command zipinfoTotalsCommand(const QString& archivePath);
// The unpacked size from that line; nothing when it cannot be read.
std::optional<qint64> uncompressedSize(const QByteArray& totals);

// Why a tool could not be started, naming the package to install when it is missing.
QString startFailure(const QString& program, const QString& systemError);

// The member names of a "zipinfo -1" listing; none when it is not UTF-8.
QStringList memberNames(const QByteArray& listing);

// A member that would land outside the folder it is unpacked in: an absolute path or a ".." part.
std::optional<QString> unsafeMember(const QStringList& members);

// Points the paths of another user's home at the current one: "/Users/NAME/" and "/home/NAME/"
// become home + "/", in one left-to-right pass; the home is inserted verbatim.
QString rewriteUserPaths(const QString& text, const QString& home);

} // namespace ArchiveFormat
