#include "common/TestHome.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>

// The command-line front door, run as its own process with no display at all.
class CommandLineTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void listPrintsTheLibraryInOrder();
    void listAsJson();
    void listOfMissingLibraryIsEmpty();
    void usage_data();
    void usage();

private:
    struct Run
    {
        int exitCode = -1;
        QString out;
        QString err;
    };
    static Run tandril(const TestHome& home, const QStringList& arguments);
    static void writeLibrary(const TestHome& home);
};

CommandLineTest::Run CommandLineTest::tandril(const TestHome& home, const QStringList& arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home.path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path() + QStringLiteral("/.config"));
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(TANDRIL_EXECUTABLE), arguments);
    process.closeWriteChannel();
    if (!process.waitForFinished(60000))
        qFatal("tandril did not finish");
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

void CommandLineTest::writeLibrary(const TestHome& home)
{
    home.writeConfig(QStringLiteral("game10"), "game_title=Game Ten\n");
    home.writeConfig(QStringLiteral("game9"), "game_title=Game Nine\nsetup_exe=/s/SETUP.EXE\n");
    home.writeConfig(QStringLiteral("broken"), "\xff\xfe not text");
    home.writeConfig(QStringLiteral("Ädventure"), "game_title=Ädventure: Part 1\nsetup_exe=\n");
}

void CommandLineTest::listPrintsTheLibraryInOrder()
{
    const TestHome home;
    writeLibrary(home);
    const Run run = tandril(home, {QStringLiteral("list")});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, QString());
    const QString library = home.libraryFolder();
    QCOMPARE(run.out, QStringLiteral("Ädventure: Part 1\t%1/Ädventure.conf\n"
                                     "Game Nine\t%1/game9.conf\n"
                                     "Game Ten\t%1/game10.conf\n")
                          .arg(library));
}

void CommandLineTest::listAsJson()
{
    const TestHome home;
    writeLibrary(home);
    const Run run = tandril(home, {QStringLiteral("list"), QStringLiteral("--json")});
    QCOMPARE(run.exitCode, 0);
    const QJsonArray games = QJsonDocument::fromJson(run.out.toUtf8()).array();
    QCOMPARE(games.size(), 3);
    QCOMPARE(games.at(0)[QStringLiteral("setupPath")], QJsonValue(QStringLiteral("")));
    QCOMPARE(games.at(1)[QStringLiteral("title")], QJsonValue(QStringLiteral("Game Nine")));
    QCOMPARE(games.at(1)[QStringLiteral("setupPath")], QJsonValue(QStringLiteral("/s/SETUP.EXE")));
    QCOMPARE(games.at(2)[QStringLiteral("filePath")],
             QJsonValue(home.libraryFolder() + QStringLiteral("/game10.conf")));
    QVERIFY(games.at(2)[QStringLiteral("setupPath")].isNull());
}

void CommandLineTest::listOfMissingLibraryIsEmpty()
{
    const TestHome home;
    const Run run = tandril(home, {QStringLiteral("list"), QStringLiteral("--json")});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(QJsonDocument::fromJson(run.out.toUtf8()).array().size(), 0);
}

void CommandLineTest::usage_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("expectedOut");
    QTest::addColumn<QString>("expectedErr");
    QTest::newRow("--help") << QStringList{"--help"} << 0 << "Usage: tandril"
                            << "";
    QTest::newRow("--version") << QStringList{"--version"} << 0 << "tandril 0.1.0\n"
                               << "";
    QTest::newRow("unknown command") << QStringList{"frobnicate"} << 2 << ""
                                     << "unknown command 'frobnicate'";
    QTest::newRow("unknown option") << QStringList{"list", "--xml"} << 2 << ""
                                    << "unknown option '--xml'";
    QTest::newRow("unknown global option") << QStringList{"--colour"} << 2 << ""
                                           << "unknown command '--colour'";
    QTest::newRow("extra argument") << QStringList{"list", "Doom"} << 2 << ""
                                    << "wrong number of arguments";
}

void CommandLineTest::usage()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, expectedOut);
    QFETCH(QString, expectedErr);
    const TestHome home;
    const Run run = tandril(home, arguments);
    QCOMPARE(run.exitCode, exitCode);
    if (expectedOut.isEmpty())
        QCOMPARE(run.out, QString());
    else
        QVERIFY2(run.out.startsWith(expectedOut), qPrintable(run.out));
    if (expectedErr.isEmpty()) {
        QCOMPARE(run.err, QString());
    } else {
        QVERIFY2(run.err.contains(expectedErr), qPrintable(run.err));
        QVERIFY(run.err.contains(QStringLiteral("Usage: tandril")));
    }
}

QTEST_GUILESS_MAIN(CommandLineTest)
#include "tst_commandline.moc"
