#include "library/ItemSwap.h"

#include "library/Journal.h"
#include "library/LibraryLayout.h"
#include "platform/Diagnostics.h"
#include "platform/FileOperations.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "platform/Trash.h"

#include <algorithm>
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
// The journal's first and last lines: a journal without both is not Tandril's, or not whole.
const QString JournalHeader = QStringLiteral("Tandril swap journal 1");
const QString JournalEnd = QStringLiteral("end");
// Before a journal's name: the old item goes and nothing takes its name (no item name holds "/").
const QString RemovalMark = QStringLiteral("/");
// Paths::newUuidName(): upper case, without braces.
const QString UuidPattern = QStringLiteral("[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}");

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
        if (!it->incoming.isEmpty())
            FileOperations::removeItem(it->incoming);
    }
}

// A replaced item goes to the Trash, where there is one, as the item it was.
void discardPrevious(const QString& previous, const QString& destination)
{
    if (!Trash::isAvailable()) {
        FileOperations::removeItem(previous);
    } else if (const Trash::Moved moved = Trash::moveToTrash(previous, destination); moved.error) {
        logLine(QStringLiteral("⚠️ The replaced item stays in the library: ") + *moved.error);
    }
}

} // namespace

std::optional<QString> replace(const QList<Item>& items, const FileOperations::CancelFlag* cancel)
{
    if (items.isEmpty())
        return std::nullopt;
    const QString uuid = Paths::newUuidName();
    const QString folder = QFileInfo(items.first().destination).absolutePath();

    // 1. The new items beside their destinations, each complete before it gets its name.
    QList<Swap> swaps;
    for (const Item& item : items) {
        Swap swap{item.source.isEmpty() ? QString()
                                        : besideName(item.destination, QStringLiteral("incoming"), uuid),
                  item.destination, besideName(item.destination, QStringLiteral("previous"), uuid)};
        if (item.source.isEmpty()) {
            swaps.append(swap); // the old item goes and nothing takes its name
            continue;
        }
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
        names.append((swap.incoming.isEmpty() ? RemovalMark : QString()) +
                     QFileInfo(swap.destination).fileName());
    const Journal::Written written = Journal::write(folder, JournalPrefix, JournalHeader, names, uuid);
    if (written.error) {
        rollBack(swaps);
        return written.error;
    }
    const QString& journal = written.path;

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
        if (swap.incoming.isEmpty())
            continue;
        if (!rename(swap.incoming, swap.destination)) {
            rollBack(swaps);
            QFile::remove(journal);
            return tr("Could not put %1 in place.").arg(swap.destination);
        }
        swap.swapped = true;
    }

    // 4. Only now do the old items go.
    for (const Swap& swap : std::as_const(swaps)) {
        if (swap.previousTaken)
            discardPrevious(swap.previous, swap.destination);
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

// The base name of the game a library item belongs to: its folder, its saves folder, or its
// configuration file; empty for any other name.
QString gameOfItem(const QString& name)
{
    const QString ofSaves = LibraryLayout::baseNameOfSavesName(name);
    if (LibraryLayout::isPlainName(ofSaves))
        return ofSaves;
    if (!LibraryLayout::isPlainName(name))
        return {};
    return name.endsWith(QStringLiteral(".conf")) ? name.chopped(5) : name;
}

bool isGameItemName(const QString& name)
{
    return !gameOfItem(name).isEmpty();
}

// The configuration files in the folder and their game folders: never touched by recovery,
// whatever their names look like.
QStringList listedItems(const QDir& folder)
{
    QStringList items;
    for (const QString& name :
         folder.entryList({QStringLiteral("*.conf")}, QDir::Files | QDir::Hidden | QDir::System)) {
        items.append(name);
        items.append(name.chopped(5));
        items.append(LibraryLayout::savesFolderName(name.chopped(5)));
    }
    return items;
}

// Puts back what a swap without a whole journal changed: its new items go, its old ones return.
void rollBack(const QDir& folder, const QString& uuid, const QStringList& listed)
{
    static const QRegularExpression item(QStringLiteral("^\\.(.+)\\.(incoming|previous)-(") + UuidPattern +
                                         QStringLiteral(")$"));
    for (const QString& name :
         folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        const QRegularExpressionMatch match = item.match(name);
        if (!match.hasMatch() || match.captured(3) != uuid || listed.contains(name) ||
            match.captured(2) != u"previous" || !isGameItemName(match.captured(1)))
            continue;
        // The old item was set aside, so whatever has its name now is the new one.
        const QString destination = folder.filePath(match.captured(1));
        const QString incoming = besideName(destination, QStringLiteral("incoming"), uuid);
        if (FileOperations::itemExists(destination) && !FileOperations::itemExists(incoming))
            rename(destination, incoming);
        if (!FileOperations::itemExists(destination) && rename(folder.filePath(name), destination))
            logLine(QStringLiteral("🔄 Restored ") + destination);
    }
}

void finishJournal(const QDir& folder, const QString& journalName, const QString& uuid,
                   const QStringList& listed)
{
    const TextFile::ReadResult read = TextFile::readUtf8(folder.filePath(journalName));
    if (!read.ok())
        return;
    QStringList lines = read.text.split(u'\n', Qt::SkipEmptyParts);
    const bool whole = lines.size() >= 3 && lines.first() == JournalHeader && lines.last() == JournalEnd &&
                       std::all_of(lines.cbegin() + 1, lines.cend() - 1, [](const QString& line) {
                           return isGameItemName(line.startsWith(RemovalMark) ? line.mid(1) : line);
                       });
    if (!whole) {
        // Not written whole: the swap never began, or cannot be trusted to go on.
        rollBack(folder, uuid, listed);
        QFile::remove(folder.filePath(journalName));
        logLine(QStringLiteral("🔄 Undid an interrupted import"));
        return;
    }
    QStringList names;
    for (const QString& line : lines.mid(1, lines.size() - 2)) {
        const bool removal = line.startsWith(RemovalMark);
        const QString name = removal ? line.mid(1) : line;
        names.append(name);
        const QString destination = folder.filePath(name);
        const QString previous = besideName(destination, QStringLiteral("previous"), uuid);
        if (removal) {
            if (FileOperations::itemExists(destination) && !FileOperations::itemExists(previous))
                rename(destination, previous);
            continue;
        }
        const QString incoming = besideName(destination, QStringLiteral("incoming"), uuid);
        if (!FileOperations::itemExists(incoming) || listed.contains(QFileInfo(incoming).fileName()))
            continue;
        if (FileOperations::itemExists(destination) &&
            (FileOperations::itemExists(previous) || !rename(destination, previous)))
            continue;
        rename(incoming, destination);
    }
    for (const QString& name : names) {
        const QString previous = besideName(folder.filePath(name), QStringLiteral("previous"), uuid);
        if (!listed.contains(QFileInfo(previous).fileName()) && FileOperations::itemExists(previous))
            discardPrevious(previous, folder.filePath(name));
    }
    QFile::remove(folder.filePath(journalName));
    logLine(QStringLiteral("🔄 Finished an interrupted import: ") + names.join(QStringLiteral(", ")));
}

} // namespace

void recover(const QString& path)
{
    const QDir folder(path);
    const QStringList listed = listedItems(folder);
    static const QRegularExpression journal(u'^' + QRegularExpression::escape(JournalPrefix) + u'(' +
                                            UuidPattern + QStringLiteral(")$"));
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (const QRegularExpressionMatch match = journal.match(name); match.hasMatch())
            finishJournal(folder, name, match.captured(1), listed);
    }

    // Only names of Tandril's exact form, for a game's plain name, and never a listed game's item.
    static const QRegularExpression leftover(
        QStringLiteral("^\\.(.+)\\.(incoming|previous|partial|deleting)-") + UuidPattern + u'$');
    for (const QString& name :
         folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        const QRegularExpressionMatch match = leftover.match(name);
        // A journal of Tandril's own that a kill stopped while it was written: it never got its
        // name, so it records nothing.
        static const QRegularExpression journalName(QStringLiteral("^\\.tandril-(swap|trash)-") +
                                                    UuidPattern + u'$');
        if (match.hasMatch() && match.captured(2) == u"partial" &&
            journalName.match(match.captured(1)).hasMatch()) {
            FileOperations::removeItem(folder.filePath(name));
            logLine(QStringLiteral("🔄 Removed an unfinished journal: ") + folder.filePath(name));
            continue;
        }
        if (!match.hasMatch() || !isGameItemName(match.captured(1)))
            continue;
        const QString item = folder.filePath(name);
        if (listed.contains(name)) {
            logLine(QStringLiteral("⚠️ Left alone, a game of the library: ") + item);
            continue;
        }
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
        const QString config = folder.filePath(gameOfItem(match.captured(1)) + QStringLiteral(".conf"));
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
