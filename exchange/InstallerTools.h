#pragma once

#include "platform/ProcessRunner.h"

#include <optional>
#include <QString>

// The tools that unpack a store's installers: innoextract for its Windows installers, unzip for
// its Linux installers (a shell header before a zip).
namespace InstallerTools {

inline const QString Innoextract = QStringLiteral("/usr/bin/innoextract");
// The oldest innoextract that reads the store's newer installers.
inline constexpr int OldestMajor = 1;
inline constexpr int OldestMinor = 8;

ProcessRunner::Command innoextractVersionCommand();
// "innoextract 1.9 (C) …" gives 1.9; nothing when the answer is no innoextract's.
std::optional<std::pair<int, int>> innoextractVersion(const QByteArray& answer);
// Why this innoextract cannot be used, naming Debian's package; nothing when it can.
std::optional<QString> innoextractProblem(const std::optional<std::pair<int, int>>& version);
// Lists the installer's files, one " - "NAME"" line each.
ProcessRunner::Command innoextractListCommand(const QString& installer);
// Unpacks the installer into the folder, the store's separate data parts too, leaving out the
// installer's own temporary files.
// part: only the files below that folder of the installer ("__support"); empty for all.
ProcessRunner::Command innoextractCommand(const QString& installer, const QString& folder,
                                          const QString& part = {});
// The store's own files of an installer: its configurations among them.
inline const QString SupportPart = QStringLiteral("__support");
// How innoextract's lines for one file begin.
inline const QList<QByteArray> InnoextractItemPrefixes{"- \""};
// The number of files of a listing.
qint64 listedFiles(const QByteArray& listing);

// The part of a store's Linux installer that holds the game and its configurations.
inline const QString LinuxGamePart = QStringLiteral("data/noarch");
// Unpacks only that part of the installer into the folder.
ProcessRunner::Command unzipLinuxInstallerCommand(const QString& installer, const QString& folder);
// unzip's status for a zip after other bytes ("extra bytes at beginning"): 1 is a warning.
bool unzipSucceeded(int exitCode);
// Whether a file's first bytes are a shell script's and a zip follows (its name ends in ".sh").
bool isLinuxInstaller(const QString& file);
// Whether a file is a Windows program of the store's installer's kind ("setup_*.exe", or one
// that names Inno Setup near its start).
bool isWindowsInstaller(const QString& file);

} // namespace InstallerTools
