#pragma once

#include "library/DosboxSettings.h"

#include <optional>
#include <QString>
#include <QStringList>

// A game set up for DOSBox elsewhere, as Tandril reads it from its files: a store's game folder
// (installed, unpacked from its installer or from its Linux installer), a browser bundle, or a
// DOSBox configuration with the folder it mounts. Only read: nothing is changed or run.
struct ForeignGame
{
    enum class Kind
    {
        StoreGame,   // an info file or a configuration pair of a store
        Bundle,      // a browser bundle's ".jsdos/dosbox.conf"
        DosboxSetup, // a DOSBox configuration file and its folder
    };
    Kind kind = Kind::StoreGame;
    QString title;
    QString driveC;           // the host folder that becomes the game's folder
    QStringList leaveOut;     // items inside driveC that are the store's, not the game's
    QString saves;            // saved games kept apart from the game (an overlay folder)
    QString cdImage;          // host path of the CD image, if any
    QStringList floppyImages; // host paths
    QString program;          // below driveC, "/" between parts
    QString setup;            // below driveC
    QStringList beforeGame;   // start-up lines to run before the game
    QList<DosboxSettings::Setting> settings;
    QStringList notCarried; // what was left out, each with why
    int packGames = 1;      // how many games the set-up holds (a store's pack)

    // The set-up found in a folder, by its content; nothing for a plain folder of a game. A
    // store's pack holds several games, counted from 0 (the primary one).
    static std::optional<ForeignGame> readFolder(const QString& folder, int packGame = 0);
    // A DOSBox configuration file with the folders it mounts; nothing when it mounts no drive C.
    static std::optional<ForeignGame> readConfiguration(const QString& configFile);
    // Whether a file's name and first bytes say it is a DOSBox configuration.
    static bool isConfiguration(const QString& file);

    // An installer's unpacked files ("app/" with the store's "__support/app/") put together as
    // the installer would: the store's files over the game's. Returns the folder to read.
    static QString joinUnpackedInstaller(const QString& unpacked);
};
