#include "common/ArchiveJobs.h"
#include "common/Rows.h"
#include "common/ScriptedPrompter.h"
#include "common/TestHome.h"
#include "common/ZipWriter.h"
#include "exchange/FolderAddJob.h"
#include "exchange/FolderBatch.h"
#include "library/LibraryLoader.h"

#include <QTest>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

// A game added in one step from its folder or a .zip of it.
class FolderAddTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void addsTheGame_data();
    void addsTheGame();
    void refusalsLeaveNothing_data();
    void refusalsLeaveNothing();
    void theProposalAsChangedIsAdded();
    void readableTitles_data();
    void readableTitles();
    void eachGameOfAFolder_data();
    void eachGameOfAFolder();

private:
    // Runs the job to its end; false when it did not succeed.
    bool add(const QString& source, bool cancelAtFirstProgress = false,
             FolderAddJob::Confirmation confirm = {}, const QString& program = {});

    std::unique_ptr<TestHome> m_home;
    ScriptedPrompter m_prompter;
};

void FolderAddTest::init()
{
    m_home = std::make_unique<TestHome>();
    m_prompter = {};
    // A shareware-style game: the program, its installer, a floppy image and a data folder.
    m_home->writeFile(u"src/Keen/KEEN4E.EXE"_s, QByteArray(300000, 'k'));
    m_home->writeFile(u"src/Keen/INSTALL.EXE"_s, QByteArray(20000, 'i'));
    m_home->writeFile(u"src/Keen/DISK1.IMA"_s, "floppy");
    m_home->writeFile(u"src/Keen/DATA/LEVEL1.DAT"_s, QByteArray(2 << 20, 'l'));
}

void FolderAddTest::cleanup()
{
    QVERIFY(m_prompter.answers.isEmpty());
    // Nothing of the work is left in the temporary folder, and the source is as it was.
    QCOMPARE(tree(m_home->temporaryFolder()), QStringList());
    QStringList source = tree(m_home->path() + u"/src/Keen"_s);
    source.removeAll(u"PIPE"_s);
    source.removeAll(u"TOPIPE"_s);
    source.removeAll(u"HUGE.DAT"_s);
    source.removeAll(u"Keen.conf"_s);
    QCOMPARE(source, (QStringList{"DATA/", "DATA/LEVEL1.DAT", "DISK1.IMA", "INSTALL.EXE", "KEEN4E.EXE"}));
    m_home.reset();
}

bool FolderAddTest::add(const QString& source, bool cancelAtFirstProgress, FolderAddJob::Confirmation confirm,
                        const QString& program)
{
    ProcessRunner runner;
    return addFromFolder(m_prompter, runner, source, std::move(confirm), cancelAtFirstProgress, program);
}

void FolderAddTest::addsTheGame_data()
{
    QTest::addColumn<QString>("source"); // "folder", or "zip" of the folder
    QTest::addColumn<bool>("existing");  // a game called Keen is in the library already
    QTest::addColumn<QString>("name");   // the new game's base name and title
    QTest::newRow("from a folder") << "folder" << false << "Keen";
    QTest::newRow("from a .zip of one folder") << "zip" << false << "Keen";
    QTest::newRow("Keep Both beside a game of the same name") << "folder" << true << "Keen (2)";
    QTest::newRow("a FIFO, a link to it and one to a huge file outside are left out and not counted")
        << "fifo" << false << "Keen";
    QTest::newRow("two programs alike: the user is asked which") << "tie" << false << "Keen";
    QTest::newRow("two programs alike: the one named, in another letter case") << "named" << false << "Keen";
}

void FolderAddTest::addsTheGame()
{
    QFETCH(QString, source);
    QFETCH(bool, existing);
    QFETCH(QString, name);
    QString path = m_home->path() + u"/src/Keen"_s;
    if (source == u"zip") {
        ZipWriter zip({"Keen/", "Keen/INSTALL.EXE=i", "Keen/DISK1.IMA=floppy"});
        zip.addFile(u"Keen/KEEN4E.EXE"_s, QByteArray(300000, 'k'));
        path = m_home->writeFile(u"Keen.zip"_s, zip.bytes());
    }
    if (source == u"fifo") {
        QVERIFY(::mkfifo(QFile::encodeName(path + u"/PIPE"_s).constData(), 0600) == 0);
        QVERIFY(QFile::link(u"PIPE"_s, path + u"/TOPIPE"_s));
        QFile huge(m_home->path() + u"/huge"_s); // sparse: a terabyte no disk here has room for
        QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(qint64(1) << 40));
        QVERIFY(QFile::link(huge.fileName(), path + u"/HUGE.DAT"_s));
    }
    const QString program = source == u"tie" || source == u"named" ? u"KEEN5E.EXE"_s : u"KEEN4E.EXE"_s;
    if (program == u"KEEN5E.EXE")
        m_home->writeFile(u"src/Keen/KEEN5E.EXE"_s, QByteArray(290000, 'k')); // a little smaller
    if (source == u"tie")
        m_prompter.answers = {1}; // the second
    if (existing) {
        m_home->writeConfig(u"Keen"_s, "game_title=Keen\n");
        m_prompter.answers = {0}; // Keep Both
    }
    QVERIFY(add(path, false, {}, source == u"named" ? u"keen5e.exe"_s : QString()));
    QCOMPARE(std::count_if(m_prompter.questions.cbegin(), m_prompter.questions.cend(),
                           [](const Prompter::Question& asked) {
                               return asked.title == u"Which Program Starts the Game?";
                           }),
             source == u"tie" ? 1 : 0);
    QFile::remove(path + u"/KEEN5E.EXE"_s);
    const QString library = m_home->libraryFolder();
    const QString config = library + u'/' + name + u".conf"_s;
    QCOMPARE(LibraryLoader::readEntry(config)->title, name);
    const QByteArray text = readFile(config);
    QVERIFY2(text.contains("\ngame_exe=" + program.toUtf8() + '\n'), text.constData());
    QVERIFY(text.contains("\nsetup_exe=" + library.toUtf8() + '/' + name.toUtf8() + "/INSTALL.EXE\n"));
    // The floppy image waits where the DOS prompt mounts floppies from.
    QCOMPARE(readFile(library + u'/' + name + u"/FLOPPIES/DISK1.IMA"_s), QByteArray("floppy"));
    QVERIFY(QFile::exists(library + u'/' + name + u'/' + program));
    QVERIFY(!QFileInfo::exists(library + u'/' + name + u"/PIPE"_s) &&
            !QFileInfo(library + u'/' + name + u"/TOPIPE"_s).isSymLink() &&
            !QFileInfo(library + u'/' + name + u"/HUGE.DAT"_s).isSymLink());
    if (existing)
        QCOMPARE(readFile(library + u"/Keen.conf"_s), QByteArray("game_title=Keen\n"));
}

void FolderAddTest::refusalsLeaveNothing_data()
{
    // No archive: the folder itself, cancelled while copying or with the program named.
    textColumns({"archive", "program", "alert"});
    textRow("not a zip", "text", "", "Keen.zip is not a zip archive.");
    textRow("cancelled while copying", "", "", "");
    textRow("a program named that the game does not have", "", "KEEN.EXE",
            "Keen has no program called KEEN.EXE.");
    // "dir:": a folder of one file of that name, the game's only program.
    textRow("a program whose name holds a line break", "dir:G\n[autoexec]\nmount e ~\n.EXE", "",
            "The file name \"G\n[autoexec]\nmount e ~\n.EXE\" holds a line break or another control "
            "character, which a configuration file cannot hold. Rename the file and add the game again.");
}

void FolderAddTest::refusalsLeaveNothing()
{
    const QString archive = cell("archive");
    const QString source = archive.isEmpty() ? m_home->path() + u"/src/Keen"_s
                           : archive.startsWith(u"dir:"_s)
                               ? QFileInfo(m_home->writeFile(u"src/Evil/"_s + archive.mid(4), "MZ")).path()
                               : m_home->writeFile(u"Keen.zip"_s, archive.toUtf8());
    QVERIFY(!add(source, archive.isEmpty() && cell("program").isEmpty(), {}, cell("program")));
    const QList<ScriptedPrompter::Alert> alerts = m_prompter.takeAlerts();
    QCOMPARE(alerts.isEmpty() ? QString() : alerts.first().message, cell("alert"));
    QCOMPARE(tree(m_home->libraryFolder()), QStringList());
}

void FolderAddTest::theProposalAsChangedIsAdded()
{
    m_home->writeFile(u"src/Keen/CD/GAME.ISO"_s, "cd");
    FolderAddJob::Proposal shown;
    QVERIFY(
        add(m_home->path() + u"/src/Keen"_s, false, [&](const FolderAddJob::Proposal& proposal, auto answer) {
            shown = proposal;
            FolderAddJob::Proposal changed = proposal;
            changed.title = u"Commander Keen 4"_s;
            changed.program = u"INSTALL.EXE"_s;
            changed.setup.clear();
            answer(changed);
        }));
    // What was found, with every file that could be chosen instead.
    QCOMPARE(shown.title, u"Keen"_s);
    QCOMPARE(shown.program + u'|' + shown.setup + u'|' + shown.cdImage + u'|' + shown.floppyImages.join(u','),
             u"KEEN4E.EXE|INSTALL.EXE|CD/GAME.ISO|DISK1.IMA"_s);
    QCOMPARE(shown.programs.first(), u"KEEN4E.EXE"_s);
    QVERIFY(shown.programs.contains(u"INSTALL.EXE"_s));
    QCOMPARE(shown.cdImages, QStringList{u"CD/GAME.ISO"_s});
    // What the user changed is what was added, under the new title's name.
    const QString config = m_home->libraryFolder() + u"/Commander Keen 4.conf"_s;
    QCOMPARE(LibraryLoader::readEntry(config)->title, u"Commander Keen 4"_s);
    const QByteArray text = readFile(config);
    QVERIFY(text.contains("\ngame_exe=INSTALL.EXE\n") && !text.contains("\nsetup_exe=/"));
    QVERIFY(QFile::exists(m_home->libraryFolder() + u"/Commander Keen 4/FLOPPIES/DISK1.IMA"_s));
    QVERIFY(!QFileInfo::exists(m_home->libraryFolder() + u"/Keen"_s));
    QFile::remove(m_home->path() + u"/src/Keen/CD/GAME.ISO"_s);
    QDir(m_home->path() + u"/src/Keen/CD"_s).removeRecursively();
}

void FolderAddTest::readableTitles_data()
{
    textColumns({"name", "title"});
    textRow("words at hyphens, capitals", "grand-prix-circuit", "Grand Prix Circuit");
    textRow("a number set apart", "digger98", "Digger 98");
    textRow("underscores, runs of separators", "space__quest_3", "Space Quest 3");
    textRow("mixed case kept, separators still split", "Commander_Keen4", "Commander Keen 4");
    textRow("a number inside a word stays", "wolf3d", "Wolf3d");
    textRow("letters beyond ASCII", "über-höhle2", "Über Höhle 2");
}

void FolderAddTest::readableTitles()
{
    QCOMPARE(FolderAddJob::readableTitle(cell("name")), cell("title"));
}

void FolderAddTest::eachGameOfAFolder_data()
{
    // Besides src/Keen: more items of the folder ("NAME=CONTENT", "NAME/" a folder, "NAME.zip:
    // MEMBER,MEMBER" an archive, "NAME->TARGET" a link), games already in the library, and what the scan
    // finds, one "title:program:CD image:in library" each.
    textColumns({"items", "library", "found"});
    textRow("folders and .zip files in name order, hidden items and other files left out",
            "doom.zip:DOOM/DOOM.EXE,DOOM/DOOM.ISO|.cache/X.EXE=x|notes.txt=n", "",
            "Doom:DOOM.EXE:DOOM.ISO:no|Keen:KEEN4E.EXE::no");
    textRow("a game already in the library", "", "Keen", "Keen:KEEN4E.EXE::yes");
    textRow("a .zip of loose files, one of a single file, an empty folder and a broken .zip",
            "loose.zip:GO.BAT,GAME.EXE|one.zip:ONE.EXE|Empty/|bad.zip=not a zip", "",
            "Bad:::no|Empty:::no|Keen:KEEN4E.EXE::no|Loose:GAME.EXE::no|One:ONE.EXE::no");
    // Added before titles were made readable: still known by the folder's own name.
    textRow("a game added under the folder's plain name", "grand-prix/", "grand-prix",
            "Grand Prix:::yes|Keen:KEEN4E.EXE::no");
    textRow("links to the whole disk and to a game elsewhere are no games of the folder",
            "Root->/|Usr->/usr|Elsewhere->$HOME/other/Keen|Keen.zip->$HOME/other/k.zip", "",
            "Keen:KEEN4E.EXE::no");
}

void FolderAddTest::eachGameOfAFolder()
{
    const QString folder = m_home->path() + u"/src"_s;
    for (const QString& item : cell("items").split(u'|', Qt::SkipEmptyParts)) {
        if (item.contains(u"->"_s)) {
            QVERIFY(QDir().mkpath(m_home->path() + u"/other/Keen"_s));
            QVERIFY(QFile::link(item.section(u"->"_s, 1).replace(u"$HOME"_s, m_home->path()),
                                folder + u'/' + item.section(u"->"_s, 0, 0)));
        } else if (item.contains(u".zip:"_s)) {
            ZipWriter zip;
            for (const QString& member : item.section(u':', 1).split(u','))
                zip.addFile(member, member.endsWith(u"EXE"_s) ? QByteArray(300000, 'x') : QByteArray("x"));
            m_home->writeFile(u"src/"_s + item.section(u':', 0, 0), zip.bytes());
        } else if (item.endsWith(u'/')) {
            QVERIFY(QDir().mkpath(folder + u'/' + item));
        } else {
            m_home->writeFile(u"src/"_s + item.section(u'=', 0, 0), item.section(u'=', 1).toUtf8());
        }
    }
    for (const QString& title : cell("library").split(u'|', Qt::SkipEmptyParts))
        m_home->writeConfig(title, "game_title=" + title.toUtf8() + '\n');
    QStringList found;
    for (const FolderBatch::Found& game : FolderBatch::scan(folder)) {
        QCOMPARE(game.source, folder + u'/' + game.source.section(u'/', -1));
        found << QStringList{game.title, game.program, game.cdImage, game.inLibrary ? u"yes"_s : u"no"_s}
                     .join(u':');
    }
    QCOMPARE(found.join(u'|'), cell("found"));
}

QTEST_GUILESS_MAIN(FolderAddTest)
#include "tst_folderadd.moc"
