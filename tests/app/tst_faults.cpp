#include "common/ArchiveJobs.h"
#include "common/RewrittenTools.h"
#include "common/Rows.h"
#include "common/ScriptedPrompter.h"
#include "common/TandrilProcess.h"
#include "common/TestHome.h"
#include "common/ZipWriter.h"
#include "exchange/ExportJob.h"
#include "exchange/ImportJob.h"
#include "library/EntryCreation.h"
#include "library/EntryDeletion.h"
#include "library/InterruptedWork.h"
#include "library/ItemSwap.h"
#include "library/LibraryLoader.h"
#include "library/LibraryLock.h"
#include "platform/FileOperations.h"
#include "platform/ProcessRunner.h"
#include "platform/StagingFolder.h"
#include "settings/SettingsSaver.h"

#include <csignal>
#include <dirent.h>
#include <fcntl.h>
#include <QLockFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSettings>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

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
    void optionLikeNamesStayNames();
    void interruptedWorkIsFinishedOrUndone_data();
    void interruptedWorkIsFinishedOrUndone();
    void stoppedExportLeavesNothing_data();
    void stoppedExportLeavesNothing();
    void moveAcrossFileSystems();
    void swapRolledBackWhenItsSecondItemCannotStepAside();
    void deletionPutsBackWhatItSetAside_data();
    void deletionPutsBackWhatItSetAside();
    void secondTandrilWaitsForTheLock();
    void racesAreDecidedUnderTheLock_data();
    void racesAreDecidedUnderTheLock();
    void exportOfAGameThatChangesIsRefused();
    void namesThatAreNotUtf8_data();
    void namesThatAreNotUtf8();
    void sharedFilesKeepEveryChange_data();
    void sharedFilesKeepEveryChange();
    void checkingDosboxEndsWithTandril_data();
    void checkingDosboxEndsWithTandril();

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

QByteArray randomBytes(qsizetype size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator(7).fillRange(reinterpret_cast<quint32*>(bytes.data()), size / 4);
    return bytes;
}

void fillDisk(const QString& folder)
{
    QFile filler(folder + u"/filler"_s);
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
        QProcess::execute(u"umount"_s, {u"-l"_s, mount});
    m_mounts.clear();
    m_home.reset();
}

bool FaultsTest::mountSmallDisk(const QString& folder, const QString& size)
{
    QDir().mkpath(folder);
    QProcess mount;
    mount.start(u"mount"_s, {u"-t"_s, u"tmpfs"_s, u"-o"_s, u"size="_s + size, u"tmpfs"_s, folder});
    if (!mount.waitForFinished() || mount.exitStatus() != QProcess::NormalExit || mount.exitCode() != 0)
        return false;
    m_mounts.prepend(folder);
    return true;
}

void FaultsTest::makeGame(const QString& base, qsizetype dataBytes)
{
    m_home->writeConfig(base, "game_title=" + base.toUtf8() + "\ncycles=max\n");
    m_home->writeFile(u"Library/Application Support/Tandril/"_s + base + u"/GAME.DAT"_s,
                      randomBytes(dataBytes));
}

void FaultsTest::fullDiskReportsFailureAndKeepsFiles_data()
{
    QTest::addColumn<QString>("operation");
    QTest::newRow("add a game") << "add";
    QTest::newRow("import of many small files: their blocks counted") << "small files";
    QTest::newRow("move a game folder across file systems") << "move";
    QTest::newRow("delete to a Trash on the full disk") << "trash";
    QTest::newRow("delete to a Trash that records the folder, not the file") << "trash half-way";
    // Not even the rename's journal fits: nothing moves.
    QTest::newRow("rename a game on a full disk") << "rename";
    QTest::newRow("rename a game whose folder cannot move (a mount point)") << "rename busy";
    QTest::newRow("restore saved games larger than the disk") << "restore";
    QTest::newRow("back up saved games to a full disk") << "backup";
}

void FaultsTest::fullDiskReportsFailureAndKeepsFiles()
{
    QFETCH(QString, operation);
    const QString library = m_home->libraryFolder();
    if (!mountSmallDisk(library, u"1m"_s))
        QSKIP("mounting a tmpfs is not permitted here");
    makeGame(u"Doom"_s, 200000);
    // The archive's game is larger than what is left on the library's disk.
    const QString archive = m_home->path() + u"/Doom.tdl"_s;
    const QString source = m_home->path() + u"/src/Doom"_s;
    if (operation == u"small files") {
        // 4 kB of bytes, but 400 files that take a block each: more than the disk has left.
        QStringList members{u"tdl="_s, u"Doom.conf=game_title=Doom\n"_s, u"Doom/"_s};
        for (int i = 0; i < 400; ++i)
            members.append(u"Doom/F%1=0123456789"_s.arg(i));
        m_home->writeFile(u"Doom.tdl"_s, ZipWriter(members).bytes());
    } else if (operation == u"move") {
        m_home->writeFile(u"src/Doom/BIG.DAT"_s, randomBytes(900000));
    } else if (operation == u"restore") {
        m_home->writeFile(u"Library/Application Support/Tandril/.Doom.saves/SAVE.DAT"_s, "mine");
        m_home->writeFile(u"saves.zip"_s,
                          ZipWriter({u"tandril-saves="_s,
                                     u"saves/BIG.DAT="_s + QString::fromLatin1(randomBytes(900000).toHex())})
                              .bytes());
    } else if (operation == u"backup") {
        m_home->writeFile(u"Library/Application Support/Tandril/.Doom.saves/BIG.DAT"_s, randomBytes(500000));
    } else if (operation == u"rename busy") {
        QVERIFY(mountSmallDisk(library + u"/Doom"_s, u"1m"_s));
    } else if (operation.startsWith(u"trash"_s)) {
        // The Trash's records on a full disk of their own (but for one record, half-way); its
        // files beside the library's.
        const QString records = library + u"/.share/Trash/info"_s;
        qputenv("XDG_DATA_HOME", QFile::encodeName(library + u"/.share"_s));
        QVERIFY(QDir().mkpath(library + u"/.share/Trash/files"_s) && mountSmallDisk(records, u"64k"_s));
        QFile reserve(records + u"/reserve"_s);
        QVERIFY(reserve.open(QIODevice::WriteOnly) && reserve.write(QByteArray(4096, 'r')) == 4096);
        reserve.close();
        fillDisk(records);
        if (operation == u"trash half-way")
            QVERIFY(reserve.remove());
    } else {
        // Full but for one page: the lock file fits, the configuration file does not.
        m_home->writeFile(u"Library/Application Support/Tandril/reserve"_s, QByteArray(4096, 'r'));
        fillDisk(library);
        QFile::remove(library + u"/reserve"_s);
    }
    const QStringList before = contents(library);

    bool succeeded = true;
    if (operation == u"add") {
        succeeded = EntryCreation::createConfigEntryAndFolder(u"Heretic"_s, m_prompter).has_value();
        QCOMPARE(m_prompter.takeAlerts().size(), 1);
        QVERIFY(!QFile::exists(library + u"/Heretic.conf"_s));
    } else if (operation.startsWith(u"trash"_s)) {
        m_prompter.answers = {0}; // Delete
        succeeded = EntryDeletion::deleteSelectedEntry(LibraryLoader::readEntry(library + u"/Doom.conf"_s),
                                                       m_prompter) == EntryDeletion::Outcome::Deleted;
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_home->path() + u"/.local/share"_s));
        const QList<ScriptedPrompter::Alert> alerts = m_prompter.takeAlerts();
        QCOMPARE(alerts.size(), 1);
        // With the reason the disk gave.
        QVERIFY2(alerts.first().message.contains(u"to the Trash: No space left on device"_s),
                 qPrintable(alerts.first().message));
    } else if (operation.startsWith(u"rename"_s)) {
        // The configuration file moves first; its game comes back whole when what follows fails.
        GameForm form;
        form.title = u"Doom II"_s;
        succeeded = SettingsSaver::save(form, library + u"/Doom.conf"_s, false, m_prompter) ==
                    SettingsSaver::Outcome::Saved;
        QCOMPARE(m_prompter.questions.takeLast().title, u"Rename Failed"_s);
    } else if (operation == u"restore" || operation == u"backup") {
        ProcessRunner runner;
        m_prompter.answers = {0}; // Restore, over the current saved games
        succeeded =
            savesJob(m_prompter, runner, library + u"/Doom.conf"_s,
                     operation == u"restore" ? m_home->path() + u"/saves.zip"_s : library + u"/b.zip"_s,
                     operation == u"restore");
        const QList<ScriptedPrompter::Alert> alerts = m_prompter.takeAlerts();
        QCOMPARE(alerts.size(), 1);
        QVERIFY2(alerts.first().message.contains(u"of free space, but only"_s),
                 qPrintable(alerts.first().message));
        m_prompter.questions.clear();
    } else if (operation == u"move") {
        // Half of it fits: the copy fails as a whole, and what it had copied goes.
        const std::optional<QString> error = FileOperations::moveItem(source, library + u"/Doom 2"_s);
        succeeded = !error;
        QVERIFY2(error && error->endsWith(u"the disk at "_s + library + u" is full"_s), qPrintable(*error));
        QVERIFY(QFile::exists(source + u"/BIG.DAT"_s));
    } else {
        ProcessRunner runner;
        succeeded = importArchive(m_prompter, runner, archive);
        const QList<ScriptedPrompter::Alert> alerts = m_prompter.takeAlerts();
        QCOMPARE(alerts.size(), 1);
        QCOMPARE(alerts.first().title, u"Import Failed"_s);
        // Said before anything was unpacked, with what it needs and what is free.
        QVERIFY2(alerts.first().message.contains(u"of free space, but only"_s),
                 qPrintable(alerts.first().message));
    }
    QVERIFY(!succeeded);
    // Whatever the operation had made is gone; everything that was there is as it was.
    QStringList after = contents(library);
    for (const QString& made : {u"Heretic/"_s, u"Heretic/FLOPPIES/"_s, u"Doom/FLOPPIES/"_s})
        after.removeOne(made);
    QCOMPARE(after, before);
}

void FaultsTest::exportKeepsTheOldArchive_data()
{
    QTest::addColumn<QString>("zip");
    QTest::addColumn<bool>("smallDesktop");
    QTest::newRow("zip fails") << "exit 12" << false;
    QTest::newRow("zip killed") << "kill -KILL $$" << false;
    QTest::newRow("Desktop on a full disk of its own") << "" << true;
}

void FaultsTest::exportKeepsTheOldArchive()
{
    QFETCH(QString, zip);
    QFETCH(bool, smallDesktop);
    const QString desktop = m_home->path() + u"/Desktop"_s;
    if (smallDesktop && !mountSmallDisk(desktop, u"600k"_s))
        QSKIP("mounting a tmpfs is not permitted here");
    QDir().mkpath(desktop);
    makeGame(u"Doom"_s, 1000000); // random bytes: the archive does not fit
    const QByteArray old = "the old, complete archive";
    m_home->writeFile(u"Desktop/Doom.tdl"_s, old);

    m_prompter.answers = {0}; // Overwrite
    // zip replaced by a failing or self-killing command, or the real one on a full Desktop.
    RewrittenTools tools([&](ProcessRunner::Command command) {
        if (!smallDesktop && command.program.endsWith(u"/zip"_s))
            command = {u"/bin/sh"_s, {u"-c"_s, zip}, command.workingDirectory};
        return command;
    });
    QVERIFY(!exportGame(m_prompter, tools, m_home->libraryFolder() + u"/Doom.conf"_s));
    const ScriptedPrompter::Alert alert = m_prompter.takeAlerts().first();
    QCOMPARE(alert.title, u"Export Failed"_s);
    // A Desktop without room is said before zip runs, with what is needed and what is free.
    QCOMPARE(alert.message.contains(u"of free space, but only"_s), smallDesktop);
    QCOMPARE(contents(desktop), QStringList{u"Doom.tdl="_s + QString::fromLatin1(old)});
    QCOMPARE(QDir(m_home->temporaryFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList());
}

void FaultsTest::optionLikeNamesStayNames()
{
    const QString base = u"-n"_s;
    QDir().mkpath(m_home->path() + u"/Desktop"_s);
    makeGame(base);
    ProcessRunner runner;
    QVERIFY(exportGame(m_prompter, runner, m_home->libraryFolder() + u'/' + base + u".conf"_s));
    const QString archive = m_home->path() + u"/Desktop/"_s + base + u".tdl"_s;
    QCOMPARE(zipMembers(archive),
             (QStringList{base + u'/', base + u"/GAME.DAT"_s, base + u".conf"_s, u"tdl"_s}));

    // And back in, from a relative path that starts with "-".
    FileOperations::removeItem(m_home->libraryFolder());
    QDir::setCurrent(m_home->path() + u"/Desktop"_s);
    const bool imported = importArchive(m_prompter, runner, base + u".tdl"_s);
    QDir::setCurrent(u"/"_s);
    QVERIFY(imported);
    QCOMPARE(readFile(m_home->libraryFolder() + u'/' + base + u"/GAME.DAT"_s), randomBytes(1000));
}

void FaultsTest::interruptedWorkIsFinishedOrUndone_data()
{
    // What a kill at each step leaves (name → content; "/" a folder), and what the next start
    // makes of it, items joined by "|". "U" stands for the operation's UUID; "~/" names the
    // Trash's files and records.
    textColumns({"left", "expected"});
    textRow("delete: folder set aside, game still listed", "Doom.conf=old|.Doom.deleting-U/GAME.EXE=old",
            "Doom.conf=old|Doom/GAME.EXE=old");
    textRow("delete: configuration already gone", ".Doom.deleting-U/GAME.EXE=old", "");
    textRow("import: killed while copying in",
            "Doom.conf=old|Doom/GAME.EXE=old|.Doom.conf.incoming-U=new|.Doom.partial-U/GAME.EXE=ne",
            "Doom.conf=old|Doom/GAME.EXE=old");
    const QString journal = u".tandril-swap-U=Tandril swap journal 1\nDoom.conf\nDoom\nend\n"_s;
    textRow("import: killed half-way through the swap",
            journal +
                u"|Doom.conf=new|.Doom.conf.previous-U=old|Doom/GAME.EXE=old|.Doom.incoming-U/GAME.EXE=new"_s,
            "Doom.conf=new|Doom/GAME.EXE=new");
    textRow("import: killed before removing the old game",
            journal +
                u"|Doom.conf=new|.Doom.conf.previous-U=old|Doom/GAME.EXE=new|.Doom.previous-U/GAME.EXE=old"_s,
            "Doom.conf=new|Doom/GAME.EXE=new");
    textRow("import: a journal not written whole is undone",
            ".tandril-swap-U=Tandril swap journal 1\nDoom.conf|Doom.conf=new|.Doom.conf.previous-U=old|"
            "Doom/GAME.EXE=old|.Doom.incoming-U/GAME.EXE=new",
            "Doom.conf=old|Doom/GAME.EXE=old");
    textRow("a journal killed while it was written",
            "Doom.conf=old|..tandril-swap-U.partial-U=Tandril swap|"
            "..tandril-trash-U.partial-U=Tandril trash journal 1\nDoom",
            "Doom.conf=old");
    // Games whose names look like Tandril's own working names are games all the same.
    const char* lookAlikes =
        ".Notes.partial-U.conf=game|.Notes.partial-U/SAVE.DAT=save|.X.deleting-U.conf=game|"
        ".X.deleting-U/SAVE.DAT=save|.X.previous-U.conf=game|.X.previous-U/SAVE.DAT=save|"
        ".tandril-swap-notes.conf=Doom";
    textRow("games named like working files", lookAlikes, lookAlikes);
    const char* hostile = ".Doom.incoming-Z.conf=x|.tandril-swap-Z.conf=Doom|Doom.conf=old|Doom/GAME.EXE=old";
    textRow("a journal without a UUID", hostile, hostile);
    const QString trashJournalAndConf =
        u".tandril-trash-U=Tandril trash journal 1\nDoom\nend\n|Doom.conf=old|"_s;
    const QString trashRecord = u"~/info/Doom.trashinfo=[Trash Info]\nPath=$LIB/Doom\n"_s;
    textRow("delete to the Trash: killed after the folder went, a file of the user's listed first",
            trashJournalAndConf + u".notes=mine|~/files/Doom/GAME.EXE=old|"_s + trashRecord,
            ".notes=mine|~/files/Doom.conf=old|~/files/Doom/GAME.EXE=old|~/info/Doom.conf.trashinfo|"
            "~/info/Doom.trashinfo");
    textRow("delete to the Trash: a journal naming a hidden folder changes nothing",
            ".tandril-trash-U=Tandril trash journal 1\n.Doom.saves\nend\n|.Doom.saves/SAVE.DAT=mine",
            ".Doom.saves/SAVE.DAT=mine");
    // A record no one may read (a link to a write-only file) is passed over, not the end.
    const QString unreadable = u"~/info/A.trashinfo"_s;
    textRow("delete to the Trash: killed between a record and its move",
            trashJournalAndConf + u"Doom/GAME.EXE=old|"_s + trashRecord + u'|' + unreadable +
                u"=->/proc/sys/vm/drop_caches"_s,
            unreadable + u"|~/files/Doom.2/GAME.EXE=old|~/files/Doom.conf=old|~/info/Doom.2.trashinfo|"
                         u"~/info/Doom.conf.trashinfo"_s);
    // A game's saved games stay with it: they follow a delete, a rename and an import over it.
    textRow("delete to the Trash: killed before the saved games went",
            trashJournalAndConf + u".Doom.saves/SAVE.DAT=mine|~/files/Doom/GAME.EXE=old|"_s + trashRecord,
            "~/files/.Doom.saves/SAVE.DAT=mine|~/files/Doom.conf=old|~/files/Doom/GAME.EXE=old|"
            "~/info/.Doom.saves.trashinfo|~/info/Doom.conf.trashinfo|~/info/Doom.trashinfo");
    const QString renameJournal = u".tandril-rename-U=Tandril rename journal 1\nDoom\n"_s;
    textRow("rename: killed after the configuration file moved",
            renameJournal + u"Heretic\nend\n|Heretic.conf=game|Doom/GAME.EXE=old|.Doom.saves/SAVE.DAT=mine"_s,
            ".Heretic.saves/SAVE.DAT=mine|Heretic.conf=game|Heretic/GAME.EXE=old");
    textRow("rename: a journal to a hidden name changes nothing",
            renameJournal + u".hidden\nend\n|Doom.conf=game"_s, "Doom.conf=game");
    textRow("rename: a journal not written whole changes nothing",
            renameJournal + u"Heretic|Doom.conf=game|.Doom.saves/SAVE.DAT=mine"_s,
            ".Doom.saves/SAVE.DAT=mine|Doom.conf=game");
    textRow("restore of saved games: killed half-way through the swap",
            ".tandril-swap-U=Tandril swap journal 1\n.Doom.saves\nend\n|Doom.conf=game|"
            "..Doom.saves.previous-U/SAVE.DAT=old|..Doom.saves.incoming-U/SAVE.DAT=new|~/files/Other=x",
            ".Doom.saves/SAVE.DAT=new|Doom.conf=game|~/files/.Doom.saves/SAVE.DAT=old|~/files/Other=x|"
            "~/info/.Doom.saves.trashinfo");
    textRow("import over a game: killed before the old saved games went",
            ".tandril-swap-U=Tandril swap journal 1\nDoom.conf\nDoom\n/.Doom.saves\nend\n|Doom.conf=new|"
            ".Doom.conf.previous-U=old|Doom/GAME.EXE=new|.Doom.previous-U/GAME.EXE=old|"
            ".Doom.saves/SAVE.DAT=mine|~/files/Other=x",
            "Doom.conf=new|Doom/GAME.EXE=new|~/files/.Doom.saves/SAVE.DAT=mine|~/files/Doom.conf=old|"
            "~/files/Doom/GAME.EXE=old|~/files/Other=x|~/info/.Doom.saves.trashinfo|"
            "~/info/Doom.conf.trashinfo|~/info/Doom.trashinfo");
}

void FaultsTest::interruptedWorkIsFinishedOrUndone()
{
    const QStringList left = cell("left").split(u'|', Qt::SkipEmptyParts);
    const QStringList expected = cell("expected").split(u'|', Qt::SkipEmptyParts);
    const QString uuid = u"0A1B2C3D-0000-4000-8000-00000000000F"_s;
    const QString trash = u".local/share/Trash/"_s;
    for (const QString& item : left) {
        QString name = item.section(u'=', 0, 0).replace(u"-U"_s, u'-' + uuid);
        name =
            name.startsWith(u"~/"_s) ? trash + name.mid(2) : u"Library/Application Support/Tandril/"_s + name;
        const QString content = item.section(u'=', 1).replace(u"$LIB"_s, m_home->libraryFolder());
        if (content.startsWith(u"->"_s))
            QVERIFY(QDir(m_home->path()).mkpath(QFileInfo(name).path()) &&
                    QFile::link(content.mid(2), m_home->path() + u'/' + name));
        else
            m_home->writeFile(name, content.toUtf8());
    }
    // A staging folder whose process is gone, and one whose process is this one.
    QProcess gone;
    gone.start(u"/bin/true"_s);
    QVERIFY(gone.waitForStarted());
    const qint64 gonePid = gone.processId();
    QVERIFY(gone.waitForFinished());
    const QString abandoned = m_home->temporaryFolder() + u'/' + uuid;
    m_home->writeFile(abandoned + u"/big.zip"_s, "partial");
    {
        // The lock file a killed process leaves: its own id, which no process has any more.
        QLockFile lock(abandoned + u".lock"_s);
        QVERIFY(lock.tryLock(0));
        QByteArray content = readFile(abandoned + u".lock"_s);
        lock.unlock();
        content.replace(0, content.indexOf('\n'), QByteArray::number(gonePid));
        m_home->writeFile(abandoned + u".lock"_s, content);
    }
    const QString emptyLocked = m_home->temporaryFolder() + u"/0A1B2C3D-0000-4000-8000-0000000000EE"_s;
    m_home->writeFile(emptyLocked + u"/big.zip"_s, "partial");
    QVERIFY(backdate(m_home->writeFile(emptyLocked + u".lock"_s, {}), 60)); // an empty lock, long untouched
    const StagingFolder live;
    QVERIFY(QFileInfo::exists(abandoned + u".lock"_s));
    // An export's copy to the Desktop that a kill stopped, and one that is being written.
    const QString stopped =
        m_home->writeFile(FileOperations::partialName(m_home->path() + u"/Desktop/Doom.tdl"_s), "half");
    QVERIFY(backdate(stopped, 600));
    const QString writing = m_home->writeFile(u"Desktop/.Keen.tdl.partial-"_s + uuid, "growing");

    InterruptedWork::finish();

    QStringList expectedItems;
    for (const QString& item : std::as_const(expected)) {
        const QString name = item.section(u'=', 0, 0).replace(u"-U"_s, u'-' + uuid);
        expectedItems.append(item.contains(u'=') ? name + u'=' + item.section(u'=', 1) : name);
    }
    expectedItems.sort();
    QStringList found = contents(m_home->libraryFolder()).filter(u"="_s);
    for (const QString& item : contents(m_home->path() + u'/' + trash.chopped(1)))
        if (!item.endsWith(u'/')) // the Trash's records by name: they hold the time of deletion
            found.append(u"~/"_s + (item.contains(u".trashinfo"_s) ? item.section(u'=', 0, 0) : item));
    QCOMPARE(found, expectedItems);
    QVERIFY(!QFileInfo::exists(abandoned) && !QFileInfo::exists(emptyLocked));
    QVERIFY(!QFileInfo::exists(stopped) && QFileInfo::exists(writing));
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
    makeGame(u"Doom"_s, 50 * 1000 * 1000);
    m_home->writeFile(u"Library/Application Support/Tandril/Doom/MORE.DAT"_s, randomBytes(1000));
    QDir().mkpath(m_home->path() + u"/Desktop"_s);
    QProcess* exporter = startTandril(tandrilEnvironment(*m_home), {u"export"_s, u"Doom"_s}, this);
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
        QCOMPARE(runTandril(*m_home, {u"list"_s}).exitCode, 0);
    }
    QCOMPARE(temporary.entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
    QVERIFY(!QFileInfo::exists(m_home->path() + u"/Desktop/Doom.tdl"_s));
}

void FaultsTest::moveAcrossFileSystems()
{
    // Copied beside the target under a partial name, renamed when complete, then the source goes.
    const QString library = m_home->libraryFolder();
    if (!mountSmallDisk(library, u"8m"_s))
        QSKIP("mounting a tmpfs is not permitted here");
    m_home->writeFile(u"src/Doom/SUB/BIG.DAT"_s, randomBytes(900000));
    QStringList moved = contents(m_home->path() + u"/src/Doom"_s);
    QCOMPARE(FileOperations::moveItem(m_home->path() + u"/src/Doom"_s, library + u"/Doom"_s), std::nullopt);
    QCOMPARE(contents(library),
             QStringList(u"Doom/"_s) + moved.replaceInStrings(QRegularExpression(u"^"_s), u"Doom/"_s));
    QVERIFY(!QFileInfo::exists(m_home->path() + u"/src/Doom"_s));
}

void FaultsTest::swapRolledBackWhenItsSecondItemCannotStepAside()
{
    // A game folder that is a mount point cannot be renamed aside: its configuration file, swapped
    // in first, is put back as it was, and nothing of the swap is left under any name.
    makeGame(u"Doom"_s);
    const QString library = m_home->libraryFolder();
    if (!mountSmallDisk(library + u"/Doom"_s, u"1m"_s))
        QSKIP("mounting a tmpfs is not permitted here");
    m_home->writeFile(u"Library/Application Support/Tandril/Doom/GAME.DAT"_s, "the old game");
    const QStringList before = contents(library);
    const QString config = m_home->writeFile(u"new/Doom.conf"_s, "game_title=New Doom\n");
    m_home->writeFile(u"new/Doom/GAME.DAT"_s, "the new game");
    QVERIFY(ItemSwap::replace({{config, library + u"/Doom.conf"_s},
                               {m_home->path() + u"/new/Doom"_s, library + u"/Doom"_s}})
                .has_value());
    QCOMPARE(contents(library), before);
}

void FaultsTest::deletionPutsBackWhatItSetAside_data()
{
    textColumns({"disposal", "busy"}); // the item that cannot go, a mount point
    for (const char* disposal : {"permanent", "Trash"}) {
        QTest::addRow("%s: the configuration file cannot go", disposal) << asText(disposal) << u"Doom.conf"_s;
        QTest::addRow("%s: the saved games cannot go after the game folder did", disposal)
            << asText(disposal) << u".Doom.saves"_s;
    }
}

void FaultsTest::deletionPutsBackWhatItSetAside()
{
    makeGame(u"Doom"_s);
    const QString library = m_home->libraryFolder();
    const QString busy = library + u'/' + cell("busy");
    QDir().mkpath(library + u"/.Doom.saves"_s);
    const bool isFile = busy.endsWith(u".conf"_s);
    if (isFile && QProcess::execute(u"mount"_s, {u"--bind"_s, busy, busy}) == 0)
        m_mounts.prepend(busy);
    else if (isFile || !mountSmallDisk(busy, u"1m"_s))
        QSKIP("mounting is not permitted here");
    m_home->writeFile(u"Library/Application Support/Tandril/.Doom.saves/SAVE.DAT"_s, "mine");
    const QStringList before = contents(library);
    const bool toTrash = cell("disposal") == u"Trash";
    QVERIFY(QDir().mkpath(m_home->path() + u"/.local/share"_s)); // a Trash
    m_prompter.answers = {0};                                    // Delete
    QCOMPARE(EntryDeletion::deleteSelectedEntry(
                 LibraryLoader::readEntry(library + u"/Doom.conf"_s), m_prompter,
                 toTrash ? EntryDeletion::Disposal::TrashWhenAvailable : EntryDeletion::Disposal::Permanent),
             EntryDeletion::Outcome::Failed);
    QCOMPARE(m_prompter.takeAlerts().first().title, u"Delete Not Possible"_s);
    // What had stepped aside is back: the game is whole and listed as before, nothing in the Trash.
    QCOMPARE(contents(library), before);
    QCOMPARE(tree(m_home->path() + u"/.local/share/Trash"_s).filter(u"Doom"_s), QStringList());
}

void FaultsTest::secondTandrilWaitsForTheLock()
{
    makeGame(u"Doom"_s);
    {
        const LibraryLock held;
        QVERIFY(!held.failure());
        const QStringList before = contents(m_home->libraryFolder());
        const TandrilRun busy = runTandril(*m_home, {u"--yes"_s, u"delete"_s, u"Doom"_s});
        QCOMPARE(busy.exitCode, 1);
        QVERIFY2(busy.err.contains(u"Another Tandril is changing the library"_s), qPrintable(busy.err));
        // What the Tandril at work has in flight is its own: a start meanwhile leaves it alone.
        m_home->writeFile(
            u"Library/Application Support/Tandril/.Doom.incoming-0A1B2C3D-0000-4000-8000-00000000000F/X"_s,
            "copying");
        QCOMPARE(runTandril(*m_home, {u"list"_s}).exitCode, 0);
        QCOMPARE(contents(m_home->libraryFolder()).size(), before.size() + 2);
    }
    // A lock left empty by a kill between its making and its writing locks nothing.
    QVERIFY(backdate(m_home->writeFile(LibraryLock::lockFilePath(), {}), 60));
    QCOMPARE(runTandril(*m_home, {u"--yes"_s, u"delete"_s, u"Doom"_s}).exitCode, 0);
    QCOMPARE(QDir(m_home->libraryFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
}

void FaultsTest::racesAreDecidedUnderTheLock_data()
{
    // A second Tandril starts while this test holds the library lock; a game of the same name
    // comes in before the lock is let go. What it asked for must not replace that game.
    textColumns({"arguments", "error"});
    textRow("add a title", "add|Doom", "Game Already in Library");
    textRow("import an archive", "import|$HOME/Doom.tdl", "came into the library meanwhile");
    textRow("add from a folder", "add|--from|$HOME/src/Doom", "came into the library meanwhile");
}

void FaultsTest::racesAreDecidedUnderTheLock()
{
    m_home->writeFile(u"src/Doom/GAME.EXE"_s, "MZ theirs");
    m_home->writeFile(u"Doom.tdl"_s,
                      ZipWriter({"tdl=", "Doom.conf=game_title=Doom\n", "Doom/GAME.EXE=MZ"}).bytes());

    auto held = std::make_unique<LibraryLock>();
    QVERIFY(!held->failure());
    const std::unique_ptr<QProcess> second(
        startTandril(tandrilEnvironment(*m_home),
                     cell("arguments").replace(u"$HOME"_s, m_home->path()).split(u'|'), nullptr));
    QTest::qWait(1200); // it has looked at the library and waits for the lock (3 s at most)
    makeGame(u"Doom"_s);
    const QStringList ours = contents(m_home->libraryFolder());
    held.reset();
    QVERIFY(second->waitForFinished(60000));
    QCOMPARE(second->exitCode(), 1);
    const QString said = QString::fromUtf8(second->readAllStandardError());
    QVERIFY2(said.contains(cell("error")), qPrintable(said));
    QCOMPARE(contents(m_home->libraryFolder()).filter(u"Doom"_s), ours.filter(u"Doom"_s));
}

void FaultsTest::exportOfAGameThatChangesIsRefused()
{
    makeGame(u"Doom"_s);
    QDir().mkpath(m_home->path() + u"/Desktop"_s);
    // zip that takes a second before it starts: meanwhile another Tandril replaces the game.
    RewrittenTools slow([](ProcessRunner::Command command) {
        command.arguments =
            QStringList{u"-c"_s, u"sleep 1; exec \"$0\" \"$@\""_s, command.program} + command.arguments;
        command.program = u"/bin/sh"_s;
        return command;
    });
    QTimer::singleShot(300, [this] {
        const LibraryLock lock;
        m_home->writeFile(u"Library/Application Support/Tandril/Doom/GAME.DAT"_s, "the new game");
    });
    QVERIFY(!exportGame(m_prompter, slow, m_home->libraryFolder() + u"/Doom.conf"_s));
    QCOMPARE(m_prompter.takeAlerts().first().message,
             u"Doom changed while it was being exported. Please export it again."_s);
    QVERIFY(!QFileInfo::exists(m_home->path() + u"/Desktop/Doom.tdl"_s));
}

namespace {

// The names in a folder as bytes, as the disk has them.
QList<QByteArray> rawNames(const QString& folder)
{
    QList<QByteArray> names;
    if (DIR* listing = ::opendir(QFile::encodeName(folder).constData())) {
        while (const dirent* entry = ::readdir(listing)) {
            const QByteArray name(entry->d_name);
            if (name != "." && name != "..")
                names.append(name);
        }
        ::closedir(listing);
    }
    std::sort(names.begin(), names.end());
    return names;
}

void writeRaw(const QString& folder, const QByteArray& name)
{
    QVERIFY(QDir().mkpath(folder));
    const int file = ::open((QFile::encodeName(folder) + '/' + name).constData(), O_CREAT | O_WRONLY, 0644);
    QVERIFY(file >= 0 && ::write(file, "save", 4) == 4);
    ::close(file);
}

} // namespace

void FaultsTest::namesThatAreNotUtf8_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("said"); // in standard error
    QTest::newRow("add from a folder refuses by name") << "add --from" << 1 << "Its name is not UTF-8 text";
    QTest::newRow("export refuses by name") << "export" << 1 << "whose name is not UTF-8 text";
    QTest::newRow("a permanent delete takes it too") << "delete --permanent" << 0 << "";
}

void FaultsTest::namesThatAreNotUtf8()
{
    QFETCH(QString, command);
    QFETCH(int, exitCode);
    QFETCH(QString, said);
    const QString library = m_home->libraryFolder();
    makeGame(u"Doom"_s);
    writeRaw(library + u"/Doom/SAVES"_s, "SAVE\xff.DAT");
    writeRaw(m_home->path() + u"/src/Keen"_s, "KEEN\xe9.SAV");
    m_home->writeFile(u"src/Keen/KEEN.EXE"_s, "MZ");
    QStringList arguments;
    if (command == u"add --from")
        arguments = {u"add"_s, u"--from"_s, m_home->path() + u"/src/Keen"_s};
    else if (command == u"export")
        arguments = {u"export"_s, u"Doom"_s, m_home->path() + u"/Doom.tdl"_s};
    else
        arguments = {u"--yes"_s, u"delete"_s, u"Doom"_s, u"--permanent"_s};
    const TandrilRun run = runTandril(*m_home, arguments);
    QVERIFY2(run.exitCode == exitCode && run.err.contains(said), qPrintable(run.err));
    const QList<QByteArray> names = rawNames(library);
    const auto holds = [&](const QByteArray& part) {
        return std::any_of(names.cbegin(), names.cend(),
                           [&](const QByteArray& name) { return name.contains(part); });
    };
    if (command == u"add --from")
        QVERIFY2(!holds("Keen") && holds("Doom.conf"), names.join(' ').constData());
    else if (command == u"export")
        QVERIFY(!QFileInfo::exists(m_home->path() + u"/Doom.tdl"_s));
    else
        QVERIFY2(!holds("Doom"), names.join(' ').constData());
    // What Qt's own removal cannot take at the end of the test.
    QProcess::execute(u"rm"_s, {u"-rf"_s, u"--"_s, m_home->path() + u"/src"_s, library + u"/Doom"_s});
}

void FaultsTest::sharedFilesKeepEveryChange_data()
{
    QTest::addColumn<QString>("situation");
    QTest::newRow("five details written at once") << "details";
    QTest::newRow("two runs of a game ending at once") << "play time";
    QTest::newRow("a settings lock a kill left empty") << "empty lock";
    QTest::newRow("a full disk under the play record") << "full disk";
}

void FaultsTest::sharedFilesKeepEveryChange()
{
    QFETCH(QString, situation);
    m_home->writeConfig(u"Doom"_s, "[tandril]\ngame_title=Doom\ngame_exe=DOOM.EXE\n");
    const QString records = m_home->path() + u"/.config/Tandril"_s;
    const QString standIn = m_home->writeProgram(u"bin/dosbox-x"_s, "#!/bin/sh\nsleep 1\n");
    const QStringList play{u"launch"_s, u"Doom"_s, u"--wait"_s};
    QList<std::shared_ptr<QProcess>> runs;
    const auto start = [&](const QStringList& arguments) {
        runs.append(std::shared_ptr<QProcess>(
            startTandril(tandrilEnvironment(*m_home, QFileInfo(standIn).path()), arguments, nullptr)));
    };
    if (situation == u"details") {
        // They all read the game at once, then wait for the lock this test holds.
        auto held = std::make_unique<LibraryLock>();
        for (const char* detail :
             {"year=1993", "developer=id", "publisher=GT", "genre=Shooter", "notes=Fast"})
            start({u"details"_s, u"Doom"_s, QString::fromLatin1(detail)});
        QTest::qWait(800);
        held.reset();
    } else if (situation == u"play time") {
        QVERIFY(QDir().mkpath(records));
        QLockFile held(records + u"/PlayRecord.ini.update-lock"_s);
        QVERIFY(held.tryLock(0));
        start(play);
        start(play);
        QTest::qWait(2500); // both ended, both wait to record
    } else if (situation == u"empty lock") {
        QVERIFY(backdate(m_home->writeFile(records + u"/PlayRecord.ini.lock"_s, {}), 60));
        start(play);
    } else {
        if (!mountSmallDisk(records, u"64k"_s))
            QSKIP("mounting a tmpfs is not permitted here");
        fillDisk(records);
        start(play);
    }
    for (const std::shared_ptr<QProcess>& run : std::as_const(runs)) {
        QVERIFY(run->waitForFinished(20000));
        const QByteArray said = run->readAllStandardError();
        QVERIFY2(run->exitCode() == (situation == u"full disk" ? 1 : 0), said.constData());
        if (situation == u"full disk")
            QVERIFY2(said.contains("Play Time Not Recorded: ") && said.contains("full"), said.constData());
    }
    const QString config = QString::fromUtf8(readFile(m_home->libraryFolder() + u"/Doom.conf"_s));
    if (situation == u"details") {
        for (const char* line : {"game_year=1993", "game_developer=id", "game_publisher=GT",
                                 "game_genre=Shooter", "game_notes=Fast"})
            QVERIFY2(config.contains(QLatin1String(line)), qPrintable(config));
    } else if (situation != u"full disk") {
        const qint64 seconds = QSettings(records + u"/PlayRecord.ini"_s, QSettings::IniFormat)
                                   .value(u"Doom.conf/seconds"_s)
                                   .toLongLong();
        QVERIFY2(seconds >= (situation == u"play time" ? 2 : 1), qPrintable(QString::number(seconds)));
    }
}

void FaultsTest::checkingDosboxEndsWithTandril_data()
{
    QTest::addColumn<bool>("killTandril");
    QTest::newRow("Tandril killed during the check") << true;
    QTest::newRow("the check's time runs out") << false;
}

void FaultsTest::checkingDosboxEndsWithTandril()
{
    // A DOSBox-X that is a wrapper script without exec: what it starts hangs in a process of its own.
    QFETCH(bool, killTandril);
    const QString pids = m_home->path() + u"/pids"_s;
    const QString wrapper = m_home->writeProgram(u"bin/dosbox-x"_s, "#!/bin/sh\nsleep 300 &\necho $! >> '" +
                                                                        pids.toUtf8() + "'\nwait\n");
    m_home->writeConfig(u"Doom"_s, "[tandril]\ngame_title=Doom\n[sdl]\nautolock=false\n");
    QProcess* setter =
        startTandril(tandrilEnvironment(*m_home),
                     {u"--emulator"_s, wrapper, u"set"_s, u"Doom"_s, u"sdl.autolock=true"_s}, this);
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(pids).size() > 0, 20000);
    const pid_t hanging = pid_t(readFile(pids).split('\n').first().toInt());
    QCOMPARE(::kill(hanging, 0), 0);
    if (killTandril)
        ::kill(pid_t(setter->processId()), SIGKILL);
    QVERIFY(setter->waitForFinished(60000));
    // Gone with what started it (a zombie that no one waits for counts as gone).
    const auto running = [&] {
        const QByteArray state = readFile(u"/proc/"_s + QString::number(hanging) + u"/stat"_s);
        return !state.isEmpty() && !state.contains(") Z ");
    };
    QTRY_VERIFY_WITH_TIMEOUT(!running(), 5000);
}

QTEST_GUILESS_MAIN(FaultsTest)
#include "tst_faults.moc"
