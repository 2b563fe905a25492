#pragma once

#include "platform/ProcessRunner.h"

#include <functional>
#include <QByteArray>
#include <QString>

// Games as other DOSBox set-ups ship them, built from their formats around a small game of our
// own: "Cave Run", whose C:\CAVE\GAME.BAT writes PLAYED.TXT beside itself, copies CDFILE.TXT
// from its CD on D: as FROMCD.TXT and a saved game SAVE1.DAT as SAVESEEN.TXT, and whose
// SETUP.BAT writes SETUP.TXT. Its CD is an ISO image named like a store's ("game.gog")
// with a separate audio track, listed in a cue sheet with a store's faults.
namespace ForeignFixtures {

// The kinds below, written into the folder given; each returns the path to add from.
// A store's installed game: info file, configuration pair with a menu, the saves overlay
// (one saved game, one deletion), the store's own DOSBox and leftovers.
QString storeFolder(const QString& folder);
// The same as innoextract unpacks its installer: "app/" with "__support/app/" beside it.
QString unpackedInstaller(const QString& folder);
// A store's Linux installer: a shell header and a zip of "data/noarch".
QString linuxInstaller(const QString& folder);
// A browser bundle ".jsdos" whose root is drive C.
QString bundle(const QString& folder);
// A collection's configuration beside its games, mounting "games\CAVERUN" (on disk "CaveRun").
QString collectionConfig(const QString& folder);

// A stand-in for innoextract that records each call in FILE.calls and unpacks the folder given
// (as innoextract unpacks a store's installer); version: what it answers to "--version".
QString innoextractStandIn(const QString& folder, const QString& unpacked,
                           const QByteArray& version = "innoextract 1.9");
// A rewrite of the tools' commands (for RewrittenTools) that runs that stand-in as innoextract.
std::function<ProcessRunner::Command(ProcessRunner::Command)> innoextractAs(const QString& standIn);
// A file that looks like the store's Windows installer to Tandril.
QString windowsInstaller(const QString& folder);

// Whether the ISO image could be made (genisoimage is one of the test packages).
bool canMakeImages();

} // namespace ForeignFixtures
