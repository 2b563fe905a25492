#include "launch/EmulatorPresence.h"

#include "platform/Diagnostics.h"
#include "platform/Emulator.h"
#include "platform/FilePanel.h"
#include "platform/Prompter.h"
#include "platform/SystemServices.h"
#include "platform/UserDefaults.h"

#include <QCoreApplication>

namespace EmulatorPresence {

void offerDownload(Emulator& emulator, Prompter& prompter, SystemServices& services, FilePanel* chooser)
{
    QStringList buttons{QCoreApplication::translate("AppDelegate", "Open Download")};
    if (chooser)
        buttons.append(QCoreApplication::translate("AppDelegate", "Choose…"));
    buttons.append(QCoreApplication::translate("AppDelegate", "Cancel"));
    const int answer =
        prompter.ask({emulator.missingTitle(), emulator.missingText(), Prompter::Style::Warning, buttons});
    if (answer == 0) {
        services.openUrl(Emulator::downloadPage());
    } else if (chooser && answer == 1) {
        chooser->chooseFile({QCoreApplication::translate("AppDelegate", "Choose DOSBox-X"), {}, QString()},
                            [&emulator](const QString& program) {
                                UserDefaults().setEmulatorProgram(program);
                                emulator.refresh();
                                logLine(emulator.isInstalled()
                                            ? emulator.foundLine()
                                            : QStringLiteral("❌ Not a program: ") + program);
                            });
    }
}

} // namespace EmulatorPresence
