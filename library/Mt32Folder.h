#pragma once

#include <QString>

// The MT-32 ROM folder shared by every game.
namespace Mt32Folder {

QString path();
// Makes the folder (and with it the library folder) when nothing is there; failures are silent
// and show later as the red status light.
void createIfNeeded();
// Passes when the folder holds exactly two entries whose names end in ".rom" in any letter case.
bool hasTwoRomFiles(const QString& folder = path());

} // namespace Mt32Folder
