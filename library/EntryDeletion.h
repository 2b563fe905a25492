#pragma once

#include "library/ConfigEntry.h"

#include <optional>

class Prompter;

namespace EntryDeletion {

enum class Outcome
{
    NotDeleted, // nothing selected, refused or cancelled: nothing changed
    Failed,     // a removal failed: the game is still listed with all its files
    Deleted,    // the configuration file and the game folder are gone
};

enum class Disposal
{
    TrashWhenAvailable, // to the desktop's Trash when there is one, so that a slip can be undone
    Permanent,
};

// Deletes a game after asking: its configuration file and its whole game folder, found from the
// file's name and never from the title.
Outcome deleteSelectedEntry(const std::optional<ConfigEntry>& entry, Prompter& prompter,
                            Disposal disposal = Disposal::TrashWhenAvailable);

// Removes a game being replaced, without asking: to the Trash when there is one, else for good.
// Returns why it could not; the game is then as it was.
std::optional<QString> discard(const QString& configFile);

// Finishes the moves to the Trash that a kill interrupted, so that no game is left half in the
// Trash: what is still in the library follows, and records without an item are dropped. Call
// only while holding the library lock.
void finishInterruptedDeletes(const QString& library);

} // namespace EntryDeletion
