#pragma once

#include <optional>
#include <QString>
#include <QStringList>
#include <variant>

// The settings editor's rules for the game's files: stored path forms,
// the cycles field and the shader list.
namespace GameFiles {

// What a chosen game executable is stored as: the path below any game folder of the library,
// empty directly in the library folder, the full path elsewhere.
QString storedGameExePath(const QString& chosenPath);

struct CyclesFilter
{
    QString text; // what the field shows afterwards
    bool invalid; // something other than a digit, or more than 1000000
};
inline constexpr qint64 MaximumCycles = 1000000;
inline constexpr int MaximumSensitivity = 1000;
CyclesFilter filterCycles(const QString& typed);

// Whether a chosen file has one of the extensions, in any letter case.
bool hasExtension(const QString& path, const QStringList& extensions);

// The file name of a CD image path, for display.
QString cdImageDisplayName(const QString& cdImagePath);

// The FLOPPIES folder of the game the title names (the title as typed, trimmed).
QString floppyFolderForTitle(const QString& title);

// DOSBox-X's mouse sensitivity: an integer from -1000 to 1000.
bool isValidSensitivity(const QString& text);
struct SensitivityFilter
{
    QString text; // what the field shows afterwards: a sign and digits, within the range
    bool invalid; // something else was typed, or the number lies outside the range
};
SensitivityFilter filterSensitivity(const QString& typed);

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
