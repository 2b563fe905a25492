#include "common/RecordingEmulator.h"
#include "common/RecordingServices.h"
#include "common/ScriptedPrompter.h"
#include "common/TestHome.h"
#include "launch/Launcher.h"
#include "library/LibraryLoader.h"
#include "platform/UserDefaults.h"

#include <QDirIterator>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>

// The three launch modes: their argument lists, their alerts and the start of the emulator.
class LauncherTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void argumentLists_data();
    void argumentLists();
    void refusals_data();
    void refusals();
    void startupCommandLimit_data();
    void startupCommandLimit();
    void emulatorReceivesEachArgumentWhole();
    void emulatorThatCannotStart();
    void emulatorSearchOrder_data();
    void emulatorSearchOrder();
    void quickExitIsReported_data();
    void quickExitIsReported();
};

namespace {

const QStringList German{QStringLiteral("de-DE")};

// "$CONF", "$GAME" and "$SETUP" in expected lists stand for the paths of the test's game.
QStringList expand(QStringList list, const QString& conf, const QString& game, const QString& setupFolder)
{
    for (QString& item : list)
        item.replace(QStringLiteral("$CONF"), conf)
            .replace(QStringLiteral("$GAME"), game)
            .replace(QStringLiteral("$SETUP"), setupFolder);
    return list;
}

} // namespace

void LauncherTest::argumentLists_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QByteArray>("config"); // empty: the file is not valid UTF-8
    QTest::addColumn<bool>("floppies");
    QTest::addColumn<QStringList>("expected");

    const QStringList head{"-conf", "$CONF", "-set", "language=de_DE.lng", "-c", "mount c \"$GAME\""};
    QTest::newRow("game") << int(LaunchMode::Game) << QByteArray("game_title=G\ngame_exe=C:\\G\\G.EXE\n")
                          << true << head + QStringList{"-c", "c:", "-c", "keyb gr", "-c", "clr",
                                                        "-c", "C:", "-c", "cd G",    "-c", "G.EXE"};
    QTest::newRow("game with CD image and autoexec")
        << int(LaunchMode::Game)
        << QByteArray("game_exe=G.EXE\ncd_image=/cds/g.iso\n[tandril autoexec]\n# c\n\n echo hi \n[x]\nno\n")
        << false << QStringList{"-conf", "$CONF",
                                "-c",    "imgmount d \"/cds/g.iso\" -t iso -fs iso",
                                "-set",  "language=de_DE.lng",
                                "-c",    "mount c \"$GAME\"",
                                "-c",    "c:",
                                "-c",    "keyb gr",
                                "-c",    "clr",
                                "-c",    "cd ",
                                "-c",    "G.EXE",
                                "-c",    "echo hi"};
    QTest::newRow("game uses the first game_exe line")
        << int(LaunchMode::Game) << QByteArray("game_exe=A/A.BAT\ngame_exe=B.EXE\n") << false
        << head + QStringList{"-c", "c:", "-c", "keyb gr", "-c", "clr", "-c", "cd A", "-c", "call A.BAT"};
    QTest::newRow("setup never mounts the CD")
        << int(LaunchMode::Setup) << QByteArray("cd_image=/cds/g.iso\n[tandril autoexec]\nexit\n") << false
        << head + QStringList{"-c", "mount d \"$SETUP\"", "-c", "d:", "-c", "keyb gr",
                              "-c", "SETUP.EXE",          "-c", "c:", "-c", "exit"};
    QTest::newRow("DOS prompt with CD and floppies")
        << int(LaunchMode::DosPrompt) << QByteArray("cd_image=/cds/g.iso\n[tandril autoexec]\nver\n") << true
        << head + QStringList{"-c", "imgmount d \"/cds/g.iso\" -t iso -fs iso",
                              "-c", "imgmount a -t floppy \"$GAME/FLOPPIES/A.IMA\"",
                              "-c", "c:",
                              "-c", "keyb gr",
                              "-c", "ver"};
    QTest::newRow("DOS prompt with an unreadable file still mounts floppies")
        << int(LaunchMode::DosPrompt) << QByteArray() << true
        << head + QStringList{"-c",     "imgmount a -t floppy \"$GAME/FLOPPIES/A.IMA\"", "-c", "c:", "-c",
                              "keyb gr"};
}

void LauncherTest::argumentLists()
{
    QFETCH(int, mode);
    QFETCH(QByteArray, config);
    QFETCH(bool, floppies);
    QFETCH(QStringList, expected);
    const TestHome home;
    const QString conf =
        home.writeConfig(QStringLiteral("Game"), config.isEmpty() ? QByteArray("\xff\xfe") : config);
    const QString setup = home.writeFile(QStringLiteral("setups/Game/SETUP.EXE"), "MZ");
    if (floppies)
        home.writeFile(QStringLiteral("Library/Application Support/Tandril/Game/FLOPPIES/A.IMA"), "x");
    const ConfigEntry entry{QStringLiteral("G"), conf, setup};

    const auto plan = planLaunch(LaunchMode(mode), entry, home.libraryFolder(), German);
    QVERIFY(std::holds_alternative<QStringList>(plan));
    QCOMPARE(std::get<QStringList>(plan),
             expand(expected, conf, home.libraryFolder() + QStringLiteral("/Game"),
                    home.path() + QStringLiteral("/setups/Game")));
}

void LauncherTest::refusals_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("selected");
    QTest::addColumn<QByteArray>("config"); // empty: not UTF-8
    QTest::addColumn<QString>("setupPath"); // "-": absent
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("message");

    QTest::newRow("game, nothing selected") << int(LaunchMode::Game) << false << QByteArray("x") << "-"
                                            << "No Selection"
                                            << "Please select a game from the list to run the live test.";
    QTest::newRow("game, unreadable") << int(LaunchMode::Game) << true << QByteArray() << "-"
                                      << "Error"
                                      << "Could not read the config file.";
    QTest::newRow("game, first game_exe empty")
        << int(LaunchMode::Game) << true << QByteArray("game_exe=\ngame_exe=B.EXE\n") << "-"
        << "No Executable"
        << "No executable path found in the selected config.";
    QTest::newRow("setup, no setup path") << int(LaunchMode::Setup) << true << QByteArray("x\n") << "-"
                                          << "No Setup"
                                          << "No setup path found in the selected config.";
    QTest::newRow("setup file missing")
        << int(LaunchMode::Setup) << true << QByteArray("x\n") << "/no/SETUP.EXE"
        << "File Not Found"
        << "The setup file was not found at:\n/no/SETUP.EXE";
}

void LauncherTest::refusals()
{
    QFETCH(int, mode);
    QFETCH(bool, selected);
    QFETCH(QByteArray, config);
    QFETCH(QString, setupPath);
    QFETCH(QString, title);
    QFETCH(QString, message);
    const TestHome home;
    const QString conf =
        home.writeConfig(QStringLiteral("Game"), config.isEmpty() ? QByteArray("\xff") : config);
    std::optional<QString> setup;
    if (setupPath != u"-")
        setup = setupPath;
    const std::optional<ConfigEntry> entry =
        selected ? std::optional<ConfigEntry>(ConfigEntry{QStringLiteral("G"), conf, setup}) : std::nullopt;

    const auto plan = planLaunch(LaunchMode(mode), entry, home.libraryFolder(), German);
    QVERIFY(std::holds_alternative<LaunchRefusal>(plan));
    QCOMPARE(std::get<LaunchRefusal>(plan), (LaunchRefusal{title, message}));
}

void LauncherTest::startupCommandLimit_data()
{
    QTest::addColumn<int>("autoexecLines");
    QTest::addColumn<bool>("starts");
    // Game mode with a DOS path needs 7 commands of its own: mount, c:, keyb, clr, drive, cd, program.
    QTest::newRow("11 commands run") << 4 << true;
    QTest::newRow("12 are refused") << 5 << false;
}

void LauncherTest::startupCommandLimit()
{
    QFETCH(int, autoexecLines);
    QFETCH(bool, starts);
    const TestHome home;
    QByteArray config = "game_exe=C:\\G\\G.EXE\n[tandril autoexec]\n";
    for (int i = 0; i < autoexecLines; ++i)
        config += "echo " + QByteArray::number(i) + '\n';
    const QString conf = home.writeConfig(QStringLiteral("Game"), config);
    const auto plan =
        planLaunch(LaunchMode::Game, ConfigEntry{QStringLiteral("G"), conf}, home.libraryFolder(), German);
    QCOMPARE(std::holds_alternative<QStringList>(plan), starts);
    if (!starts)
        QCOMPARE(
            std::get<LaunchRefusal>(plan),
            (LaunchRefusal{QStringLiteral("Too Many Start-up Commands"),
                           QStringLiteral("DOSBox-X runs at most 11 start-up commands; this launch needs 12. "
                                          "Remove some lines from the game's start-up commands.")}));
}

void LauncherTest::emulatorReceivesEachArgumentWhole()
{
    const TestHome home;
    RecordingEmulator emulator(home.path() + QStringLiteral("/bin"));
    const QString conf = home.writeConfig(QStringLiteral("Höhle der Drachen 2"),
                                          "game_title=Höhle\ngame_exe=C:\\HÖHLE\\START.EXE\n"
                                          "[tandril autoexec]\necho \"quoted\" $HOME `x`\n");
    ScriptedPrompter prompter;
    RecordingServices services;
    Launcher launcher(Emulator({emulator.folder()}), prompter, services, [] { return QStringList{"it-IT"}; });
    QVERIFY(launcher.launch(LaunchMode::Game, LibraryLoader::readEntry(conf)));
    const std::optional<QStringList> arguments = emulator.takeArguments();
    QVERIFY(arguments.has_value());
    const QString game = home.libraryFolder() + QStringLiteral("/Höhle der Drachen 2");
    QCOMPARE(*arguments, (QStringList{"-conf", conf,
                                      "-set",  "language=it_IT.lng",
                                      "-c",    "mount c \"" + game + "\"",
                                      "-c",    "c:",
                                      "-c",    "keyb it 437",
                                      "-c",    "clr",
                                      "-c",    "C:",
                                      "-c",    "cd HÖHLE",
                                      "-c",    "START.EXE",
                                      "-c",    "echo \"quoted\" $HOME `x`"}));
    QVERIFY(prompter.alerts.isEmpty());
}

void LauncherTest::emulatorThatCannotStart()
{
    const TestHome home;
    const QString conf = home.writeConfig(QStringLiteral("Game"), "game_title=G\n");
    // A "dosbox-x" that is no program at all.
    const QString broken = home.writeFile(QStringLiteral("bin/dosbox-x"), "not a program");
    QFile::setPermissions(broken, QFile::permissions(broken) | QFileDevice::ExeOwner);
    ScriptedPrompter prompter;
    RecordingServices services;
    Launcher launcher(Emulator({home.path() + QStringLiteral("/bin")}), prompter, services,
                      [] { return German; });
    QVERIFY(!launcher.launch(LaunchMode::DosPrompt, ConfigEntry{QStringLiteral("G"), conf}));
    QCOMPARE(prompter.alerts.size(), 1);
    QCOMPARE(prompter.alerts.first().title, QStringLiteral("Error Launching"));
}

namespace {

QString writeScript(const TestHome& home, const QString& relative, const QByteArray& body)
{
    const QString path = home.writeFile(relative, "#!/bin/sh\n" + body);
    QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::ExeOwner);
    return path;
}

} // namespace

void LauncherTest::emulatorSearchOrder_data()
{
    // What is installed: p = dosbox-x on PATH, f = the Flatpak application, F = flatpak without
    // it, c = a chosen program, e = one named for this run.
    QTest::addColumn<QString>("installed");
    QTest::addColumn<QString>("expected"); // "path", "flatpak", "chosen", "named" or "none"
    QTest::newRow("PATH before the Flatpak") << "pf"
                                             << "path";
    QTest::newRow("the Flatpak") << "f"
                                 << "flatpak";
    QTest::newRow("flatpak without DOSBox-X") << "F"
                                              << "none";
    QTest::newRow("the choice before PATH") << "pfc"
                                            << "chosen";
    QTest::newRow("this run's program before everything") << "pfce"
                                                          << "named";
}

void LauncherTest::emulatorSearchOrder()
{
    QFETCH(QString, installed);
    QFETCH(QString, expected);
    const TestHome home;
    QSettings(QStringLiteral("Tandril"), QStringLiteral("Tandril")).clear();
    const QString bin = home.path() + QStringLiteral("/bin");
    QDir().mkpath(bin);
    if (installed.contains(u'p'))
        writeScript(home, QStringLiteral("bin/dosbox-x"), "");
    if (installed.contains(u'f') || installed.contains(u'F')) {
        // A stand-in flatpak that knows the application or not, and records how it was run.
        const QByteArray known =
            installed.contains(u'f') ? "echo /var/lib/flatpak/app/dosbox; exit 0" : "exit 1";
        writeScript(home, QStringLiteral("bin/flatpak"), "[ \"$1\" = info ] && { " + known + "; }\n");
    }
    const QString chosen = writeScript(home, QStringLiteral("chosen/dosbox-x"), "");
    const QString named = writeScript(home, QStringLiteral("named/dosbox-x"), "");
    if (installed.contains(u'c'))
        UserDefaults().setEmulatorProgram(chosen);
    if (installed.contains(u'e'))
        qputenv(Emulator::OverrideVariable, QFile::encodeName(named));
    const Emulator emulator({bin});
    const QStringList arguments{"-conf", home.libraryFolder() + QStringLiteral("/G.conf"), "-c",
                                "imgmount d \"/cds/g.iso\" -t iso"};
    const Emulator::Start start = emulator.startCommand(arguments);
    qunsetenv(Emulator::OverrideVariable);
    QCOMPARE(emulator.isInstalled(), expected != u"none");
    if (expected == u"flatpak") {
        QCOMPARE(start.program, bin + QStringLiteral("/flatpak"));
        QCOMPARE(start.arguments, QStringList({"run", "--filesystem=" + home.libraryFolder(),
                                               "--filesystem=/cds/g.iso", "com.dosbox_x.DOSBox-X"}) +
                                      arguments);
        QCOMPARE(emulator.shaderFolder(),
                 QStringLiteral("/var/lib/flatpak/app/dosbox/files/share/dosbox-x/glshaders"));
        QCOMPARE(emulator.foundLine(), QStringLiteral("DOSBox-X Flatpak found."));
    } else if (expected != u"none") {
        const QString program = expected == u"path"     ? bin + QStringLiteral("/dosbox-x")
                                : expected == u"chosen" ? chosen
                                                        : named;
        QCOMPARE(start.program, program);
        QCOMPARE(start.arguments, arguments);
        QCOMPARE(emulator.foundLine(), QStringLiteral("dosbox-x found at %1.").arg(program));
    }
}

void LauncherTest::quickExitIsReported_data()
{
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<QString>("alert"); // empty: none
    QTest::newRow("fails at once")
        << QByteArray("echo 'Config file not found' >&2\nexit 3\n")
        << "DOSBox-X ended right after it started (exit status 3).\n\nConfig file not found";
    QTest::newRow("ends well") << QByteArray("echo chatter\nexit 0\n") << "";
}

void LauncherTest::quickExitIsReported()
{
    QFETCH(QByteArray, script);
    QFETCH(QString, alert);
    const TestHome home;
    QSettings(QStringLiteral("Tandril"), QStringLiteral("Tandril")).clear();
    writeScript(home, QStringLiteral("bin/dosbox-x"), script);
    const QString conf = home.writeConfig(QStringLiteral("Game"), "game_title=G\n");
    ScriptedPrompter prompter;
    RecordingServices services;
    Launcher launcher(
        Emulator({home.path() + QStringLiteral("/bin")}), prompter, services, [] { return German; }, nullptr,
        true);
    QVERIFY(launcher.launch(LaunchMode::DosPrompt, ConfigEntry{QStringLiteral("G"), conf}));
    if (alert.isEmpty()) {
        QTest::qWait(500);
        QVERIFY(prompter.alerts.isEmpty());
    } else {
        QTRY_COMPARE(prompter.alerts.size(), 1);
        QCOMPARE(prompter.alerts.first().title, QStringLiteral("DOSBox-X stopped"));
        QCOMPARE(prompter.alerts.first().message, alert);
    }
}

QTEST_GUILESS_MAIN(LauncherTest)
#include "tst_launcher.moc"
