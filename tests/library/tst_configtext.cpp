#include "library/ConfigText.h"

#include <QFile>
#include <QTest>

using namespace Qt::StringLiterals;

// The text operations every writer of a configuration file uses.
class ConfigTextTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void replaceOrAppend_data();
    void replaceOrAppend();
    void replaceInSection_data();
    void replaceInSection();
    void saveAutoexec_data();
    void saveAutoexec();
    void hugeAutoexecSection();
    void lineValues_data();
    void lineValues();
    void templateHoldsEveryKeyInItsSection();
};

namespace {

// One row of text, key, value and the expected text.
void row(const char* name, const char* text, const char* key, const char* value, const char* expected)
{
    QTest::newRow(name) << QString::fromUtf8(text) << QString::fromUtf8(key) << QString::fromUtf8(value)
                        << QString::fromUtf8(expected);
}

void textColumns()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("expected");
}

} // namespace

void ConfigTextTest::replaceOrAppend_data()
{
    textColumns();
    row("replaces a key line", "[cpu]\ncycles=auto\ncore=auto\n", "cycles", "3000",
        "[cpu]\ncycles=3000\ncore=auto\n");
    row("title also hits game_title", "game_title=Old\ntitle=Old\n", "title", "New",
        "game_title=New\ntitle=New\n");
    row("comment mentioning the key is rewritten", "# try cycles=auto here\ncycles=max\n", "cycles", "500",
        "# try cycles=500\ncycles=500\n");
    row("every section gets the value", "[a]\nirq=7\n[b]\nirq=3\n", "irq", "5", "[a]\nirq=5\n[b]\nirq=5\n");
    row("append after final line feed leaves an empty line", "[sdl]\nfullscreen=false\n", "ipx", "true",
        "[sdl]\nfullscreen=false\n\nipx=true");
    row("append without final line feed", "[sdl]", "ipx", "true", "[sdl]\nipx=true");
    row("value with backslash and dollar replaced", "game_exe=X\n", "game_exe", "C:\\GAMES\\$X",
        "game_exe=C:\\GAMES\\$X\n");
    row("value with backslash and dollar appended", "", "game_exe", "C:\\GAMES\\$1\\0",
        "\ngame_exe=C:\\GAMES\\$1\\0");
    row("dot in key is a wildcard", "mt32.romdir=\nmt32-romdir=old\n", "mt32.romdir", "/x",
        "mt32.romdir=/x\nmt32.romdir=/x\n");
    row("blanks around equals are not a key line", "cycles = auto\n", "cycles", "3000",
        "cycles = auto\n\ncycles=3000");
    row("carriage return of a CR LF line stays", "cycles=auto\r\nx=1\r\n", "cycles", "3000",
        "cycles=3000\r\nx=1\r\n");
}

void ConfigTextTest::replaceOrAppend()
{
    QFETCH(QString, text);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QString, expected);
    ConfigText::replaceOrAppend(key, value, text);
    QCOMPARE(text, expected);
}

void ConfigTextTest::replaceInSection_data()
{
    // Always the cd_image key of the [tandril] section.
    textColumns();
    row("replaces inside the section only", "[a]\ncd_image=1\n[tandril]\ncd_image=\n[b]\ncd_image=3\n", "",
        "/x.iso", "[a]\ncd_image=1\n[tandril]\ncd_image=/x.iso\n[b]\ncd_image=3\n");
    row("missing key goes to the end of the section", "[tandril]\ngame_exe=\n[b]\nx=1\n", "", "/x.iso",
        "[tandril]\ngame_exe=\ncd_image=/x.iso\n[b]\nx=1\n");
    row("last section before the final line feed", "[a]\nx=1\n[tandril]\ngame_exe=\n", "", "/y",
        "[a]\nx=1\n[tandril]\ngame_exe=\ncd_image=/y\n");
    row("missing section is appended", "[a]\nx=1\n", "", "/z", "[a]\nx=1\n\n[tandril]\ncd_image=/z");
    row("value inserted verbatim", "[tandril]\ncd_image=\n", "", "/Users/$1/\\0.iso",
        "[tandril]\ncd_image=/Users/$1/\\0.iso\n");
    row("first of two sections with that name", "[tandril]\ncd_image=a\n[tandril]\ncd_image=b", "", "c",
        "[tandril]\ncd_image=c\n[tandril]\ncd_image=b");
}

void ConfigTextTest::replaceInSection()
{
    QFETCH(QString, text);
    QFETCH(QString, value);
    QFETCH(QString, expected);
    ConfigText::replaceInSection(u"tandril"_s, u"cd_image"_s, value, text);
    QCOMPARE(text, expected);
}

void ConfigTextTest::saveAutoexec_data()
{
    // The key column is unused; the value is the new start-up block.
    textColumns();
    row("appended when missing", "[sdl]\nx=1\n", "", "  mount e /cd\n  e:\n",
        "[sdl]\nx=1\n\n[tandril autoexec]\nmount e /cd\n  e:\n");
    row("blank autoexec keeps the section", "[tandril autoexec]\nold\n", "", " \n\t\n",
        "[tandril autoexec]\nold\n");
    row("replaced at the end of the text", "[a]\n[tandril autoexec]\nold\n", "", "new",
        "[a]\n[tandril autoexec]\nnew\n\n");
    row("replaced without final line feed", "[tandril autoexec]\nold", "", "new",
        "[tandril autoexec]\nnew\n");
    row("following section stays", "[tandril autoexec]\nold\n[midi]\nx=1\n", "", "new",
        "[tandril autoexec]\nnew\n\n[midi]\nx=1\n");
    row("header inside a title is no section", "[tandril]\ngame_title=X [tandril autoexec]\ngame_exe=\n", "",
        "new", "[tandril]\ngame_title=X [tandril autoexec]\ngame_exe=\n\n[tandril autoexec]\nnew\n");
    row("block inserted verbatim", "", "", "echo $1 \\0 C:\\$X",
        "\n[tandril autoexec]\necho $1 \\0 C:\\$X\n");
}

void ConfigTextTest::saveAutoexec()
{
    QFETCH(QString, text);
    QFETCH(QString, value);
    QFETCH(QString, expected);
    ConfigText::saveAutoexecToConfig(value, text);
    QCOMPARE(text, expected);
    // Saving the same block again changes nothing more.
    if (text.endsWith(u"\n\n"_s)) {
        ConfigText::saveAutoexecToConfig(value, text);
        QCOMPARE(text, expected);
    }
}

void ConfigTextTest::hugeAutoexecSection()
{
    // Five megabytes of start-up lines must neither overflow the matcher's stack nor be cut.
    QString lines;
    while (lines.size() < 5 * 1024 * 1024)
        lines += u"echo line of a very long autoexec section\n"_s;
    QString text = u"[sdl]\nx=1\n[tandril autoexec]\n"_s + lines + u"[z]\ny=2\n"_s;
    ConfigText::saveAutoexecToConfig(u"short"_s, text);
    QCOMPARE(text, u"[sdl]\nx=1\n[tandril autoexec]\nshort\n\n[z]\ny=2\n"_s);

    QString big = u"[tandril]\ncd_image=\n"_s + lines;
    ConfigText::replaceInSection(u"tandril"_s, u"cd_image"_s, u"/a"_s, big);
    QVERIFY(big.startsWith(u"[tandril]\ncd_image=/a\n"_s));
    QCOMPARE(big.size(), lines.size() + 22);
}

void ConfigTextTest::lineValues_data()
{
    QTest::addColumn<bool>("last"); // the last indented line instead of the first line at the start
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("key");
    QTest::addColumn<std::optional<QString>>("value");
    using V = std::optional<QString>;
    QTest::newRow("first line counts even when empty") << false << "game_exe=\ngame_exe=B.EXE\n"
                                                       << "game_exe=" << V(u""_qs);
    QTest::newRow("value trimmed") << false << "x\ncd_image=  /a b.iso \r\n"
                                   << "cd_image=" << V(u"/a b.iso"_qs);
    QTest::newRow("blanks before the key prevent a match") << false << "  game_exe=A\n"
                                                           << "game_exe=" << V();
    QTest::newRow("last occurrence wins") << true << "cycles=1\ncycles=2\n"
                                          << "cycles=" << V(u"2"_qs);
    QTest::newRow("indented line counts") << true << "   cycles=max \n"
                                          << "cycles=" << V(u"max"_qs);
    QTest::newRow("missing") << true << "x=1\n"
                             << "cycles=" << V();
}

void ConfigTextTest::lineValues()
{
    QFETCH(bool, last);
    QFETCH(QString, text);
    QFETCH(QString, key);
    QFETCH(std::optional<QString>, value);
    QCOMPARE(last ? ConfigText::lastTrimmedLineValue(text, key) : ConfigText::firstLineValue(text, key),
             value);
}

void ConfigTextTest::templateHoldsEveryKeyInItsSection()
{
    QFile file(u":/config/sample.conf"_s);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    QVERIFY(text.endsWith(u'\n'));
    // Each key the writers set, after its section; a save sets irq=, dma= and friends everywhere they
    // match, so no other card's keys; comment lines must not mention key=value either.
    QString keys;
    for (const QString& line : text.split(u'\n')) {
        QVERIFY2(!line.startsWith(u'#') || !line.contains(u'='), qPrintable(line));
        if (line.startsWith(u'['))
            keys += u' ' + line;
        else if (line.contains(u'='))
            keys += u' ' + line.section(u'=', 0, 0);
    }
    QCOMPARE(keys.simplified(),
             u"[sdl] fullscreen fulldouble windowresolution output autolock sensitivity [dosbox] title "
             "machine memsize [render] frameskip aspect glshader [cpu] core cputype cycles [dos] xms "
             "ems umb [ipx] ipx [midi] mididevice mt32.romdir [sblaster] sbtype sbbase irq dma hdma "
             "[tandril] game_title game_exe setup_exe cd_image"_s);
}

QTEST_GUILESS_MAIN(ConfigTextTest)
#include "tst_configtext.moc"
