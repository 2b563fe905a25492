#pragma once

#include "launch/LaunchPlan.h"
#include "platform/Emulator.h"

#include <functional>

class Prompter;
class SystemServices;

// Starts the emulator for a game, its setup program or a DOS prompt, shared by the window's
// buttons and the command line. Every failure is one alert; nothing is ever written.
class Launcher
{
public:
    using LanguageSource = std::function<QStringList()>;

    Launcher(Emulator emulator, Prompter& prompter, SystemServices& services, LanguageSource languages);

    // True when the emulator was started.
    bool launch(LaunchMode mode, const std::optional<ConfigEntry>& entry);

    // Shows the game folder in the file manager when it exists; nothing otherwise.
    void gotoDriveC(const std::optional<ConfigEntry>& entry);

private:
    Emulator m_emulator;
    Prompter& m_prompter;
    SystemServices& m_services;
    LanguageSource m_languages;
};
