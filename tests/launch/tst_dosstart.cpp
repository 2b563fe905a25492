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
    void autoexecBlock_data();
    void autoexecBlock();
    void programCommands_data();
    void programCommands();
    void floppyImages();
};

namespace {

void pair(const char* name, const QString& first, const QString& second)
{
    QTest::newRow(name) << first << second;
}

} // namespace

void DosStartTest::languageAndKeyboard_data()
{
    QTest::addColumn<QString>("languages"); // the user's, in order, joined by ","
    QTest::addColumn<QString>("start");     // the language file, then the keyboard command
    pair("none", "", "en_US.lng keyb us");
    pair("de-DE", "de-DE,fr", "de_DE.lng keyb gr");
    pair("fr-CA", "fr-CA", "fr_FR.lng keyb fr");
    pair("Italian names the language file's code page", "it-IT", "it_IT.lng keyb it 437");
    pair("Portuguese names the language file's code page", "pt-PT", "pt_BR.lng keyb po 860");
    pair("zh-Hant-TW", "zh-Hant-TW", "zh_TW.lng keyb us");
    pair("zh_TW from the environment", "zh_TW.UTF-8", "zh_TW.lng keyb us");
    pair("zh-Hans-CN", "zh-Hans-CN", "zh_CN.lng keyb us");
    pair("en alone is not looked up as en-US", "en", "en_US.lng keyb us");
    pair("sv-SE", "sv-SE", "en_US.lng keyb us");
    pair("es-419", "es-419", "es_ES.lng keyb sp");
    pair("C locale", "C", "en_US.lng keyb us");
}

void DosStartTest::languageAndKeyboard()
{
    QFETCH(QString, languages);
    QFETCH(QString, start);
    const LanguageChoice choice = ::languageAndKeyboard(languages.split(u',', Qt::SkipEmptyParts));
    QCOMPARE(choice.languageFile + u' ' + ::keyboardCommand(choice.layout), start);
}

void DosStartTest::autoexecBlock_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("lines"); // joined by "|"
    pair("no section, or its header in another case", "[sdl]\nx=1\n[Tandril Autoexec]\nA\n", "");
    pair("lines trimmed, comments and blanks dropped",
         "[tandril autoexec]\n  mount e /cd  \n\n# note\n   \n e:\n", "mount e /cd|e:");
    pair("next section ends the block", "[tandril autoexec]\nA\n[midi]\nB\n", "A");
    pair("last line without line feed, indented bracket", "[sdl]\n[tandril autoexec]\nA\n [x]\nB", "A|[x]|B");
    pair("header inside a title is none",
         "[tandril]\ngame_title=X [tandril autoexec]\ngame_exe=C:\\GAME.EXE\n", "");
    pair("no-break space before % trimmed away",
         QString::fromUtf8("[tandril autoexec]\n\u00A0%PATH%\r\n\u00A0 %1 x\n"), "%PATH%|%1 x");
}

void DosStartTest::autoexecBlock()
{
    QFETCH(QString, text);
    QFETCH(QString, lines);
    QCOMPARE(DosCommands::autoexecBlock(text).join(u'|'), lines);
}

void DosStartTest::programCommands_data()
{
    // "setup:" before a path: the commands of a setup program's DOS path; otherwise of game_exe.
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("commands"); // joined by "|"
    pair("setup, backslashes", "setup:C:\\GAMES\\DOOM\\SETUP.EXE", "C:|cd GAMES\\DOOM|SETUP.EXE");
    pair("setup, lower-case drive, no folder", "setup:d:/setup.exe", "D:|setup.exe");
    pair("setup, slashes joined with backslashes", "setup:C:/GAMES/SUB/X.EXE", "C:|cd GAMES\\SUB|X.EXE");
    pair("setup, trailing separator gives an empty program", "setup:C:\\GAME\\", "C:|cd GAME|");
    pair("setup, no drive letter", "setup:GAMES/DOOM.EXE", "");
    pair("setup, batch file is called", "setup:C:\\KEEN\\START.Bat", "C:|cd KEEN|call START.Bat");
    pair("DOS path", "C:\\DOOM\\DOOM.EXE", "C:|cd DOOM|DOOM.EXE");
    pair("relative path", "GAMES/DOOM.EXE", "cd GAMES|DOOM.EXE");
    pair("bare file name", "DOOM.EXE", "cd |DOOM.EXE");
    pair("below the root", "/DOOM.EXE", "cd /|DOOM.EXE");
    pair("trailing separator ignored", "GAMES/DOOM/", "cd GAMES|DOOM");
    pair("batch file", "KEEN/KEEN.BAT", "cd KEEN|call KEEN.BAT");
    pair("bat inside a name is no batch file", "BATMAN.EXE", "cd |BATMAN.EXE");
}

void DosStartTest::programCommands()
{
    QFETCH(QString, path);
    QFETCH(QString, commands);
    const QStringList result = path.startsWith(QStringLiteral("setup:"))
                                   ? DosCommands::dosCommands(path.mid(6))
                                   : DosCommands::gameStartCommands(path);
    QCOMPARE(result.join(u'|'), commands);
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
