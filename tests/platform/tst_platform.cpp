#include "common/Rows.h"
#include "common/TestHome.h"
#include "platform/ConsolePrompter.h"
#include "platform/DosboxReferenceFile.h"
#include "platform/DriveAliases.h"
#include "platform/Emulator.h"
#include "platform/FileOperations.h"
#include "platform/LockFiles.h"
#include "platform/RuntimeFolder.h"
#include "platform/TextFile.h"
#include "platform/widgets/DialogPrompter.h"

#include <csignal>
#include <QAbstractButton>
#include <QApplication>
#include <QLockFile>
#include <QMessageBox>
#include <QProcess>
#include <QSysInfo>
#include <QTest>
#include <QTimer>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

// The thin layer over the system that everything else stands on.
class PlatformTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readRefusals();
    void consoleAnswers_data();
    void consoleAnswers();
    void dialogAnswers_data();
    void dialogAnswers();
    void runtimeFolder_data();
    void runtimeFolder();
    void driveLinksOnlyWherePlainAndShort_data();
    void driveLinksOnlyWherePlainAndShort();
    void abandonedScratchFoldersGo();
    void copyFailuresSayWhyAndLeaveNothing();
    void locksAreTakenOverOnlyWhenStale_data();
    void locksAreTakenOverOnlyWhenStale();
};

void PlatformTest::readRefusals()
{
    // Text validity itself is checked where library files are read.
    const TestHome home;
    const TextFile::ReadResult large = TextFile::readUtf8(home.writeFile(u"f"_s, QByteArray(100, 'x')), 99);
    QCOMPARE(large.status, TextFile::ReadStatus::TooLarge);
    const TextFile::ReadResult missing = TextFile::readUtf8(home.path() + u"/missing.conf"_s);
    QCOMPARE(missing.status, TextFile::ReadStatus::Unreadable);
    // A FIFO is refused at once, with a writer waiting on it or not.
    const QString fifo = home.path() + u"/fifo.conf"_s;
    QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
    const TextFile::ReadResult pipe = TextFile::readUtf8(fifo);
    QCOMPARE(pipe.status, TextFile::ReadStatus::Unreadable);
    QVERIFY(!large.error.isEmpty() && !missing.error.isEmpty() &&
            pipe.error.contains(u"not a regular file"_s));
    QVERIFY(TextFile::readUtf8(home.writeFile(u"empty"_s, {})).ok());
    // The maximum itself is read; one byte more is refused.
    QCOMPARE(TextFile::readUtf8(home.writeFile(u"edge"_s, QByteArray(60, 'x')), 60).text.size(), 60);
    QCOMPARE(TextFile::readUtf8(home.writeFile(u"edge"_s, QByteArray(61, 'x')), 60).status,
             TextFile::ReadStatus::TooLarge);
}

void PlatformTest::consoleAnswers_data()
{
    // Where the question is asked (a "terminal", "none", or none with "--yes"), what is typed, and
    // the button taken of Overwrite and Cancel.
    textColumns({"asked", "typed", "answer"});
    textRow("no terminal answers Cancel", "none", "1\n", "1");
    textRow("--yes answers the first button", "--yes", "", "0");
    textRow("number typed", "terminal", "2\n", "1");
    textRow("button name typed", "terminal", "overwrite\n", "0");
    textRow("nonsense, then a number", "terminal", "maybe\n1\n", "0");
    textRow("end of input cancels", "terminal", "", "1");
}

void PlatformTest::consoleAnswers()
{
    QString input = cell("typed");
    QString errors;
    QTextStream in(&input);
    QTextStream err(&errors);
    ConsolePrompter prompter(in, err, cell("asked") == u"terminal", cell("asked") == u"--yes");
    QCOMPARE(prompter.ask({u"Configuration already exists"_s,
                           u"Replace it?"_s,
                           Prompter::Style::Warning,
                           {u"Overwrite"_s, u"Cancel"_s}}),
             cell("answer").toInt());
    QVERIFY(!prompter.alertShown());
}

void PlatformTest::dialogAnswers_data()
{
    // Of Keep Both, Replace (the default) and Cancel: what a key, or closing the box, answers.
    textColumns({"done", "answer"});
    textRow("Escape answers the last button", "Escape", "2");
    textRow("Return answers the default button", "Return", "1");
    textRow("closing the box answers the last button", "close", "2");
}

void PlatformTest::dialogAnswers()
{
    DialogPrompter prompter;
    QTimer::singleShot(0, [done = cell("done")] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        if (done == u"close")
            box->close();
        else
            QTest::keyClick(box, done == u"Escape" ? Qt::Key_Escape : Qt::Key_Return);
        // A box the key left open takes Keep Both, so that the answer shows it.
        if (box->isVisible())
            box->buttons().constFirst()->click();
    });
    QCOMPARE(prompter.ask({u"Doom exists"_s,
                           u"Replace it?"_s,
                           Prompter::Style::Warning,
                           {u"Keep Both"_s, u"Replace"_s, u"Cancel"_s},
                           1}),
             cell("answer").toInt());
}

void PlatformTest::runtimeFolder_data()
{
    // How a folder that only this user may reach is found: the runtime folder named by
    // XDG_RUNTIME_DIR ("run"), and in it the folder of the drives' short links and its parent.
    textColumns({"folder", "made", "taken"});
    textRow("private folder", "run", "0700", "yes");
    textRow("others may enter", "run", "0711", "no");
    textRow("group may read", "run", "0750", "no");
    textRow("link to a private folder", "run", "link", "no");
    textRow("owned by another user", "run", "chown", "no");
    textRow("missing", "run", "missing", "no");
    textRow("a file", "run", "file", "no");
    textRow("drive links: a folder made for them", "run/tandril/drives", "missing", "yes");
    textRow("drive links: a private folder", "run/tandril/drives", "0700", "yes");
    textRow("drive links: open to all", "run/tandril/drives", "0777", "no");
    textRow("drive links: a link to a private folder", "run/tandril/drives", "link", "no");
    textRow("drive links: another user's folder", "run/tandril/drives", "chown", "no");
    textRow("drive links: their parent open to all", "run/tandril", "0777", "no");
    textRow("drive links: their parent another user's", "run/tandril", "chown", "no");
}

void PlatformTest::runtimeFolder()
{
    const TestHome home;
    const QString runtime = home.path() + u"/run"_s;
    const QString folder = home.path() + u'/' + cell("folder");
    const QString private_ = home.path() + u"/private"_s;
    for (const QString& made : {private_, runtime})
        QVERIFY(made == folder ||
                (QDir().mkpath(made) &&
                 QFile::setPermissions(made, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner)));
    const QString made = cell("made");
    if (made == u"link")
        QVERIFY(QDir().mkpath(QFileInfo(folder).path()) && QFile::link(private_, folder));
    else if (made == u"file")
        home.writeFile(u"run"_s, "x");
    else if (made != u"missing") {
        QVERIFY(QDir().mkpath(folder));
        for (QString level = folder; level.size() > runtime.size(); level = QFileInfo(level).path())
            QVERIFY(::chmod(QFile::encodeName(level), 0700) == 0);
        QVERIFY(::chmod(QFile::encodeName(folder), made == u"chown" ? 0700 : made.toUInt(nullptr, 8)) == 0);
        if (made == u"chown" && ::chown(QFile::encodeName(folder), ::geteuid() + 1000, ::getegid()) != 0)
            QSKIP("giving a folder to another user is refused here");
    }
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
    const bool taken = cell("taken") == u"yes";
    if (folder == runtime) {
        QCOMPARE(RuntimeFolder::privateFolder().value_or(u"none"_s), taken ? folder : u"none"_s);
        return;
    }
    // Nobody else may point a game's drive elsewhere: a folder others could write to is not used.
    const QString drives = runtime + u"/tandril/drives"_s;
    QCOMPARE(DriveAliases::folder(), drives);
    const std::optional<QString> failure = DriveAliases::link(drives + u"/C1"_s, private_);
    QCOMPARE(failure.has_value(), !taken);
    QCOMPARE(QFileInfo(drives + u"/C1"_s).symLinkTarget(), taken ? private_ : QString());
    if (failure)
        QVERIFY2(failure->endsWith(u"no private folder can be made there"_s), qPrintable(*failure));
}

void PlatformTest::driveLinksOnlyWherePlainAndShort_data()
{
    // The private runtime folder's name below the home, and whether the drives' links go in it
    // (else in the temporary folder): DOSBox-X must take their paths as they are.
    textColumns({"runtime", "used"});
    textRow("a plain short name", "run", "yes");
    textRow("a blank", "run 1", "no");
    textRow("a percent sign", "run%1", "no");
    textRow("a quote", "run\"", "no");
    textRow("a path past 64 bytes", QString(70, u'r'), "no");
}

void PlatformTest::driveLinksOnlyWherePlainAndShort()
{
    const TestHome home;
    const QString runtime = home.path() + u'/' + cell("runtime");
    QVERIFY(QDir().mkpath(runtime) &&
            QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
    QCOMPARE(DriveAliases::folder(), cell("used") == u"yes" ? runtime + u"/tandril/drives"_s
                                                            : u"/tmp/tandril-drives-%1"_s.arg(::geteuid()));
}

void PlatformTest::abandonedScratchFoldersGo()
{
    // What a killed check leaves goes with the next check; another one's folder at work stays.
    const TestHome home;
    const QString temporary = home.path() + u"/t"_s;
    const QByteArray host = QSysInfo::machineHostName().toUtf8();
    const QString dead =
        home.writeFile(u"t/tandril-Dead01/owner.lock"_s, "999999999\ntandril\n" + host + "\n");
    home.writeFile(u"t/tandril-Dead01/reading.conf"_s, "[sdl]\n");
    home.writeFile(u"t/tandril-Young1/reading.conf"_s, "[sdl]\n");
    home.writeFile(u"t/tandril-Mine01/owner.lock"_s, QByteArray::number(qint64(::getpid())) + '\n' +
                                                         QCoreApplication::applicationName().toUtf8() + '\n' +
                                                         host + '\n');
    home.writeFile(u"t/other-Dead01/owner.lock"_s, "999999999\n");
    const QString standIn = home.writeProgram(u"bin/dosbox-x"_s, "#!/bin/sh\nexit 0\n");
    qputenv("TMPDIR", QFile::encodeName(temporary));
    qputenv(Emulator::OverrideVariable, QFile::encodeName(standIn));
    QVERIFY(!DosboxReferenceFile::readAs(Emulator(), u"[sdl]\n"_s).text);
    qunsetenv(Emulator::OverrideVariable);
    qunsetenv("TMPDIR");
    QVERIFY(!QFileInfo::exists(QFileInfo(dead).path()));
    QCOMPARE(QDir(temporary).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
             (QStringList{u"other-Dead01"_s, u"tandril-Mine01"_s, u"tandril-Young1"_s}));
}

void PlatformTest::copyFailuresSayWhyAndLeaveNothing()
{
    // Named like a picture, behind a link: opened it would wait for a writer for ever.
    const TestHome home;
    const QString fifo = home.path() + u"/pipe"_s;
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QVERIFY(QFile::link(fifo, home.path() + u"/cover.png"_s));
    const std::optional<QString> error =
        FileOperations::copyTree(home.path() + u"/cover.png"_s, home.path() + u"/copy.png"_s,
                                 FileOperations::Links::ContentIfInside, nullptr, {});
    QVERIFY(error && error->contains(u"no regular file"_s));
    QVERIFY(!QFileInfo::exists(home.path() + u"/copy.png"_s));
    // A write refused for another reason than room (a limit on file sizes) says that reason.
    const QString big = home.writeFile(u"BIG.DAT"_s, QByteArray(100000, 'b'));
    rlimit limit{};
    QCOMPARE(::getrlimit(RLIMIT_FSIZE, &limit), 0);
    const rlimit small{4096, limit.rlim_max};
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    QCOMPARE(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const std::optional<QString> refused = FileOperations::copyTree(
        big, home.path() + u"/BIG.COPY"_s, FileOperations::Links::ContentIfInside, nullptr, {});
    ::setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, handler);
    QVERIFY2(refused && refused->endsWith(u": File too large"_s), qPrintable(refused.value_or(QString())));
    QVERIFY(!QFileInfo::exists(home.path() + u"/BIG.COPY"_s));
    // A regular file keeps its permissions and time.
    const QString file = home.writeFile(u"GAME.EXE"_s, "MZ");
    QVERIFY(QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    QVERIFY(!FileOperations::copyTree(file, home.path() + u"/COPY.EXE"_s,
                                      FileOperations::Links::ContentIfInside, nullptr, {}));
    QCOMPARE(QFileInfo(home.path() + u"/COPY.EXE"_s).permissions() & 0x7000,
             QFileInfo(file).permissions() & 0x7000);
    QCOMPARE(QFileInfo(home.path() + u"/COPY.EXE"_s).lastModified(), QFileInfo(file).lastModified());
}

void PlatformTest::locksAreTakenOverOnlyWhenStale_data()
{
    // The process a lock file names ("self": this one, "gone": one that has ended, none: an empty
    // file), the file's age in seconds, and whether a second holder takes it over.
    textColumns({"pid", "age", "taken"});
    textRow("an empty lock a kill left", "", "60", "yes");
    textRow("an empty lock still being written", "", "0", "no");
    textRow("a lock naming no process", "0", "60", "yes");
    textRow("a lock of a process that has ended", "gone", "0", "yes");
    textRow("a lock that is only old", "self", "600", "no");
}

void PlatformTest::locksAreTakenOverOnlyWhenStale()
{
    const TestHome home;
    const QString path = home.path() + u"/x.lock"_s;
    const QString pid = cell("pid");
    QByteArray content;
    if (pid == u"self" || pid == u"gone") {
        QProcess gone;
        gone.start(u"/bin/true"_s);
        QVERIFY(gone.waitForStarted());
        const qint64 named = pid == u"self" ? QCoreApplication::applicationPid() : gone.processId();
        QVERIFY(gone.waitForFinished());
        // As a lock file of that process reads.
        {
            QLockFile own(path);
            QVERIFY(own.tryLock(0));
            content = readFile(path);
            own.unlock();
        }
        content.replace(0, content.indexOf('\n'), QByteArray::number(named));
    } else if (!pid.isEmpty()) {
        content = pid.toUtf8() + "\nTandril\nhost\n";
    }
    QVERIFY(backdate(home.writeFile(path, content), cell("age").toInt()));
    QLockFile second(path);
    QCOMPARE(LockFiles::tryLock(second, 300), cell("taken") == u"yes");
}

QTEST_MAIN(PlatformTest)
#include "tst_platform.moc"
