#pragma once

#include "settings/GameForm.h"

#include <QString>

// The settings form's values as a configuration file gives them, before they meet the controls.
namespace SettingsForm {

// Reads the form's values from a configuration text: each key from its last trimmed line, the
// table's fields at their defaults where the text has none; "mididevice=" and
// "windowresolution=" from their first untrimmed line. The other settings are those that differ
// from the template's.
GameForm load(const QString& text, const QString& templateText = QString());

// "shaders/sharp.glsl" gives "sharp".
QString shaderName(const QString& glshaderValue);

// The shader menu's first item; saving it writes an empty "glshader=".
QString noShaderTitle();

} // namespace SettingsForm
