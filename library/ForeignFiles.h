#pragma once

#include <optional>
#include <QString>

// Files and paths as other DOSBox set-ups write them: made on Windows or on another computer,
// with backslashes, ".." and letter case that differs from the disk.
namespace ForeignFiles {

// The existing item a written path names, from the folder given: "\" and "/" both separate,
// "." and ".." count as written (also through a folder that is not there), and each part is
// found without regard to letter case. Nothing for a path of another computer ("C:\GAMES",
// "/home/…"), an empty one, or one that names nothing.
std::optional<QString> resolve(const QString& base, const QString& written);

// The same for a path on a DOS drive: resolve() from the drive's folder, also finding a DOS short
// name ("SUPERL~1") as the first of the long names that begin with its six characters.
std::optional<QString> resolveOnDrive(const QString& driveFolder, const QString& dosPath);

// The entry of the folder with that name in any letter case, the exact one first, as DOS finds
// it: its path, or nothing.
std::optional<QString> entryInAnyCase(const QString& folder, const QString& name);

// A small text file (a configuration, a cue sheet, an info file) as UTF-8, or as Windows-1250
// when it is no UTF-8. Nothing when it cannot be read or is larger than a megabyte.
std::optional<QString> readText(const QString& path);

} // namespace ForeignFiles
