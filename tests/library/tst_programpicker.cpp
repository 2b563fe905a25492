#include "library/ProgramPicker.h"

#include <QTest>

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
    // A file: "PATH SIZE", a batch file's text after a "|".
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("program"); // empty: nothing runnable
    QTest::addColumn<bool>("ask");
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("cdImage");
    QTest::addColumn<QStringList>("floppies");

    QTest::newRow("one program") << QStringList{"KEEN4E.EXE 300000", "README.TXT 900"} << "Keen 4"
                                 << "KEEN4E.EXE" << false << ""
                                 << "" << QStringList{};
    QTest::newRow("game, setup and sound driver")
        << QStringList{"DOOM.EXE 700000", "SETUP.EXE 100000", "SOUND.COM 5000", "DOOM1.WAD 4000000"} << "Doom"
        << "DOOM.EXE" << false << "SETUP.EXE"
        << "" << QStringList{};
    QTest::newRow("a batch file that starts the game")
        << QStringList{"START.BAT 40|@echo off\r\ncd data\r\nGAME.EXE /nosound\r\n", "GAME.EXE 500000"}
        << "Xargon"
        << "START.BAT" << false << ""
        << "" << QStringList{};
    QTest::newRow("the game in a subfolder")
        << QStringList{"PROGRAM/TYRIAN.EXE 900000", "PROGRAM/SETUP.EXE 90000", "MANUAL.TXT 100"} << "Tyrian"
        << "PROGRAM/TYRIAN.EXE" << false << "PROGRAM/SETUP.EXE"
        << "" << QStringList{};
    QTest::newRow("close candidates: ask") << QStringList{"ALPHA.EXE 100000", "BETA.EXE 100000"} << "Zork"
                                           << "ALPHA.EXE" << true << ""
                                           << "" << QStringList{};
    QTest::newRow("nothing runnable") << QStringList{"README.TXT 100", "DATA.DAT 100000"} << "Doom"
                                      << "" << false << ""
                                      << "" << QStringList{};
    QTest::newRow("the title's words before the largest program")
        << QStringList{"KEEN4E.EXE 300000", "CK4PATCH.EXE 20000", "BIGDATA.EXE 900000"} << "Commander Keen 4"
        << "KEEN4E.EXE" << false << ""
        << "" << QStringList{};
    QTest::newRow("uninstaller and DOS extender left out")
        << QStringList{"UNINSTAL.EXE 90000", "DOS4GW.EXE 250000", "DESCENT.EXE 400000"} << "Descent"
        << "DESCENT.EXE" << false << ""
        << "" << QStringList{};
    QTest::newRow("INSTALL when there is no SETUP")
        << QStringList{"INSTALL.EXE 80000", "GAME.EXE 300000", "SETSOUND.EXE 1000"} << "Game"
        << "GAME.EXE" << false << "INSTALL.EXE"
        << "" << QStringList{};
    QTest::newRow("CD image and floppy images")
        << QStringList{"GAME.EXE 1",    "GAME.ISO 700000000", "cd/GAME.CUE 100",
                       "DISK1.IMA 100", "DISK2.IMG 1474560",  "PHOTO.IMG 5000000"}
        << "Game"
        << "GAME.EXE" << false << ""
        << "cd/GAME.CUE" << QStringList{"DISK1.IMA", "DISK2.IMG"};
    QTest::newRow("lower-case names")
        << QStringList{"game/prince.exe 120000", "game/readme.bat 30|type readme.txt"} << "Prince of Persia"
        << "game/prince.exe" << false << ""
        << "" << QStringList{};
    QTest::newRow("two levels down is too deep") << QStringList{"A/B/GAME.EXE 1000"} << "Game"
                                                 << "" << false << ""
                                                 << "" << QStringList{};
}

void ProgramPickerTest::pick()
{
    QFETCH(QStringList, files);
    QFETCH(QString, title);
    QFETCH(QString, program);
    QFETCH(bool, ask);
    QFETCH(QString, setup);
    QFETCH(QString, cdImage);
    QFETCH(QStringList, floppies);
    QList<ProgramPicker::File> listing;
    for (const QString& file : files) {
        const QString head = file.section(u'|', 0, 0);
        listing.append({head.section(u' ', 0, 0), head.section(u' ', 1).toLongLong(), file.section(u'|', 1)});
    }
    const ProgramPicker::Picked picked = ProgramPicker::pick(listing, title);
    QCOMPARE(picked.candidates.isEmpty() ? QString() : picked.candidates.first().path, program);
    QCOMPARE(picked.ask, ask);
    QCOMPARE(picked.setupProgram, setup);
    QCOMPARE(picked.cdImage, cdImage);
    QCOMPARE(picked.floppyImages, floppies);
}

QTEST_GUILESS_MAIN(ProgramPickerTest)
#include "tst_programpicker.moc"
