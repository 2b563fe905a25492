// Renders the library window into a PNG without a display:
//   QT_QPA_PLATFORM=offscreen render_main_window OUTPUT.png [HOME [editor]]
// With HOME, the library of that home folder is shown; with "editor", the settings editor of the
// selected game is drawn instead.
#include "app/widgets/MainWindow.h"
#include "platform/ConsoleServices.h"
#include "platform/widgets/DialogFilePanel.h"
#include "platform/widgets/DialogPrompter.h"
#include "settings/widgets/Preferences.h"

#include <QApplication>
#include <QTextStream>

int main(int argc, char** argv)
{
    if (argc > 2)
        qputenv("HOME", argv[2]);
    QApplication application(argc, argv);
    if (argc < 2) {
        QTextStream(stderr) << "usage: render_main_window OUTPUT.png [HOME]\n";
        return 2;
    }
    DialogPrompter prompter;
    ConsoleServices services;
    DialogFilePanel filePanel;
    MainWindow window({prompter, services, filePanel}, Emulator());
    window.show();
    QApplication::processEvents();
    QWidget* shown = &window;
    if (argc > 3 && qstrcmp(argv[3], "editor") == 0) {
        window.openPreferencesClicked();
        QApplication::processEvents();
        if (window.preferencesWindowController())
            shown = window.preferencesWindowController();
    }
    if (!shown->grab().save(QString::fromLocal8Bit(argv[1]))) {
        QTextStream(stderr) << "cannot write " << argv[1] << "\n";
        return 1;
    }
    return 0;
}
