// A selected game's picture: from the selection to the picture shown in the details panel, for a
// screenshot of about 2 MB, against decoding the same file whole in the same run.
#include "app/widgets/DetailsPanel.h"
#include "app/widgets/MainWindow.h"
#include "BenchSupport.h"
#include "common/RecordingServices.h"
#include "common/ScriptedFilePanel.h"
#include "common/ScriptedPrompter.h"

#include <algorithm>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QRandomGenerator>
#include <QTableView>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

// Noise over a gradient: a PNG that compresses like a busy screenshot scaled up, never trivially.
QImage busyImage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int noise = int(random.bounded(48));
            line[x] = qRgb((x / 4 + noise) & 0xff, (y / 3 + noise) & 0xff, (x + y + noise) / 8 & 0xff);
        }
    }
    return image;
}

} // namespace

using BenchSupport::median;

int main(int argc, char** argv)
{
    QTemporaryDir home;
    BenchSupport::useOffscreenHome(home.path());
    QApplication application(argc, argv);
    QTextStream out(stdout);

    const QString library = home.path() + QStringLiteral("/Library/Application Support/Tandril");
    const QString picture = library + QStringLiteral("/b/CAPTURE/b_000.png");
    QDir().mkpath(QFileInfo(picture).path());
    for (const char* name : {"a", "b"}) {
        QFile config(library + u'/' + QLatin1String(name) + QStringLiteral(".conf"));
        const QByteArray text = QByteArray("[tandril]\ngame_title=") + name + '\n';
        if (!config.open(QIODevice::WriteOnly) || config.write(text) != text.size()) {
            out << "❌ cannot write the library\n";
            return 1;
        }
    }
    if (!busyImage(1280, 960).save(picture)) {
        out << "❌ cannot write the picture\n";
        return 1;
    }

    constexpr int Rounds = 9;
    QList<qint64> decoded;
    QElapsedTimer timer;
    for (int round = 0; round < Rounds; ++round) {
        timer.start();
        const QImage whole(picture);
        decoded.append(timer.nsecsElapsed());
    }

    ScriptedPrompter prompter;
    RecordingServices services;
    ScriptedFilePanel panel;
    MainWindow window({prompter, services, panel}, Emulator({home.path()}));
    window.show();
    auto* table = window.findChild<QTableView*>(QStringLiteral("tableView"));
    auto* details = window.findChild<DetailsPanel*>();
    QList<qint64> shown;
    for (int round = 0; round < Rounds; ++round) {
        table->selectRow(0);
        QApplication::processEvents();
        bool done = false;
        const QMetaObject::Connection connection =
            QObject::connect(details, &DetailsPanel::pictureShown, [&done] { done = true; });
        timer.start();
        table->selectRow(1);
        while (!done)
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        shown.append(timer.nsecsElapsed());
        QObject::disconnect(connection);
    }
    out << "picture bytes: " << QFileInfo(picture).size() << "\n";
    out << "decode whole ms: " << QString::number(median(decoded) / 1e6, 'f', 1) << " (median of " << Rounds
        << ")\n";
    out << "selection to picture shown ms: " << QString::number(median(shown) / 1e6, 'f', 1) << "\n";
    out << "picture ratio: " << QString::number(double(median(shown)) / double(median(decoded)), 'f', 2)
        << "\n";
    return 0;
}
