#pragma once

#include <optional>
#include <QString>

// The desktop's Trash, where deleted games go so that a slip can be undone.
namespace Trash {

// Whether the desktop keeps a Trash for this user.
bool isAvailable();

struct Moved
{
    QString pathInTrash;
    std::optional<QString> error;
};

// Moves a file or folder to the Trash; a link is moved itself.
Moved moveToTrash(const QString& path);

} // namespace Trash
