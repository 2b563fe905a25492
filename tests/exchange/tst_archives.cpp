#include "common/ArchiveJobs.h"
#include "common/RewrittenTools.h"
#include "common/Rows.h"
#include "common/ScriptedPrompter.h"
#include "common/TestHome.h"
#include "common/ZipWriter.h"
#include "exchange/ArchiveFormat.h"
#include "exchange/ExportJob.h"
#include "exchange/ImportJob.h"
#include "library/LibraryLoader.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

// Exchange archives: the format, export to the Desktop and import into the library.
class ArchivesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void memberNames();
    void rewriteUserPaths_data();
    void rewriteUserPaths();
    void roundTripToAnotherUser();
    void exportLeavesOutLinksThatLeadOut();
    void exportFailures_data();
    void exportFailures();
    void importRefusals_data();
    void importRefusals();
    void importOverwrite_data();
    void importOverwrite();
    void missingTools();
    void cancelLeavesEverythingAsItWas_data();
    void cancelLeavesEverythingAsItWas();

private:
    void makeGame(const QString& base, const QByteArray& config)
    {
        m_home->writeConfig(base, config);
        const QString folder = u"Library/Application Support/Tandril/"_s + base;
        m_home->writeFile(folder + u"/GAME.EXE"_s, "MZ game");
        m_home->writeFile(folder + u"/SUB/DATA.DAT"_s, QByteArray(100000, 'd'));
        QDir().mkpath(m_home->path() + u'/' + folder + u"/FLOPPIES"_s);
    }
    bool exportGame(const QString& base, ProcessRunner* runner = nullptr, const QString& archive = {})
    {
        return ::exportGame(m_prompter, runner ? *runner : m_runner,
                            m_home->libraryFolder() + u'/' + base + u".conf"_s, archive);
    }
    bool importArchive(const QString& archive, ProcessRunner* runner = nullptr)
    {
        return ::importArchive(m_prompter, runner ? *runner : m_runner, archive);
    }
    QString makeArchive(const ZipWriter& zip)
    {
        return m_home->writeFile(u"incoming/game.tdl"_s, zip.bytes());
    }

    std::unique_ptr<TestHome> m_home;
    ScriptedPrompter m_prompter;
    ProcessRunner m_runner;
};

void ArchivesTest::init()
{
    m_home = std::make_unique<TestHome>();
    m_prompter = {};
    QDir().mkpath(m_home->path() + u"/Desktop"_s);
}

void ArchivesTest::cleanup()
{
    QCOMPARE(tree(m_home->temporaryFolder()), QStringList()); // no staging left behind
    QVERIFY(m_prompter.answers.isEmpty());
    m_home.reset();
}

void ArchivesTest::memberNames()
{
    QCOMPARE(ArchiveFormat::memberNames("G/\nG/A.EXE\r\nG.conf\ntdl\n"),
             (QStringList{"G/", "G/A.EXE", "G.conf", "tdl"}));
    // A listing that is not UTF-8 names nothing: no member could be matched safely.
    QCOMPARE(ArchiveFormat::memberNames("tdl\nSP\xc4L.conf\n"), QStringList());
}

void ArchivesTest::rewriteUserPaths_data()
{
    textColumns({"text", "home", "expected"});
    textRow("macOS home", "setup_exe=/Users/old/Library/SETUP.EXE\n", "/Users/new",
            "setup_exe=/Users/new/Library/SETUP.EXE\n");
    textRow("anywhere in a line, comments too", "# was /Users/a/x and /Users/b/y\n", "/home/c",
            "# was /home/c/x and /home/c/y\n");
    textRow("Linux home, one pass over both forms", "/home/a/Users/b/x", "/H", "/H/Users/b/x");
    textRow("home inserted verbatim", "/Users/a/x", "/srv/$1\\1\\0 home", "/srv/$1\\1\\0 home/x");
    textRow("other prefixes stay", "/opt/users/a/x /Users", "/H", "/opt/users/a/x /Users");
    textRow("never across a line break", "cd_image=/home/a\ngame_year=1993\nsetup_exe=/x/S.EXE\n", "/H",
            "cd_image=/home/a\ngame_year=1993\nsetup_exe=/x/S.EXE\n");
}

void ArchivesTest::rewriteUserPaths()
{
    QCOMPARE(ArchiveFormat::rewriteUserPaths(cell("text"), cell("home")), cell("expected"));
}

void ArchivesTest::roundTripToAnotherUser()
{
    // From someone else: a setting that would start the computer's own programs stays behind.
    const QByteArray config =
        "[dos]\nstartcmd=true\n[tandril]\ngame_title=Cave Runner: Ünïcode\ngame_year=1991\ngame_notes=Level "
        "3\\nCode: 1234\n"
        "setup_exe=/Users/olduser/Library/Application Support/Tandril/Cave Runner [1]/SETUP.EXE\n"
        "cd_image=/home/ann/ISO/cave.cue\n[tandril autoexec]\necho /Users/x/y\n";
    makeGame(u"Cave Runner [1]"_s, config);
    // Without a Desktop, the archive goes to the home folder.
    QVERIFY(QDir(m_home->path() + u"/Desktop"_s).removeRecursively());
    QVERIFY(exportGame(u"Cave Runner [1]"_s));
    const QString archive = m_home->path() + u"/Cave Runner [1].tdl"_s;

    const TestHome other;
    QVERIFY(importArchive(archive));
    QCOMPARE(m_prompter.takeAlerts(),
             QList<ScriptedPrompter::Alert>(
                 {{"Export Successful", "File saved:\n" + archive},
                  {"Import Successful", "Game imported successfully.\n\nThese settings would reach past "
                                        "the game's own drives and were left out:\n[dos] startcmd=true"}}));
    const QString library = other.libraryFolder();
    QCOMPARE(tree(library), (QStringList{"Cave Runner [1].conf", "Cave Runner [1]/",
                                         "Cave Runner [1]/FLOPPIES/", "Cave Runner [1]/GAME.EXE",
                                         "Cave Runner [1]/SUB/", "Cave Runner [1]/SUB/DATA.DAT"}));
    QCOMPARE(readFile(library + u"/Cave Runner [1]/SUB/DATA.DAT"_s), QByteArray(100000, 'd'));
    QCOMPARE(QString::fromUtf8(readFile(library + u"/Cave Runner [1].conf"_s)),
             QString::fromUtf8(config)
                 .remove(u"startcmd=true\n"_s)
                 .replace(u"/Users/olduser"_s, other.path())
                 .replace(u"/home/ann"_s, other.path())
                 .replace(u"/Users/x"_s, other.path()));
    QCOMPARE(LibraryLoader::readEntry(library + u"/Cave Runner [1].conf"_s)->details.notes,
             u"Level 3\nCode: 1234"_s);
    QCOMPARE(tree(other.temporaryFolder()), QStringList());
    // The exporting user's game is untouched.
    QCOMPARE(readFile(m_home->libraryFolder() + u"/Cave Runner [1].conf"_s), config);
}

void ArchivesTest::exportLeavesOutLinksThatLeadOut()
{
    // A cover that is a link to the user's private key, a name that looks like a pattern, a link
    // inside the game: only what the game itself holds goes into the archive.
    makeGame(u"-n Doom"_s, "game_title=-n Doom\n");
    const QString folder = m_home->libraryFolder() + u"/-n Doom"_s;
    const QString secret = m_home->writeFile(u".ssh/id_rsa"_s, "PRIVATE KEY");
    QVERIFY(QDir().mkpath(folder + u"/CAPTURE"_s));
    QVERIFY(QFile::link(secret, folder + u"/CAPTURE/COVER.png"_s));
    QVERIFY(QFile::link(secret, folder + u"/CAPTURE/SHOT*[1].png"_s));
    m_home->writeFile(u"Library/Application Support/Tandril/-n Doom/CAPTURE/SHOT1.png"_s, "shot");
    QVERIFY(QFile::link(u"../GAME.EXE"_s, folder + u"/CAPTURE/GAME.LNK"_s));
    QVERIFY(QFile::link(folder + u"/../Other/GONE"_s, folder + u"/BROKEN"_s));
    const QString archive = m_home->path() + u"/out.tdl"_s;
    QVERIFY(exportGame(u"-n Doom"_s, nullptr, archive));
    const QList<ScriptedPrompter::Alert> alerts = m_prompter.takeAlerts();
    QCOMPARE(alerts.size(), 1);
    QCOMPARE(alerts.first().message, u"File saved:\n"_s + archive +
                                         u"\n\nLeft out, as links to files outside the game folder:\n"_s
                                         u"BROKEN\nCAPTURE/COVER.png\nCAPTURE/SHOT*[1].png"_s);
    const QString members = zipMembers(archive).join(u'\n');
    QVERIFY2(!members.contains(u"COVER"_s) && !members.contains(u"BROKEN"_s) && !members.contains(u'*'),
             qPrintable(members));
    QVERIFY(members.contains(u"-n Doom/CAPTURE/SHOT1.png"_s) &&
            members.contains(u"-n Doom/CAPTURE/GAME.LNK"_s));
    QProcess content;
    content.start(u"unzip"_s, {u"-p"_s, archive});
    QVERIFY(content.waitForFinished());
    QVERIFY(!content.readAllStandardOutput().contains("PRIVATE KEY"));
}

void ArchivesTest::exportFailures_data()
{
    QTest::addColumn<QString>("archive"); // below the home folder
    QTest::addColumn<QByteArray>("config");
    QTest::addColumn<QString>("message"); // "$HOME" the home folder
    QTest::newRow("a folder that is not there") << "nowhere/Doom.tdl" << QByteArray("game_title=Doom\n")
                                                << "The folder $HOME/nowhere does not exist.";
    // Its archive could never be imported.
    QTest::newRow("configuration not UTF-8")
        << "Desktop/Doom.tdl" << QByteArray("game_title=Caf\xe9\n")
        << "The configuration file is not valid UTF-8 text: its archive could not be imported.";
}

void ArchivesTest::exportFailures()
{
    QFETCH(QString, archive);
    QFETCH(QByteArray, config);
    QFETCH(QString, message);
    makeGame(u"Doom"_s, config);
    const QStringList before = tree(m_home->path());
    QVERIFY(!exportGame(u"Doom"_s, nullptr, m_home->path() + u'/' + archive));
    QCOMPARE(m_prompter.takeAlerts(), QList<ScriptedPrompter::Alert>(
                                          {{"Export Failed", message.replace(u"$HOME"_s, m_home->path())}}));
    QCOMPARE(tree(m_home->path()), before); // no folder made, nothing left
}

void ArchivesTest::importRefusals_data()
{
    QTest::addColumn<QByteArray>("archive");
    QTest::addColumn<QString>("message");
    const QString missingMarker = u"game.tdl is not a Tandril archive."_s;
    const QString outside =
        u"The TDL file holds the member \"%1\", which would be written outside its folder."_s;
    QTest::newRow("no marker") << ZipWriter({"G.conf=game_title=G\n"}).bytes() << missingMarker;
    QTest::newRow("missing file") << QByteArray("<missing>") << "The file $PATH does not exist.";
    QTest::newRow("FIFO, refused without blocking") << QByteArray("<fifo>") << "$PATH is not a file.";
    QByteArray corrupt = ZipWriter({"tdl=", "G.conf=game_title=G\n" + QString(4000, u'#')}).bytes();
    corrupt[200] = char(corrupt[200] ^ 0x55); // inside the stored configuration: the CRC fails
    QTest::newRow("corrupt data") << corrupt << "Could not extract TDL file.";
    ZipWriter latin1({"tdl="});
    latin1.addFile(u"G.conf"_s, "game_title=Caf\xe9\n");
    QTest::newRow("configuration not UTF-8")
        << latin1.bytes() << "Could not update user paths in .conf file.";
    QTest::newRow("zip-slip")
        << ZipWriter({"tdl=", "G.conf=game_title=G\n", "G/../../evil.sh=rm -rf"}).bytes()
        << outside.arg("G/../../evil.sh");
    QTest::newRow("absolute member") << ZipWriter({"tdl=", "/tmp/evil=x"}).bytes()
                                     << outside.arg("/tmp/evil");
    QTest::newRow("absolute in DOS's way")
        << ZipWriter({"tdl=", "\\tmp\\evil=x"}).bytes() << outside.arg("\\tmp\\evil");
    QTest::newRow("backslash parent")
        << ZipWriter({"tdl=", "G\\..\\..\\x=x"}).bytes() << outside.arg("G\\..\\..\\x");
    QTest::newRow("link out of the game")
        << ZipWriter({"tdl=", "G.conf=game_title=G\n", "G/", "G/ROOT->/"}).bytes()
        << "The TDL file holds the link \"G/ROOT\", which leads out of the game folder.";
    QTest::newRow("configuration named ..conf")
        << ZipWriter({"tdl=", "..conf=game_title=G\n"}).bytes()
        << "The title must contain at least one character that can be used in a file name.";
    QTest::newRow("a game folder that is a link")
        << ZipWriter({"tdl=", "G.conf=game_title=G\n", "G->/tmp"}).bytes()
        << "The TDL file's game folder \"G\" is a link, not a folder.";
    QTest::newRow("a folder named other than the configuration")
        << ZipWriter({"tdl=", "Doom.conf=game_title=Doom\n", "DOOM/", "DOOM/GAME.EXE=MZ"}).bytes()
        << "The TDL file holds the folder \"DOOM\", but its configuration file is \"Doom.conf\": a game's "
           "folder must have its configuration file's name.";
    // Hidden names are the library's own: its lock, journals and unfinished copies.
    QTest::newRow("the library lock's name")
        << ZipWriter({"tdl=", ".tandril.lock.conf=game_title=G\n", ".tandril.lock/x=y"}).bytes()
        << "A game's name must not begin with a dot: \".tandril.lock\".";
    QTest::newRow("an unfinished copy's name")
        << ZipWriter({"tdl=", ".Mine.incoming-0A1B2C3D-0000-4000-8000-00000000000F.conf=Mine"}).bytes()
        << "A game's name must not begin with a dot: "
           "\".Mine.incoming-0A1B2C3D-0000-4000-8000-00000000000F\".";
}

void ArchivesTest::importRefusals()
{
    QFETCH(QByteArray, archive);
    QFETCH(QString, message);
    QString path = m_home->path() + u"/incoming/game.tdl"_s;
    if (archive == "<fifo>")
        QCOMPARE(QDir().mkpath(m_home->path() + u"/incoming"_s) &&
                     ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0,
                 true);
    else if (archive != "<missing>")
        path = m_home->writeFile(u"incoming/game.tdl"_s, archive);
    m_home->writeConfig(u"Mine"_s, "game_title=Mine\n");
    QVERIFY(!importArchive(path));
    QCOMPARE(m_prompter.takeAlerts(),
             QList<ScriptedPrompter::Alert>({{"Import Failed", message.replace(u"$PATH"_s, path)}}));
    QCOMPARE(tree(m_home->libraryFolder()), QStringList{"Mine.conf"});
    QCOMPARE(readFile(m_home->libraryFolder() + u"/Mine.conf"_s), QByteArray("game_title=Mine\n"));
    QVERIFY(!QFileInfo::exists(m_home->path() + u"/evil.sh"_s));
}

void ArchivesTest::importOverwrite_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("library"); // afterwards, every item joined by "|"
    QTest::addColumn<QString>("titles");
    QTest::addColumn<QString>("trash"); // the Trash's files afterwards
    QTest::addColumn<QString>("title"); // the archived game's
    QTest::newRow("Keep Both, what --yes answers")
        << 0
        << "Doom (2)/|Doom (2)/X|Doom (3).conf|Doom (3)/|Doom (3)/DOOM.conf|Doom (3)/NEW.EXE|Doom.conf|Doom/|"
           "Doom/OLD.EXE"
        << "Doom (old)|Doom (new) (3)"
        << ""
        << "Doom (new)";
    QTest::newRow("Keep Both of a game without a title: named by its file")
        << 0
        << "Doom (2)/|Doom (2)/X|Doom (3).conf|Doom (3)/|Doom (3)/DOOM.conf|Doom (3)/NEW.EXE|Doom.conf|Doom/|"
           "Doom/OLD.EXE"
        << "Doom (old)|Doom (3)"
        << ""
        << "";
    QTest::newRow("Replace: the old game to the Trash")
        << 1 << "Doom (2)/|Doom (2)/X|Doom.conf|Doom/|Doom/DOOM.conf|Doom/NEW.EXE"
        << "Doom (new)"
        << "Doom.conf|Doom/|Doom/OLD.EXE"
        << "Doom (new)";
    QTest::newRow("Cancel, the default") << 2 << "Doom (2)/|Doom (2)/X|Doom.conf|Doom/|Doom/OLD.EXE"
                                         << "Doom (old)"
                                         << ""
                                         << "Doom (new)";
}

void ArchivesTest::importOverwrite()
{
    QFETCH(int, answer);
    QFETCH(QString, library);
    QFETCH(QString, titles);
    QFETCH(QString, trash);
    QFETCH(QString, title);
    const QString archive =
        // A configuration file of the game's own inside its folder, listed first, is one of its files.
        makeArchive(
            ZipWriter({"Doom/", "Doom/NEW.EXE=new", "Doom/DOOM.conf=game_title=Inner\n",
                       u"Doom.conf=game_title="_s + title +
                           u"\nsetup_exe=/home/x/Library/Application Support/Tandril/Doom/NEW.EXE\n"_s,
                       "tdl="}));
    m_home->writeConfig(u"Doom"_s, "game_title=Doom (old)\n");
    m_home->writeFile(u"Library/Application Support/Tandril/Doom/OLD.EXE"_s, "old");
    QVERIFY(QDir().mkpath(m_home->path() + u"/.local/share"_s)); // where the desktop keeps its Trash
    // The next name's folder is taken, though no configuration goes with it.
    m_home->writeFile(u"Library/Application Support/Tandril/Doom (2)/X"_s, "a folder without a game");
    m_prompter.answers = {answer};
    QCOMPARE(importArchive(archive), answer != 2);
    // Asked from the listing, before anything was unpacked.
    QCOMPARE(m_prompter.questions.size(), 1);
    QCOMPARE(
        m_prompter.questions.first().text,
        u"A game named \"Doom (old)\" is already in your library.\nReplace moves it to the Trash with its "
        "folder and all its files, saved games included."_s);
    QCOMPARE(m_prompter.questions.first().buttons, (QStringList{"Keep Both", "Replace", "Cancel"}));
    QCOMPARE(m_prompter.questions.first().defaultButton, 2);
    // Nothing is left beside the games by the swap.
    const QString folder = m_home->libraryFolder();
    QCOMPARE(tree(folder).join(u'|'), library);
    QStringList loaded;
    for (const ConfigEntry& entry : LibraryLoader::load(folder).value_or(QList<ConfigEntry>{}))
        loaded << entry.title;
    QCOMPARE(loaded.join(u'|'), titles);
    QCOMPARE(tree(m_home->path() + u"/.local/share/Trash/files"_s).join(u'|'), trash);
    if (answer == 0) // paths into the game folder follow it to its new name
        QVERIFY(readFile(folder + u"/Doom (3).conf"_s).contains("/Tandril/Doom (3)/NEW.EXE\n"));
    m_prompter.takeAlerts();
}

void ArchivesTest::missingTools()
{
    RewrittenTools missing([](ProcessRunner::Command command) {
        command.program.prepend(u"/nonexistent"_s);
        return command;
    });
    makeGame(u"Doom"_s, "game_title=Doom\n");
    QVERIFY(!exportGame(u"Doom"_s, &missing));
    QVERIFY(!importArchive(m_home->writeFile(u"x.tdl"_s, "x"), &missing));
    QVERIFY(!addFromFolder(m_prompter, missing, m_home->writeFile(u"Keen.zip"_s, "x")));
    const QString unzipMissing = u"/nonexistent/usr/bin/zipinfo is missing; install the unzip package."_s;
    QCOMPARE(m_prompter.takeAlerts(),
             (QList<ScriptedPrompter::Alert>{
                 {"Export Failed", "/nonexistent/usr/bin/zip is missing; install the zip package."},
                 {"Import Failed", unzipMissing},
                 {"Add Game Failed", unzipMissing}}));
}

void ArchivesTest::cancelLeavesEverythingAsItWas_data()
{
    QTest::addColumn<bool>("exporting");
    QTest::newRow("export over an old archive") << true;
    QTest::newRow("import over a game") << false;
}

void ArchivesTest::cancelLeavesEverythingAsItWas()
{
    QFETCH(bool, exporting);
    makeGame(u"Doom"_s, "game_title=Doom\n");
    const QString archive = m_home->path() + u"/Desktop/Doom.tdl"_s;
    QVERIFY(exportGame(u"Doom"_s));
    m_prompter.takeAlerts();
    const QByteArray oldArchive = readFile(archive);
    const QStringList oldLibrary = tree(m_home->libraryFolder());

    // zip and unzip that report two items slowly before the real tool runs.
    RewrittenTools slow([](ProcessRunner::Command command) {
        if (command.program.endsWith(u"zipinfo"_s))
            return command;
        const QString verb = command.program.endsWith(u"/zip"_s) ? "adding" : "inflating";
        command.arguments = QStringList{u"-c"_s,
                                        u"for i in 1 2; do echo \"  %1: Doom/F$i (stored 0%)\"; "
                                        "sleep 1; done; exec \"$0\" \"$@\""_s.arg(verb),
                                        command.program} +
                            command.arguments;
        command.program = u"/bin/sh"_s;
        return command;
    });
    m_prompter.answers = {exporting ? 0 : 1}; // Overwrite on the Desktop, Replace in the library
    std::unique_ptr<ProgressJob> job;
    if (exporting) {
        auto exporter = std::make_unique<ExportJob>(m_prompter, slow);
        QVERIFY(exporter->start(LibraryLoader::readEntry(m_home->libraryFolder() + u"/Doom.conf"_s)));
        job = std::move(exporter);
    } else {
        auto importer = std::make_unique<ImportJob>(m_prompter, slow);
        importer->start(archive, ImportJob::Road::Panel);
        job = std::move(importer);
    }
    QSignalSpy progressed(job.get(), &ProgressJob::progressed);
    QSignalSpy cancelled(job.get(), &ProgressJob::cancelled);
    QSignalSpy finished(job.get(), &ProgressJob::finished);
    QVERIFY(progressed.wait(10000));
    // The first of 7 items: Doom/, FLOPPIES/, GAME.EXE, SUB/, DATA.DAT, the configuration and the marker.
    QCOMPARE(progressed.first(), (QList<QVariant>{qint64(1), qint64(7), u"Doom/F1"_s}));
    job->cancel();
    QVERIFY(!finishJob(*job, finished));
    QCOMPARE(cancelled.size(), 1);
    QVERIFY(m_prompter.takeAlerts().isEmpty());
    QCOMPARE(readFile(archive), oldArchive);
    QCOMPARE(tree(m_home->libraryFolder()), oldLibrary);
}

QTEST_GUILESS_MAIN(ArchivesTest)
#include "tst_archives.moc"
