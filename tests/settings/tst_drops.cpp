#include "common/RecordingServices.h"
#include "common/ScriptedFilePanel.h"
#include "common/ScriptedPrompter.h"
#include "common/TestHome.h"
#include "settings/DropCopy.h"
#include "settings/DropTargetView.h"
#include "settings/Preferences.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

// Files and folders dropped on the settings editor, copied into the game folder.
class DropsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void clash_data();
    void clash();
    void replaceFailureKeepsTheOldItem();
    void folderNeverCopiedIntoItself();
    void cancelledCopyLeavesNothing_data();
    void cancelledCopyLeavesNothing();
    void linksNeverLeadOutOfTheDroppedFolder();
    void dropOnTheAreaCopiesAndReports();

private:
    QString game(const QString& relative = {}) const
    {
        return m_home->libraryFolder() + QStringLiteral("/Doom") +
               (relative.isEmpty() ? QString() : u'/' + relative);
    }
    int drop(const QStringList& sources, DropCopy::Target target = DropCopy::Target::GameFolder,
             const QString& title = QStringLiteral("Doom"))
    {
        return DropCopy::run(DropCopy::plan(sources, title, target, m_prompter));
    }

    std::unique_ptr<TestHome> m_home;
    ScriptedPrompter m_prompter;
};

void DropsTest::init()
{
    m_home = std::make_unique<TestHome>();
    m_prompter = {};
}

void DropsTest::cleanup()
{
    QVERIFY(m_prompter.answers.isEmpty()); // every scripted answer was asked for
    m_home.reset();
}

void DropsTest::clash_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("copied");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("Replace") << 0 << 1 << QStringList{"game.exe"} << QByteArray("new");
    QTest::newRow("Keep both") << 1 << 1 << QStringList{"game 2.exe", "game.exe"} << QByteArray("old");
    QTest::newRow("Cancel") << 2 << 0 << QStringList{"game.exe"} << QByteArray("old");
}

void DropsTest::clash()
{
    QFETCH(int, answer);
    QFETCH(int, copied);
    QFETCH(QStringList, files);
    QFETCH(QByteArray, content);
    m_home->writeFile(QStringLiteral("Library/Application Support/Tandril/Doom/game.exe"), "old");
    const QString source = m_home->writeFile(QStringLiteral("src/game.exe"), "new");
    m_prompter.answers = {answer};
    QCOMPARE(drop({source}), copied);
    QCOMPARE(m_prompter.questions.size(), 1);
    QCOMPARE(m_prompter.questions.first().title, QStringLiteral("File/Folder already exists"));
    QCOMPARE(m_prompter.questions.first().buttons, (QStringList{"Replace", "Keep both", "Cancel"}));
    QCOMPARE(QDir(game()).entryList(QDir::Files), files);
    QCOMPARE(readFile(game(QStringLiteral("game.exe"))), content);
}

void DropsTest::replaceFailureKeepsTheOldItem()
{
    m_home->writeFile(QStringLiteral("Library/Application Support/Tandril/Doom/game.exe"), "old");
    const QString source = m_home->writeFile(QStringLiteral("src/game.exe"), "new");
    m_prompter.answers = {0};
    const QList<DropCopy::Task> tasks =
        DropCopy::plan({source}, QStringLiteral("Doom"), DropCopy::Target::GameFolder, m_prompter);
    QVERIFY(QFile::remove(source)); // gone before the copy could start
    QCOMPARE(DropCopy::run(tasks), 0);
    QCOMPARE(readFile(game(QStringLiteral("game.exe"))), QByteArray("old"));
    QCOMPARE(QDir(game()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"game.exe"});
}

void DropsTest::folderNeverCopiedIntoItself()
{
    m_home->writeFile(QStringLiteral("Library/Application Support/Tandril/Doom/GAME.EXE"), "MZ");
    QCOMPARE(drop({game(), m_home->libraryFolder(), m_home->path()}), 0);
    QCOMPARE(QDir(game()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"GAME.EXE"});
    QVERIFY(m_prompter.questions.isEmpty());
}

void DropsTest::cancelledCopyLeavesNothing_data()
{
    QTest::addColumn<bool>("replacing");
    QTest::newRow("new folder") << false;
    QTest::newRow("replacing a folder") << true;
}

void DropsTest::cancelledCopyLeavesNothing()
{
    QFETCH(bool, replacing);
    m_home->writeFile(QStringLiteral("src/DATA/BIG.DAT"), QByteArray(3 << 20, 'b'));
    m_home->writeFile(QStringLiteral("src/DATA/SMALL.DAT"), "s");
    if (replacing) {
        m_home->writeFile(QStringLiteral("Library/Application Support/Tandril/Doom/DATA/OLD.DAT"), "old");
        m_prompter.answers = {0};
    }
    const QList<DropCopy::Task> tasks =
        DropCopy::plan({m_home->path() + QStringLiteral("/src/DATA")}, QStringLiteral("Doom"),
                       DropCopy::Target::GameFolder, m_prompter);
    FileOperations::CancelFlag cancel(false);
    QList<qint64> seen;
    // Cancel pressed at the first progress report.
    QCOMPARE(DropCopy::run(tasks, &cancel,
                           [&](qint64 done, qint64 total) {
                               seen << done;
                               QCOMPARE(total, qint64(3 << 20) + 1);
                               cancel = true;
                           }),
             0);
    QCOMPARE(seen.size(), 1);
    QCOMPARE(QDir(game()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             replacing ? QStringList{"DATA"} : QStringList{});
    if (replacing)
        QCOMPARE(QDir(game(QStringLiteral("DATA"))).entryList(QDir::Files), QStringList{"OLD.DAT"});
}

void DropsTest::linksNeverLeadOutOfTheDroppedFolder()
{
    const QString secret = m_home->writeFile(QStringLiteral("secret.txt"), "secret");
    m_home->writeFile(QStringLiteral("src/GAME/README.TXT"), "readme");
    m_home->writeFile(QStringLiteral("src/GAME/DATA/.hidden"), "h");
    const QString folder = m_home->path() + QStringLiteral("/src/GAME");
    QVERIFY(QFile::link(secret, folder + QStringLiteral("/outside.txt")));
    QVERIFY(QFile::link(m_home->path(), folder + QStringLiteral("/home")));
    QVERIFY(QFile::link(folder + QStringLiteral("/README.TXT"), folder + QStringLiteral("/inside.txt")));
    const QString linkedFile = m_home->path() + QStringLiteral("/link-to-secret.txt");
    QVERIFY(QFile::link(secret, linkedFile));

    QCOMPARE(drop({folder, linkedFile}), 2);
    QCOMPARE(readFile(game(QStringLiteral("GAME/inside.txt"))), QByteArray("readme"));
    QVERIFY(!QFileInfo(game(QStringLiteral("GAME/inside.txt"))).isSymLink());
    QVERIFY(!QFileInfo::exists(game(QStringLiteral("GAME/outside.txt"))));
    QVERIFY(!QFileInfo::exists(game(QStringLiteral("GAME/home"))));
    QCOMPARE(readFile(game(QStringLiteral("GAME/DATA/.hidden"))), QByteArray("h"));
    // A dropped link to a file brings the file's content.
    QCOMPARE(readFile(game(QStringLiteral("link-to-secret.txt"))), QByteArray("secret"));
}

void DropsTest::dropOnTheAreaCopiesAndReports()
{
    RecordingServices services;
    ScriptedFilePanel panel;
    Preferences editor({m_prompter, services, panel}, m_home->path());
    editor.findChild<QLineEdit*>(QStringLiteral("title_name"))->setText(QStringLiteral("Doom (unsaved)"));
    const QString a = m_home->writeFile(QStringLiteral("src/A.EXE"), "a");
    const QString b = m_home->writeFile(QStringLiteral("src/B.EXE"), "b");

    auto* area = editor.findChild<DropTargetView*>(QStringLiteral("dropTargetView"));
    QVERIFY(area);
    QMimeData data;
    data.setUrls(
        {QUrl::fromLocalFile(a), QUrl::fromLocalFile(b), QUrl(QStringLiteral("https://example.org/x"))});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(area, &enter);
    QVERIFY(area->isReceivingDrag());
    QSignalSpy copied(&editor, &Preferences::droppedItemsCopied);
    QSignalSpy closed(&editor, &QDialog::finished);
    QDropEvent dropEvent(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(area, &dropEvent);
    QVERIFY(!area->isReceivingDrag());
    // Save and close wait for the copies: the game may be renamed or deleted right after.
    QVERIFY(!editor.findChild<QPushButton*>(QStringLiteral("createConfigFileFromTitle"))->isEnabled());
    editor.reject();
    QCOMPARE(closed.count(), 0);
    QVERIFY(copied.wait(10000));
    QCOMPARE(closed.count(), 1);
    QCOMPARE(copied.first().first().toInt(), 2);
    QVERIFY(QFile::exists(m_home->libraryFolder() + QStringLiteral("/Doom (unsaved)/B.EXE")));
    auto* status = editor.findChild<QLabel*>(QStringLiteral("statusLabel"));
    QCOMPARE(status->text(), QStringLiteral("Files/Folders copied"));
    QVERIFY(!status->isHidden());
}

QTEST_MAIN(DropsTest)
#include "tst_drops.moc"
