#include "common/ArchiveJobs.h"
#include "common/ForeignFixtures.h"
#include "common/RewrittenTools.h"
#include "common/Rows.h"
#include "common/ScriptedPrompter.h"
#include "common/TandrilProcess.h"
#include "common/TestHome.h"
#include "common/ZipWriter.h"
#include "exchange/FolderAddJob.h"
#include "library/DosboxCheck.h"
#include "library/DosboxReference.h"
#include "library/GameDetails.h"
#include "platform/DosboxReferenceFile.h"
#include "platform/Emulator.h"
#include "settings/GameFiles.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

// What Tandril writes and starts, proven against the real DOSBox-X: what a recording stand-in
// cannot show (what DOSBox-X refuses, changes, truncates or crashes on). Skipped where no real
// DOSBox-X is at hand.
class RealDosboxTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void referenceUnderAnyHome_data();
    void referenceUnderAnyHome();
    void checks_data();
    void checks();
    void setChangesTheKeyDosboxReads();
    void detailsLeaveDosboxXsReadingAlone();
    void gamesStart_data();
    void gamesStart();
    void importedGameStaysInItsDrives_data();
    void importedGameStaysInItsDrives();
    void gamesPeopleOwnStart_data();
    void gamesPeopleOwnStart();
    void savedGamesKeptApart();

private:
    QString m_program;
};

namespace {

// The account DOSBox-X gives after reading the configuration file: the value each key holds.
QString held(const QString& configFile, const QString& section, const QString& key)
{
    QFile file(configFile);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const DosboxReferenceFile::Result read =
        DosboxReferenceFile::readAs(Emulator(), QString::fromUtf8(file.readAll()));
    if (!read.text)
        return u"not read: "_s + read.problem;
    return DosboxReference::parse(*read.text).key(section, key).value_or(DosboxReference::Key{}).defaultValue;
}

QString withLine(QString text, const QString& key, const QString& value)
{
    const QRegularExpression line(u"(?m)^"_s + key + u"=.*$"_s);
    QString replaced;
    const QRegularExpressionMatch match = line.match(text);
    return text.replace(match.capturedStart(), match.capturedLength(), key + u'=' + value);
}

} // namespace

void RealDosboxTest::initTestCase()
{
    m_program = qEnvironmentVariable("TANDRIL_REAL_DOSBOX_X");
    if (m_program.isEmpty() || !QFileInfo(m_program).isExecutable())
        QSKIP("No real DOSBox-X: TANDRIL_REAL_DOSBOX_X names none (the test command sets it from "
              "../shared/tools/dosbox-x where that folder is).");
    qputenv(Emulator::OverrideVariable, QFile::encodeName(m_program));
    qputenv("SDL_VIDEODRIVER", "dummy");
    qputenv("SDL_AUDIODRIVER", "dummy");
}

void RealDosboxTest::referenceUnderAnyHome_data()
{
    // DOSBox-X's shell sees 126 bytes of a command's arguments, splits them at blanks and reads
    // "%1" as a variable: a home and temporary folder it cannot take is not used.
    textColumns({"home"});
    textRow("far past the length", QString(120, u'h'));
    textRow("a blank", "my home");
    textRow("a percent sign", "100%1");
}

void RealDosboxTest::referenceUnderAnyHome()
{
    const TestHome home;
    const QString userHome = home.path() + u'/' + cell("home");
    QVERIFY(QDir().mkpath(userHome + u"/tmp"_s));
    qputenv("HOME", QFile::encodeName(userHome));
    qputenv("XDG_CACHE_HOME", QFile::encodeName(userHome + u"/.cache"_s));
    qputenv("TMPDIR", QFile::encodeName(userHome + u"/tmp"_s));
    const DosboxReferenceFile::Result reference = DosboxReferenceFile::load(Emulator());
    qunsetenv("XDG_CACHE_HOME");
    QVERIFY2(reference.text.has_value(), qPrintable(reference.problem));
    QVERIFY(DosboxReference::parse(*reference.text).key(u"sblaster"_s, u"irq"_s).has_value());
    // The reference alone is kept: no partial file, and nothing left in the temporary folders.
    QCOMPARE(tree(userHome + u"/.cache"_s).filter(u".conf"_s).size(), 1);
    QVERIFY(tree(userHome + u"/.cache"_s).filter(u"partial"_s).isEmpty());
    QCOMPARE(tree(userHome + u"/tmp"_s), QStringList());
    // A check is made all the same, never given up as "not checked".
    const DosboxCheck::Result checked = DosboxCheck::check(Emulator(), {{u"sblaster"_s, u"irq"_s, u"8"_s}});
    QCOMPARE(checked.problems, QStringList{u"DOSBox-X reads irq=8 as 7"_s});
    QCOMPARE(tree(userHome + u"/tmp"_s), QStringList());
}

void RealDosboxTest::checks_data()
{
    // A setting, and what the check says of it ("": taken; a final "*": the text begins so).
    textColumns({"setting", "problem"});
    textRow("an IRQ it does not offer", "sblaster.irq=8", "DOSBox-X reads irq=8 as 7");
    textRow("not its word for true", "sdl.fullscreen=yes", "DOSBox-X reads fullscreen=yes as false");
    textRow("a number past its limit", "render.frameskip=99", "DOSBox-X reads frameskip=99 as 10");
    textRow("a listed word followed by another", "sdl.output=surface opengl",
            "DOSBox-X reads output=surface opengl as default");
    textRow("a kind of setting it does not lower-case", "cpu.cycles=FIXED 3000",
            "DOSBox-X reads cycles=FIXED 3000 as auto");
    textRow("cycles as it takes them", "cpu.cycles=fixed 3000", "");
    textRow("the form's fastest", "cpu.cycles=max", "");
    textRow("max in capitals", "cpu.cycles=MAX", "DOSBox-X reads cycles=MAX as auto");
    textRow("max with its own words", "cpu.cycles=max 80%", "");
    textRow("auto with its own words", "cpu.cycles=auto 3000 limit 20000", "");
    textRow("the form's highest number", "cpu.cycles=1000000", "");
    textRow("the machine of the oldest games", "dosbox.machine=cga", "");
    textRow("hexadecimal", "sblaster.sbbase=0x240", "");
    textRow("a listed value in capitals", "sblaster.oplmode=OPL2", "");
    textRow("a listed value of several words", "dosbox.configuration tool theme=Black Leather Jacket", "");
    textRow("a value it does not start with", "speaker.initial frequency=99999999999",
            "DOSBox-X does not start with initial frequency=99999999999 (*");
    textRow("an unknown key", "sblaster.oplmod=opl3", "Unknown setting \"oplmod\" in [sblaster]");
}

void RealDosboxTest::checks()
{
    const TestHome home;
    const QString setting = cell("setting");
    const QString name = setting.section(u'=', 0, 0);
    const DosboxCheck::Result result = DosboxCheck::check(
        Emulator(), {{name.section(u'.', 0, 0), name.section(u'.', 1), setting.section(u'=', 1)}});
    QVERIFY2(!result.notChecked, qPrintable(result.notChecked.value_or(QString())));
    const QString problem = result.problems.join(u'\n');
    const QString expected = cell("problem");
    // The form's cycles field takes what DOSBox-X takes as written.
    if (name == u"cpu.cycles"_s)
        QCOMPARE(GameFiles::isValidCycles(setting.section(u'=', 1)), expected.isEmpty());
    if (expected.endsWith(u'*'))
        QVERIFY2(problem.startsWith(expected.chopped(1)), qPrintable(problem));
    else
        QCOMPARE(problem, expected);
}

void RealDosboxTest::setChangesTheKeyDosboxReads()
{
    // DOSBox-X takes the last of repeated keys and sections; "[ cpu ]" is no section of its own.
    const TestHome home;
    const QString conf = home.writeConfig(
        u"Twice"_s, "[cpu]\ncycles=fixed 1000\n[sdl]\nautolock=true\n[cpu]\ncycles=fixed 2000\n[ cpu ]\n"
                    "[tandril]\ngame_title=Twice\n");
    const TandrilRun set = runTandril(home, {u"set"_s, u"Twice"_s, u"cpu.cycles=fixed 4000"_s});
    QCOMPARE(set.exitCode, 0);
    QCOMPARE(held(conf, u"cpu"_s, u"cycles"_s), u"fixed 4000"_s);
    // A value holding "=" is kept whole: DOSBox-X splits a line at its first "=".
    QCOMPARE(runTandril(home, {u"set"_s, u"Twice"_s, u"dosbox.title=Doom = Hell"_s}).exitCode, 0);
    QCOMPARE(held(conf, u"dosbox"_s, u"title"_s), u"Doom = Hell"_s);
    // A key of one section needs no section; one of several is named with them.
    QCOMPARE(runTandril(home, {u"set"_s, u"Twice"_s, u"machine=cga"_s}).exitCode, 0);
    QCOMPARE(held(conf, u"dosbox"_s, u"machine"_s), u"cga"_s);
    const TandrilRun several = runTandril(home, {u"set"_s, u"Twice"_s, u"sbtype=sb16"_s});
    QCOMPARE(several.exitCode, 1);
    QCOMPARE(several.err,
             u"Not Saved: sbtype stands in several sections: write sblaster.sbtype or sblaster2.sbtype.\n"_s);
    QVERIFY(runTandril(home, {u"settings"_s, u"Twice"_s}).out.contains(u"cpu.cycles=fixed 4000"_s));
}

void RealDosboxTest::detailsLeaveDosboxXsReadingAlone()
{
    const TestHome home;
    const QString settings = u"[cpu]\ncycles=fixed 4000\n[tandril]\ngame_title=Doom\n"_s;
    GameDetails details{u"1993"_s, u"id Software"_s, u"GT"_s, u"Shooter"_s, u"%PATH% works\n%1 too"_s};
    QString withDetails = settings;
    GameDetailsText::write(details, withDetails);
    const DosboxReferenceFile::Result plain = DosboxReferenceFile::readAs(Emulator(), settings);
    const DosboxReferenceFile::Result read = DosboxReferenceFile::readAs(Emulator(), withDetails);
    QVERIFY2(plain.text && read.text, qPrintable(read.problem));
    QCOMPARE(*read.text, *plain.text);
    QCOMPARE(GameDetailsText::read(withDetails), details);
}

void RealDosboxTest::gamesStart_data()
{
    // A title, a folder below the temporary home that becomes the home, and whether the game reads
    // a CD image on D:.
    textColumns({"title", "home", "cd"});
    textRow("a non-ASCII letter, with a CD", "Café International", "", "yes");
    textRow("a CJK title", "三國志", "", "no");
    textRow("a % in the home, with a CD", "Percent", "/100%", "yes");
    // Titles stop at 203 bytes: the rest of the length is the home folder's.
    textRow("a path of nearly 300 bytes", "Long" + QString(196, u'x'), u'/' + QString(60, u'h'), "no");
}

void RealDosboxTest::gamesStart()
{
    const TestHome testHome;
    const QString home = testHome.path() + cell("home");
    QVERIFY(QDir().mkpath(home));
    const QString title = cell("title");
    const bool cd = cell("cd") == u"yes";
    QProcessEnvironment environment = tandrilEnvironment(testHome);
    environment.insert(u"HOME"_s, home);
    environment.insert(u"XDG_CACHE_HOME"_s, home + u"/.cache"_s);
    QCOMPARE(runTandril(environment, {u"add"_s, title}).exitCode, 0);
    const QString library = home + u"/Library/Application Support/Tandril"_s;
    const QString conf = library + u'/' + title + u".conf"_s;
    const QString game = library + u'/' + title;
    QVERIFY(QFileInfo::exists(conf));
    QVERIFY2(title.size() < 100 || game.toUtf8().size() >= 290, qPrintable(game));

    // DOSBox-X's own value of the capture folder, where its screenshots go.
    QByteArray batch = "echo started> C:\\STARTED.TXT\r\nconfig -get dosbox captures> C:\\CAPTURES.TXT\r\n";
    QString text = QString::fromUtf8(readFile(conf));
    text = withLine(text, u"game_exe"_s, u"C:\\GAME.BAT"_s);
    if (cd) {
        const QString content = home + u"/cd files"_s;
        QVERIFY(QDir().mkpath(content));
        testHome.writeFile(content.mid(testHome.path().size() + 1) + u"/README.TXT"_s, "from the CD\r\n");
        const QString image = home + u"/cd image.iso"_s;
        QProcess iso;
        iso.start(u"genisoimage"_s, {u"-quiet"_s, u"-o"_s, image, u"-V"_s, u"GAME"_s, content});
        if (!iso.waitForFinished(30000) || iso.exitCode() != 0)
            QSKIP("genisoimage is missing; the test command installs it.");
        text = withLine(text, u"cd_image"_s, image);
        batch += "copy D:\\README.TXT C:\\FROMCD.TXT\r\n";
    }
    // The commands before the game, the game, the commands after it; then DOSBox-X closes by
    // itself, as a new game has it (the batch file has no "exit").
    QVERIFY(text.contains(u"\nclose_when_ended=true\n"_s));
    text +=
        u"\n[tandril before]\necho before> C:\\ORDER.TXT\n\n[tandril autoexec]\necho after>> C:\\ORDER.TXT\n"_s;
    testHome.writeFile(conf.mid(testHome.path().size() + 1), text.toUtf8());
    testHome.writeFile(game.mid(testHome.path().size() + 1) + u"/GAME.BAT"_s,
                       batch + "echo game>> C:\\ORDER.TXT\r\n");

    const TandrilRun launched = runTandril(environment, {u"launch"_s, title, u"--wait"_s});
    QVERIFY2(launched.exitCode == 0, qPrintable(launched.out + launched.err));
    // What the game wrote is in its saves folder, whatever the path's length and letters.
    const QString saves = library + u"/."_s + title + u".saves"_s;
    QVERIFY(!QFileInfo::exists(game + u"/STARTED.TXT"_s));
    QCOMPARE(readFile(saves + u"/STARTED.TXT"_s).trimmed(), QByteArray("started"));
    QCOMPARE(QString::fromLatin1(readFile(saves + u"/ORDER.TXT"_s)).split(u"\r\n"_s, Qt::SkipEmptyParts),
             (QStringList{u"before"_s, u"game"_s, u"after"_s}));
    QCOMPARE(readFile(saves + u"/CAPTURES.TXT"_s).trimmed(), (game + u"/CAPTURE"_s).toUtf8());
    QCOMPARE(readFile(saves + u"/FROMCD.TXT"_s).trimmed(), cd ? QByteArray("from the CD") : QByteArray());
}

namespace {

// An archive's members as contents() shows a folder: unpacked in a folder of its own.
QStringList unpackedGame(const QString& archive, const QString& where, const QString& member)
{
    QDir().mkpath(where);
    QProcess unzip;
    unzip.setWorkingDirectory(where);
    unzip.start(u"unzip"_s, {u"-qq"_s, archive});
    if (!unzip.waitForFinished(30000) || unzip.exitCode() != 0)
        return {u"unzip failed"_s};
    return contents(where + u'/' + member);
}

} // namespace

void RealDosboxTest::savedGamesKeptApart()
{
    // GAME.BAT writes, changes, deletes and renames files of the game, removes one of its folders
    // and makes one, then lists drive C as DOSBox-X shows it.
    const TestHome home;
    QVERIFY(runTandril(home, {u"add"_s, u"Saver"_s}).exitCode == 0);
    const QString library = home.libraryFolder();
    const QString game = library + u"/Saver"_s;
    const QString saves = library + u"/.Saver.saves"_s;
    const QString conf = library + u"/Saver.conf"_s;
    home.writeFile(conf.mid(home.path().size() + 1),
                   withLine(QString::fromUtf8(readFile(conf)), u"game_exe"_s, u"C:\\GAME.BAT"_s).toUtf8());
    const QString inGame = game.mid(home.path().size() + 1);
    home.writeFile(inGame + u"/A.TXT"_s, "original\r\n");
    home.writeFile(inGame + u"/b.txt"_s, "bee\r\n");
    home.writeFile(inGame + u"/C.TXT"_s, "cee\r\n");
    home.writeFile(inGame + u"/SUB/D.TXT"_s, "dee\r\n");
    home.writeFile(inGame + u"/KEEP/K.TXT"_s, "kay\r\n");
    home.writeFile(inGame + u"/GAME.BAT"_s,
                   "echo new> NEW.TXT\r\necho changed> A.TXT\r\ndel B.TXT\r\nren C.TXT E.TXT\r\n"
                   "del SUB\\D.TXT\r\nrd SUB\r\nmd NEWDIR\r\necho f> NEWDIR\\F.TXT\r\n"
                   "ren KEEP\\K.TXT K2.TXT\r\ndir /s /b > C:\\SEEN.TXT\r\n");
    const QStringList original = contents(game);

    const TandrilRun played = runTandril(home, {u"launch"_s, u"Saver"_s, u"--wait"_s});
    QVERIFY2(played.exitCode == 0, qPrintable(played.err));
    QCOMPARE(contents(game), original);
    const QStringList written = contents(saves);
    QVERIFY2(written.contains(u"A.TXT=changed\r\n"_s) && written.contains(u"NEWDIR/F.TXT=f\r\n"_s) &&
                 written.contains(u"KEEP/K2.TXT=kay\r\n"_s),
             qPrintable(written.join(u'\n')));
    const TandrilRun listed = runTandril(home, {u"saves"_s, u"Saver"_s});
    for (const char* line : {"\nA.TXT\t9\t", "\nB.TXT\tdeleted\t", "\nC.TXT\tdeleted\t", "\nSUB\tdeleted\t",
                             "\nE.TXT\t5\t", "\nKEEP/K.TXT\tdeleted\t"})
        QVERIFY2((u'\n' + listed.out).contains(QLatin1String(line).mid(0)), qPrintable(listed.out));

    // With the saved games, the archive's drive C is what DOSBox-X showed; without, the original.
    const QString withSaves = home.path() + u"/with.tdl"_s;
    QVERIFY(runTandril(home, {u"export"_s, u"Saver"_s, withSaves, u"--saves"_s}).exitCode == 0);
    const QStringList merged = unpackedGame(withSaves, home.path() + u"/with"_s, u"Saver"_s);
    const QString seen = QString::fromLatin1(readFile(saves + u"/SEEN.TXT"_s));
    QStringList seenNames = seen.split(u"\r\n"_s, Qt::SkipEmptyParts);
    QStringList mergedNames;
    for (const QString& item : merged) {
        QString path = item.section(u'=', 0, 0);
        if (path.endsWith(u'/'))
            path.chop(1);
        mergedNames.append(path.section(u'/', -1).toUpper());
    }
    mergedNames.removeAll(u"FLOPPIES"_s); // Tandril's own empty folder, listed by DOSBox-X too
    seenNames.removeAll(u"FLOPPIES"_s);
    seenNames.sort();
    mergedNames.sort();
    QCOMPARE(mergedNames, seenNames);
    QVERIFY(merged.contains(u"A.TXT=changed\r\n"_s) && merged.contains(u"E.TXT=cee\r\n"_s) &&
            !merged.contains(u"b.txt=bee\r\n"_s) && !merged.contains(u"SUB/"_s));
    const QString asItCame = home.path() + u"/without.tdl"_s;
    QVERIFY(runTandril(home, {u"export"_s, u"Saver"_s, asItCame, u"--no-saves"_s}).exitCode == 0);
    QCOMPARE(unpackedGame(asItCame, home.path() + u"/without"_s, u"Saver"_s), original);

    // A backup, a reset to the original (the saves to the Trash), and the backup put back.
    QVERIFY(QDir().mkpath(home.path() + u"/.local/share"_s));
    const QString backup = home.path() + u"/saves.zip"_s;
    const TandrilRun backedUp = runTandril(home, {u"saves"_s, u"Saver"_s, u"--backup"_s, backup});
    QVERIFY2(backedUp.exitCode == 0, qPrintable(backedUp.err));
    const TandrilRun reset = runTandril(home, {u"--yes"_s, u"saves"_s, u"Saver"_s, u"--reset"_s});
    QVERIFY2(reset.exitCode == 0, qPrintable(reset.err));
    QVERIFY(!QFileInfo::exists(saves));
    QCOMPARE(contents(home.path() + u"/.local/share/Trash/files/.Saver.saves"_s), written);
    QCOMPARE(runTandril(home, {u"saves"_s, u"Saver"_s}).out, QString());
    const TandrilRun restored = runTandril(home, {u"saves"_s, u"Saver"_s, u"--restore"_s, backup});
    QVERIFY2(restored.exitCode == 0, qPrintable(restored.err));
    QCOMPARE(contents(saves), written);
    QCOMPARE(contents(game), original);

    // Imported over the game, the archive with the saved games is the new original, and the old
    // saved games go to the Trash with the old game.
    ScriptedPrompter prompter;
    prompter.answers = {1}; // Replace
    ProcessRunner runner;
    QVERIFY(importArchive(prompter, runner, withSaves));
    QCOMPARE(contents(game), merged);
    QVERIFY(!QFileInfo::exists(saves));
    QCOMPARE(contents(home.path() + u"/.local/share/Trash/files/.Saver.saves.2"_s), written);
}

QTEST_GUILESS_MAIN(RealDosboxTest)
#include "tst_realdosbox.moc"

void RealDosboxTest::importedGameStaysInItsDrives_data()
{
    QTest::addColumn<bool>("reachAllowed");
    QTest::newRow("someone else's game") << false;
    QTest::newRow("the user lets it reach other folders") << true;
}

void RealDosboxTest::importedGameStaysInItsDrives()
{
    // An archive whose settings, DOSBox-X sections, start-up lines and program all try to reach
    // a folder of the host: START, MOUNT in [config], [autoexec] and the game, a serial port
    // writing to a file, a capture folder outside.
    QFETCH(bool, reachAllowed);
    const TestHome home;
    const QString outside = home.path() + u"/outside"_s;
    QVERIFY(QDir().mkpath(outside));
    const QByteArray out = outside.toUtf8();
    const QByteArray conf =
        "[sdl]\nautolock=false\n[dosbox]\ncaptures=" + out +
        "\n[dos]\nstartcmd=true\n[serial]\nserial1=file file:" + out +
        "/SERIAL.TXT\n[config]\ninstall=z:\\system\\mount.com e " + out +
        "\n[tandril]\ngame_title=Evil\ngame_exe=C:\\GAME.BAT\nclose_when_ended=true\n[autoexec]\n"
        "mount g " +
        out + "\n[tandril autoexec]\nstart /bin/touch " + out + "/STARTED\nmount > C:\\MOUNTS.TXT\n";
    const QByteArray batch = "echo ok> C:\\OK.TXT\r\nmount f " + out +
                             "\r\nf:\r\necho bad> MOUNTED.TXT\r\nc:\r\n"
                             "echo serial> COM1\r\nconfig -get dosbox captures> C:\\CAPTURES.TXT\r\n";
    ZipWriter zip;
    zip.addFile(u"tdl"_s, {});
    zip.addFile(u"Evil.conf"_s, conf);
    zip.addFile(u"Evil/GAME.BAT"_s, batch);
    const QString archive = home.writeFile(u"Evil.tdl"_s, zip.bytes());
    const TandrilRun imported = runTandril(home, {u"import"_s, archive});
    QVERIFY2(imported.exitCode == 0, qPrintable(imported.err));
    // The user is told what was left out.
    for (const char* left : {"[dos] startcmd=true", "[serial] serial1=file file:", "[dosbox] captures="})
        QVERIFY2(imported.out.contains(QLatin1String(left)) || imported.err.contains(QLatin1String(left)),
                 qPrintable(imported.out + imported.err));
    const QString library = home.libraryFolder();
    const QString game = library + u"/Evil"_s;
    const QString saves = library + u"/.Evil.saves"_s;
    const QString importedConf = QString::fromUtf8(readFile(library + u"/Evil.conf"_s));
    QVERIFY(!importedConf.contains(u"[autoexec]"_s));
    QVERIFY(importedConf.contains(u"mount g "_s + outside));
    if (reachAllowed) {
        // What the user would have to bring back on purpose: the very same settings.
        QString text = importedConf;
        text.replace(u"[dos]\n"_s, u"[dos]\nstartcmd=true\n"_s);
        home.writeFile(u"Library/Application Support/Tandril/Evil.conf"_s, text.toUtf8());
        QVERIFY(runTandril(home, {u"reach"_s, u"Evil"_s, u"on"_s}).exitCode == 0);
    }
    const TandrilRun played = runTandril(home, {u"launch"_s, u"Evil"_s, u"--wait"_s});
    QVERIFY2(played.exitCode == 0, qPrintable(played.err));
    QCOMPARE(readFile(saves + u"/OK.TXT"_s).trimmed(), QByteArray("ok"));
    const QByteArray mounts = readFile(saves + u"/MOUNTS.TXT"_s);
    if (!reachAllowed) {
        QCOMPARE(tree(outside), QStringList());
        QCOMPARE(readFile(saves + u"/CAPTURES.TXT"_s).trimmed(), (game + u"/CAPTURE"_s).toUtf8());
        QVERIFY2(!mounts.contains(out), mounts.constData());
        QVERIFY(mounts.contains("C "));
    } else {
        // Lifted: the game's own MOUNT and START reach the folder.
        QVERIFY2(mounts.contains(out), mounts.constData());
        QVERIFY(tree(outside).contains(u"STARTED"_s));
    }
}

void RealDosboxTest::gamesPeopleOwnStart_data()
{
    // Where the game's program is on drive C, a setting of the source that DOSBox-X does not
    // take, and one of an older DOSBox that it does.
    textColumns({"kind", "folder", "left", "kept"});
    const char* overlay = "[sdl] output=overlay — DOSBox-X has no such value";
    textRow("a store's installed game", "store", "CAVE", overlay, "usescancodes=true");
    textRow("a store's Windows installer", "windows", "CAVE", overlay, "oplemu=nuked");
    textRow("a store's Linux installer", "linux", "CAVE", overlay, "cycles=fixed 8000");
    textRow("a browser bundle", "bundle", "cave", "", "cycles=max");
    textRow("a collection's DOSBox configuration", "collection", "CAVE",
            "[pci] voodoo=false — DOSBox-X has no such setting", "oplemu=nuked");
}

void RealDosboxTest::gamesPeopleOwnStart()
{
    // Added as the user adds them, then started: GAME.BAT writes on drive C and reads the CD on
    // D: (a sheet with a separate audio track, mounted through Tandril's mended copy).
    if (!ForeignFixtures::canMakeImages())
        QSKIP("genisoimage is missing; the test command installs it.");
    const TestHome home;
    const QString kind = cell("kind");
    const QString own = home.path() + u"/own"_s;
    QString added;
    if (kind == u"windows") {
        // No installer can be made here: innoextract's stand-in unpacks what it would.
        const QString stand = ForeignFixtures::innoextractStandIn(
            home.path(), ForeignFixtures::unpackedInstaller(home.path() + u"/inno"_s));
        RewrittenTools runner(ForeignFixtures::innoextractAs(stand));
        ScriptedPrompter prompter;
        FolderAddJob job(prompter, runner);
        QStringList lines;
        QSignalSpy finished(&job, &FolderAddJob::finished);
        FolderAddJob::Proposal shown;
        job.setConfirmation([&shown](const FolderAddJob::Proposal& proposal, auto answer) {
            shown = proposal;
            answer(proposal);
        });
        QVERIFY(job.start(ForeignFixtures::windowsInstaller(own)));
        QVERIFY(finished.wait(60000) && finished.first().first().toBool());
        added = shown.notCarried.join(u'\n');
    } else {
        const QString source = kind == u"store"    ? ForeignFixtures::storeFolder(own)
                               : kind == u"linux"  ? ForeignFixtures::linuxInstaller(own)
                               : kind == u"bundle" ? ForeignFixtures::bundle(own)
                                                   : ForeignFixtures::collectionConfig(own);
        const TandrilRun run = runTandril(home, {u"add"_s, u"--from"_s, source});
        QVERIFY2(run.exitCode == 0, qPrintable(run.out + run.err));
        // A store's pack gives a game for each of its games.
        QCOMPARE(QFileInfo::exists(home.libraryFolder() + u"/Cave Run II.conf"_s), kind == u"store");
        added = run.out + run.err;
    }
    if (!cell("left").isEmpty())
        QVERIFY2(added.contains(cell("left")), qPrintable(added));
    QVERIFY2(!added.contains(u"unchecked"_s), qPrintable(added));
    const QString text = QString::fromUtf8(readFile(home.libraryFolder() + u"/Cave Run.conf"_s));
    QVERIFY2(text.contains(u'\n' + cell("kept") + u'\n') && !text.contains(u"output=overlay"_s),
             qPrintable(text));
    const QString game = home.libraryFolder() + u"/Cave Run/"_s + cell("folder");
    const QString saves = home.libraryFolder() + u"/.Cave Run.saves/"_s + cell("folder");
    const TandrilRun played = runTandril(home, {u"launch"_s, u"Cave Run"_s, u"--wait"_s});
    QVERIFY2(played.exitCode == 0, qPrintable(played.out + played.err));
    QCOMPARE(readFile(saves + u"/PLAYED.TXT"_s).trimmed(), QByteArray("played"));
    QCOMPARE(readFile(saves + u"/FROMCD.TXT"_s).trimmed(), QByteArray("from the CD"));
    // The store's saved game came along as the game's own saves, where the game finds it.
    QCOMPARE(readFile(saves + u"/SAVESEEN.TXT"_s), kind == u"store" ? QByteArray("saved") : QByteArray());
    if (kind != u"bundle") {
        const TandrilRun setup = runTandril(home, {u"launch"_s, u"Cave Run"_s, u"--setup"_s, u"--wait"_s});
        QVERIFY2(setup.exitCode == 0, qPrintable(setup.out + setup.err));
        QCOMPARE(readFile(saves + u"/SETUP.TXT"_s).trimmed(), QByteArray("set up"));
        QVERIFY(!QFileInfo::exists(game + u"/SETUP.TXT"_s));
    }
}
