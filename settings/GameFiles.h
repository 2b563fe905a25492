#pragma once

#include <optional>
#include <QString>
#include <QStringList>
#include <variant>

// The settings editor's rules for the game's files: stored path forms,
// the cycles and sensitivity rules and the shader list.
namespace GameFiles {

// What a chosen game executable is stored as: the path below any game folder of the library,
// empty directly in the library folder, the full path elsewhere.
QString storedGameExePath(const QString& chosenPath);

inline constexpr int MaximumCycles = 1000000;
inline constexpr int MaximumSensitivity = 1000;
// DOSBox-X's CPU speed: "auto" or "max" (with DOSBox-X's further words), or a number of cycles
// from 1 to 1000000, "fixed" in front or not.
bool isValidCycles(const QString& text);

// Whether a chosen file has one of the extensions, in any letter case.
bool hasExtension(const QString& path, const QStringList& extensions);

// The file name of a CD image path, for display.
QString cdImageDisplayName(const QString& cdImagePath);

// The FLOPPIES folder of the game the title names (the title as typed, trimmed).
QString floppyFolderForTitle(const QString& title);

// DOSBox-X's mouse sensitivity: an integer from -1000 to 1000.
bool isValidSensitivity(const QString& text);
struct Shader
{
    QString name;
    bool builtIn = false; // an empty file stands for a shader built into DOSBox-X
    bool operator==(const Shader&) const = default;
};

// The "*.glsl" shaders in the folder, sorted ignoring case, or the error's description when the
// folder cannot be listed.
std::variant<QList<Shader>, QString> shaderNames(const QString& folder);

} // namespace GameFiles
