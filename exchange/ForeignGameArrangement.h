#pragma once

#include "exchange/ForeignGame.h"

#include <optional>
#include <QString>

// Makes a game's folder of what a foreign set-up read: its drive C's files are in the game's
// folder already (moved there when they were Tandril's own staged copy, else copied). The
// store's leftovers go, the saved games come in as the game's own (to savesTarget), the CD image comes in
// (into the "ISO" folder when it was not on drive C) with a sheet DOSBox-X can mount, and the floppy images
// move to "FLOPPIES".
namespace ForeignGameArrangement {

struct Arranged
{
    QString cdImage;        // below the game's folder, "/" between parts; empty when none
    QStringList notCarried; // what could not be brought in
};

// staged: the set-up's files are Tandril's own copy, so items outside drive C may be moved.
std::optional<QString> arrange(const ForeignGame& game, const QString& gameFolder, bool staged,
                               const QString& savesTarget, Arranged* arranged);

} // namespace ForeignGameArrangement
