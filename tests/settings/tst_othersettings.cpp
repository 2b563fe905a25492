#include "common/TestHome.h"
#include "platform/DosboxReferenceFile.h"
#include "platform/Emulator.h"
#include "settings/DosboxReference.h"
#include "settings/OtherSettings.h"

#include <QStandardPaths>
#include <QTest>

// Settings beyond the form: found, written back in their sections, and checked against DOSBox-X's
// own reference, which is made once per installed version.
class OtherSettingsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void fromConfig_data();
    void fromConfig();
    void applyTo_data();
    void applyTo();
    void checks_data();
    void checks();
    void referenceIsMadeOncePerVersion();
};

namespace {

const QString Template =
    QStringLiteral("[sdl]\nfullscreen=false\noutput=opengl\n[cpu]\ncycles=3000\n[sblaster]\n"
                   "sbtype=sb16\nirq=7\ndma=1\nhdma=5\n[tandril]\ngame_title=\n");

// Written for these tests in DOSBox-X's layout: help after "#", allowed values, then the keys.
const QString Excerpt = QStringLiteral("# A configuration file.\n\n"
                                       "[sblaster]\n"
                                       "#  sbtype: Which card to show to DOS programs.\n"
                                       "#            Possible values: sb1, sb16, none.\n"
                                       "# oplmode: The FM chip.\n"
                                       "#            More than one line of help.\n"
                                       "#            Possible values: auto, opl2, opl3.\n"
                                       "sbtype  = sb16\n"
                                       "oplmode = auto\n\n"
                                       "[cpu]\n"
                                       "#      cycles: How fast.\n"
                                       "#                Possible values: auto, fixed, max.\n"
                                       "# rdtsc rate: A key with a blank in its name.\n"
                                       "cycles     = auto\n"
                                       "rdtsc rate = 0\n");

void pair(const char* name, const QString& first, const QString& second)
{
    QTest::newRow(name) << first << second;
}

} // namespace

void OtherSettingsTest::fromConfig_data()
{
    QTest::addColumn<QString>("config");
    QTest::addColumn<QString>("other");
    pair("the form's keys, the template's values and the program's sections are left out",
         "[sdl]\nfullscreen=true\noutput=ddraw\noutput=opengl\n[cpu]\ncycles=max\n[tandril]\nx=1\n"
         "[tandril autoexec]\nmount c /\n[autoexec]\nmount d /\n",
         "");
    pair("hand-edited keys in known sections", "[sdl]\noutput=surface\n[sblaster]\nirq=5\noplmode=opl3\n",
         "[sdl]\noutput=surface\n[sblaster]\noplmode=opl3\n");
    pair("a whole section the template lacks",
         "[joystick]\njoysticktype=2axis\ntimed=false\n[tandril]\ngame_title=X\n",
         "[joystick]\njoysticktype=2axis\ntimed=false\n");
    pair("a key in another section than the form's", "[dosbox]\ncycles=max\n", "[dosbox]\ncycles=max\n");
    pair("CR LF, blanks and letter case", "[SDL]\r\n Output = surface \r\n", "[sdl]\noutput=surface\n");
}

void OtherSettingsTest::fromConfig()
{
    QFETCH(QString, config);
    QFETCH(QString, other);
    QCOMPARE(OtherSettings::fromConfig(config, Template), other);
}

void OtherSettingsTest::applyTo_data()
{
    QTest::addColumn<QString>("other");
    QTest::addColumn<QString>("expected");
    QTest::newRow("a key into its section, whole words only")
        << "[sblaster]\ndma=3\noplmode=opl3\n"
        << QString(Template).replace("dma=1\nhdma=5\n", "dma=3\nhdma=5\noplmode=opl3\n");
    QTest::newRow("a new section before the program's own")
        << "[joystick]\ntimed=false\n"
        << QString(Template).replace("[tandril]", "[joystick]\ntimed=false\n\n[tandril]");
    QTest::newRow("no DOSBox-X key into [tandril]") << "[tandril]\ngame_exe=EVIL.BAT\n" << Template;
}

void OtherSettingsTest::applyTo()
{
    QFETCH(QString, other);
    QFETCH(QString, expected);
    QString text = Template;
    OtherSettings::applyTo(other, text);
    QCOMPARE(text, expected);
    // Applying the same again changes nothing.
    OtherSettings::applyTo(other, text);
    QCOMPARE(text, expected);
}

void OtherSettingsTest::checks_data()
{
    QTest::addColumn<QString>("setting"); // section.key=value
    QTest::addColumn<QString>("problem"); // empty: taken
    pair("allowed in another letter case", "sblaster.oplmode=OPL2", "");
    pair("refused value", "sblaster.oplmode=opl4",
         "\"opl4\" is not an allowed value of oplmode (auto, opl2, opl3)");
    pair("unknown key", "sblaster.oplmod=opl3", "Unknown setting \"oplmod\" in [sblaster]");
    pair("unknown section", "sblaster2.sbtype=sb16", "Unknown setting \"sbtype\" in [sblaster2]");
    pair("a number where forms are listed", "cpu.cycles=12000", "");
    pair("a form by its first word", "cpu.cycles=fixed 4000", "");
    pair("a key with a blank, any value", "cpu.rdtsc rate=100", "");
}

void OtherSettingsTest::checks()
{
    QFETCH(QString, setting);
    QFETCH(QString, problem);
    const DosboxReference reference = DosboxReference::parse(Excerpt);
    QCOMPARE(reference.sections(), (QStringList{"sblaster", "cpu"}));
    QCOMPARE(reference.key(QStringLiteral("sblaster"), QStringLiteral("oplmode"))->help,
             QStringLiteral("The FM chip.\nMore than one line of help."));
    const QString name = setting.section(u'=', 0, 0);
    const std::optional<QString> found =
        reference.problem(name.section(u'.', 0, 0), name.section(u'.', 1), setting.section(u'=', 1));
    QCOMPARE(found.value_or(QString()), problem);
}

void OtherSettingsTest::referenceIsMadeOncePerVersion()
{
    const TestHome home;
    // A stand-in DOSBox-X: tells its version, writes the reference it is asked for, counts its runs.
    const QString excerpt = home.writeFile(QStringLiteral("excerpt.conf"), Excerpt.toUtf8());
    const QString program = home.writeFile(QStringLiteral("bin/dosbox-x"),
                                           "#!/bin/sh\necho run >> \"$HOME/runs\"\n"
                                           "[ \"$1\" = -version ] && { cat \"$HOME/version\"; exit 0; }\n"
                                           "[ \"$SDL_VIDEODRIVER\" = dummy ] || exit 9\n"
                                           "case \"$3\" in \"config -all -wc \"*) cp \"" +
                                               excerpt.toUtf8() + "\" \"${3#config -all -wc }\";; esac\n");
    QFile::setPermissions(program, QFile::permissions(program) | QFileDevice::ExeOwner);
    const Emulator emulator({home.path() + QStringLiteral("/bin")});
    const auto runs = [&] { return readFile(home.path() + QStringLiteral("/runs")).count('\n'); };

    home.writeFile(QStringLiteral("version"), "DOSBox-X version 2026.08.02 SDL2\n");
    const DosboxReferenceFile::Result first = DosboxReferenceFile::load(emulator);
    QCOMPARE(first.text.value_or(QString()), Excerpt);
    QCOMPARE(runs(), 2); // its version, then its reference
    QVERIFY(QFile::exists(QStandardPaths::writableLocation(QStandardPaths::CacheLocation) +
                          QStringLiteral("/dosbox-x-reference-2026.08.02.conf")));
    QCOMPARE(DosboxReferenceFile::load(emulator).text, first.text);
    QCOMPARE(runs(), 3); // only its version: the reference came from the cache
    home.writeFile(QStringLiteral("version"), "DOSBox-X version 2026.09.01\n");
    QVERIFY(DosboxReferenceFile::load(emulator).text);
    QCOMPARE(runs(), 5);
    QVERIFY(!DosboxReferenceFile::load(Emulator({home.path() + QStringLiteral("/none")})).text);
}

QTEST_GUILESS_MAIN(OtherSettingsTest)
#include "tst_othersettings.moc"
