#pragma once

#include <optional>
#include <QString>
#include <QStringList>

// CD images as stores and collectors ship them: a cue sheet under another name (".ins", ".inst",
// ".dat"), tracks named with backslashes or in another letter case, type labels that do not
// match the file, "INDEX 0" for "INDEX 01". DOSBox-X needs a clean sheet or the CD's music is
// silent; the original stays untouched and Tandril mounts its own copy.
namespace CueSheet {

// Whether the file's name may be a cue sheet's (".cue" and the stores' names for one).
bool hasSheetName(const QString& path);
// Whether the file is a cue sheet: such a name and a "FILE" line in its first kilobytes.
bool isSheet(const QString& path);

struct Repaired
{
    QString text;         // the sheet with every track file found, named from the sheet's folder
    QStringList problems; // track files that are not there
    QStringList tracks;   // the track files found, as host paths
    bool changed = false; // whether anything had to be mended
};
// The sheet's text made clean; file names are found from the folder given.
Repaired repair(const QString& sheetText, const QString& folder);

// Writes the repaired copy beside the sheet when it needs one (a name other than ".cue" or a
// mended line) and returns the path to mount: the copy's, or the sheet's own. Nothing when the
// sheet cannot be read or written.
std::optional<QString> mountablePath(const QString& sheet, QStringList* problems);

} // namespace CueSheet
