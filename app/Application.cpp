#include "app/Application.h"

#include "app/AppDelegate.h"
#include "app/MainWindow.h"
#include "platform/DesktopServices.h"
#include "platform/DialogFilePanel.h"
#include "platform/DialogPrompter.h"
#include "platform/Emulator.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>

int runWindow(int& argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tandril"));
    QApplication::setOrganizationName(QStringLiteral("Tandril"));
    QApplication::setApplicationVersion(QStringLiteral(TANDRIL_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("tandril"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("tandril")));
    QApplication::setQuitOnLastWindowClosed(true);

    DialogPrompter prompter;
    DesktopServices services;
    DialogFilePanel filePanel;
    const Emulator emulator;
    MainWindow window({prompter, services, filePanel}, emulator);
    prompter.setWindow(&window);
    filePanel.setWindow(&window);
    window.show();

    // Once the loop runs: the window is up before the presence question is asked.
    QTimer::singleShot(0, &window, [&] { AppDelegate::checkDosboxXPath(emulator, prompter, services); });
    return QApplication::exec();
}
