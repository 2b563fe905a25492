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

// A game's own name in the library folder: it begins with no dot and names nothing below the folder.
bool isPlainName(const QString& name);

// The game folder that belongs to a configuration file of the library.
QString gameFolderOfConfigFile(const QString& libraryFolder, const QString& configFilePath);

// What a game writes, kept apart from its folder (which stays as the game came): DOSBox-X lays
// it over drive C. A hidden item beside the game's own, ".{base}.saves": no base name begins
// with a dot, so no game's name is ever taken, and loading never lists it.
QString savesFolder(const QString& libraryFolder, const QString& baseName);
QString savesFolderName(const QString& baseName);
QString savesFolderOfConfigFile(const QString& libraryFolder, const QString& configFilePath);
// The base name whose saves folder has this name; empty when the name is no saves folder's.
QString baseNameOfSavesName(const QString& name);

} // namespace LibraryLayout
