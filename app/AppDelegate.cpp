#include "app/AppDelegate.h"

#include "launch/EmulatorPresence.h"
#include "platform/Diagnostics.h"
#include "platform/Emulator.h"
#include "platform/Prompter.h"
#include "platform/SystemServices.h"

#include <QCoreApplication>

namespace AppDelegate {

void checkDosboxXPath(Emulator& emulator, Prompter& prompter, SystemServices& services, FilePanel* chooser)
{
    if (emulator.isInstalled()) {
        logLine(emulator.foundLine());
        return;
    }
    EmulatorPresence::offerDownload(emulator, prompter, services, chooser);
}

bool openFile(const QString& path, const std::function<void(const QString&)>& importTDLFile)
{
    if (!path.endsWith(QStringLiteral(".tdl")) || !importTDLFile)
        return false;
    importTDLFile(path);
    return true;
}

} // namespace AppDelegate
