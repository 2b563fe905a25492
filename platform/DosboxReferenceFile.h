#pragma once

#include <optional>
#include <QString>

class Emulator;

// The complete reference configuration of the installed DOSBox-X (every section, key, default,
// allowed values and help), written by DOSBox-X itself, headless and under a time limit, once per
// version and kept in the user's cache folder.
namespace DosboxReferenceFile {

struct Result
{
    std::optional<QString> text;
    QString problem; // why there is none
};

// Blocks while DOSBox-X runs (a second or two, the first time for a version): call it away from
// the window's thread.
Result load(const Emulator& emulator);

} // namespace DosboxReferenceFile
