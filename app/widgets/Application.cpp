#include "app/widgets/Application.h"

#include "app/AppDelegate.h"
#include "app/widgets/MainWindow.h"
#include "app/widgets/SingleInstance.h"
#include "library/InterruptedWork.h"
#include "platform/Emulator.h"
#include "platform/Paths.h"
#include "platform/Translations.h"
#include "platform/widgets/DesktopServices.h"
#include "platform/widgets/DialogFilePanel.h"
#include "platform/widgets/DialogPrompter.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QPointer>
#include <QTimer>

int runWindow(int& argc, char** argv)
{
    // Before any window: a second start without a display still hands its files over.
    QStringList files;
    for (int i = 1; i < argc; ++i)
        files.append(QFileInfo(QString::fromLocal8Bit(argv[i])).absoluteFilePath());
    SingleInstance instance;
    if (instance.handOver(files))
        return 0; // the running window imports them, or shows itself

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tandril"));
    QApplication::setOrganizationName(QStringLiteral("Tandril"));
    QApplication::setApplicationVersion(QStringLiteral(TANDRIL_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("org.tandril.Tandril"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("tandril")));
    QApplication::setQuitOnLastWindowClosed(true);
    Translations::install(application);

    DialogPrompter prompter;
    if (const std::optional<QString> problem = Paths::homeFolderProblem()) {
        // Asked, not queued: there is no window to show an alert after.
        prompter.ask({QApplication::translate("Application", "Home Folder Not Usable"),
                      *problem,
                      Prompter::Style::Critical,
                      {QApplication::translate("Application", "OK")}});
        return 1;
    }
    InterruptedWork::finish(); // before the library is first read
    DesktopServices services;
    DialogFilePanel filePanel;
    Emulator emulator;
    MainWindow window({prompter, services, filePanel}, emulator);
    prompter.setWindow(&window);
    filePanel.setWindow(&window);
    window.show();
    // Closed while games ran, it watched them to the end to record their play time.
    QObject::connect(&window, &MainWindow::watchingEnded, &application, &QApplication::quit);

    const QPointer<MainWindow> target(&window);
    const auto openFile = [target](const QString& file) {
        if (!target)
            return;
        if (file.isEmpty()) {
            // Also the window Tandril kept hidden while it watched the games it started.
            target->show();
            target->raise();
            target->activateWindow();
            return;
        }
        if (!AppDelegate::openFile(file,
                                   [target](const QString& archive) { target->importTDLFile(archive); }))
            return;
        target->raise();
        target->activateWindow();
    };
    instance.listen(openFile);
    for (const QString& file : std::as_const(files))
        QTimer::singleShot(0, &window, [openFile, file] { openFile(file); });

    // Once the loop runs: the window is up before the presence question is asked.
    QTimer::singleShot(0, &window,
                       [&] { AppDelegate::checkDosboxXPath(emulator, prompter, services, &filePanel); });
    return QApplication::exec();
}
