#pragma once

#include <optional>
#include <QString>

// Saved games that DOSBox-X keeps apart from a game in an overlay folder (a drive mounted with
// "-t overlay"): new and changed files as they are, a deleted file as ".DBOVERLAY_DEL_NAME" and
// a removed folder as ".DBOVERLAY_RMD_NAME" in the folder where it was.
namespace OverlaySaves {

inline const QString DeletedFilePrefix = QStringLiteral(".DBOVERLAY_DEL_");
inline const QString RemovedFolderPrefix = QStringLiteral(".DBOVERLAY_RMD_");

// Drive C as DOSBox-X shows it, made in the new folder target of links (no file copied): folders
// as folders, each file a link to the game's file or to the saved one that replaced it. Links of
// the game that lead out of its folder are left out. Returns the failure's description.
std::optional<QString> linkMergedView(const QString& gameFolder, const QString& savesFolder,
                                      const QString& target);

} // namespace OverlaySaves
