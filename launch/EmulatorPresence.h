#pragma once

class Emulator;
class Prompter;
class SystemServices;

namespace EmulatorPresence {

// Tells the user that DOSBox-X is missing and offers its download page.
void offerDownload(const Emulator& emulator, Prompter& prompter, SystemServices& services);

} // namespace EmulatorPresence
