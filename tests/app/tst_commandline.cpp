#include "common/RecordingEmulator.h"
#include "common/Rows.h"
#include "common/TandrilProcess.h"
#include "common/TestHome.h"
#include "common/ZipWriter.h"
#include "launch/LaunchPlan.h"
#include "launch/MountPaths.h"
#include "library/LibraryLoader.h"
#include "platform/DriveAliases.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTest>

using namespace Qt::StringLiterals;

// The command-line front door, run as its own process with no display at all.
class CommandLineTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void commands_data();
    void commands();
    void launchModes_data();
    void launchModes();
    void shortcutStartsTheGame();
    void speaksTheUsersLanguage();
    void runningWindowTakesTheArchive();
    void playTimeIsKeptBesideTheGame();
    void untrustedTextIsShownEscaped();
    void homeFolderThatIsNotUtf8IsRefused();
    void completionQuotesTitles_data();
    void completionQuotesTitles();
    void deleteGoesToTheTrashUnlessPermanent();
    void launchSaysWhenDosboxStopsAtOnce();
    void secondExportGoesWhereTheFirstWent();
};

void CommandLineTest::commands_data()
{
    // The arguments joined by "|"; what standard output starts with after a success, or standard
    // error holds after a failure (one line and a pointer to --help after a usage error, exit code 2); and
    // the library's titles afterwards ("=": unchanged). "$LIB" stands for the library folder.
    textColumns({"arguments", "exitCode", "output", "titles"});
    const QString ownKeys =
        u"Not Saved: Tandril keeps the game's title and programs in [tandril]: change them in "
        "the game's settings window, or make a new game with \"tandril add\".\n"_s;
    const auto yearRefused = [](const char* year) {
        return u"Not Saved: The year must be four digits, such as 1993, or empty: \"%1\".\n"_s.arg(
            QLatin1String(year));
    };
    const QString noTerminal =
        u"\nAnswered \"Cancel\" because there is no terminal to ask on; --yes answers \"%1\".\n"_s;
    textRow("--help", "--help", "0", "Usage: tandril", "=");
    textRow("unknown command", "frobnicate", "2", "unknown command 'frobnicate'", "=");
    // In file-name order; a file that is not text is no game.
    textRow("list", "list", "0",
            "Twin\t$LIB/a.conf\nKeen 4\t$LIB/b.conf\nTwin\t$LIB/c.conf\nDoom\t$LIB/Doom.conf\nKEEN "
            "4\t$LIB/e.conf\n",
            "=");
    textRow("list --json", "list|--json", "0",
            "[\n    {\n        \"developer\": \"\",\n        \"filePath\": \"$LIB/a.conf\",\n        "
            "\"genre\": \"\",\n"
            "        \"lastPlayed\": null,\n        \"notes\": \"\",\n        \"playTime\": 0,\n        "
            "\"publisher\": "
            "\"\",\n        \"setupPath\": null,\n        \"title\": \"Twin\",\n        \"year\": \"\"",
            "=");
    textRow("launch by configuration file", "launch|$LIB/b.conf|--dos", "0", "", "=");
    textRow("the exact title before one in another letter case", "launch|Keen 4|--dos", "0", "", "=");
    textRow(
        "launch by a shared title", "launch|Twin", "1",
        "tandril: Several games are called \"Twin\"; name one by its configuration file:\n  $LIB/a.conf\n  "
        "$LIB/c.conf\n",
        "=");
    textRow("launch an unknown game", "launch|Nothing", "1", "tandril: No game is called \"Nothing\".\n",
            "=");
    textRow("launch in two modes", "launch|b|--dos|--setup", "2", "", "=");
    textRow("an operand after the expected ones", "settings|b|c", "2",
            "wrong number of arguments for settings", "=");
    textRow("an --emulator that names nothing usable", "--emulator|/nonexistent/dosbox-x|launch|b|--dos", "1",
            "DOSBox-X Not Found: The dosbox-x program was not found on this system.\nPlease install it so "
            "Tandril "
            "works properly." +
                noTerminal.arg("Open Download"),
            "=");
    textRow("add", "add|Loom: Deluxe", "0", "", "Twin|Keen 4|Twin|Doom|KEEN 4|Loom: Deluxe");
    textRow(
        "add over an existing game, no terminal", "add|Doom", "1",
        "Game Already in Library: A game named \"Doom\" is already in your library.\nReplace deletes it for "
        "good with its folder and all its files, saved games included." +
            noTerminal.arg("Keep Both"),
        "=");
    textRow("add a game from each folder, skipping those in the library", "add|--from|$HOME/games|--each",
            "0", "⚠️ Skipped, already in the library: Doom\n", "Twin|Keen 4|Twin|Doom|KEEN 4|Quake");
    textRow("--each without --from", "add|Doom|--each", "2", "", "=");
    textRow("--each with one program for every game", "add|--from|$HOME/games|--each|--exe|GO.EXE", "2", "",
            "=");
    textRow("--each with one title for every game", "add|Game|--from|$HOME/games|--each", "2", "", "=");
    textRow("a title that looks like an option, after --", "add|--|-Pac-Man-", "0", "",
            "-Pac-Man-|Twin|Keen 4|Twin|Doom|KEEN 4");
    textRow("add over an existing game, --yes keeps both", "--yes|add|Doom", "0", "",
            "Twin|Keen 4|Twin|Doom|Doom (2)|KEEN 4");
    textRow("add a title with a line break", "add|Evil\ngame_exe=C:\\EVIL.BAT", "1",
            "Invalid Title: The title must not contain line breaks, tabs or other control characters.\n",
            "=");
    textRow("delete by the title in another letter case, --yes after the command", "delete|DOOM|--yes", "0",
            "", "Twin|Keen 4|Twin|KEEN 4");
    textRow(
        "delete without an answer", "delete|Doom", "1",
        "Delete Configuration?: Are you sure you want to delete the configuration for \"Doom\"?\nThe game's "
        "folder and all its files, saved games included, will be deleted for good." +
            noTerminal.arg("Delete"),
        "=");
    textRow("set, unchecked without a reference from DOSBox-X",
            "set|b|sblaster.oplmode=opl3|joystick.timed=false", "0",
            "⚠️ Not checked: DOSBox-X did not write its reference of settings.\n", "=");
    // "$CHECKER": a DOSBox-X that reads opl3 as opl2 and does not start with a setting of "crash".
    const QString forced = u"\n--force writes them anyway.\n"_s;
    textRow("set, refused as DOSBox-X reads it",
            "--emulator|$CHECKER|set|b|sblaster.oplmode=opl3|joystick.timed=false", "1",
            "Not Saved: DOSBox-X reads oplmode=opl3 as opl2" + forced, "=");
    textRow("set --force writes what DOSBox-X refuses",
            "--emulator|$CHECKER|set|b|sblaster.oplmode=opl3|joystick.timed=false|--force", "0", "", "=");
    textRow("set, refused with the setting DOSBox-X does not start with",
            "--emulator|$CHECKER|set|b|joystick.timed=false|sdl.output=crash", "1",
            "Not Saved: DOSBox-X does not start with output=crash (DOSBox-X crashed.)" + forced, "=");
    textRow("set without a value", "set|b|nonsense", "2", "", "=");
    textRow(
        "set without a section, where DOSBox-X cannot say it", "set|b|machine=cga", "1",
        "Not Saved: Name the setting with its section: SECTION.machine=cga, such as dosbox.machine=cga.\n",
        "=");
    textRow("details set", "details|b|year=1991|genre=Platformer|notes=Line one", "0", "", "=");
    textRow("details: a year of two digits", "details|b|year=91", "1", yearRefused("91"), "=");
    // The year's exact shape: four digits, nothing before or after them.
    textRow("details: a year of five digits", "details|b|year=19933", "1", yearRefused("19933"), "=");
    textRow("details: a letter before the year", "details|b|year=x1993", "1", yearRefused("x1993"), "=");
    textRow(
        "details: no such detail", "details|b|colour=red", "1",
        "Not Saved: \"colour=red\" is no detail; the details are year, developer, publisher, genre, notes, "
        "each as NAME=VALUE.\n",
        "=");
    textRow(
        "set a value holding a line break", "set|b|cpu.cycles=3000\n[autoexec]\nmount c /", "1",
        "Not Saved: cpu.cycles: settings must not contain line breaks, tabs or other control characters.\n",
        "=");
    textRow("set the title", "set|b|tandril.game_title=Evil", "1", ownKeys, "=");
    textRow("set Tandril's closing in a section of DOSBox-X", "set|b|sdl.close_when_ended=false", "1",
            ownKeys, "=");
    textRow("set the program in another section", "set|b|sdl.game_exe=EVIL.BAT", "1", ownKeys, "=");
    textRow("a game keeps to its own drives until the user lets it reach further", "reach|b", "0", "off\n",
            "=");
    textRow("reach takes on or off only", "reach|b|maybe", "2", "", "=");
    textRow(
        "set a start-up command", "set|b|sdl.output=opengl|autoexec.x=1", "1",
        "Not Saved: Tandril writes the start-up commands itself when it starts a game (\"tandril launch\"): "
        "change them in the game's settings window.\n",
        "=");
    // Doom has written SAVE.DAT; Keen 4 (b) nothing.
    textRow("saves lists what the game wrote", "saves|Doom", "0", "SAVE.DAT\t4\t", "=");
    textRow("a backup into a folder", "saves|Doom|--backup|$HOME", "0", "", "=");
    textRow("a backup of nothing", "saves|b|--backup|$HOME/b.zip", "1",
            "Nothing to Back Up: The game has written nothing yet.\n", "=");
    textRow("a reset without an answer", "saves|Doom|--reset", "1",
            "Reset to Original?: Everything \"Doom\" wrote is moved to the Trash: its saved games, the "
            "settings its setup program saved, and what its start-up commands changed. The game is then as "
            "it came." +
                noTerminal.arg("Reset"),
            "=");
    textRow("a reset of a game that wrote nothing is no failure", "saves|b|--reset", "0",
            "Nothing to Reset: \"Keen 4\" is as it came: it has written nothing.\n", "=");
    textRow("a reset with no Trash", "--yes|saves|Doom|--reset", "1",
            "Reset Failed: There is no Trash to keep the saved games in; they were left as they are.\n", "=");
    textRow("two things at once", "saves|Doom|--reset|--backup|$HOME/x.zip", "2", "", "=");
    textRow("a restore from no file", "saves|b|--restore|$HOME/none.zip", "1",
            "Restore Failed: $HOME/none.zip is not a file.\n", "=");
    textRow("a restore from a game's archive", "saves|b|--restore|$HOME/backups/game.tdl", "1",
            "Restore Failed: game.tdl is not a backup of saved games.\n", "=");
    textRow("a backup holding more than saved games", "saves|b|--restore|$HOME/backups/other.zip", "1",
            "Restore Failed: The backup holds \"other/EVIL.BAT\", which is no saved game.\n", "=");
    textRow("a backup reaching out of its folder", "saves|b|--restore|$HOME/backups/out.zip", "1",
            "Restore Failed: The backup holds \"saves/../../EVIL.BAT\", which would be written outside its "
            "folder.\n",
            "=");
    textRow("a backup holding a link", "saves|b|--restore|$HOME/backups/link.zip", "1",
            "Restore Failed: The backup holds the link \"HOST\"; saved games are never links.\n", "=");
    textRow("export both with and without the saved games", "export|Doom|--saves|--no-saves", "2", "", "=");
}

void CommandLineTest::commands()
{
    const TestHome home;
    RecordingEmulator emulator(home.path() + u"/bin"_s);
    home.writeConfig(u"a"_s, "game_title=Twin\n");
    home.writeConfig(u"b"_s, "[sdl]\noutput=surface\n[tandril]\ngame_title=Keen 4\n");
    home.writeConfig(u"broken"_s, "\xff\xfe not text");
    home.writeConfig(u"c"_s, "game_title=Twin\n");
    home.writeConfig(u"Doom"_s, "game_title=Doom\n");
    home.writeConfig(u"e"_s, "game_title=KEEN 4\n"); // the same title in another letter case
    const QString doom = home.writeFile(u"Library/Application Support/Tandril/Doom/DOOM.EXE"_s, "MZ");
    const QString library = home.libraryFolder();
    home.writeFile(u"games/Doom/DOOM.EXE"_s, "MZ");
    home.writeFile(u"games/Quake/QUAKE.EXE"_s, "MZ");
    const QString checker = writeCheckingEmulator(home, u"checker/dosbox-x"_s);
    const QStringList arguments = cell("arguments")
                                      .replace(u"$LIB"_s, library)
                                      .replace(u"$HOME"_s, home.path())
                                      .replace(u"$CHECKER"_s, checker)
                                      .split(u'|');
    // The command, after the options that go before it.
    QStringList fromCommand = arguments;
    while (fromCommand.size() > 1 && fromCommand.first().startsWith(u"--"_s))
        fromCommand.remove(0, fromCommand.first() == u"--emulator" ? 2 : 1);
    const QString command = fromCommand.first();
    const int exitCode = cell("exitCode").toInt();
    const QString output = cell("output").replace(u"$LIB"_s, library).replace(u"$HOME"_s, home.path());
    const QString doomSaves =
        home.writeFile(u"Library/Application Support/Tandril/.Doom.saves/SAVE.DAT"_s, "mine");
    QVERIFY(QFile::link(u"/etc/hostname"_s, library + u"/.Doom.saves/HOST"_s));
    home.writeFile(u"backups/game.tdl"_s, ZipWriter({u"tdl="_s, u"Doom.conf=game_title=Doom"_s}).bytes());
    home.writeFile(u"backups/other.zip"_s,
                   ZipWriter({u"tandril-saves="_s, u"saves/OK.SAV=x"_s, u"other/EVIL.BAT=x"_s}).bytes());
    home.writeFile(u"backups/out.zip"_s,
                   ZipWriter({u"tandril-saves="_s, u"saves/../../EVIL.BAT=x"_s}).bytes());
    home.writeFile(u"backups/link.zip"_s, ZipWriter({u"tandril-saves="_s, u"saves/HOST->/"_s}).bytes());
    const auto titles = [&] {
        QStringList listed;
        for (const QString& line : runTandril(home, {u"list"_s}).out.split(u'\n', Qt::SkipEmptyParts))
            listed << line.section(u'\t', 0, 0);
        return listed.join(u'|');
    };
    const QString before = titles();

    const TandrilRun run = runTandril(home, arguments, emulator.folder());
    QCOMPARE(run.exitCode, exitCode);
    if (exitCode == 0)
        QVERIFY2((output.isEmpty() || run.out.startsWith(output) || run.err == output) &&
                     !run.err.contains(u"Usage"_s),
                 qPrintable(run.out + run.err));
    else if (exitCode == 2)
        QVERIFY2(run.err.contains(output) &&
                     run.err.endsWith(u"\nTry 'tandril --help' for more information.\n"_s) &&
                     run.err.count(u'\n') == 2,
                 qPrintable(run.err));
    else
        QCOMPARE(run.err, output);
    QCOMPARE(titles(), cell("titles") == u"=" ? before : cell("titles"));
    if (command == u"launch") {
        const std::optional<QStringList> started = emulator.takeArguments(exitCode == 0 ? 10000 : 300);
        QCOMPARE(started.has_value() ? started->at(1) : QString(),
                 exitCode == 0 ? library + u"/b.conf"_s : QString());
    }
    if (command == u"details") {
        QCOMPARE(runTandril(home, {u"details"_s, u"b"_s}).out,
                 exitCode == 0
                     ? u"year: 1991\ndeveloper: \npublisher: \ngenre: Platformer\nnotes: Line one\n"_s
                     : u"year: \ndeveloper: \npublisher: \ngenre: \nnotes: \n"_s);
        QCOMPARE(runTandril(home, {u"settings"_s, u"b"_s}).out,
                 u"sdl.output=surface\n"_s); // no setting changed
    }
    if (command == u"set") {
        QCOMPARE(runTandril(home, {u"settings"_s, u"b"_s}).out,
                 exitCode == 0 ? u"sdl.output=surface\nsblaster.oplmode=opl3\njoystick.timed=false\n"_s
                               : u"sdl.output=surface\n"_s);
    }
    // Only a confirmed question removes a game's files; a failed restore changes no saved game.
    QCOMPARE(QFile::exists(doom), exitCode != 0 || !arguments.contains(u"delete"_s));
    QCOMPARE(readFile(doomSaves), exitCode != 0 || !arguments.contains(u"delete"_s) ? "mine" : "");
    if (arguments.contains(u"--restore"_s))
        QVERIFY(!QFileInfo::exists(library + u"/.b.saves"_s));
    if (arguments.contains(u"--backup"_s)) {
        // A link among the saved games (to a file of the host) stays out of the backup.
        const QStringList backup{u"saves/"_s, u"saves/SAVE.DAT"_s, u"tandril-saves"_s};
        QCOMPARE(zipMembers(home.path() + u"/Doom saved games.zip"_s),
                 exitCode == 0 ? backup : QStringList());
    }
}

void CommandLineTest::untrustedTextIsShownEscaped()
{
    // An archive's title and notes may hold escape sequences that would command the terminal.
    const TestHome home;
    home.writeConfig(
        u"x"_s, "[tandril]\ngame_title=Evil\x1b[2J\x07\ngame_notes=one\\ntwo\\u001b]0;owned\\u0007\\u007f\n");
    const TandrilRun listed = runTandril(home, {u"list"_s});
    QCOMPARE(listed.out.section(u'\t', 0, 0), u"Evil\\x1b[2J\\x07"_s);
    const TandrilRun details = runTandril(home, {u"details"_s, u"x"_s});
    QVERIFY2(details.out.endsWith(u"notes: one\n  two\\x1b]0;owned\\x07\\x7f\n"_s), qPrintable(details.out));
    QVERIFY(!(listed.out + details.out).contains(QChar(0x1b)));
    // So are the names of a folder's games and files as an add reports them.
    home.writeFile(u"games/Keen\x1b]0;owned\x07/KEEN.EXE"_s, "MZ");
    home.writeFile(u"games/Doom/DOOM\x1b[2J.EXE"_s, "MZ");
    const TandrilRun added =
        runTandril(home, {u"add"_s, u"--from"_s, home.path() + u"/games"_s, u"--each"_s});
    QVERIFY2(added.out.contains(u"DOOM\\x1b[2J.EXE"_s) && added.out.contains(u"Keen\\x1b]0;owned\\x07"_s),
             qPrintable(added.out));
    QVERIFY(!(added.out + added.err).contains(QChar(0x1b)) && !(added.out + added.err).contains(QChar(0x07)));
}

void CommandLineTest::homeFolderThatIsNotUtf8IsRefused()
{
    // Its name would come back as another folder beside it, where the library would be made.
    const TestHome home;
    QProcess shell;
    shell.setProcessEnvironment(tandrilEnvironment(home));
    // Afterwards: the status, then what is in that folder and beside it.
    shell.start(u"bash"_s, {u"-c"_s,
                            u"home=\"$1/h$(printf '\\377')\"; mkdir \"$home\" && HOME=$home \"$2\" add Doom; "
                            "echo $?; ls -A \"$home\"; ls -A \"$1\" | grep -v '^\\.config$' | wc -l"_s,
                            u"bash"_s, home.path(), QStringLiteral(TANDRIL_EXECUTABLE)});
    QVERIFY(shell.waitForFinished(30000));
    QVERIFY(shell.readAllStandardError().startsWith("Home Folder Not Usable: "));
    // Nothing was made, neither in that folder nor beside it.
    QCOMPARE(shell.readAllStandardOutput(), QByteArray("1\n1\n"));
}

void CommandLineTest::launchModes_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("mode");
    QTest::newRow("game") << QStringList{} << int(LaunchMode::Game);
    QTest::newRow("setup") << QStringList{"--setup"} << int(LaunchMode::Setup);
    QTest::newRow("DOS prompt") << QStringList{"--dos"} << int(LaunchMode::DosPrompt);
}

void CommandLineTest::launchModes()
{
    QFETCH(QStringList, options);
    QFETCH(int, mode);
    const TestHome home;
    RecordingEmulator emulator(home.path() + u"/bin"_s);
    const QString setup = home.writeFile(u"SETUP.EXE"_s, "MZ");
    // The language file is named because this DOSBox-X has it, beside its program.
    home.writeFile(u"share/dosbox-x/languages/de_DE.lng"_s, ":");
    // Every argument reaches the emulator whole: blanks, quotes, shell characters and non-ASCII.
    const QString conf = home.writeConfig(
        u"Höhle der Drachen 2"_s, "game_title=Doom\ngame_exe=C:\\HÖHLE\\START.EXE\n"
                                  "setup_exe=" +
                                      setup.toUtf8() + "\n[tandril autoexec]\necho \"q\" $HOME `x`\n");
    for (const QString& file : {u"HÖHLE/START.EXE"_s, u"FLOPPIES/DISK1.IMA"_s})
        home.writeFile(u"Library/Application Support/Tandril/Höhle der Drachen 2/"_s + file, "x");
    const TandrilRun run =
        runTandril(home, QStringList{u"launch"_s, u"Doom"_s} + options, emulator.folder(), u"de_DE"_s);
    QCOMPARE(run.err, QString());
    QCOMPARE(run.exitCode, 0);
    // The argument lists themselves are the launcher's; the user's language reaches them.
    const std::optional<QStringList> arguments = emulator.takeArguments();
    QVERIFY(arguments.has_value());
    // The game folder's name is not ASCII: DOSBox-X mounts it through a link to it.
    MountPaths mounts(DriveAliases::folder());
    QCOMPARE(*arguments, std::get<QStringList>(planLaunch(LaunchMode(mode), LibraryLoader::readEntry(conf),
                                                          home.libraryFolder(), {u"de-DE"_s}, &mounts)));
    QCOMPARE(arguments->last(), u"echo \"q\" $HOME `x`"_s);
    QVERIFY(arguments->contains(u"language=de_DE.lng"_s));
    QVERIFY(!mounts.links().isEmpty());
    // DOSBox-X's shell cannot take the folder's name: its drives and floppies go through the link.
    for (qsizetype i = 1; i < arguments->size(); ++i) {
        if (arguments->at(i - 1) == u"-c")
            QVERIFY2(!arguments->at(i).contains(u"Höhle der"_s), qPrintable(arguments->at(i)));
    }
    QCOMPARE(arguments->filter(u"imgmount a"_s).size(), mode == int(LaunchMode::DosPrompt) ? 1 : 0);
    for (const MountPaths::Link& link : mounts.links())
        QCOMPARE(QFileInfo(link.alias).symLinkTarget(), link.target);
}

void CommandLineTest::speaksTheUsersLanguage()
{
    const TestHome home;
    QCOMPARE(runTandril(home, {u"launch"_s, u"Nothing"_s}, {}, u"de_DE"_s).err,
             u"tandril: Kein Spiel heißt „Nothing“.\n"_s);
}

void CommandLineTest::shortcutStartsTheGame()
{
    const TestHome home;
    const QString conf =
        home.writeConfig(u"Cost $5 \\ \"Deluxe\" 100%"_s, "game_title=Cost $5 \\ \"Deluxe\" 100%\n");
    const TandrilRun run = runTandril(home, {u"shortcut"_s, conf});
    QCOMPARE(run.err, QString());
    QCOMPARE(run.exitCode, 0);
    const QString entryPath =
        home.path() + u"/.local/share/applications/tandril-Cost $5 \\ \"Deluxe\" 100%.desktop"_s;
    QVERIFY(run.out.contains(u"✅ Shortcut written: "_s + entryPath));

    QProcess validate;
    validate.start(u"desktop-file-validate"_s, {entryPath});
    if (!validate.waitForStarted())
        QSKIP("desktop-file-validate is not installed");
    QVERIFY(validate.waitForFinished());
    QVERIFY2(validate.exitCode() == 0, validate.readAllStandardOutput().constData());

    const QStringList lines = QString::fromUtf8(readFile(entryPath)).split(u'\n');
    // Quoted for the command line, then escaped as a string value; "%" doubled.
    QVERIFY(lines.contains(
        uR"(Exec=%1 launch "%2/Library/Application Support/Tandril/Cost \\$5 \\\\ \\"Deluxe\\" 100%%.conf")"_s
            .arg(QStringLiteral(TANDRIL_EXECUTABLE), home.path())));
}

void CommandLineTest::runningWindowTakesTheArchive()
{
    const TestHome home;
    QDir().mkpath(home.path() + u"/Desktop"_s);
    home.writeConfig(u"Doom"_s, "game_title=Doom\n");
    home.writeFile(u"Library/Application Support/Tandril/Doom/DOOM.EXE"_s, "MZ");
    QCOMPARE(runTandril(home, {u"export"_s, u"Doom"_s}).exitCode, 0);
    QVERIFY(QFile::remove(home.libraryFolder() + u"/Doom.conf"_s));
    QVERIFY(QDir(home.libraryFolder() + u"/Doom"_s).removeRecursively());
    RecordingEmulator emulator(home.path() + u"/bin"_s); // no question about a missing emulator

    QProcessEnvironment environment = tandrilEnvironment(home, emulator.folder());
    environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    // The socket lives in the user's private runtime folder, not in the shared temporary one.
    const QString runtime = home.path() + u"/run"_s;
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
    environment.insert(u"XDG_RUNTIME_DIR"_s, runtime);
    QProcess* window = startTandril(environment, {}, this);
    QVERIFY(window->waitForStarted());
    // Wait until the window listens for files handed over by a second start.
    const QString server = runtime + u"/tandril.socket"_s;
    QTRY_VERIFY_WITH_TIMEOUT(
        [&] {
            QLocalSocket probe;
            probe.connectToServer(server);
            return probe.waitForConnected(200);
        }(),
        20000);

    const TandrilRun second = runTandril(home, {home.path() + u"/Desktop/Doom.tdl"_s});
    QCOMPARE(second.exitCode, 0);
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(home.libraryFolder() + u"/Doom.conf"_s), 20000);
    QCOMPARE(window->state(), QProcess::Running); // one window took it; no second one stayed
    // A plain second start only asks the running one to show its window, and ends.
    QCOMPARE(runTandril(environment, {}).exitCode, 0);
    QCOMPARE(window->state(), QProcess::Running);
    window->kill();
    window->waitForFinished();

    // A runtime folder that others may enter is not used: whoever listens there gets nothing, and
    // the start opens a window of its own.
    const QString shared = home.path() + u"/shared"_s;
    QVERIFY(QDir().mkpath(shared));
    QLocalServer listener;
    QVERIFY(listener.listen(shared + u"/tandril.socket"_s));
    environment.insert(u"XDG_RUNTIME_DIR"_s, shared);
    QProcess* own = startTandril(environment, {home.path() + u"/Desktop/Doom.tdl"_s}, this);
    QByteArray said;
    QTRY_VERIFY_WITH_TIMEOUT((said += own->readAllStandardOutput()).contains("No private runtime folder"),
                             20000);
    QTest::qWait(500);
    QVERIFY(!listener.hasPendingConnections());
    QCOMPARE(own->state(), QProcess::Running);
    own->kill();
    own->waitForFinished();
}

void CommandLineTest::playTimeIsKeptBesideTheGame()
{
    // A DOSBox-X that plays for two seconds, while the game's details are edited.
    const TestHome home;
    const QString program = home.writeProgram(u"bin/dosbox-x"_s, "#!/bin/sh\nsleep 2\n");
    home.writeConfig(u"Doom"_s, "game_title=Doom\ngame_exe=DOOM.EXE\n");
    const std::unique_ptr<QProcess> playing(startTandril(tandrilEnvironment(home, home.path() + u"/bin"_s),
                                                         {u"launch"_s, u"Doom"_s, u"--wait"_s}, nullptr));
    QTest::qWait(500);
    QCOMPARE(runTandril(home, {u"details"_s, u"Doom"_s, u"year=1993"_s}).exitCode, 0);
    QVERIFY(playing->waitForFinished(30000));
    QCOMPARE(playing->exitCode(), 0);
    const QJsonObject game = QJsonDocument::fromJson(runTandril(home, {u"list"_s, u"--json"_s}).out.toUtf8())
                                 .array()
                                 .first()
                                 .toObject();
    QCOMPARE(game.value(u"year"_s).toString(), u"1993"_s);
    QVERIFY(game.value(u"playTime"_s).toInteger() >= 2);
    QVERIFY(QDateTime::fromString(game.value(u"lastPlayed"_s).toString(), Qt::ISODate)
                .secsTo(QDateTime::currentDateTime()) < 60);
}

namespace {

// What the completion script offers after these words (the last one being typed), each reply
// read back as bash reads the completed word; pathFolder: where it finds "tandril" for the titles.
QStringList completed(const TestHome& home, const QStringList& words, const QString& pathFolder = {})
{
    // bash-completion's word splitting, reduced to what the script reads.
    const QString script = uR"sh(
        _init_completion() { cur=${COMP_WORDS[COMP_CWORD]}; prev=${COMP_WORDS[COMP_CWORD-1]};
                             words=("${COMP_WORDS[@]}"); cword=$COMP_CWORD; }
        _filedir() { :; }
        source "$1"; shift
        COMP_WORDS=(tandril "$@"); COMP_CWORD=$#
        _tandril
        for reply in "${COMPREPLY[@]}"; do eval "word=($reply)"; printf '%s\n' "${word[@]}"; done
    )sh"_s;
    QProcess bash;
    bash.setProcessEnvironment(tandrilEnvironment(home, pathFolder));
    bash.setWorkingDirectory(home.path());
    bash.start(u"bash"_s, QStringList{u"--norc"_s, u"--noprofile"_s, u"-c"_s, script, u"bash"_s,
                                      QStringLiteral(TANDRIL_COMPLETION_SCRIPT)} +
                              words);
    if (!bash.waitForFinished(30000))
        return {u"(bash did not finish)"_s};
    if (const QString said = QString::fromUtf8(bash.readAllStandardError()); !said.isEmpty())
        return {u"(bash said: "_s + said + u')'};
    return QString::fromUtf8(bash.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
}

} // namespace

void CommandLineTest::completionQuotesTitles_data()
{
    // The word typed after "tandril launch ", and the titles offered, each read back as bash reads
    // the completed word.
    textColumns({"typed", "offered"});
    const char* all = "Cool Game $(touch PWNED)|Cool `touch PWNED` 2|It's \"Quoted\" \\ back*|Épée $HOME";
    textRow("nothing typed", "", all);
    textRow("a shared beginning", "Cool", "Cool Game $(touch PWNED)|Cool `touch PWNED` 2");
    textRow("an escaped blank", "Cool\\ G", "Cool Game $(touch PWNED)");
    textRow("an opening quote", "'Cool G", "Cool Game $(touch PWNED)");
    textRow("an escaped quote", "It\\'s", "It's \"Quoted\" \\ back*");
    textRow("a pattern character is plain text", "*", "");
    textRow("an escaped dollar sign", "Épée\\ \\$", "Épée $HOME");
    textRow("typed code is no pattern either", "$(touch PWNED)", "");
}

void CommandLineTest::completionQuotesTitles()
{
    const TestHome home;
    const QStringList titles =
        QString::fromUtf8("Cool Game $(touch PWNED)|Cool `touch PWNED` 2|It's \"Quoted\" \\ back*|Épée $HOME")
            .split(u'|');
    for (qsizetype i = 0; i < titles.size(); ++i)
        home.writeConfig(u"g"_s + QString::number(i), "game_title=" + titles.at(i).toUtf8() + '\n');
    const QString bin = home.path() + u"/bin"_s;
    QVERIFY(QDir().mkpath(bin) && QFile::link(QStringLiteral(TANDRIL_EXECUTABLE), bin + u"/tandril"_s));

    QCOMPARE(completed(home, {u"launch"_s, cell("typed")}, bin).join(u'|'), cell("offered"));
    QVERIFY(!QFile::exists(home.path() + u"/PWNED"_s)); // nothing in a title ran
}

void CommandLineTest::deleteGoesToTheTrashUnlessPermanent()
{
    // With a desktop Trash: delete moves the game there whole, --permanent deletes it at once.
    const TestHome home;
    QVERIFY(QDir().mkpath(home.path() + u"/.local/share"_s));
    for (const char* game : {"Doom", "Keen"}) {
        home.writeConfig(QString::fromLatin1(game), "game_title=" + QByteArray(game) + '\n');
        home.writeFile(u"Library/Application Support/Tandril/"_s + QLatin1String(game) + u"/SAVE.DAT"_s,
                       "saved");
    }
    const TandrilRun trashed = runTandril(home, {u"--yes"_s, u"delete"_s, u"Doom"_s});
    QCOMPARE(trashed.exitCode, 0);
    const QString trash = home.path() + u"/.local/share/Trash/files/"_s;
    QCOMPARE(readFile(trash + u"Doom/SAVE.DAT"_s), QByteArray("saved"));
    QVERIFY(QFileInfo::exists(trash + u"Doom.conf"_s));
    const TandrilRun deleted = runTandril(home, {u"--yes"_s, u"delete"_s, u"Keen"_s, u"--permanent"_s});
    QCOMPARE(deleted.exitCode, 0);
    QVERIFY(!QFileInfo::exists(home.libraryFolder() + u"/Keen"_s));
    QVERIFY(!QFileInfo::exists(home.libraryFolder() + u"/Keen.conf"_s));
    QVERIFY(!QFileInfo::exists(trash + u"Keen"_s) && !QFileInfo::exists(trash + u"Keen.conf"_s));
    QCOMPARE(runTandril(home, {u"list"_s}).out, QString());
}

void CommandLineTest::launchSaysWhenDosboxStopsAtOnce()
{
    // A DOSBox-X named by --emulator, not on PATH, that prints twenty lines and fails at once: the
    // launch fails and shows the last twelve of its lines; waited for to its end, the launch ends
    // with its status.
    const TestHome home;
    home.writeConfig(u"b"_s, "game_title=Keen\n");
    const QString standIn = home.writeProgram(
        u"not on path/dosbox-x"_s,
        "#!/bin/sh\ni=1\nwhile [ $i -le 20 ]; do echo \"line $i\"; i=$((i+1)); done\nexit 3\n");
    const QStringList launch{u"--emulator"_s, standIn, u"launch"_s, u"b"_s, u"--dos"_s};
    const TandrilRun brief = runTandril(home, launch);
    QCOMPARE(brief.exitCode, 1);
    QStringList last;
    for (int i = 9; i <= 20; ++i)
        last << u"line "_s + QString::number(i);
    QVERIFY2(brief.err.startsWith(u"DOSBox-X stopped: "_s) && brief.err.contains(u"exit status 3"_s) &&
                 brief.err.trimmed().endsWith(last.join(u'\n')) && !brief.err.contains(u"line 8\n"_s),
             qPrintable(brief.err));
    QCOMPARE(runTandril(home, launch + QStringList{u"--wait"_s}).exitCode, 3);
}

void CommandLineTest::secondExportGoesWhereTheFirstWent()
{
    // The folder of the last export is remembered, not its file: the next export without a name
    // goes beside it.
    const TestHome home;
    home.writeConfig(u"Keen"_s, "game_title=Keen\n");
    home.writeFile(u"Library/Application Support/Tandril/Keen/KEEN.EXE"_s, "MZ");
    QVERIFY(QDir().mkpath(home.path() + u"/out"_s));
    const TandrilRun first = runTandril(home, {u"export"_s, u"Keen"_s, home.path() + u"/out/first.tdl"_s});
    QVERIFY2(first.exitCode == 0, qPrintable(first.err));
    const TandrilRun second = runTandril(home, {u"export"_s, u"Keen"_s});
    QVERIFY2(second.exitCode == 0, qPrintable(second.err));
    QVERIFY(QFileInfo(home.path() + u"/out/first.tdl"_s).isFile());
    QVERIFY(QFileInfo(home.path() + u"/out/Keen.tdl"_s).isFile());
}

QTEST_GUILESS_MAIN(CommandLineTest)
#include "tst_commandline.moc"
