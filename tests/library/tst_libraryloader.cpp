#include "common/TestHome.h"
#include "library/LibraryLayout.h"
#include "library/LibraryLoader.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <sys/stat.h>

// Turning the library folder into the list of games.
class LibraryLoaderTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void baseNameForTitle_data();
    void baseNameForTitle();
    void baseNameOfConfigFile_data();
    void baseNameOfConfigFile();
    void entryFromOneFile_data();
    void entryFromOneFile();
    void orderAndSkippedFiles();
    void badFilesAreSkipped();
    void missingOrUnreadableFolderGivesNothing();
    void hugeFileLoads();
    void rowToRestore_data();
    void rowToRestore();
};

void LibraryLoaderTest::baseNameForTitle_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("baseName");
    QTest::newRow("trimmed and colon and question mark removed") << "  My Game: Part 2?  "
                                                                 << "My Game Part 2";
    QTest::newRow("slash") << "AC/DC"
                           << "ACDC";
    QTest::newRow("all ten removed") << "a/b\\c:d?e%f*g|h\"i<j>k"
                                     << "abcdefghijk";
    QTest::newRow("inner spaces dots and non-ASCII kept") << "Die Höhle v1.2 🐉"
                                                          << "Die Höhle v1.2 🐉";
    QTest::newRow("only removed characters is empty") << " ??? "
                                                      << "";
    QTest::newRow("letter case kept") << "DOOM ii"
                                      << "DOOM ii";
}

void LibraryLoaderTest::baseNameForTitle()
{
    QFETCH(QString, title);
    QFETCH(QString, baseName);
    QCOMPARE(LibraryLayout::baseNameForTitle(title), baseName);
}

void LibraryLoaderTest::baseNameOfConfigFile_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("baseName");
    QTest::newRow("plain") << "/lib/Doom.conf"
                           << "Doom";
    QTest::newRow("dots inside") << "/lib/Comm. Keen 4.conf"
                                 << "Comm. Keen 4";
}

void LibraryLoaderTest::baseNameOfConfigFile()
{
    QFETCH(QString, path);
    QFETCH(QString, baseName);
    QCOMPARE(LibraryLayout::baseNameOfConfigFile(path), baseName);
}

void LibraryLoaderTest::entryFromOneFile_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("isEntry");
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("hasSetup");
    QTest::addColumn<QString>("setupPath");

    QTest::newRow("title and setup") << QByteArray("[tandril]\ngame_title=Doom\nsetup_exe= /x/SETUP.EXE \n")
                                     << true << "Doom" << true << "/x/SETUP.EXE";
    QTest::newRow("no title line") << QByteArray("[sdl]\ntitle=Doom\n") << false << "" << false << "";
    QTest::newRow("indented title line is not one, a later one counts")
        << QByteArray("  game_title=Wrong\ngame_title=Right\n") << true << "Right" << false << "";
    QTest::newRow("first title line counts")
        << QByteArray("game_title=One\ngame_title=Two\n") << true << "One" << false << "";
    QTest::newRow("key twice in the line loses both")
        << QByteArray("game_title=A game_title=B\n") << true << "A B" << false << "";
    QTest::newRow("empty title") << QByteArray("game_title=\n") << true << "" << false << "";
    QTest::newRow("empty setup") << QByteArray("game_title=X\nsetup_exe=\n") << true << "X" << true << "";
    QTest::newRow("CR LF line ends trimmed")
        << QByteArray("game_title=Keen\r\nsetup_exe=/s.exe\r\n") << true << "Keen" << true << "/s.exe";
    QTest::newRow("title in the first line without final line feed")
        << QByteArray("game_title=Ünïcödé ✓") << true << "Ünïcödé ✓" << false << "";
    QTest::newRow("upper-case key is not a title line")
        << QByteArray("GAME_TITLE=X\n") << false << "" << false << "";
    QTest::newRow("not UTF-8") << QByteArray("game_title=Caf\xe9\n") << false << "" << false << "";
    QTest::newRow("overlong encoding") << QByteArray("game_title=\xc0\xaf\n") << false << "" << false << "";
    QTest::newRow("encoded surrogate")
        << QByteArray("game_title=\xed\xa0\x80\n") << false << "" << false << "";
    QTest::newRow("truncated sequence at the end")
        << QByteArray("game_title=ab\xe2\x82") << false << "" << false << "";
    QTest::newRow("byte-order mark ignored")
        << QByteArray("\xEF\xBB\xBFgame_title=Keen\n") << true << "Keen" << false << "";
    QTest::newRow("NUL byte is text")
        << QByteArray("game_title=A\0B\n", 14) << true << QStringView(u"A\0B", 3).toString() << false << "";
}

void LibraryLoaderTest::entryFromOneFile()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, isEntry);
    QFETCH(QString, title);
    QFETCH(bool, hasSetup);
    QFETCH(QString, setupPath);

    const TestHome home;
    const QString path = home.writeConfig(QStringLiteral("Game"), content);
    const std::optional<QList<ConfigEntry>> entries = LibraryLoader::load(home.libraryFolder());
    QVERIFY(entries.has_value());
    QCOMPARE(entries->size(), isEntry ? 1 : 0);
    if (!isEntry)
        return;
    const ConfigEntry& entry = entries->first();
    QCOMPARE(entry.title, title);
    QCOMPARE(entry.filePath, path);
    QCOMPARE(entry.setupPath.has_value(), hasSetup);
    if (hasSetup)
        QCOMPARE(*entry.setupPath, setupPath);
}

void LibraryLoaderTest::orderAndSkippedFiles()
{
    const TestHome home;
    for (const char* name : {"game10", "game9", "Zork", "alpha", "Beta", ".hidden"})
        home.writeConfig(QString::fromLatin1(name), QByteArray("game_title=") + name + '\n');
    home.writeFile(QStringLiteral("Library/Application Support/Tandril/Game.CONF"), "game_title=Upper\n");
    home.writeFile(QStringLiteral("Library/Application Support/Tandril/notes.txt"), "game_title=Notes\n");
    home.writeFile(QStringLiteral("Library/Application Support/Tandril/game9/inner.conf"),
                   "game_title=Inner\n");
    QDir().mkpath(home.libraryFolder() + QStringLiteral("/folder.conf"));

    const std::optional<QList<ConfigEntry>> entries = LibraryLoader::load(home.libraryFolder());
    QVERIFY(entries.has_value());
    QStringList titles;
    for (const ConfigEntry& entry : *entries)
        titles << entry.title;
    QCOMPARE(titles, (QStringList{".hidden", "alpha", "Beta", "game9", "game10", "Zork"}));
}

void LibraryLoaderTest::badFilesAreSkipped()
{
    const TestHome home;
    home.writeConfig(QStringLiteral("a"), "game_title=Good A\n");
    home.writeConfig(QStringLiteral("b"), QByteArray(4096, '\xff'));
    const QString unreadable = home.writeConfig(QStringLiteral("c"), "game_title=Secret\n");
    QFile::setPermissions(unreadable, QFileDevice::Permissions());
    QFile::link(home.path() + QStringLiteral("/nowhere"), home.libraryFolder() + QStringLiteral("/d.conf"));
    // Neither a FIFO nor an endless device is read: they would block or never end.
    QCOMPARE(
        ::mkfifo(QFile::encodeName(home.libraryFolder() + QStringLiteral("/fifo.conf")).constData(), 0600),
        0);
    QFile::link(QStringLiteral("/dev/zero"), home.libraryFolder() + QStringLiteral("/zero.conf"));
    home.writeConfig(QStringLiteral("e"), "game_title=Good E\n");

    const std::optional<QList<ConfigEntry>> entries = LibraryLoader::load(home.libraryFolder());
    QVERIFY(entries.has_value());
    QStringList titles;
    for (const ConfigEntry& entry : *entries)
        titles << entry.title;
    QFile readable(unreadable);
    const bool rootReadsAnything = readable.open(QIODevice::ReadOnly);
    QCOMPARE(titles, rootReadsAnything ? QStringList({"Good A", "Secret", "Good E"})
                                       : QStringList({"Good A", "Good E"}));
}

void LibraryLoaderTest::missingOrUnreadableFolderGivesNothing()
{
    const TestHome home;
    QVERIFY(!LibraryLoader::load(home.libraryFolder()).has_value());
    QVERIFY(QDir().mkpath(home.libraryFolder()));
    QCOMPARE(LibraryLoader::load(home.libraryFolder())->size(), 0);
    const QString file = home.writeFile(QStringLiteral("plain-file"), "x");
    QVERIFY(!LibraryLoader::load(file).has_value());
}

void LibraryLoaderTest::hugeFileLoads()
{
    const TestHome home;
    QByteArray content = "[sdl]\n";
    while (content.size() < 20 * 1024 * 1024)
        content += "# a long comment line that only makes this configuration file large\n";
    content += "game_title=Big\n";
    home.writeConfig(QStringLiteral("big"), content);
    const std::optional<QList<ConfigEntry>> entries = LibraryLoader::load(home.libraryFolder());
    QVERIFY(entries.has_value());
    QCOMPARE(entries->size(), 1);
    QCOMPARE(entries->first().title, QStringLiteral("Big"));
}

void LibraryLoaderTest::rowToRestore_data()
{
    QTest::addColumn<int>("stored"); // -100 stands for never stored
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("expected"); // -1 for no selection
    QTest::newRow("in range") << 2 << 3 << 2;
    QTest::newRow("out of range") << 5 << 3 << -1;
    QTest::newRow("never stored selects the first") << -100 << 3 << 0;
    QTest::newRow("never stored, empty library") << -100 << 0 << -1;
    QTest::newRow("negative") << -1 << 3 << -1;
}

void LibraryLoaderTest::rowToRestore()
{
    QFETCH(int, stored);
    QFETCH(int, count);
    QFETCH(int, expected);
    const std::optional<int> storedRow = stored == -100 ? std::nullopt : std::optional<int>(stored);
    QCOMPARE(LibraryLoader::rowToRestore(storedRow, count).value_or(-1), expected);
}

QTEST_GUILESS_MAIN(LibraryLoaderTest)
#include "tst_libraryloader.moc"
