#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Finds, in a DOS game's files, the program that starts it, its setup program, its CD image and
// its floppy images. Works on a listing, so that it can be tested without the files.
namespace ProgramPicker {

struct File
{
    QString path; // relative to the game's top folder, "/" between parts
    qint64 size = 0;
    QString batchText{}; // the text of a .BAT file (the start of it), else empty
};

struct Candidate
{
    QString path;
    int score = 0;
};

struct Picked
{
    QList<Candidate> candidates; // the programs that may start the game, best first
    bool ask = false;            // the best two are too close to choose between
    QString setupProgram;        // SETUP, INSTALL or SETSOUND, when there is one
    QString cdImage;             // the first .iso or .cue by name
    QStringList floppyImages;    // .ima, and .img files of a floppy's size
};

// Only the top folder and the folders one level below it count.
Picked pick(const QList<File>& files, const QString& title);

} // namespace ProgramPicker
