#include "launch/EmulatorPresence.h"

#include "platform/Emulator.h"
#include "platform/Prompter.h"
#include "platform/SystemServices.h"

#include <QCoreApplication>

namespace EmulatorPresence {

void offerDownload(const Emulator& emulator, Prompter& prompter, SystemServices& services)
{
    const Prompter::Question question{
        emulator.missingTitle(),
        emulator.missingText(),
        Prompter::Style::Warning,
        {QCoreApplication::translate("AppDelegate", "Open Download"),
         QCoreApplication::translate("AppDelegate", "Cancel")},
    };
    if (prompter.ask(question) == 0)
        services.openUrl(Emulator::downloadPage());
}

} // namespace EmulatorPresence
