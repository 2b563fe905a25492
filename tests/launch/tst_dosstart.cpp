#include "common/TestHome.h"
#include "launch/DosCommands.h"
#include "launch/LanguageKeyboard.h"

#include <QTest>

// The pieces of every emulator start: language, keyboard and the DOS commands.
class DosStartTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void languageAndKeyboard_data();
    void languageAndKeyboard();
    void keyboardCommand_data();
    void keyboardCommand();
    void autoexecBlock_data();
    void autoexecBlock();
    void dosCommands_data();
    void dosCommands();
    void gameStartCommands_data();
    void gameStartCommands();
    void mountCommands();
    void floppyImages();
};

void DosStartTest::languageAndKeyboard_data()
{
    QTest::addColumn<QStringList>("languages");
    QTest::addColumn<QString>("languageFile");
    QTest::addColumn<QString>("layout");
    QTest::newRow("empty list") << QStringList{} << "en_US.lng"
                                << "us";
    QTest::newRow("de-DE") << QStringList{"de-DE", "fr"} << "de_DE.lng"
                           << "gr";
    QTest::newRow("de") << QStringList{"de"} << "de_DE.lng"
                        << "gr";
    QTest::newRow("fr-CA") << QStringList{"fr-CA"} << "fr_FR.lng"
                           << "fr";
    QTest::newRow("pt-PT") << QStringList{"pt-PT"} << "pt_BR.lng"
                           << "po";
    QTest::newRow("zh-Hant-TW") << QStringList{"zh-Hant-TW"} << "zh_TW.lng"
                                << "us";
    QTest::newRow("zh-Hans-CN") << QStringList{"zh-Hans-CN"} << "zh_CN.lng"
                                << "us";
    QTest::newRow("zh_TW from the environment") << QStringList{"zh_TW.UTF-8"} << "zh_TW.lng"
                                                << "us";
    QTest::newRow("en-GB") << QStringList{"en-GB"} << "en_US.lng"
                           << "us";
    QTest::newRow("en alone is not looked up as en-US") << QStringList{"en"} << "en_US.lng"
                                                        << "us";
    QTest::newRow("sv-SE") << QStringList{"sv-SE"} << "en_US.lng"
                           << "us";
    QTest::newRow("es-419") << QStringList{"es-419"} << "es_ES.lng"
                            << "sp";
    QTest::newRow("C locale") << QStringList{"C"} << "en_US.lng"
                              << "us";
}

void DosStartTest::languageAndKeyboard()
{
    QFETCH(QStringList, languages);
    QFETCH(QString, languageFile);
    QFETCH(QString, layout);
    QCOMPARE(::languageAndKeyboard(languages), (LanguageChoice{languageFile, layout}));
}

void DosStartTest::keyboardCommand_data()
{
    QTest::addColumn<QString>("layout");
    QTest::addColumn<QString>("command");
    QTest::newRow("German") << "gr"
                            << "keyb gr";
    QTest::newRow("US") << "us"
                        << "keyb us";
    QTest::newRow("Italian names the language file's code page") << "it"
                                                                 << "keyb it 437";
    QTest::newRow("Portuguese names the language file's code page") << "po"
                                                                    << "keyb po 860";
}

void DosStartTest::keyboardCommand()
{
    QFETCH(QString, layout);
    QFETCH(QString, command);
    QCOMPARE(::keyboardCommand(layout), command);
}

void DosStartTest::autoexecBlock_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("no section") << "[sdl]\nx=1\n" << QStringList{};
    QTest::newRow("header in other case") << "[Tandril Autoexec]\nA\n" << QStringList{};
    QTest::newRow("lines trimmed, comments and blanks dropped")
        << "[tandril autoexec]\n  mount e /cd  \n\n# note\n   \n e:\n"
        << QStringList{"mount e /cd", "e:"};
    QTest::newRow("next section ends the block") << "[tandril autoexec]\nA\n[midi]\nB\n" << QStringList{"A"};
    QTest::newRow("last line without line feed")
        << "[sdl]\n[tandril autoexec]\nA\nB" << QStringList{"A", "B"};
    QTest::newRow("indented bracket does not end it") << "[tandril autoexec]\nA\n [x]\n"
                                                      << QStringList{"A", "[x]"};
    QTest::newRow("header inside a title is none")
        << "[tandril]\ngame_title=X [tandril autoexec]\ngame_exe=C:\\GAME.EXE\n"
        << QStringList{};
    QTest::newRow("no-break space before % trimmed away")
        << QString::fromUtf8("[tandril autoexec]\n\u00A0%PATH%\r\n\u00A0 %1 x\n")
        << QStringList{"%PATH%", "%1 x"};
}

void DosStartTest::autoexecBlock()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QCOMPARE(DosCommands::autoexecBlock(text), lines);
}

void DosStartTest::dosCommands_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QStringList>("commands");
    QTest::newRow("backslashes") << "C:\\GAMES\\DOOM\\DOOM.EXE"
                                 << QStringList{"C:", "cd GAMES\\DOOM", "DOOM.EXE"};
    QTest::newRow("lower-case drive, no folder") << "d:/setup.exe" << QStringList{"D:", "setup.exe"};
    QTest::newRow("slashes joined with backslashes")
        << "C:/GAMES/SUB/X.EXE" << QStringList{"C:", "cd GAMES\\SUB", "X.EXE"};
    QTest::newRow("trailing separator gives an empty program")
        << "C:\\GAME\\" << QStringList{"C:", "cd GAME", ""};
    QTest::newRow("no drive letter") << "GAMES/DOOM.EXE" << QStringList{};
    QTest::newRow("host path") << "/home/u/DOOM.EXE" << QStringList{};
    QTest::newRow("batch file is called")
        << "C:\\KEEN\\START.Bat" << QStringList{"C:", "cd KEEN", "call START.Bat"};
}

void DosStartTest::dosCommands()
{
    QFETCH(QString, path);
    QFETCH(QStringList, commands);
    QCOMPARE(DosCommands::dosCommands(path), commands);
}

void DosStartTest::gameStartCommands_data()
{
    QTest::addColumn<QString>("gameExe");
    QTest::addColumn<QStringList>("commands");
    QTest::newRow("DOS path") << "C:\\DOOM\\DOOM.EXE" << QStringList{"C:", "cd DOOM", "DOOM.EXE"};
    QTest::newRow("relative path") << "GAMES/DOOM.EXE" << QStringList{"cd GAMES", "DOOM.EXE"};
    QTest::newRow("bare file name") << "DOOM.EXE" << QStringList{"cd ", "DOOM.EXE"};
    QTest::newRow("below the root") << "/DOOM.EXE" << QStringList{"cd /", "DOOM.EXE"};
    QTest::newRow("trailing separator ignored") << "GAMES/DOOM/" << QStringList{"cd GAMES", "DOOM"};
    QTest::newRow("batch file") << "KEEN/KEEN.BAT" << QStringList{"cd KEEN", "call KEEN.BAT"};
    QTest::newRow("bat inside a name is no batch file") << "BATMAN.EXE" << QStringList{"cd ", "BATMAN.EXE"};
}

void DosStartTest::gameStartCommands()
{
    QFETCH(QString, gameExe);
    QFETCH(QStringList, commands);
    QCOMPARE(DosCommands::gameStartCommands(gameExe), commands);
}

void DosStartTest::mountCommands()
{
    QCOMPARE(DosCommands::mountDriveC(QStringLiteral("/h/Library/Application Support/Tandril/Doom")),
             QStringLiteral("mount c \"/h/Library/Application Support/Tandril/Doom\""));
    QCOMPARE(DosCommands::mountSetupFolder(QStringLiteral("/h/games/Doom/SETUP.EXE")),
             QStringLiteral("mount d \"/h/games/Doom\""));
    QCOMPARE(DosCommands::mountCdImage(QStringLiteral("/h/ISO/game.cue")),
             QStringLiteral("imgmount d \"/h/ISO/game.cue\" -t iso -fs iso"));
    QCOMPARE(DosCommands::mountCdImage(QStringLiteral("  ")), std::nullopt);
    QCOMPARE(DosCommands::lastPathComponent(QStringLiteral("/a/b/")), QStringLiteral("b"));
    QCOMPARE(DosCommands::deletingLastPathComponent(QStringLiteral("/SETUP.EXE")), QStringLiteral("/"));
}

void DosStartTest::floppyImages()
{
    const TestHome home;
    const QString game = home.path() + QStringLiteral("/Game");
    QCOMPARE(DosCommands::mountFloppies(game), std::nullopt);
    for (const char* name : {"disk1.ima", "DISK2.IMA", "notes.txt", "Disk3.Ima", "ima"})
        home.writeFile(QStringLiteral("Game/FLOPPIES/") + QLatin1String(name), "x");
    QCOMPARE(DosCommands::mountFloppies(game),
             QStringLiteral("imgmount a -t floppy \"%1/FLOPPIES/DISK2.IMA\" \"%1/FLOPPIES/Disk3.Ima\" "
                            "\"%1/FLOPPIES/disk1.ima\"")
                 .arg(game));
}

QTEST_GUILESS_MAIN(DosStartTest)
#include "tst_dosstart.moc"
