#pragma once

#include "library/DosboxSettings.h"

#include <QList>
#include <QString>

// The DOSBox-X settings of a configuration file beyond those the editor's form controls: found on
// loading (those that differ from the template), shown and edited in DOSBox-X's own syntax, and
// written back after the form on saving, each key in its own section.
namespace OtherSettings {

using Setting = DosboxSettings::Setting;
using DosboxSettings::parse;

// The lines of a text of other settings that are no setting and would be lost on saving: a header
// with more after its "]" ("[cpu]cylces=5000"), a line without "=", a key before any section, one
// of Tandril's own keys ("[sdl] game_title=…") or a value holding a control character.
QStringList unreadLines(const QString& otherText);

// The file's settings that the form does not manage and that differ from the template, as text:
// "[section]" lines and "key=value" lines, in the file's order.
QString fromConfig(const QString& configText, const QString& templateText);

// Writes the settings of such a text into the configuration text: a key into its section, a
// section the text lacks before the program's own sections.
void applyTo(const QString& otherText, QString& configText);

// "section.key=value" for each DOSBox-X setting that differs from the template, the form's too.
QStringList differences(const QString& configText, const QString& templateText);

} // namespace OtherSettings
