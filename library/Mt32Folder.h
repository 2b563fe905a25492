#pragma once

#include <QString>

// The MT-32 ROM folder shared by every game.
namespace Mt32Folder {

QString path();
// Makes the folder (and with it the library folder) when nothing is there; failures are silent
// and show later as the red status light.
void createIfNeeded();

// Whether the folder holds a pair of ROM files as DOSBox-X looks for them: MT32_CONTROL.ROM and
// MT32_PCM.ROM, or CM32L_CONTROL.ROM and CM32L_PCM.ROM, by these names, of a ROM's size (64 KB of
// control; 512 KB or 1 MB of PCM), and holding data (DOSBox-X refuses a file of one byte
// repeated, such as zeros). problem says what is missing or wrong, for the user.
struct Check
{
    bool ready = false;
    QString problem;
};
Check check(const QString& folder = path());
bool hasTwoRomFiles(const QString& folder = path());

} // namespace Mt32Folder
