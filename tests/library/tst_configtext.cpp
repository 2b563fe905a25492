#include "library/ConfigText.h"

#include <QFile>
#include <QTest>

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
    void autoexecReplacedTwiceIsStable();
    void hugeAutoexecSection();
    void firstLineValue_data();
    void firstLineValue();
    void lastTrimmedLineValue_data();
    void lastTrimmedLineValue();
    void templateHoldsEveryKeyInItsSection_data();
    void templateHoldsEveryKeyInItsSection();
    void templateAvoidsKeysTheUnanchoredPatternsWouldHit();
};

void ConfigTextTest::replaceOrAppend_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("replaces a key line") << "[cpu]\ncycles=auto\ncore=auto\n"
                                         << "cycles"
                                         << "3000"
                                         << "[cpu]\ncycles=3000\ncore=auto\n";
    QTest::newRow("title also hits game_title") << "game_title=Old\ntitle=Old\n"
                                                << "title"
                                                << "New"
                                                << "game_title=New\ntitle=New\n";
    QTest::newRow("comment mentioning the key is rewritten") << "# try cycles=auto here\ncycles=max\n"
                                                             << "cycles"
                                                             << "500"
                                                             << "# try cycles=500\ncycles=500\n";
    QTest::newRow("every section gets the value") << "[a]\nirq=7\n[b]\nirq=3\n"
                                                  << "irq"
                                                  << "5"
                                                  << "[a]\nirq=5\n[b]\nirq=5\n";
    QTest::newRow("append after final line feed leaves an empty line")
        << "[sdl]\nfullscreen=false\n"
        << "ipx"
        << "true"
        << "[sdl]\nfullscreen=false\n\nipx=true";
    QTest::newRow("append without final line feed") << "[sdl]"
                                                    << "ipx"
                                                    << "true"
                                                    << "[sdl]\nipx=true";
    QTest::newRow("empty text") << ""
                                << "ipx"
                                << "false"
                                << "\nipx=false";
    QTest::newRow("value with backslash and dollar replaced") << "game_exe=X\n"
                                                              << "game_exe"
                                                              << "C:\\GAMES\\$X"
                                                              << "game_exe=C:\\GAMES\\$X\n";
    QTest::newRow("value with backslash and dollar appended") << ""
                                                              << "game_exe"
                                                              << "C:\\GAMES\\$1\\0"
                                                              << "\ngame_exe=C:\\GAMES\\$1\\0";
    QTest::newRow("dot in key is a wildcard") << "mt32.romdir=\nmt32-romdir=old\n"
                                              << "mt32.romdir"
                                              << "/x"
                                              << "mt32.romdir=/x\nmt32.romdir=/x\n";
    QTest::newRow("blanks around equals are not a key line") << "cycles = auto\n"
                                                             << "cycles"
                                                             << "3000"
                                                             << "cycles = auto\n\ncycles=3000";
    QTest::newRow("carriage return of a CR LF line stays") << "cycles=auto\r\nx=1\r\n"
                                                           << "cycles"
                                                           << "3000"
                                                           << "cycles=3000\r\nx=1\r\n";
    QTest::newRow("key that is not a valid pattern is appended") << "a=1\n"
                                                                 << "a("
                                                                 << "2"
                                                                 << "a=1\n\na(=2";
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
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("replaces inside the section only")
        << "[a]\ncd_image=1\n[tandril]\ncd_image=\n[b]\ncd_image=3\n"
        << "tandril"
        << "cd_image"
        << "/x.iso"
        << "[a]\ncd_image=1\n[tandril]\ncd_image=/x.iso\n[b]\ncd_image=3\n";
    QTest::newRow("missing key goes to the end of the section")
        << "[tandril]\ngame_exe=\n[b]\nx=1\n"
        << "tandril"
        << "cd_image"
        << "/x.iso"
        << "[tandril]\ngame_exe=\ncd_image=/x.iso\n[b]\nx=1\n";
    QTest::newRow("last section before the final line feed")
        << "[a]\nx=1\n[tandril]\ngame_exe=\n"
        << "tandril"
        << "cd_image"
        << "/y"
        << "[a]\nx=1\n[tandril]\ngame_exe=\ncd_image=/y\n";
    QTest::newRow("missing section is appended") << "[a]\nx=1\n"
                                                 << "tandril"
                                                 << "cd_image"
                                                 << "/z"
                                                 << "[a]\nx=1\n\n[tandril]\ncd_image=/z";
    QTest::newRow("empty text") << ""
                                << "tandril"
                                << "cd_image"
                                << "/z"
                                << "\n[tandril]\ncd_image=/z";
    QTest::newRow("value inserted verbatim") << "[tandril]\ncd_image=\n"
                                             << "tandril"
                                             << "cd_image"
                                             << "/Users/$1/\\0.iso"
                                             << "[tandril]\ncd_image=/Users/$1/\\0.iso\n";
    QTest::newRow("first of two sections with that name") << "[tandril]\ncd_image=a\n[tandril]\ncd_image=b"
                                                          << "tandril"
                                                          << "cd_image"
                                                          << "c"
                                                          << "[tandril]\ncd_image=c\n[tandril]\ncd_image=b";
}

void ConfigTextTest::replaceInSection()
{
    QFETCH(QString, text);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QString, expected);
    ConfigText::replaceInSection(section, key, value, text);
    QCOMPARE(text, expected);
}

void ConfigTextTest::saveAutoexec_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("autoexec");
    QTest::addColumn<QString>("expected");

    QTest::newRow("appended when missing") << "[sdl]\nx=1\n"
                                           << "  mount e /cd\n  e:\n"
                                           << "[sdl]\nx=1\n\n[tandril autoexec]\nmount e /cd\n  e:\n";
    QTest::newRow("blank autoexec keeps the section") << "[tandril autoexec]\nold\n"
                                                      << " \n\t\n"
                                                      << "[tandril autoexec]\nold\n";
    QTest::newRow("replaced at the end of the text") << "[a]\n[tandril autoexec]\nold\n"
                                                     << "new"
                                                     << "[a]\n[tandril autoexec]\nnew\n\n";
    QTest::newRow("replaced without final line feed") << "[tandril autoexec]\nold"
                                                      << "new"
                                                      << "[tandril autoexec]\nnew\n";
    QTest::newRow("following section stays") << "[tandril autoexec]\nold\n[midi]\nx=1\n"
                                             << "new"
                                             << "[tandril autoexec]\nnew\n\n[midi]\nx=1\n";
    QTest::newRow("header inside a title is no section")
        << "[tandril]\ngame_title=X [tandril autoexec]\ngame_exe=\n"
        << "new"
        << "[tandril]\ngame_title=X [tandril autoexec]\ngame_exe=\n\n[tandril autoexec]\nnew\n";
    QTest::newRow("block inserted verbatim") << ""
                                             << "echo $1 \\0 C:\\$X"
                                             << "\n[tandril autoexec]\necho $1 \\0 C:\\$X\n";
}

void ConfigTextTest::saveAutoexec()
{
    QFETCH(QString, text);
    QFETCH(QString, autoexec);
    QFETCH(QString, expected);
    ConfigText::saveAutoexecToConfig(autoexec, text);
    QCOMPARE(text, expected);
}

void ConfigTextTest::autoexecReplacedTwiceIsStable()
{
    QString text = QStringLiteral("[sdl]\nx=1\n[tandril autoexec]\nold\n");
    ConfigText::saveAutoexecToConfig(QStringLiteral("a\nb"), text);
    const QString once = text;
    QVERIFY(once.endsWith(QStringLiteral("[tandril autoexec]\na\nb\n\n")));
    ConfigText::saveAutoexecToConfig(QStringLiteral("a\nb"), text);
    QCOMPARE(text, once);
}

void ConfigTextTest::hugeAutoexecSection()
{
    // Five megabytes of start-up lines must neither overflow the matcher's stack nor be cut.
    QString lines;
    while (lines.size() < 5 * 1024 * 1024)
        lines += QStringLiteral("echo line of a very long autoexec section\n");
    QString text = QStringLiteral("[sdl]\nx=1\n[tandril autoexec]\n") + lines + QStringLiteral("[z]\ny=2\n");
    ConfigText::saveAutoexecToConfig(QStringLiteral("short"), text);
    QCOMPARE(text, QStringLiteral("[sdl]\nx=1\n[tandril autoexec]\nshort\n\n[z]\ny=2\n"));

    QString big = QStringLiteral("[tandril]\ncd_image=\n") + lines;
    ConfigText::replaceInSection(QStringLiteral("tandril"), QStringLiteral("cd_image"), QStringLiteral("/a"),
                                 big);
    QVERIFY(big.startsWith(QStringLiteral("[tandril]\ncd_image=/a\n")));
    QCOMPARE(big.size(), lines.size() + 22);
}

void ConfigTextTest::firstLineValue_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("value");

    QTest::newRow("first line counts even when empty") << "game_exe=\ngame_exe=B.EXE\n"
                                                       << "game_exe=" << true << "";
    QTest::newRow("value trimmed") << "x\ncd_image=  /a b.iso \r\n"
                                   << "cd_image=" << true << "/a b.iso";
    QTest::newRow("blanks before the key prevent a match") << "  game_exe=A\n"
                                                           << "game_exe=" << false << "";
    QTest::newRow("missing") << "[sdl]\n"
                             << "game_exe=" << false << "";
}

void ConfigTextTest::firstLineValue()
{
    QFETCH(QString, text);
    QFETCH(QString, key);
    QFETCH(bool, found);
    QFETCH(QString, value);
    const std::optional<QString> result = ConfigText::firstLineValue(text, key);
    QCOMPARE(result.has_value(), found);
    if (found)
        QCOMPARE(*result, value);
}

void ConfigTextTest::lastTrimmedLineValue_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("value");

    QTest::newRow("last occurrence wins") << "cycles=1\ncycles=2\n"
                                          << "cycles=" << true << "2";
    QTest::newRow("indented line counts") << "   cycles=max \n"
                                          << "cycles=" << true << "max";
    QTest::newRow("missing") << "x=1\n"
                             << "cycles=" << false << "";
}

void ConfigTextTest::lastTrimmedLineValue()
{
    QFETCH(QString, text);
    QFETCH(QString, key);
    QFETCH(bool, found);
    QFETCH(QString, value);
    const std::optional<QString> result = ConfigText::lastTrimmedLineValue(text, key);
    QCOMPARE(result.has_value(), found);
    if (found)
        QCOMPARE(*result, value);
}

namespace {

QString templateText()
{
    QFile file(QStringLiteral(":/config/sample.conf"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

// The section a key line stands in, or nothing.
std::optional<QString> sectionOf(const QString& text, const QString& key)
{
    QString section;
    for (const QString& line : text.split(u'\n')) {
        if (line.startsWith(u'['))
            section = line.mid(1, line.size() - 2);
        else if (line.startsWith(key + u'='))
            return section;
    }
    return std::nullopt;
}

} // namespace

void ConfigTextTest::templateHoldsEveryKeyInItsSection_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("section");
    const QList<std::pair<const char*, const char*>> keys = {
        {"fullscreen", "sdl"},
        {"fulldouble", "sdl"},
        {"windowresolution", "sdl"},
        {"autolock", "sdl"},
        {"sensitivity", "sdl"},
        {"title", "dosbox"},
        {"frameskip", "render"},
        {"aspect", "render"},
        {"glshader", "render"},
        {"cycles", "cpu"},
        {"xms", "dos"},
        {"ems", "dos"},
        {"umb", "dos"},
        {"ipx", "ipx"},
        {"mididevice", "midi"},
        {"mt32.romdir", "midi"},
        {"sbtype", "sblaster"},
        {"sbbase", "sblaster"},
        {"irq", "sblaster"},
        {"dma", "sblaster"},
        {"hdma", "sblaster"},
        {"game_title", "tandril"},
        {"game_exe", "tandril"},
        {"setup_exe", "tandril"},
        {"cd_image", "tandril"},
    };
    for (const auto& [key, section] : keys)
        QTest::newRow(key) << QString::fromLatin1(key) << QString::fromLatin1(section);
}

void ConfigTextTest::templateHoldsEveryKeyInItsSection()
{
    QFETCH(QString, key);
    QFETCH(QString, section);
    const std::optional<QString> found = sectionOf(templateText(), key);
    QVERIFY2(found.has_value(), qPrintable(key));
    QCOMPARE(*found, section);
}

void ConfigTextTest::templateAvoidsKeysTheUnanchoredPatternsWouldHit()
{
    const QString text = templateText();
    QVERIFY(!text.isEmpty());
    // A save sets irq=, dma= and friends everywhere they match; these would get the first card's values.
    for (const char* key : {"gusirq=", "mpuirq=", "nicirq=", "gusdma=", "[sblaster2]", "[tandril autoexec]"})
        QVERIFY2(!text.contains(QLatin1String(key)), key);
    // Comment lines must not mention key=value either: the writers would rewrite them.
    for (const QString& line : text.split(u'\n')) {
        if (line.startsWith(u'#'))
            QVERIFY2(!line.contains(u'='), qPrintable(line));
    }
    QVERIFY(text.endsWith(u'\n'));
}

QTEST_GUILESS_MAIN(ConfigTextTest)
#include "tst_configtext.moc"
