#include "app/AppDelegate.h"
#include "app/EnterTitleController.h"
#include "app/LibraryTableModel.h"
#include "app/MainWindow.h"
#include "common/RecordingEmulator.h"
#include "common/RecordingServices.h"
#include "common/ScriptedFilePanel.h"
#include "common/ScriptedPrompter.h"
#include "common/TestHome.h"
#include "platform/ConfigNotifier.h"
#include "platform/DialogPrompter.h"
#include "platform/UserDefaults.h"
#include "settings/Preferences.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

// The library window, shown offscreen, with its alerts answered by a script.
class MainWindowTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { isolateUserDefaults(); }
    void init();
    void cleanup();

    void tableShowsLibraryInFileNameOrder();
    void restoresRememberedRow_data();
    void restoresRememberedRow();
    void selectionIsRemembered();
    void selectionFollowsTheGame_data();
    void selectionFollowsTheGame();
    void searchNarrowsTheList_data();
    void searchNarrowsTheList();
    void keyboardAndMenus_data();
    void keyboardAndMenus();
    void outsideChangesAppear();
    void buttonStates_data();
    void buttonStates();
    void twoSelectedRows();
    void notificationReloads();
    void sizeIsRemembered();
    void alertAppearsAfterTheActionReturns();
    void alertWithoutWindowIsApplicationModal();
    void mt32Light_data();
    void mt32Light();
    void mt32ButtonOpensFolderAndWarns();
    void mt32ButtonWithoutFolderDoesNothing();
    void presenceCheck_data();
    void presenceCheck();
    void shaderFolderBesideTheProgram();
    void launchButtonsStartTheEmulator();
    void launchWithoutSelectionAlerts();
    void addGameThroughTheSheet_data();
    void addGameThroughTheSheet();
    void deleteRemovesTheRow();

private:
    std::unique_ptr<MainWindow> makeWindow();
    QTableView* table(MainWindow& window)
    {
        return window.findChild<QTableView*>(QStringLiteral("tableView"));
    }
    QPushButton* button(MainWindow& window, const char* name)
    {
        return window.findChild<QPushButton*>(QString::fromLatin1(name));
    }
    void select(MainWindow& window, const QList<int>& rows);
    QStringList titles(const MainWindow& window);
    // The titles as the table shows them, sorted and filtered.
    QStringList shownTitles(MainWindow& window)
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
    Host host() { return {m_prompter, m_services, m_filePanel}; }
};

void MainWindowTest::init()
{
    m_home = std::make_unique<TestHome>();
    m_prompter = {};
    m_services = {};
    m_filePanel = {};
}

void MainWindowTest::cleanup()
{
    // An alert that a test did not expect is a failure.
    QCOMPARE(m_prompter.takeAlerts(), QList<ScriptedPrompter::Alert>());
    QVERIFY(m_prompter.questions.isEmpty());
    m_home.reset();
}

std::unique_ptr<MainWindow> MainWindowTest::makeWindow()
{
    return std::make_unique<MainWindow>(host(), Emulator({m_home->path()}));
}

void MainWindowTest::select(MainWindow& window, const QList<int>& rows)
{
    QItemSelectionModel* selection = table(window)->selectionModel();
    selection->clearSelection();
    for (const int row : rows)
        selection->setCurrentIndex(table(window)->model()->index(row, 1),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

QStringList MainWindowTest::titles(const MainWindow& window)
{
    QStringList result;
    for (const ConfigEntry& entry : window.configEntries())
        result << entry.title;
    return result;
}

void MainWindowTest::tableShowsLibraryInFileNameOrder()
{
    m_home->writeConfig(QStringLiteral("game10"), "game_title=b ten\n");
    m_home->writeConfig(QStringLiteral("game9"), "game_title=C nine\n");
    m_home->writeConfig(QStringLiteral("Alpha"), "game_title=z alpha\n");
    m_home->writeConfig(QStringLiteral("untitled"), "[sdl]\n");
    const auto window = makeWindow();
    QCOMPARE(titles(*window), (QStringList{"z alpha", "C nine", "b ten"}));
    const QAbstractItemModel* model = table(*window)->model();
    QCOMPARE(model->rowCount(), 3);
    QCOMPARE(model->index(1, LibraryTableModel::TitleColumn).data().toString(), QStringLiteral("C nine"));
    QVERIFY(
        !model->index(1, LibraryTableModel::ImageColumn).data(Qt::DecorationRole).value<QIcon>().isNull());
    // The MT-32 folder (and with it the library folder) is made at start.
    QVERIFY(QFileInfo(m_home->libraryFolder() + QStringLiteral("/mt32")).isDir());
}

void MainWindowTest::restoresRememberedRow_data()
{
    QTest::addColumn<int>("stored"); // -100: never stored
    QTest::addColumn<int>("selected");
    QTest::newRow("stored row") << 2 << 2;
    QTest::newRow("out of range selects nothing") << 5 << -1;
    QTest::newRow("never stored selects the first") << -100 << 0;
}

void MainWindowTest::restoresRememberedRow()
{
    QFETCH(int, stored);
    QFETCH(int, selected);
    for (const char* name : {"a", "b", "c"})
        m_home->writeConfig(QString::fromLatin1(name), QByteArray("game_title=") + name + '\n');
    if (stored != -100)
        UserDefaults().setLastSelectedConfigRow(stored);
    const auto window = makeWindow();
    QCOMPARE(window->selectedRow(), selected);
    QCOMPARE(table(*window)->selectionModel()->selectedRows().size(), selected < 0 ? 0 : 1);
    QCOMPARE(window->selectedConfig().has_value(), selected >= 0);
}

void MainWindowTest::selectionIsRemembered()
{
    for (const char* name : {"a", "b", "c"})
        m_home->writeConfig(QString::fromLatin1(name), QByteArray("game_title=") + name + '\n');
    const auto window = makeWindow();
    select(*window, {1});
    QCOMPARE(UserDefaults().lastSelectedConfigRow(), std::optional<int>(1));
    table(*window)->clearSelection();
    QCOMPARE(UserDefaults().lastSelectedConfigRow(), std::nullopt);
}

void MainWindowTest::selectionFollowsTheGame_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("order");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("image column keeps file-name order")
        << int(LibraryTableModel::ImageColumn) << int(Qt::AscendingOrder)
        << QStringList{"banana", "Apple", "cherry"};
    QTest::newRow("title ascending") << int(LibraryTableModel::TitleColumn) << int(Qt::AscendingOrder)
                                     << QStringList{"Apple", "banana", "cherry"};
    QTest::newRow("title descending") << int(LibraryTableModel::TitleColumn) << int(Qt::DescendingOrder)
                                      << QStringList{"cherry", "banana", "Apple"};
}

void MainWindowTest::selectionFollowsTheGame()
{
    QFETCH(int, column);
    QFETCH(int, order);
    QFETCH(QStringList, shown);
    m_home->writeConfig(QStringLiteral("1"), "game_title=banana\n");
    m_home->writeConfig(QStringLiteral("2"), "game_title=Apple\n");
    m_home->writeConfig(QStringLiteral("3"), "game_title=cherry\n");
    {
        const auto window = makeWindow();
        select(*window, {2}); // cherry
        table(*window)->horizontalHeader()->setSortIndicator(column, Qt::SortOrder(order));
        QCOMPARE(shownTitles(*window), shown);
        QCOMPARE(window->selectedConfig()->title, QStringLiteral("cherry"));
        QCOMPARE(table(*window)->currentIndex().data().toString(), QStringLiteral("cherry"));
        // Remembered in file-name order, whatever the sort.
        QCOMPARE(UserDefaults().lastSelectedConfigRow(), std::optional<int>(2));
    }
    const auto restarted = makeWindow();
    QCOMPARE(restarted->selectedConfig()->title, QStringLiteral("cherry"));
    QCOMPARE(shownTitles(*restarted), (QStringList{"banana", "Apple", "cherry"}));
}

void MainWindowTest::searchNarrowsTheList_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QString>("count");
    QTest::newRow("nothing typed") << "" << QStringList{"Café Quest", "Doom", "Pac-Man"} << "3 games";
    QTest::newRow("any part, any case") << "OOM" << QStringList{"Doom"} << "1 of 3 games";
    QTest::newRow("accents ignored both ways") << "cafe" << QStringList{"Café Quest"} << "1 of 3 games";
    QTest::newRow("no match") << "zork" << QStringList{} << "0 of 3 games";
}

void MainWindowTest::searchNarrowsTheList()
{
    QFETCH(QString, typed);
    QFETCH(QStringList, shown);
    QFETCH(QString, count);
    m_home->writeConfig(QStringLiteral("a"), "game_title=Café Quest\n");
    m_home->writeConfig(QStringLiteral("b"), "game_title=Doom\ngame_exe=DOOM.EXE\n");
    m_home->writeConfig(QStringLiteral("c"), "game_title=Pac-Man\n");
    UserDefaults().setLastSelectedConfigRow(2);
    const auto window = makeWindow();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QTest::keyClick(window.get(), Qt::Key_F, Qt::ControlModifier);
    QTRY_VERIFY(window->findChild<QLineEdit*>(QStringLiteral("searchField"))->hasFocus());
    QTest::keyClicks(window->findChild<QLineEdit*>(QStringLiteral("searchField")), typed);
    QCOMPARE(shownTitles(*window), shown);
    QCOMPARE(window->findChild<QLabel*>(QStringLiteral("gameCount"))->text(), count);
    // Commands act on the game the user sees selected, never on a hidden one.
    if (!shown.contains(QStringLiteral("Pac-Man")))
        QCOMPARE(window->selectedConfig().has_value(), false);
    if (!shown.isEmpty()) {
        select(*window, {0});
        QCOMPARE(window->selectedConfig()->title, shown.first());
        QCOMPARE(button(*window, "launchGameButton")->isEnabled(), shown.first() == u"Doom");
    }
    QTest::keyClick(window->findChild<QLineEdit*>(QStringLiteral("searchField")), Qt::Key_Escape);
    QCOMPARE(shownTitles(*window).size(), 3);
}

void MainWindowTest::keyboardAndMenus_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("outcome");
    QTest::newRow("Return plays") << int(Qt::Key_Return) << int(Qt::NoModifier) << "launch";
    QTest::newRow("Delete asks") << int(Qt::Key_Delete) << int(Qt::NoModifier) << "Delete Configuration?";
    QTest::newRow("Ctrl+E opens the settings") << int(Qt::Key_E) << int(Qt::ControlModifier) << "editor";
    QTest::newRow("F2 opens the settings") << int(Qt::Key_F2) << int(Qt::NoModifier) << "editor";
    QTest::newRow("Ctrl+N adds") << int(Qt::Key_N) << int(Qt::ControlModifier) << "sheet";
    QTest::newRow("Ctrl+I imports") << int(Qt::Key_I) << int(Qt::ControlModifier) << "panel";
}

void MainWindowTest::keyboardAndMenus()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, outcome);
    RecordingEmulator emulator(m_home->path() + QStringLiteral("/bin"));
    m_home->writeConfig(QStringLiteral("a"), "game_title=A\ngame_exe=A.EXE\n");
    m_home->writeFile(QStringLiteral("Library/Application Support/Tandril/a/A.EXE"), "MZ");
    MainWindow window(host(), Emulator({emulator.folder()}));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    table(window)->setFocus();
    QTest::keyClick(table(window), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    if (outcome == u"launch") {
        QVERIFY(emulator.takeArguments().has_value());
    } else if (outcome == u"editor") {
        QVERIFY(window.preferencesWindowController());
        window.preferencesWindowController()->close();
    } else if (outcome == u"sheet") {
        QVERIFY(window.findChild<EnterTitleController*>());
    } else if (outcome == u"panel") {
        QCOMPARE(m_filePanel.requests.size(), 1);
    } else {
        QCOMPARE(m_prompter.questions.size(), 1);
        QCOMPARE(m_prompter.questions.takeFirst().title, outcome);
    }

    // The menus' game commands follow the buttons' rules.
    table(window)->clearSelection();
    for (const char* name : {"playAction", "settingsAction", "deleteAction", "exportAction"})
        QVERIFY(!window.findChild<QAction*>(QString::fromLatin1(name))->isEnabled());
    QVERIFY(window.findChild<QAction*>(QStringLiteral("addAction"))->isEnabled());
}

void MainWindowTest::outsideChangesAppear()
{
    m_home->writeConfig(QStringLiteral("b"), "game_title=B\n");
    const auto window = makeWindow();
    select(*window, {0});
    // Another Tandril adds a game whose file sorts before the selected one.
    m_home->writeConfig(QStringLiteral("a"), "game_title=A\n");
    QTRY_COMPARE_WITH_TIMEOUT(titles(*window), (QStringList{"A", "B"}), 5000);
    QCOMPARE(window->selectedConfig()->title, QStringLiteral("B"));
    QFile::remove(m_home->libraryFolder() + QStringLiteral("/a.conf"));
    QTRY_COMPARE_WITH_TIMEOUT(titles(*window), QStringList{"B"}, 5000);
}

void MainWindowTest::buttonStates_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("select");
    QTest::addColumn<QString>("expected"); // enabled buttons: Game Setup Dos Edit Delete GotoC Export

    QTest::newRow("nothing selected") << QByteArray("game_title=A\ngame_exe=A.EXE\n") << false << "-------";
    QTest::newRow("executable and setup")
        << QByteArray("game_title=A\ngame_exe=A.EXE\nsetup_exe=/s/SETUP.EXE\n") << true << "GSDEXCP";
    QTest::newRow("blank executable")
        << QByteArray("game_title=A\ngame_exe=  \nsetup_exe=\n") << true << "--DEXCP";
    QTest::newRow("later executable line counts")
        << QByteArray("game_title=A\ngame_exe=\ngame_exe=B.EXE\n") << true << "G-DEXCP";
    QTest::newRow("indented executable line does not")
        << QByteArray("game_title=A\n game_exe=B.EXE\n") << true << "--DEXCP";
}

void MainWindowTest::buttonStates()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, select);
    QFETCH(QString, expected);
    m_home->writeConfig(QStringLiteral("a"), content);
    UserDefaults().setLastSelectedConfigRow(select ? 0 : 7);
    const auto window = makeWindow();
    QString actual;
    const std::pair<const char*, QChar> buttons[] = {
        {"launchGameButton", u'G'}, {"launchSetupButton", u'S'}, {"launchMSDosButton", u'D'},
        {"EditButton", u'E'},       {"DeleteButton", u'X'},      {"GotoCButton", u'C'},
        {"export_game", u'P'},
    };
    for (const auto& [name, letter] : buttons)
        actual += button(*window, name)->isEnabled() ? letter : u'-';
    QCOMPARE(actual, expected);
}

void MainWindowTest::twoSelectedRows()
{
    m_home->writeConfig(QStringLiteral("a"), "game_title=A\n");
    m_home->writeConfig(QStringLiteral("b"), "game_title=B\ngame_exe=B.EXE\n");
    const auto window = makeWindow();
    select(*window, {0, 1});
    QVERIFY(!button(*window, "EditButton")->isEnabled());
    QVERIFY(button(*window, "DeleteButton")->isEnabled());
    QVERIFY(button(*window, "GotoCButton")->isEnabled());
    QVERIFY(button(*window, "export_game")->isEnabled());
    QVERIFY(button(*window, "launchGameButton")->isEnabled()); // the current row, B, names a program
    QCOMPARE(window->selectedConfig()->title, QStringLiteral("B"));
}

void MainWindowTest::notificationReloads()
{
    m_home->writeConfig(QStringLiteral("a"), "game_title=A\n");
    const auto window = makeWindow();
    m_home->writeConfig(QStringLiteral("b"), "game_title=B\n");
    QCOMPARE(titles(*window), QStringList{"A"});
    ConfigNotifier::instance().post();
    QCOMPARE(titles(*window), (QStringList{"A", "B"}));
}

void MainWindowTest::sizeIsRemembered()
{
    UserDefaults().setMainWindowHeight(640);
    UserDefaults().setMainWindowWidth(900);
    {
        const auto window = makeWindow();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QCOMPARE(window->size(), QSize(900, 640));
        QCOMPARE(window->minimumSize(), QSize(715, 375));
        QCOMPARE(window->maximumHeight(), 4000);
        window->resize(1000, 480);
        window->close();
    }
    QCOMPARE(UserDefaults().mainWindowHeight(), 480.0);
    QCOMPARE(UserDefaults().mainWindowWidth(), 1000.0);

    // At its smallest (half of a 1280 pixels wide screen at a scale of 2) every button shows whole.
    const auto window = makeWindow();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    window->setMinimumWidth(640);
    window->resize(640, MainWindow::MinimumHeight);
    QCoreApplication::processEvents();
    QCOMPARE(window->width(), 640);
    for (const QPushButton* button : window->findChildren<QPushButton*>())
        QVERIFY2(window->rect().contains(QRect(button->mapTo(window.get(), QPoint(0, 0)), button->size())),
                 qPrintable(button->objectName()));
}

void MainWindowTest::alertAppearsAfterTheActionReturns()
{
    DialogPrompter prompter;
    MainWindow window({prompter, m_services, m_filePanel}, Emulator({m_home->path()}));
    prompter.setWindow(&window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    window.showAlert(QStringLiteral("Error"), QStringLiteral("Could not read the config file."));
    QVERIFY(window.findChildren<QMessageBox*>().isEmpty());
    QTRY_COMPARE(window.findChildren<QMessageBox*>().size(), 1);
    QMessageBox* box = window.findChildren<QMessageBox*>().first();
    QCOMPARE(box->text(), QStringLiteral("Error"));
    QCOMPARE(box->informativeText(), QStringLiteral("Could not read the config file."));
    QCOMPARE(box->icon(), QMessageBox::Warning);
    QCOMPARE(box->windowModality(), Qt::WindowModal);
    QCOMPARE(box->buttons().size(), 1);
    box->button(QMessageBox::Ok)->click();
}

void MainWindowTest::alertWithoutWindowIsApplicationModal()
{
    DialogPrompter prompter;
    MainWindow window({prompter, m_services, m_filePanel}, Emulator({m_home->path()}));
    prompter.setWindow(&window); // never shown
    Qt::WindowModality seen = Qt::NonModal;
    QTimer closer;
    connect(&closer, &QTimer::timeout, this, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            seen = box->windowModality();
            box->button(QMessageBox::Ok)->click();
        }
    });
    closer.start(20);
    window.showAlert(QStringLiteral("Attention"), QStringLiteral("x"));
    QTRY_COMPARE(seen, Qt::ApplicationModal);
}

void MainWindowTest::mt32Light_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<bool>("removeFolder");
    QTest::addColumn<bool>("available");
    QTest::newRow("empty folder") << QStringList{} << false << false;
    QTest::newRow("the two ROMs") << QStringList{"MT32_CONTROL.ROM", "MT32_PCM.ROM"} << false << true;
    QTest::newRow("any two names in any case")
        << QStringList{"a.rom", "b.ROM", "readme.txt"} << false << true;
    QTest::newRow("three ROMs") << QStringList{"a.rom", "b.rom", "c.rom"} << false << false;
    QTest::newRow("folder deleted") << QStringList{} << true << false;
}

void MainWindowTest::mt32Light()
{
    QFETCH(QStringList, files);
    QFETCH(bool, removeFolder);
    QFETCH(bool, available);
    const auto window = makeWindow();
    const QString folder = m_home->libraryFolder() + QStringLiteral("/mt32");
    for (const QString& name : files)
        m_home->writeFile(QStringLiteral("Library/Application Support/Tandril/mt32/") + name, "rom");
    if (removeFolder)
        QVERIFY(QDir(folder).removeRecursively());
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    const QLabel* light = window->findChild<QLabel*>(QStringLiteral("mt32RomStatus"));
    QCOMPARE(light->property("available").toBool(), available);
    QVERIFY(!light->pixmap().isNull());
}

void MainWindowTest::mt32ButtonOpensFolderAndWarns()
{
    const auto window = makeWindow();
    button(*window, "selectMT32Roms")->click();
    QCOMPARE(m_services.openedFolders, QStringList{m_home->libraryFolder() + QStringLiteral("/mt32")});
    const ScriptedPrompter::Alert attention{QStringLiteral("Attention"),
                                            QStringLiteral("You need two ROM files inside the mt32 folder\n\n"
                                                           "MT32_CONTROL.ROM \nMT32_PCM.ROM\n")};
    QCOMPARE(m_prompter.takeAlerts(), QList<ScriptedPrompter::Alert>{attention});
    m_home->writeFile(QStringLiteral("Library/Application Support/Tandril/mt32/MT32_CONTROL.ROM"), "c");
    m_home->writeFile(QStringLiteral("Library/Application Support/Tandril/mt32/MT32_PCM.ROM"), "p");
    button(*window, "selectMT32Roms")->click();
    QCOMPARE(m_services.openedFolders.size(), 2);
}

void MainWindowTest::mt32ButtonWithoutFolderDoesNothing()
{
    const auto window = makeWindow();
    QVERIFY(QDir(m_home->libraryFolder() + QStringLiteral("/mt32")).removeRecursively());
    button(*window, "selectMT32Roms")->click();
    QVERIFY(m_services.openedFolders.isEmpty());
    QVERIFY(!QFileInfo::exists(m_home->libraryFolder() + QStringLiteral("/mt32")));
}

void MainWindowTest::presenceCheck_data()
{
    QTest::addColumn<bool>("installed");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("browserOpened");
    QTest::newRow("installed") << true << -1 << false;
    QTest::newRow("missing, Open Download") << false << 0 << true;
    QTest::newRow("missing, Choose…") << false << 1 << false;
    QTest::newRow("missing, Cancel") << false << 2 << false;
}

void MainWindowTest::presenceCheck()
{
    QFETCH(bool, installed);
    QFETCH(int, answer);
    QFETCH(bool, browserOpened);
    const QString bin = m_home->path() + QStringLiteral("/bin");
    if (installed) {
        const QString program = m_home->writeFile(QStringLiteral("bin/dosbox-x"), "#!/bin/sh\n");
        QFile::setPermissions(program, QFile::permissions(program) | QFileDevice::ExeOwner);
    }
    Emulator emulator({bin});
    QCOMPARE(emulator.isInstalled(), installed);
    if (answer >= 0)
        m_prompter.answers = {answer};
    AppDelegate::checkDosboxXPath(emulator, m_prompter, m_services, &m_filePanel);
    if (installed) {
        QCOMPARE(emulator.foundLine(), QStringLiteral("dosbox-x found at %1/dosbox-x.").arg(bin));
        QVERIFY(m_prompter.questions.isEmpty());
    } else {
        QCOMPARE(m_prompter.questions.size(), 1);
        const Prompter::Question question = m_prompter.questions.takeFirst();
        QCOMPARE(question.title, QStringLiteral("DOSBox-X Not Found"));
        QCOMPARE(question.text, QStringLiteral("The dosbox-x program was not found on this system.\n"
                                               "Please install it so Tandril works properly."));
        QCOMPARE(question.buttons, (QStringList{"Open Download", "Choose…", "Cancel"}));
    }
    QCOMPARE(m_filePanel.requests.size(), answer == 1 ? 1 : 0);
    if (answer == 1) {
        // The chosen program is kept and found from then on, whatever its name.
        const QString chosen = m_home->writeFile(QStringLiteral("opt/DOSBox-X/dosbox-x-sdl2"), "#!/bin/sh\n");
        QFile::setPermissions(chosen, QFile::permissions(chosen) | QFileDevice::ExeOwner);
        m_filePanel.choose(chosen);
        QCOMPARE(emulator.executable(), std::optional<QString>(chosen));
        QCOMPARE(Emulator({bin}).executable(), std::optional<QString>(chosen));
    }
    QCOMPARE(m_services.openedUrls.size(), browserOpened ? 1 : 0);
    if (browserOpened)
        QVERIFY(m_services.openedUrls.first().toString().contains(
            QStringLiteral("dosbox-x/blob/master/INSTALL.md")));
}

void MainWindowTest::shaderFolderBesideTheProgram()
{
    const QString program = m_home->writeFile(QStringLiteral("prefix/bin/dosbox-x"), "#!/bin/sh\n");
    QFile::setPermissions(program, QFile::permissions(program) | QFileDevice::ExeOwner);
    QVERIFY(QFile::link(program, m_home->path() + QStringLiteral("/dosbox-x")));
    QCOMPARE(Emulator({m_home->path()}).shaderFolder(),
             m_home->path() + QStringLiteral("/prefix/share/dosbox-x/glshaders"));
}

void MainWindowTest::launchButtonsStartTheEmulator()
{
    RecordingEmulator emulator(m_home->path() + QStringLiteral("/bin"));
    const QString conf =
        m_home->writeConfig(QStringLiteral("Keen"), "game_title=Keen\ngame_exe=C:\\KEEN.EXE\n");
    MainWindow window(host(), Emulator({emulator.folder()}));
    button(window, "launchGameButton")->click();
    const std::optional<QStringList> game = emulator.takeArguments();
    QVERIFY(game.has_value());
    QCOMPARE(game->mid(0, 2), (QStringList{"-conf", conf}));
    QCOMPARE(game->last(), QStringLiteral("KEEN.EXE"));

    button(window, "launchMSDosButton")->click();
    const std::optional<QStringList> dos = emulator.takeArguments();
    QVERIFY(dos.has_value());
    QCOMPARE(dos->last().left(5), QStringLiteral("keyb "));

    m_home->writeFile(QStringLiteral("Library/Application Support/Tandril/Keen/KEEN.EXE"), "MZ");
    button(window, "GotoCButton")->click();
    QCOMPARE(m_services.openedFolders, QStringList{m_home->libraryFolder() + QStringLiteral("/Keen")});
}

void MainWindowTest::launchWithoutSelectionAlerts()
{
    m_home->writeConfig(QStringLiteral("Keen"), "game_title=Keen\n");
    const auto window = makeWindow();
    table(*window)->clearSelection();
    window->launchSetup();
    window->gotoDriveC();
    const ScriptedPrompter::Alert noSelection{
        QStringLiteral("No Selection"),
        QStringLiteral("Please select a game from the list to launch the setup.")};
    QCOMPARE(m_prompter.takeAlerts(), QList<ScriptedPrompter::Alert>{noSelection});
    QVERIFY(m_services.openedFolders.isEmpty());
}

void MainWindowTest::addGameThroughTheSheet_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<int>("selected");
    QTest::newRow("confirmed") << "  Beneath a Steel Sky " << true
                               << QStringList{"Alpha", "Beneath a Steel Sky", "Zak"} << 1;
    QTest::newRow("blank") << "   " << true << QStringList{"Alpha", "Zak"} << 0;
    QTest::newRow("cancelled") << "Loom" << false << QStringList{"Alpha", "Zak"} << 0;
}

void MainWindowTest::addGameThroughTheSheet()
{
    QFETCH(QString, typed);
    QFETCH(bool, confirm);
    QFETCH(QStringList, listed);
    QFETCH(int, selected);
    m_home->writeConfig(QStringLiteral("Alpha"), "game_title=Alpha\n");
    m_home->writeConfig(QStringLiteral("Zak"), "game_title=Zak\n");
    const auto window = makeWindow();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    button(*window, "addButton")->click();
    auto* sheet = window->findChild<EnterTitleController*>();
    QVERIFY(sheet);
    QCOMPARE(sheet->windowModality(), Qt::WindowModal);
    sheet->titleInputField()->setText(typed);
    // A line break or a tab is refused as it is typed or pasted.
    sheet->titleInputField()->insert(QStringLiteral("\ngame_exe=C:\\EVIL.BAT\t"));
    QCOMPARE(sheet->titleInputField()->text(), typed);
    sheet->findChild<QPushButton*>(QString::fromLatin1(confirm ? "confirmButton" : "cancelButton"))->click();
    QTRY_VERIFY(window->findChild<EnterTitleController*>() == nullptr);
    QCOMPARE(titles(*window), listed);
    QCOMPARE(window->selectedRow(), selected);
    QCOMPARE(UserDefaults().lastSelectedConfigRow(), std::optional<int>(selected));
}

void MainWindowTest::deleteRemovesTheRow()
{
    m_home->writeConfig(QStringLiteral("a"), "game_title=A\n");
    m_home->writeConfig(QStringLiteral("b"), "game_title=B\n");
    m_home->writeFile(QStringLiteral("Library/Application Support/Tandril/b/B.EXE"), "MZ");
    const auto window = makeWindow();
    select(*window, {1});
    m_prompter.answers = {0};
    button(*window, "DeleteButton")->click();
    QCOMPARE(m_prompter.questions.size(), 1);
    m_prompter.questions.clear();
    QCOMPARE(titles(*window), QStringList{"A"});
    QCOMPARE(table(*window)->model()->rowCount(), 1);
    QVERIFY(!QFileInfo::exists(m_home->libraryFolder() + QStringLiteral("/b")));
    QVERIFY(QFileInfo::exists(m_home->libraryFolder() + QStringLiteral("/a.conf")));
}

QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
