#include "common/ScriptedPrompter.h"
#include "common/TestHome.h"
#include "library/LibraryLoader.h"
#include "platform/ConfigNotifier.h"
#include "settings/SettingsSaver.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

Q_DECLARE_METATYPE(SettingsSaver::Form)

// Writing the form into the configuration file, and renaming a game with its title.
class SavingTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void configText_data();
    void configText();
    void missingKeysAreAppendedInOrder();
    void savesUnderTheTrimmedTitle();
    void fileNamedOtherThanItsTitleIsRenamedNotCopied();
    void rename_data();
    void rename();
    void renameRefusedWritesNothing();
    void refusedTitles_data();
    void refusedTitles();
    void writeFailureKeepsTheEditorOpen();
};

namespace {

const QString Template =
    QStringLiteral("[sdl]\nfullscreen=false\nfulldouble=false\nwindowresolution=original\n"
                   "autolock=false\nsensitivity=100\n[dosbox]\ntitle=\n[render]\nframeskip=0\n"
                   "aspect=false\nglshader=\n[cpu]\ncycles=3000\n[dos]\nxms=true\nems=true\n"
                   "umb=true\n[ipx]\nipx=false\n[midi]\nmididevice=default\nmt32.romdir=\n"
                   "[sblaster]\nsbtype=sb16\nsbbase=220\nirq=7\ndma=1\nhdma=5\n[tandril]\n"
                   "game_title=\ngame_exe=\nsetup_exe=\ncd_image=\n");

SettingsSaver::Form emptyForm()
{
    SettingsSaver::Form form;
    form.title = QStringLiteral("Doom");
    form.frameskip = QStringLiteral("0");
    form.soundCard = QStringLiteral("Sound Blaster 16");
    form.sbbase = QStringLiteral("220");
    form.irq = QStringLiteral("7");
    form.dma = QStringLiteral("1");
    form.hdma = QStringLiteral("5");
    form.glshader = QStringLiteral("No Shader");
    form.checkboxes = {{"xms", true}, {"ems", true}, {"umb", true}};
    return form;
}

} // namespace

void SavingTest::configText_data()
{
    QTest::addColumn<SettingsSaver::Form>("form");
    QTest::addColumn<bool>("mt32Roms");
    QTest::addColumn<QString>("expected");

    QTest::newRow("empty form keeps the template's lines")
        << emptyForm() << false << QString(Template).replace("title=\n", "title=Doom\n");

    // Only values DOSBox-X takes: a built-in shader by its name, a sensitivity in its range, and
    // start-up lines beginning with "%" kept from its parser's crash.
    SettingsSaver::Form accepted = emptyForm();
    accepted.glshader = QStringLiteral("sharp");
    accepted.glshaderBuiltIn = true;
    accepted.sensitivity = QStringLiteral("1001");
    accepted.autoexec = QString::fromUtf8("  %PATH%\r\n\t%1 x\r\n\u00A0%2\nver %3");
    QTest::newRow("values DOSBox-X takes")
        << accepted << false
        << QString(Template)
               .replace("title=\n", "title=Doom\n")
               .replace("glshader=\n", "glshader=sharp\n")
               .append(QString::fromUtf8(
                   "\n[tandril autoexec]\n\u00A0%PATH%\r\n\u00A0\t%1 x\r\n\u00A0%2\nver %3\n"));

    SettingsSaver::Form full = emptyForm();
    full.title = QStringLiteral("  Cost $5 \\ Deluxe ");
    full.gameExe = QStringLiteral(" GAME/RUN.BAT ");
    full.setupExe = QStringLiteral("/s/SETUP.EXE");
    full.cdImage = QStringLiteral("/c/$1.iso");
    full.checkboxes = {{"fullscreen", true}, {"aspect", true}, {"ipx", true}};
    full.frameskip = QStringLiteral("3");
    full.cycles = QStringLiteral(" 25000 ");
    full.sensitivity = QStringLiteral("80");
    full.windowWidth = QStringLiteral("1024");
    full.windowHeight = QStringLiteral("768");
    full.mt32 = true;
    full.soundCard = QStringLiteral("Game Blaster");
    full.sbbase = QStringLiteral("240");
    full.irq = QStringLiteral("5");
    full.dma = QStringLiteral("3");
    full.hdma = QStringLiteral("7");
    full.glshader = QStringLiteral("crt");
    full.autoexec = QStringLiteral("\n  mount e /cd\n e:\n");
    QTest::newRow("full form")
        << full << true
        << QStringLiteral(
               "[sdl]\nfullscreen=true\nfulldouble=false\nwindowresolution=1024x768\n"
               "autolock=false\nsensitivity=80\n[dosbox]\ntitle=Cost $5 \\ Deluxe\n[render]\nframeskip=3\n"
               "aspect=true\nglshader=crt.glsl\n[cpu]\ncycles=25000\n[dos]\nxms=false\nems=false\n"
               "umb=false\n[ipx]\nipx=true\n[midi]\nmididevice=mt32\nmt32.romdir=$MT32\n"
               "[sblaster]\nsbtype=gb\nsbbase=240\nirq=5\ndma=3\nhdma=7\n[tandril]\n"
               "game_title=Cost $5 \\ Deluxe\ngame_exe=GAME/RUN.BAT\nsetup_exe=/s/SETUP.EXE\n"
               "cd_image=/c/$1.iso\n\n[tandril autoexec]\nmount e /cd\n e:\n");

    SettingsSaver::Form widthOnly = emptyForm();
    widthOnly.windowWidth = QStringLiteral("800");
    widthOnly.mt32 = true;
    widthOnly.glshader = QStringLiteral("sharp.glsl");
    QTest::newRow("width without height, MT-32 without ROMs")
        << widthOnly << false
        << QString(Template)
               .replace("title=\n", "title=Doom\n")
               .replace("mididevice=default", "mididevice=mt32")
               .replace("glshader=\n", "glshader=sharp.glsl\n");
}

void SavingTest::configText()
{
    QFETCH(SettingsSaver::Form, form);
    QFETCH(bool, mt32Roms);
    QFETCH(QString, expected);
    const TestHome home;
    expected.replace(QStringLiteral("$MT32"), home.libraryFolder() + QStringLiteral("/mt32"));
    QCOMPARE(SettingsSaver::configText(Template, form, mt32Roms), expected);
}

void SavingTest::missingKeysAreAppendedInOrder()
{
    SettingsSaver::Form form = emptyForm();
    form.autoexec = QStringLiteral("ver");
    QCOMPARE(SettingsSaver::configText(QStringLiteral("[x]"), form, false),
             QStringLiteral(
                 "[x]\ngame_title=Doom\nipx=false\nxms=true\nems=true\numb=true\nautolock=false\n"
                 "fullscreen=false\nfulldouble=false\naspect=false\nframeskip=0\nmididevice=default\n"
                 "sbtype=sb16\nsbbase=220\nirq=7\ndma=1\nhdma=5\nglshader=\n[tandril autoexec]\nver\n"));
}

void SavingTest::savesUnderTheTrimmedTitle()
{
    const TestHome home;
    ScriptedPrompter prompter;
    QSignalSpy updated(&ConfigNotifier::instance(), &ConfigNotifier::tandrilConfigUpdated);
    SettingsSaver::Form form = emptyForm();
    form.title = QStringLiteral("  Cave Run: Part 1 ");
    QCOMPARE(SettingsSaver::save(form, QString(), false, prompter), SettingsSaver::Outcome::Saved);
    const QString file = home.libraryFolder() + QStringLiteral("/Cave Run Part 1.conf");
    QCOMPARE(LibraryLoader::readEntry(file)->title, QStringLiteral("Cave Run: Part 1"));
    QVERIFY(QFileInfo(home.libraryFolder() + QStringLiteral("/Cave Run Part 1/FLOPPIES")).isDir());
    QCOMPARE(updated.count(), 1);
}

void SavingTest::fileNamedOtherThanItsTitleIsRenamedNotCopied()
{
    // The edited game is its own file: another game's file with the title's name is never touched.
    const TestHome home;
    const QString imported = home.writeConfig(QStringLiteral("doom-import"), "game_title=Doom\ncycles=max\n");
    home.writeFile(QStringLiteral("Library/Application Support/Tandril/doom-import/SETUP.EXE"), "x");
    ScriptedPrompter prompter;
    SettingsSaver::Form form = emptyForm();
    form.setupExe = home.libraryFolder() + QStringLiteral("/doom-import/SETUP.EXE");
    form.cdImage = home.libraryFolder() + QStringLiteral("/doom-import/ISO/doom.iso");
    QCOMPARE(SettingsSaver::save(form, imported, false, prompter), SettingsSaver::Outcome::Saved);
    QCOMPARE(QDir(home.libraryFolder()).entryList({QStringLiteral("*.conf")}), QStringList{"Doom.conf"});
    // Paths into the game folder follow it to its new name.
    const QByteArray saved = readFile(home.libraryFolder() + QStringLiteral("/Doom.conf"));
    QVERIFY(saved.contains("setup_exe=" + home.libraryFolder().toUtf8() + "/Doom/SETUP.EXE\n"));
    QVERIFY(saved.contains("cd_image=" + home.libraryFolder().toUtf8() + "/Doom/ISO/doom.iso\n"));
    QVERIFY(QFile::exists(home.libraryFolder() + QStringLiteral("/Doom/SETUP.EXE")));

    // A title line that disagrees with the file name never moves the game it names.
    const QString other = home.writeConfig(QStringLiteral("A"), "game_title=Doom\n");
    QCOMPARE(SettingsSaver::save(emptyForm(), other, false, prompter),
             SettingsSaver::Outcome::KeepEditorOpen);
    QCOMPARE(prompter.questions.last().title, QStringLiteral("Rename Not Possible"));
    QVERIFY(readFile(home.libraryFolder() + QStringLiteral("/Doom.conf")) == saved);
}

void SavingTest::rename_data()
{
    QTest::addColumn<QString>("previous");
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("withFolder");
    QTest::addColumn<QString>("fileAfter");
    QTest::newRow("file and folder move") << "Doom"
                                          << "Doom 2" << true << "Doom 2";
    QTest::newRow("no game folder: only the file") << "Doom"
                                                   << "Doom 2" << false << "Doom 2";
    QTest::newRow("only removed characters changed") << "Doom?"
                                                     << "Doom" << true << "Doom";
}

void SavingTest::rename()
{
    QFETCH(QString, previous);
    QFETCH(QString, title);
    QFETCH(bool, withFolder);
    QFETCH(QString, fileAfter);
    const TestHome home;
    home.writeConfig(QStringLiteral("Doom"), "game_title=" + previous.toUtf8() + "\n");
    if (withFolder)
        home.writeFile(QStringLiteral("Library/Application Support/Tandril/Doom/FLOPPIES/A.IMA"), "x");
    ScriptedPrompter prompter;
    SettingsSaver::Form form = emptyForm();
    form.title = title;
    QCOMPARE(SettingsSaver::save(form, home.libraryFolder() + QStringLiteral("/Doom.conf"), false, prompter),
             SettingsSaver::Outcome::Saved);
    const QString library = home.libraryFolder();
    QCOMPARE(QDir(library).entryList({QStringLiteral("*.conf")}),
             QStringList{fileAfter + QStringLiteral(".conf")});
    QCOMPARE(LibraryLoader::readEntry(library + u'/' + fileAfter + QStringLiteral(".conf"))->title, title);
    QCOMPARE(QFile::exists(library + u'/' + fileAfter + QStringLiteral("/FLOPPIES/A.IMA")), withFolder);
    if (fileAfter != u"Doom")
        QVERIFY(!QFileInfo::exists(library + QStringLiteral("/Doom")));
}

void SavingTest::renameRefusedWritesNothing()
{
    const TestHome home;
    const QString doom = home.writeConfig(QStringLiteral("Doom"), "game_title=Doom\n");
    const QString other = home.writeConfig(QStringLiteral("Doom 2"), "game_title=Doom 2\ncycles=max\n");
    ScriptedPrompter prompter;
    QSignalSpy updated(&ConfigNotifier::instance(), &ConfigNotifier::tandrilConfigUpdated);
    SettingsSaver::Form form = emptyForm();
    form.title = QStringLiteral("Doom 2");
    QCOMPARE(SettingsSaver::save(form, doom, false, prompter), SettingsSaver::Outcome::KeepEditorOpen);
    QCOMPARE(prompter.questions.size(), 1);
    QCOMPARE(prompter.questions.first().title, QStringLiteral("Rename Not Possible"));
    QCOMPARE(readFile(other), QByteArray("game_title=Doom 2\ncycles=max\n"));
    QCOMPARE(readFile(doom), QByteArray("game_title=Doom\n"));
    QCOMPARE(updated.count(), 0);
}

void SavingTest::refusedTitles_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("questions");
    QTest::newRow("blank title") << "   " << 0;
    QTest::newRow("only removed characters") << "???" << 1;
    QTest::newRow("a line break") << "Evil\ngame_exe=C:\\EVIL.BAT" << 1;
    QTest::newRow("a tab") << "Doom\tII" << 1;
}

void SavingTest::refusedTitles()
{
    QFETCH(QString, title);
    QFETCH(int, questions);
    const TestHome home;
    ScriptedPrompter prompter;
    SettingsSaver::Form form = emptyForm();
    form.title = title;
    QCOMPARE(SettingsSaver::save(form, home.writeConfig(QStringLiteral("Doom"), "game_title=Doom\n"), false,
                                 prompter),
             SettingsSaver::Outcome::KeepEditorOpen);
    QCOMPARE(prompter.questions.size(), questions);
    if (questions)
        QCOMPARE(prompter.questions.first().title, QStringLiteral("Invalid Title"));
    QVERIFY(!QFile::exists(home.libraryFolder() + QStringLiteral("/.conf")));
}

void SavingTest::writeFailureKeepsTheEditorOpen()
{
    const TestHome home;
    // A folder where the configuration file should go cannot be replaced by a file.
    home.writeFile(QStringLiteral("Library/Application Support/Tandril/Doom.conf/keep"), "x");
    ScriptedPrompter prompter;
    QSignalSpy updated(&ConfigNotifier::instance(), &ConfigNotifier::tandrilConfigUpdated);
    QCOMPARE(SettingsSaver::save(emptyForm(), home.libraryFolder() + QStringLiteral("/Doom.conf"), false,
                                 prompter),
             SettingsSaver::Outcome::KeepEditorOpen);
    QCOMPARE(prompter.questions.size(), 1);
    QCOMPARE(prompter.questions.first().title, QStringLiteral("Could Not Save"));
    QCOMPARE(updated.count(), 1);
    QVERIFY(QFile::exists(home.libraryFolder() + QStringLiteral("/Doom.conf/keep")));
}

QTEST_GUILESS_MAIN(SavingTest)
#include "tst_saving.moc"
