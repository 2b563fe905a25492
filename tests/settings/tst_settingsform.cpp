#include "common/TestHome.h"
#include "settings/GameFiles.h"
#include "settings/SettingsForm.h"
#include "settings/SoundSettings.h"

#include <QTest>

// The settings editor's rules that need no window: loading values, sound lines, paths, cycles.
class SettingsFormTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void load_data();
    void load();
    void checkboxSpellings_data();
    void checkboxSpellings();
    void soundCardMenuOrder();
    void writeToConfig_data();
    void writeToConfig();
    void storedGameExePath_data();
    void storedGameExePath();
    void shortFolderNames_data();
    void shortFolderNames();
    void cyclesFilter_data();
    void cyclesFilter();
    void extensionsInAnyCase();
    void shaderNames();
};

namespace {

// A compact view of what loading found, one "field=value" a line, for whole-table comparisons.
QString describe(const SettingsForm::LoadedValues& v)
{
    QStringList parts{
        "title=" + v.title,         "exe=" + v.gameExe,   "setup=" + v.setupExe,         "cd=" + v.cdImage,
        "frameskip=" + v.frameskip, "cycles=" + v.cycles, "sensitivity=" + v.sensitivity};
    const std::pair<const char*, const std::optional<QString>*> optionals[] = {
        {"glshader", &v.glshader}, {"sbtype", &v.sbtype}, {"sbbase", &v.sbbase},    {"irq", &v.irq},
        {"dma", &v.dma},           {"hdma", &v.hdma},     {"autoexec", &v.autoexec}};
    for (const auto& [name, value] : optionals) {
        if (*value)
            parts << QString::fromLatin1(name) + u'=' + **value;
    }
    if (v.windowResolution)
        parts << "resolution=" + v.windowResolution->first + u'x' + v.windowResolution->second;
    if (v.mt32)
        parts << QStringLiteral("mt32");
    return parts.join(u'|');
}

const QString Defaults = QStringLiteral("title=|exe=|setup=|cd=|frameskip=0|cycles=3000|sensitivity=100");

} // namespace

void SettingsFormTest::load_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("empty file gives the defaults") << "" << Defaults;
    QTest::newRow("last occurrence wins, trimmed lines count")
        << "game_title=One\n   game_title=Two  \ncycles=500\n\tcycles=max\n"
        << "title=Two|exe=|setup=|cd=|frameskip=0|cycles=max|sensitivity=100";
    QTest::newRow("values are not trimmed inside the line")
        << "game_exe=A B.EXE\n"
        << QString(Defaults).replace("exe=|", "exe=A B.EXE|");
    QTest::newRow("frameskip out of the menu is still read")
        << "frameskip=12\n"
        << "title=|exe=|setup=|cd=|frameskip=12|cycles=3000|sensitivity=100";
    QTest::newRow("sound values") << "sbtype=SB16\nsbbase=240\nirq=7\ndma=3\nhdma=7\n"
                                  << Defaults + "|sbtype=SB16|sbbase=240|irq=7|dma=3|hdma=7";
    QTest::newRow("shader path") << "glshader=shaders/sharp.glsl\n"
                                 << Defaults + "|glshader=shaders/sharp.glsl";
    QTest::newRow("resolution") << "windowresolution=800x600\n" << Defaults + "|resolution=800x600";
    QTest::newRow("resolution with three pieces is ignored") << "windowresolution=800x600x2\n" << Defaults;
    QTest::newRow("resolution with one piece is ignored") << "windowresolution=x600\n" << Defaults;
    QTest::newRow("indented resolution is not read") << " windowresolution=800x600\n" << Defaults;
    QTest::newRow("first resolution line counts") << "windowresolution=640x480\nwindowresolution=800x600\n"
                                                  << Defaults + "|resolution=640x480";
    QTest::newRow("MT-32 in upper case with blanks") << "mididevice=MT32   \n" << Defaults + "|mt32";
    QTest::newRow("indented mididevice is not read") << "  mididevice=mt32\n" << Defaults;
    QTest::newRow("autoexec runs to the end of the text") << "[tandril autoexec]\n  echo a\n[midi]\nx=1\n\n"
                                                          << Defaults + "|autoexec=echo a\n[midi]\nx=1";
}

void SettingsFormTest::load()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(describe(SettingsForm::load(text)), expected);
}

void SettingsFormTest::checkboxSpellings_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("on");
    QTest::newRow("true") << "fullscreen=true" << true;
    QTest::newRow("YES") << "fullscreen=YES" << true;
    QTest::newRow("1") << "  fullscreen=1" << true;
    QTest::newRow("on is not on") << "fullscreen=on" << false;
    QTest::newRow("false") << "fullscreen=false" << false;
}

void SettingsFormTest::checkboxSpellings()
{
    QFETCH(QString, line);
    QFETCH(bool, on);
    const SettingsForm::LoadedValues values = SettingsForm::load(line + u'\n');
    QCOMPARE(values.checkValues.value(QStringLiteral("fullscreen"), false), on);
    QVERIFY(!values.checkValues.contains(QStringLiteral("aspect")));
}

void SettingsFormTest::soundCardMenuOrder()
{
    QCOMPARE(SoundSettings::soundCardMenuTitles(),
             (QStringList{"None", "ESS1688", "ESS688", "Game Blaster", "Reveal SC400", "Sound Blaster 1",
                          "Sound Blaster 16", "Sound Blaster 16 Vibra", "Sound Blaster 2",
                          "Sound Blaster Pro 1", "Sound Blaster Pro 2"}));
    QCOMPARE(SoundSettings::titleForSbtype(QStringLiteral("gb"), SoundSettings::soundCardOptions()),
             std::optional<QString>(QStringLiteral("Game Blaster")));
}

void SettingsFormTest::writeToConfig_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("card");
    QTest::addColumn<QStringList>("resources");
    QTest::addColumn<QString>("expected");
    const QStringList defaults{"220", "5", "1", "5"};
    QTest::newRow("empty text") << ""
                                << "Sound Blaster 1" << defaults
                                << "\nsbtype=sb1\nsbbase=220\nirq=5\ndma=1\nhdma=5";
    QTest::newRow("hdma set again after dma")
        << "[sblaster]\ndma=3\nhdma=7\n"
        << "Sound Blaster 1" << defaults << "[sblaster]\ndma=1\nhdma=5\n\nsbtype=sb1\nsbbase=220\nirq=5";
    QTest::newRow("replaced in place")
        << "sbtype=sb16\n"
        << "Sound Blaster Pro 2" << QStringList{"", "", "", ""} << "sbtype=sbpro2\n";
    QTest::newRow("Game Blaster writes gb") << "sbtype=sb16"
                                            << "Game Blaster" << QStringList{"", "", "", ""} << "sbtype=gb";
    QTest::newRow("none still writes the resources")
        << ""
        << "None" << defaults << "\nsbtype=none\nsbbase=220\nirq=5\ndma=1\nhdma=5";
    QTest::newRow("unknown title leaves sbtype")
        << "sbtype=sb16"
        << "Adlib" << QStringList{"240", "", "", ""} << "sbtype=sb16\nsbbase=240";
}

void SettingsFormTest::writeToConfig()
{
    QFETCH(QString, text);
    QFETCH(QString, card);
    QFETCH(QStringList, resources);
    QFETCH(QString, expected);
    const SoundSettings settings(card, SoundSettings::soundCardOptions(), resources.at(0), resources.at(1),
                                 resources.at(2), resources.at(3));
    settings.writeToConfig(text);
    QCOMPARE(text, expected);
}

void SettingsFormTest::storedGameExePath_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("stored");
    const QString library = QStringLiteral("/home/ann/Library/Application Support/Tandril");
    QTest::newRow("in the game folder") << library + "/Doom/GAME.EXE"
                                        << "GAME.EXE";
    QTest::newRow("deeper") << library + "/Doom/SOUNDCARD/SETUP.EXE"
                            << "SOUNDCARD/SETUP.EXE";
    QTest::newRow("another game's folder") << library + "/Keen/KEEN.EXE"
                                           << "KEEN.EXE";
    QTest::newRow("directly in the library") << library + "/LOOSE.EXE"
                                             << "";
    QTest::newRow("elsewhere") << "/opt/games/X.EXE"
                               << "/opt/games/X.EXE";
}

void SettingsFormTest::storedGameExePath()
{
    QFETCH(QString, chosen);
    QFETCH(QString, stored);
    QCOMPARE(GameFiles::storedGameExePath(chosen), stored);
}

void SettingsFormTest::shortFolderNames_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected"); // "-": unchanged because blank
    QTest::newRow("long folder") << "MYLONGGAME/GAME.EXE"
                                 << "MYLONG~1/GAME.EXE";
    QTest::newRow("file name kept") << "GAMES/LONGFILENAME.EXE"
                                    << "GAMES/LONGFILENAME.EXE";
    QTest::newRow("eight characters kept") << "ABCDEFGH/X.EXE"
                                           << "ABCDEFGH/X.EXE";
    QTest::newRow("host path part by part") << "/Applications/Games/X.EXE"
                                            << "/Applic~1/Games/X.EXE";
    QTest::newRow("counted as perceived characters") << "Spiele-Übersicht/X.EXE"
                                                     << "Spiele~1/X.EXE";
    QTest::newRow("combining marks stay with their letter")
        << QString::fromUtf8("Cafe\u0301Cafe\u0301Cafe\u0301/X") << QString::fromUtf8("Cafe\u0301Ca~1/X");
    QTest::newRow("emoji are one character each") << "🎮🎮🎮🎮🎮🎮🎮🎮🎮/X"
                                                  << "🎮🎮🎮🎮🎮🎮~1/X";
    QTest::newRow("trimmed") << "  SOUNDCARD/SETUP.EXE "
                             << "SOUNDC~1/SETUP.EXE";
    QTest::newRow("blank") << "   "
                           << "-";
}

void SettingsFormTest::shortFolderNames()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(GameFiles::shortFolderNames(text).value_or(QStringLiteral("-")), expected);
}

void SettingsFormTest::cyclesFilter_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("invalid");
    QTest::newRow("number") << "25000"
                            << "25000" << false;
    QTest::newRow("letters only") << "max"
                                  << "" << true;
    QTest::newRow("letters mixed in") << "12a3"
                                      << "123" << true;
    QTest::newRow("above the cap") << "2000000"
                                   << "1000000" << true;
    QTest::newRow("the cap") << "1000000"
                             << "1000000" << false;
    QTest::newRow("zero empties") << "0"
                                  << "" << false;
    QTest::newRow("twenty digits empty silently") << "12345678901234567890"
                                                  << "" << false;
    QTest::newRow("empty") << ""
                           << "" << false;
}

void SettingsFormTest::cyclesFilter()
{
    QFETCH(QString, typed);
    QFETCH(QString, text);
    QFETCH(bool, invalid);
    const GameFiles::CyclesFilter result = GameFiles::filterCycles(typed);
    QCOMPARE(result.text, text);
    QCOMPARE(result.invalid, invalid);
}

void SettingsFormTest::extensionsInAnyCase()
{
    const QStringList exe{QStringLiteral("exe"), QStringLiteral("bat")};
    QVERIFY(GameFiles::hasExtension(QStringLiteral("/x/GAME.EXE"), exe));
    QVERIFY(GameFiles::hasExtension(QStringLiteral("/x/Start.Bat"), exe));
    QVERIFY(!GameFiles::hasExtension(QStringLiteral("/x/readme.txt"), exe));
}

void SettingsFormTest::shaderNames()
{
    const TestHome home;
    QVERIFY(
        std::holds_alternative<QString>(GameFiles::shaderNames(home.path() + QStringLiteral("/missing"))));
    home.writeFile(QStringLiteral("glshaders/sharp.glsl"), "x");
    home.writeFile(QStringLiteral("glshaders/crt.GLSL"), "x");
    home.writeFile(QStringLiteral("glshaders/none.glsl"), ""); // built into DOSBox-X
    home.writeFile(QStringLiteral("glshaders/CRT-lottes.glsl"), "x");
    home.writeFile(QStringLiteral("glshaders/advinterp2x.glsl"), "x");
    home.writeFile(QStringLiteral("glshaders/notes.txt"), "x");
    QCOMPARE(std::get<QList<GameFiles::Shader>>(
                 GameFiles::shaderNames(home.path() + QStringLiteral("/glshaders"))),
             (QList<GameFiles::Shader>{
                 {"advinterp2x", false}, {"CRT-lottes", false}, {"none", true}, {"sharp", false}}));
}

QTEST_GUILESS_MAIN(SettingsFormTest)
#include "tst_settingsform.moc"
