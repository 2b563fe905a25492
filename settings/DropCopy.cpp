#include "settings/DropCopy.h"

#include "library/CueSheet.h"
#include "library/LibraryLayout.h"
#include "library/LibraryLock.h"
#include "platform/Diagnostics.h"
#include "platform/FileOperations.h"
#include "platform/Paths.h"
#include "platform/Prompter.h"
#include "settings/GameFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace DropCopy {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("DropCopy", text);
}

enum class Choice
{
    Replace,
    KeepBoth,
    Cancel
};

Choice askUserWhatToDo(const QString& itemName, Prompter& prompter)
{
    QString text = tr("The File/Folder you dropped are already existant");
    if (text.contains(QStringLiteral("%1"))) // a translation may name the item
        text = text.arg(itemName);
    const int answer = prompter.ask({tr("File/Folder already exists"),
                                     text,
                                     Prompter::Style::Warning,
                                     {tr("Replace"), tr("Keep both"), tr("Cancel")}});
    return answer == 0 ? Choice::Replace : answer == 1 ? Choice::KeepBoth : Choice::Cancel;
}

bool isInside(const QString& path, const QString& folder)
{
    return !folder.isEmpty() && (path == folder || path.startsWith(folder + u'/'));
}

} // namespace

QString destinationFolder(const QString& title, Target target)
{
    const QString name = LibraryLayout::baseNameForTitle(title);
    if (name.isEmpty())
        return {};
    const QString gameFolder = LibraryLayout::gameFolder(Paths::libraryFolder(), name);
    return target == Target::GameFolder ? gameFolder : LibraryLayout::cdImageFolder(gameFolder);
}

QString uniqueDestination(const QString& destination, const QStringList& alsoTaken)
{
    const QFileInfo info(destination);
    const QString name = info.fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    const QString base = dot < 0 ? name : name.left(dot);
    const QString extension = dot < 0 ? QString() : name.mid(dot);
    for (int n = 2;; ++n) {
        const QString candidate = info.dir().filePath(base + u' ' + QString::number(n) + extension);
        if (!FileOperations::itemExists(candidate) && !alsoTaken.contains(candidate))
            return candidate;
    }
}

QList<Task> plan(const QStringList& sources, const QString& title, Target target, Prompter& prompter)
{
    QList<Task> tasks;
    QStringList planned;
    for (const QString& source : sources) {
        const QFileInfo item(source);
        if (target == Target::CdImageFolder &&
            (!item.exists() || item.isDir() ||
             !(GameFiles::hasExtension(
                   source, {QStringLiteral("iso"), QStringLiteral("cue"), QStringLiteral("bin")}) ||
               CueSheet::isSheet(source)))) {
            logLine(QStringLiteral("⚠️ Not a CD image (.iso, .cue, .bin): ") + source);
            continue;
        }
        const QString folder = destinationFolder(title, target);
        if (folder.isEmpty()) {
            logLine(QStringLiteral("⚠️ No title entered, folder name is empty."));
            continue;
        }
        if (const std::optional<QString> error = FileOperations::makeFolder(folder)) {
            logLine(QStringLiteral("❌ Error copying file: ") + *error);
            continue;
        }
        // A folder dropped into itself would copy itself for ever.
        if (isInside(QFileInfo(folder).canonicalFilePath(), item.canonicalFilePath())) {
            logLine(QStringLiteral("❌ Error copying file: ") +
                    tr("%1 cannot be copied into itself.").arg(source));
            continue;
        }
        const QString name = item.fileName();
        Task task{source, QDir(folder).filePath(name), false, QStringLiteral("✅ File copied to: ")};
        task.report += task.destination;
        if (FileOperations::itemExists(task.destination) || planned.contains(task.destination)) {
            switch (askUserWhatToDo(name, prompter)) {
            case Choice::Replace:
                task.replacesExisting = true;
                task.report = QStringLiteral("✅ File replaced: ") + name;
                break;
            case Choice::KeepBoth:
                task.destination = uniqueDestination(task.destination, planned);
                task.report = QStringLiteral("✅ File copied as: ") + QFileInfo(task.destination).fileName();
                break;
            case Choice::Cancel:
                logLine(QStringLiteral("⚠️ User canceled copy for: ") + name);
                continue;
            }
        }
        planned.append(task.destination);
        tasks.append(task);
    }
    return tasks;
}

std::optional<QString> copyItem(const QString& source, const QString& destination,
                                const FileOperations::CancelFlag* cancel,
                                const FileOperations::ByteProgress& progress)
{
    return FileOperations::copyTree(source, destination, FileOperations::Links::ContentIfInside, cancel,
                                    progress);
}

int run(const QList<Task>& tasks, const FileOperations::CancelFlag* cancel, const Progress& progress)
{
    if (tasks.isEmpty())
        return 0;
    qint64 total = 0;
    for (const Task& task : tasks)
        total += FileOperations::treeSize(task.source);
    qint64 done = 0;
    const FileOperations::ByteProgress advance = [&](qint64 bytes) {
        done += bytes;
        if (progress)
            progress(done, total);
    };
    // A delete, a rename or an import of this game from another Tandril waits for the copies.
    const LibraryLock lock;
    if (const std::optional<QString> busy = lock.failure()) {
        logLine(QStringLiteral("❌ Error copying file: ") + *busy);
        return 0;
    }
    int copied = 0;
    for (const Task& task : tasks) {
        if (cancel && cancel->load())
            break;
        if (!task.replacesExisting) {
            if (!copyItem(task.source, task.destination, cancel, advance)) {
                logLine(task.report);
                ++copied;
            }
            continue;
        }
        // The old item goes only once the new one is complete beside it.
        const QString staged = FileOperations::partialName(task.destination);
        if (copyItem(task.source, staged, cancel, advance))
            continue;
        const QString old = FileOperations::partialName(task.destination);
        if (!QDir().rename(task.destination, old) || !QDir().rename(staged, task.destination)) {
            QDir().rename(old, task.destination);
            FileOperations::removeItem(staged);
            logLine(QStringLiteral("❌ Error copying file: ") +
                    tr("Could not move %1 into place.").arg(staged));
            continue;
        }
        FileOperations::removeItem(old);
        logLine(task.report);
        ++copied;
    }
    return copied;
}

Chosen chosen(const QList<Task>& tasks, Target target, bool gameHasProgram)
{
    Chosen chosen;
    for (const Task& task : tasks) {
        if (!QFileInfo(task.destination).isFile())
            continue;
        if (target == Target::CdImageFolder && !chosen.cdImage &&
            (GameFiles::hasExtension(task.destination, {QStringLiteral("iso"), QStringLiteral("cue")}) ||
             CueSheet::isSheet(task.destination)))
            chosen.cdImage =
                CueSheet::isSheet(task.destination)
                    ? CueSheet::mountablePath(task.destination, nullptr).value_or(task.destination)
                    : task.destination;
        if (target == Target::GameFolder && !gameHasProgram && !chosen.program &&
            GameFiles::hasExtension(task.destination,
                                    {QStringLiteral("exe"), QStringLiteral("com"), QStringLiteral("bat")}))
            chosen.program = GameFiles::storedGameExePath(task.destination);
    }
    return chosen;
}

} // namespace DropCopy
