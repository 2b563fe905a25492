#include "common/TestHome.h"
#include "platform/ConsolePrompter.h"
#include "platform/TextFile.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace Qt::StringLiterals;

// The thin layer over the system that everything else stands on.
class PlatformTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readRefusals();
    void consoleAnswers_data();
    void consoleAnswers();
};

void PlatformTest::readRefusals()
{
    // Text validity itself is checked where library files are read.
    const TestHome home;
    const TextFile::ReadResult large = TextFile::readUtf8(home.writeFile(u"f"_s, QByteArray(100, 'x')), 99);
    QCOMPARE(large.status, TextFile::ReadStatus::TooLarge);
    const TextFile::ReadResult missing = TextFile::readUtf8(home.path() + u"/missing.conf"_s);
    QCOMPARE(missing.status, TextFile::ReadStatus::Unreadable);
    QVERIFY(!large.error.isEmpty() && !missing.error.isEmpty());
    QVERIFY(TextFile::readUtf8(home.writeFile(u"empty"_s, {})).ok());
}

void PlatformTest::consoleAnswers_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("terminal");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<int>("answer");
    QTest::newRow("no terminal answers Cancel") << "1\n" << false << false << 1;
    QTest::newRow("--yes answers the first button") << "" << false << true << 0;
    QTest::newRow("number typed") << "2\n" << true << false << 1;
    QTest::newRow("button name typed") << "overwrite\n" << true << false << 0;
    QTest::newRow("nonsense, then a number") << "maybe\n1\n" << true << false << 0;
    QTest::newRow("end of input cancels") << "" << true << false << 1;
}

void PlatformTest::consoleAnswers()
{
    QFETCH(QString, typed);
    QFETCH(bool, terminal);
    QFETCH(bool, yes);
    QFETCH(int, answer);
    QString input = typed;
    QString errors;
    QTextStream in(&input);
    QTextStream err(&errors);
    ConsolePrompter prompter(in, err, terminal, yes);
    const int chosen = prompter.ask({u"Configuration already exists"_s,
                                     u"Replace it?"_s,
                                     Prompter::Style::Warning,
                                     {u"Overwrite"_s, u"Cancel"_s}});
    QCOMPARE(chosen, answer);
    QVERIFY(!prompter.alertShown());
}

QTEST_GUILESS_MAIN(PlatformTest)
#include "tst_platform.moc"
