#pragma once

#include "library/ConfigEntry.h"

#include <optional>
#include <QList>
#include <QString>

namespace LibraryLoader {

// Every configuration file directly inside the library folder that has a title line, in
// file-name order without the extension (case ignored, digit runs compared by value: game9
// before game10, Doom before Doom 2). Files that
// cannot be read, are not UTF-8 or have no title line are skipped. Nothing when the folder
// cannot be listed; the caller then keeps what it showed.
// signature: set to what listingSignature() gives for what was read.
std::optional<QList<ConfigEntry>> load(const QString& libraryFolder, QByteArray* signature = nullptr);

// The entry one configuration file (an absolute path) gives, if any.
std::optional<ConfigEntry> readEntry(const QString& configFilePath);

// Sorts configuration file names as the file manager does, compared without ".conf".
void sortFileNames(QStringList& names);

// What the library's configuration files hold (their names and bytes): changes whenever a game
// is added, removed or edited, never by Tandril's lock, journals and partial copies.
QByteArray listingSignature(const QString& libraryFolder);

// The row to select after a load: the stored row (0 when never stored) when it is in range.
std::optional<int> rowToRestore(std::optional<int> storedRow, qsizetype entryCount);

} // namespace LibraryLoader
