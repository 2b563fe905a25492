#pragma once

#include <optional>
#include <QString>

class Emulator;

// DOSBox-X's own account of its settings, written by DOSBox-X itself with "config -all -wc",
// headless and under a time limit: every section and key with the value it holds, its help and,
// for some keys, the values it takes.
namespace DosboxReferenceFile {

struct Result
{
    std::optional<QString> text;
    QString problem;          // why there is none
    bool didNotStart = false; // DOSBox-X crashed or hung before it wrote anything
};

// The reference of the installed DOSBox-X with its defaults, made once per version and kept in
// the user's cache folder. Blocks while DOSBox-X runs (a second or two, the first time for a
// version): call it away from the window's thread.
Result load(const Emulator& emulator);

// What DOSBox-X makes of a configuration: the same account, written after it has read the text
// as its configuration file, so each key holds the value DOSBox-X took from it. Blocks for about
// a second, longer when the settings make DOSBox-X hang.
Result readAs(const Emulator& emulator, const QString& configText);

// What a program answers to "-version": DOSBox-X's version line when it is DOSBox-X, else what
// it answered instead (its first line, or why it gave no answer).
struct Identity
{
    std::optional<QString> version;
    QString answer;
};
Identity identify(const Emulator& emulator);
Identity identify(const QString& program);

// Whether DOSBox-X's shell can take the path as one argument of a command: its commands see at
// most 126 bytes, split at blanks and quotes, and read "%" as the start of a variable.
// The default leaves room for the command in the 126 bytes.
bool fitsDosCommand(const QString& path, qsizetype maximumBytes = 100);

} // namespace DosboxReferenceFile
