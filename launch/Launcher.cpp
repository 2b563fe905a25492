#include "launch/Launcher.h"

#include "launch/EmulatorPresence.h"
#include "library/LibraryLayout.h"
#include "platform/Paths.h"
#include "platform/Prompter.h"
#include "platform/SystemServices.h"
#include "platform/WatchedStart.h"

#include <QCoreApplication>
#include <QFileInfo>

Launcher::Launcher(Emulator emulator, Prompter& prompter, SystemServices& services, LanguageSource languages,
                   FilePanel* chooser, bool watchQuickExit)
    : m_emulator(std::move(emulator)), m_prompter(prompter), m_services(services),
      m_languages(std::move(languages)), m_chooser(chooser), m_watchQuickExit(watchQuickExit)
{}

bool Launcher::launch(LaunchMode mode, const std::optional<ConfigEntry>& entry)
{
    const std::variant<QStringList, LaunchRefusal> plan =
        planLaunch(mode, entry, Paths::libraryFolder(), m_languages());
    if (const auto* refusal = std::get_if<LaunchRefusal>(&plan)) {
        m_prompter.showAlert(refusal->title, refusal->message);
        return false;
    }
    if (!m_emulator.isInstalled()) {
        EmulatorPresence::offerDownload(m_emulator, m_prompter, m_services, m_chooser);
        return false;
    }
    const Emulator::Start start = m_emulator.startCommand(std::get<QStringList>(plan));
    Prompter& prompter = m_prompter;
    const std::optional<QString> error =
        m_watchQuickExit ? WatchedStart::start(
                               start.program, start.arguments,
                               [&prompter](const WatchedStart::QuickExit& exit) {
                                   prompter.showAlert(
                                       QCoreApplication::translate("Launch", "DOSBox-X stopped"),
                                       QCoreApplication::translate("Launch", "DOSBox-X ended right after it "
                                                                             "started (%1).\n\n%2")
                                           .arg(exit.status, exit.lastLines));
                               })
                         : m_services.startDetached(start.program, start.arguments);
    if (error) {
        m_prompter.showAlert(QCoreApplication::translate("Launch", "Error Launching"), *error);
        return false;
    }
    return true;
}

void Launcher::gotoDriveC(const std::optional<ConfigEntry>& entry)
{
    if (!entry)
        return;
    const QString folder = LibraryLayout::gameFolderOfConfigFile(Paths::libraryFolder(), entry->filePath);
    if (QFileInfo::exists(folder))
        m_services.openFolder(folder);
}
