#include "common/Rows.h"
#include "common/TestHome.h"
#include "platform/ConsolePrompter.h"
#include "platform/TextFile.h"

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

QTEST_GUILESS_MAIN(PlatformTest)
#include "tst_platform.moc"
