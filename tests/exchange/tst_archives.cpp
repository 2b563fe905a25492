#include "common/ScriptedPrompter.h"
#include "common/TestHome.h"
#include "common/ZipWriter.h"
#include "exchange/ArchiveFormat.h"
#include "exchange/ExportJob.h"
#include "exchange/ImportJob.h"
#include "library/LibraryLoader.h"
#include "platform/ProcessRunner.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <sys/stat.h>

// Exchange archives: the format, export to the Desktop and import into the library.
class ArchivesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void memberNames_data();
    void memberNames();
    void rewriteUserPaths_data();
    void rewriteUserPaths();

    void roundTripToAnotherUser();
    void exportFailures_data();
    void exportFailures();
    void importRefusals_data();
    void importRefusals();
    void importOverwrite_data();
    void importOverwrite();
    void importConfigurationOnly();
    void missingTools();
    void cancelLeavesEverythingAsItWas_data();
    void cancelLeavesEverythingAsItWas();

private:
    void makeGame(const TestHome& home, const QString& base, const QByteArray& config);
    bool exportGame(const QString& base);
    bool importArchive(const QString& archive, ImportJob::Road road = ImportJob::Road::Panel);
    QStringList leftoverStaging() const;
    QString makeArchive(const ZipWriter& zip, const QString& name = QStringLiteral("game.tdl"));

    std::unique_ptr<TestHome> m_home;
    ScriptedPrompter m_prompter;
    ProcessRunner m_runner;
};

namespace {

QStringList zipinfo(const QString& archive)
{
    QProcess process;
    process.start(QStringLiteral("/usr/bin/zipinfo"), {QStringLiteral("-1"), archive});
    process.waitForFinished();
    return QString::fromUtf8(process.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
}

} // namespace

void ArchivesTest::initTestCase()
{
    for (const char* tool : {"/usr/bin/zip", "/usr/bin/unzip", "/usr/bin/zipinfo"}) {
        if (!QFileInfo(QString::fromLatin1(tool)).isExecutable())
            QSKIP("Info-ZIP's zip, unzip and zipinfo are not installed");
    }
}

void ArchivesTest::init()
{
    m_home = std::make_unique<TestHome>();
    m_prompter = {};
    QDir().mkpath(m_home->path() + QStringLiteral("/Desktop"));
}

void ArchivesTest::cleanup()
{
    QCOMPARE(leftoverStaging(), QStringList());
    QVERIFY(m_prompter.answers.isEmpty());
    m_home.reset();
}

QStringList ArchivesTest::leftoverStaging() const
{
    return QDir(m_home->temporaryFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
}

void ArchivesTest::makeGame(const TestHome& home, const QString& base, const QByteArray& config)
{
    home.writeConfig(base, config);
    home.writeFile(QStringLiteral("Library/Application Support/Tandril/") + base +
                       QStringLiteral("/GAME.EXE"),
                   "MZ game");
    home.writeFile(QStringLiteral("Library/Application Support/Tandril/") + base +
                       QStringLiteral("/SUB/DATA.DAT"),
                   QByteArray(100000, 'd'));
    QDir().mkpath(home.libraryFolder() + u'/' + base + QStringLiteral("/FLOPPIES"));
}

bool ArchivesTest::exportGame(const QString& base)
{
    ExportJob job(m_prompter, m_runner);
    QSignalSpy finished(&job, &ExportJob::finished);
    // A file that does not load still names a game, as on the command line.
    const QString file = m_home->libraryFolder() + u'/' + base + QStringLiteral(".conf");
    if (!job.start(LibraryLoader::readEntry(file).value_or(ConfigEntry{QString(), file, std::nullopt})))
        return false;
    if (finished.isEmpty() && !finished.wait(60000))
        qFatal("export did not finish");
    return finished.first().first().toBool();
}

bool ArchivesTest::importArchive(const QString& archive, ImportJob::Road road)
{
    ImportJob job(m_prompter, m_runner);
    QSignalSpy finished(&job, &ImportJob::finished);
    job.start(archive, road);
    if (finished.isEmpty() && !finished.wait(60000))
        qFatal("import did not finish");
    return finished.first().first().toBool();
}

QString ArchivesTest::makeArchive(const ZipWriter& zip, const QString& name)
{
    const QString path = m_home->path() + QStringLiteral("/incoming/") + name;
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (!zip.write(path))
        qFatal("cannot write test archive");
    return path;
}

void ArchivesTest::memberNames_data()
{
    QTest::addColumn<QByteArray>("listing");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("lines") << QByteArray("G/\nG/A.EXE\nG.conf\ntdl\n")
                           << QStringList{"G/", "G/A.EXE", "G.conf", "tdl"};
    QTest::newRow("carriage returns") << QByteArray("tdl\r\nG.conf\r\n") << QStringList{"tdl", "G.conf"};
    QTest::newRow("not UTF-8 gives nothing") << QByteArray("tdl\nSP\xc4L.conf\n") << QStringList{};
}

void ArchivesTest::memberNames()
{
    QFETCH(QByteArray, listing);
    QFETCH(QStringList, names);
    QCOMPARE(ArchiveFormat::memberNames(listing), names);
}

void ArchivesTest::rewriteUserPaths_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("home");
    QTest::addColumn<QString>("expected");
    const auto row = [](const char* name, const char* text, const char* home, const char* expected) {
        QTest::newRow(name) << QString::fromUtf8(text) << QString::fromUtf8(home)
                            << QString::fromUtf8(expected);
    };
    row("macOS home", "setup_exe=/Users/old/Library/SETUP.EXE\n", "/Users/new",
        "setup_exe=/Users/new/Library/SETUP.EXE\n");
    row("anywhere in a line, comments too", "# was /Users/a/x and /Users/b/y\n", "/home/c",
        "# was /home/c/x and /home/c/y\n");
    row("Linux home, one pass over both forms", "/home/a/Users/b/x", "/H", "/H/Users/b/x");
    row("home inserted verbatim", "/Users/a/x", "/srv/$1\\0 home", "/srv/$1\\0 home/x");
    row("other prefixes stay", "/opt/users/a/x /Users", "/H", "/opt/users/a/x /Users");
}

void ArchivesTest::rewriteUserPaths()
{
    QFETCH(QString, text);
    QFETCH(QString, home);
    QFETCH(QString, expected);
    QCOMPARE(ArchiveFormat::rewriteUserPaths(text, home), expected);
}

void ArchivesTest::roundTripToAnotherUser()
{
    const QByteArray config =
        "[tandril]\ngame_title=Cave Runner: Ünïcode\n"
        "setup_exe=/Users/olduser/Library/Application Support/Tandril/Cave Runner/SETUP.EXE\n"
        "cd_image=/home/ann/ISO/cave.cue\n[tandril autoexec]\necho /Users/x/y\n";
    makeGame(*m_home, QStringLiteral("Cave Runner [1]"), config);
    QVERIFY(exportGame(QStringLiteral("Cave Runner [1]")));
    const QString archive = m_home->path() + QStringLiteral("/Desktop/Cave Runner [1].tdl");
    QCOMPARE(m_prompter.takeAlerts(),
             QList<ScriptedPrompter::Alert>(
                 {{"Export Successful", "File saved to your Desktop:\nCave Runner [1].tdl"}}));
    QCOMPARE(zipinfo(archive), (QStringList{"Cave Runner [1]/", "Cave Runner [1]/FLOPPIES/",
                                            "Cave Runner [1]/GAME.EXE", "Cave Runner [1]/SUB/",
                                            "Cave Runner [1]/SUB/DATA.DAT", "Cave Runner [1].conf", "tdl"}));

    const TestHome other;
    QVERIFY(importArchive(archive));
    QCOMPARE(m_prompter.takeAlerts(),
             QList<ScriptedPrompter::Alert>({{"Import Successful", "Game imported successfully."}}));
    const QString library = other.libraryFolder();
    QCOMPARE(tree(library + QStringLiteral("/Cave Runner [1]")),
             (QStringList{"FLOPPIES/", "GAME.EXE", "SUB/", "SUB/DATA.DAT"}));
    QCOMPARE(readFile(library + QStringLiteral("/Cave Runner [1]/SUB/DATA.DAT")), QByteArray(100000, 'd'));
    QCOMPARE(QString::fromUtf8(readFile(library + QStringLiteral("/Cave Runner [1].conf"))),
             QString::fromUtf8(config)
                 .replace(QStringLiteral("/Users/olduser"), other.path())
                 .replace(QStringLiteral("/home/ann"), other.path())
                 .replace(QStringLiteral("/Users/x"), other.path()));
    QCOMPARE(QDir(other.temporaryFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
    // The exporting user's game is untouched.
    QCOMPARE(readFile(m_home->libraryFolder() + QStringLiteral("/Cave Runner [1].conf")), config);
}

void ArchivesTest::exportFailures_data()
{
    QTest::addColumn<bool>("withFolder");
    QTest::addColumn<bool>("withDesktop");
    QTest::addColumn<QString>("message"); // empty: the system's words
    QTest::addColumn<QByteArray>("config");
    const QByteArray config = "game_title=Doom\n";
    QTest::newRow("no game folder") << false << true << "" << config;
    QTest::newRow("no Desktop") << true << false << "Could not create TDL file." << config;
    // Its archive could never be imported.
    QTest::newRow("configuration not UTF-8")
        << true << true
        << "The configuration file is not valid UTF-8 text: its archive could not be imported."
        << QByteArray("game_title=Caf\xe9\n");
}

void ArchivesTest::exportFailures()
{
    QFETCH(bool, withFolder);
    QFETCH(bool, withDesktop);
    QFETCH(QString, message);
    QFETCH(QByteArray, config);
    if (withFolder)
        makeGame(*m_home, QStringLiteral("Doom"), config);
    else
        m_home->writeConfig(QStringLiteral("Doom"), config);
    if (!withDesktop)
        QVERIFY(QDir(m_home->path() + QStringLiteral("/Desktop")).removeRecursively());
    QVERIFY(!exportGame(QStringLiteral("Doom")));
    const QList<ScriptedPrompter::Alert> alerts = m_prompter.takeAlerts();
    QCOMPARE(alerts.size(), 1);
    QCOMPARE(alerts.first().title, QStringLiteral("Export Failed"));
    if (!message.isEmpty())
        QCOMPARE(alerts.first().message, message);
    QVERIFY(!QFileInfo::exists(m_home->path() + QStringLiteral("/Desktop/Doom.tdl")));
    QCOMPARE(QFileInfo::exists(m_home->path() + QStringLiteral("/Desktop")), withDesktop); // never made
}

void ArchivesTest::importRefusals_data()
{
    QTest::addColumn<QByteArray>("archive");
    QTest::addColumn<QString>("message");
    const QString missingMarker = QStringLiteral("game.tdl is not a Tandril archive.");
    const QString outside =
        QStringLiteral("The TDL file holds the member \"%1\", which would be written outside its folder.");
    QTest::newRow("no marker") << ZipWriter({"G.conf=game_title=G\n"}).bytes() << missingMarker;
    QTest::newRow("missing file") << QByteArray("<missing>") << "The file $PATH does not exist.";
    QTest::newRow("FIFO, refused without blocking") << QByteArray("<fifo>") << "$PATH is not a file.";
    const QByteArray good = ZipWriter({"tdl=", "G.conf=game_title=G\n" + QString(4000, u'#')}).bytes();
    QTest::newRow("truncated") << good.left(good.size() - 30) << missingMarker;
    QByteArray corrupt = good;
    corrupt[200] = char(corrupt[200] ^ 0x55); // inside the stored configuration: the CRC fails
    QTest::newRow("corrupt data") << corrupt << "Could not extract TDL file.";
    ZipWriter latin1({"tdl="});
    latin1.addFile(QStringLiteral("G.conf"), "game_title=Caf\xe9\n");
    QTest::newRow("configuration not UTF-8")
        << latin1.bytes() << "Could not update user paths in .conf file.";
    QTest::newRow("zip-slip")
        << ZipWriter({"tdl=", "G.conf=game_title=G\n", "G/../../evil.sh=rm -rf"}).bytes()
        << outside.arg("G/../../evil.sh");
    QTest::newRow("absolute member") << ZipWriter({"tdl=", "/tmp/evil=x"}).bytes()
                                     << outside.arg("/tmp/evil");
    QTest::newRow("backslash parent")
        << ZipWriter({"tdl=", "G\\..\\..\\x=x"}).bytes() << outside.arg("G\\..\\..\\x");
    QTest::newRow("link out of the game")
        << ZipWriter({"tdl=", "G.conf=game_title=G\n", "G/", "G/ROOT->/"}).bytes()
        << "The TDL file holds the link \"G/ROOT\", which leads out of the game folder.";
    QTest::newRow("configuration named ..conf")
        << ZipWriter({"tdl=", "..conf=game_title=G\n"}).bytes()
        << "The title must contain at least one character that can be used in a file name.";
}

void ArchivesTest::importRefusals()
{
    QFETCH(QByteArray, archive);
    QFETCH(QString, message);
    QString path = m_home->path() + QStringLiteral("/incoming/game.tdl");
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (archive == "<fifo>")
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else if (archive != "<missing>")
        path = m_home->writeFile(QStringLiteral("incoming/game.tdl"), archive);
    message.replace(QStringLiteral("$PATH"), path);
    m_home->writeConfig(QStringLiteral("Mine"), "game_title=Mine\n");
    QVERIFY(!importArchive(path));
    QCOMPARE(m_prompter.takeAlerts(), QList<ScriptedPrompter::Alert>({{"Import Failed", message}}));
    QCOMPARE(QDir(m_home->libraryFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList{"Mine.conf"});
    QCOMPARE(readFile(m_home->libraryFolder() + QStringLiteral("/Mine.conf")),
             QByteArray("game_title=Mine\n"));
    QVERIFY(!QFileInfo::exists(m_home->path() + QStringLiteral("/evil.sh")));
}

void ArchivesTest::importOverwrite_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("library"); // afterwards, every item joined by "|"
    QTest::addColumn<QString>("titles");
    QTest::newRow("Replace") << 0 << "Doom 3/|Doom 3/X|Doom.conf|Doom/|Doom/NEW.EXE"
                             << "Doom (new)";
    QTest::newRow("Keep Both")
        << 1 << "Doom 2.conf|Doom 2/|Doom 2/NEW.EXE|Doom 3/|Doom 3/X|Doom.conf|Doom/|Doom/OLD.EXE"
        << "Doom (new) 2|Doom (old)";
    QTest::newRow("Cancel, the default") << 2 << "Doom 3/|Doom 3/X|Doom.conf|Doom/|Doom/OLD.EXE"
                                         << "Doom (old)";
}

void ArchivesTest::importOverwrite()
{
    QFETCH(int, answer);
    QFETCH(QString, library);
    QFETCH(QString, titles);
    const QString archive =
        makeArchive(ZipWriter({"Doom/", "Doom/NEW.EXE=new",
                               "Doom.conf=game_title=Doom (new)\nsetup_exe=/home/x/Library/"
                               "Application Support/Tandril/Doom/NEW.EXE\n",
                               "tdl="}));
    m_home->writeConfig(QStringLiteral("Doom"), "game_title=Doom (old)\n");
    m_home->writeFile(QStringLiteral("Library/Application Support/Tandril/Doom/OLD.EXE"), "old");
    m_home->writeFile(QStringLiteral("Library/Application Support/Tandril/Doom 3/X"),
                      "a third game's folder");
    m_prompter.answers = {answer};
    QCOMPARE(importArchive(archive), answer != 2);
    // Asked from the listing, before anything was unpacked.
    QCOMPARE(m_prompter.questions.size(), 1);
    QCOMPARE(m_prompter.questions.first().text,
             QStringLiteral("A game named \"Doom (old)\" is already in your library."));
    QCOMPARE(m_prompter.questions.first().buttons, (QStringList{"Replace", "Keep Both", "Cancel"}));
    QCOMPARE(m_prompter.questions.first().defaultButton, 2);
    // Nothing is left beside the games by the swap.
    const QString folder = m_home->libraryFolder();
    QCOMPARE(tree(folder).join(u'|'), library);
    QStringList loaded;
    for (const ConfigEntry& entry : LibraryLoader::load(folder).value_or(QList<ConfigEntry>{}))
        loaded << entry.title;
    QCOMPARE(loaded.join(u'|'), titles);
    if (answer == 1) // paths into the game folder follow it to its new name
        QVERIFY(readFile(folder + QStringLiteral("/Doom 2.conf")).contains("/Tandril/Doom 2/NEW.EXE\n"));
    m_prompter.takeAlerts();
}

void ArchivesTest::importConfigurationOnly()
{
    const ZipWriter zip({"tdl=", "Loom.conf=game_title=Loom\n"});
    // A folder of the same name that the archive does not bring stays, unasked.
    const QString kept =
        m_home->writeFile(QStringLiteral("Library/Application Support/Tandril/Loom/LOOM.EXE"), "MZ");
    QVERIFY(importArchive(makeArchive(zip)));
    QVERIFY(m_prompter.questions.isEmpty());
    QCOMPARE(tree(m_home->libraryFolder()), (QStringList{"Loom.conf", "Loom/", "Loom/LOOM.EXE"}));
    QCOMPARE(readFile(kept), QByteArray("MZ"));
    QCOMPARE(m_prompter.takeAlerts().size(), 1);
}

namespace {

// A system without the archive tools.
class MissingTools final : public ProcessRunner
{
public:
    QPointer<QProcess> run(const Command& command, bool captureOutput, Done done, LineHandler lines) override
    {
        Command missing = command;
        missing.program = QStringLiteral("/nonexistent") + command.program;
        return ProcessRunner::run(missing, captureOutput, std::move(done), std::move(lines));
    }
};

} // namespace

void ArchivesTest::missingTools()
{
    MissingTools runner;
    makeGame(*m_home, QStringLiteral("Doom"), "game_title=Doom\n");
    ExportJob exporter(m_prompter, runner);
    QSignalSpy exported(&exporter, &ExportJob::finished);
    QVERIFY(exporter.start(LibraryLoader::readEntry(m_home->libraryFolder() + QStringLiteral("/Doom.conf"))));
    QVERIFY(exported.wait(10000));
    ImportJob importer(m_prompter, runner);
    QSignalSpy imported(&importer, &ImportJob::finished);
    importer.start(m_home->writeFile(QStringLiteral("x.tdl"), "x"), ImportJob::Road::Panel);
    QVERIFY(imported.wait(10000));
    QCOMPARE(m_prompter.takeAlerts(),
             (QList<ScriptedPrompter::Alert>{
                 {"Export Failed", "/nonexistent/usr/bin/zip is missing; install the zip package."},
                 {"Import Failed", "/nonexistent/usr/bin/zipinfo is missing; install the unzip package."}}));
}

namespace {

// zip and unzip that report two items slowly before the real tool runs.
class SlowTools final : public ProcessRunner
{
public:
    QPointer<QProcess> run(const Command& command, bool captureOutput, Done done, LineHandler lines) override
    {
        Command slow = command;
        const QByteArray verb = command.program.endsWith(QStringLiteral("/zip")) ? "adding" : "inflating";
        if (!command.program.endsWith(QStringLiteral("zipinfo"))) {
            slow.program = QStringLiteral("/bin/sh");
            slow.arguments =
                QStringList{QStringLiteral("-c"),
                            QStringLiteral("for i in 1 2; do echo \"  %1: Doom/F$i (stored 0%)\"; "
                                           "sleep 1; done; exec \"$0\" \"$@\"")
                                .arg(QString::fromLatin1(verb)),
                            command.program} +
                command.arguments;
        }
        return ProcessRunner::run(slow, captureOutput, std::move(done), std::move(lines));
    }
};

} // namespace

void ArchivesTest::cancelLeavesEverythingAsItWas_data()
{
    QTest::addColumn<bool>("exporting");
    QTest::newRow("export over an old archive") << true;
    QTest::newRow("import over a game") << false;
}

void ArchivesTest::cancelLeavesEverythingAsItWas()
{
    QFETCH(bool, exporting);
    makeGame(*m_home, QStringLiteral("Doom"), "game_title=Doom\n");
    const QString archive = m_home->path() + QStringLiteral("/Desktop/Doom.tdl");
    QVERIFY(exportGame(QStringLiteral("Doom")));
    m_prompter.takeAlerts();
    const QByteArray oldArchive = readFile(archive);
    const QStringList oldLibrary = tree(m_home->libraryFolder());

    SlowTools runner;
    m_prompter.answers = {0}; // Overwrite / Replace
    std::unique_ptr<ArchiveJob> job;
    if (exporting) {
        auto exporter = std::make_unique<ExportJob>(m_prompter, runner);
        QVERIFY(exporter->start(
            LibraryLoader::readEntry(m_home->libraryFolder() + QStringLiteral("/Doom.conf"))));
        job = std::move(exporter);
    } else {
        auto importer = std::make_unique<ImportJob>(m_prompter, runner);
        importer->start(archive, ImportJob::Road::Panel);
        job = std::move(importer);
    }
    QSignalSpy progressed(job.get(), &ArchiveJob::progressed);
    QSignalSpy cancelled(job.get(), &ArchiveJob::cancelled);
    QSignalSpy finished(job.get(), &ArchiveJob::finished);
    QVERIFY(progressed.wait(10000));
    QCOMPARE(progressed.first().at(0).toLongLong(), 1);
    QCOMPARE(progressed.first().at(1).toLongLong(),
             7); // Doom/, FLOPPIES/, GAME.EXE, SUB/, DATA.DAT, .conf, tdl
    QCOMPARE(progressed.first().at(2).toString(), QStringLiteral("Doom/F1"));
    job->cancel();
    QVERIFY(finished.wait(10000));
    QCOMPARE(finished.first().first().toBool(), false);
    QCOMPARE(cancelled.size(), 1);
    QVERIFY(m_prompter.takeAlerts().isEmpty());
    QCOMPARE(readFile(archive), oldArchive);
    QCOMPARE(tree(m_home->libraryFolder()), oldLibrary);
}

QTEST_GUILESS_MAIN(ArchivesTest)
#include "tst_archives.moc"
