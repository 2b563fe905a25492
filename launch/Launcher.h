#pragma once

#include "launch/LaunchPlan.h"
#include "platform/Emulator.h"

#include <functional>

class FilePanel;
class Prompter;
class SystemServices;

// Starts the emulator for a game, its setup program or a DOS prompt, shared by the window's
// buttons and the command line. Every failure is one alert; nothing is ever written.
class Launcher
{
public:
    using LanguageSource = std::function<QStringList()>;

    // chooser: lets the user pick DOSBox-X when it is missing (none on the command line).
    // watchQuickExit: tells the user when DOSBox-X fails right after it started (the window).
    Launcher(Emulator emulator, Prompter& prompter, SystemServices& services, LanguageSource languages,
             FilePanel* chooser = nullptr, bool watchQuickExit = false);

    // True when the emulator was started.
    bool launch(LaunchMode mode, const std::optional<ConfigEntry>& entry);

    // Shows the game folder in the file manager when it exists; nothing otherwise.
    void gotoDriveC(const std::optional<ConfigEntry>& entry);

private:
    Emulator m_emulator;
    Prompter& m_prompter;
    SystemServices& m_services;
    LanguageSource m_languages;
    FilePanel* m_chooser = nullptr;
    bool m_watchQuickExit = false;
};
