#include "common/Rows.h"
#include "common/ScriptedPrompter.h"
#include "common/TestHome.h"
#include "library/EntryCreation.h"
#include "library/EntryDeletion.h"
#include "library/GamePictures.h"
#include "library/HostAccess.h"
#include "library/LibraryLoader.h"
#include "library/Mt32Folder.h"
#include "library/PlayRecord.h"
#include "library/ProgramPicker.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

// The games of the library: read from its folder, added from a title, deleted with their folders,
// and the program that starts each.
class EntriesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void adding_data();
    void adding();
    void titleLine_data();
    void titleLine();
    void unwritableLibraryIsReported();
    void deletion_data();
    void deletion();
    void deletionTouchesOnlyTheGame_data();
    void deletionTouchesOnlyTheGame();
    void entryFromOneFile_data();
    void entryFromOneFile();
    void orderAndSkippedFiles();
    void mt32RomsAsDosboxXFindsThem_data();
    void mt32RomsAsDosboxXFindsThem();
    void oneCoverAtATime();
    void timePlayedInWords_data();
    void timePlayedInWords();
    void programPicked_data();
    void programPicked();
};

void EntriesTest::adding_data()
{
    // The title typed, and the game it makes (NAME.conf and NAME/FLOPPIES), or the alert.
    textColumns({"title", "result"});
    const QString unusable =
        u"Invalid Title: The title must contain at least one character that can be used in a file name."_s;
    textRow("colon dropped from the name, kept in the title", "  Cave Run: Part 1 ", "Cave Run Part 1");
    textRow("dollar and backslash verbatim", "Cost $5 \\ Deluxe", "Cost $5  Deluxe");
    textRow("all ten removed", "a/b\\c:d?e%f*g|h\"i<j>k", "abcdefghijk");
    textRow("dots, letter case, non-ASCII and emoji kept", "Die Höhle v1.2 🐉", "Die Höhle v1.2 🐉");
    // The longest name every working name of a game still fits beside: 203 bytes.
    textRow("203 bytes fit with every working name", QString(QString(101, QChar(0xe4)) + u'y'),
            QString(QString(101, QChar(0xe4)) + u'y'));
    textRow("blank: refused silently", " \t\n ", "");
    textRow("only removed characters", " ??? ", unusable);
    textRow("two dots", "..", unusable);
    textRow("leading dots dropped: no hidden game", " .. .Notes", "Notes");
    textRow("the MT-32 folder", "mt32",
            "Invalid Title: The name \"mt32\" belongs to the folder of the MT-32 ROM files. Please choose "
            "another title.");
    textRow("one byte more does not", QString(102, QChar(0xe4)),
            "Invalid Title: The title is too long to be used as a file name. Please choose a shorter title.");
}

void EntriesTest::adding()
{
    const QString title = cell("title");
    const QString result = cell("result");
    const TestHome home;
    const bool made = !result.isEmpty() && !result.startsWith(u"Invalid Title: "_s);
    // A folder left behind under that name is the new game's, with what it holds.
    const QString kept =
        made ? home.writeFile(u"Library/Application Support/Tandril/"_s + result + u"/X.EXE"_s, "MZ")
             : QString();
    // What an earlier game of that name was allowed is not the new one's.
    const QString configFile = home.libraryFolder() + u'/' + result + u".conf"_s;
    if (made)
        QCOMPARE(HostAccess::setAllowed(configFile, true), std::nullopt);
    ScriptedPrompter prompter;
    const std::optional<QString> created = EntryCreation::createConfigEntryAndFolder(title, prompter);
    QVERIFY(prompter.questions.isEmpty());
    if (!made) {
        QCOMPARE(created, std::nullopt);
        const QList<ScriptedPrompter::Alert> alerts = prompter.takeAlerts();
        QCOMPARE(alerts.isEmpty() ? QString() : alerts.first().title + u": "_s + alerts.first().message,
                 result);
        QVERIFY(!QFileInfo::exists(home.libraryFolder())); // nothing made at all
        return;
    }
    QCOMPARE(created, std::optional<QString>(configFile));
    QVERIFY(!HostAccess::isAllowed(configFile));
    QVERIFY(QFileInfo(home.libraryFolder() + u'/' + result + u"/FLOPPIES"_s).isDir());
    QCOMPARE(LibraryLoader::readEntry(configFile)->title, title.trimmed());
    QCOMPARE(readFile(kept), QByteArray("MZ"));
    QVERIFY(prompter.alerts.isEmpty());
}

void EntriesTest::titleLine_data()
{
    textColumns({"text", "expected"});
    textRow("appended in the program's section", "[sdl]\nx=1",
            "[sdl]\nx=1\n[tandril]\ngame_title=$1 \\1 \\0");
    textRow("two lines rewritten", "game_title=a\n[t]\ngame_title=\n",
            "game_title=$1 \\1 \\0\n[t]\ngame_title=$1 \\1 \\0\n");
}

void EntriesTest::titleLine()
{
    QCOMPARE(EntryCreation::withTitleLine(cell("text"), u"$1 \\1 \\0"_s), cell("expected"));
}

void EntriesTest::unwritableLibraryIsReported()
{
    const TestHome home;
    // A file where the library folder should be: nothing can be made below it.
    home.writeFile(u"Library/Application Support/Tandril"_s, "not a folder");
    ScriptedPrompter prompter;
    QCOMPARE(EntryCreation::createConfigEntryAndFolder(u"Doom"_s, prompter), std::nullopt);
    QCOMPARE(prompter.alerts.size(), 1);
    QCOMPARE(prompter.alerts.first().title, u"Could Not Create Game"_s);
    QVERIFY(QFileInfo(home.libraryFolder()).isFile());
}

void EntriesTest::deletion_data()
{
    // How the game goes ("trash", "permanent", or "trash" on a desktop without one: "no trash"), the
    // answer to the question, and then what is in the Trash and in the library (joined by "|").
    textColumns({"mode", "answer", "trash", "library"});
    const char* others = "ACDC 2/|ACDC 2/G.EXE|mt32/|mt32/A.ROM";
    textRow("to the Trash, the configuration, the folder and the saved games named after its file", "trash",
            "0", ".ACDC.saves/|.ACDC.saves/SAVE.DAT|ACDC.conf|ACDC/|ACDC/FLOPPIES/|ACDC/FLOPPIES/A.IMA",
            others);
    textRow("no Trash", "no trash", "0", "", others);
    textRow("permanent although there is a Trash", "permanent", "0", "", others);
    textRow("Cancel", "trash", "1", "",
            u".ACDC.saves/|.ACDC.saves/SAVE.DAT|ACDC 2/|ACDC 2/G.EXE|ACDC.conf|ACDC/|ACDC/FLOPPIES/|"
            "ACDC/FLOPPIES/A.IMA|mt32/|mt32/A.ROM"_s);
}

void EntriesTest::deletion()
{
    const QString mode = cell("mode");
    const TestHome home;
    const QString dataHome = home.path() + u"/.local/share"_s;
    if (mode != u"no trash")
        QDir().mkpath(dataHome);
    const QString configFile = home.writeConfig(u"ACDC"_s, "game_title=AC/DC\n");
    home.writeFile(u"Library/Application Support/Tandril/ACDC/FLOPPIES/A.IMA"_s, "x");
    home.writeFile(u"Library/Application Support/Tandril/.ACDC.saves/SAVE.DAT"_s, "mine");
    home.writeFile(u"Library/Application Support/Tandril/ACDC 2/G.EXE"_s, "MZ");
    home.writeFile(u"Library/Application Support/Tandril/mt32/A.ROM"_s, "r");
    ScriptedPrompter prompter;
    prompter.answers = {cell("answer").toInt()};
    EntryDeletion::deleteSelectedEntry(LibraryLoader::readEntry(configFile), prompter,
                                       mode == u"permanent" ? EntryDeletion::Disposal::Permanent
                                                            : EntryDeletion::Disposal::TrashWhenAvailable);
    QCOMPARE(prompter.questions.first().text.endsWith(u"saved games included, are moved to the Trash."_s),
             mode == u"trash");
    QCOMPARE(prompter.questions.first().defaultButton, 1); // Cancel
    // In the Trash everything can be put back; nothing else of the library went along.
    QCOMPARE(tree(dataHome + u"/Trash/files"_s).join(u'|'), cell("trash"));
    QCOMPARE(tree(home.libraryFolder()).join(u'|'), cell("library"));
}

void EntriesTest::deletionTouchesOnlyTheGame_data()
{
    QTest::addColumn<QString>("file"); // the configuration file, below the home folder
    QTest::addColumn<bool>("deleted");
    const QString library = u"Library/Application Support/Tandril/"_s;
    QTest::newRow("..conf would name the library itself") << library + "..conf" << true;
    QTest::newRow("...conf would name its parent") << library + "...conf" << true;
    QTest::newRow("mt32.conf would name the ROM folder") << library + "mt32.conf" << true;
    QTest::newRow("a file outside the library is refused") << "elsewhere/Doom.conf" << false;
}

void EntriesTest::deletionTouchesOnlyTheGame()
{
    QFETCH(QString, file);
    QFETCH(bool, deleted);
    const TestHome home;
    home.writeFile(u"Library/Application Support/Tandril/mt32/A.ROM"_s, "r");
    home.writeFile(u"Library/Application Support/Tandril/Doom/D.EXE"_s, "MZ");
    home.writeConfig(u"Doom"_s, "game_title=Doom\n");
    home.writeFile(u"Library/Application Support/keep.txt"_s, "k");
    const QString configFile = home.writeFile(file, "game_title=Odd\n");
    QStringList expected = tree(home.path());
    if (deleted)
        expected.removeOne(file);
    ScriptedPrompter prompter;
    prompter.answers = {0};
    QCOMPARE(EntryDeletion::deleteSelectedEntry(LibraryLoader::readEntry(configFile), prompter) ==
                 EntryDeletion::Outcome::Deleted,
             deleted);
    QCOMPARE(prompter.takeAlerts().size(), deleted ? 0 : 1);
    QCOMPARE(tree(home.path()), expected);
}

void EntriesTest::entryFromOneFile_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("entry"); // title, then "|" and the setup path if there is one; "-": no game
    QTest::newRow("title and setup") << QByteArray("[tandril]\ngame_title=Doom\nsetup_exe= /x/SETUP.EXE \n")
                                     << "Doom|/x/SETUP.EXE";
    QTest::newRow("no title line") << QByteArray("[sdl]\ntitle=Doom\nGAME_TITLE=X\n") << "-";
    QTest::newRow("indented title line is not one, a later one counts")
        << QByteArray("  game_title=Wrong\ngame_title=Right\ngame_title=Third\n") << "Right";
    QTest::newRow("a title line holding the key twice loses both")
        << QByteArray("game_title=Doom game_title=II\n") << "Doom II";
    QTest::newRow("empty setup, CR LF trimmed") << QByteArray("game_title=X\r\nsetup_exe=\r\n") << "X|";
    QTest::newRow("no final line feed") << QByteArray("game_title=Ünïcödé ✓") << "Ünïcödé ✓";
    QTest::newRow("not UTF-8") << QByteArray("game_title=Caf\xe9\n") << "-";
    QTest::newRow("truncated sequence at the end") << QByteArray("game_title=ab\xe2\x82") << "-";
    QTest::newRow("byte-order mark ignored") << QByteArray("\xEF\xBB\xBFgame_title=Keen\n") << "Keen";
}

void EntriesTest::entryFromOneFile()
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

void EntriesTest::orderAndSkippedFiles()
{
    const TestHome home;
    for (const char* name :
         {"game10", "game9", "Zork", "alpha", "Beta", ".hidden", "DOOM II", "DOOM", "Zork 2"})
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
    // A game before its sequels: names are compared without ".conf".
    QCOMPARE(titles, (QStringList{".hidden", "alpha", "Beta", "DOOM", "DOOM II", "game9", "game10", "Zork",
                                  "Zork 2"}));
    QVERIFY(!LibraryLoader::load(home.path() + u"/missing"_s).has_value());
    // Tandril's own hidden files change no game; a new game does.
    const QByteArray signature = LibraryLoader::listingSignature(home.libraryFolder());
    home.writeFile(u"Library/Application Support/Tandril/.tandril.lock"_s, "1\n");
    home.writeFile(
        u"Library/Application Support/Tandril/.Doom.conf.partial-0A1B2C3D-0000-4000-8000-00000000000F"_s,
        "half");
    QCOMPARE(LibraryLoader::listingSignature(home.libraryFolder()), signature);
    home.writeConfig(u"Doom"_s, "game_title=Doom\n");
    QVERIFY(LibraryLoader::listingSignature(home.libraryFolder()) != signature);
}

void EntriesTest::mt32RomsAsDosboxXFindsThem_data()
{
    // Files in the MT-32 folder as "NAME:KILOBYTES" ("0" after a size: zeros), and what the check
    // says: "ready", or the start of its problem.
    textColumns({"files", "said"});
    textRow("the MT-32's pair", "MT32_CONTROL.ROM:64|MT32_PCM.ROM:512", "ready");
    textRow("the CM-32L's pair", "CM32L_CONTROL.ROM:64|CM32L_PCM.ROM:1024", "ready");
    textRow("an MT-32 with a CM-32L's PCM size", "MT32_CONTROL.ROM:64|MT32_PCM.ROM:1024", "ready");
    textRow("empty", "", "DOSBox-X needs MT32_CONTROL.ROM and MT32_PCM.ROM");
    textRow("two ROM files of other names", "A.ROM:64|B.ROM:512", "DOSBox-X needs");
    textRow("names in lower case", "mt32_control.rom:64|mt32_pcm.rom:512", "DOSBox-X needs");
    textRow("one of the pair", "MT32_CONTROL.ROM:64", "DOSBox-X needs");
    textRow("zero-filled", "MT32_CONTROL.ROM:64:0|MT32_PCM.ROM:512",
            "MT32_CONTROL.ROM holds no ROM data (the same byte throughout).");
    textRow("a PCM ROM of no ROM's size", "MT32_CONTROL.ROM:64|MT32_PCM.ROM:511",
            "MT32_PCM.ROM has 523264 bytes, which is the size of no such ROM.");
    textRow("a control ROM one byte short", "MT32_CONTROL.ROM:64-|MT32_PCM.ROM:512",
            "MT32_CONTROL.ROM has 65535 bytes");
}

void EntriesTest::mt32RomsAsDosboxXFindsThem()
{
    const TestHome home;
    const QString folder = home.libraryFolder() + u"/mt32"_s;
    QVERIFY(QDir().mkpath(folder));
    for (const QString& file : cell("files").split(u'|', Qt::SkipEmptyParts)) {
        const QStringList parts = file.split(u':');
        QString size = parts.at(1);
        const bool oneShort = size.endsWith(u'-');
        QByteArray bytes(size.remove(u'-').toInt() * 1024 - (oneShort ? 1 : 0), '\0');
        if (parts.size() < 3)
            for (qsizetype i = 0; i < bytes.size(); ++i)
                bytes[i] = char(i * 7 + 3);
        home.writeFile(u"Library/Application Support/Tandril/mt32/"_s + parts.at(0), bytes);
    }
    const Mt32Folder::Check check = Mt32Folder::check(folder);
    const QString said = cell("said");
    QCOMPARE(check.ready, said == u"ready"_s);
    if (!check.ready)
        QVERIFY2(check.problem.startsWith(said), qPrintable(check.problem));
}

void EntriesTest::oneCoverAtATime()
{
    // A second cover of the same kind takes the first one's place, and so does one of another
    // kind; one put in by hand beside the cover is not shown as a second cover: the newest counts.
    const TestHome home;
    const QString game = home.path() + u"/game"_s;
    for (const char* file : {"first.png", "second.png"})
        QCOMPARE(GamePictures::setCover(game, home.writeFile(QString::fromLatin1(file), file)), std::nullopt);
    QCOMPARE(contents(GamePictures::captureFolder(game)), QStringList{u"COVER.png=second.png"_s});
    QCOMPARE(GamePictures::setCover(game, home.writeFile(u"third.jpg"_s, "third")), std::nullopt);
    QCOMPARE(contents(GamePictures::captureFolder(game)), QStringList{u"COVER.jpg=third"_s});
    QVERIFY(backdate(game + u"/CAPTURE/COVER.jpg"_s, 60));
    home.writeFile(u"game/CAPTURE/cover.png"_s, "by hand");
    home.writeFile(u"game/CAPTURE/shot.png"_s, "shot");
    QVERIFY(backdate(home.writeFile(u"game/CAPTURE/sound.wav"_s, "RIFF"), -60)); // newer, no picture
    const QStringList pictures = GamePictures::pictures(game);
    QCOMPARE(pictures.size(), 2);
    QVERIFY(pictures.first().endsWith(u"/cover.png"_s));
}

void EntriesTest::timePlayedInWords_data()
{
    // Each limit, one before it and one after it.
    QTest::addColumn<qint64>("seconds");
    QTest::addColumn<QString>("text");
    QTest::newRow("never") << qint64(0) << QString();
    QTest::newRow("one second short of a minute") << qint64(59) << u"less than a minute"_s;
    QTest::newRow("a minute") << qint64(60) << u"1 min"_s;
    QTest::newRow("one second short of an hour") << qint64(3599) << u"59 min"_s;
    QTest::newRow("an hour") << qint64(3600) << u"1 h 0 min"_s;
    QTest::newRow("far past a day") << qint64(90061) << u"25 h 1 min"_s;
}

void EntriesTest::timePlayedInWords()
{
    QFETCH(qint64, seconds);
    QTEST(PlayRecord::durationText(seconds), "text");
}

void EntriesTest::programPicked_data()
{
    // Which program starts a game, ranked on shareware-style folder listings.
    // Files as "PATH SIZE", a batch file's text after a "|", joined by ";"; what is picked as the
    // program (with "?" when asked), setup, CD image and floppies.
    textColumns({"files", "title", "picked"});
    textRow("game, setup and sound driver",
            "DOOM.EXE 700000;SETUP.EXE 100000;SOUND.COM 5000;DOOM1.WAD 4000000", "Doom",
            "DOOM.EXE|SETUP.EXE||");
    textRow("a batch file that starts the game",
            "START.BAT 40|@echo off\r\ncd data\r\nGAME.EXE /nosound\r\n;GAME.EXE 500000", "Xargon",
            "START.BAT|||");
    textRow("close candidates: ask", "ALPHA.EXE 100000;BETA.EXE 100000", "Zork", "ALPHA.EXE?|||");
    // The margin of a tie: two candidates 7 points apart are asked about, 8 apart are not.
    textRow("8 points apart is a choice", "X1.EXE 100;Y2.EXE 68", "Zork", "X1.EXE|||");
    textRow("7 points apart asks", "X1.EXE 100;Y2.EXE 72", "Zork", "X1.EXE?|||");
    // The helper is the larger program, and neither name is like the title's.
    textRow("a helper's name holding SETUP is no game and no setup program",
            "SNDSETUP.EXE 90000;RUN.EXE 1000", "Zork", "RUN.EXE|||");
    textRow("the title's words before the largest program",
            "KEEN4E.EXE 300000;CK4PATCH.EXE 20000;BIGDATA.EXE 900000", "Commander Keen 4", "KEEN4E.EXE|||");
    textRow("uninstaller and DOS extender left out",
            "UNINSTAL.EXE 90000;DOS4GW.EXE 250000;DESCENT.EXE 400000", "Descent", "DESCENT.EXE|||");
    textRow("INSTALL when there is no SETUP", "INSTALL.EXE 80000;GAME.EXE 300000;SETSOUND.EXE 1000", "Game",
            "GAME.EXE|INSTALL.EXE||");
    textRow("CD image and floppy images",
            "GAME.EXE 1;GAME.ISO 700000000;cd/GAME.CUE 100;DISK1.IMA 100;DISK2.IMG 1474560;PHOTO.IMG 5000000",
            "Game", "GAME.EXE||cd/GAME.CUE|DISK1.IMA,DISK2.IMG");
    textRow("two levels down is too deep", "A/B/GAME.EXE 1000", "Game", "|||");
    // A small menu program whose name begins its variants' names starts the one the machine needs.
    textRow("the loader whose name begins the others'",
            "GP.EXE 1024;GPCGA.EXE 120000;GPEGA.EXE 140000;GPTDY.EXE 130000", "Grand Prix Circuit",
            "GP.EXE|||");
    textRow("one longer name is no family of variants", "GP.EXE 1024;GPEGA.EXE 140000", "Grand Prix",
            "GPEGA.EXE|||");
}

void EntriesTest::programPicked()
{
    QList<ProgramPicker::File> listing;
    for (const QString& file : cell("files").split(u';')) {
        const QString head = file.section(u'|', 0, 0);
        listing.append({head.section(u' ', 0, 0), head.section(u' ', 1).toLongLong(), file.section(u'|', 1)});
    }
    const ProgramPicker::Picked result = ProgramPicker::pick(listing, cell("title"));
    const QString program = result.candidates.isEmpty() ? QString() : result.candidates.first().path;
    QCOMPARE(QStringList({program + (result.ask ? u"?"_s : QString()), result.setupProgram, result.cdImage,
                          result.floppyImages.join(u',')})
                 .join(u'|'),
             cell("picked"));
}

QTEST_GUILESS_MAIN(EntriesTest)
#include "tst_entries.moc"
