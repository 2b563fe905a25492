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

using namespace Qt::StringLiterals;

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
        return m_home->libraryFolder() + u"/Doom"_s + (relative.isEmpty() ? QString() : u'/' + relative);
    }
    int drop(const QStringList& sources, DropCopy::Target target = DropCopy::Target::GameFolder,
             const QString& title = u"Doom"_s)
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
    m_home->writeFile(u"Library/Application Support/Tandril/Doom/game.exe"_s, "old");
    const QString source = m_home->writeFile(u"src/game.exe"_s, "new");
    m_prompter.answers = {answer};
    QCOMPARE(drop({source}), copied);
    QCOMPARE(m_prompter.questions.size(), 1);
    QCOMPARE(m_prompter.questions.first().title, u"File/Folder already exists"_s);
    QCOMPARE(m_prompter.questions.first().buttons, (QStringList{"Replace", "Keep both", "Cancel"}));
    QCOMPARE(QDir(game()).entryList(QDir::Files), files);
    QCOMPARE(readFile(game(u"game.exe"_s)), content);
}

void DropsTest::replaceFailureKeepsTheOldItem()
{
    m_home->writeFile(u"Library/Application Support/Tandril/Doom/game.exe"_s, "old");
    const QString source = m_home->writeFile(u"src/game.exe"_s, "new");
    m_prompter.answers = {0};
    const QList<DropCopy::Task> tasks =
        DropCopy::plan({source}, u"Doom"_s, DropCopy::Target::GameFolder, m_prompter);
    QVERIFY(QFile::remove(source)); // gone before the copy could start
    QCOMPARE(DropCopy::run(tasks), 0);
    QCOMPARE(readFile(game(u"game.exe"_s)), QByteArray("old"));
    QCOMPARE(QDir(game()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"game.exe"});
}

void DropsTest::folderNeverCopiedIntoItself()
{
    m_home->writeFile(u"Library/Application Support/Tandril/Doom/GAME.EXE"_s, "MZ");
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
    m_home->writeFile(u"src/DATA/BIG.DAT"_s, QByteArray(3 << 20, 'b'));
    m_home->writeFile(u"src/DATA/SMALL.DAT"_s, "s");
    if (replacing) {
        m_home->writeFile(u"Library/Application Support/Tandril/Doom/DATA/OLD.DAT"_s, "old");
        m_prompter.answers = {0};
    }
    const QList<DropCopy::Task> tasks = DropCopy::plan({m_home->path() + u"/src/DATA"_s}, u"Doom"_s,
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
        QCOMPARE(QDir(game(u"DATA"_s)).entryList(QDir::Files), QStringList{"OLD.DAT"});
}

void DropsTest::linksNeverLeadOutOfTheDroppedFolder()
{
    const QString secret = m_home->writeFile(u"secret.txt"_s, "secret");
    m_home->writeFile(u"src/GAME/README.TXT"_s, "readme");
    m_home->writeFile(u"src/GAME/DATA/.hidden"_s, "h");
    const QString folder = m_home->path() + u"/src/GAME"_s;
    QVERIFY(QFile::link(secret, folder + u"/outside.txt"_s));
    QVERIFY(QFile::link(m_home->path(), folder + u"/home"_s));
    QVERIFY(QFile::link(folder + u"/README.TXT"_s, folder + u"/inside.txt"_s));
    const QString linkedFile = m_home->path() + u"/link-to-secret.txt"_s;
    QVERIFY(QFile::link(secret, linkedFile));

    QCOMPARE(drop({folder, linkedFile}), 2);
    QCOMPARE(readFile(game(u"GAME/inside.txt"_s)), QByteArray("readme"));
    QVERIFY(!QFileInfo(game(u"GAME/inside.txt"_s)).isSymLink());
    QVERIFY(!QFileInfo::exists(game(u"GAME/outside.txt"_s)));
    QVERIFY(!QFileInfo::exists(game(u"GAME/home"_s)));
    QCOMPARE(readFile(game(u"GAME/DATA/.hidden"_s)), QByteArray("h"));
    // A dropped link to a file brings the file's content.
    QCOMPARE(readFile(game(u"link-to-secret.txt"_s)), QByteArray("secret"));
}

void DropsTest::dropOnTheAreaCopiesAndReports()
{
    RecordingServices services;
    ScriptedFilePanel panel;
    Preferences editor({m_prompter, services, panel}, m_home->path());
    editor.findChild<QLineEdit*>(u"title_name"_s)->setText(u"Doom (unsaved)"_s);
    const QString a = m_home->writeFile(u"src/A.EXE"_s, "a");
    const QString b = m_home->writeFile(u"src/B.EXE"_s, "b");

    auto* area = editor.findChild<DropTargetView*>(u"dropTargetView"_s);
    QVERIFY(area);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(a), QUrl::fromLocalFile(b), QUrl(u"https://example.org/x"_s)});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(area, &enter);
    QVERIFY(area->isReceivingDrag());
    QSignalSpy copied(&editor, &Preferences::droppedItemsCopied);
    QSignalSpy closed(&editor, &QDialog::finished);
    QDropEvent dropEvent(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(area, &dropEvent);
    QVERIFY(!area->isReceivingDrag());
    // Save and close wait for the copies: the game may be renamed or deleted right after.
    QVERIFY(!editor.findChild<QPushButton*>(u"createConfigFileFromTitle"_s)->isEnabled());
    editor.reject();
    QCOMPARE(closed.count(), 0);
    QVERIFY(copied.wait(10000));
    QCOMPARE(closed.count(), 1);
    QCOMPARE(copied.first().first().toInt(), 2);
    QVERIFY(QFile::exists(m_home->libraryFolder() + u"/Doom (unsaved)/B.EXE"_s));
    auto* status = editor.findChild<QLabel*>(u"statusLabel"_s);
    QCOMPARE(status->text(), u"Files/Folders copied"_s);
    QVERIFY(!status->isHidden());
}

QTEST_MAIN(DropsTest)
#include "tst_drops.moc"
