#pragma once

#include "platform/FileOperations.h"

#include <functional>
#include <optional>
#include <QList>
#include <QString>
#include <QStringList>

class Prompter;

// Copying files and folders dropped on the settings editor into the game folder (or its "ISO"
// folder). The plan is made first, asking about every name clash; the copies then run on their
// own, away from the window.
namespace DropCopy {

enum class Target
{
    GameFolder,
    CdImageFolder
};

struct Task
{
    QString source;
    QString destination;
    bool replacesExisting = false; // copied beside it first, then swapped in
    QString report;                // the line logged when the copy worked
};

// The destination folder for the title as typed in the form; empty when the title gives no name.
QString destinationFolder(const QString& title, Target target);

// A free name beside the destination: "game 2.exe", "game 3.exe", "DATA 2".
QString uniqueDestination(const QString& destination, const QStringList& alsoTaken = {});

// What to copy where. Items the CD image area does not take (folders, missing items, files that
// are no CD image: .iso, .cue and the .bin beside a .cue) are left out; clashes are settled by
// asking "Replace", "Keep both" or "Cancel".
QList<Task> plan(const QStringList& sources, const QString& title, Target target, Prompter& prompter);

// What a finished drop makes the game's: the first CD image copied to the CD area; the first
// program (.EXE, .COM, .BAT) copied onto drive C when the game has none yet. Only what is there
// after the copies counts (a Cancel may have stopped some).
struct Chosen
{
    std::optional<QString> cdImage; // its full path
    std::optional<QString> program; // as the game's configuration stores it
};
Chosen chosen(const QList<Task>& tasks, Target target, bool gameHasProgram);

// Bytes copied of the bytes to copy, as the copies go (on the copying thread).
using Progress = std::function<void(qint64 done, qint64 total)>;

// Runs the copies and returns how many worked. Safe to call on a worker thread; a set cancel
// flag stops the copy at hand, whose partial item then goes, and the ones after it.
int run(const QList<Task>& tasks, const FileOperations::CancelFlag* cancel = nullptr,
        const Progress& progress = {});

// Copies one file, or a folder with everything in it. Links inside a folder are copied only when
// they point inside it. An item that cannot be copied fails the whole copy, which is then
// removed; returns the failure's description.
std::optional<QString> copyItem(const QString& source, const QString& destination,
                                const FileOperations::CancelFlag* cancel = nullptr,
                                const FileOperations::ByteProgress& progress = {});

} // namespace DropCopy
