#include "common/RecordingEmulator.h"
#include "common/Rows.h"
#include "common/TestHome.h"
#include "library/DosboxCheck.h"
#include "library/DosboxReference.h"
#include "library/GameExePath.h"
#include "platform/Emulator.h"
#include "settings/FormFields.h"
#include "settings/GameFiles.h"
#include "settings/OtherSettings.h"
#include "settings/SettingsForm.h"

#include <QFile>
#include <QTest>

using namespace Qt::StringLiterals;

// The settings editor's rules that need no window: loading values, paths, cycles, shaders, and the
// settings beyond the form, checked against DOSBox-X's reference of its settings.
class SettingsFormTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void formRules_data();
    void formRules();
    void shaderNames();
    void otherSettings_data();
    void otherSettings();
    void aDosboxThatDoesNotStart_data();
    void aDosboxThatDoesNotStart();
};

namespace {

// A compact view of what loading found, "field=value" joined by "|", for whole-table comparisons.
QString describe(const GameForm& v)
{
    QStringList parts{"title=" + v.title, "exe=" + v.gameExe, "frameskip=" + v.field("frameskip"),
                      "cycles=" + v.field("cycles")};
    const std::pair<const char*, const QString*> named[] = {
        {"glshader", &v.glshader}, {"sound", &v.soundCard}, {"sbbase", &v.sbbase},    {"irq", &v.irq},
        {"dma", &v.dma},           {"hdma", &v.hdma},       {"autoexec", &v.autoexec}};
    for (const auto& [name, value] : named) {
        if (!value->isEmpty())
            parts << QString::fromLatin1(name) + u'=' + *value;
    }
    if (!v.windowWidth.isEmpty())
        parts << "resolution=" + v.windowWidth + u'x' + v.windowHeight;
    if (v.mt32)
        parts << u"mt32"_s;
    QStringList checks;
    for (const FormFields::Field& field : FormFields::all()) {
        if (field.kind == FormFields::Kind::OnOff && v.isOn(field.key))
            checks << field.key + u'+';
    }
    checks.sort();
    return (parts + checks).join(u'|');
}

const QString Template = u"[sdl]\nfullscreen=false\noutput=opengl\n[cpu]\ncycles=3000\n[sblaster]\n"
                         "sbtype=sb16\nirq=7\ndma=1\nhdma=5\n[tandril]\ngame_title=\n"_s;

// Written for these tests in DOSBox-X's layout: help after "#", allowed values, then the keys.
const QString Excerpt =
    u"# A configuration file.\n\n[sblaster]\n# oplmode: The FM chip.\n"
    "#            More than one line of help [a note]\n#            Possible values: auto, opl2, opl3.\n"
    "oplmode = auto\n\n[cpu]\n#      cycles: How fast.\n#                Possible values: auto, fixed, max.\n"
    "# rdtsc rate: A key with a blank in its name.\ncycles     = auto\nrdtsc rate = 0\n"_s;

const QString Defaults = u"title=|exe=|frameskip=0|cycles=3000"_s;

} // namespace

void SettingsFormTest::formRules_data()
{
    // "load:" a configuration's text, described field by field; "cycles:" typed cycles, "!" when
    // refused; "=" a game program chosen in a file panel, as stored; else a path with short folder
    // names ("-": blank, unchanged).
    textColumns({"input", "expected"});
    textRow("last occurrence wins, trimmed lines count, not inside the line",
            "load:game_title=One\n   game_title=Two  \ngame_exe=A B.EXE\n"
            "cycles=500\n\tcycles=max\nframeskip=12\n",
            "title=Two|exe=A B.EXE|frameskip=12|cycles=max");
    textRow("a title line holding the key twice loses both, as in the library",
            "load:game_title=Doom game_title=II\n", "title=Doom II|exe=|frameskip=0|cycles=3000");
    textRow("sound values and shader path",
            "load:sbtype=sb16\nsbbase=240\nirq=7\ndma=3\nhdma=7\nglshader=s/sharp.glsl\n",
            Defaults + "|glshader=sharp|sound=Sound Blaster 16|sbbase=240|irq=7|dma=3|hdma=7");
    textRow("IRQ 2 is the 9 it stands for on an AT", "load:sbtype=SB16\nirq=2\n", Defaults + "|irq=9");
    textRow("indented resolution and mididevice are not read",
            "load: windowresolution=800x600\n  mididevice=mt32\n", Defaults);
    textRow("MT-32 in upper case with blanks", "load:mididevice=MT32   \n", Defaults + "|mt32");
    textRow("start-up commands end at the next section, as the launch reads them",
            "load:[tandril autoexec]\n  echo a\n [x]\n[midi]\nx=1\n\n", Defaults + "|autoexec=echo a\n [x]");
    textRow("checkbox spellings", "load:fullscreen=YES\n  aspect=1\nxms=on\nems=true\numb=false\n",
            Defaults + "|aspect+|ems+|fullscreen+");
    const QString library = u"=/home/ann/Library/Application Support/Tandril"_s;
    textRow("in the game folder, deeper", library + "/Doom/SOUNDCARD/SETUP.EXE", "SOUNDCARD/SETUP.EXE");
    textRow("directly in the library", library + "/LOOSE.EXE", "");
    textRow("elsewhere", "=/opt/games/X.EXE", "/opt/games/X.EXE");
    textRow("long folder, trimmed", "  MYLONGGAME/LONGFILENAME.EXE ", "MYLONG~1/LONGFILENAME.EXE");
    textRow("combining marks stay with their letter", QString::fromUtf8("Cafe\u0301Cafe\u0301Cafe\u0301/X"),
            QString::fromUtf8("Cafe\u0301Ca~1/X"));
    textRow("emoji are one character each", "🎮🎮🎮🎮🎮🎮🎮🎮🎮/X", "🎮🎮🎮🎮🎮🎮~1/X");
    textRow("blank", "   ", "-");
    // "cycles:" and "sensitivity:" typed values: "" when the field takes them, else what it says.
    const QString cyclesHint = u"CPU cycles: Type auto, max or a number of cycles from 1 to 1000000."_s;
    const QString sensitivityHint = u"Mouse sensitivity: Type a whole number from -1000 to 1000."_s;
    for (const char* taken : {"25000", " 1 ", "1000000", "auto", "max", "max 80%", "auto 3000 limit 20000",
                              "fixed 500", "fixed   300", ""})
        textRow(taken, "cycles:" + QString::fromLatin1(taken), "");
    for (const char* refused :
         {"0", "1000001", "12345678901234567890", "12a3", "-5", "maximum", "fixed", "fixed -1", "auto\tmax"})
        textRow(refused, "cycles:" + QString::fromLatin1(refused), cyclesHint);
    for (const char* taken : {"-1000", "1000", "0", "-50"})
        textRow(taken, "sensitivity:" + QString::fromLatin1(taken), "");
    for (const char* refused : {"-1001", "1001", "+5", "abc", "99999999999"})
        textRow(refused, "sensitivity:" + QString::fromLatin1(refused), sensitivityHint);
}

void SettingsFormTest::formRules()
{
    const QString input = cell("input");
    QString result;
    if (input.startsWith(u"load:"_s)) {
        result = describe(SettingsForm::load(input.mid(5)));
    } else if (input.startsWith(u"cycles:"_s) || input.startsWith(u"sensitivity:"_s)) {
        const QString key = input.section(u':', 0, 0);
        result = FormFields::problem(*FormFields::find(key), input.section(u':', 1)).value_or(QString());
    } else if (input.startsWith(u'=')) {
        result = GameFiles::storedGameExePath(input.mid(1));
    } else {
        result = GameExePath::shortFolderNames(input).value_or(u"-"_s);
    }
    QCOMPARE(result, cell("expected"));
}

void SettingsFormTest::shaderNames()
{
    const TestHome home;
    QVERIFY(std::holds_alternative<QString>(GameFiles::shaderNames(home.path() + u"/missing"_s)));
    for (const char* name : {"sharp.glsl", "crt.GLSL", "CRT-lottes.glsl", "advinterp2x.glsl", "notes.txt"})
        home.writeFile(u"glshaders/"_s + QLatin1String(name), "x");
    home.writeFile(u"glshaders/none.glsl"_s, ""); // built into DOSBox-X
    QCOMPARE(std::get<QList<GameFiles::Shader>>(GameFiles::shaderNames(home.path() + u"/glshaders"_s)),
             (QList<GameFiles::Shader>{
                 {"advinterp2x", false}, {"CRT-lottes", false}, {"none", true}, {"sharp", false}}));
}

void SettingsFormTest::otherSettings_data()
{
    // "from:" the settings a configuration has beyond the form and the template; "apply:" those
    // settings written into the template (twice: the second changes nothing); "check:" below.
    textColumns({"input", "expected"});
    textRow("the form's keys, the template's values and the program's sections are left out",
            "from:[sdl]\nfullscreen=true\noutput=ddraw\noutput=opengl\n[cpu]\ncycles=max\n[tandril]\nx=1\n"
            "[tandril autoexec]\nmount c /\n[autoexec]\nmount d /\n",
            "");
    textRow("hand-edited keys in known sections, a repeated one once with its last value",
            "from:[sdl]\noutput=ddraw\n[sblaster]\nirq=5\noplmode=opl3\n[sdl]\noutput=surface\n",
            "[sdl]\noutput=surface\n[sblaster]\noplmode=opl3\n");
    textRow("a whole section the template lacks",
            "from:[joystick]\njoysticktype=2axis\ntimed=false\n[tandril]\ngame_title=X\n",
            "[joystick]\njoysticktype=2axis\ntimed=false\n");
    textRow("CR LF, blanks and letter case", "from:[SDL]\r\n Output = surface \r\n",
            "[sdl]\noutput=surface\n");
    textRow("a key into its section, whole words only", "apply:[sblaster]\ndma=3\noplmode=opl3\n",
            QString(Template).replace("dma=1\nhdma=5\n", "dma=3\nhdma=5\noplmode=opl3\n"));
    textRow("a new section before the program's own", "apply:[joystick]\ntimed=false\n",
            QString(Template).replace("[tandril]", "[joystick]\ntimed=false\n\n[tandril]"));
    textRow("no DOSBox-X key into [tandril]", "apply:[tandril]\ngame_exe=EVIL.BAT\n", Template);
    // "apply:CONFIG|SETTINGS" writes into that configuration instead of the template.
    textRow("the occurrence DOSBox-X reads: the last key of the last repeated section",
            "apply:[cpu]\ncycles=1\n[CPU]\ncycles=2\ncycles=3\r\ncore=auto\n[sdl]\nx=1\n|[cpu]\ncycles=max\n",
            "[cpu]\ncycles=1\n[CPU]\ncycles=2\ncycles=max\r\ncore=auto\n[sdl]\nx=1\n");
    textRow("a new key at the end of the last repeated section",
            "apply:[cpu]\ncore=auto\n[cpu]\ncputype=386\n\n[sdl]\n|[cpu]\ncycles=max\n",
            "[cpu]\ncore=auto\n[cpu]\ncputype=386\ncycles=max\n\n[sdl]\n");
    textRow("a key that begins another's name",
            "apply:[dosbox]\nmemsize=16\nmemsizekb=0\n|[dosbox]\nmemsize=32\n",
            "[dosbox]\nmemsize=32\nmemsizekb=0\n");
    textRow("a header with blanks inside is no section",
            "apply:[ cpu ]\ncycles=1\n[tandril]\n|[cpu]\ncycles=9\n",
            "[ cpu ]\ncycles=1\n[cpu]\ncycles=9\n\n[tandril]\n");
    // "unread:" the lines of other settings that would be lost, joined by "|".
    textRow("lines that are no settings",
            "unread:key=before any section\n[cpu]cylces=5000\n[cpu]\n# note\n\n"
            "cycles\ncycles=max\n[ sdl ]\n=5\n[mixer",
            "key=before any section|[cpu]cylces=5000|cycles|=5|[mixer");
    // "check:SECTION.KEY=WRITTEN>HELD" compares what was written with what DOSBox-X held after
    // reading it (">-": DOSBox-X knows no such key); what the real one reads is proven with it.
    textRow("a number written otherwise", "check:render.frameskip=05>5", "");
    textRow("hexadecimal as it stores it", "check:sblaster.sbbase=0x240>240", "");
    textRow("hexadecimal with a suffix, another number", "check:sblaster.sbbase=220h>240",
            "DOSBox-X reads sbbase=220h as 240");
    textRow("its word for true", "check:sdl.autolock=on>true", "");
    textRow("unknown key", "check:sblaster.oplmod=opl3>-", "Unknown setting \"oplmod\" in [sblaster]");
}

void SettingsFormTest::otherSettings()
{
    const QString input = cell("input");
    const QString rule = input.section(u':', 0, 0);
    QString value = input.section(u':', 1);
    QString result = Template;
    if (rule == u"from") {
        result = OtherSettings::fromConfig(value, Template);
    } else if (rule == u"unread") {
        result = OtherSettings::unreadLines(value).join(u'|');
    } else if (rule == u"apply") {
        if (value.contains(u'|')) {
            result = value.section(u'|', 0, 0);
            value = value.section(u'|', 1);
        }
        OtherSettings::applyTo(value, result);
        OtherSettings::applyTo(value, result);
    } else {
        QCOMPARE(DosboxReference::parse(Excerpt)
                     .key(u"sblaster"_s, u"oplmode"_s)
                     .value_or(DosboxReference::Key{})
                     .help,
                 u"The FM chip.\nMore than one line of help [a note]"_s);
        const QString name = value.section(u'=', 0, 0);
        const OtherSettings::Setting written{name.section(u'.', 0, 0), name.section(u'.', 1),
                                             value.section(u'=', 1).section(u'>', 0, 0)};
        const QString held = value.section(u'>', 1);
        const QString account = u'[' + written.section + u"]\n"_s +
                                (held == u"-" ? QString() : written.key + u" = "_s + held + u'\n');
        result = DosboxCheck::problems({written}, DosboxReference::parse(account)).join(u'\n');
    }
    QCOMPARE(result, cell("expected"));
}

void SettingsFormTest::aDosboxThatDoesNotStart_data()
{
    // How many settings are checked, the one that keeps the stand-in from starting (none: it never
    // starts) and how (it crashes, or hangs until the check's time is up), and what the check says.
    // Up to six are tried one by one to name the culprit.
    QTest::addColumn<int>("settings");
    QTest::addColumn<int>("culprit");
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("said");
    QTest::newRow("never starts: not checked, no setting blamed") << 2 << -1 << u"crash"_s << QString();
    QTest::newRow("one of six is named")
        << 6 << 5 << u"crash"_s << u"DOSBox-X does not start with key5=crash ("_s;
    QTest::newRow("one of seven: the settings as a whole")
        << 7 << 6 << u"crash"_s << u"DOSBox-X does not start with these settings ("_s;
    QTest::newRow("one that hangs is named, never taken as not checked")
        << 2 << 1 << u"hang"_s << u"DOSBox-X does not start with key1=hang (DOSBox-X did not finish within"_s;
}

void SettingsFormTest::aDosboxThatDoesNotStart()
{
    QFETCH(int, settings);
    QFETCH(int, culprit);
    QFETCH(QString, fault);
    QFETCH(QString, said);
    const TestHome home;
    qunsetenv(Emulator::OverrideVariable);
    const QString standIn = writeCheckingEmulator(home, u"bin/dosbox-x"_s, culprit >= 0);
    QList<DosboxSettings::Setting> written;
    for (int i = 0; i < settings; ++i)
        written.append({u"sdl"_s, u"key%1"_s.arg(i), i == culprit ? fault : u"fine"_s});
    const DosboxCheck::Result result = DosboxCheck::check(Emulator({QFileInfo(standIn).path()}), written);
    QCOMPARE(result.notChecked.has_value(), culprit < 0);
    QCOMPARE(result.problems.size(), culprit < 0 ? 0 : 1);
    if (culprit >= 0)
        QVERIFY2(result.problems.first().startsWith(said), qPrintable(result.problems.first()));
}

QTEST_GUILESS_MAIN(SettingsFormTest)
#include "tst_settingsform.moc"
