#include "launch/Launcher.h"

#include "launch/EmulatorPresence.h"
#include "launch/MountPaths.h"
#include "library/HostAccess.h"
#include "library/LibraryLayout.h"
#include "library/PlayRecord.h"
#include "library/SavedGames.h"
#include "platform/DriveAliases.h"
#include "platform/FileOperations.h"
#include "platform/Paths.h"
#include "platform/Prompter.h"
#include "platform/SystemServices.h"
#include "platform/WatchedStart.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

// How long the command line waits for DOSBox-X to fail at its start before it lets it run on.
constexpr int BriefWatch = 4000;

// Where DOSBox-X's output goes when the command line starts it: one log per game, each start
// writing it anew.
QString logFileOf(const ConfigEntry& entry)
{
    const QString folder = QDir(QStandardPaths::writableLocation(QStandardPaths::CacheLocation))
                               .filePath(QStringLiteral("logs"));
    FileOperations::makeFolder(folder);
    return QDir(folder).filePath(QFileInfo(entry.filePath).completeBaseName() + QStringLiteral(".log"));
}

} // namespace

Launcher::Launcher(Emulator emulator, Prompter& prompter, SystemServices& services, LanguageSource languages,
                   FilePanel* chooser, Watch watch)
    : m_emulator(std::move(emulator)), m_prompter(prompter), m_services(services),
      m_languages(std::move(languages)), m_chooser(chooser), m_watch(watch)
{}

std::optional<int> Launcher::launch(LaunchMode mode, const std::optional<ConfigEntry>& entry)
{
    MountPaths mounts(DriveAliases::folder());
    const std::variant<QStringList, LaunchRefusal> plan =
        planLaunch(mode, entry, Paths::libraryFolder(), m_languages(), &mounts,
                   entry && HostAccess::isAllowed(entry->filePath) ? HostReachChoice::OtherFolders
                                                                   : HostReachChoice::OwnDrivesOnly,
                   [folder = m_emulator.languageFolder()](const QString& file) {
                       return !folder.isEmpty() && QFileInfo(QDir(folder).filePath(file)).isFile();
                   });
    if (const auto* refusal = std::get_if<LaunchRefusal>(&plan)) {
        m_prompter.showAlert(refusal->title, refusal->message);
        return std::nullopt;
    }
    // A DOSBox-X that went away since it was found (uninstalled, moved) is looked for again.
    if (const std::optional<QString> program = m_emulator.executable();
        program && !QFileInfo(*program).isExecutable())
        m_emulator.refresh();
    if (!m_emulator.isInstalled()) {
        EmulatorPresence::offerDownload(m_emulator, m_prompter, m_services, m_chooser);
        return std::nullopt;
    }
    // Without its saves folder, DOSBox-X would let the game write into its folder.
    const Overlays overlays = overlayFolders(mode, *entry, Paths::libraryFolder());
    for (const std::optional<QString>& folder : {std::optional(overlays.driveC), overlays.driveD}) {
        if (!folder)
            continue;
        if (const std::optional<QString> error = FileOperations::makeFolder(*folder)) {
            m_prompter.showAlert(QCoreApplication::translate("Launch", "Error Launching"),
                                 QCoreApplication::translate("Launch",
                                                             "The folder for the game's saved games could "
                                                             "not be made: %1")
                                     .arg(*error));
            return std::nullopt;
        }
    }
    QStringList targets;
    for (const MountPaths::Link& link : mounts.links()) {
        if (const std::optional<QString> error = DriveAliases::link(link.alias, link.target)) {
            m_prompter.showAlert(QCoreApplication::translate("Launch", "Error Launching"), *error);
            return std::nullopt;
        }
        targets.append(link.target);
    }
    const Emulator::Start start = m_emulator.startCommand(std::get<QStringList>(plan), targets);
    const auto stopped = [](const WatchedStart::QuickExit& exit) {
        return QCoreApplication::translate("Launch", "DOSBox-X ended right after it started (%1).\n\n%2")
            .arg(exit.status, exit.lastLines);
    };
    const QString configFile = entry->filePath;
    Prompter& prompter = m_prompter;
    // The record of this play is the player's: a failure to keep it is said, never dropped.
    const auto recorded = [&prompter](const std::optional<QString>& error) {
        if (error)
            prompter.showAlert(QCoreApplication::translate("Launch", "Play Time Not Recorded"), *error);
    };
    if (m_watch == Watch::QuickExitAlert) {
        // A second press of Play while the game runs would start a second copy, and count its
        // time twice: asked first.
        if (m_running->contains(configFile) &&
            m_prompter.ask(
                {QCoreApplication::translate("Launch", "Already Running"),
                 QCoreApplication::translate("Launch", "\"%1\" is already running in DOSBox-X. Start "
                                                       "another copy of it?")
                     .arg(entry->title.isEmpty() ? QFileInfo(configFile).completeBaseName() : entry->title),
                 Prompter::Style::Warning,
                 {QCoreApplication::translate("Launch", "Start Another"),
                  QCoreApplication::translate("Launch", "Cancel")}}) != 0)
            return std::nullopt;
        const auto ended = [configFile, recorded, done = m_playRecorded,
                            running = m_running](qint64 seconds) {
            if (--(*running)[configFile] <= 0)
                running->remove(configFile);
            recorded(PlayRecord::played(configFile, seconds));
            if (done)
                done();
        };
        if (const std::optional<QString> error = WatchedStart::start(
                start.program, start.arguments,
                [&prompter, stopped](const auto& exit) {
                    prompter.showAlert(QCoreApplication::translate("Launch", "DOSBox-X stopped"),
                                       stopped(exit));
                },
                ended)) {
            m_prompter.showAlert(QCoreApplication::translate("Launch", "Error Launching"), *error);
            return std::nullopt;
        }
        ++(*m_running)[configFile];
        recorded(PlayRecord::started(configFile, QDateTime::currentDateTime()));
        if (m_playRecorded)
            m_playRecorded();
        return 0;
    }
    const bool toTheEnd = m_watch == Watch::ToTheEnd;
    const WatchedStart::Waited waited = WatchedStart::startLogged(
        start.program, start.arguments, logFileOf(*entry), toTheEnd ? -1 : BriefWatch);
    if (waited.error) {
        m_prompter.showAlert(QCoreApplication::translate("Launch", "Error Launching"), *waited.error);
        return std::nullopt;
    }
    // Played from its start; for as long as it ran when that was waited for.
    recorded(PlayRecord::started(configFile, QDateTime::currentDateTime().addSecs(-waited.seconds)));
    if (toTheEnd)
        recorded(PlayRecord::played(configFile, waited.seconds));
    if (waited.failed && (!toTheEnd || waited.exitCode < 0)) {
        m_prompter.showAlert(QCoreApplication::translate("Launch", "DOSBox-X stopped"),
                             stopped(*waited.failed));
        return std::nullopt;
    }
    return waited.exitCode;
}

void Launcher::gotoDriveC(const std::optional<ConfigEntry>& entry)
{
    if (!entry)
        return;
    QString folder = LibraryLayout::gameFolderOfConfigFile(Paths::libraryFolder(), entry->filePath);
    if (!QFileInfo::exists(folder))
        return;
    // Drive C is the game's folder with what it wrote laid over it, which lives apart.
    const QString saves = LibraryLayout::savesFolderOfConfigFile(Paths::libraryFolder(), entry->filePath);
    if (SavedGames::exist(saves)) {
        const int answer = m_prompter.ask(
            {QCoreApplication::translate("Launch", "Show Drive C"),
             QCoreApplication::translate(
                 "Launch", "On drive C, \"%1\" sees its folder as it came with what it wrote laid over it. "
                           "What it wrote (its saved games, the settings of its setup) is kept apart, in "
                           "its saves folder.")
                 .arg(entry->title.isEmpty() ? QFileInfo(entry->filePath).completeBaseName() : entry->title),
             Prompter::Style::Informational,
             {QCoreApplication::translate("Launch", "Show the Game's Folder"),
              QCoreApplication::translate("Launch", "Show What It Wrote"),
              QCoreApplication::translate("Launch", "Cancel")},
             0});
        if (answer == 1)
            folder = saves;
        else if (answer != 0)
            return;
    }
    if (!m_services.openFolder(folder))
        m_prompter.showAlert(QCoreApplication::translate("Launch", "Could Not Show Drive C"),
                             QCoreApplication::translate("Launch", "No file manager could be started to show "
                                                                   "the game's folder. Its files are in:\n%1")
                                 .arg(folder));
}
