#pragma once

#include <QString>
#include <QStringList>

// Reads the start-up lines of another DOSBox set-up ([autoexec]) into what Tandril keeps of a
// game: the folder mounted as drive C, the saves mounted over it, the CD and floppy images, the
// game's program and its setup program. What it cannot keep is said, never run.
namespace StartupTranslation {

struct Startup
{
    QString driveC;           // the host folder mounted as C; empty when none is
    QString overlay;          // a host folder mounted over drive C ("-t overlay")
    QStringList cdImages;     // host paths of the images mounted as a CD drive
    QStringList floppyImages; // host paths of the images mounted as drive A or B
    QString program;          // the game's program: a path below driveC, "/" between parts
    QString setup;            // its setup program, the same way
    QStringList beforeGame;   // lines kept to run before the game ("set BLASTER=…")
    QStringList notCarried;   // each line left out, with why
};

// Paths are read from the folder given (where the set-up ran DOSBox); the program is found on
// drive C as DOS would find it after the lines' "c:" and "cd". A text menu ("choice" with its
// labels) gives the game and, when one of its choices runs a setup program, the setup.
Startup translate(const QStringList& lines, const QString& baseFolder);

// The commands of DOSBox's [autoexec] sections, in the order of the texts and their lines.
QStringList autoexecLines(const QString& configText);

// Whether a program's name says it sets the game up rather than starts it.
bool isSetupName(const QString& fileName);

} // namespace StartupTranslation
