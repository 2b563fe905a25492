#pragma once

#include "library/ConfigEntry.h"

#include <optional>
#include <QString>
#include <QStringList>

// A desktop entry that starts one game through "tandril launch", so that the game shows in the
// desktop's menu. Every start reads the configuration afresh.
namespace DesktopShortcut {

// One argument of an Exec line, quoted and escaped as the desktop entry format requires.
QString execArgument(const QString& argument);

QString entryText(const ConfigEntry& entry, const QString& tandrilProgram);
QString fileName(const ConfigEntry& entry);

// Writes the entry into the user's applications folder (made when missing); returns its path,
// or the error's description.
std::optional<QString> write(const ConfigEntry& entry, const QString& tandrilProgram, QString* writtenPath);

} // namespace DesktopShortcut
