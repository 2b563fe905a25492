// Renders the library window into a PNG without a display:
//   QT_QPA_PLATFORM=offscreen render_main_window OUTPUT.png [HOME]
// With HOME, the library of that home folder is shown.
#include "app/MainWindow.h"
#include "platform/ConsoleServices.h"
#include "platform/DialogPrompter.h"

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
    MainWindow window(prompter, services, Emulator());
    window.show();
    QApplication::processEvents();
    if (!window.grab().save(QString::fromLocal8Bit(argv[1]))) {
        QTextStream(stderr) << "cannot write " << argv[1] << "\n";
        return 1;
    }
    return 0;
}
