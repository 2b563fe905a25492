#include "common/TestHome.h"
#include "platform/ConsolePrompter.h"
#include "platform/TextFile.h"

#include <QDir>
#include <QFile>
#include <QTest>

// The thin layer over the system that everything else stands on.
class PlatformTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readStatus_data();
    void readStatus();
    void consoleAnswers_data();
    void consoleAnswers();
};

void PlatformTest::readStatus_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<qint64>("limit");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("text");
    QTest::newRow("UTF-8") << QByteArray("größe=1\n") << TextFile::MaximumTextSize
                           << int(TextFile::ReadStatus::Ok) << "größe=1\n";
    QTest::newRow("empty file is text")
        << QByteArray() << TextFile::MaximumTextSize << int(TextFile::ReadStatus::Ok) << "";
    QTest::newRow("Latin-1 is not UTF-8") << QByteArray("gr\xf6\xdf") << TextFile::MaximumTextSize
                                          << int(TextFile::ReadStatus::InvalidUtf8) << "";
    QTest::newRow("too large") << QByteArray(100, 'x') << qint64(99) << int(TextFile::ReadStatus::TooLarge)
                               << "";
}

void PlatformTest::readStatus()
{
    QFETCH(QByteArray, content);
    QFETCH(qint64, limit);
    QFETCH(int, status);
    QFETCH(QString, text);
    const TestHome home;
    const TextFile::ReadResult result =
        TextFile::readUtf8(home.writeFile(QStringLiteral("f.conf"), content), limit);
    QCOMPARE(int(result.status), status);
    QCOMPARE(result.text, text);
    QCOMPARE(result.error.isEmpty(), result.ok());

    const TextFile::ReadResult missing = TextFile::readUtf8(home.path() + QStringLiteral("/missing.conf"));
    QCOMPARE(missing.status, TextFile::ReadStatus::Unreadable);
    QVERIFY(!missing.error.isEmpty());
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
    const int chosen = prompter.ask({QStringLiteral("Configuration already exists"),
                                     QStringLiteral("Replace it?"),
                                     Prompter::Style::Warning,
                                     {QStringLiteral("Overwrite"), QStringLiteral("Cancel")}});
    QCOMPARE(chosen, answer);
    QVERIFY(!prompter.alertShown());
}

QTEST_GUILESS_MAIN(PlatformTest)
#include "tst_platform.moc"
