#pragma once

class Emulator;
class FilePanel;
class Prompter;
class SystemServices;

namespace EmulatorPresence {

// Tells the user that DOSBox-X is missing and offers its download page, and, where a file panel
// is at hand, to choose the program; the choice is kept for later starts.
void offerDownload(Emulator& emulator, Prompter& prompter, SystemServices& services,
                   FilePanel* chooser = nullptr);

} // namespace EmulatorPresence
