#pragma once

#include "launch/LaunchPlan.h"
#include "platform/Emulator.h"

#include <functional>
#include <memory>
#include <QHash>

class FilePanel;
class Prompter;
class SystemServices;

// Starts the emulator for a game, its setup program or a DOS prompt, shared by the window's
// buttons and the command line. Every failure is one alert; nothing is ever written.
class Launcher
{
public:
    using LanguageSource = std::function<QStringList()>;

    // How a start is followed.
    enum class Watch
    {
        QuickExitAlert, // the window: an alert when DOSBox-X fails in its first seconds
        Briefly,        // the command line: waits a few seconds for a failure, DOSBox-X's output logged
        ToTheEnd,       // the command line: waits until DOSBox-X ends
    };

    // chooser: lets the user pick DOSBox-X when it is missing (none on the command line).
    Launcher(Emulator emulator, Prompter& prompter, SystemServices& services, LanguageSource languages,
             FilePanel* chooser = nullptr, Watch watch = Watch::QuickExitAlert);

    // DOSBox-X's exit status when it was waited for to the end, else 0 once it started; nothing
    // when it did not start or failed while it was watched.
    std::optional<int> launch(LaunchMode mode, const std::optional<ConfigEntry>& entry);

    // Called once a start that the window watched has been recorded, and again when DOSBox-X
    // ended and its time was added, so that what shows the play record shows it anew.
    void setPlayRecorded(std::function<void()> recorded) { m_playRecorded = std::move(recorded); }

    // Whether a game the window started still runs.
    bool hasRunning() const { return !m_running->isEmpty(); }

    // Shows the game folder in the file manager when it exists; nothing otherwise.
    void gotoDriveC(const std::optional<ConfigEntry>& entry);

private:
    Emulator m_emulator;
    Prompter& m_prompter;
    SystemServices& m_services;
    LanguageSource m_languages;
    FilePanel* m_chooser = nullptr;
    Watch m_watch = Watch::QuickExitAlert;
    std::function<void()> m_playRecorded;
    // The games the window started whose DOSBox-X has not ended yet, with how many copies.
    std::shared_ptr<QHash<QString, int>> m_running = std::make_shared<QHash<QString, int>>();
};
