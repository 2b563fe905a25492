#include "common/TestHome.h"
#include "library/LibraryLayout.h"
#include "library/LibraryLoader.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

// Turning the library folder into the list of games.
class LibraryLoaderTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void baseNameForTitle_data();
    void baseNameForTitle();
    void entryFromOneFile_data();
    void entryFromOneFile();
    void orderAndSkippedFiles();
    void rowToRestore();
};

void LibraryLoaderTest::baseNameForTitle_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("baseName");
    QTest::newRow("trimmed, all ten removed") << "  a/b\\c:d?e%f*g|h\"i<j>k  "
                                              << "abcdefghijk";
    QTest::newRow("inner spaces, dots, case and non-ASCII kept") << "Die Höhle v1.2 🐉"
                                                                 << "Die Höhle v1.2 🐉";
    QTest::newRow("only removed characters is empty") << " ??? "
                                                      << "";
}

void LibraryLoaderTest::baseNameForTitle()
{
    QFETCH(QString, title);
    QFETCH(QString, baseName);
    QCOMPARE(LibraryLayout::baseNameForTitle(title), baseName);
}

void LibraryLoaderTest::entryFromOneFile_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("entry"); // title, then "|" and the setup path if there is one; "-": no game
    QTest::newRow("title and setup") << QByteArray("[tandril]\ngame_title=Doom\nsetup_exe= /x/SETUP.EXE \n")
                                     << "Doom|/x/SETUP.EXE";
    QTest::newRow("no title line") << QByteArray("[sdl]\ntitle=Doom\nGAME_TITLE=X\n") << "-";
    QTest::newRow("indented title line is not one, a later one counts")
        << QByteArray("  game_title=Wrong\ngame_title=Right\ngame_title=Third\n") << "Right";
    QTest::newRow("empty setup, CR LF trimmed") << QByteArray("game_title=X\r\nsetup_exe=\r\n") << "X|";
    QTest::newRow("no final line feed") << QByteArray("game_title=Ünïcödé ✓") << "Ünïcödé ✓";
    QTest::newRow("not UTF-8") << QByteArray("game_title=Caf\xe9\n") << "-";
    QTest::newRow("overlong encoding") << QByteArray("game_title=\xc0\xaf\n") << "-";
    QTest::newRow("encoded surrogate") << QByteArray("game_title=\xed\xa0\x80\n") << "-";
    QTest::newRow("truncated sequence at the end") << QByteArray("game_title=ab\xe2\x82") << "-";
    QTest::newRow("byte-order mark ignored") << QByteArray("\xEF\xBB\xBFgame_title=Keen\n") << "Keen";
}

void LibraryLoaderTest::entryFromOneFile()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, entry);
    const TestHome home;
    const QString path = home.writeConfig(u"Game"_s, content);
    const std::optional<QList<ConfigEntry>> entries = LibraryLoader::load(home.libraryFolder());
    QVERIFY(entries.has_value());
    QCOMPARE(entries->size(), entry == u"-" ? 0 : 1);
    if (entry == u"-")
        return;
    QCOMPARE(entries->first().filePath, path);
    const std::optional<QString> setup = entries->first().setupPath;
    QCOMPARE(entries->first().title + (setup ? u'|' + *setup : QString()), entry);
}

void LibraryLoaderTest::orderAndSkippedFiles()
{
    const TestHome home;
    for (const char* name : {"game10", "game9", "Zork", "alpha", "Beta", ".hidden"})
        home.writeConfig(QString::fromLatin1(name), QByteArray("game_title=") + name + '\n');
    home.writeFile(u"Library/Application Support/Tandril/Game.CONF"_s, "game_title=Upper\n");
    home.writeFile(u"Library/Application Support/Tandril/notes.txt"_s, "game_title=Notes\n");
    home.writeFile(u"Library/Application Support/Tandril/game9/inner.conf"_s, "game_title=Inner\n");
    QDir().mkpath(home.libraryFolder() + u"/folder.conf"_s);
    home.writeConfig(u"b"_s, QByteArray(4096, '\xff'));
    QFile::link(home.path() + u"/nowhere"_s, home.libraryFolder() + u"/d.conf"_s);
    // Neither a FIFO nor an endless device is read: they would block or never end.
    QCOMPARE(::mkfifo(QFile::encodeName(home.libraryFolder() + u"/fifo.conf"_s).constData(), 0600), 0);
    QFile::link(u"/dev/zero"_s, home.libraryFolder() + u"/zero.conf"_s);

    const std::optional<QList<ConfigEntry>> entries = LibraryLoader::load(home.libraryFolder());
    QVERIFY(entries.has_value());
    QStringList titles;
    for (const ConfigEntry& entry : *entries)
        titles << entry.title;
    QCOMPARE(titles, (QStringList{".hidden", "alpha", "Beta", "game9", "game10", "Zork"}));
    QVERIFY(!LibraryLoader::load(home.path() + u"/missing"_s).has_value());
}

void LibraryLoaderTest::rowToRestore()
{
    // The stored row, in range, else nothing; never stored: the first game, if there is one.
    QCOMPARE(LibraryLoader::rowToRestore(2, 3), std::optional<int>(2));
    for (const std::optional<int> stored : {std::optional<int>(3), std::optional<int>(-1)})
        QCOMPARE(LibraryLoader::rowToRestore(stored, 3), std::nullopt);
    QCOMPARE(LibraryLoader::rowToRestore(std::nullopt, 3), std::optional<int>(0));
    QCOMPARE(LibraryLoader::rowToRestore(std::nullopt, 0), std::nullopt);
}

QTEST_GUILESS_MAIN(LibraryLoaderTest)
#include "tst_libraryloader.moc"
