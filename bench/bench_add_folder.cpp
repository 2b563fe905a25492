// Adding a game from its folder against plain "cp -r" of the same folder, measured in one run,
// and the longest time the event loop goes without running meanwhile.
//   bench_add_folder [SCALE]   SCALE 1 (default) makes a 500 MB folder of 2,000 files.
#include "BenchSupport.h"
#include "common/ScriptedPrompter.h"
#include "exchange/FolderAddJob.h"
#include "platform/ProcessRunner.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTextStream>

using namespace BenchSupport;

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    QTextStream out(stdout);
    const double scale = argc > 1 ? QString::fromLocal8Bit(argv[1]).toDouble() : 1.0;

    QTemporaryDir home;
    useHome(home.path());
    const QString source = home.path() + QStringLiteral("/Downloads/Big Game");
    QRandomGenerator random(7);
    const int files = std::max(10, int(2000 * scale));
    for (int i = 0; i < files; ++i)
        writeFile(source + QStringLiteral("/DATA%1/FILE%2.DAT").arg(i % 20).arg(i), qint64(250000), random);
    writeFile(source + QStringLiteral("/GAME.EXE"), 400000, random);
    out << "folder: " << QString::number(files * 0.25, 'f', 0) << " MB, " << files + 1 << " files\n";
    out.flush();

    const qint64 copyTime = timeCopy(source, home.path());

    ScriptedPrompter prompter;
    ProcessRunner runner;
    FolderAddJob job(prompter, runner);
    qint64 stall = 0;
    const qint64 addTime = timeJob(
        job, [&] { job.start(source); }, &stall);
    if (!QFile::exists(home.path() +
                       QStringLiteral("/Library/Application Support/Tandril/Big Game/GAME.EXE"))) {
        out << "❌ add failed\n";
        return 1;
    }
    out << "cp -r ms: " << copyTime / 1000000 << "\n";
    out << "add ms: " << addTime / 1000000 << "\n";
    out << "add ratio: " << QString::number(double(addTime) / double(copyTime), 'f', 2) << "\n";
    out << "longest stall ms: " << stall << "\n";
    return 0;
}
