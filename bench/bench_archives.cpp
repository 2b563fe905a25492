// Export and import of a large game against plain zip and unzip of the same data, measured in
// one run, and the longest time the event loop goes without running during an export.
//   bench_archives [SCALE]   SCALE 1 (default) makes the full 1 GB game; 0.1 a tenth of it.
#include "BenchSupport.h"
#include "common/ScriptedPrompter.h"
#include "exchange/ExportJob.h"
#include "exchange/ImportJob.h"
#include "library/LibraryLoader.h"
#include "platform/ProcessRunner.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

using namespace BenchSupport;

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    QTextStream out(stdout);
    const double scale = argc > 1 ? QString::fromLocal8Bit(argv[1]).toDouble() : 1.0;

    QTemporaryDir home;
    qputenv("HOME", QFile::encodeName(home.path()));
    QTemporaryDir temporary;
    qputenv("TMPDIR", QFile::encodeName(temporary.path()));
    const QString library = home.path() + QStringLiteral("/Library/Application Support/Tandril");
    const QString game = library + QStringLiteral("/Big Game");
    QDir().mkpath(home.path() + QStringLiteral("/Desktop"));

    QRandomGenerator random(42);
    writeFile(game + QStringLiteral("/ISO/disc.iso"), qint64(700e6 * scale), random);
    const int smallFiles = std::max(10, int(2000 * scale));
    for (int i = 0; i < smallFiles; ++i)
        writeFile(game + QStringLiteral("/DATA/%1/%2/FILE%3.DAT").arg(i % 10).arg(i % 7).arg(i),
                  qint64(150000), random);
    QFile config(library + QStringLiteral("/Big Game.conf"));
    if (!config.open(QIODevice::WriteOnly))
        return 1;
    config.write("[tandril]\ngame_title=Big Game\nsetup_exe=/Users/old/SETUP.EXE\n");
    config.close();
    out << "game: " << QString::number(700 * scale + smallFiles * 0.15, 'f', 0) << " MB, " << smallFiles + 1
        << " files\n";
    out.flush();

    // Baselines: plain zip of the same folder, plain unzip of the same archive.
    QTemporaryDir baseline;
    const qint64 zipTime = timeProcess(QStringLiteral("/usr/bin/zip"),
                                       {QStringLiteral("-r"), baseline.filePath(QStringLiteral("plain.zip")),
                                        QStringLiteral("Big Game"), QStringLiteral("Big Game.conf")},
                                       library);

    ScriptedPrompter prompter;
    ProcessRunner runner;
    ExportJob exporter(prompter, runner);
    qint64 stall = 0;
    const qint64 exportTime = timeJob(
        exporter,
        [&] { exporter.start(LibraryLoader::readEntry(library + QStringLiteral("/Big Game.conf"))); },
        &stall);
    const QString archive = home.path() + QStringLiteral("/Desktop/Big Game.tdl");
    if (!QFile::exists(archive)) {
        out << "❌ export failed\n";
        return 1;
    }

    QTemporaryDir unpacked;
    const qint64 unzipTime =
        timeProcess(QStringLiteral("/usr/bin/unzip"), {QStringLiteral("-q"), archive}, unpacked.path());
    QDir(library).removeRecursively();
    ImportJob importer(prompter, runner);
    const qint64 importTime = timeJob(importer, [&] { importer.start(archive, ImportJob::Road::Panel); });
    if (!QFile::exists(library + QStringLiteral("/Big Game/ISO/disc.iso"))) {
        out << "❌ import failed\n";
        return 1;
    }

    out << "zip -r ms: " << zipTime / 1000000 << "\n";
    out << "export ms: " << exportTime / 1000000 << "\n";
    out << "unzip ms: " << unzipTime / 1000000 << "\n";
    out << "import ms: " << importTime / 1000000 << "\n";
    out << "export ratio: " << QString::number(double(exportTime) / double(zipTime), 'f', 2) << "\n";
    out << "import ratio: " << QString::number(double(importTime) / double(unzipTime), 'f', 2) << "\n";
    out << "longest stall ms: " << stall << "\n";
    return 0;
}
