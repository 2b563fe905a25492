#include "common/ArchiveJobs.h"
#include "common/ForeignFixtures.h"
#include "common/RewrittenTools.h"
#include "common/Rows.h"
#include "common/ScriptedPrompter.h"
#include "common/TestHome.h"
#include "common/ZipWriter.h"
#include "exchange/FolderAddJob.h"
#include "exchange/FolderBatch.h"
#include "exchange/JobQueue.h"
#include "exchange/StartupTranslation.h"
#include "library/CueSheet.h"
#include "library/LibraryLoader.h"
#include "library/OverlaySaves.h"
#include "platform/Emulator.h"

#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

// Games people already own, set up for DOSBox elsewhere: a store's folder and installers, a
// browser bundle, a collection's configuration. Each comes in with its program, setup, CD, saved
// games and settings; the source stays as it was.
class ForeignGamesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void addsEachKind_data();
    void addsEachKind();
    void startupLines_data();
    void startupLines();
    void cueSheets_data();
    void cueSheets();
    void savesAsDosboxXKeepsThem();
    void failuresLeaveNothing_data();
    void failuresLeaveNothing();
    void eachKindOfAFolder();
    void aPackGivesAGameForEach_data();
    void aPackGivesAGameForEach();

private:
    bool add(const QString& source, ProcessRunner& runner, FolderAddJob::Proposal* shown = nullptr,
             bool cancelAtFirstProgress = false);

    std::unique_ptr<TestHome> m_home;
    ScriptedPrompter m_prompter;
};

void ForeignGamesTest::initTestCase()
{
    if (!ForeignFixtures::canMakeImages())
        QSKIP("genisoimage is missing; the test command installs it.");
    // No DOSBox-X to read the settings: they come along unchecked, and the summary says so.
    qputenv(Emulator::OverrideVariable, "/nonexistent/dosbox-x");
}

void ForeignGamesTest::init()
{
    m_home = std::make_unique<TestHome>();
    m_prompter = {};
}

void ForeignGamesTest::cleanup()
{
    QVERIFY(m_prompter.answers.isEmpty());
    QCOMPARE(tree(m_home->temporaryFolder()).join(u" "_s), QString());
    m_home.reset();
}

bool ForeignGamesTest::add(const QString& source, ProcessRunner& runner, FolderAddJob::Proposal* shown,
                           bool cancelAtFirstProgress)
{
    FolderAddJob::Confirmation keep;
    if (shown)
        keep = [shown](const FolderAddJob::Proposal& proposal, auto answer) {
            *shown = proposal;
            answer(proposal);
        };
    return addFromFolder(m_prompter, runner, source, std::move(keep), cancelAtFirstProgress);
}

void ForeignGamesTest::addsEachKind_data()
{
    // The program and setup below the game's folder; the CD image mounted; what the game's
    // folder holds and lacks afterwards (the store's own files gone, its saved games kept apart).
    textColumns({"kind", "program", "setup", "cdImage", "holds", "lacks", "from"});
    textRow(
        "a store's installed game", "store", "CAVE/GAME.BAT", "CAVE/SETUP.BAT", "game.tandril.cue",
        "CAVE/OLD.SAV Manual.pdf game.ins music/track02.wav",
        "CAVE/SAVE1.DAT DOSBOX unins000.exe unins000.dat webcache.zip goggame-1207658930.hashdb cloud_saves",
        "a store's game");
    textRow("an installer unpacked by hand", "unpacked", "CAVE/GAME.BAT", "CAVE/SETUP.BAT",
            "game.tandril.cue", "CAVE/OLD.SAV dosboxCAVE.conf", "app __support tmp __redist commonappdata",
            "a store's game");
    textRow("a store's Windows installer", "windows", "CAVE/GAME.BAT", "CAVE/SETUP.BAT", "game.tandril.cue",
            "CAVE/OLD.SAV", "app __support tmp", "a store's Windows installer");
    // The CD is beside drive C in a Linux installer: it comes into the game's "ISO" folder.
    textRow("a store's Linux installer", "linux", "CAVE/GAME.BAT", "CAVE/SETUP.BAT", "ISO/game.tandril.cue",
            "ISO/game.gog ISO/music/track02.wav ISO/game.ins", "support start.sh data",
            "a store's Linux installer");
    textRow("a browser bundle", "bundle", "cave/GAME.BAT", "", "CD.ISO", ".jsdos/dosbox.conf",
            "FLOPPIES/outside.ima FLOPPIES/outside.img", "a browser bundle");
    textRow("a collection's DOSBox configuration", "collection", "CAVE/GAME.BAT", "CAVE/SETUP.BAT",
            "cd/cave.tandril.cue", "cd/cave.cue cd/cdfile.iso", "", "a DOSBox configuration");
}

void ForeignGamesTest::addsEachKind()
{
    const QString kind = cell("kind");
    const QString fixtures = m_home->path() + u"/own"_s;
    QString source;
    QString stand;
    if (kind == u"store")
        source = ForeignFixtures::storeFolder(fixtures);
    else if (kind == u"unpacked") {
        source = ForeignFixtures::unpackedInstaller(fixtures);
        // This installer kept the store's info file beside the game's folder.
        QVERIFY(QFile::rename(source + u"/app/goggame-1207658930.info"_s,
                              source + u"/goggame-1207658930.info"_s));
    } else if (kind == u"windows") {
        // The oldest innoextract that reads the store's installers.
        stand = ForeignFixtures::innoextractStandIn(
            m_home->path(), ForeignFixtures::unpackedInstaller(m_home->path() + u"/inno"_s),
            "innoextract 1.8");
        source = ForeignFixtures::windowsInstaller(fixtures);
    } else if (kind == u"linux")
        source = ForeignFixtures::linuxInstaller(fixtures);
    else if (kind == u"bundle")
        source = ForeignFixtures::bundle(fixtures);
    else
        source = ForeignFixtures::collectionConfig(fixtures);
    const QStringList before = contents(fixtures);
    RewrittenTools runner(ForeignFixtures::innoextractAs(stand));
    FolderAddJob::Proposal shown;
    QVERIFY(add(source, runner, &shown));
    QCOMPARE(m_prompter.takeAlerts().size(), 0);
    QCOMPARE(contents(fixtures), before); // only read

    // Named by the store's info file or the configuration, whatever the file's name.
    const QString library = m_home->libraryFolder();
    const QString game = library + u"/Cave Run"_s;
    const std::optional<ConfigEntry> entry = LibraryLoader::readEntry(library + u"/Cave Run.conf"_s);
    QVERIFY(entry);
    QCOMPARE(entry->title, u"Cave Run"_s);
    const QString text = QString::fromUtf8(readFile(entry->filePath));
    // A program the store's settings name in a section of DOSBox-X's is none of the game's.
    QVERIFY2(text.contains(u"\ngame_exe="_s + cell("program") + u'\n') && !text.contains(u"EVIL"_s),
             qPrintable(text));
    QCOMPARE(entry->setupPath.value_or(QString()),
             cell("setup").isEmpty() ? QString() : game + u'/' + cell("setup"));
    QVERIFY2(text.contains(u"\ncd_image="_s + game + u'/' + cell("cdImage") + u'\n'), qPrintable(text));
    QVERIFY(QFileInfo::exists(game + u'/' + cell("cdImage")));
    for (const QString& item : cell("holds").split(u' ', Qt::SkipEmptyParts))
        QVERIFY2(QFileInfo::exists(game + u'/' + item), qPrintable(item));
    for (const QString& item : cell("lacks").split(u' ', Qt::SkipEmptyParts))
        QVERIFY2(!QFileInfo::exists(game + u'/' + item), qPrintable(item));
    QCOMPARE(shown.kind, cell("from"));
    // The settings come along, unchecked here (no DOSBox-X), and the summary says so.
    QVERIFY2(text.contains(u"\ncycles=fixed 8000\n"_s) || kind == u"bundle" || kind == u"collection",
             qPrintable(text));
    // But for the one that would start the computer's own programs, which is said.
    QVERIFY(!text.contains(u"startcmd"_s));
    QCOMPARE(shown.notCarried.contains(u"[dos] startcmd=true — it reaches past the game's own drives"_s),
             kind != u"bundle" && kind != u"collection");
    QVERIFY(shown.notCarried.join(u'\n').contains(u"unchecked"_s));
    QVERIFY(!text.contains(u"[autoexec]"_s));
    if (kind == u"store") {
        // The store's saved games are the game's own, laid over its folder as they were.
        QCOMPARE(readFile(library + u"/.Cave Run.saves/CAVE/SAVE1.DAT"_s), QByteArray("saved"));
        QVERIFY(QFileInfo::exists(library + u"/.Cave Run.saves/CAVE/.DBOVERLAY_DEL_OLD.SAV"_s));
        QCOMPARE(readFile(game + u"/game.ins"_s),
                 readFile(source + u"/game.ins"_s)); // the original untouched
    }
    if (!stand.isEmpty()) {
        // The installer reaches innoextract by its absolute path, never as an option.
        const QByteArray calls = readFile(stand + u".calls"_s);
        QVERIFY2(calls.contains("--extract --gog --exclude-temp --color=0 --progress=0 --output-dir /"),
                 calls);
        QVERIFY(calls.trimmed().endsWith(QFile::encodeName(source)));
    }
}

void ForeignGamesTest::startupLines_data()
{
    // Lines ("|" between them) read from the folder "base" of a drive C "game" holding
    // GAME/PLAY.EXE, GAME/SETUP.EXE, LONGFOLDERNAME/RUN.COM; program, setup, lines kept before
    // the game, and the first line left out.
    textColumns({"lines", "program", "setup", "before", "left"});
    textRow("a store's menu", "mount c ..|c:|cd GAME|:game|play|goto end|:setup|setup.exe|:end",
            "GAME/PLAY.EXE", "GAME/SETUP.EXE", "", "");
    textRow("a menu whose setup has no setup name, only its label",
            "mount c \"..\"|c:|cd game|choice /c12|if errorlevel 2 goto settings|play.exe|exit|:settings|"
            "cd \\LONGFO~1|run|cd \\game|absent",
            "GAME/PLAY.EXE", "LONGFOLDERNAME/RUN.COM", "", "absent — no such program on drive C");
    textRow("a short name, an absolute folder", "mount c ..|c:|cd \\LONGFO~1|run", "LONGFOLDERNAME/RUN.COM",
            "", "", "");
    textRow("sound settings before the game", "mount c ..|set BLASTER=A220 I7 D1|c:|cd game|play",
            "GAME/PLAY.EXE", "", "set BLASTER=A220 I7 D1", "");
    textRow("a line with a control character never runs", "mount c ..|c:|cd game|set T=\x1b[2J|play",
            "GAME/PLAY.EXE", "", "", "set T=\x1b[2J — not understood");
    textRow("arguments are said", "mount c ..|c:|C:\\game\\play -nosound", "GAME/PLAY.EXE", "", "",
            "C:\\game\\play -nosound — the program's arguments (-nosound): Tandril starts it without them");
    textRow("another folder of the computer", "mount c ..|mount e /home|c:|cd game|play", "GAME/PLAY.EXE", "",
            "", "mount e /home — no such folder");
    textRow("a program on another drive", "mount c ..|imgmount d ../cd.iso -t iso|d:|install", "", "", "",
            "imgmount d ../cd.iso -t iso — no such image: ../cd.iso");
    textRow("a folder is no image", "mount c ..|imgmount d ../GAME -t iso|c:|cd game|play", "GAME/PLAY.EXE",
            "", "", "imgmount d ../GAME -t iso — no such image: ../GAME");
}

void ForeignGamesTest::startupLines()
{
    const QString top = m_home->path() + u"/game"_s;
    m_home->writeFile(u"game/GAME/PLAY.EXE"_s, "MZ");
    m_home->writeFile(u"game/GAME/SETUP.EXE"_s, "MZ");
    m_home->writeFile(u"game/LONGFOLDERNAME/RUN.COM"_s, "\xC3");
    const StartupTranslation::Startup startup =
        StartupTranslation::translate(cell("lines").split(u'|'), top + u"/base"_s);
    QCOMPARE(startup.driveC, top);
    QCOMPARE(startup.program, cell("program"));
    QCOMPARE(startup.setup, cell("setup"));
    QCOMPARE(startup.beforeGame.join(u'|'), cell("before"));
    QCOMPARE(startup.notCarried.value(0), cell("left"));
}

void ForeignGamesTest::cueSheets_data()
{
    // A sheet ("|" between lines) beside GAME.GOG and music/track02.ogg; the sheet DOSBox-X is given.
    textColumns({"sheet", "repaired", "problem"});
    textRow("letter case, backslashes, labels, index numbers",
            "FILE \"game.gog\" BINARY|TRACK 01 MODE1/2352|INDEX 1 00:00:00|FILE \"Music\\Track02.OGG\" MP3|"
            "TRACK 02 AUDIO|INDEX 0 00:00:00",
            "FILE \"GAME.GOG\" BINARY|TRACK 01 MODE1/2352|INDEX 01 00:00:00|FILE \"music/track02.ogg\" MP3|"
            "TRACK 02 AUDIO|INDEX 01 00:00:00",
            "");
    textRow("a pregap stays before its first index",
            "FILE GAME.GOG BINARY|TRACK 01 AUDIO|INDEX 00 00:00:00|INDEX 01 00:02:00",
            "FILE \"GAME.GOG\" BINARY|TRACK 01 AUDIO|INDEX 00 00:00:00|INDEX 01 00:02:00", "");
    textRow("a path of the computer it was made on",
            "FILE \"D:\\Games\\Cave\\GAME.GOG\" BINARY|TRACK 01 MODE1/2352|INDEX 01 00:00:00",
            "FILE \"GAME.GOG\" BINARY|TRACK 01 MODE1/2352|INDEX 01 00:00:00", "");
    textRow("a file of the computer outside the CD's folder is no track",
            "FILE \"../secret.txt\" BINARY|TRACK 01 MODE1/2048|INDEX 01 00:00:00",
            "REM FILE \"../secret.txt\" BINARY|TRACK 01 MODE1/2048|INDEX 01 00:00:00",
            "The CD image's track file \"../secret.txt\" is outside its folder.");
    textRow("a name that would end the sheet's quotes is no track",
            "FILE x\"y.bin BINARY|TRACK 01 MODE1/2048", "REM FILE x\"y.bin BINARY|TRACK 01 MODE1/2048",
            "The CD image's track file \"x\"y.bin\" has a name a cue sheet cannot hold.");
    textRow("a missing track is said", "FILE \"Track03.ogg\" MP3|TRACK 03 AUDIO|INDEX 01 00:00:00",
            "FILE \"Track03.ogg\" MP3|TRACK 03 AUDIO|INDEX 01 00:00:00",
            "The CD image's track file \"Track03.ogg\" is missing.");
}

void ForeignGamesTest::cueSheets()
{
    m_home->writeFile(u"cd/GAME.GOG"_s, "data");
    m_home->writeFile(u"secret.txt"_s, "the user's own");
    m_home->writeFile(u"cd/x\"y.bin"_s, "data");
    m_home->writeFile(u"cd/music/track02.ogg"_s, "OggS");
    const CueSheet::Repaired repaired =
        CueSheet::repair(cell("sheet").replace(u'|', u"\r\n"_s), m_home->path() + u"/cd"_s);
    QCOMPARE(repaired.text.split(u'\n'), cell("repaired").split(u'|'));
    QCOMPARE(repaired.problems.value(0), cell("problem"));
    // Mounted through Tandril's own copy; the store's file stays as it was.
    const QString sheet =
        m_home->writeFile(u"cd/game.ins"_s, cell("sheet").replace(u'|', u"\r\n"_s).toUtf8());
    QStringList problems;
    const std::optional<QString> mounted = CueSheet::mountablePath(sheet, &problems);
    QCOMPARE(mounted.value_or(QString()), m_home->path() + u"/cd/game.tandril.cue"_s);
    QCOMPARE(QString::fromUtf8(readFile(*mounted)), repaired.text);
    QCOMPARE(readFile(sheet), cell("sheet").replace(u'|', u"\r\n"_s).toUtf8());
}

void ForeignGamesTest::savesAsDosboxXKeepsThem()
{
    // As DOSBox-X's overlay left them (measured): a changed and a new file, a deleted file, a
    // renamed file (deleted and new), a removed folder and a new one.
    const QString game = m_home->path() + u"/game"_s;
    m_home->writeFile(u"game/KEEP.TXT"_s, "keep");
    m_home->writeFile(u"game/CHANGE.TXT"_s, "old");
    m_home->writeFile(u"game/delete.txt"_s, "gone");
    m_home->writeFile(u"game/RENAME.TXT"_s, "ren");
    m_home->writeFile(u"game/SUB/X.TXT"_s, "x");
    m_home->writeFile(u"saves/CHANGE.TXT"_s, "changed");
    m_home->writeFile(u"saves/NEW.TXT"_s, "new");
    m_home->writeFile(u"saves/RENAMED.TXT"_s, "ren");
    m_home->writeFile(u"saves/.DBOVERLAY_DEL_DELETE.TXT"_s, {});
    m_home->writeFile(u"saves/.DBOVERLAY_DEL_RENAME.TXT"_s, {});
    m_home->writeFile(u"saves/SUB/.DBOVERLAY_DEL_X.TXT"_s, {});
    m_home->writeFile(u"saves/.DBOVERLAY_RMD_SUB"_s, {});
    m_home->writeFile(u"saves/NEWDIR/N.TXT"_s, "n");
    // A link of the game's out of its folder is no way out of the view either.
    m_home->writeFile(u"private.txt"_s, "mine");
    QVERIFY(QFile::link(m_home->path() + u"/private.txt"_s, game + u"/OUT.TXT"_s));
    const QStringList before = contents(game);
    const QString view = m_home->path() + u"/view"_s;
    QCOMPARE(OverlaySaves::linkMergedView(game, m_home->path() + u"/saves"_s, view), std::nullopt);
    QCOMPARE(contents(view), (QStringList{u"CHANGE.TXT=changed"_s, u"KEEP.TXT=keep"_s, u"NEW.TXT=new"_s,
                                          u"NEWDIR/"_s, u"NEWDIR/N.TXT=n"_s, u"RENAMED.TXT=ren"_s}));
    // Made of links: the game's files are neither copied nor changed.
    QVERIFY(QFileInfo(view + u"/KEEP.TXT"_s).isSymLink() && QFileInfo(view + u"/NEW.TXT"_s).isSymLink());
    QCOMPARE(contents(game), before);
}

void ForeignGamesTest::failuresLeaveNothing_data()
{
    textColumns({"case", "alert"});
    textRow("innoextract is missing", "missing",
            "Unpacking this installer needs innoextract, which is not installed. Install the package "
            "\"innoextract\" and add the game again.");
    textRow(
        "innoextract is too old", "old",
        "innoextract 1.7 is too old for the store's installers: version 1.8 or newer is needed. Update the "
        "package \"innoextract\" and add the game again.");
    textRow("innoextract fails while unpacking", "fails",
            "innoextract could not unpack setup_cave_run_1.0_(1234).exe.");
    textRow("an installer without a DOSBox game", "empty",
            "setup_cave_run_1.0_(1234).exe holds no DOS game set "
            "up for DOSBox.");
    textRow("a Linux installer of something else", "otherlinux",
            "other.sh is no store's Linux installer of a game.");
    textRow("a bundle that mounts a folder above its own files", "escape",
            "escape.jsdos mounts a folder outside its own files as drive C.");
    textRow("a DOSBox configuration that mounts the home folder", "home", "");
    // Cancel at the first progress: nothing said, nothing left.
    textRow("cancelled while unzip unpacks a Linux installer", "cancel linux", "");
    textRow("cancelled while innoextract unpacks an installer", "cancel windows", "");
    textRow("cancelled while a store's folder is copied", "cancel store", "");
    textRow("a DOSBox configuration that mounts nothing", "noconfig",
            "The DOSBox configuration nothing.conf mounts no folder of this computer as drive C.");
}

void ForeignGamesTest::failuresLeaveNothing()
{
    const QString kind = cell("case");
    const QString own = m_home->path() + u"/own"_s;
    QString source = ForeignFixtures::windowsInstaller(own);
    QString stand = ForeignFixtures::innoextractStandIn(
        m_home->path(), kind == u"empty" ? QDir().mkpath(own + u"/e"_s),
        own + u"/e"_s : ForeignFixtures::unpackedInstaller(m_home->path() + u"/inno"_s),
        kind == u"old" ? "innoextract 1.7 (C) 2011-2017" : "innoextract 1.9");
    if (kind == u"missing")
        stand = m_home->path() + u"/no-such-innoextract"_s;
    if (kind == u"fails")
        stand = m_home->writeProgram(u"bin/innoextract"_s,
                                     "#!/bin/sh\n[ \"$1\" = --extract ] && exit 1\necho innoextract 1.9\n");
    if (kind == u"otherlinux")
        source = m_home->writeFile(u"own/other.sh"_s, "#!/bin/sh\n" + readFile(ForeignFixtures::bundle(own)));
    if (kind == u"escape") {
        ZipWriter zip;
        zip.addFile(u".jsdos/dosbox.conf"_s, "[autoexec]\nmount c ..\\..\nc:\ngame.bat\n");
        zip.addFile(u"GAME.BAT"_s, "echo x\r\n");
        source = m_home->writeFile(u"own/escape.jsdos"_s, zip.bytes());
    }
    if (kind == u"home")
        source = m_home->writeFile(u"own/home.conf"_s, "[autoexec]\nmount c ..\nc:\n");
    if (kind == u"noconfig")
        source =
            m_home->writeFile(u"own/nothing.conf"_s, "[sdl]\nfullscreen=false\n[autoexec]\nmount e /tmp\n");
    if (kind == u"cancel linux")
        source = ForeignFixtures::linuxInstaller(own);
    if (kind == u"cancel store")
        source = ForeignFixtures::storeFolder(own);
    RewrittenTools runner(ForeignFixtures::innoextractAs(stand));
    QVERIFY(!add(source, runner, nullptr, kind.startsWith(u"cancel")));
    const QList<ScriptedPrompter::Alert> alerts = m_prompter.takeAlerts();
    QCOMPARE(alerts.isEmpty() ? QString() : alerts.first().message,
             kind == u"home"
                 ? u"The DOSBox configuration home.conf mounts %1 as drive C, which holds your home "
                   "folder: a game gets only its own folder."_s.arg(m_home->path())
                 : cell("alert"));
    QCOMPARE(tree(m_home->libraryFolder()), QStringList());
}

void ForeignGamesTest::eachKindOfAFolder()
{
    // A folder of what people own: each is found by its content, beside a plain game folder.
    const QString own = m_home->path() + u"/own"_s;
    ForeignFixtures::storeFolder(own);
    ForeignFixtures::bundle(own);
    ForeignFixtures::linuxInstaller(own);
    m_home->writeFile(u"own/Keen/KEEN.EXE"_s, "MZ");
    m_home->writeFile(u"own/notes.txt"_s, "not a game");
    QStringList found;
    for (const FolderBatch::Found& game : FolderBatch::scan(own))
        found.append(QFileInfo(game.source).fileName() + u'=' + game.title);
    QCOMPARE(found, (QStringList{u"Cave Run=Cave Run"_s, u"cave-run.jsdos=Cave Run"_s,
                                 u"cave_run_1_0_1234.sh=Cave Run"_s, u"Keen=Keen"_s}));
}

void ForeignGamesTest::aPackGivesAGameForEach_data()
{
    QTest::addColumn<bool>("batch"); // one of a folder's games, or the user's one add
    QTest::newRow("added alone") << false;
    QTest::newRow("one of a folder's games") << true;
}

void ForeignGamesTest::aPackGivesAGameForEach()
{
    // The store's info file names a second game with its own configurations: it becomes a game
    // of its own, named by its task, after the primary one.
    QFETCH(bool, batch);
    const QString source = ForeignFixtures::storeFolder(m_home->path() + u"/own"_s);
    ProcessRunner runner;
    JobQueue queue(m_prompter, runner);
    QSignalSpy installed(&queue, &JobQueue::installed);
    QSignalSpy ended(&queue, &JobQueue::batchEnded);
    if (batch)
        queue.startBatchAdd({source});
    else
        queue.startFolderAdd(source);
    QTRY_VERIFY_WITH_TIMEOUT(!queue.isRunning(), 60000);
    QCOMPARE(installed.size(), 2);
    const QString library = m_home->libraryFolder();
    QCOMPARE(LibraryLoader::readEntry(library + u"/Cave Run.conf"_s)->title, u"Cave Run"_s);
    const QByteArray second = readFile(library + u"/Cave Run II.conf"_s);
    QVERIFY2(second.contains("\ngame_title=Cave Run II\n") && second.contains("\ngame_exe=CAVE2/GAME2.BAT\n"),
             second.constData());
    QVERIFY(QFileInfo::exists(library + u"/Cave Run II/CAVE2/GAME2.BAT"_s));
    if (batch)
        QCOMPARE(ended.first().first().value<FolderBatch::Tally>().added, 2);
    QCOMPARE(m_prompter.takeAlerts().size(), 0);
}

QTEST_GUILESS_MAIN(ForeignGamesTest)
#include "tst_foreigngames.moc"
