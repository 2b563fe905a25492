#include "exchange/Installation.h"

#include "platform/FileOperations.h"
#include "platform/Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <vector>

namespace Installation {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("Installation", text);
}

QString besideName(const QString& destination, const char* purpose)
{
    const QFileInfo info(destination);
    return info.dir().filePath(u'.' + info.fileName() + u'.' + QLatin1String(purpose) + u'-' +
                               Paths::newUuidName());
}

// One item to put in place, with what it replaces kept aside until everything worked.
struct Swap
{
    QString incoming; // the new item, beside its destination
    QString destination;
    QString previous; // the old item moved aside, if there was one
};

void rollBack(std::vector<Swap>& swaps)
{
    for (auto it = swaps.rbegin(); it != swaps.rend(); ++it) {
        if (FileOperations::itemExists(it->destination) && !it->incoming.isEmpty() &&
            !FileOperations::itemExists(it->incoming))
            QDir().rename(it->destination, it->incoming);
        if (!it->previous.isEmpty())
            QDir().rename(it->previous, it->destination);
        FileOperations::removeItem(it->incoming);
    }
}

} // namespace

Destinations destinations(const QString& configFileName, const QString& name)
{
    const QDir library(Paths::libraryFolder());
    return {library.filePath(configFileName), library.filePath(name)};
}

std::optional<QString> linkLeavingGame(const QString& stagingFolder, const QString& name)
{
    const QString gameFolder = QFileInfo(QDir(stagingFolder).filePath(name)).canonicalFilePath();
    QDirIterator it(stagingFolder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        if (!it.fileInfo().isSymLink())
            continue;
        const QString target = it.fileInfo().canonicalFilePath();
        const bool inside = !gameFolder.isEmpty() && !target.isEmpty() &&
                            (target == gameFolder || target.startsWith(gameFolder + u'/'));
        if (!inside)
            return it.filePath().mid(stagingFolder.size() + 1);
    }
    return std::nullopt;
}

std::optional<QString> install(const QString& stagedConfig, const QString& stagedFolder,
                               const Destinations& destinations)
{
    if (const std::optional<QString> error = FileOperations::makeFolder(Paths::libraryFolder()))
        return error;

    // 1. Bring the new items next to their destinations (a rename when on one file system).
    std::vector<Swap> swaps;
    swaps.push_back({besideName(destinations.config, "incoming"), destinations.config, QString()});
    if (!stagedFolder.isEmpty())
        swaps.push_back(
            {besideName(destinations.gameFolder, "incoming"), destinations.gameFolder, QString()});
    const QString sources[] = {stagedConfig, stagedFolder};
    for (size_t i = 0; i < swaps.size(); ++i) {
        if (const std::optional<QString> error = FileOperations::moveItem(sources[i], swaps[i].incoming)) {
            for (const Swap& swap : swaps)
                FileOperations::removeItem(swap.incoming);
            return error;
        }
    }

    // 2. Swap: the old items step aside, the new ones take their names.
    for (Swap& swap : swaps) {
        if (FileOperations::itemExists(swap.destination)) {
            swap.previous = besideName(swap.destination, "previous");
            if (!QDir().rename(swap.destination, swap.previous)) {
                swap.previous.clear();
                rollBack(swaps);
                return tr("Could not replace %1.").arg(swap.destination);
            }
        }
        if (!QDir().rename(swap.incoming, swap.destination)) {
            rollBack(swaps);
            return tr("Could not put %1 in place.").arg(swap.destination);
        }
    }

    // 3. Only now is the old game gone.
    for (const Swap& swap : swaps) {
        if (!swap.previous.isEmpty())
            FileOperations::removeItem(swap.previous);
    }
    return std::nullopt;
}

} // namespace Installation
