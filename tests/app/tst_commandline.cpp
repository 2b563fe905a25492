#include "common/RecordingEmulator.h"
#include "common/TandrilProcess.h"
#include "common/TestHome.h"
#include "launch/LaunchPlan.h"
#include "library/LibraryLoader.h"

#include <QLocalSocket>
#include <QTest>

using namespace Qt::StringLiterals;

// The command-line front door, run as its own process with no display at all.
class CommandLineTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void outputs_data();
    void outputs();
    void launchModes_data();
    void launchModes();
    void launchNamesOneGame_data();
    void launchNamesOneGame();
    void shortcutStartsTheGame();
    void addAndDelete_data();
    void addAndDelete();
    void settingsAndSet();
    void runningWindowTakesTheArchive();
};

void CommandLineTest::outputs_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("expected"); // what standard output starts with, or standard error holds
    QTest::newRow("--help") << QStringList{"--help"} << 0 << "Usage: tandril";
    QTest::newRow("--version") << QStringList{"--version"} << 0 << "tandril 0.2.0\n";
    QTest::newRow("unknown command") << QStringList{"frobnicate"} << 2 << "unknown command 'frobnicate'";
    QTest::newRow("unknown option") << QStringList{"list", "--xml"} << 2 << "unknown option '--xml'";
    // In file-name order; a file that is not text is no game.
    QTest::newRow("list") << QStringList{"list"} << 0
                          << "Ädventure: Part 1\t$LIB/Ädventure.conf\nGame Nine\t$LIB/game9.conf\n"
                             "Game Ten\t$LIB/game10.conf\n";
    QTest::newRow("list --json")
        << QStringList{"list", "--json"} << 0
        << "[\n    {\n        \"filePath\": \"$LIB/Ädventure.conf\",\n        \"setupPath\": "
           "\"\",\n        \"title\": \"Ädventure: Part 1\"\n    },\n";
}

void CommandLineTest::outputs()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, expected);
    const TestHome home;
    home.writeConfig(u"game10"_s, "game_title=Game Ten\n");
    home.writeConfig(u"game9"_s, "game_title=Game Nine\nsetup_exe=/s/SETUP.EXE\n");
    home.writeConfig(u"broken"_s, "\xff\xfe not text");
    home.writeConfig(u"Ädventure"_s, "game_title=Ädventure: Part 1\nsetup_exe=\n");
    const TandrilRun run = runTandril(home, arguments);
    QCOMPARE(run.exitCode, exitCode);
    expected.replace(u"$LIB"_s, home.libraryFolder());
    if (exitCode == 0)
        QVERIFY2(run.out.startsWith(expected) && run.err.isEmpty(), qPrintable(run.out));
    else
        QVERIFY2(run.out.isEmpty() && run.err.contains(expected) && run.err.contains(u"Usage: tandril"_s),
                 qPrintable(run.err));
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
    // Every argument reaches the emulator whole: blanks, quotes, shell characters and non-ASCII.
    const QString conf = home.writeConfig(
        u"Höhle der Drachen 2"_s, "game_title=Doom\ngame_exe=C:\\HÖHLE\\START.EXE\n"
                                  "setup_exe=" +
                                      setup.toUtf8() + "\n[tandril autoexec]\necho \"q\" $HOME `x`\n");
    const TandrilRun run =
        runTandril(home, QStringList{u"launch"_s, u"Doom"_s} + options, emulator.folder(), u"de_DE"_s);
    QCOMPARE(run.err, QString());
    QCOMPARE(run.exitCode, 0);
    // The argument lists themselves are the launcher's; the user's language reaches them.
    const std::optional<QStringList> arguments = emulator.takeArguments();
    QVERIFY(arguments.has_value());
    QCOMPARE(*arguments, std::get<QStringList>(planLaunch(LaunchMode(mode), LibraryLoader::readEntry(conf),
                                                          home.libraryFolder(), {u"de-DE"_s})));
    QCOMPARE(arguments->last(), u"echo \"q\" $HOME `x`"_s);
}

void CommandLineTest::launchNamesOneGame_data()
{
    QTest::addColumn<QString>("game"); // "$LIB" stands for the library folder
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("error");
    QTest::newRow("configuration file") << "$LIB/b.conf" << 0 << "";
    QTest::newRow("unique title") << "Keen 4" << 0 << "";
    QTest::newRow("shared title")
        << "Twin" << 1
        << "tandril: Several games are called \"Twin\"; name one by its configuration file:\n"
           "  $LIB/a.conf\n  $LIB/c.conf\n";
    QTest::newRow("unknown") << "Nothing" << 1 << "tandril: No game is called \"Nothing\".\n";
    QTest::newRow("both modes") << "b" << 2 << "";
}

void CommandLineTest::launchNamesOneGame()
{
    QFETCH(QString, game);
    QFETCH(int, exitCode);
    QFETCH(QString, error);
    const TestHome home;
    RecordingEmulator emulator(home.path() + u"/bin"_s);
    home.writeConfig(u"a"_s, "game_title=Twin\n");
    home.writeConfig(u"b"_s, "game_title=Keen 4\n");
    home.writeConfig(u"c"_s, "game_title=Twin\n");
    QStringList arguments{u"launch"_s, game.replace(u"$LIB"_s, home.libraryFolder()), u"--dos"_s};
    if (exitCode == 2)
        arguments << u"--setup"_s;
    const TandrilRun run = runTandril(home, arguments, emulator.folder());
    QCOMPARE(run.exitCode, exitCode);
    if (exitCode == 2)
        QVERIFY(run.err.contains(u"Usage: tandril"_s));
    else
        QCOMPARE(run.err, error.replace(u"$LIB"_s, home.libraryFolder()));
    const std::optional<QStringList> started = emulator.takeArguments(exitCode == 0 ? 10000 : 300);
    QCOMPARE(started.has_value(), exitCode == 0);
    if (started)
        QCOMPARE(started->at(1), home.libraryFolder() + u"/b.conf"_s);
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

    QFile entry(entryPath);
    QVERIFY(entry.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(entry.readAll()).split(u'\n');
    // Quoted for the command line, then escaped as a string value; "%" doubled.
    QVERIFY(lines.contains(
        uR"(Exec=%1 launch "%2/Library/Application Support/Tandril/Cost \\$5 \\\\ \\"Deluxe\\" 100%%.conf")"_s
            .arg(QStringLiteral(TANDRIL_EXECUTABLE), home.path())));
}

void CommandLineTest::addAndDelete_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("titles"); // the library afterwards
    QTest::addColumn<QString>("err");
    QTest::newRow("add") << QStringList{"add", "Loom: Deluxe"} << 0 << QStringList{"Doom", "Loom: Deluxe"}
                         << "";
    const QString noTerminal =
        u"\nAnswered \"Cancel\" because there is no terminal to ask on; --yes answers \"%1\".\n"_s;
    QTest::newRow("add over an existing game, no terminal")
        << QStringList{"add", "Doom"} << 1 << QStringList{"Doom"}
        << "Configuration already exists: A configuration with this name already exists. Do you want to "
           "replace it?" +
               noTerminal.arg("Overwrite");
    QTest::newRow("add a title with a line break")
        << QStringList{"add", "Evil\ngame_exe=C:\\EVIL.BAT"} << 1 << QStringList{"Doom"}
        << "Invalid Title: The title must not contain line breaks, tabs or other control characters.\n";
    QTest::newRow("delete by the title in another letter case")
        << QStringList{"--yes", "delete", "DOOM"} << 0 << QStringList{} << "";
    QTest::newRow("delete without an answer")
        << QStringList{"delete", "Doom"} << 1 << QStringList{"Doom"}
        << "Delete Configuration?: Are you sure you want to delete the configuration for \"Doom\"?" +
               noTerminal.arg("Delete");
}

void CommandLineTest::addAndDelete()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QStringList, titles);
    QFETCH(QString, err);
    const TestHome home;
    home.writeConfig(u"Doom"_s, "game_title=Doom\n");
    const QString gameFile = home.writeFile(u"Library/Application Support/Tandril/Doom/DOOM.EXE"_s, "MZ");
    const TandrilRun run = runTandril(home, arguments);
    QCOMPARE(run.err, err);
    QCOMPARE(run.exitCode, exitCode);
    const TandrilRun list = runTandril(home, {u"list"_s});
    QStringList listed;
    for (const QString& line : list.out.split(u'\n', Qt::SkipEmptyParts))
        listed << line.section(u'\t', 0, 0);
    QCOMPARE(listed, titles);
    // Only a confirmed question removes the old game's files.
    QCOMPARE(QFile::exists(gameFile), exitCode != 0 || arguments.contains(u"Loom: Deluxe"_s));
}

void CommandLineTest::settingsAndSet()
{
    const TestHome home;
    home.writeConfig(u"Doom"_s, "[sdl]\noutput=surface\n[tandril]\ngame_title=Doom\n");
    const TandrilRun set = runTandril(home, {u"set"_s, u"Doom"_s, u"sblaster.oplmode=opl3"_s,
                                             u"joystick.timed=false"_s, u"midi.mt32.romdir=/roms"_s});
    QCOMPARE(set.exitCode, 0);
    QVERIFY(set.err.contains(u"Not checked"_s)); // no DOSBox-X here to check against
    const TandrilRun settings = runTandril(home, {u"settings"_s, u"Doom"_s});
    QCOMPARE(settings.exitCode, 0);
    QCOMPARE(settings.out.split(u'\n', Qt::SkipEmptyParts),
             (QStringList{"sdl.output=surface", "sblaster.oplmode=opl3", "joystick.timed=false",
                          "midi.mt32.romdir=/roms"}));
    QCOMPARE(runTandril(home, {u"set"_s, u"Doom"_s, u"nonsense"_s}).exitCode, 2);
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

    QProcess window;
    QProcessEnvironment environment = tandrilEnvironment(home, emulator.folder());
    environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    // The socket lives in the user's private runtime folder, not in the shared temporary one.
    const QString runtime = home.path() + u"/run"_s;
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
    environment.insert(u"XDG_RUNTIME_DIR"_s, runtime);
    window.setProcessEnvironment(environment);
    window.start(QStringLiteral(TANDRIL_EXECUTABLE), {});
    QVERIFY(window.waitForStarted());
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
    QCOMPARE(window.state(), QProcess::Running); // one window took it; no second one stayed
    window.kill();
    window.waitForFinished();
}

QTEST_GUILESS_MAIN(CommandLineTest)
#include "tst_commandline.moc"
