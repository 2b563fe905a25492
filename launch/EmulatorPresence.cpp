#include "launch/EmulatorPresence.h"

#include "platform/Diagnostics.h"
#include "platform/DosboxReferenceFile.h"
#include "platform/Emulator.h"
#include "platform/FilePanel.h"
#include "platform/Prompter.h"
#include "platform/SystemServices.h"
#include "platform/UserDefaults.h"

#include <QCoreApplication>

namespace EmulatorPresence {

bool choose(Emulator& emulator, Prompter& prompter, const QString& program)
{
    // Any file could be chosen: only one that answers as DOSBox-X does is kept.
    const DosboxReferenceFile::Identity identity = DosboxReferenceFile::identify(program);
    if (!identity.version) {
        prompter.showAlert(QCoreApplication::translate("AppDelegate", "Not DOSBox-X"),
                           QCoreApplication::translate(
                               "AppDelegate", "%1 does not answer as DOSBox-X does. Asked for its version, "
                                              "it answered: %2")
                               .arg(program, identity.answer));
        return false;
    }
    UserDefaults().setEmulatorProgram(program);
    emulator.refresh();
    logLine(emulator.foundLine());
    return true;
}

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
        chooser->chooseFile(
            {QCoreApplication::translate("AppDelegate", "Choose DOSBox-X"), {}, QString()},
            [&emulator, &prompter](const QString& program) { choose(emulator, prompter, program); });
    }
}

Description describe(const Emulator& emulator)
{
    const QString chosen = UserDefaults().emulatorProgram();
    if (!emulator.executable())
        return {
            chosen.isEmpty()
                ? QCoreApplication::translate("EmulatorPresence", "Not found")
                : QCoreApplication::translate("EmulatorPresence", "%1 (chosen, but not found)").arg(chosen),
            QString()};
    const DosboxReferenceFile::Identity identity = DosboxReferenceFile::identify(emulator);
    return {QStringLiteral("%1 (%2)").arg(
                emulator.foundLine(),
                chosen.isEmpty() ? QCoreApplication::translate("EmulatorPresence", "found automatically")
                                 : QCoreApplication::translate("EmulatorPresence", "chosen")),
            identity.version.value_or(
                QCoreApplication::translate("EmulatorPresence", "It does not answer as DOSBox-X: %1")
                    .arg(identity.answer))};
}

} // namespace EmulatorPresence
