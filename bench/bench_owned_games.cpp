// Adding a game people already own against the tools alone, measured in one run: a store's
// installed folder against "cp -r" of it, and a store's Windows installer against the unpacking
// alone. No installer can be made here, so innoextract is a stand-in that unpacks a generated
// installer-like folder with "cp -R", and the add is timed with that same stand-in.
//   bench_owned_games [SCALE]   SCALE 1 (default) makes a 500 MB game of 2,000 files.
// The settings are read by the DOSBox-X that TANDRIL_DOSBOX_X names, or found on PATH.
#include "BenchSupport.h"
#include "common/ScriptedPrompter.h"
#include "exchange/FolderAddJob.h"
#include "exchange/InstallerTools.h"
#include "platform/ProcessRunner.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTextStream>

using namespace BenchSupport;

namespace {

// A store's game as its installer lays it out: the game's files, the store's DOSBox, the
// configuration pair and the info file.
void writeStoreGame(const QString& root, const QString& support, int files, QRandomGenerator& random)
{
    for (int i = 0; i < files; ++i)
        writeFile(root + QStringLiteral("/BIG/DATA%1/FILE%2.DAT").arg(i % 20).arg(i), qint64(250000), random);
    writeFile(root + QStringLiteral("/BIG/BIG.EXE"), 400000, random);
    writeFile(root + QStringLiteral("/DOSBOX/DOSBox.exe"), 3000000, random);
    writeText(
        root + QStringLiteral("/goggame-1.info"),
        R"({"name":"Big Game","playTasks":[{"category":"game","isPrimary":true,"name":"Big Game",)"
        R"("path":"DOSBOX\\dosbox.exe","workingDir":"DOSBOX","arguments":"-conf \"..\\dosboxBIG.conf\" )"
        R"(-conf \"..\\dosboxBIG_single.conf\""}]})");
    writeText(support + QStringLiteral("/dosboxBIG.conf"),
              "[sdl]\noutput=overlay\nusescancodes=true\n[cpu]\ncycles=fixed 20000\n[autoexec]\n");
    writeText(
        support + QStringLiteral("/dosboxBIG_single.conf"),
        "[autoexec]\nmount c \"..\"\nmount c \"..\\cloud_saves\" -t overlay\nc:\ncd BIG\nBIG.EXE\nexit\n");
}

qint64 timeAdd(const QString& source, ProcessRunner& runner, const QString& home, QTextStream& out)
{
    ScriptedPrompter prompter;
    FolderAddJob job(prompter, runner);
    const qint64 time = timeJob(job, [&] { job.start(source); });
    const QString library = home + QStringLiteral("/Library/Application Support/Tandril");
    if (!QFile::exists(library + QStringLiteral("/Big Game/BIG/BIG.EXE"))) {
        out << "❌ add failed\n";
        out.flush();
        std::exit(1);
    }
    QDir(library).removeRecursively();
    return time;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    QTextStream out(stdout);
    const double scale = argc > 1 ? QString::fromLocal8Bit(argv[1]).toDouble() : 1.0;

    QTemporaryDir home;
    useHome(home.path());
    QRandomGenerator random(7);
    const int files = std::max(10, int(2000 * scale));
    const QString installed = home.path() + QStringLiteral("/Games/Big Game");
    writeStoreGame(installed, installed, files, random);
    const QString unpacked = home.path() + QStringLiteral("/unpacked");
    writeStoreGame(unpacked + QStringLiteral("/app"), unpacked + QStringLiteral("/__support/app"), files,
                   random);
    out << "game: " << QString::number(files * 0.25, 'f', 0) << " MB, " << files + 3 << " files\n";
    out.flush();

    // The installed folder: "cp -r" against the add.
    const qint64 copyTime = timeCopy(installed, home.path());
    ProcessRunner runner;
    const qint64 folderTime = timeAdd(installed, runner, home.path(), out);

    // The installer: the stand-in alone against the add through it.
    const QString stand = home.path() + QStringLiteral("/innoextract");
    writeText(
        stand,
        "#!/bin/sh\ncase \"$1\" in --version) echo 'innoextract 1.9';; --list) echo ' - \"app/BIG\"';;\n"
        "--extract) part=.; while [ $# -gt 1 ]; do [ \"$1\" = --output-dir ] && out=\"$2\"\n"
        "  [ \"$1\" = --include ] && part=\"$2\"; shift; done\n"
        "  exec cp -R '" +
            QFile::encodeName(unpacked) + "/'\"$part\" \"$out/\" ;; esac\n");
    QFile::setPermissions(stand, QFile::permissions(stand) | QFile::ExeOwner);
    const QString installer = home.path() + QStringLiteral("/setup_big_game_1.0.exe");
    writeText(installer, "MZ Inno Setup");
    QDir().mkpath(home.path() + QStringLiteral("/alone"));
    const qint64 unpackTime = timeProcess(stand,
                                          {QStringLiteral("--extract"), QStringLiteral("--output-dir"),
                                           home.path() + QStringLiteral("/alone"), installer},
                                          home.path());
    QDir(home.path() + QStringLiteral("/alone")).removeRecursively();
    struct StandIn final : ProcessRunner
    {
        QString program;
        QPointer<QProcess> run(const Command& command, bool capture, Done done, LineHandler lines) override
        {
            Command rewritten = command;
            if (rewritten.program == InstallerTools::Innoextract)
                rewritten.program = program;
            return ProcessRunner::run(rewritten, capture, std::move(done), std::move(lines));
        }
    } standIn;
    standIn.program = stand;
    const qint64 installerTime = timeAdd(installer, standIn, home.path(), out);

    out << "cp -r ms: " << copyTime / 1000000 << "\n";
    out << "add from the folder ms: " << folderTime / 1000000 << "\n";
    out << "folder ratio: " << QString::number(double(folderTime) / double(copyTime), 'f', 2) << "\n";
    out << "unpacking alone ms: " << unpackTime / 1000000 << "\n";
    out << "add from the installer ms: " << installerTime / 1000000 << "\n";
    out << "installer ratio: " << QString::number(double(installerTime) / double(unpackTime), 'f', 2) << "\n";
    return 0;
}
