#include "launch/Launcher.h"

#include "launch/EmulatorPresence.h"
#include "library/LibraryLayout.h"
#include "platform/Paths.h"
#include "platform/Prompter.h"
#include "platform/SystemServices.h"

#include <QCoreApplication>
#include <QFileInfo>

Launcher::Launcher(Emulator emulator, Prompter& prompter, SystemServices& services, LanguageSource languages)
    : m_emulator(std::move(emulator)), m_prompter(prompter), m_services(services),
      m_languages(std::move(languages))
{}

bool Launcher::launch(LaunchMode mode, const std::optional<ConfigEntry>& entry)
{
    const std::variant<QStringList, LaunchRefusal> plan =
        planLaunch(mode, entry, Paths::libraryFolder(), m_languages());
    if (const auto* refusal = std::get_if<LaunchRefusal>(&plan)) {
        m_prompter.showAlert(refusal->title, refusal->message);
        return false;
    }
    const std::optional<QString> program = m_emulator.executable();
    if (!program) {
        EmulatorPresence::offerDownload(m_emulator, m_prompter, m_services);
        return false;
    }
    if (const std::optional<QString> error =
            m_services.startDetached(*program, std::get<QStringList>(plan))) {
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
