#pragma once

#include <optional>
#include <QString>

// Saved games that DOSBox-X keeps apart from a game in an overlay folder (a drive mounted with
// "-t overlay"): new and changed files as they are, a deleted file as ".DBOVERLAY_DEL_NAME" and
// a removed folder as ".DBOVERLAY_RMD_NAME" in the folder where it was.
namespace OverlaySaves {

inline const QString DeletedFilePrefix = QStringLiteral(".DBOVERLAY_DEL_");
inline const QString RemovedFolderPrefix = QStringLiteral(".DBOVERLAY_RMD_");

// Applies the saves to a folder of the game's files as DOSBox-X shows them on its drive: each
// file copied over, each deletion and removal carried out (names found without regard to letter
// case). Links in the saves are left out. Returns the failure's description.
std::optional<QString> applyTo(const QString& savesFolder, const QString& gameFolder);

} // namespace OverlaySaves
