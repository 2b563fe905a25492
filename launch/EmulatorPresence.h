#pragma once

#include <QString>

class Emulator;
class FilePanel;
class Prompter;
class SystemServices;

namespace EmulatorPresence {

// Keeps the program as the user's DOSBox-X when it answers "-version" as DOSBox-X does; says what
// it answered otherwise. True when it was kept.
bool choose(Emulator& emulator, Prompter& prompter, const QString& program);

// Tells the user that DOSBox-X is missing and offers its download page, and, where a file panel
// is at hand, to choose the program; the choice is kept for later starts.
void offerDownload(Emulator& emulator, Prompter& prompter, SystemServices& services,
                   FilePanel* chooser = nullptr);

// What the DOSBox-X choice shows: the program and how it came to be used, and the version it
// answers (asked of the program itself).
struct Description
{
    QString program;
    QString version;
};
Description describe(const Emulator& emulator);

} // namespace EmulatorPresence
