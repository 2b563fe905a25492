#include "common/Rows.h"
#include "library/ConfigText.h"
#include "library/GameDetails.h"
#include "library/HostReach.h"
#include "library/ProgramKeys.h"

#include <QFile>
#include <QTest>

using namespace Qt::StringLiterals;

// The text operations every writer and reader of a configuration file uses.
class ConfigTextTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void operations_data();
    void operations();
    void hugeAutoexecSection();
    void hostReachIsDropped_data();
    void hostReachIsDropped();
    void notesStayOneLine_data();
    void notesStayOneLine();
    void templateHoldsEveryKeyInItsSection();
};

void ConfigTextTest::operations_data()
{
    // The key names the operation: a key is replaced or appended everywhere, "[tandril] cd_image" is
    // replaced in its section, "[tandril autoexec]" is the start-up block, and "first:"/"last:" read
    // the value of the first line at the start, or of the last trimmed line ("-": none).
    textColumns({"text", "key", "value", "expected"});
    textRow("replaces a key line, its value verbatim", "[cpu]\ncycles=auto\ncore=auto\n", "cycles",
            "\\1 $1 \\0 $&", "[cpu]\ncycles=\\1 $1 \\0 $&\ncore=auto\n");
    textRow("comment mentioning the key stays", "# try cycles=auto here\ncycles=max\n", "cycles", "500",
            "# try cycles=auto here\ncycles=500\n");
    textRow("a key inside another key or a value is not hit", "game_title=X title=Y\ntitle=old\n", "title",
            "Z", "game_title=X title=Y\ntitle=Z\n");
    textRow("a key that ends another key is not hit", "[sblaster]\nhdma=5\ndma=1\n", "dma", "3",
            "[sblaster]\nhdma=5\ndma=3\n");
    textRow("a key with blanks and capitals is the key", "  Cycles = auto\n", "cycles", "500",
            "cycles=500\n");
    textRow("a value with a line break is refused", "cycles=auto\n", "cycles", "1\n[autoexec]\nmount e /",
            "cycles=auto\n");
    textRow("a value with a line separator is refused", "x=1\n", "notes", "a\u2028b", "x=1\n");
    // Every writer refuses it: "lines:" replaces the key's lines only, "set:" sets where DOSBox-X reads.
    textRow("refused where only lines are replaced", "cycles=auto\n", "lines:cycles", "1\r2",
            "cycles=auto\n");
    textRow("refused in a section", "[tandril]\n", "[tandril] cd_image", "a\nb", "[tandril]\n");
    textRow("refused where DOSBox-X reads", "[cpu]\ncycles=1\n", "set:cpu.cycles", "2\n[autoexec]",
            "[cpu]\ncycles=1\n");
    textRow("a line separator inside a line ends no line", "notes=a\u2028old\nx=1\n", "notes", "new",
            "notes=new\nx=1\n");
    textRow("every section gets the value", "[a]\nirq=7\n[b]\nirq=3\n", "irq", "5",
            "[a]\nirq=5\n[b]\nirq=5\n");
    textRow("append after final line feed leaves an empty line", "[sdl]\nfullscreen=false\n", "ipx", "true",
            "[sdl]\nfullscreen=false\n\nipx=true");
    textRow("value with backslash and dollar appended", "", "game_exe", "C:\\GAMES\\1\\$1\\0",
            "\ngame_exe=C:\\GAMES\\1\\$1\\0");
    textRow("dot in key is only a dot", "mt32.romdir=\nmt32-romdir=old\n", "mt32.romdir", "/x",
            "mt32.romdir=/x\nmt32-romdir=old\n");
    textRow("carriage return of a CR LF line stays", "cycles=auto\r\nx=1\r\n", "cycles", "3000",
            "cycles=3000\r\nx=1\r\n");
    textRow("replaces inside the section only", "[a]\ncd_image=1\n[tandril]\ncd_image=\n[b]\ncd_image=3\n",
            "[tandril] cd_image", "/x.iso", "[a]\ncd_image=1\n[tandril]\ncd_image=/x.iso\n[b]\ncd_image=3\n");
    textRow("missing key goes to the end of the section", "[tandril]\ngame_exe=\n[b]\nx=1\n",
            "[tandril] cd_image", "/x.iso", "[tandril]\ngame_exe=\ncd_image=/x.iso\n[b]\nx=1\n");
    textRow("missing section is appended", "[a]\nx=1\n", "[tandril] cd_image", "/z",
            "[a]\nx=1\n\n[tandril]\ncd_image=/z");
    textRow("a title holding a detail key keeps it", "[tandril]\ngame_title=A game_year=1990\n",
            "[tandril] game_year", "1993", "[tandril]\ngame_title=A game_year=1990\ngame_year=1993\n");
    textRow("section names ignore case, not blanks", "[ tandril ]\ncd_image=1\n[TANDRIL]\ncd_image=2\n",
            "[tandril] cd_image", "/z", "[ tandril ]\ncd_image=1\n[TANDRIL]\ncd_image=/z\n");
    textRow("value inserted verbatim", "[tandril]\ncd_image=\n", "[tandril] cd_image", "/Users/$1/\\1\\0.iso",
            "[tandril]\ncd_image=/Users/$1/\\1\\0.iso\n");
    textRow("appended when missing", "[sdl]\nx=1\n", "[tandril autoexec]", "  mount e /cd\n  e:\n",
            "[sdl]\nx=1\n\n[tandril autoexec]\nmount e /cd\n  e:\n");
    textRow("replaced at the end of the text", "[a]\n[tandril autoexec]\nold\n", "[tandril autoexec]", "new",
            "[a]\n[tandril autoexec]\nnew\n\n");
    textRow("following section stays", "[tandril autoexec]\nold\n[midi]\nx=1\n", "[tandril autoexec]", "new",
            "[tandril autoexec]\nnew\n\n[midi]\nx=1\n");
    textRow("header inside a title is no section", "[tandril]\ngame_title=X [tandril autoexec]\ngame_exe=\n",
            "[tandril autoexec]", "new",
            "[tandril]\ngame_title=X [tandril autoexec]\ngame_exe=\n\n[tandril autoexec]\nnew\n");
    textRow("commands before the game go before the start-up commands, which stay last",
            "[tandril]\nx=1\n[tandril autoexec]\nafter\n", "[tandril before]", " %X \n",
            QString::fromUtf8("[tandril]\nx=1\n[tandril before]\n\u00A0%X\n\n[tandril autoexec]\nafter\n"));
    textRow("commands before the game replaced", "[tandril before]\nold\n\n[tandril autoexec]\nafter\n",
            "[tandril before]", "new", "[tandril before]\nnew\n\n[tandril autoexec]\nafter\n");
    textRow("block inserted verbatim", "", "[tandril autoexec]", "echo $1 \\1 \\0 C:\\$X",
            "\n[tandril autoexec]\necho $1 \\1 \\0 C:\\$X\n");
    textRow("first line counts even when empty", "game_exe=\ngame_exe=B.EXE\n", "first:game_exe=", "", "");
    textRow("blanks before the key prevent a match", "  game_exe=A\n", "first:game_exe=", "", "-");
    textRow("last occurrence wins, indented", "cycles=1\n  cycles=2 \n", "last:cycles=", "", "2");
    textRow("no line", "x=1\n", "last:cycles=", "", "-");
}

void ConfigTextTest::operations()
{
    QString text = cell("text");
    const QString key = cell("key");
    const QString value = cell("value");
    if (key.startsWith(u"first:"_s) || key.startsWith(u"last:"_s)) {
        const std::optional<QString> found = key.startsWith(u"first:"_s)
                                                 ? ConfigText::firstLineValue(text, key.mid(6))
                                                 : ConfigText::lastTrimmedLineValue(text, key.mid(5));
        text = found.value_or(u"-"_s);
    } else if (key == u"[tandril autoexec]") {
        ConfigText::saveAutoexecToConfig(value, text);
        // Saving the same block again changes nothing more.
        if (text.endsWith(u"\n\n"_s))
            ConfigText::saveAutoexecToConfig(value, text);
    } else if (key == u"[tandril before]"_s) {
        ConfigText::saveCommandSection(ProgramKeys::BeforeGameSection, value, text);
    } else if (key.startsWith(u"lines:"_s)) {
        ConfigText::replaceKeyLines(key.mid(6), value, text);
    } else if (key.startsWith(u"set:"_s)) {
        ConfigText::setWhereDosboxReads(key.mid(4).section(u'.', 0, 0), key.section(u'.', 1), value, text);
    } else if (key.startsWith(u"[tandril] "_s)) {
        ConfigText::replaceInSection(u"tandril"_s, key.mid(10), value, text);
    } else {
        ConfigText::replaceOrAppend(key, value, text);
    }
    QCOMPARE(text, cell("expected"));
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

void ConfigTextTest::hostReachIsDropped_data()
{
    // "/G" is the game's folder, "/L/mt32" the shared MT-32 folder; "dropped" joined by "|".
    textColumns({"text", "expected", "dropped"});
    textRow("start-up of host programs", "[dos]\nstartcmd=true\nxms=true\n", "[dos]\nxms=true\n",
            "[dos] startcmd=true");
    textRow("off stays", "[dos]\nstartcmd=false\n", "[dos]\nstartcmd=false\n", "");
    textRow("every line of the key, in sections as DOSBox-X reads them",
            "[DOS]\n StartCmd = 1\n[dos]\nstartcmd=yes\n", "[DOS]\n[dos]\n",
            "[dos] startcmd=1|[dos] startcmd=yes");
    textRow("ports to files, devices and the network",
            "[serial]\nserial1=file file:/tmp/x\nserial2=serialmouse\nserial4=directserial realport:ttyS0\n"
            "serial9=modem\n[parallel]\nparallel1=printer\nparallel2=reallpt realbase:378\n",
            "[serial]\nserial2=serialmouse\n[parallel]\nparallel1=printer\n",
            "[serial] serial1=file file:/tmp/x|[serial] serial4=directserial realport:ttyS0|[serial] "
            "serial9=modem|[parallel] parallel2=reallpt realbase:378");
    textRow("networking", "[ne2000]\nne2000=true\nbackend=slirp\n", "[ne2000]\nbackend=slirp\n",
            "[ne2000] ne2000=true");
    textRow("paths out of the game's folder",
            "[dosbox]\ncaptures=/G/../etc\nsavefile=/G/SAVE.SAV\n[sdl]\nmapperfile=~/.bashrc\n"
            "[midi]\nmt32.romdir=/L/mt32/\nfluid.soundfont=sub/x.sf2\n[printer]\ndocpath=.\n"
            "fontpath=C:\\FONTS\n[render]\nglshader=crt-lottes.glsl\n[log]\nlogfile=~\n[dosbox]\nmemory "
            "file=D:M\n",
            "[dosbox]\nsavefile=/G/SAVE.SAV\n[sdl]\n[midi]\nmt32.romdir=/L/mt32/\n[printer]\n[render]\n"
            "glshader=crt-lottes.glsl\n[log]\n[dosbox]\n",
            "[dosbox] captures=/G/../etc|[sdl] mapperfile=~/.bashrc|[midi] fluid.soundfont=sub/x.sf2|"
            "[printer] docpath=.|[printer] fontpath=C:\\FONTS|[log] logfile=~|[dosbox] memory file=D:M");
    textRow("a folder whose name begins like the game's", "[dosbox]\ncaptures=/G2/x\n", "[dosbox]\n",
            "[dosbox] captures=/G2/x");
    textRow("a setup program outside the game's folder",
            "[tandril]\nsetup_exe=/home/u/.ssh/SETUP.EXE\n"
            "cd_image=/home/u/cd.iso\n",
            "[tandril]\ncd_image=/home/u/cd.iso\n", "[tandril] setup_exe=/home/u/.ssh/SETUP.EXE");
    textRow("DOSBox-X's own start-up lines join Tandril's",
            "[sdl]\nx=1\n[autoexec]\nmount e /\n\ne:\n[tandril autoexec]\necho hi\n",
            "[sdl]\nx=1\n[tandril autoexec]\necho hi\nmount e /\ne:\n\n", "");
    textRow("or become them", "[autoexec]\nmount e /\n[dos]\nxms=true\n",
            "[dos]\nxms=true\n\n[tandril autoexec]\nmount e /\n", "");
}

void ConfigTextTest::hostReachIsDropped()
{
    QStringList dropped;
    const QString safe =
        HostReach::madeSafe(cell("text"), {u"/G"_s, {u"/L/mt32"_s}, u"/G/CAPTURE"_s}, &dropped);
    QCOMPARE(safe, cell("expected"));
    QCOMPARE(dropped.join(u'|'), cell("dropped"));
    // What is left reaches nothing more at launch.
    QCOMPARE(HostReach::find(safe, {u"/G"_s, {u"/L/mt32"_s}, u"/G/CAPTURE"_s}), QList<HostReach::Finding>());
}

void ConfigTextTest::notesStayOneLine_data()
{
    textColumns({"notes"});
    for (const char* breaking :
         {"\n", "\r\n", "\r", "\u2028", "\u2029", "\u0085", "\v", "\f", "\t", "\x1b[2J"})
        textRow(qPrintable(u"break "_s + QString::fromUtf8(breaking).toUtf8().toHex()),
                QString(u"first"_s + QString::fromUtf8(breaking) + u"[autoexec]\\u0041 game_exe=X"_s));
}

void ConfigTextTest::notesStayOneLine()
{
    // Written twice, so that a second write must find and replace the whole first line.
    const QString notes = cell("notes");
    QString text = u"[tandril]\ngame_title=T game_notes=keep\ngame_exe=A.EXE\n"_s;
    GameDetails details;
    details.notes = u"an old note\u2028with a separator"_s;
    GameDetailsText::write(details, text);
    details.notes = notes;
    GameDetailsText::write(details, text);
    QCOMPARE(text.count(u'\n'), 4);
    QVERIFY(ConfigText::isWritableValue(QString(text).remove(u'\n')));
    QVERIFY(text.startsWith(u"[tandril]\ngame_title=T game_notes=keep\ngame_exe=A.EXE\n"_s));
    QCOMPARE(GameDetailsText::read(text).notes, QString(notes).replace(u"\r\n"_s, u"\n"_s));
    details.notes.clear();
    GameDetailsText::write(details, text);
    QCOMPARE(text, u"[tandril]\ngame_title=T game_notes=keep\ngame_exe=A.EXE\n"_s);
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
             "[tandril] game_title game_exe setup_exe cd_image close_when_ended"_s);
}

QTEST_GUILESS_MAIN(ConfigTextTest)
#include "tst_configtext.moc"
