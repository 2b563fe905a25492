#pragma once

#include <optional>
#include <QStringList>

namespace FolderListing {

// The names in a folder that are not folders themselves: files, hidden ones too, and links
// (which may point anywhere or nowhere; the caller's read tells). Read in one pass over the
// folder without asking the system about each name, which matters for a library of thousands.
// Nothing when the folder cannot be read.
std::optional<QStringList> nonFolderNames(const QString& folder);

} // namespace FolderListing
