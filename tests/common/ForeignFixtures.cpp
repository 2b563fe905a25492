#include "common/ForeignFixtures.h"

#include "common/ZipWriter.h"
#include "exchange/InstallerTools.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace ForeignFixtures {

namespace {

void write(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        qFatal("cannot write fixture %s", qPrintable(path));
}

QByteArray crlf(QByteArray text)
{
    return text.replace("\n", "\r\n");
}

// The game writes on C, reads its CD, and finds its saved game where one came along.
const QByteArray GameBatch = crlf("@echo off\necho played> PLAYED.TXT\ncopy D:\\CDFILE.TXT FROMCD.TXT\n"
                                  "if exist SAVE1.DAT copy SAVE1.DAT SAVESEEN.TXT\n");
// Its setup program writes on C and closes DOSBox-X.
const QByteArray SetupBatch = crlf("@echo off\necho set up> SETUP.TXT\nexit\n");

// An ISO of one file and a second of silence as a WAV track: the store's CD.
QByteArray isoImage()
{
    QTemporaryDir work;
    write(work.filePath(u"content/CDFILE.TXT"_s), "from the CD\r\n");
    QProcess iso;
    iso.start(u"genisoimage"_s, {u"-quiet"_s, u"-o"_s, work.filePath(u"cd.iso"_s), u"-V"_s, u"CAVE"_s,
                                 work.filePath(u"content"_s)});
    if (!iso.waitForFinished(30000) || iso.exitCode() != 0)
        return {};
    QFile image(work.filePath(u"cd.iso"_s));
    return image.open(QIODevice::ReadOnly) ? image.readAll() : QByteArray();
}

QByteArray wavTrack()
{
    const quint32 samples = 44100 / 10 * 4; // a tenth of a second, 16-bit stereo
    QByteArray header("RIFF");
    const auto u32 = [](quint32 v) { return QByteArray(reinterpret_cast<const char*>(&v), 4); };
    const auto u16 = [](quint16 v) { return QByteArray(reinterpret_cast<const char*>(&v), 2); };
    header += u32(36 + samples) + "WAVEfmt " + u32(16) + u16(1) + u16(2) + u32(44100) + u32(44100 * 4) +
              u16(4) + u16(16) + "data" + u32(samples);
    return header + QByteArray(samples, '\0');
}

// The store's faults: another name than ".cue", letter case, a backslash path, a wrong label,
// "INDEX 1" and "INDEX 0".
const QByteArray StoreSheet =
    crlf("FILE \"GAME.GOG\" BINARY\n  TRACK 01 MODE1/2048\n    INDEX 1 00:00:00\n"
         "FILE \"Music\\Track02.WAV\" MP3\n  TRACK 02 AUDIO\n    INDEX 0 00:00:00\n");

void writeCd(const QString& folder)
{
    write(folder + u"/game.gog"_s, isoImage());
    write(folder + u"/music/track02.wav"_s, wavTrack());
    write(folder + u"/game.ins"_s, StoreSheet);
}

const QByteArray StoreSettings =
    crlf("[sdl]\ngame_exe=EVIL.BAT\nfullscreen=false\nfulldouble=false\noutput=overlay\n"
         "usescancodes=true\nmapperfile=mapper-0.74.map\n[dosbox]\n"
         "machine=svga_s3\nmemsize=16\n[cpu]\ncore=auto\ncycles=fixed 8000\n"
         "[sblaster]\nsbtype=sb16\noplemu=nuked\n[midi]\nmpu401=intelligent\n"
         "[dos]\nstartcmd=true\n"
         "[autoexec]\n");

// The menu is drawn with code page 437's box characters: the file is no UTF-8.
QByteArray storeStartup(const QByteArray& mounts)
{
    return crlf("[autoexec]\n@echo off\n" + mounts +
                "c:\ncd CAVE\ncls\n:menu\necho \xC9\xCD\xCD\xCD\xCD\xBB\necho \xBA 1) Cave Run \xBA\n"
                "echo \xBA 2) Sound setup \xBA\necho \xBA 3) exit \xBA\n"
                "choice /c123 /s Which program do you want to run? [1-3]: /n\nif errorlevel 3 goto exit\n"
                "if errorlevel 2 goto setup\nif errorlevel 1 goto game\n:game\ncls\ngame\ngoto exit\n"
                ":setup\nsetup\ngoto menu\n:exit\nexit\n");
}

const QByteArray InfoFile =
    R"({"gameId":"1207658930","rootGameId":"1207658930","name":"Cave Run","language":"English",
"playTasks":[{"category":"game","isPrimary":true,"name":"Cave Run","path":"DOSBOX\\dosbox.exe",
"workingDir":"DOSBOX","arguments":"-conf \"..\\dosboxCAVE.conf\" -conf \"..\\dosboxCAVE_single.conf\" -noconsole -c \"exit\"","type":"FileTask"},
{"category":"game","name":"Cave Run II","path":"DOSBOX\\DOSBox.exe","workingDir":"DOSBOX",
"arguments":"-conf \"..\\dosboxCAVE2.conf\" -conf \"..\\dosboxCAVE2_single.conf\" -noconsole -c \"exit\"","type":"FileTask"},
{"category":"tool","name":"Graphics mode setup","path":"DOSBOX\\GOGDOSConfig.exe","workingDir":"DOSBOX","type":"FileTask"},
{"category":"document","name":"Manual","path":"Manual.pdf","type":"FileTask"},
{"category":"other","name":"Support","link":"https://example.invalid/","type":"URLTask"}]})";

// The game's own files below a folder that becomes drive C.
void writeGame(const QString& driveC)
{
    write(driveC + u"/CAVE/GAME.BAT"_s, GameBatch);
    write(driveC + u"/CAVE/SETUP.BAT"_s, SetupBatch);
    write(driveC + u"/CAVE/OLD.SAV"_s, "an old save the player deleted");
}

} // namespace

bool canMakeImages()
{
    return !isoImage().isEmpty();
}

QString storeFolder(const QString& folder)
{
    const QString root = folder + u"/Cave Run"_s;
    writeGame(root);
    writeCd(root);
    write(root + u"/goggame-1207658930.info"_s, InfoFile);
    write(root + u"/goggame-1207658930.hashdb"_s, "hashes");
    write(root + u"/dosboxCAVE.conf"_s, StoreSettings);
    write(
        root + u"/dosboxCAVE_single.conf"_s,
        storeStartup(
            "mount c \"..\"\nmount C \"..\\cloud_saves\" -t overlay\nimgmount d \"..\\game.ins\" -t iso\n"));
    write(root + u"/DOSBOX/DOSBox.exe"_s, "MZ the store's DOSBox");
    // The pack's second game, with its own pair.
    write(root + u"/CAVE2/GAME2.BAT"_s, GameBatch);
    write(root + u"/dosboxCAVE2.conf"_s, StoreSettings);
    write(root + u"/dosboxCAVE2_single.conf"_s,
          crlf("[autoexec]\nmount c \"..\"\nc:\ncd CAVE2\nGAME2.BAT\nexit\n"));
    write(root + u"/DOSBOX/GOGDOSConfig.exe"_s, "MZ");
    write(root + u"/cloud_saves/CAVE/SAVE1.DAT"_s, "saved");
    write(root + u"/cloud_saves/CAVE/.DBOVERLAY_DEL_OLD.SAV"_s, {});
    write(root + u"/unins000.exe"_s, "MZ");
    write(root + u"/unins000.dat"_s, "uninstall");
    write(root + u"/webcache.zip"_s, "PK");
    write(root + u"/Manual.pdf"_s, "%PDF");
    return root;
}

QString unpackedInstaller(const QString& folder)
{
    const QString root = folder + u"/setup_cave_run_1.0_(1234)"_s;
    writeGame(root + u"/app"_s);
    writeCd(root + u"/app"_s);
    write(root + u"/app/goggame-1207658930.info"_s, InfoFile);
    write(root + u"/__support/app/dosboxCAVE.conf"_s, StoreSettings);
    write(root + u"/__support/app/dosboxCAVE_single.conf"_s,
          storeStartup("mount c \"..\"\nimgmount d \"..\\game.ins\" -t iso\n"));
    write(root + u"/__redist/dosbox.exe"_s, "MZ");
    write(root + u"/tmp/installer.dll"_s, "MZ");
    write(root + u"/commonappdata/x.ini"_s, "x");
    return root;
}

QString linuxInstaller(const QString& folder)
{
    ZipWriter zip;
    zip.addFile(u"data/noarch/gameinfo"_s, "Cave Run\n1.0\n1234\nen-US\n");
    zip.addFile(u"data/noarch/dosbox_cave.conf"_s, StoreSettings);
    zip.addFile(u"data/noarch/dosbox_cave_single.conf"_s,
                storeStartup("mount C \"data\"\nimgmount d \"game.ins\" -t iso\n"));
    zip.addFile(u"data/noarch/data/CAVE/GAME.BAT"_s, GameBatch);
    zip.addFile(u"data/noarch/data/CAVE/SETUP.BAT"_s, SetupBatch);
    zip.addFile(u"data/noarch/game.gog"_s, isoImage());
    zip.addFile(u"data/noarch/music/track02.wav"_s, wavTrack());
    zip.addFile(u"data/noarch/game.ins"_s, StoreSheet);
    zip.addFile(u"data/noarch/support/icon.png"_s, "PNG");
    zip.addFile(u"data/noarch/start.sh"_s, "#!/bin/sh\n");
    zip.addFile(u"scripts/installer.lua"_s, "-- the installer's own");
    const QString path = folder + u"/cave_run_1_0_1234.sh"_s;
    write(path,
          "#!/bin/sh\n# a self-extracting installer\nexit 0\n" + QByteArray(100, '#') + "\n" + zip.bytes());
    return path;
}

QString bundle(const QString& folder)
{
    ZipWriter zip;
    // A floppy image of the computer, reached from the root up: never carried off.
    write(folder + u"/outside.img"_s, "floppy");
    zip.addFile(
        u".jsdos/dosbox.conf"_s,
        "[sdl]\noutput=surface\nmapperfile=mapper-jsdos.map\n[cpu]\ncycles=max\n[autoexec]\necho off\n"
        "mount c .\nc:\nimgmount d CD.ISO -t iso\nimgmount a " +
            QByteArray("../").repeated(32) + QFile::encodeName(folder).mid(1) +
            "/outside.img -t floppy\ntype jsdos~1/readme.txt\necho on\ncd cave\ngame.bat\n"
            "# This file was made by a bundle maker\n# \xE2\x96\x80\xE2\x96\x84\xE2\x96\x80\n");
    zip.addFile(u".jsdos/readme.txt"_s, "A bundle\n");
    zip.addFile(u".jsdos/jsdos.json"_s, "{}");
    zip.addFile(u"cave/GAME.BAT"_s, GameBatch);
    zip.addFile(u"CD.ISO"_s, isoImage());
    const QString path = folder + u"/cave-run.jsdos"_s;
    write(path, zip.bytes());
    return path;
}

QString collectionConfig(const QString& folder)
{
    const QString root = folder + u"/collection"_s;
    writeGame(root + u"/games/CaveRun"_s);
    write(root + u"/games/CaveRun/cd/cdfile.iso"_s, isoImage());
    write(root + u"/games/CaveRun/cd/cave.cue"_s,
          crlf("FILE \"CDFILE.ISO\" BINARY\n  TRACK 01 MODE1/2048\n    INDEX 01 00:00:00\n"));
    write(
        root + u"/Cave Run.conf"_s,
        crlf(
            "# This is the configuration file for DOSBox ECE\n[sblaster]\noplemu=nuked\n[pci]\nvoodoo=false\n"
            "[autoexec]\nmount c .\\games\\CAVERUN\nimgmount d \".\\games\\CAVERUN\\CD\\CAVE.CUE\" -t cdrom\n"
            "c:\ncd cave\ncall game.bat\nexit\n"));
    return root + u"/Cave Run.conf"_s;
}

QString innoextractStandIn(const QString& folder, const QString& unpacked, const QByteArray& version)
{
    const QString script = folder + u"/innoextract"_s;
    write(
        script,
        "#!/bin/sh\nprintf '%s\\n' \"$*\" >> \"$0.calls\"\ncase \"$1\" in\n"
        "--version) echo '" +
            version +
            " (C) a stand-in'; exit 0 ;;\n"
            "--list) echo ' - \"app/CAVE/GAME.BAT\" (1 KiB)'; echo ' - \"app/game.gog\" (1 MiB)'; exit 0 ;;\n"
            "--extract) part=.; while [ $# -gt 1 ]; do [ \"$1\" = --output-dir ] && out=\"$2\"\n"
            "  [ \"$1\" = --include ] && part=\"$2\"; shift; done\n"
            // No child of the shell: the copy replaces it, so that a kill reaches all of it.
            "  echo ' - \"app/CAVE/GAME.BAT\"'; exec cp -R '" +
            QFile::encodeName(unpacked) + "/'\"$part\" \"$out/\" ;;\nesac\nexit 2\n");
    QFile::setPermissions(script, QFile::permissions(script) | QFile::ExeOwner);
    return script;
}

std::function<ProcessRunner::Command(ProcessRunner::Command)> innoextractAs(const QString& standIn)
{
    return [standIn](ProcessRunner::Command command) {
        if (command.program == InstallerTools::Innoextract)
            command.program = standIn;
        return command;
    };
}

QString windowsInstaller(const QString& folder)
{
    const QString path = folder + u"/setup_cave_run_1.0_(1234).exe"_s;
    write(path, "MZ\x90 This program cannot be run in DOS mode. Inno Setup Setup Data (5.5.7)");
    return path;
}

} // namespace ForeignFixtures
