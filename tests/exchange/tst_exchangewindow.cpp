#include "app/MainWindow.h"
#include "common/RecordingServices.h"
#include "common/ScriptedFilePanel.h"
#include "common/ScriptedPrompter.h"
#include "common/TestHome.h"
#include "common/ZipWriter.h"

#include <QDir>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QTest>

// Export and import from the library window: the indicators, the blocked commands, both roads.
class ExchangeWindowTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { isolateUserDefaults(); }
    void init();
    void cleanup();
    void exportShowsProgressAndCancels_data();
    void exportShowsProgressAndCancels();
    void importThroughThePanel();

private:
    QProgressBar* indicator(MainWindow& window, const char* name)
    {
        return window.findChild<QProgressBar*>(QString::fromLatin1(name));
    }

    std::unique_ptr<TestHome> m_home;
    ScriptedPrompter m_prompter;
    RecordingServices m_services;
    ScriptedFilePanel m_filePanel;
};

void ExchangeWindowTest::init()
{
    m_home = std::make_unique<TestHome>();
    m_prompter = {};
    m_filePanel = {};
    QDir().mkpath(m_home->path() + QStringLiteral("/Desktop"));
}

void ExchangeWindowTest::cleanup()
{
    QVERIFY(m_prompter.questions.isEmpty());
    m_home.reset();
}

void ExchangeWindowTest::exportShowsProgressAndCancels_data()
{
    QTest::addColumn<bool>("cancel");
    QTest::newRow("to the end") << false;
    QTest::newRow("cancelled") << true;
}

void ExchangeWindowTest::exportShowsProgressAndCancels()
{
    QFETCH(bool, cancel);
    m_home->writeConfig(QStringLiteral("Doom"), "game_title=Doom\n");
    m_home->writeConfig(QStringLiteral("Keen"), "game_title=Keen\ngame_exe=KEEN.EXE\n");
    m_home->writeFile(QStringLiteral("Library/Application Support/Tandril/Doom/DOOM.WAD"),
                      QByteArray(4 << 20, 'x'));
    MainWindow window({m_prompter, m_services, m_filePanel}, Emulator({m_home->path()}));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    window.findChild<QPushButton*>(QStringLiteral("export_game"))->click();
    QVERIFY(indicator(window, "progressIndicator_export")->isVisible());
    QVERIFY(!window.findChild<QPushButton*>(QStringLiteral("import_game"))->isEnabled());
    // Other games stay playable meanwhile; the game being packed does not.
    QVERIFY(window.findChild<QTableView*>(QStringLiteral("tableView"))->isEnabled());
    QVERIFY(!window.findChild<QPushButton*>(QStringLiteral("launchMSDosButton"))->isEnabled());
    window.findChild<QTableView*>(QStringLiteral("tableView"))->selectRow(1);
    QVERIFY(window.findChild<QPushButton*>(QStringLiteral("launchGameButton"))->isEnabled());
    QVERIFY(!window.findChild<QPushButton*>(QStringLiteral("EditButton"))->isEnabled());
    auto* cancelButton = window.findChild<QPushButton*>(QStringLiteral("cancelWorkButton"));
    QVERIFY(cancelButton->isVisible());
    if (cancel)
        cancelButton->click();
    QTRY_VERIFY_WITH_TIMEOUT(indicator(window, "progressIndicator_export")->isHidden(), 30000);
    QVERIFY(cancelButton->isHidden());
    QVERIFY(window.findChild<QPushButton*>(QStringLiteral("import_game"))->isEnabled());
    QCOMPARE(QFile::exists(m_home->path() + QStringLiteral("/Desktop/Doom.tdl")), !cancel);
    if (cancel) {
        QVERIFY(m_prompter.takeAlerts().isEmpty()); // no error: the user's choice
        QCOMPARE(window.findChild<QLabel*>(QStringLiteral("statusLabel"))->text(),
                 QStringLiteral("Export cancelled"));
    } else {
        QCOMPARE(
            m_prompter.takeAlerts(),
            QList<ScriptedPrompter::Alert>({{"Export Successful", "File saved to your Desktop:\nDoom.tdl"}}));
        // Counted from zip's own lines: the folder, its file, the configuration and the marker.
        QCOMPARE(indicator(window, "progressIndicator_export")->maximum(), 4);
        QCOMPARE(indicator(window, "progressIndicator_export")->value(), 4);
    }
    QCOMPARE(QDir(m_home->temporaryFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList());
}

void ExchangeWindowTest::importThroughThePanel()
{
    const ZipWriter zip({"tdl=", "Loom.conf=game_title=Loom\n"});
    const QString archive = m_home->path() + QStringLiteral("/Loom.tdl");
    QVERIFY(zip.write(archive));
    m_home->writeConfig(QStringLiteral("Zak"), "game_title=Zak\n"); // selected before the import
    MainWindow window({m_prompter, m_services, m_filePanel}, Emulator({m_home->path()}));
    window.findChild<QPushButton*>(QStringLiteral("import_game"))->click();
    QCOMPARE(m_filePanel.requests.size(), 1);
    QCOMPARE(m_filePanel.requests.first().extensions, QStringList{"tdl"});
    m_filePanel.choose(archive);
    QTRY_COMPARE_WITH_TIMEOUT(window.configEntries().size(), 2, 30000);
    QTRY_VERIFY(indicator(window, "progressIndicator_import")->isHidden());
    // The imported game is selected, as after Add.
    QCOMPARE(window.selectedConfig()->title, QStringLiteral("Loom"));
    QTRY_COMPARE(m_prompter.alerts.size(), 1);
    QCOMPARE(m_prompter.takeAlerts().first().title, QStringLiteral("Import Successful"));
}

QTEST_MAIN(ExchangeWindowTest)
#include "tst_exchangewindow.moc"
