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
    void writeToConfig_data();
    void writeToConfig();
    void paths_data();
    void paths();
    void cyclesFilter_data();
    void cyclesFilter();
    void shaderNames();
};

namespace {

// A compact view of what loading found, "field=value" joined by "|", for whole-table comparisons.
QString describe(const SettingsForm::LoadedValues& v)
{
    QStringList parts{"title=" + v.title, "exe=" + v.gameExe, "frameskip=" + v.frameskip,
                      "cycles=" + v.cycles};
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
    QStringList checks;
    for (auto it = v.checkValues.cbegin(); it != v.checkValues.cend(); ++it)
        checks << it.key() + (it.value() ? u'+' : u'-');
    checks.sort();
    return (parts + checks).join(u'|');
}

void pair(const char* name, const QString& first, const QString& second)
{
    QTest::newRow(name) << first << second;
}

const QString Defaults = QStringLiteral("title=|exe=|frameskip=0|cycles=3000");

} // namespace

void SettingsFormTest::load_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    pair("empty file gives the defaults", "", Defaults);
    pair("last occurrence wins, trimmed lines count, not inside the line",
         "game_title=One\n   game_title=Two  \ngame_exe=A B.EXE\ncycles=500\n\tcycles=max\nframeskip=12\n",
         "title=Two|exe=A B.EXE|frameskip=12|cycles=max");
    pair("sound values and shader path",
         "sbtype=SB16\nsbbase=240\nirq=7\ndma=3\nhdma=7\nglshader=s/sharp.glsl\n",
         Defaults + "|glshader=s/sharp.glsl|sbtype=SB16|sbbase=240|irq=7|dma=3|hdma=7");
    pair("first resolution line counts", "windowresolution=640x480\nwindowresolution=800x600\n",
         Defaults + "|resolution=640x480");
    pair("resolution with three pieces is ignored", "windowresolution=800x600x2\n", Defaults);
    pair("indented resolution and mididevice are not read", " windowresolution=800x600\n  mididevice=mt32\n",
         Defaults);
    pair("MT-32 in upper case with blanks", "mididevice=MT32   \n", Defaults + "|mt32");
    pair("autoexec runs to the end of the text", "[tandril autoexec]\n  echo a\n[midi]\nx=1\n\n",
         Defaults + "|autoexec=echo a\n[midi]\nx=1");
    pair("checkbox spellings", "fullscreen=YES\n  aspect=1\nxms=on\nems=true\numb=false\n",
         Defaults + "|aspect+|ems+|fullscreen+|umb-|xms-");
}

void SettingsFormTest::load()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(describe(SettingsForm::load(text)), expected);
}

void SettingsFormTest::writeToConfig_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("card");
    QTest::addColumn<QStringList>("resources");
    QTest::addColumn<QString>("expected");
    const QStringList defaults{"220", "5", "1", "5"};
    QTest::newRow("hdma set again after dma")
        << "[sblaster]\ndma=3\nhdma=7\n"
        << "Sound Blaster 1" << defaults << "[sblaster]\ndma=1\nhdma=5\n\nsbtype=sb1\nsbbase=220\nirq=5";
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

void SettingsFormTest::paths_data()
{
    // "=" before the path: the stored game program chosen in a file panel; otherwise short folder names.
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected"); // "-": unchanged because blank
    const QString library = QStringLiteral("=/home/ann/Library/Application Support/Tandril");
    pair("in the game folder, deeper", library + "/Doom/SOUNDCARD/SETUP.EXE", "SOUNDCARD/SETUP.EXE");
    pair("another game's folder", library + "/Keen/KEEN.EXE", "KEEN.EXE");
    pair("directly in the library", library + "/LOOSE.EXE", "");
    pair("elsewhere", "=/opt/games/X.EXE", "/opt/games/X.EXE");
    pair("long folder, trimmed", "  MYLONGGAME/LONGFILENAME.EXE ", "MYLONG~1/LONGFILENAME.EXE");
    pair("eight characters kept", "ABCDEFGH/X.EXE", "ABCDEFGH/X.EXE");
    pair("host path part by part", "/Applications/Games/X.EXE", "/Applic~1/Games/X.EXE");
    pair("counted as perceived characters", "Spiele-Übersicht/X.EXE", "Spiele~1/X.EXE");
    pair("combining marks stay with their letter", QString::fromUtf8("Cafe\u0301Cafe\u0301Cafe\u0301/X"),
         QString::fromUtf8("Cafe\u0301Ca~1/X"));
    pair("emoji are one character each", "🎮🎮🎮🎮🎮🎮🎮🎮🎮/X", "🎮🎮🎮🎮🎮🎮~1/X");
    pair("blank", "   ", "-");
}

void SettingsFormTest::paths()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    if (text.startsWith(u'='))
        QCOMPARE(GameFiles::storedGameExePath(text.mid(1)), expected);
    else
        QCOMPARE(GameFiles::shortFolderNames(text).value_or(QStringLiteral("-")), expected);
}

void SettingsFormTest::cyclesFilter_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("text"); // "!" at the end: refused with an alert
    pair("number", "25000", "25000");
    pair("letters only", "max", "!");
    pair("letters mixed in", "12a3", "123!");
    pair("above the cap", "2000000", "1000000!");
    pair("the cap", "1000000", "1000000");
    pair("zero empties", "0", "");
    pair("twenty digits empty silently", "12345678901234567890", "");
}

void SettingsFormTest::cyclesFilter()
{
    QFETCH(QString, typed);
    QFETCH(QString, text);
    const GameFiles::CyclesFilter result = GameFiles::filterCycles(typed);
    QCOMPARE(result.text + (result.invalid ? QStringLiteral("!") : QString()), text);
}

void SettingsFormTest::shaderNames()
{
    const TestHome home;
    QVERIFY(
        std::holds_alternative<QString>(GameFiles::shaderNames(home.path() + QStringLiteral("/missing"))));
    for (const char* name : {"sharp.glsl", "crt.GLSL", "CRT-lottes.glsl", "advinterp2x.glsl", "notes.txt"})
        home.writeFile(QStringLiteral("glshaders/") + QLatin1String(name), "x");
    home.writeFile(QStringLiteral("glshaders/none.glsl"), ""); // built into DOSBox-X
    QCOMPARE(std::get<QList<GameFiles::Shader>>(
                 GameFiles::shaderNames(home.path() + QStringLiteral("/glshaders"))),
             (QList<GameFiles::Shader>{
                 {"advinterp2x", false}, {"CRT-lottes", false}, {"none", true}, {"sharp", false}}));
}

QTEST_GUILESS_MAIN(SettingsFormTest)
#include "tst_settingsform.moc"
