#include "common/RewrittenTools.h"
#include "common/ScriptedPrompter.h"
#include "common/TandrilProcess.h"
#include "common/TestHome.h"
#include "exchange/ExportJob.h"
#include "exchange/ImportJob.h"
#include "library/EntryCreation.h"
#include "library/InterruptedWork.h"
#include "library/LibraryLoader.h"
#include "library/LibraryLock.h"
#include "platform/FileOperations.h"
#include "platform/ProcessRunner.h"
#include "platform/StagingFolder.h"
#include "settings/SettingsSaver.h"

#include <csignal>
#include <QDirIterator>
#include <QLockFile>
#include <QMap>
#include <QProcess>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>

// Real faults: a full disk (a small tmpfs), a library on another file system than the temporary
// folder, failing and killed tools, a killed Tandril, and a second Tandril at work.
class FaultsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void fullDiskReportsFailureAndKeepsFiles_data();
    void fullDiskReportsFailureAndKeepsFiles();
    void exportKeepsTheOldArchive_data();
    void exportKeepsTheOldArchive();
    void optionLikeNamesStayNames_data();
    void optionLikeNamesStayNames();
    void interruptedWorkIsFinishedOrUndone_data();
    void interruptedWorkIsFinishedOrUndone();
    void stoppedExportLeavesNothing_data();
    void stoppedExportLeavesNothing();
    void secondTandrilWaitsForTheLock();

private:
    // A tmpfs of the given size over the folder; false (and the test skipped) where mounting is
    // not permitted.
    bool mountSmallDisk(const QString& folder, const QString& size);
    void makeGame(const QString& base, qsizetype dataBytes = 1000);

    std::unique_ptr<TestHome> m_home;
    QStringList m_mounts;
    ScriptedPrompter m_prompter;
};

namespace {

// Every item under the folder, hidden ones included, with its content.
QMap<QString, QByteArray> snapshot(const QString& folder)
{
    QMap<QString, QByteArray> items;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        items.insert(it.filePath().mid(folder.size()), it.fileInfo().isDir() ? "/" : readFile(it.filePath()));
    }
    return items;
}

QByteArray randomBytes(qsizetype size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator(7).fillRange(reinterpret_cast<quint32*>(bytes.data()), size / 4);
    return bytes;
}

void fillDisk(const QString& folder)
{
    QFile filler(folder + QStringLiteral("/filler"));
    QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    const QByteArray block(4096, 'f');
    while (filler.write(block) == block.size()) {
    }
}

} // namespace

void FaultsTest::init()
{
    m_home = std::make_unique<TestHome>();
    m_prompter = {};
    QDir().mkpath(m_home->libraryFolder());
}

void FaultsTest::cleanup()
{
    for (const QString& mount : std::as_const(m_mounts))
        QProcess::execute(QStringLiteral("umount"), {QStringLiteral("-l"), mount});
    m_mounts.clear();
    m_home.reset();
}

bool FaultsTest::mountSmallDisk(const QString& folder, const QString& size)
{
    QDir().mkpath(folder);
    QProcess mount;
    mount.start(QStringLiteral("mount"), {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                                          QStringLiteral("size=") + size, QStringLiteral("tmpfs"), folder});
    if (!mount.waitForFinished() || mount.exitStatus() != QProcess::NormalExit || mount.exitCode() != 0)
        return false;
    m_mounts.prepend(folder);
    return true;
}

void FaultsTest::makeGame(const QString& base, qsizetype dataBytes)
{
    m_home->writeConfig(base, "game_title=" + base.toUtf8() + "\ncycles=max\n");
    m_home->writeFile(QStringLiteral("Library/Application Support/Tandril/") + base +
                          QStringLiteral("/GAME.DAT"),
                      randomBytes(dataBytes));
}

void FaultsTest::fullDiskReportsFailureAndKeepsFiles_data()
{
    QTest::addColumn<QString>("operation");
    QTest::newRow("add a game") << "add";
    QTest::newRow("save the settings") << "save";
    QTest::newRow("import over a game: refused from its listing") << "import";
    QTest::newRow("move a game folder across file systems") << "move";
}

void FaultsTest::fullDiskReportsFailureAndKeepsFiles()
{
    QFETCH(QString, operation);
    const QString library = m_home->libraryFolder();
    if (!mountSmallDisk(library, QStringLiteral("1m")))
        QSKIP("mounting a tmpfs is not permitted here");
    makeGame(QStringLiteral("Doom"), 200000);
    // The archive's game is larger than what is left on the library's disk.
    const QString archive = m_home->path() + QStringLiteral("/Doom.tdl");
    const QString source = m_home->path() + QStringLiteral("/src/Doom");
    if (operation != u"add" && operation != u"save") {
        m_home->writeFile(QStringLiteral("src/Doom/BIG.DAT"), randomBytes(900000));
        m_home->writeFile(QStringLiteral("src/Doom.conf"), "game_title=Doom\n");
        m_home->writeFile(QStringLiteral("src/tdl"), "");
        QProcess zip;
        zip.setWorkingDirectory(m_home->path() + QStringLiteral("/src"));
        zip.start(QStringLiteral("/usr/bin/zip"), {QStringLiteral("-qr"), archive, QStringLiteral("Doom"),
                                                   QStringLiteral("Doom.conf"), QStringLiteral("tdl")});
        QVERIFY(zip.waitForFinished() && zip.exitCode() == 0);
    } else {
        // Full but for one page: the lock file fits, the configuration file does not.
        m_home->writeFile(QStringLiteral("Library/Application Support/Tandril/reserve"),
                          QByteArray(4096, 'r'));
        fillDisk(library);
        QFile::remove(library + QStringLiteral("/reserve"));
    }
    const QMap<QString, QByteArray> before = snapshot(library);

    bool succeeded = true;
    if (operation == u"add") {
        succeeded =
            EntryCreation::createConfigEntryAndFolder(QStringLiteral("Heretic"), m_prompter).has_value();
        QCOMPARE(m_prompter.takeAlerts().size(), 1);
        QVERIFY(!QFile::exists(library + QStringLiteral("/Heretic.conf")));
    } else if (operation == u"move") {
        // Half of it fits: the copy fails as a whole, and what it had copied goes.
        const std::optional<QString> error =
            FileOperations::moveItem(source, library + QStringLiteral("/Doom 2"));
        succeeded = !error;
        QVERIFY(QFile::exists(source + QStringLiteral("/BIG.DAT")));
    } else if (operation == u"save") {
        SettingsSaver::Form form;
        form.title = QStringLiteral("Doom");
        form.autoexec = QString(20000, u'x');
        succeeded = SettingsSaver::save(form, library + QStringLiteral("/Doom.conf"), false, m_prompter) ==
                    SettingsSaver::Outcome::Saved;
        QCOMPARE(m_prompter.questions.size(), 1);
        QCOMPARE(m_prompter.questions.first().title, QStringLiteral("Could Not Save"));
    } else {
        m_prompter.answers = {0}; // Overwrite
        ProcessRunner runner;
        ImportJob job(m_prompter, runner);
        QSignalSpy finished(&job, &ImportJob::finished);
        job.start(archive, ImportJob::Road::Panel);
        QVERIFY(finished.wait(60000));
        succeeded = finished.first().first().toBool();
        const QList<ScriptedPrompter::Alert> alerts = m_prompter.takeAlerts();
        QCOMPARE(alerts.size(), 1);
        QCOMPARE(alerts.first().title, QStringLiteral("Import Failed"));
        // Said before anything was unpacked, with what it needs and what is free.
        QVERIFY2(alerts.first().message.contains(QStringLiteral("of free space, but only")),
                 qPrintable(alerts.first().message));
    }
    QVERIFY(!succeeded);
    // Whatever the operation had made is gone; everything that was there is as it was.
    QMap<QString, QByteArray> after = snapshot(library);
    for (const QString& made :
         {QStringLiteral("/Heretic"), QStringLiteral("/Heretic/FLOPPIES"), QStringLiteral("/Doom/FLOPPIES")})
        after.remove(made);
    QCOMPARE(after.keys(), before.keys());
    QVERIFY(after == before);
}

void FaultsTest::exportKeepsTheOldArchive_data()
{
    QTest::addColumn<QString>("zip");
    QTest::addColumn<bool>("smallDesktop");
    QTest::newRow("zip fails") << "exit 12" << false;
    QTest::newRow("zip killed") << "kill -KILL $$" << false;
    QTest::newRow("zip missing") << "exec /nonexistent/zip" << false;
    QTest::newRow("Desktop on a full disk of its own") << "" << true;
}

void FaultsTest::exportKeepsTheOldArchive()
{
    QFETCH(QString, zip);
    QFETCH(bool, smallDesktop);
    const QString desktop = m_home->path() + QStringLiteral("/Desktop");
    if (smallDesktop && !mountSmallDisk(desktop, QStringLiteral("600k")))
        QSKIP("mounting a tmpfs is not permitted here");
    QDir().mkpath(desktop);
    makeGame(QStringLiteral("Doom"), 1000000); // random bytes: the archive does not fit
    const QByteArray old = "the old, complete archive";
    m_home->writeFile(QStringLiteral("Desktop/Doom.tdl"), old);

    m_prompter.answers = {0}; // Overwrite
    // zip replaced by a failing or self-killing command, or the real one on a full Desktop.
    RewrittenTools tools([&](ProcessRunner::Command command) {
        if (!smallDesktop && command.program.endsWith(QStringLiteral("/zip")))
            command = {QStringLiteral("/bin/sh"), {QStringLiteral("-c"), zip}, command.workingDirectory};
        return command;
    });
    ExportJob job(m_prompter, tools);
    QSignalSpy finished(&job, &ExportJob::finished);
    QVERIFY(job.start(LibraryLoader::readEntry(m_home->libraryFolder() + QStringLiteral("/Doom.conf"))));
    QVERIFY(!finished.isEmpty() || finished.wait(60000));
    QCOMPARE(finished.first().first().toBool(), false);
    QCOMPARE(m_prompter.takeAlerts().first().title, QStringLiteral("Export Failed"));
    QCOMPARE(snapshot(desktop).keys(), QStringList{"/Doom.tdl"});
    QCOMPARE(readFile(desktop + QStringLiteral("/Doom.tdl")), old);
    QCOMPARE(QDir(m_home->temporaryFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList());
}

void FaultsTest::optionLikeNamesStayNames_data()
{
    QTest::addColumn<QString>("base");
    QTest::newRow("-n") << "-n";
    QTest::newRow("-Pac-Man-") << "-Pac-Man-";
    QTest::newRow("-e (encrypt)") << "-e";
}

void FaultsTest::optionLikeNamesStayNames()
{
    QFETCH(QString, base);
    QDir().mkpath(m_home->path() + QStringLiteral("/Desktop"));
    makeGame(base);
    ProcessRunner runner;
    ExportJob job(m_prompter, runner);
    QSignalSpy finished(&job, &ExportJob::finished);
    QVERIFY(
        job.start(LibraryLoader::readEntry(m_home->libraryFolder() + u'/' + base + QStringLiteral(".conf"))));
    QVERIFY(finished.wait(60000));
    QVERIFY(finished.first().first().toBool());
    const QString archive = m_home->path() + QStringLiteral("/Desktop/") + base + QStringLiteral(".tdl");
    QProcess zipinfo;
    zipinfo.start(QStringLiteral("/usr/bin/zipinfo"), {QStringLiteral("-1"), archive});
    QVERIFY(zipinfo.waitForFinished());
    QCOMPARE(QString::fromUtf8(zipinfo.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts),
             (QStringList{base + u'/', base + QStringLiteral("/GAME.DAT"), base + QStringLiteral(".conf"),
                          QStringLiteral("tdl")}));

    // And back in, from a relative path that starts with "-".
    FileOperations::removeItem(m_home->libraryFolder());
    QDir::setCurrent(m_home->path() + QStringLiteral("/Desktop"));
    ImportJob importer(m_prompter, runner);
    QSignalSpy imported(&importer, &ImportJob::finished);
    importer.start(base + QStringLiteral(".tdl"), ImportJob::Road::Panel);
    QVERIFY(imported.wait(60000));
    QDir::setCurrent(QStringLiteral("/"));
    QVERIFY(imported.first().first().toBool());
    QCOMPARE(readFile(m_home->libraryFolder() + u'/' + base + QStringLiteral("/GAME.DAT")),
             randomBytes(1000));
}

void FaultsTest::interruptedWorkIsFinishedOrUndone_data()
{
    // What a kill at each step leaves (name → content; "/" a folder), and what the next start
    // makes of it. "U" stands for the operation's UUID.
    QTest::addColumn<QStringList>("left");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("delete: folder set aside, game still listed")
        << QStringList{"Doom.conf=old", ".Doom.deleting-U/GAME.EXE=old"}
        << QStringList{"Doom.conf=old", "Doom/GAME.EXE=old"};
    QTest::newRow("delete: configuration already gone")
        << QStringList{".Doom.deleting-U/GAME.EXE=old"} << QStringList{};
    QTest::newRow("import: killed while copying in")
        << QStringList{"Doom.conf=old", "Doom/GAME.EXE=old", ".Doom.conf.incoming-U=new",
                       ".Doom.partial-U/GAME.EXE=ne"}
        << QStringList{"Doom.conf=old", "Doom/GAME.EXE=old"};
    QTest::newRow("import: killed half-way through the swap")
        << QStringList{".tandril-swap-U=Doom.conf\nDoom", "Doom.conf=new", ".Doom.conf.previous-U=old",
                       "Doom/GAME.EXE=old", ".Doom.incoming-U/GAME.EXE=new"}
        << QStringList{"Doom.conf=new", "Doom/GAME.EXE=new"};
    QTest::newRow("import: killed before removing the old game")
        << QStringList{".tandril-swap-U=Doom.conf\nDoom", "Doom.conf=new", ".Doom.conf.previous-U=old",
                       "Doom/GAME.EXE=new", ".Doom.previous-U/GAME.EXE=old"}
        << QStringList{"Doom.conf=new", "Doom/GAME.EXE=new"};
}

void FaultsTest::interruptedWorkIsFinishedOrUndone()
{
    QFETCH(QStringList, left);
    QFETCH(QStringList, expected);
    const QString uuid = QStringLiteral("0A1B2C3D-0000-4000-8000-00000000000F");
    for (const QString& item : left) {
        const QString name = item.section(u'=', 0, 0).replace(QStringLiteral("-U"), u'-' + uuid);
        m_home->writeFile(QStringLiteral("Library/Application Support/Tandril/") + name,
                          item.section(u'=', 1).toUtf8());
    }
    // A staging folder whose process is gone, and one whose process is this one.
    QProcess gone;
    gone.start(QStringLiteral("/bin/true"));
    QVERIFY(gone.waitForStarted());
    const qint64 gonePid = gone.processId();
    QVERIFY(gone.waitForFinished());
    const QString abandoned = m_home->temporaryFolder() + u'/' + uuid;
    m_home->writeFile(abandoned + QStringLiteral("/big.zip"), "partial");
    {
        // The lock file a killed process leaves: its own id, which no process has any more.
        QLockFile lock(abandoned + QStringLiteral(".lock"));
        QVERIFY(lock.tryLock(0));
        QByteArray content = readFile(abandoned + QStringLiteral(".lock"));
        lock.unlock();
        content.replace(0, content.indexOf('\n'), QByteArray::number(gonePid));
        m_home->writeFile(abandoned + QStringLiteral(".lock"), content);
    }
    const StagingFolder live;
    QVERIFY(QFileInfo::exists(abandoned + QStringLiteral(".lock")));

    InterruptedWork::finish();

    QStringList items;
    const QMap<QString, QByteArray> after = snapshot(m_home->libraryFolder());
    for (auto it = after.cbegin(); it != after.cend(); ++it) {
        if (it.value() != "/")
            items.append(it.key().mid(1) + u'=' + QString::fromUtf8(it.value()));
    }
    QCOMPARE(items, expected);
    QVERIFY(!QFileInfo::exists(abandoned));
    QVERIFY(QFileInfo(live.path()).isDir());
}

void FaultsTest::stoppedExportLeavesNothing_data()
{
    QTest::addColumn<int>("signal");
    QTest::newRow("killed: the next start cleans up") << int(SIGKILL);
    QTest::newRow("Ctrl+C: cancelled at once") << int(SIGINT);
}

void FaultsTest::stoppedExportLeavesNothing()
{
    QFETCH(int, signal);
    makeGame(QStringLiteral("Doom"), 50 * 1000 * 1000);
    m_home->writeFile(QStringLiteral("Library/Application Support/Tandril/Doom/MORE.DAT"), randomBytes(1000));
    QDir().mkpath(m_home->path() + QStringLiteral("/Desktop"));
    QProcess* exporter =
        startTandril(tandrilEnvironment(*m_home), {QStringLiteral("export"), QStringLiteral("Doom")}, this);
    // Stopped while zip works in its staging folder: its progress shows as plain lines.
    QByteArray progress;
    QTRY_VERIFY_WITH_TIMEOUT(
        (progress += exporter->readAllStandardOutput()).contains("% Exporting Doom: Doom/"), 30000);
    ::kill(pid_t(exporter->processId()), signal);
    QVERIFY(exporter->waitForFinished());
    const QDir temporary(m_home->temporaryFolder());
    if (signal == SIGINT) {
        QCOMPARE(exporter->exitCode(), 1);
        QVERIFY(exporter->readAllStandardError().contains("Exporting Doom: cancelled"));
    } else {
        QVERIFY(!temporary.entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
        QCOMPARE(runTandril(*m_home, {QStringLiteral("list")}).exitCode, 0);
    }
    QCOMPARE(temporary.entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
    QVERIFY(!QFileInfo::exists(m_home->path() + QStringLiteral("/Desktop/Doom.tdl")));
}

void FaultsTest::secondTandrilWaitsForTheLock()
{
    makeGame(QStringLiteral("Doom"));
    {
        const LibraryLock held;
        QVERIFY(!held.failure());
        const QMap<QString, QByteArray> before = snapshot(m_home->libraryFolder());
        const TandrilRun busy =
            runTandril(*m_home, {QStringLiteral("--yes"), QStringLiteral("delete"), QStringLiteral("Doom")});
        QCOMPARE(busy.exitCode, 1);
        QVERIFY2(busy.err.contains(QStringLiteral("Another Tandril is changing the library")),
                 qPrintable(busy.err));
        QVERIFY(snapshot(m_home->libraryFolder()) == before);
    }
    QCOMPARE(runTandril(*m_home, {QStringLiteral("--yes"), QStringLiteral("delete"), QStringLiteral("Doom")})
                 .exitCode,
             0);
    QCOMPARE(QDir(m_home->libraryFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
}

QTEST_GUILESS_MAIN(FaultsTest)
#include "tst_faults.moc"
