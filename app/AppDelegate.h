#pragma once

class Emulator;
class Prompter;
class SystemServices;

// What happens once the application has started, besides the window.
namespace AppDelegate {

// Tells the user once per start when DOSBox-X is missing and offers its download page; the
// program goes on either way.
void checkDosboxXPath(const Emulator& emulator, Prompter& prompter, SystemServices& services);

} // namespace AppDelegate
