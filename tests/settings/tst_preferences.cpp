#include "common/RecordingEmulator.h"
#include "common/RecordingServices.h"
#include "common/ScriptedFilePanel.h"
#include "common/ScriptedPrompter.h"
#include "common/TestHome.h"
#include "library/DosboxReference.h"
#include "library/EntryCreation.h"
#include "library/GameDetails.h"
#include "platform/Emulator.h"
#include "settings/DropCopy.h"
#include "settings/OtherSettings.h"
#include "settings/SettingsSaver.h"
#include "settings/widgets/DropTargetView.h"
#include "settings/widgets/Preferences.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QTranslator>

using namespace Qt::StringLiterals;

// The settings editor: how a configuration file fills its form, what its controls do, and files
// and folders dropped on it, copied into the game folder.
class PreferencesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { isolateUserDefaults(); }
    void init();
    void cleanup();

    void loadFillsTheForm();
    void limitedFieldsSayWhy();
    void shortFolderNamesInTheField();
    void everySettingSurvivesASave_data();
    void everySettingSurvivesASave();
    void dropsKeepTheGame_data();
    void dropsKeepTheGame();
    void linksNeverLeadOutOfTheDroppedFolder();
    void dropOnTheAreaCopiesAndReports();
    void unsavedChangesAreAskedAbout_data();
    void unsavedChangesAreAskedAbout();
    void completionTakesReturnAndTab();
    void aFileSavedInGermanIsTheEnglishOne();

private:
    std::unique_ptr<Preferences> makeEditor(const QString& configFile = {});
    // A file or folder of the Doom game, and files dropped on its editor.
    QString game(const QString& relative = {}) const
    {
        return m_home->libraryFolder() + u"/Doom"_s + (relative.isEmpty() ? QString() : u'/' + relative);
    }
    int drop(const QStringList& sources)
    {
        return DropCopy::run(DropCopy::plan(sources, u"Doom"_s, DropCopy::Target::GameFolder, m_prompter));
    }
    // Drags the items over the area and drops them; true when the area took the drag on entering
    // and let go of it on the drop.
    static bool dragAndDrop(DropTargetView* area, const QList<QUrl>& items)
    {
        QMimeData data;
        data.setUrls(items);
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(area, &enter);
        const bool taken = area->isReceivingDrag();
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(area, &drop);
        return taken && !area->isReceivingDrag();
    }
    template <typename T> T* control(Preferences& editor, const char* name)
    {
        T* widget = editor.findChild<T*>(QString::fromLatin1(name));
        if (!widget)
            qFatal("no control %s", name);
        return widget;
    }

    std::unique_ptr<TestHome> m_home;
    ScriptedPrompter m_prompter;
    RecordingServices m_services;
    ScriptedFilePanel m_filePanel;
};

void PreferencesTest::init()
{
    m_home = std::make_unique<TestHome>();
    m_prompter = {};
    m_services = {};
    m_filePanel = {};
}

void PreferencesTest::cleanup()
{
    QCOMPARE(m_prompter.takeAlerts(), QList<ScriptedPrompter::Alert>());
    QVERIFY(m_prompter.answers.isEmpty()); // every scripted answer was asked for
    m_home.reset();
}

std::unique_ptr<Preferences> PreferencesTest::makeEditor(const QString& configFile)
{
    auto editor = std::make_unique<Preferences>(Host{m_prompter, m_services, m_filePanel},
                                                m_home->path() + u"/glshaders"_s);
    if (!configFile.isEmpty())
        editor->loadConfigFile(configFile);
    return editor;
}

void PreferencesTest::loadFillsTheForm()
{
    m_home->writeFile(u"glshaders/sharp.glsl"_s, "shader");
    const QString conf = m_home->writeConfig(
        u"Doom"_s,
        "[sdl]\nfullscreen=YES\n  autolock=1\naspect=on\nwindowresolution=1024x768\nsensitivity=80\n"
        "[render]\nframeskip=2\nglshader=/usr/share/dosbox-x/glshaders/sharp.glsl/\n[cpu]\ncycles=25000\n"
        "[midi]\nmididevice=mt32\n[sblaster]\nsbtype=sb16\nsbbase=240\nirq=7\ndma=3\nhdma=7\n"
        "[tandril]\ngame_title=Doom\ngame_exe=DOOM.EXE\nsetup_exe=/s/SETUP.EXE\ncd_image=/x/ISO/doom.cue\n"
        "[tandril before]\nloadfix\n[tandril autoexec]\necho hi\n\u00A0%PATH%\n");
    const auto editor = makeEditor(conf);
    editor->show();
    QStringList shown;
    for (const char* name : {"game_exe", "setup_exe", "cd_image", "cd_imageless", "s_window_width",
                             "s_window_height", "s_sensitivity", "s_cycles"})
        shown << control<QLineEdit>(*editor, name)->text();
    for (const char* name :
         {"s_frameskip", "s_glshaders", "s_soundcard", "s_sbbase", "s_irq", "s_dma", "s_hdma"})
        shown << control<QComboBox>(*editor, name)->currentText();
    for (const char* name : {"s_fullscreen", "s_autolock", "s_aspect", "s_xms", "mt32Support"})
        shown << (control<QCheckBox>(*editor, name)->isChecked() ? u"on"_s : u"off"_s);
    QCOMPARE(shown.join(u'|'), u"DOOM.EXE|/s/SETUP.EXE|/x/ISO/doom.cue|doom.cue|1024|768|80|25000|2|sharp|"
                               "Sound Blaster 16|240|7|3|7|on|on|off|off|on"_s);
    // The no-break space that keeps DOSBox-X from crashing on "%" is the program's, not the user's.
    QCOMPARE(control<QPlainTextEdit>(*editor, "autoexecTextView")->toPlainText(), u"echo hi\n%PATH%"_s);
    QCOMPARE(control<QPlainTextEdit>(*editor, "beforeGameTextView")->toPlainText(), u"loadfix"_s);
    control<QLineEdit>(*editor, "title_name")->insert(u"\r\nx"_s);
    QCOMPARE(control<QLineEdit>(*editor, "title_name")->text(), u"Doom"_s);
    QVERIFY(control<QWidget>(*editor, "dummy")->hasFocus() || !editor->isActiveWindow());
    // Every control in its place: none shown where another is, as one left out of a layout is.
    const auto shownRect = [&editor](const QWidget* widget) {
        QRect rect(widget->mapTo(editor.get(), QPoint()), widget->size());
        for (const QWidget* parent = widget->parentWidget(); parent != editor.get();
             parent = parent->parentWidget())
            rect &= QRect(parent->mapTo(editor.get(), QPoint()), parent->size()); // scrolled out of sight
        return rect;
    };
    QList<QWidget*> controls;
    for (QWidget* widget : editor->findChildren<QWidget*>())
        if (widget->isVisible() && (qobject_cast<QComboBox*>(widget) || qobject_cast<QLineEdit*>(widget) ||
                                    qobject_cast<QAbstractButton*>(widget) || qobject_cast<QLabel*>(widget) ||
                                    qobject_cast<QAbstractScrollArea*>(widget)))
            controls.append(widget);
    for (QWidget* one : controls)
        for (QWidget* other : controls)
            QVERIFY2(one == other || one->isAncestorOf(other) || other->isAncestorOf(one) ||
                         !shownRect(one).intersects(shownRect(other)),
                     qPrintable(one->objectName() + u" covers "_s + other->objectName()));
    // The sound card's defaults only once the user says OK.
    for (const auto& [answer, values] :
         {std::pair{1, "Sound Blaster 16|240|7|3|7"}, std::pair{0, "Sound Blaster 1|220|5|1|5"}}) {
        m_prompter.answers = {answer}; // Cancel, then OK
        control<QPushButton>(*editor, "resetSoundcardSettings")->click();
        shown.clear();
        for (const char* name : {"s_soundcard", "s_sbbase", "s_irq", "s_dma", "s_hdma"})
            shown << control<QComboBox>(*editor, name)->currentText();
        QCOMPARE(shown.join(u'|'), QString::fromLatin1(values));
    }
}

void PreferencesTest::limitedFieldsSayWhy()
{
    // A value a field does not take is said beside it while typing, never in a dialog, and stops
    // the save with the same words; the machine menu keeps a file's machine before and after
    // DOSBox-X's own list arrives.
    const QString conf =
        m_home->writeConfig(u"Doom"_s, "[dosbox]\nmachine=tandy\n[tandril]\ngame_title=Doom\n");
    auto editor = makeEditor(conf);
    editor->show();
    const struct
    {
        const char* field;
        const char* typed;
        bool said;
    } cases[] = {{"s_cycles", "12a", true},        {"s_cycles", "max", false},
                 {"s_cycles", "fixed 300", false}, {"s_sensitivity", "1001", true},
                 {"s_sensitivity", "-50", false},  {"s_cycles", "0", true}};
    for (const auto& [field, typed, said] : cases) {
        QLineEdit* line = control<QLineEdit>(*editor, field);
        line->clear();
        QTest::keyClicks(line, QString::fromLatin1(typed));
        QCOMPARE(line->text(), QString::fromLatin1(typed));
        QCOMPARE(control<QLabel>(*editor, (QByteArray(field) + "Problem").constData())->isVisible(), said);
        QVERIFY(m_prompter.questions.isEmpty());
    }
    const QByteArray before = readFile(conf);
    control<QPushButton>(*editor, "createConfigFileFromTitle")->click();
    QCOMPARE(m_prompter.questions.size(), 1);
    QCOMPARE(m_prompter.questions.first().text,
             u"CPU cycles: Type auto, max or a number of cycles from 1 to 1000000."_s);
    m_prompter.questions.clear();
    QCOMPARE(readFile(conf), before);

    auto* machine = control<QComboBox>(*editor, "s_machine");
    QCOMPARE(machine->currentText(), u"tandy"_s);
    editor->applyReference(std::make_shared<const DosboxReference>(DosboxReference::parse(
        u"[dosbox]\n# machine: The type of machine.\n#   Possible values: mda, cga, tandy, svga_s3.\nmachine = svga_s3\n"_s)));
    QStringList items;
    for (int i = 0; i < machine->count(); ++i)
        items << machine->itemText(i);
    QCOMPARE(items, (QStringList{u"mda"_s, u"cga"_s, u"tandy"_s, u"svga_s3"_s}));
    QCOMPARE(machine->currentText(), u"tandy"_s);
    machine->setCurrentText(u"cga"_s);
    control<QLineEdit>(*editor, "s_cycles")->setText(u" 500 "_s);
    control<QPushButton>(*editor, "createConfigFileFromTitle")->click();
    QVERIFY(m_prompter.questions.isEmpty());
    const QString saved = QString::fromUtf8(readFile(conf));
    QVERIFY2(saved.contains(u"\nmachine=cga\n"_s) && saved.contains(u"\ncycles=500\n"_s), qPrintable(saved));

    // Programs of every kind DOS starts, .COM ones too; a panel answered after the editor closed
    // must not touch the gone editor.
    control<QPushButton>(*editor, "selectGameExe")->click();
    QCOMPARE(m_filePanel.requests.last().extensions, (QStringList{u"exe"_s, u"com"_s, u"bat"_s}));
    control<QPushButton>(*editor, "selectSetupExe")->click();
    QCOMPARE(m_filePanel.requests.last().extensions, (QStringList{u"exe"_s, u"com"_s, u"bat"_s}));
    editor.reset();
    m_filePanel.choose(u"/games/GAME.EXE"_s);
}

void PreferencesTest::shortFolderNamesInTheField()
{
    const auto editor = makeEditor(m_home->writeConfig(u"G"_s, "game_exe=SOUNDCARD/SETUP.EXE\n"));
    // A save that stops early (a blank title) leaves the form as typed.
    control<QLineEdit>(*editor, "title_name")->setText(u"  "_s);
    control<QPushButton>(*editor, "createConfigFileFromTitle")->click();
    QCOMPARE(control<QLineEdit>(*editor, "game_exe")->text(), u"SOUNDCARD/SETUP.EXE"_s);
    editor->fixGameExePath();
    QCOMPARE(control<QLineEdit>(*editor, "game_exe")->text(), u"SOUNDC~1/SETUP.EXE"_s);
}

void PreferencesTest::everySettingSurvivesASave_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("hand-edited keys in known and unknown sections") << QByteArray(
        "[sdl]\noutput=surface\n[sblaster]\nsbtype=sb16\noplmode=opl3\n[joystick]\njoysticktype=2axis\n"
        "timed=false\n[tandril]\ngame_title=Doom\n");
    QTest::newRow("a key moved to another section")
        << QByteArray("[dosbox]\ncycles=max\n[tandril]\ngame_title=Doom\n");
    QTest::newRow("the form's keys stay the form's") << QByteArray(
        "[cpu]\ncycles=12000\ncore=normal\n[render]\nframeskip=2\n[tandril]\ngame_title=Doom\n");
    QTest::newRow("details, notes on several lines")
        << QByteArray("[tandril]\ngame_title=Doom\ngame_year=1993\ngame_developer=id "
                      "Software\ngame_notes=IDDQD\\nIDKFA \\\\ X\n");
    QTest::newRow("CR LF") << QByteArray(
        "[sdl]\r\noutput=surface\r\n[gus]\r\ngus=true\r\n[tandril]\r\ngame_title=Doom\r\n");
}

void PreferencesTest::everySettingSurvivesASave()
{
    QFETCH(QByteArray, file);
    // Loaded into the editor and saved, twice: the second save gives the first one's bytes.
    const QString templateText = EntryCreation::templateText().value();
    const auto save = [&](const QString& path) {
        const auto editor = makeEditor(path);
        return SettingsSaver::configText(templateText, editor->form(), false);
    };
    const QString first = save(m_home->writeConfig(u"Doom"_s, file));
    QCOMPARE(save(m_home->writeConfig(u"Doom"_s, first.toUtf8())), first);
    // Every setting the file had is still there with its value.
    QHash<QString, QString> saved;
    for (const OtherSettings::Setting& setting : OtherSettings::parse(first))
        saved.insert(setting.section + u'.' + setting.key, setting.value);
    for (const OtherSettings::Setting& setting : OtherSettings::parse(QString::fromUtf8(file)))
        QCOMPARE(saved.value(setting.section + u'.' + setting.key), setting.value);
    QCOMPARE(GameDetailsText::read(first), GameDetailsText::read(QString::fromUtf8(file)));
    // And none of DOSBox-X's keys went into the program's sections.
    QVERIFY(first.indexOf(u"[tandril]"_s) > first.lastIndexOf(u"=surface"_s));
}

void PreferencesTest::dropsKeepTheGame_data()
{
    QTest::addColumn<QString>("dropped"); // "file", "gone" (a file removed before the copy) or "parents"
    QTest::addColumn<int>("answer");      // to "File/Folder already exists": Replace, Keep both, Cancel
    QTest::addColumn<QString>("files");   // the game folder afterwards
    QTest::newRow("Replace") << "file" << 0 << "game.exe=new";
    QTest::newRow("Keep both") << "file" << 1 << "game 2.exe=new|game.exe=old";
    QTest::newRow("Cancel") << "file" << 2 << "game.exe=old";
    QTest::newRow("Replace with a file gone before the copy") << "gone" << 0 << "game.exe=old";
    QTest::newRow("the game folder and its parents, unasked") << "parents" << -1 << "game.exe=old";
}

void PreferencesTest::dropsKeepTheGame()
{
    QFETCH(QString, dropped);
    QFETCH(int, answer);
    QFETCH(QString, files);
    m_home->writeFile(u"Library/Application Support/Tandril/Doom/game.exe"_s, "old");
    const QString source = m_home->writeFile(u"src/game.exe"_s, "new");
    if (answer >= 0)
        m_prompter.answers = {answer};
    const QStringList sources = dropped == u"parents"
                                    ? QStringList{game(), m_home->libraryFolder(), m_home->path()}
                                    : QStringList{source};
    const QList<DropCopy::Task> tasks =
        DropCopy::plan(sources, u"Doom"_s, DropCopy::Target::GameFolder, m_prompter);
    if (dropped == u"gone")
        QVERIFY(QFile::remove(source));
    DropCopy::run(tasks);
    QCOMPARE(m_prompter.questions.size(), answer >= 0 ? 1 : 0);
    QCOMPARE(contents(game()).join(u'|'), files);
}

void PreferencesTest::linksNeverLeadOutOfTheDroppedFolder()
{
    const QString secret = m_home->writeFile(u"secret.txt"_s, "secret");
    m_home->writeFile(u"src/GAME/README.TXT"_s, "readme");
    m_home->writeFile(u"src/GAME/DATA/.hidden"_s, "h");
    const QString folder = m_home->path() + u"/src/GAME"_s;
    QVERIFY(QFile::link(secret, folder + u"/outside.txt"_s));
    QVERIFY(QFile::link(m_home->path(), folder + u"/home"_s));
    QVERIFY(QFile::link(folder + u"/README.TXT"_s, folder + u"/inside.txt"_s));
    const QString linkedFile = m_home->path() + u"/link-to-secret.txt"_s;
    QVERIFY(QFile::link(secret, linkedFile));

    QCOMPARE(drop({folder, linkedFile}), 2);
    QCOMPARE(readFile(game(u"GAME/inside.txt"_s)), QByteArray("readme"));
    QVERIFY(!QFileInfo(game(u"GAME/inside.txt"_s)).isSymLink());
    QVERIFY(!QFileInfo::exists(game(u"GAME/outside.txt"_s)));
    QVERIFY(!QFileInfo::exists(game(u"GAME/home"_s)));
    QCOMPARE(readFile(game(u"GAME/DATA/.hidden"_s)), QByteArray("h"));
    // A dropped link to a file brings the file's content.
    QCOMPARE(readFile(game(u"link-to-secret.txt"_s)), QByteArray("secret"));
}

void PreferencesTest::dropOnTheAreaCopiesAndReports()
{
    Preferences editor({m_prompter, m_services, m_filePanel}, m_home->path());
    editor.findChild<QLineEdit*>(u"title_name"_s)->setText(u"Doom (unsaved)"_s);
    const QString a = m_home->writeFile(u"src/A.EXE"_s, "a");
    const QString b = m_home->writeFile(u"src/B.EXE"_s, "b");

    auto* area = editor.findChild<DropTargetView*>(u"dropTargetView"_s);
    QSignalSpy copied(&editor, &Preferences::droppedItemsCopied);
    QSignalSpy closed(&editor, &QDialog::finished);
    const QString iso = m_home->writeFile(u"src/x.iso"_s, "iso");
    QVERIFY(dragAndDrop(area, {QUrl::fromLocalFile(a), QUrl::fromLocalFile(b), QUrl::fromLocalFile(iso),
                               QUrl(u"https://example.org/x"_s)}));
    // Save and close wait for the copies: the game may be renamed or deleted right after.
    QVERIFY(!editor.findChild<QPushButton*>(u"createConfigFileFromTitle"_s)->isEnabled());
    m_prompter.answers = {1}; // Don't Save the title typed
    editor.reject();
    QCOMPARE(closed.count(), 0);
    QVERIFY(copied.wait(10000));
    QCOMPARE(closed.count(), 1);
    QCOMPARE(copied.first().first().toInt(), 3);
    QVERIFY(QFile::exists(m_home->libraryFolder() + u"/Doom (unsaved)/B.EXE"_s));
    QCOMPARE(editor.findChild<QLabel*>(u"statusLabel"_s)->text(), u"Files/Folders copied"_s);
    // A game without a program takes the first one dropped onto drive C; an image there is no CD.
    QCOMPARE(editor.findChild<QLineEdit*>(u"game_exe"_s)->text(), u"A.EXE"_s);
    QCOMPARE(editor.findChild<QLineEdit*>(u"cd_image"_s)->text(), QString());

    // The CD area takes CD images only, a store's cue sheet under its own name too, and the
    // image dropped is the game's (the sheet, not a file dropped after it), mounted through a
    // mended copy of the sheet.
    QVERIFY(dragAndDrop(
        editor.findChild<DropTargetView*>(u"dropTargetViewISO"_s),
        {QUrl::fromLocalFile(m_home->writeFile(u"src/notes.txt"_s, "n")),
         QUrl::fromLocalFile(m_home->writeFile(u"src/game.ins"_s, "FILE \"GAME.BIN\" BINARY\r\n")),
         QUrl::fromLocalFile(m_home->writeFile(u"src/game.bin"_s, "b"))}));
    QVERIFY(copied.wait(10000));
    QCOMPARE(copied.last().first().toInt(), 2);
    const QString isoFolder = m_home->libraryFolder() + u"/Doom (unsaved)/ISO/"_s;
    QVERIFY(!QFile::exists(isoFolder + u"notes.txt"_s) && QFile::exists(isoFolder + u"game.bin"_s));
    QCOMPARE(editor.findChild<QLineEdit*>(u"cd_image"_s)->text(), isoFolder + u"game.tandril.cue"_s);
    QCOMPARE(readFile(isoFolder + u"game.tandril.cue"_s), QByteArray("FILE \"game.bin\" BINARY\n"));
    QCOMPARE(editor.findChild<QLineEdit*>(u"cd_imageless"_s)->text(), u"game.tandril.cue"_s);
    // A program dropped later leaves the game's program as it is.
    QVERIFY(dragAndDrop(area, {QUrl::fromLocalFile(m_home->writeFile(u"src/C.COM"_s, "c"))}));
    QVERIFY(copied.wait(10000));
    QCOMPARE(editor.findChild<QLineEdit*>(u"game_exe"_s)->text(), u"A.EXE"_s);
}

void PreferencesTest::unsavedChangesAreAskedAbout_data()
{
    // The answer to "Save changes?", whether the editor closed, and the game's files afterwards.
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<QString>("files");
    QTest::newRow("Save") << 0 << true << "Doom II.conf";
    QTest::newRow("Don't Save") << 1 << true << "Doom.conf";
    QTest::newRow("Cancel, the default") << 2 << false << "Doom.conf";
}

void PreferencesTest::unsavedChangesAreAskedAbout()
{
    QFETCH(int, answer);
    QFETCH(bool, closed);
    QFETCH(QString, files);
    const auto editor = makeEditor(m_home->writeConfig(u"Doom"_s, "game_title=Doom\n"));
    QSignalSpy finished(editor.get(), &QDialog::finished);
    editor->reject(); // nothing changed: closed without a question
    QCOMPARE(finished.count(), 1);
    QVERIFY(m_prompter.questions.isEmpty());
    control<QLineEdit>(*editor, "title_name")->setText(u"Doom II"_s);
    m_prompter.answers = {answer};
    QTest::keyClick(editor.get(), Qt::Key_Escape);
    QCOMPARE(m_prompter.questions.size(), 1);
    QCOMPARE(m_prompter.questions.first().title, u"Save changes to \"Doom\"?"_s);
    QCOMPARE(finished.count(), closed ? 2 : 1);
    QCOMPARE(QDir(m_home->libraryFolder()).entryList({u"*.conf"_s}).join(u'|'), files);
}

void PreferencesTest::completionTakesReturnAndTab()
{
    const auto editor = makeEditor(m_home->writeConfig(u"Doom"_s, "game_title=Doom\n"));
    // DOSBox-X's own reference, made in the background, explains the form and completes the text.
    editor->loadReference(Emulator({QFileInfo(writeCheckingEmulator(*m_home, u"bin/dosbox-x"_s)).path()}));
    editor->show();
    QTRY_COMPARE(control<QComboBox>(*editor, "s_soundcard")->toolTip(), u"The card."_s);
    QVERIFY(QTest::qWaitForWindowActive(editor.get()));
    control<QToolButton>(*editor, "otherSettingsToggle")->setChecked(true);
    auto* area = control<QPlainTextEdit>(*editor, "otherSettings");
    area->setFocus();
    QTRY_VERIFY(area->hasFocus());
    QTest::keyClicks(area, u"[sb"_s);
    QTRY_VERIFY(QApplication::activePopupWidget());
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_L); // typed, not taken as the suggestion
    QCOMPARE(area->toPlainText(), u"[sbl"_s);
    QTRY_VERIFY(QApplication::activePopupWidget());
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Return);
    QTest::keyClick(area, Qt::Key_Return);
    QTest::keyClicks(area, u"op"_s); // two letters are enough to be offered the rest
    QTRY_VERIFY(QApplication::activePopupWidget());
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Tab);
    QCOMPARE(area->toPlainText(), u"[sblaster]\noplmode"_s);
}

void PreferencesTest::aFileSavedInGermanIsTheEnglishOne()
{
    // The language of the window never reaches a saved file.
    const QString file = m_home->writeConfig(
        u"Doom"_s, "[sblaster]\nsbtype=none\n[render]\nglshader=\n[tandril]\ngame_title=Doom\n");
    const auto save = [&] {
        return SettingsSaver::configText(EntryCreation::templateText().value(), makeEditor(file)->form(),
                                         false);
    };
    const QString english = save();
    QTranslator german;
    QVERIFY(german.load(u":/i18n/tandril_de.qm"_s));
    QCoreApplication::installTranslator(&german);
    const auto editor = makeEditor();
    QCOMPARE(control<QComboBox>(*editor, "s_soundcard")->itemText(0), u"Keine"_s);
    // Its longer labels widen the window it opens at, so that nothing of the form is cut off.
    QVERIFY(editor->width() >=
            control<QScrollArea>(*editor, "settingsScrollArea")->widget()->sizeHint().width());
    const QString inGerman = save();
    QCoreApplication::removeTranslator(&german);
    QVERIFY(english.contains(u"\nsbtype=none\n"_s));
    QCOMPARE(inGerman, english);
}

QTEST_MAIN(PreferencesTest)
#include "tst_preferences.moc"
