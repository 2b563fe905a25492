#include "app/widgets/DetailsPanel.h"
#include "app/widgets/EnterTitleController.h"
#include "app/widgets/FolderAddProposal.h"
#include "app/widgets/LibraryTableModel.h"
#include "app/widgets/MainWindow.h"
#include "app/widgets/PictureLoading.h"
#include "common/RecordingEmulator.h"
#include "common/RecordingServices.h"
#include "common/Rows.h"
#include "common/ScriptedFilePanel.h"
#include "common/ScriptedPrompter.h"
#include "common/TestHome.h"
#include "library/PlayRecord.h"
#include "platform/UserDefaults.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTableView>
#include <QTest>
#include <QTreeWidget>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

// The library window, shown offscreen, with its alerts answered by a script.
class MainWindowTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { isolateUserDefaults(); }
    void init();
    void cleanup();

    void selectionFollowsTheGame();
    void buttonStates_data();
    void buttonStates();
    void eachButtonStartsItsMode();
    void gameWithoutProgramGetsOne();
    void gameEditedElsewhereIsShown();
    void exportShowsProgressAndCancels_data();
    void exportShowsProgressAndCancels();
    void detailsPanelShowsPictures();
    void boundedDetails();
    void playRecordFollowsTheGame();
    void addsTheChosenGamesOfAFolder();
    void addDialogsHandBackWhatWasChosen();
    void savedGamesWindowAndDriveC();

private:
    std::unique_ptr<MainWindow> makeWindow(const QString& emulatorFolder = {})
    {
        auto window = std::make_unique<MainWindow>(
            Host{m_prompter, m_services, m_filePanel},
            Emulator({emulatorFolder.isEmpty() ? m_home->path() : emulatorFolder}));
        window->show();
        // A window that never shows fails the test's later checks.
        (void)QTest::qWaitForWindowExposed(window.get());
        return window;
    }
    static QTableView* table(MainWindow& window) { return window.findChild<QTableView*>(u"tableView"_s); }
    template <typename T = QPushButton> static T* child(MainWindow& window, const char* name)
    {
        return window.findChild<T*>(QString::fromLatin1(name));
    }
    static void select(MainWindow& window, const QList<int>& rows)
    {
        QItemSelectionModel* selection = table(window)->selectionModel();
        selection->clearSelection();
        for (const int row : rows)
            selection->setCurrentIndex(table(window)->model()->index(row, 1),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    // The titles as the table shows them, sorted and filtered.
    static QStringList shown(MainWindow& window)
    {
        QStringList result;
        const QAbstractItemModel* model = table(window)->model();
        for (int row = 0; row < model->rowCount(); ++row)
            result << model->index(row, LibraryTableModel::TitleColumn).data().toString();
        return result;
    }

    std::unique_ptr<TestHome> m_home;
    ScriptedPrompter m_prompter;
    RecordingServices m_services;
    ScriptedFilePanel m_filePanel;
};

void MainWindowTest::init()
{
    m_home = std::make_unique<TestHome>();
    m_prompter = {};
    m_services = {};
    m_filePanel = {};
    QDir().mkpath(m_home->path() + u"/Desktop"_s);
}

void MainWindowTest::cleanup()
{
    // An alert that a test did not expect is a failure.
    QCOMPARE(m_prompter.takeAlerts(), QList<ScriptedPrompter::Alert>());
    QVERIFY(m_prompter.questions.isEmpty());
    m_home.reset();
}

void MainWindowTest::selectionFollowsTheGame()
{
    // Sorted by year, a change by another program (a game added as 0.conf) keeps the sort and the
    // game; the game is remembered by its place in file-name order, whatever the sort or search.
    m_home->writeConfig(u"1"_s, "game_title=banana\ngame_year=1994\n");
    m_home->writeConfig(u"2"_s, "game_title=Apple\ngame_year=1990\n");
    m_home->writeConfig(u"3"_s, "game_title=cherry\ngame_year=1992\n");
    {
        const auto window = makeWindow();
        select(*window, {2}); // cherry
        table(*window)->horizontalHeader()->setSortIndicator(LibraryTableModel::YearColumn,
                                                             Qt::AscendingOrder);
        QCOMPARE(this->shown(*window), (QStringList{"Apple", "cherry", "banana"}));
        QCOMPARE(UserDefaults().lastSelectedConfigRow(), std::optional<int>(2));
        m_home->writeConfig(u"0"_s, "game_title=date\n");
        window->reloadTable();
        QCOMPARE(this->shown(*window), (QStringList{"date", "Apple", "cherry", "banana"}));
        QCOMPARE(window->selectedConfig()->title, u"cherry"_s);
    }
    const auto restarted = makeWindow();
    QCOMPARE(restarted->selectedConfig()->title, u"cherry"_s);
    child<QLineEdit>(*restarted, "searchField")->setText(u"ÉRR"_s); // any part, any case, no accents
    QCOMPARE(this->shown(*restarted), QStringList{u"cherry"_s});
    QCOMPARE(child<QLabel>(*restarted, "gameCount")->text(), u"1 of 4 games"_s);
    // Deleted, it leaves the list at once, and no game is remembered.
    m_prompter.answers = {0}; // Delete
    child(*restarted, "DeleteButton")->click();
    QCOMPARE(m_prompter.questions.takeFirst().title, u"Delete Configuration?"_s);
    QCOMPARE(child<QLabel>(*restarted, "gameCount")->text(), u"0 of 3 games"_s);
    QCOMPARE(UserDefaults().lastSelectedConfigRow(), std::nullopt);
    // A game added by its title is selected, ready for its settings.
    child<QAction>(*restarted, "addAction")->trigger();
    restarted->findChild<EnterTitleController*>()->titleInputField()->setText(u"Zork"_s);
    restarted->findChild<EnterTitleController*>()->confirmTitle();
    QCOMPARE(restarted->selectedConfig().value_or(ConfigEntry{}).title, u"Zork"_s);
}

void MainWindowTest::buttonStates_data()
{
    // The first game's file, the rows selected, and the buttons enabled: Game Setup Dos Edit Delete
    // GotoC Export, and R: choose the program.
    textColumns({"content", "rows", "expected"});
    textRow("nothing selected", "game_title=A\n", "", "--------");
    textRow("executable and setup", "game_title=A\ngame_exe=A.EXE\nsetup_exe=/s/SETUP.EXE\n", "0",
            "GSDEXCP-");
    textRow("blank executable", "game_title=A\ngame_exe=  \nsetup_exe=\n", "0", "--DEXCPR");
    textRow("later executable line counts", "game_title=A\ngame_exe=\ngame_exe=B.EXE\n", "0", "G-DEXCP-");
    // The current row (the second) names a program; settings need exactly one game.
    textRow("two rows", "game_title=B\n", "0|1", "G-D-XCP-");
}

void MainWindowTest::buttonStates()
{
    m_home->writeConfig(u"a"_s, cell("content").toUtf8());
    m_home->writeConfig(u"b"_s, "game_title=A\ngame_exe=A.EXE\n");
    const auto window = makeWindow();
    QList<int> rows;
    for (const QString& row : cell("rows").split(u'|', Qt::SkipEmptyParts))
        rows << row.toInt();
    select(*window, rows);
    QString actual;
    for (const char* name : {"launchGameButton", "launchSetupButton", "launchMSDosButton", "EditButton",
                             "DeleteButton", "GotoCButton", "export_game", "chooseProgramButton"})
        actual +=
            child(*window, name)->isEnabled() ? QString::fromLatin1("GSDEXCPR").at(actual.size()) : u'-';
    QCOMPARE(actual, cell("expected"));
}

void MainWindowTest::eachButtonStartsItsMode()
{
    const QString setup = m_home->writeFile(u"setups/SETUP.EXE"_s, "MZ");
    m_home->writeConfig(u"a"_s, "game_title=A\ngame_exe=A.EXE\nsetup_exe=" + setup.toUtf8() + '\n');
    RecordingEmulator emulator(m_home->path() + u"/bin"_s);
    const auto window = makeWindow(emulator.folder());
    select(*window, {0});
    m_prompter.answers = {0, 0}; // Start Another, where the one before has not been seen to end
    for (const auto& [button, end] :
         {std::pair("launchGameButton", "|A.EXE"), std::pair("launchSetupButton", "|SETUP.EXE|-c|c:"),
          std::pair("launchMSDosButton", "|config -securemode")}) {
        child(*window, button)->click();
        const QString started = emulator.takeArguments().value_or(QStringList()).join(u'|');
        QVERIFY2(started.endsWith(QLatin1String(end)), qPrintable(started));
    }
    m_prompter = {}; // Start Another, asked or not
}

void MainWindowTest::gameWithoutProgramGetsOne()
{
    // A game added by its title only: Play says why it is greyed out, and its program can be
    // chosen from the window, only from the game's drive C: its folder or what it wrote over it
    // (a program it installed).
    const QString conf = m_home->writeConfig(u"Keen"_s, "[tandril]\ngame_title=Keen\ngame_exe=\n");
    const QString inside =
        m_home->writeFile(u"Library/Application Support/Tandril/.Keen.saves/GAME/RUN.COM"_s, "x");
    const auto window = makeWindow();
    select(*window, {0});
    QVERIFY(!child(*window, "launchGameButton")->isEnabled());
    QVERIFY(
        child(*window, "launchGameButton")->toolTip().startsWith(u"Tandril does not know which program"_s));
    QVERIFY(child(*window, "chooseProgramButton")->isVisible());
    child(*window, "chooseProgramButton")->click();
    QCOMPARE(m_filePanel.requests.last().startFolder, m_home->libraryFolder() + u"/Keen"_s);
    m_filePanel.choose(m_home->writeFile(u"elsewhere/OTHER.EXE"_s, "x"));
    QCOMPARE(m_prompter.takeAlerts().size(), 1);
    QVERIFY(!readFile(conf).contains("OTHER"));
    child(*window, "chooseProgramButton")->click();
    m_filePanel.choose(inside);
    QCOMPARE(readFile(conf), QByteArray("[tandril]\ngame_title=Keen\ngame_exe=GAME/RUN.COM\n"));
    QTRY_VERIFY(child(*window, "launchGameButton")->isEnabled());
    QCOMPARE(child(*window, "launchGameButton")->toolTip(), u"Start the game in DOSBox-X (Return)"_s);
    QVERIFY(!child(*window, "chooseProgramButton")->isVisible());
}

void MainWindowTest::exportShowsProgressAndCancels_data()
{
    QTest::addColumn<bool>("cancel");
    QTest::newRow("to the end") << false;
    QTest::newRow("cancelled") << true;
}

void MainWindowTest::exportShowsProgressAndCancels()
{
    QFETCH(bool, cancel);
    m_home->writeConfig(u"Doom"_s, "game_title=Doom\n");
    m_home->writeConfig(u"Keen"_s, "game_title=Keen\ngame_exe=KEEN.EXE\n");
    m_home->writeFile(u"Library/Application Support/Tandril/Doom/DOOM.WAD"_s, QByteArray(4 << 20, 'x'));
    const auto window = makeWindow();
    auto* indicator = child<QProgressBar>(*window, "progressIndicator_export");
    child(*window, "export_game")->click();
    // Asked where to save, from the Desktop with the game's name.
    QCOMPARE(m_filePanel.requests.last().startFolder, m_home->path() + u"/Desktop"_s);
    QCOMPARE(m_filePanel.requests.last().saveAs, u"Doom.tdl"_s);
    m_filePanel.choose(m_home->path() + u"/Desktop/Doom.tdl"_s);
    QVERIFY(indicator->isVisible());
    // Other games stay playable meanwhile; the game being packed and the library's commands do not.
    QVERIFY(!child(*window, "import_game")->isEnabled());
    QVERIFY(!child(*window, "launchMSDosButton")->isEnabled() && !child(*window, "GotoCButton")->isEnabled());
    table(*window)->selectRow(1);
    QVERIFY(child(*window, "launchGameButton")->isEnabled());
    QVERIFY(!child(*window, "EditButton")->isEnabled());
    if (cancel)
        child(*window, "cancelWorkButton")->click();
    QTRY_VERIFY_WITH_TIMEOUT(indicator->isHidden(), 30000);
    QVERIFY(child(*window, "import_game")->isEnabled());
    QCOMPARE(QFile::exists(m_home->path() + u"/Desktop/Doom.tdl"_s), !cancel);
    if (cancel) {
        QCOMPARE(child<QLabel>(*window, "statusLabel")->text(), u"Export cancelled"_s);
    } else {
        QCOMPARE(m_prompter.takeAlerts().size(), 1);
        // Counted from zip's own lines: the folder, its file, the configuration and the marker.
        QCOMPARE(indicator->maximum(), 4);
        QCOMPARE(indicator->value(), 4);
    }
    QCOMPARE(tree(m_home->temporaryFolder()), QStringList());
}

void MainWindowTest::playRecordFollowsTheGame()
{
    // Shown as soon as the game starts and as soon as DOSBox-X ends, with no return to the window.
    // (A name no other test plays: the record is the user's, kept beside the test's homes.)
    m_home->writeConfig(u"Played Here"_s, "game_title=Doom\ngame_exe=DOOM.EXE\n");
    const QString standIn = m_home->writeProgram(u"bin/dosbox-x"_s, "#!/bin/sh\nsleep 1\n");
    const auto window = makeWindow(QFileInfo(standIn).path());
    select(*window, {0});
    const QAbstractItemModel* model = child<QTableView>(*window, "tableView")->model();
    const auto shown = [&](int column) { return model->index(0, column).data().toString(); };
    QCOMPARE(shown(LibraryTableModel::LastPlayedColumn), QString());
    child(*window, "launchGameButton")->click();
    QVERIFY(!shown(LibraryTableModel::LastPlayedColumn).isEmpty());
    QCOMPARE(shown(LibraryTableModel::PlayTimeColumn), QString());
    // A second press while it runs asks first; Cancel starts no second copy.
    m_prompter.answers = {1};
    child(*window, "launchGameButton")->click();
    QCOMPARE(m_prompter.questions.size(), 1);
    QCOMPARE(m_prompter.questions.takeFirst().title, u"Already Running"_s);
    QTRY_COMPARE_WITH_TIMEOUT(shown(LibraryTableModel::PlayTimeColumn), u"less than a minute"_s, 10000);
    // Ended: Play starts it again without a question.
    child(*window, "launchGameButton")->click();
    QVERIFY(m_prompter.questions.isEmpty());
    // Quit while it runs: the window goes, Tandril watches on and records the second session.
    QSignalSpy watched(window.get(), &MainWindow::watchingEnded);
    child<QAction>(*window, "quitAction")->trigger();
    QVERIFY(!window->isVisible());
    QVERIFY(!QApplication::quitOnLastWindowClosed());
    QVERIFY(watched.isEmpty());
    QTRY_COMPARE_WITH_TIMEOUT(watched.size(), 1, 10000);
    QVERIFY(PlayRecord::all().value(u"Played Here.conf"_s).seconds >= 2); // both sessions
    // Shown again, it closes as always; nothing runs, so nothing is watched.
    window->show();
    QVERIFY(QApplication::quitOnLastWindowClosed());
    window->close();
    QVERIFY(QApplication::quitOnLastWindowClosed());
}

void MainWindowTest::boundedDetails()
{
    // A picture that is a link to a FIFO is refused at once instead of waited on for ever.
    const QString fifo = m_home->path() + u"/pipe"_s;
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QVERIFY(QFile::link(fifo, m_home->path() + u"/COVER.png"_s));
    QVERIFY(PictureLoading::load(m_home->path() + u"/COVER.png"_s, {100, 100}).isNull());
    // Pictures of the limit's pixels are decoded; one more, far more, or a count that would
    // overflow (65536 x 65536 is 2^32) are not.
    for (const auto& [size, tooLarge] :
         {std::pair(QSize(7500, 8000), false), std::pair(QSize(60'000'001, 1), true),
          std::pair(QSize(100'000, 100'000), true), std::pair(QSize(65536, 65536), true),
          std::pair(QSize(), true)})
        QCOMPARE(PictureLoading::isTooLarge(size), tooLarge);
    // Notes of megabytes show their beginning: at the limit whole, one past it and far past it cut.
    for (const auto& [notes, cut] :
         {std::pair(QString(4000, u'n'), false), std::pair(QString(4001, u'n'), true),
          std::pair(QString(2'000'000, u'n'), true), std::pair(QString(u"line\n"_s).repeated(61), true)}) {
        ConfigEntry entry{u"Doom"_s, u"/x/Doom.conf"_s};
        entry.details.notes = notes;
        const QString html = describeGame(entry, {});
        QCOMPARE(html.contains(u" …"_s), cut);
        QVERIFY(html.size() < 6000);
    }
}

void MainWindowTest::detailsPanelShowsPictures()
{
    const QString library = m_home->libraryFolder();
    m_home->writeConfig(u"a"_s, "game_title=Doom\ngame_year=1993\ngame_notes=<b>IDDQD</b>\\nline two\n");
    m_home->writeConfig(u"b"_s, "game_title=Broken\n");
    m_home->writeConfig(u"c"_s, "game_title=Huge\n");
    const auto writeImage = [](const QString& path, int age) {
        QDir().mkpath(QFileInfo(path).path());
        QImage image(64, 48, QImage::Format_RGB32);
        image.fill(Qt::red);
        QVERIFY(image.save(path) && backdate(path, age));
    };
    writeImage(library + u"/a/CAPTURE/old.png"_s, 600);
    writeImage(library + u"/a/CAPTURE/new.png"_s, 60);
    m_home->writeFile(u"Library/Application Support/Tandril/b/CAPTURE/b_000.png"_s,
                      "\x89PNG\r\n\x1a\nbroken");
    // A header that claims 100,000 x 100,000 pixels: never decoded.
    const QByteArray huge("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\x01\x86\xa0\0\x01\x86\xa0\x08\x02\0\0\0"
                          "\x27\x30\x9c\x9f",
                          33);
    m_home->writeFile(u"Library/Application Support/Tandril/c/CAPTURE/c_000.png"_s,
                      huge + QByteArray("\0\0\0\0IEND\xae\x42\x60\x82", 12));

    const auto window = makeWindow();
    auto* panel = window->findChild<DetailsPanel*>();
    QVERIFY(panel && panel->isVisible());
    // The picture the panel shows first after a step, by its last three path parts.
    const auto showsAfter = [&](const std::function<void()>& step) {
        QSignalSpy shown(panel, &DetailsPanel::pictureShown);
        step();
        return shown.wait(5000) ? shown.first().first().toString().section(u'/', -3) : QString();
    };
    // The newest screenshot first, the others a step away; details escaped, notes on their lines.
    QCOMPARE(showsAfter([&] { select(*window, {0}); }), u"a/CAPTURE/new.png"_s);
    const QString text = child<QLabel>(*window, "detailsText")->text();
    QVERIFY2(text.contains(u"1993"_s) && text.contains(u"&lt;b&gt;IDDQD&lt;/b&gt;<br>line two"_s),
             qPrintable(text));
    QCOMPARE(showsAfter([&] { child(*window, "nextPictureButton")->click(); }), u"a/CAPTURE/old.png"_s);

    // A chosen cover comes first; a file that is no picture, or a cover that cannot be put in
    // place, keeps it.
    const QString cover = m_home->path() + u"/cover.jpg"_s;
    writeImage(cover, 0);
    // What a killed copy of a cover left goes with the next one.
    QVERIFY(backdate(
        m_home->writeFile(
            u"Library/Application Support/Tandril/a/CAPTURE/.COVER.png.partial-0A1B2C3D-0000-4000-8000-00000000000F"_s,
            "half"),
        600));
    const QString notAPicture = m_home->writeFile(u"notes.txt"_s, "text");
    QCOMPARE(showsAfter([&] {
                 child(*window, "choosePictureButton")->click();
                 m_filePanel.choose(cover);
             }),
             u"a/CAPTURE/COVER.jpg"_s);
    QCOMPARE(readFile(library + u"/a/CAPTURE/COVER.jpg"_s), readFile(cover));
    child(*window, "choosePictureButton")->click();
    m_filePanel.choose(notAPicture);
    QCOMPARE(m_prompter.takeAlerts().size(), 1);
    QVERIFY(QDir().mkpath(library + u"/a/CAPTURE/COVER.png"_s)); // a folder where the new cover must go
    const QString png = m_home->path() + u"/cover.png"_s;
    writeImage(png, 0);
    child(*window, "choosePictureButton")->click();
    m_filePanel.choose(png);
    QCOMPARE(m_prompter.takeAlerts().size(), 1);
    QCOMPARE(QDir(library + u"/a/CAPTURE"_s).entryList(QDir::Files | QDir::Hidden),
             (QStringList{u"COVER.jpg"_s, u"new.png"_s, u"old.png"_s}));

    // A broken file and one too large to decode give the placeholder, once, and the window goes
    // on; a selection that moved on while a picture loaded shows only the game it ended on.
    for (const int row : {1, 2}) {
        QCOMPARE(showsAfter([&] {
                     table(*window)->selectRow(0);
                     table(*window)->selectRow(row);
                     // Never the game before's picture beside this game's details.
                     QVERIFY(child<QLabel>(*window, "pictureLabel")->pixmap().isNull());
                 }),
                 (u"%1/CAPTURE/%1_000.png"_s).arg(row == 1 ? u"b"_s : u"c"_s));
        QCOMPARE(child<QLabel>(*window, "pictureLabel")->text(), u"This picture cannot be shown"_s);
        QVERIFY(!child(*window, "previousPictureButton")->isEnabled() &&
                !child(*window, "nextPictureButton")->isEnabled()); // one picture: nowhere to step
        QSignalSpy again(panel, &DetailsPanel::pictureShown);
        QVERIFY(!again.wait(200));
    }
}

void MainWindowTest::addsTheChosenGamesOfAFolder()
{
    m_home->writeConfig(u"Quake"_s, "game_title=Quake\n");
    for (const char* game : {"Doom/DOOM.EXE", "Keen/KEEN.EXE", "Quake/QUAKE.EXE"})
        m_home->writeFile(u"games/"_s + QLatin1String(game), "MZ");
    m_home->writeFile(u"games/bad.zip"_s, "not a zip");
    // A folder chosen after its window closed is not looked into.
    child<QAction>(*makeWindow(), "addGamesFromFolderAction")->trigger();
    m_filePanel.choose(m_home->path() + u"/games"_s);
    const auto window = makeWindow();
    child<QAction>(*window, "addGamesFromFolderAction")->trigger();
    QVERIFY(m_filePanel.requests.last().folder);
    m_filePanel.choose(m_home->path() + u"/games"_s);
    QDialog* dialog = nullptr;
    QTRY_VERIFY((dialog = window->findChild<QDialog*>(u"folderBatchDialog"_s)));
    auto* list = dialog->findChild<QTreeWidget*>(u"batchList"_s);
    QCOMPARE(list->topLevelItemCount(), 4);
    QCOMPARE(list->topLevelItem(1)->text(1), u"DOOM.EXE"_s);
    QVERIFY(!(list->topLevelItem(3)->flags() & Qt::ItemIsEnabled)); // Quake is in the library
    list->topLevelItem(2)->setCheckState(0, Qt::Unchecked);
    auto* add = dialog->findChild<QPushButton*>(u"addGamesButton"_s);
    QCOMPARE(add->text(), u"Add 2 Games"_s);
    add->click();
    QTRY_COMPARE(child<QLabel>(*window, "statusLabel")->text(),
                 u"Added 1 of 2 games; 0 already in the library, 1 not added"_s);
    // The game that could not be added is told once, at the end.
    QCOMPARE(m_prompter.takeAlerts(),
             QList<ScriptedPrompter::Alert>(
                 {{u"Some Games Were Not Added"_s,
                   u"Added 1 of 2 games; 0 already in the library, 1 not added\n\nBad — Add Game "
                   "Failed: bad.zip is not a zip archive."_s}}));
    QCOMPARE(shown(*window), (QStringList{u"Doom"_s, u"Quake"_s}));
    QCOMPARE(readFile(m_home->libraryFolder() + u"/Quake.conf"_s), QByteArray("game_title=Quake\n"));
    // A game's folder dragged onto the list and dropped there is proposed for adding.
    QMimeData dropped;
    dropped.setUrls({QUrl::fromLocalFile(m_home->path() + u"/games/Keen"_s)});
    QWidget* viewport = child<QTableView>(*window, "tableView")->viewport();
    QDragEnterEvent enter({5, 5}, Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QDropEvent drop({5, 5}, Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QVERIFY(QApplication::sendEvent(viewport, &enter) && QApplication::sendEvent(viewport, &drop));
    QTRY_VERIFY(window->findChild<QDialog*>(u"folderAddProposal"_s));
}

void MainWindowTest::addDialogsHandBackWhatWasChosen()
{
    QWidget parent;
    // The title typed for a new game: trimmed, none when blank, handed over once.
    QList<std::optional<QString>> titles;
    for (const QString& typed : {u"  Keen 4 "_s, u"   "_s}) {
        auto* sheet = new EnterTitleController(&parent);
        sheet->setCompletionHandler([&titles](const std::optional<QString>& title) { titles.append(title); });
        sheet->titleInputField()->setText(typed);
        sheet->confirmTitle();
        sheet->cancel(); // closing afterwards hands over nothing more
    }
    QCOMPARE(titles, (QList<std::optional<QString>>{u"Keen 4"_s, std::nullopt}));

    // What an add found, changed by the user: "None" is no file, the title is trimmed, and a blank
    // title cannot be added.
    const FolderAddJob::Proposal found{
        u"Doom"_s,          u"DOOM.EXE"_s,
        u"SETUP.EXE"_s,     u"doom.iso"_s,
        {u"a.img"_s},       {u"DOOM.EXE"_s, u"SETUP.EXE"_s},
        {u"doom.iso"_s},    {u"[sdl] output=overlay — DOSBox-X has no such value"_s},
        u"a store's game"_s};
    std::optional<std::optional<FolderAddJob::Proposal>> answer;
    FolderAddProposal::ask(&parent, found, [&answer](const auto& chosen) { answer = chosen; });
    auto* dialog = parent.findChild<QDialog*>(u"folderAddProposal"_s);
    QVERIFY(dialog);
    auto* title = dialog->findChild<QLineEdit*>(u"proposedTitle"_s);
    auto* add = dialog->findChild<QPushButton*>(u"addProposedGame"_s);
    QCOMPARE(dialog->findChild<QComboBox*>(u"proposedSetup"_s)->currentText(), u"SETUP.EXE"_s);
    // What the game's own set-up had that stays behind is shown before anything is added.
    QCOMPARE(dialog->findChild<QLabel*>(u"proposedNotCarried"_s)->text(), found.notCarried.first());
    title->setText(u"  "_s);
    QVERIFY(!add->isEnabled());
    title->setText(u" Doom II "_s);
    dialog->findChild<QComboBox*>(u"proposedProgram"_s)->setCurrentIndex(2);
    dialog->findChild<QComboBox*>(u"proposedCdImage"_s)->setCurrentIndex(0);
    add->click();
    FolderAddJob::Proposal expected = found;
    expected.title = u"Doom II"_s;
    expected.program = u"SETUP.EXE"_s;
    expected.cdImage.clear();
    QCOMPARE(answer, std::optional(std::optional(expected)));
}

void MainWindowTest::gameEditedElsewhereIsShown()
{
    // Another program saves over a game's file (as editors and "tandril details" do): the window
    // shows it at once. One that writes the file in place is seen when the window is back in front.
    const QString conf = m_home->writeConfig(u"a"_s, "game_title=Doom\n");
    const auto window = makeWindow();
    const QString beside = m_home->writeFile(u"elsewhere/a.conf"_s, "game_title=Doom II\n");
    QVERIFY(::rename(QFile::encodeName(beside).constData(), QFile::encodeName(conf).constData()) == 0);
    QTRY_COMPARE(shown(*window), QStringList{u"Doom II"_s});
    QWidget editor;
    editor.show();
    editor.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&editor));
    QFile file(conf);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write("game_title=Heretic\n") > 0);
    file.close();
    QTest::qWait(500);
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QTRY_COMPARE(shown(*window), QStringList{u"Heretic"_s});
}

void MainWindowTest::savedGamesWindowAndDriveC()
{
    // What the game wrote is shown, backed up, reset to the Trash and put back, from its window.
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    QVERIFY(QDir().mkpath(dataHome)); // a Trash
    m_home->writeConfig(u"Doom"_s, "game_title=Doom\n");
    const QString library = m_home->libraryFolder();
    m_home->writeFile(u"Library/Application Support/Tandril/Doom/DOOM.EXE"_s, "MZ");
    const QString saves = library + u"/.Doom.saves"_s;
    m_home->writeFile(u"Library/Application Support/Tandril/.Doom.saves/SAVE1.DAT"_s, "level 3");
    m_home->writeFile(u"Library/Application Support/Tandril/.Doom.saves/.DBOVERLAY_DEL_DEMO.LMP"_s, "");
    const auto window = makeWindow();

    // Show Drive C says where the writes are, and shows them when asked.
    m_prompter.answers = {1};
    child(*window, "GotoCButton")->click();
    QCOMPARE(m_prompter.questions.takeFirst().buttons.at(1), u"Show What It Wrote"_s);
    QCOMPARE(m_services.openedFolders, QStringList{saves});

    child<QAction>(*window, "savedGamesAction")->trigger();
    auto* dialog = window->findChild<QDialog*>(u"savedGamesDialog"_s);
    QVERIFY(dialog && dialog->isVisible());
    auto* list = dialog->findChild<QTreeWidget*>(u"savedGamesList"_s);
    QCOMPARE(list->topLevelItemCount(), 2);
    QCOMPARE(list->topLevelItem(0)->text(0), u"SAVE1.DAT"_s);
    QCOMPARE(list->topLevelItem(1)->text(0) + u' ' + list->topLevelItem(1)->text(1), u"DEMO.LMP deleted"_s);

    const QString backup = m_home->path() + u"/Desktop/Doom saved games.zip"_s;
    dialog->findChild<QPushButton*>(u"savedGamesBackUp"_s)->click();
    QCOMPARE(m_filePanel.requests.last().saveAs, u"Doom saved games.zip"_s);
    m_filePanel.choose(backup);
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(backup), 30000);
    QTRY_VERIFY(dialog->findChild<QPushButton*>(u"savedGamesReset"_s)->isEnabled());
    QCOMPARE(m_prompter.takeAlerts().size(), 1); // "Backup Successful"

    // Reset asks, saying what goes; Cancel keeps everything.
    m_prompter.answers = {1};
    dialog->findChild<QPushButton*>(u"savedGamesReset"_s)->click();
    QVERIFY(m_prompter.questions.takeFirst().text.contains(u"the settings its setup program saved"_s));
    QVERIFY(QFileInfo::exists(saves + u"/SAVE1.DAT"_s));
    m_prompter.answers = {0};
    dialog->findChild<QPushButton*>(u"savedGamesReset"_s)->click();
    m_prompter.questions.clear();
    const QList<ScriptedPrompter::Alert> alerts = m_prompter.takeAlerts();
    QVERIFY2(alerts.isEmpty(), qPrintable(alerts.value(0).title + u": "_s + alerts.value(0).message));
    QVERIFY(!QFileInfo::exists(saves));
    QCOMPARE(readFile(dataHome + u"/Trash/files/.Doom.saves/SAVE1.DAT"_s), "level 3");
    QCOMPARE(list->topLevelItemCount(), 0);
    QVERIFY(!dialog->findChild<QPushButton*>(u"savedGamesReset"_s)->isEnabled());

    dialog->findChild<QPushButton*>(u"savedGamesRestore"_s)->click();
    m_filePanel.choose(backup);
    QTRY_COMPARE_WITH_TIMEOUT(list->topLevelItemCount(), 2, 30000);
    QCOMPARE(readFile(saves + u"/SAVE1.DAT"_s), "level 3");
    QCOMPARE(m_prompter.takeAlerts().size(), 1); // "Saved Games Restored"
    dialog->close();
}

QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
