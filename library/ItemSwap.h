#pragma once

#include "platform/FileOperations.h"

#include <optional>
#include <QList>
#include <QString>

// Changing items of the library folder so that a failure or a kill never leaves half a game: new
// items come in under hidden names first, a journal records the swap, and whatever a killed
// process left is finished or undone by recover() at the next start.
namespace ItemSwap {

struct Item
{
    QString source;      // anywhere, on any file system; empty: the old item goes, nothing comes
    QString destination; // the item's final path in the library folder
};

// Moves the sources in beside their destinations, then swaps them in, old items aside. On any
// failure the old items are put back as they were; on success they go to the Trash where there
// is one, else for good. Returns the failure's description.
// Until the swap itself begins, a set cancel flag stops it the same way.
std::optional<QString> replace(const QList<Item>& items, const FileOperations::CancelFlag* cancel = nullptr);

// Sets a game folder aside under a hidden name in one rename, so that removing it can never
// leave a partial folder under the game's name. Returns the hidden name, or the error.
struct SetAside
{
    QString path;
    std::optional<QString> error;
};
SetAside setAsideForDeletion(const QString& folder);

// Finishes or undoes what a killed swap or delete left in the folder, and removes partial
// copies. Call only while no other operation can be working in the folder.
void recover(const QString& folder);

} // namespace ItemSwap
