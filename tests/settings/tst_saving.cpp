#include "common/Rows.h"
#include "common/ScriptedPrompter.h"
#include "common/TestHome.h"
#include "library/HostAccess.h"
#include "library/LibraryLoader.h"
#include "library/PlayRecord.h"
#include "platform/ConfigNotifier.h"
#include "settings/FormFields.h"
#include "settings/SettingsForm.h"
#include "settings/SettingsSaver.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(GameForm)

// Writing the form into the configuration file, and renaming a game with its title.
class SavingTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { isolateUserDefaults(); }
    void configText_data();
    void configText();
    void everyFieldOfTheTableComesBack();
    void fileNamedOtherThanItsTitleIsRenamedNotCopied();
    void rename_data();
    void rename();
    void changedElsewhere_data();
    void changedElsewhere();
    void refusedSavesChangeNothing_data();
    void refusedSavesChangeNothing();
};

namespace {

const QString Template = u"[sdl]\nfullscreen=false\nfulldouble=false\nwindowresolution=original\n"
                         "autolock=false\nsensitivity=100\n[dosbox]\ntitle=\n[render]\nframeskip=0\n"
                         "aspect=false\nglshader=\n[cpu]\ncycles=3000\n[dos]\nxms=true\nems=true\n"
                         "umb=true\n[ipx]\nipx=false\n[midi]\nmididevice=default\nmt32.romdir=\n"
                         "[sblaster]\nsbtype=sb16\nsbbase=220\nirq=7\ndma=1\nhdma=5\n[tandril]\n"
                         "game_title=\ngame_exe=\nsetup_exe=\ncd_image=\nclose_when_ended=true\n"_s;

GameForm emptyForm()
{
    GameForm form;
    form.title = u"Doom"_s;
    form.fields.insert(u"frameskip"_s, u"0"_s);
    form.soundCard = u"Sound Blaster 16"_s;
    form.sbbase = u"220"_s;
    form.irq = u"7"_s;
    form.dma = u"1"_s;
    form.hdma = u"5"_s;
    form.glshader = u"No Shader"_s;
    form.setOn(u"close_when_ended"_s, true); // as a new game has it
    for (const char* key : {"xms", "ems", "umb"})
        form.setOn(QString::fromLatin1(key), true);
    return form;
}

} // namespace

void SavingTest::configText_data()
{
    QTest::addColumn<GameForm>("form");
    QTest::addColumn<bool>("mt32Roms");
    QTest::addColumn<QString>("expected");

    QTest::newRow("empty form keeps the template's lines")
        << emptyForm() << false
        << QString(Template)
               .replace("title=\n", "title=Doom\n")
               .replace("[dosbox]\ntitle=Doom\n", "[dosbox]\ntitle=Doom\nmachine=svga_s3\n");

    // Only values DOSBox-X takes: a built-in shader by its name, a sensitivity in its range, and
    // start-up lines beginning with "%" kept from its parser's crash.
    GameForm accepted = emptyForm();
    accepted.glshader = u"sharp"_s;
    accepted.glshaderBuiltIn = true;
    accepted.fields.insert(u"sensitivity"_s, u"1001"_s);
    accepted.autoexec = QString::fromUtf8("  %PATH%\r\n\t%1 x\r\n\u00A0%2\nver %3");
    QTest::newRow("values DOSBox-X takes")
        << accepted << false
        << QString(Template)
               .replace("title=\n", "title=Doom\n")
               .replace("[dosbox]\ntitle=Doom\n", "[dosbox]\ntitle=Doom\nmachine=svga_s3\n")
               .replace("glshader=\n", "glshader=sharp\n")
               .append(QString::fromUtf8(
                   "\n[tandril autoexec]\n\u00A0%PATH%\r\n\u00A0\t%1 x\r\n\u00A0%2\nver %3\n"));

    GameForm full = emptyForm();
    full.title = u"  Cost $5 \\ Deluxe "_s;
    full.gameExe = u" GAME/RUN.BAT "_s;
    full.setupExe = u"/s/SETUP.EXE"_s;
    full.cdImage = u"/c/$1.iso"_s;
    full.fields = {{u"fullscreen"_s, u"true"_s}, {u"aspect"_s, u"true"_s},    {u"ipx"_s, u"true"_s},
                   {u"frameskip"_s, u"3"_s},     {u"cycles"_s, u" 25000 "_s}, {u"sensitivity"_s, u"80"_s}};
    full.windowWidth = u"1024"_s;
    full.windowHeight = u"768"_s;
    full.mt32 = true;
    full.soundCard = u"Game Blaster"_s;
    full.sbbase = u"240"_s;
    full.irq = u"5"_s;
    full.dma = u"3"_s;
    full.hdma = u"7"_s;
    full.glshader = u"crt"_s;
    full.beforeGame = u" loadfix \n"_s;
    full.autoexec = u"\n  mount e /cd\n e:\n"_s;
    QTest::newRow("full form")
        << full << true
        << u"[sdl]\nfullscreen=true\nfulldouble=false\nwindowresolution=1024x768\n"
           "autolock=false\nsensitivity=80\n[dosbox]\ntitle=Cost $5 \\ "
           "Deluxe\nmachine=svga_s3\n[render]\nframeskip=3\n"
           "aspect=true\nglshader=crt.glsl\n[cpu]\ncycles=25000\n[dos]\nxms=false\nems=false\n"
           "umb=false\n[ipx]\nipx=true\n[midi]\nmididevice=mt32\nmt32.romdir=$MT32\n"
           "[sblaster]\nsbtype=gb\nsbbase=240\nirq=5\ndma=3\nhdma=7\n[tandril]\n"
           "game_title=Cost $5 \\ Deluxe\ngame_exe=GAME/RUN.BAT\nsetup_exe=/s/SETUP.EXE\n"
           "cd_image=/c/$1.iso\nclose_when_ended=false\n\n[tandril before]\nloadfix\n\n[tandril autoexec]\nmount e /cd\n e:\n"_s;
}

void SavingTest::configText()
{
    QFETCH(GameForm, form);
    QFETCH(bool, mt32Roms);
    QFETCH(QString, expected);
    const TestHome home;
    expected.replace(u"$MT32"_s, home.libraryFolder() + u"/mt32"_s);
    QCOMPARE(SettingsSaver::configText(Template, form, mt32Roms), expected);
}

void SavingTest::everyFieldOfTheTableComesBack()
{
    // A field is one row of the table: what the form saves, loading gives back, and the other
    // settings never show it again.
    const TestHome home;
    for (const FormFields::Field& field : FormFields::all()) {
        if (field.kind == FormFields::Kind::Own)
            continue;
        GameForm form = emptyForm();
        const QString value =
            field.kind == FormFields::Kind::OnOff ? (field.defaultValue == u"true" ? u"false"_s : u"true"_s)
            : field.items                         ? field.items()
                                .filter(QRegularExpression(u"^(?!"_s + field.defaultValue + u"$)"_s))
                                .constLast()
                          : u"7"_s;
        QVERIFY2(value != field.defaultValue, qPrintable(field.key));
        form.fields.insert(field.key, value);
        const QString text = SettingsSaver::configText(Template, form, false);
        QVERIFY2(text.contains(u'\n' + field.key + u'=' + value + u'\n'), qPrintable(text));
        const GameForm loaded = SettingsForm::load(text, Template);
        QCOMPARE(loaded.field(field.key), value);
        QVERIFY2(loaded.otherSettings.isEmpty(), qPrintable(loaded.otherSettings));
    }
}

void SavingTest::fileNamedOtherThanItsTitleIsRenamedNotCopied()
{
    // The edited game is its own file: another game's file with the title's name is never touched.
    const TestHome home;
    const QString imported = home.writeConfig(u"doom-import"_s, "game_title=Doom\ncycles=max\n");
    home.writeFile(u"Library/Application Support/Tandril/doom-import/SETUP.EXE"_s, "x");
    ScriptedPrompter prompter;
    GameForm form = emptyForm();
    form.setupExe = home.libraryFolder() + u"/doom-import/SETUP.EXE"_s;
    form.cdImage = home.libraryFolder() + u"/doom-import/ISO/doom.iso"_s;
    QCOMPARE(SettingsSaver::save(form, imported, false, prompter), SettingsSaver::Outcome::Saved);
    QCOMPARE(QDir(home.libraryFolder()).entryList({u"*.conf"_s}), QStringList{"Doom.conf"});
    // Paths into the game folder follow it to its new name.
    const QByteArray saved = readFile(home.libraryFolder() + u"/Doom.conf"_s);
    QVERIFY(saved.contains("setup_exe=" + home.libraryFolder().toUtf8() + "/Doom/SETUP.EXE\n"));
    QVERIFY(saved.contains("cd_image=" + home.libraryFolder().toUtf8() + "/Doom/ISO/doom.iso\n"));
    QVERIFY(QFile::exists(home.libraryFolder() + u"/Doom/SETUP.EXE"_s));

    // A title line that disagrees with the file name never moves the game it names.
    const QString other = home.writeConfig(u"A"_s, "game_title=Doom\n");
    QCOMPARE(SettingsSaver::save(emptyForm(), other, false, prompter),
             SettingsSaver::Outcome::KeepEditorOpen);
    QCOMPARE(prompter.questions.last().title, u"Rename Not Possible"_s);
    QVERIFY(readFile(home.libraryFolder() + u"/Doom.conf"_s) == saved);
}

void SavingTest::rename_data()
{
    QTest::addColumn<QString>("previous"); // the edited file's title line; "-": a new game
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("withFolder");
    QTest::addColumn<QString>("fileAfter");
    QTest::newRow("file and folder move") << "Doom"
                                          << "Doom 2" << true << "Doom 2";
    QTest::newRow("only removed characters changed") << "Doom?"
                                                     << "Doom" << true << "Doom";
    QTest::newRow("a new game under the trimmed title")
        << "-"
        << "  Cave Run: Part 1 " << false << "Cave Run Part 1";
}

void SavingTest::rename()
{
    QFETCH(QString, previous);
    QFETCH(QString, title);
    QFETCH(bool, withFolder);
    QFETCH(QString, fileAfter);
    const TestHome home;
    const QString library = home.libraryFolder();
    if (previous != u"-")
        home.writeConfig(u"Doom"_s, "game_title=" + previous.toUtf8() + "\n");
    if (withFolder) {
        home.writeFile(u"Library/Application Support/Tandril/Doom/FLOPPIES/A.IMA"_s, "x");
        home.writeFile(u"Library/Application Support/Tandril/.Doom.saves/SAVE.DAT"_s, "mine");
    }
    ScriptedPrompter prompter;
    QSignalSpy updated(&ConfigNotifier::instance(), &ConfigNotifier::tandrilConfigUpdated);
    GameForm form = emptyForm();
    form.title = title;
    QSettings(QSettings::IniFormat, QSettings::UserScope, u"Tandril"_s, u"PlayRecord"_s).clear();
    PlayRecord::played(library + u"/Doom.conf"_s, 3600); // the time played goes with the game
    // So does the user's permission to reach other folders, which a new game starts without.
    HostAccess::setAllowed(library + u"/Doom.conf"_s, true);
    form.mayReachHost = previous != u"-";
    QCOMPARE(
        SettingsSaver::save(form, previous == u"-" ? QString() : library + u"/Doom.conf"_s, false, prompter),
        SettingsSaver::Outcome::Saved);
    QCOMPARE(updated.count(), 1);
    QCOMPARE(QDir(library).entryList({u"*.conf"_s}), QStringList{fileAfter + u".conf"_s});
    QCOMPARE(LibraryLoader::readEntry(library + u'/' + fileAfter + u".conf"_s)->title, title.trimmed());
    QCOMPARE(QFile::exists(library + u'/' + fileAfter + u"/FLOPPIES/A.IMA"_s), withFolder);
    QVERIFY(QFileInfo(library + u'/' + fileAfter + u"/FLOPPIES"_s).isDir()); // a new game's made too
    // The saved games go with their game, and no journal stays behind.
    QCOMPARE(readFile(library + u"/."_s + fileAfter + u".saves/SAVE.DAT"_s), withFolder ? "mine" : "");
    QCOMPARE(QDir(library).entryList({u".tandril-*"_s}, QDir::Hidden | QDir::Files), QStringList());
    QCOMPARE(QFileInfo::exists(library + u"/Doom"_s), fileAfter == u"Doom");
    QCOMPARE(PlayRecord::of(library + u'/' + fileAfter + u".conf"_s).seconds, previous == u"-" ? 0 : 3600);
    // A run that was started before the rename ends after it: its time goes to the game's new name.
    QVERIFY(!PlayRecord::played(library + u"/Doom.conf"_s, 60));
    QCOMPARE(PlayRecord::of(library + u'/' + fileAfter + u".conf"_s).seconds, previous == u"-" ? 0 : 3660);
    // The old name keeps no time of its own: a new game under it starts at nothing.
    const bool moved = previous != u"-" && fileAfter != u"Doom";
    QCOMPARE(PlayRecord::all().value(u"Doom.conf"_s).seconds, moved ? 0 : 3660);
    QCOMPARE(HostAccess::isAllowed(library + u'/' + fileAfter + u".conf"_s), previous != u"-");
    QCOMPARE(HostAccess::isAllowed(library + u"/Doom.conf"_s), fileAfter == u"Doom" || previous == u"-");
}

void SavingTest::changedElsewhere_data()
{
    // "tandril details" wrote the file while the editor was open; the user's answer decides.
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<bool>("written");
    QTest::newRow("keep mine") << 0 << int(SettingsSaver::Outcome::Saved) << true;
    QTest::newRow("reload") << 1 << int(SettingsSaver::Outcome::Reload) << false;
    QTest::newRow("cancel") << 2 << int(SettingsSaver::Outcome::KeepEditorOpen) << false;
}

void SavingTest::changedElsewhere()
{
    QFETCH(int, answer);
    QFETCH(int, outcome);
    QFETCH(bool, written);
    const TestHome home;
    const QByteArray loaded = "[tandril]\ngame_title=Doom\n";
    const QByteArray changed = "[tandril]\ngame_title=Doom\ngame_year=1993\n";
    const QString file = home.writeConfig(u"Doom"_s, changed);
    ScriptedPrompter prompter;
    prompter.answers = {answer};
    GameForm form = emptyForm();
    form.title = u"Doom"_s;
    QCOMPARE(int(SettingsSaver::save(form, file, false, prompter, QString::fromUtf8(loaded))), outcome);
    QCOMPARE(prompter.questions.size(), 1);
    QCOMPARE(prompter.questions.first().title, u"Settings Changed Elsewhere"_s);
    QCOMPARE(readFile(file) == changed, !written);
    // Unchanged since it was read: saved without a question, and with the file's permissions.
    QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
    ScriptedPrompter quiet;
    QCOMPARE(SettingsSaver::save(form, file, false, quiet, QString::fromUtf8(readFile(file))),
             SettingsSaver::Outcome::Saved);
    QVERIFY(quiet.questions.isEmpty());
    QCOMPARE(QFileInfo(file).permissions() & (QFile::ReadGroup | QFile::ReadOther),
             QFileDevice::Permissions(QFile::ReadGroup));
}

void SavingTest::refusedSavesChangeNothing_data()
{
    // The title typed, the configuration file edited (in the library), and the question asked
    // (none: refused without one).
    textColumns({"title", "edited", "question"});
    textRow("blank title", "   ", "Doom.conf", "");
    textRow("only removed characters", "???", "Doom.conf", "Invalid Title");
    textRow("a line break", "Evil\ngame_exe=C:\\EVIL.BAT", "Doom.conf", "Invalid Title");
    textRow("a tab", "Doom\tII", "Doom.conf", "Invalid Title");
    textRow("another game has the new name", "Doom 2", "Doom.conf", "Rename Not Possible");
    // "exe:": the program field holds the rest, under the title Doom.
    textRow("a program name with a line break", "exe:GAME\n[autoexec]\nmount e /.EXE", "Doom.conf",
            "Invalid Settings");
    // A folder where the configuration file should go cannot be replaced by a file.
    textRow("the file cannot be written", "Keen", "Keen.conf", "Could Not Save");
}

void SavingTest::refusedSavesChangeNothing()
{
    const QString title = cell("title");
    const TestHome home;
    home.writeConfig(u"Doom"_s, "game_title=Doom\n");
    home.writeConfig(u"Doom 2"_s, "game_title=Doom 2\ncycles=max\n");
    home.writeConfig(u"Keen.conf/Keen"_s, "x");
    // Every file with its content (a failed write may leave the game's empty folders).
    const QStringList before = contents(home.libraryFolder()).filter(u"="_s);
    ScriptedPrompter prompter;
    GameForm form = emptyForm();
    form.title = title;
    if (title.startsWith(u"exe:"_s)) {
        form.title = u"Doom"_s;
        form.gameExe = title.mid(4);
    }
    const QString file = home.libraryFolder() + u'/' + cell("edited");
    QCOMPARE(SettingsSaver::save(form, file, false, prompter), SettingsSaver::Outcome::KeepEditorOpen);
    QCOMPARE(prompter.questions.isEmpty() ? QString() : prompter.questions.first().title, cell("question"));
    QCOMPARE(contents(home.libraryFolder()).filter(u"="_s), before);
}

QTEST_GUILESS_MAIN(SavingTest)
#include "tst_saving.moc"
