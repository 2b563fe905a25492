// The library window with 10,000 games, every optional column and the details panel shown: from its start to
// the first painted table, and one search keystroke, against reading the same files' bytes in the same run.
#include "app/widgets/LibraryTableModel.h"
#include "app/widgets/MainWindow.h"
#include "BenchSupport.h"
#include "common/RecordingServices.h"
#include "common/ScriptedFilePanel.h"
#include "common/ScriptedPrompter.h"
#include "library/PlayRecord.h"
#include "platform/UserDefaults.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

// Notes when the table's viewport has painted.
class PaintWatch final : public QObject
{
public:
    bool painted = false;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

using BenchSupport::bareRead;
using BenchSupport::median;

int main(int argc, char** argv)
{
    QTemporaryDir home;
    BenchSupport::useOffscreenHome(home.path());
    QApplication application(argc, argv);
    QTextStream out(stdout);
    const int GameCount = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 10000;

    QFile templateFile(QStringLiteral(":/config/sample.conf"));
    if (!templateFile.open(QIODevice::ReadOnly)) {
        out << "❌ template not found\n";
        return 1;
    }
    const QByteArray templateText = templateFile.readAll();
    const QString library = home.path() + QStringLiteral("/Library/Application Support/Tandril");
    QDir().mkpath(library);
    for (int i = 0; i < GameCount; ++i) {
        QByteArray text = templateText;
        text.replace("game_title=\n", "game_title=Game number " + QByteArray::number(i) +
                                          "\ngame_year=" + QByteArray::number(1980 + i % 20) +
                                          "\ngame_genre=Adventure\ngame_developer=Studio " +
                                          QByteArray::number(i % 300) + "\n");
        QFile file(library + QStringLiteral("/game%1.conf").arg(i));
        if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size()) {
            out << "❌ cannot write the library\n";
            return 1;
        }
    }
    // Every optional column and the panel shown, and a play record for every tenth game.
    UserDefaults().setVisibleColumns({LibraryTableModel::YearColumn, LibraryTableModel::GenreColumn,
                                      LibraryTableModel::DeveloperColumn, LibraryTableModel::LastPlayedColumn,
                                      LibraryTableModel::PlayTimeColumn});
    UserDefaults().setDetailsPanelShown(true);
    for (int i = 0; i < GameCount; i += 10) {
        const QString configFile = QStringLiteral("game%1.conf").arg(i);
        PlayRecord::started(configFile, QDateTime::currentDateTime());
        PlayRecord::played(configFile, 60 * i);
    }

    ScriptedPrompter prompter;
    RecordingServices services;
    ScriptedFilePanel panel;
    // Rounds of each, the median counting: one run of either varies with the machine's other work.
    constexpr int Rounds = 5;
    bareRead(library); // warm the cache
    QList<qint64> bare;
    QList<qint64> firstPaint;
    QElapsedTimer timer;
    std::unique_ptr<MainWindow> window;
    for (int round = 0; round < Rounds; ++round) {
        timer.start();
        bareRead(library);
        bare.append(timer.nsecsElapsed());
        window.reset();
        timer.restart();
        window = std::make_unique<MainWindow>(Host{prompter, services, panel}, Emulator({home.path()}));
        PaintWatch watch;
        window->findChild<QTableView*>(QStringLiteral("tableView"))->viewport()->installEventFilter(&watch);
        window->show();
        while (!watch.painted)
            QApplication::processEvents();
        firstPaint.append(timer.nsecsElapsed());
        window->findChild<QTableView*>(QStringLiteral("tableView"))->viewport()->removeEventFilter(&watch);
    }
    auto* table = window->findChild<QTableView*>(QStringLiteral("tableView"));

    // Each keystroke narrows the list and repaints it.
    auto* search = window->findChild<QLineEdit*>(QStringLiteral("searchField"));
    const QString typed = QStringLiteral("number 99");
    qint64 slowest = 0;
    for (qsizetype i = 1; i <= typed.size(); ++i) {
        timer.restart();
        search->setText(typed.left(i));
        table->viewport()->repaint();
        QApplication::processEvents();
        slowest = std::max(slowest, timer.nsecsElapsed());
    }
    out << "games: " << window->configEntries().size() << "\n";
    out << "bare read ms: " << QString::number(median(bare) / 1e6, 'f', 1) << " (median of " << Rounds
        << ")\n";
    out << "window to first paint ms: " << QString::number(median(firstPaint) / 1e6, 'f', 1) << "\n";
    out << "window ratio: " << QString::number(double(median(firstPaint)) / double(median(bare)), 'f', 2)
        << "\n";
    // The first window also pays for what a program's first window always does (style, fonts).
    out << "first window ratio: "
        << QString::number(double(firstPaint.first()) / double(median(bare)), 'f', 2) << "\n";
    out << "filter ms: " << QString::number(slowest / 1e6, 'f', 1) << " (slowest keystroke)\n";
    return 0;
}
