// Library loading against reading the same files' bytes and nothing else.
#include "BenchSupport.h"
#include "library/LibraryLoader.h"

#include <algorithm>
#include <cstdio>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

constexpr int GameCount = 10000;
constexpr int Rounds = 5;

} // namespace

using BenchSupport::bareRead;

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    QTextStream out(stdout);

    QFile templateFile(QStringLiteral(":/config/sample.conf"));
    if (!templateFile.open(QIODevice::ReadOnly)) {
        out << "❌ template not found\n";
        return 1;
    }
    const QByteArray templateText = templateFile.readAll();
    QTemporaryDir library;
    for (int i = 0; i < GameCount; ++i) {
        QByteArray text = templateText;
        text.replace("game_title=\n", "game_title=Game number " + QByteArray::number(i) + "\n");
        text.replace("setup_exe=\n", "setup_exe=/games/" + QByteArray::number(i) + "/SETUP.EXE\n");
        QFile file(library.filePath(QStringLiteral("game%1.conf").arg(i)));
        if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size()) {
            out << "❌ cannot write the library\n";
            return 1;
        }
    }

    // Warm the cache once, then take the best of several rounds of each.
    bareRead(library.path());
    qint64 bestBare = std::numeric_limits<qint64>::max();
    qint64 bestLoad = std::numeric_limits<qint64>::max();
    qsizetype loaded = 0;
    for (int round = 0; round < Rounds; ++round) {
        QElapsedTimer timer;
        timer.start();
        bareRead(library.path());
        bestBare = std::min(bestBare, timer.nsecsElapsed());
        timer.restart();
        loaded = LibraryLoader::load(library.path()).value_or(QList<ConfigEntry>()).size();
        bestLoad = std::min(bestLoad, timer.nsecsElapsed());
    }
    if (loaded != GameCount) {
        out << "❌ loaded " << loaded << " of " << GameCount << " games\n";
        return 1;
    }
    out << "games: " << GameCount << " (" << templateText.size() << " bytes each)\n";
    out << "bare read ms: " << QString::number(bestBare / 1e6, 'f', 1) << "\n";
    out << "library load ms: " << QString::number(bestLoad / 1e6, 'f', 1) << "\n";
    out << "ratio: " << QString::number(double(bestLoad) / double(bestBare), 'f', 2) << "\n";
    return 0;
}
