#include "library/GameRename.h"

#include "library/Journal.h"
#include "library/LibraryLayout.h"
#include "platform/Diagnostics.h"
#include "platform/FileOperations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace GameRename {

namespace {

const QString JournalPrefix = QStringLiteral(".tandril-rename-");
const QString JournalHeader = QStringLiteral("Tandril rename journal 1");

// The configuration file first: a game is listed by it, and its folders follow its name.
QStringList itemsOf(const QString& library, const QString& baseName)
{
    return {LibraryLayout::configFilePath(library, baseName), LibraryLayout::gameFolder(library, baseName),
            LibraryLayout::savesFolder(library, baseName)};
}

} // namespace

bool isTaken(const QString& library, const QString& baseName)
{
    for (const QString& item : itemsOf(library, baseName)) {
        if (FileOperations::itemExists(item))
            return true;
    }
    return false;
}

std::optional<QString> rename(const QString& library, const QString& oldName, const QString& newName)
{
    const Journal::Written written =
        Journal::write(library, JournalPrefix, JournalHeader, {oldName, newName});
    if (written.error)
        return written.error;
    const QString& journal = written.path;
    const QStringList from = itemsOf(library, oldName);
    const QStringList to = itemsOf(library, newName);
    for (qsizetype i = 0; i < from.size(); ++i) {
        if (!FileOperations::itemExists(from.at(i)) || QDir().rename(from.at(i), to.at(i)))
            continue;
        // A configuration file never stays apart from its folders.
        for (qsizetype back = i - 1; back >= 0; --back) {
            if (FileOperations::itemExists(to.at(back)))
                QDir().rename(to.at(back), from.at(back));
        }
        QFile::remove(journal);
        return QCoreApplication::translate("GameRename", "Could not move %1 to %2.")
            .arg(from.at(i), to.at(i));
    }
    QFile::remove(journal);
    return std::nullopt;
}

void finishInterrupted(const QString& library)
{
    Journal::finishEach(library, JournalPrefix, JournalHeader, [&](const std::optional<QStringList>& lines) {
        if (!lines || lines->size() != 2 || !LibraryLayout::isPlainName(lines->at(0)) ||
            !LibraryLayout::isPlainName(lines->at(1)))
            return;
        // The rename was begun with the new name free: what still has the old name follows.
        const QStringList from = itemsOf(library, lines->at(0));
        const QStringList to = itemsOf(library, lines->at(1));
        for (qsizetype i = 0; i < from.size(); ++i) {
            if (FileOperations::itemExists(from.at(i)) && !FileOperations::itemExists(to.at(i)) &&
                QDir().rename(from.at(i), to.at(i)))
                logLine(QStringLiteral("🔄 Finished renaming ") + from.at(i));
        }
    });
}

} // namespace GameRename
