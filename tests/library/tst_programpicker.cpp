#include "common/Rows.h"
#include "library/ProgramPicker.h"

#include <QTest>

using namespace Qt::StringLiterals;

// Which program starts a game, ranked on shareware-style folder listings.
class ProgramPickerTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pick_data();
    void pick();
};

void ProgramPickerTest::pick_data()
{
    // Files as "PATH SIZE", a batch file's text after a "|", joined by ";"; what is picked as the
    // program (with "?" when asked), setup, CD image and floppies.
    textColumns({"files", "title", "picked"});
    textRow("game, setup and sound driver",
            "DOOM.EXE 700000;SETUP.EXE 100000;SOUND.COM 5000;DOOM1.WAD 4000000", "Doom",
            "DOOM.EXE|SETUP.EXE||");
    textRow("a batch file that starts the game",
            "START.BAT 40|@echo off\r\ncd data\r\nGAME.EXE /nosound\r\n;GAME.EXE 500000", "Xargon",
            "START.BAT|||");
    textRow("close candidates: ask", "ALPHA.EXE 100000;BETA.EXE 100000", "Zork", "ALPHA.EXE?|||");
    // The margin of a tie: two candidates 7 points apart are asked about, 8 apart are not.
    textRow("8 points apart is a choice", "X1.EXE 100;Y2.EXE 68", "Zork", "X1.EXE|||");
    textRow("7 points apart asks", "X1.EXE 100;Y2.EXE 72", "Zork", "X1.EXE?|||");
    // The helper is the larger program, and neither name is like the title's.
    textRow("a helper's name holding SETUP is no game and no setup program",
            "SNDSETUP.EXE 90000;RUN.EXE 1000", "Zork", "RUN.EXE|||");
    textRow("the title's words before the largest program",
            "KEEN4E.EXE 300000;CK4PATCH.EXE 20000;BIGDATA.EXE 900000", "Commander Keen 4", "KEEN4E.EXE|||");
    textRow("uninstaller and DOS extender left out",
            "UNINSTAL.EXE 90000;DOS4GW.EXE 250000;DESCENT.EXE 400000", "Descent", "DESCENT.EXE|||");
    textRow("INSTALL when there is no SETUP", "INSTALL.EXE 80000;GAME.EXE 300000;SETSOUND.EXE 1000", "Game",
            "GAME.EXE|INSTALL.EXE||");
    textRow("CD image and floppy images",
            "GAME.EXE 1;GAME.ISO 700000000;cd/GAME.CUE 100;DISK1.IMA 100;DISK2.IMG 1474560;PHOTO.IMG 5000000",
            "Game", "GAME.EXE||cd/GAME.CUE|DISK1.IMA,DISK2.IMG");
    textRow("two levels down is too deep", "A/B/GAME.EXE 1000", "Game", "|||");
    // A small menu program whose name begins its variants' names starts the one the machine needs.
    textRow("the loader whose name begins the others'",
            "GP.EXE 1024;GPCGA.EXE 120000;GPEGA.EXE 140000;GPTDY.EXE 130000", "Grand Prix Circuit",
            "GP.EXE|||");
    textRow("one longer name is no family of variants", "GP.EXE 1024;GPEGA.EXE 140000", "Grand Prix",
            "GPEGA.EXE|||");
}

void ProgramPickerTest::pick()
{
    QList<ProgramPicker::File> listing;
    for (const QString& file : cell("files").split(u';')) {
        const QString head = file.section(u'|', 0, 0);
        listing.append({head.section(u' ', 0, 0), head.section(u' ', 1).toLongLong(), file.section(u'|', 1)});
    }
    const ProgramPicker::Picked result = ProgramPicker::pick(listing, cell("title"));
    const QString program = result.candidates.isEmpty() ? QString() : result.candidates.first().path;
    QCOMPARE(QStringList({program + (result.ask ? u"?"_s : QString()), result.setupProgram, result.cdImage,
                          result.floppyImages.join(u',')})
                 .join(u'|'),
             cell("picked"));
}

QTEST_GUILESS_MAIN(ProgramPickerTest)
#include "tst_programpicker.moc"
