#include "library/ItemSwap.h"

#include "platform/Diagnostics.h"
#include "platform/FileOperations.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace ItemSwap {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("ItemSwap", text);
}

const QString JournalPrefix = QStringLiteral(".tandril-swap-");

// ".NAME.ROLE-UUID" beside the destination.
QString besideName(const QString& destination, const QString& role, const QString& uuid)
{
    const QFileInfo info(destination);
    return info.dir().filePath(u'.' + info.fileName() + u'.' + role + u'-' + uuid);
}

bool rename(const QString& from, const QString& to)
{
    return QDir().rename(from, to);
}

struct Swap
{
    QString incoming;
    QString destination;
    QString previous;
    bool previousTaken = false;
    bool swapped = false;
};

void rollBack(QList<Swap>& swaps)
{
    for (auto it = swaps.rbegin(); it != swaps.rend(); ++it) {
        if (it->swapped)
            rename(it->destination, it->incoming);
        if (it->previousTaken)
            rename(it->previous, it->destination);
        FileOperations::removeItem(it->incoming);
    }
}

} // namespace

std::optional<QString> replace(const QList<Item>& items, const FileOperations::CancelFlag* cancel)
{
    if (items.isEmpty())
        return std::nullopt;
    const QString uuid = Paths::newUuidName();
    const QString folder = QFileInfo(items.first().destination).absolutePath();
    const QString journal = QDir(folder).filePath(JournalPrefix + uuid);

    // 1. The new items beside their destinations, each complete before it gets its name.
    QList<Swap> swaps;
    for (const Item& item : items) {
        Swap swap{besideName(item.destination, QStringLiteral("incoming"), uuid), item.destination,
                  besideName(item.destination, QStringLiteral("previous"), uuid)};
        if (std::optional<QString> error = FileOperations::moveItem(item.source, swap.incoming, cancel)) {
            rollBack(swaps);
            return error;
        }
        swaps.append(swap);
    }

    if (cancel && cancel->load()) {
        rollBack(swaps);
        return FileOperations::cancelledMessage();
    }
    // 2. From here on a killed swap is finished at the next start: the journal names the items.
    QStringList names;
    for (const Swap& swap : std::as_const(swaps))
        names.append(QFileInfo(swap.destination).fileName());
    if (std::optional<QString> error = TextFile::writeUtf8Atomically(journal, names.join(u'\n'))) {
        rollBack(swaps);
        return error;
    }

    // 3. The old items step aside, the new ones take their names.
    for (Swap& swap : swaps) {
        if (FileOperations::itemExists(swap.destination)) {
            if (!rename(swap.destination, swap.previous)) {
                rollBack(swaps);
                QFile::remove(journal);
                return tr("Could not replace %1.").arg(swap.destination);
            }
            swap.previousTaken = true;
        }
        if (!rename(swap.incoming, swap.destination)) {
            rollBack(swaps);
            QFile::remove(journal);
            return tr("Could not put %1 in place.").arg(swap.destination);
        }
        swap.swapped = true;
    }

    // 4. Only now are the old items gone.
    for (const Swap& swap : std::as_const(swaps)) {
        if (swap.previousTaken)
            FileOperations::removeItem(swap.previous);
    }
    QFile::remove(journal);
    return std::nullopt;
}

SetAside setAsideForDeletion(const QString& folder)
{
    const QString aside = besideName(folder, QStringLiteral("deleting"), Paths::newUuidName());
    if (rename(folder, aside))
        return {aside, std::nullopt};
    return {QString(), tr("Could not remove the folder %1.").arg(folder)};
}

namespace {

void finishJournal(const QDir& folder, const QString& journalName)
{
    const QString uuid = journalName.mid(JournalPrefix.size());
    const TextFile::ReadResult read = TextFile::readUtf8(folder.filePath(journalName));
    if (!read.ok())
        return;
    const QStringList names = read.text.split(u'\n', Qt::SkipEmptyParts);
    for (const QString& name : names) {
        const QString destination = folder.filePath(name);
        const QString incoming = besideName(destination, QStringLiteral("incoming"), uuid);
        const QString previous = besideName(destination, QStringLiteral("previous"), uuid);
        if (!FileOperations::itemExists(incoming))
            continue;
        if (FileOperations::itemExists(destination) &&
            (FileOperations::itemExists(previous) || !rename(destination, previous)))
            continue;
        rename(incoming, destination);
    }
    for (const QString& name : names)
        FileOperations::removeItem(besideName(folder.filePath(name), QStringLiteral("previous"), uuid));
    QFile::remove(folder.filePath(journalName));
    logLine(QStringLiteral("🔄 Finished an interrupted import: ") + names.join(QStringLiteral(", ")));
}

} // namespace

void recover(const QString& path)
{
    const QDir folder(path);
    const QStringList hidden =
        folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& name : hidden) {
        if (name.startsWith(JournalPrefix))
            finishJournal(folder, name);
    }

    static const QRegularExpression leftover(
        QStringLiteral("^\\.(.+)\\.(incoming|previous|partial|deleting)-[0-9A-F-]{36}$"));
    for (const QString& name :
         folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        const QRegularExpressionMatch match = leftover.match(name);
        if (!match.hasMatch())
            continue;
        const QString item = folder.filePath(name);
        const QString destination = folder.filePath(match.captured(1));
        const QString role = match.captured(2);
        if (role == u"incoming" || role == u"partial") {
            FileOperations::removeItem(item); // never got its name: the old item is complete
            logLine(QStringLiteral("🔄 Removed an unfinished copy: ") + item);
            continue;
        }
        if (role == u"previous") {
            // Without a journal the swap was undone or finished: only a missing item is put back.
            if (!FileOperations::itemExists(destination) && rename(item, destination))
                logLine(QStringLiteral("🔄 Restored ") + destination);
            else
                logLine(QStringLiteral("⚠️ Left alone: ") + item);
            continue;
        }
        // A game folder set aside by a delete: back while its game is still listed, gone once
        // the game's configuration file is gone.
        const QString config = destination + QStringLiteral(".conf");
        if (!FileOperations::itemExists(config)) {
            FileOperations::removeItem(item);
            logLine(QStringLiteral("🔄 Finished deleting ") + destination);
        } else if (!FileOperations::itemExists(destination) && rename(item, destination)) {
            logLine(QStringLiteral("🔄 Restored ") + destination);
        } else {
            logLine(QStringLiteral("⚠️ Left alone: ") + item);
        }
    }
}

} // namespace ItemSwap
