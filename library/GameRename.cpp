#include "library/GameRename.h"

#include "library/LibraryLayout.h"
#include "platform/Diagnostics.h"
#include "platform/FileOperations.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>

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

bool isBaseName(const QString& name)
{
    return !name.isEmpty() && !name.startsWith(u'.') && !name.contains(u'/');
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
    const QString journal = QDir(library).filePath(JournalPrefix + Paths::newUuidName());
    if (const std::optional<QString> error = TextFile::writeUtf8Atomically(
            journal, JournalHeader + u'\n' + oldName + u'\n' + newName + QStringLiteral("\nend\n")))
        return error;
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
    static const QRegularExpression journalName(u'^' + QRegularExpression::escape(JournalPrefix) +
                                                QStringLiteral("[0-9A-F]{8}(-[0-9A-F]{4}){3}-[0-9A-F]{12}$"));
    const QDir folder(library);
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (!journalName.match(name).hasMatch())
            continue;
        const TextFile::ReadResult read = TextFile::readUtf8(folder.filePath(name));
        const QStringList lines = read.text.split(u'\n', Qt::SkipEmptyParts);
        if (read.ok() && lines.size() == 4 && lines.first() == JournalHeader && lines.last() == u"end" &&
            isBaseName(lines.at(1)) && isBaseName(lines.at(2))) {
            // The rename was begun with the new name free: what still has the old name follows.
            const QStringList from = itemsOf(library, lines.at(1));
            const QStringList to = itemsOf(library, lines.at(2));
            for (qsizetype i = 0; i < from.size(); ++i) {
                if (FileOperations::itemExists(from.at(i)) && !FileOperations::itemExists(to.at(i)) &&
                    QDir().rename(from.at(i), to.at(i)))
                    logLine(QStringLiteral("🔄 Finished renaming ") + from.at(i));
            }
        }
        QFile::remove(folder.filePath(name));
    }
}

} // namespace GameRename
