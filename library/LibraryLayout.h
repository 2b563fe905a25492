#pragma once

#include <QString>

// How a game's files are named and placed. A game's folders are always derived from its
// configuration file's base name, never searched for and never taken from the title.
namespace LibraryLayout {

inline const QString ConfigExtension = QStringLiteral("conf");
inline const QString FloppyFolderName = QStringLiteral("FLOPPIES");
inline const QString CdImageFolderName = QStringLiteral("ISO");
inline const QString Mt32FolderName = QStringLiteral("mt32");
// How the settings editor recognises a path inside the library folder.
inline const QString LibraryMarker = QStringLiteral("/Library/Application Support/Tandril/");

// Deletes / \ : ? % * | " < > from the text; nothing else changes.
QString removeForbiddenCharacters(const QString& title);
// A new base name from a title: trimmed, the forbidden characters removed, and leading dots
// dropped. Empty when nothing usable remains; callers refuse such a title.
QString baseNameForTitle(const QString& title);
// The base name of an existing game: its configuration file's name without ".conf".
QString baseNameOfConfigFile(const QString& configFilePath);

QString configFilePath(const QString& libraryFolder, const QString& baseName);
QString gameFolder(const QString& libraryFolder, const QString& baseName);
QString floppyFolder(const QString& gameFolder);
QString cdImageFolder(const QString& gameFolder);
QString mt32Folder(const QString& libraryFolder);

// The game folder that belongs to a configuration file of the library.
QString gameFolderOfConfigFile(const QString& libraryFolder, const QString& configFilePath);

} // namespace LibraryLayout
