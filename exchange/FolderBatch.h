#pragma once

#include <QList>
#include <QString>

// Many games at once: each subfolder and .zip file of a folder becomes a game of its own, added
// by the add-from-folder rules.
namespace FolderBatch {

struct Found
{
    QString source; // the subfolder or .zip file
    QString title;
    QString program; // relative to the game's folder; empty when none was found
    QString cdImage;
    bool inLibrary = false; // a game of that name is in the library already
    bool operator==(const Found&) const = default;
};

// What the folder holds, in name order, each with what its add would find (a .zip file's by
// its listing, which runs the zip tools). Hidden items are left out. Reads files and runs
// tools: call it off the interface thread.
QList<Found> scan(const QString& folder);

// How the games of a batch went.
struct Tally
{
    int total = 0;
    int added = 0;
    int skipped = 0; // already in the library
    int failed = 0;
    // Every game was added or was there already.
    bool complete() const { return failed == 0 && added + skipped == total; }
};
// "Added 2 of 3 games; 1 already in the library, 0 not added": the window's and the command line's.
QString summary(const Tally& tally);

} // namespace FolderBatch
