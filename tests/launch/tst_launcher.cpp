#include "common/RecordingEmulator.h"
#include "common/RecordingServices.h"
#include "common/Rows.h"
#include "common/ScriptedPrompter.h"
#include "common/TestHome.h"
#include "launch/DosCommands.h"
#include "launch/EmulatorPresence.h"
#include "launch/LanguageKeyboard.h"
#include "launch/Launcher.h"
#include "platform/UserDefaults.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;

// The three launch modes: their argument lists and the pieces they are made of (language, keyboard,
// DOS commands), their alerts and the start of the emulator.
class LauncherTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void argumentLists_data();
    void argumentLists();
    void refusals_data();
    void refusals();
    void startupCommandLimit();
    void emulatorSearchOrder_data();
    void emulatorSearchOrder();
    void quickExitIsReported();
    void flatpakIsGrantedWhatItMounts();
    void emulatorChoice_data();
    void emulatorChoice();
    void dosCommands_data();
    void dosCommands();
};

namespace {

const QStringList German{u"de-DE"_s};

QString writeScript(const TestHome& home, const QString& relative, const QByteArray& body)
{
    return home.writeProgram(relative, "#!/bin/sh\n" + body);
}

} // namespace

void LauncherTest::argumentLists_data()
{
    // The whole argument list joined by "|"; $CONF, $GAME and $SETUP stand for the test game's paths.
    QTest::addColumn<int>("mode");
    QTest::addColumn<QByteArray>("config"); // empty: the file is not valid UTF-8
    QTest::addColumn<bool>("floppies");
    QTest::addColumn<bool>("mayReachHost");
    QTest::addColumn<QString>("expected");
    const QString conf = u"-conf|$CONF|-noautoexec|-noconfig|"_s;
    const QString head =
        conf +
        u"-set|dosbox captures=$GAME/CAPTURE|-set|language=de_DE.lng|-c|mount c \"$GAME\"|-c|mount c \"$SAVES\" -t overlay|"_s;
    const QString secure = u"-c|keyb gr|-c|config -securemode|"_s;
    QTest::newRow("game") << int(LaunchMode::Game) << QByteArray("game_title=G\ngame_exe=C:\\G\\G.EXE\n")
                          << true << false << head + "-c|c:|" + secure + "-c|clr|-c|C:|-c|cd G|-c|G.EXE";
    QTest::newRow("game with CD image and autoexec")
        << int(LaunchMode::Game)
        << QByteArray("game_exe=G.EXE\ncd_image=/cds/g.iso\n[tandril autoexec]\n# c\n\n echo hi \n[x]\nno\n")
        << false << false
        << conf +
               "-set|dosbox captures=$GAME/CAPTURE|-c|imgmount d \"/cds/g.iso\" -t iso -fs "
               "iso|-set|language=de_DE.lng|"
               "-c|mount c \"$GAME\"|-c|mount c \"$SAVES\" -t overlay|-c|c:|" +
               secure + "-c|clr|-c|cd |-c|G.EXE|-c|echo hi";
    QTest::newRow("commands before the game, and DOSBox-X closing after it")
        << int(LaunchMode::Game)
        << QByteArray("game_exe=G.EXE\nclose_when_ended=true\n[tandril before]\n loadfix \n# c\n"
                      "[tandril autoexec]\necho hi\n")
        << false << false << head + "-c|c:|" + secure + "-c|clr|-c|loadfix|-c|cd |-c|G.EXE|-c|echo hi|-exit";
    QTest::newRow("closing needs the word true; the prompt gets the commands before")
        << int(LaunchMode::DosPrompt)
        << QByteArray("close_when_ended=yes\n[tandril before]\nloadfix\n[tandril autoexec]\necho hi\n")
        << false << false << head + "-c|c:|" + secure + "-c|loadfix|-c|echo hi";
    QTest::newRow("notes that mention captures= name no capture folder")
        << int(LaunchMode::DosPrompt) << QByteArray("[tandril]\ngame_notes=Set captures=/tmp/x by hand\n")
        << false << false << head + "-c|c:|" + secure.chopped(1);
    QTest::newRow("empty paths lead nowhere: they stay")
        << int(LaunchMode::DosPrompt) << QByteArray("[printer]\ndocpath=\n[midi]\nfluid.soundfont= \n")
        << false << false << head + "-c|c:|" + secure.chopped(1);
    QTest::newRow("game uses the first game_exe line")
        << int(LaunchMode::Game) << QByteArray("game_exe=A/A.BAT\ngame_exe=B.EXE\n") << false << false
        << head + "-c|c:|" + secure + "-c|clr|-c|cd A|-c|call A.BAT";
    QTest::newRow("a capture folder inside the game's stays")
        << int(LaunchMode::DosPrompt) << QByteArray("[dosbox]\n captures = $GAME/shots\n") << false << false
        << conf + u"-set|language=de_DE.lng|-c|mount c \"$GAME\"|-c|mount c \"$SAVES\" -t overlay|-c|c:|"_s +
               secure.chopped(1);
    QTest::newRow("settings that reach the host are overridden, the last of each")
        << int(LaunchMode::DosPrompt)
        << QByteArray("[dosbox]\ncaptures=/shots\n[dos]\nstartcmd=false\n[DOS]\nstartcmd=TRUE\n[serial]\n"
                      "serial1=file file:/x\nserial2=serialmouse\nserial3=nullmodem server:1.2.3.4\n"
                      "[parallel]\nparallel1=file file:/y\n[printer]\ndocpath=.\n[ne2000]\nne2000=true\n"
                      "[midi]\nmt32.romdir=$LIBRARY/mt32\nfluid.soundfont=../../x.sf2\n")
        << false << false
        << conf +
               u"-set|dosbox captures=$GAME/CAPTURE|-set|dos startcmd=false|-set|serial serial1=dummy|"
               "-set|serial serial3=disabled|-set|parallel parallel1=disabled|-set|printer docpath=$GAME/"
               "CAPTURE|-set|ne2000 ne2000=false|-set|midi fluid.soundfont=|-set|language=de_DE.lng|"
               "-c|mount c \"$GAME\"|-c|mount c \"$SAVES\" -t overlay|-c|c:|"_s +
               secure.chopped(1);
    QTest::newRow("a game the user lets reach other folders")
        << int(LaunchMode::Game) << QByteArray("game_exe=G.EXE\n[dos]\nstartcmd=true\n") << false << true
        << u"-conf|$CONF|-noautoexec|-set|dosbox captures=$GAME/CAPTURE|-set|language=de_DE.lng|"
           "-c|mount c \"$GAME\"|-c|mount c \"$SAVES\" -t overlay|-c|c:|-c|keyb gr|-c|clr|-c|cd |-c|G.EXE"_s;
    QTest::newRow("setup never mounts the CD")
        << int(LaunchMode::Setup) << QByteArray("cd_image=/cds/g.iso\n[tandril autoexec]\nexit\n") << false
        << false << head + "-c|mount d \"$SETUP\"|-c|d:|" + secure + "-c|SETUP.EXE|-c|c:|-c|exit";
    QTest::newRow("DOS prompt with CD and floppies")
        << int(LaunchMode::DosPrompt) << QByteArray("cd_image=/cds/g.iso\n[tandril autoexec]\nver\n") << true
        << false
        << head +
               "-c|imgmount d \"/cds/g.iso\" -t iso -fs iso|-c|imgmount a -t floppy \"$GAME/FLOPPIES/A.IMA\" "
               "\"$GAME/FLOPPIES/b.ima\"|-c|c:|" +
               secure + "-c|ver";
}

void LauncherTest::argumentLists()
{
    QFETCH(int, mode);
    QFETCH(QByteArray, config);
    QFETCH(bool, floppies);
    QFETCH(bool, mayReachHost);
    QFETCH(QString, expected);
    const TestHome home;
    const QString game = home.libraryFolder() + u"/Game"_s;
    config.replace("$GAME", game.toUtf8()).replace("$LIBRARY", home.libraryFolder().toUtf8());
    const QString conf = home.writeConfig(u"Game"_s, config.isEmpty() ? QByteArray("\xff\xfe") : config);
    const QString setup = home.writeFile(u"setups/Game/SETUP.EXE"_s, "MZ");
    if (floppies) {
        home.writeFile(u"Library/Application Support/Tandril/Game/G/G.EXE"_s, "MZ");
        for (const char* name : {"b.ima", "A.IMA", "notes.txt"})
            home.writeFile(u"Library/Application Support/Tandril/Game/FLOPPIES/"_s + QLatin1String(name),
                           "x");
    }
    const auto plan =
        planLaunch(LaunchMode(mode), ConfigEntry{u"G"_s, conf, setup}, home.libraryFolder(), German, nullptr,
                   mayReachHost ? HostReachChoice::OtherFolders : HostReachChoice::OwnDrivesOnly);
    QVERIFY(std::holds_alternative<QStringList>(plan));
    QCOMPARE(std::get<QStringList>(plan).join(u'|'),
             expected.replace(u"$CONF"_s, conf)
                 .replace(u"$SAVES"_s, home.libraryFolder() + u"/.Game.saves"_s)
                 .replace(u"$GAME"_s, game)
                 .replace(u"$SETUP"_s, home.path() + u"/setups/Game"_s));
    // A DOSBox-X without the language file is never told to load it: it would stop every start.
    const auto without =
        planLaunch(LaunchMode(mode), ConfigEntry{u"G"_s, conf, setup}, home.libraryFolder(), German, nullptr,
                   mayReachHost ? HostReachChoice::OtherFolders : HostReachChoice::OwnDrivesOnly,
                   [](const QString& file) { return file != u"de_DE.lng"_s; });
    QCOMPARE(std::get<QStringList>(without).join(u'|'), expected.remove(u"-set|language=de_DE.lng|"_s));
}

void LauncherTest::refusals_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QByteArray>("config"); // empty: not UTF-8; "-": nothing selected
    QTest::addColumn<QString>("setupPath"); // "-": absent
    QTest::addColumn<QString>("alert");     // title, ": ", message
    const auto row = [](const char* name, LaunchMode mode, const QByteArray& config, const char* setup,
                        const char* alert) {
        QTest::newRow(name) << int(mode) << config << QString::fromUtf8(setup) << QString::fromUtf8(alert);
    };
    row("game, nothing selected", LaunchMode::Game, "-", "-",
        "No Selection: Please select a game from the list to run the live test.");
    row("game, first game_exe empty", LaunchMode::Game, "game_exe=\ngame_exe=B.EXE\n", "-",
        "No Game Program: Tandril does not know which program starts \"G\". Open the game's Settings, choose "
        "its program under Game, save, and press Play again.");
    row("setup file missing", LaunchMode::Setup, "x\n", "/no/SETUP.EXE",
        "File Not Found: The setup file was not found at:\n/no/SETUP.EXE");
    // The game's folder holds Sub/Start.Exe only ("" below: the launch goes ahead).
    row("program gone from the game's folder", LaunchMode::Game, "game_exe=C:\\SUB\\GONE.EXE\n", "-",
        "Game Program Not Found: The game's program C:\\SUB\\GONE.EXE is no longer in its folder (drive C). "
        "Choose it again in the game's Settings.");
    row("a folder of the path gone", LaunchMode::Game, "game_exe=OLD/START.EXE\n", "-",
        "Game Program Not Found: The game's program OLD/START.EXE is no longer in its folder (drive C). "
        "Choose it again in the game's Settings.");
    row("found in another letter case, as DOS finds it", LaunchMode::Game, "game_exe=c:/sub/START.EXE\n", "-",
        "");
    row("a program the game installed, in its saves", LaunchMode::Game, "game_exe=C:\\INSTALL\\PLAY.EXE\n",
        "-", "");
    row("a short name is not looked at", LaunchMode::Game, "game_exe=C:\\SUBFOL~1\\X.EXE\n", "-", "");
    row("another drive is not looked at", LaunchMode::Game, "game_exe=D:\\X.EXE\n", "-", "");
}

void LauncherTest::refusals()
{
    QFETCH(int, mode);
    QFETCH(QByteArray, config);
    QFETCH(QString, setupPath);
    QFETCH(QString, alert);
    const TestHome home;
    const QString conf = home.writeConfig(u"Game"_s, config.isEmpty() ? QByteArray("\xff") : config);
    const std::optional<QString> setup = setupPath == u"-" ? std::nullopt : std::optional<QString>(setupPath);
    const std::optional<ConfigEntry> entry =
        config == "-" ? std::nullopt : std::optional<ConfigEntry>(ConfigEntry{u"G"_s, conf, setup});
    home.writeFile(u"Library/Application Support/Tandril/Game/Sub/Start.Exe"_s, "MZ");
    home.writeFile(u"Library/Application Support/Tandril/.Game.saves/INSTALL/PLAY.EXE"_s, "MZ");
    const auto plan = planLaunch(LaunchMode(mode), entry, home.libraryFolder(), German);
    if (alert.isEmpty()) {
        QVERIFY(std::holds_alternative<QStringList>(plan));
        return;
    }
    QVERIFY(std::holds_alternative<LaunchRefusal>(plan));
    QCOMPARE(std::get<LaunchRefusal>(plan).title + u": "_s + std::get<LaunchRefusal>(plan).message, alert);
}

void LauncherTest::startupCommandLimit()
{
    // Game mode with a DOS path needs 9 commands of its own: mount, saves, c:, keyb, secure mode, clr,
    // drive, cd, program.
    const TestHome home;
    QByteArray config = "game_exe=C:\\G\\G.EXE\n[tandril autoexec]\n";
    for (const bool starts : {true, false}) {
        config += starts ? "echo 1\necho 2\n" : "echo 3\n";
        const QString conf = home.writeConfig(u"Game"_s, config);
        const auto plan =
            planLaunch(LaunchMode::Game, ConfigEntry{u"G"_s, conf}, home.libraryFolder(), German);
        QCOMPARE(std::holds_alternative<QStringList>(plan), starts);
    }
}

void LauncherTest::emulatorSearchOrder_data()
{
    // What is installed: p = dosbox-x on PATH, f = the Flatpak application, c = a chosen program,
    // e = one named for this run (d: a folder named so).
    textColumns({"installed", "expected"}); // "path", "flatpak", "chosen", "named" or "none"
    textRow("PATH before the Flatpak", "pf", "path");
    textRow("the Flatpak", "f", "flatpak");
    textRow("the choice before PATH", "pfc", "chosen");
    textRow("this run's program before everything", "pfce", "named");
    textRow("a folder named for this run is no program, and none other is taken", "pfcd", "none");
}

void LauncherTest::emulatorSearchOrder()
{
    const QString installed = cell("installed");
    const QString expected = cell("expected");
    const TestHome home;
    const QString bin = home.path() + u"/bin"_s;
    QDir().mkpath(bin);
    if (installed.contains(u'p'))
        writeScript(home, u"bin/dosbox-x"_s, "");
    if (installed.contains(u'f')) // a stand-in flatpak that knows the application
        writeScript(home, u"bin/flatpak"_s, "[ \"$1\" = info ] && echo /var/lib/flatpak/app/dosbox\n");
    const QString chosen = writeScript(home, u"chosen/dosbox-x"_s, "");
    const QString named = home.path() + u"/named/dosbox-x"_s;
    if (installed.contains(u'd'))
        QVERIFY(QDir().mkpath(named));
    else
        writeScript(home, u"named/dosbox-x"_s, "");
    if (installed.contains(u'c'))
        UserDefaults().setEmulatorProgram(chosen);
    if (installed.contains(u'e') || installed.contains(u'd'))
        qputenv(Emulator::OverrideVariable, QFile::encodeName(named));
    const Emulator emulator({bin});
    const QStringList arguments{"-conf", home.libraryFolder() + u"/G.conf"_s, "-c",
                                "imgmount d \"/cds/g.iso\" -t iso"};
    const Emulator::Start start = emulator.startCommand(arguments);
    qunsetenv(Emulator::OverrideVariable);
    QCOMPARE(emulator.isInstalled(), expected != u"none");
    if (expected == u"none")
        return;
    const bool flatpak = expected == u"flatpak";
    QCOMPARE(start.program, flatpak                 ? bin + u"/flatpak"_s
                            : expected == u"path"   ? bin + u"/dosbox-x"_s
                            : expected == u"chosen" ? chosen
                                                    : named);
    // The Flatpak sees the library and every host path the start mounts.
    const QStringList sandbox{"run", "--filesystem=" + home.libraryFolder(), "--filesystem=/cds/g.iso",
                              "com.dosbox_x.DOSBox-X"};
    QCOMPARE(start.arguments, (flatpak ? sandbox : QStringList()) + arguments);
    if (flatpak)
        QCOMPARE(emulator.shaderFolder(), u"/var/lib/flatpak/app/dosbox/files/share/dosbox-x/glshaders"_s);
}

void LauncherTest::quickExitIsReported()
{
    const TestHome home;
    writeScript(home, u"bin/dosbox-x"_s, "echo 'Config file not found' >&2\nexit 3\n");
    const QString conf = home.writeConfig(u"Game"_s, "game_title=G\n");
    ScriptedPrompter prompter;
    RecordingServices services;
    Launcher launcher(Emulator({home.path() + u"/bin"_s}), prompter, services, [] { return German; });
    QVERIFY(launcher.launch(LaunchMode::DosPrompt, ConfigEntry{u"G"_s, conf}));
    QTRY_COMPARE(prompter.alerts.size(), 1);
    QCOMPARE(prompter.alerts.first().message,
             u"DOSBox-X ended right after it started (exit status 3).\n\nConfig file not found"_s);
}

void LauncherTest::flatpakIsGrantedWhatItMounts()
{
    const TestHome home;
    // A flatpak that records how it is run: first asked where DOSBox-X is, then to run it.
    RecordingEmulator recorder(home.path() + u"/recorder"_s);
    QVERIFY(QDir().mkpath(home.path() + u"/bin"_s) &&
            QFile::link(recorder.folder() + u"/dosbox-x"_s, home.path() + u"/bin/flatpak"_s));
    // A CD image outside the library, mounted through a link because of its folder's name.
    const QString cd = home.writeFile(u"Ünïcode CDs/game.iso"_s, "iso");
    const QString conf = home.writeConfig(u"Game"_s, "game_exe=G.EXE\ncd_image=" + cd.toUtf8() + '\n');
    ScriptedPrompter prompter;
    RecordingServices services;
    const Emulator emulator({home.path() + u"/bin"_s});
    QVERIFY(emulator.isInstalled() && recorder.takeArguments().has_value()); // "flatpak info" found it
    Launcher launcher(emulator, prompter, services, [] { return German; });
    QVERIFY(launcher.launch(LaunchMode::Game, ConfigEntry{u"G"_s, conf}));
    const QStringList run = recorder.takeArguments().value_or(QStringList());
    const QStringList grants = run.filter(QRegularExpression(u"^--filesystem="_s));
    // The library, the link DOSBox-X mounts, and the file the link leads to.
    QCOMPARE(grants.size(), 3);
    QVERIFY(grants.contains(u"--filesystem="_s + home.libraryFolder()));
    QVERIFY(grants.contains(u"--filesystem="_s + cd));
    QVERIFY(!grants.filter(u"/tandril/drives/"_s).isEmpty());

    // A CD image in a folder beside the library whose name begins like it is no part of the
    // library's grant; every path the DOS prompt passes (a configuration file named from outside
    // the library, the capture folder, the floppies, the image) is inside one granted.
    const QString beside = home.writeFile(u"Library/Application Support/Tandril2/game.iso"_s, "iso");
    const QString other =
        home.writeFile(u"elsewhere/Other.conf"_s, "game_exe=G.EXE\ncd_image=" + beside.toUtf8() + '\n');
    home.writeFile(u"Library/Application Support/Tandril/Other/FLOPPIES/A.IMA"_s, "x");
    QVERIFY(launcher.launch(LaunchMode::DosPrompt, ConfigEntry{u"O"_s, other}));
    const QStringList prompt = recorder.takeArguments().value_or(QStringList());
    QStringList granted;
    for (const QString& grant : prompt.filter(QRegularExpression(u"^--filesystem="_s)))
        granted << grant.mid(13);
    QVERIFY(granted.contains(beside));
    static const QRegularExpression hostPath(u"(?:captures=|\"|^)(/[^\"]+)"_s);
    int paths = 0;
    for (qsizetype i = 0; i < prompt.size(); ++i) {
        for (const QRegularExpressionMatch& match : hostPath.globalMatch(prompt.at(i))) {
            const QString path = match.captured(1);
            if (path.startsWith(u"--"_s) || prompt.at(i).startsWith(u"--filesystem="_s))
                continue;
            ++paths;
            const bool covered = std::any_of(granted.cbegin(), granted.cend(), [&](const QString& folder) {
                return path == folder || path.startsWith(folder + u'/');
            });
            QVERIFY2(covered, qPrintable(path));
        }
    }
    QVERIFY2(paths >= 4, qPrintable(prompt.join(u' '))); // the file, the captures, C:, A:, the image
}

void LauncherTest::emulatorChoice_data()
{
    // What the chosen program prints for "-version" ("-": a file that is no program), what the
    // user is told ("": it is kept), and what the DOSBox-X choice then shows ("program|version").
    textColumns({"answer", "alert", "shown"});
    textRow("DOSBox-X", "echo; echo 'DOSBox-X version 2026.08.02 SDL2, copyright'", "",
            "dosbox-x found at $P. (chosen)|DOSBox-X version 2026.08.02 SDL2, copyright");
    textRow("a program that prints nothing", "exit 0",
            "Not DOSBox-X: $P does not answer as DOSBox-X does. Asked for its version, it answered: nothing "
            "(exit status 0)",
            "Not found|");
    textRow(
        "another program", "echo 'GNU bash, version 5.2'",
        "Not DOSBox-X: $P does not answer as DOSBox-X does. Asked for its version, it answered: GNU bash, "
        "version 5.2",
        "Not found|");
    textRow("no program", "-",
            "Not DOSBox-X: $P does not answer as DOSBox-X does. Asked for its version, it "
            "answered: $P is not a program.",
            "Not found|");
}

void LauncherTest::emulatorChoice()
{
    const TestHome home;
    const QString answer = cell("answer");
    const QString program = answer == u"-" ? home.writeFile(u"bin/dosbox-x"_s, "MZ")
                                           : writeScript(home, u"bin/dosbox-x"_s, answer.toUtf8() + '\n');
    ScriptedPrompter prompter;
    Emulator emulator({home.path() + u"/empty"_s});
    const bool kept = EmulatorPresence::choose(emulator, prompter, program);
    const QString alert = cell("alert").replace(u"$P"_s, program);
    QCOMPARE(prompter.alerts.isEmpty()
                 ? QString()
                 : prompter.alerts.first().title + u": "_s + prompter.alerts.first().message,
             alert);
    QCOMPARE(kept, alert.isEmpty());
    QCOMPARE(UserDefaults().emulatorProgram(), kept ? program : QString());
    QCOMPARE(emulator.isInstalled(), kept);
    const EmulatorPresence::Description shown = EmulatorPresence::describe(emulator);
    QCOMPARE(shown.program + u'|' + shown.version, cell("shown").replace(u"$P"_s, program));
    if (kept) {
        // The chosen program gone: said so, never another one used in silence.
        QVERIFY(QFile::remove(program));
        emulator.refresh();
        QCOMPARE(EmulatorPresence::describe(emulator).program, program + u" (chosen, but not found)"_s);
    }
}

void LauncherTest::dosCommands_data()
{
    // "autoexec:" a configuration's start-up lines, "setup:" a setup program's DOS path, "language:"
    // the user's languages (joined by ",") giving the language file and the keyboard command; else a
    // game_exe.
    textColumns({"text", "commands"}); // the commands joined by "|"
    textRow("autoexec: no section, or its header in another case",
            "autoexec:[sdl]\nx=1\n[Tandril Autoexec]\nA\n", "");
    textRow("autoexec: lines trimmed, comments and blanks dropped",
            "autoexec:[tandril autoexec]\n  mount e /cd  \n\n# note\n   \n e:\n[midi]\nB\n",
            "mount e /cd|e:");
    textRow("autoexec: no final line feed, indented bracket",
            "autoexec:[sdl]\n[tandril autoexec]\nA\n [x]\nB", "A|[x]|B");
    textRow("autoexec: header inside a title is none",
            "autoexec:[tandril]\ngame_title=X [tandril autoexec]\ngame_exe=C:\\GAME.EXE\n", "");
    textRow("autoexec: no-break space before % trimmed away",
            QString::fromUtf8("autoexec:[tandril autoexec]\n\u00A0%PATH%\r\n\u00A0 %1 x\n"), "%PATH%|%1 x");
    textRow("setup, backslashes", "setup:C:\\GAMES\\DOOM\\SETUP.EXE", "C:|cd GAMES\\DOOM|SETUP.EXE");
    textRow("setup, trailing separator gives an empty program", "setup:C:\\GAME\\", "C:|cd GAME|");
    textRow("setup, batch file is called", "setup:C:\\KEEN\\START.Bat", "C:|cd KEEN|call START.Bat");
    textRow("bat inside a name is no batch file", "BATMAN.EXE", "cd |BATMAN.EXE");
    textRow("none", "language:", "en_US.lng keyb us");
    textRow("de-DE", "language:de-DE,fr", "de_DE.lng keyb gr");
    textRow("Italian names the language file's code page", "language:it-IT", "it_IT.lng keyb it 437");
    textRow("Portuguese names the language file's code page", "language:pt-PT", "pt_BR.lng keyb po 860");
    textRow("zh_TW from the environment", "language:zh_TW.UTF-8", "zh_TW.lng keyb us");
    textRow("en alone is not looked up as en-US", "language:en", "en_US.lng keyb us");
    textRow("es-419", "language:es-419", "es_ES.lng keyb sp");
}

void LauncherTest::dosCommands()
{
    const QString text = cell("text");
    const QString kind = text.section(u':', 0, 0);
    const QString rest = text.section(u':', 1);
    QString result;
    if (kind == u"language") {
        const LanguageChoice choice = languageAndKeyboard(rest.split(u',', Qt::SkipEmptyParts));
        result = choice.languageFile + u' ' + keyboardCommand(choice.layout);
    } else {
        result = (kind == u"autoexec" ? DosCommands::autoexecBlock(rest)
                  : kind == u"setup"  ? DosCommands::dosCommands(rest)
                                      : DosCommands::gameStartCommands(text))
                     .join(u'|');
    }
    QCOMPARE(result, cell("commands"));
}

QTEST_GUILESS_MAIN(LauncherTest)
#include "tst_launcher.moc"
