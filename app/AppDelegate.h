#pragma once

#include <functional>
#include <QString>

class Emulator;
class FilePanel;
class Prompter;
class SystemServices;

// What happens once the application has started, besides the window.
namespace AppDelegate {

// Tells the user once per start when DOSBox-X is missing and offers its download page; the
// program goes on either way.
void checkDosboxXPath(Emulator& emulator, Prompter& prompter, SystemServices& services,
                      FilePanel* chooser = nullptr);

// A file the desktop asks Tandril to open: an exchange archive (".tdl", letter case as written)
// goes to the import; anything else is not taken. Returns whether the file was taken.
bool openFile(const QString& path, const std::function<void(const QString&)>& importTDLFile);

} // namespace AppDelegate
