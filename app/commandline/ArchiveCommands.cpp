#include "app/commandline/ArchiveCommands.h"

#include "exchange/ExportJob.h"
#include "exchange/FolderAddJob.h"
#include "exchange/FolderBatch.h"
#include "exchange/ImportJob.h"
#include "exchange/JobQueue.h"
#include "exchange/SavesArchiveJob.h"
#include "library/LibraryLayout.h"
#include "library/SavedGames.h"
#include "platform/Diagnostics.h"
#include "platform/InterruptWatch.h"
#include "platform/ProcessRunner.h"
#include "platform/TerminalText.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>

namespace CommandLine {

namespace {

// One line of progress: redrawn in place on a terminal, a plain line for each item otherwise.
void showProgress(Streams& streams, const QString& line, qint64 done, qint64 total)
{
    const qint64 percent = total > 0 ? done * 100 / total : 0;
    // The line names the archive's members and the game: someone else's text.
    const QString shown = TerminalText::printable(line);
    if (streams.outputIsTerminal)
        streams.out << "\r\033[K" << percent << "% " << shown << Qt::flush;
    else
        streams.out << percent << "% " << shown << Qt::endl;
}

// Runs an archive job to its end in a local event loop; Ctrl+C cancels it as Cancel does.
// cancelled: set when the user stopped it.
template <typename Job, typename Start>
int runProgressJob(Context& context, const QString& doing, Start start, bool* cancelled = nullptr)
{
    ProcessRunner runner;
    Job job(context.prompter, runner);
    QEventLoop loop;
    bool success = false;
    bool done = false;
    bool progressShown = false;
    const InterruptWatch interrupt([&job] { job.cancel(); });
    QObject::connect(&job, &Job::progressed, &loop, [&](qint64 count, qint64 total, const QString& item) {
        progressShown = true;
        showProgress(context.streams, doing.arg(job.subject()) + QStringLiteral(": ") + item, count, total);
    });
    QObject::connect(&job, &Job::cancelled, &loop, [&] {
        if (cancelled)
            *cancelled = true;
        if (progressShown && context.streams.outputIsTerminal)
            context.streams.out << Qt::endl;
        progressShown = false;
        context.streams.err << TerminalText::printable(doing.arg(job.subject())) << ": "
                            << QCoreApplication::translate("CommandLine", "cancelled") << Qt::endl;
    });
    QObject::connect(&job, &Job::finished, &loop, [&](bool ok) {
        success = ok;
        done = true;
        loop.quit();
    });
    if (!start(job))
        return Failure;
    if (!done)
        loop.exec();
    if (progressShown && context.streams.outputIsTerminal)
        context.streams.out << Qt::endl;
    return success ? Success : Failure;
}

// Prints what the add found in the game's files.
void showPicked(Context& context, FolderAddJob& job)
{
    QObject::connect(&job, &FolderAddJob::picked, &job,
                     [&context, &job](const QString& program, const QString& setup, const QString& cdImage) {
                         if (!job.sourceKind().isEmpty())
                             context.streams.out << "From: " << job.sourceKind() << Qt::endl;
                         if (!program.isEmpty())
                             context.streams.out << "Program: " << TerminalText::printable(program)
                                                 << Qt::endl;
                         if (!setup.isEmpty())
                             context.streams.out << "Setup: " << TerminalText::printable(setup) << Qt::endl;
                         if (!cdImage.isEmpty())
                             context.streams.out << "CD image: " << TerminalText::printable(cdImage)
                                                 << Qt::endl;
                     });
}

// Every subfolder and .zip file of the folder as a game of its own, one after another; games
// already in the library are skipped and said so. Ctrl+C stops the add under way and the rest.
int addEach(Context& context, const QString& folder)
{
    if (context.operands.size() > 1 || context.values.contains(QStringLiteral("--exe")))
        return UsageError;
    if (!QFileInfo(folder).isDir()) {
        logLine(QStringLiteral("❌ Not a folder: ") + folder);
        return Failure;
    }
    const QList<FolderBatch::Found> found = FolderBatch::scan(folder);
    if (found.isEmpty()) {
        logLine(QStringLiteral("❌ No game folders or .zip files in ") + folder);
        return Failure;
    }
    QStringList sources;
    for (const FolderBatch::Found& game : found)
        sources.append(game.source);

    ProcessRunner runner;
    JobQueue queue(context.prompter, runner);
    QEventLoop loop;
    bool progressShown = false;
    const auto endProgressLine = [&] {
        if (progressShown && context.streams.outputIsTerminal)
            context.streams.out << Qt::endl;
        progressShown = false;
    };
    std::optional<FolderBatch::Tally> tally;
    const InterruptWatch interrupt([&queue] { queue.cancel(); });
    QObject::connect(&queue, &JobQueue::jobStarted, &loop, [&](ProgressJob* job) {
        if (auto* add = qobject_cast<FolderAddJob*>(job))
            showPicked(context, *add);
    });
    QObject::connect(&queue, &JobQueue::progressed, &loop,
                     [&](qint64 done, qint64 total, const QString& line) {
                         progressShown = true;
                         showProgress(context.streams, line, done, total);
                     });
    QObject::connect(&queue, &JobQueue::cancelled, &loop, [&](const QString& line) {
        endProgressLine();
        context.streams.err << TerminalText::printable(line) << Qt::endl;
    });
    QObject::connect(&queue, &JobQueue::gameSkipped, &loop, [&](const QString& title) {
        endProgressLine();
        logLine(QStringLiteral("⚠️ Skipped, already in the library: ") + title);
    });
    QObject::connect(&queue, &JobQueue::batchEnded, &loop,
                     [&](const FolderBatch::Tally& ended, const QStringList& failures) {
                         endProgressLine();
                         for (const QString& failure : failures)
                             logLine(QStringLiteral("❌ ") + failure);
                         tally = ended;
                         loop.quit();
                     });
    queue.startBatchAdd(sources);
    if (!tally)
        loop.exec();
    logLine((tally->complete() ? QStringLiteral("✅ ") : QStringLiteral("❌ ")) + FolderBatch::summary(*tally));
    return tally->complete() ? Success : Failure;
}

} // namespace

int addFromFolder(Context& context)
{
    const QString source = QFileInfo(context.operands.first()).absoluteFilePath();
    if (context.options.contains(QStringLiteral("--each")))
        return addEach(context, source);
    const QString title = context.operands.value(1);
    // A store's pack gives a game for each of its games, the primary one first.
    int packGames = 1;
    for (int game = 0; game < packGames; ++game) {
        const int status = runProgressJob<FolderAddJob>(
            context, QCoreApplication::translate("CommandLine", "Adding %1"), [&](FolderAddJob& job) {
                showPicked(context, job);
                job.setPackGame(game);
                QObject::connect(&job, &FolderAddJob::installed, &job, [&packGames, &job, game] {
                    packGames = game == 0 ? job.packGames() : packGames;
                });
                return job.start(source, game == 0 ? title : QString(),
                                 game == 0 ? context.values.value(QStringLiteral("--exe")) : QString());
            });
        if (status != Success)
            return status;
    }
    return Success;
}

int exportGame(Context& context)
{
    const std::optional<ConfigEntry> entry = gameOperand(context);
    if (!entry)
        return Failure;
    // FILE names the archive, or a folder to put "{base}.tdl" in.
    QString archive =
        context.operands.size() > 1 ? QFileInfo(context.operands.at(1)).absoluteFilePath() : QString();
    if (!archive.isEmpty() && QFileInfo(archive).isDir())
        archive =
            QDir(archive).filePath(QFileInfo(entry->filePath).completeBaseName() + QStringLiteral(".tdl"));
    const bool with = context.options.contains(QStringLiteral("--saves"));
    const bool without = context.options.contains(QStringLiteral("--no-saves"));
    if (with && without)
        return UsageError;
    const ExportJob::Saves saves = with      ? ExportJob::Saves::Include
                                   : without ? ExportJob::Saves::Leave
                                             : ExportJob::Saves::Ask;
    return runProgressJob<ExportJob>(context, QCoreApplication::translate("CommandLine", "Exporting %1"),
                                     [&](ExportJob& job) { return job.start(entry, archive, saves); });
}

int importArchive(Context& context)
{
    const QString archive = QFileInfo(context.operands.first()).absoluteFilePath();
    return runProgressJob<ImportJob>(context, QCoreApplication::translate("CommandLine", "Importing %1"),
                                     [&](ImportJob& job) {
                                         job.start(archive, ImportJob::Road::FileManager);
                                         return true;
                                     });
}

} // namespace CommandLine

namespace CommandLine {

int savedGames(Context& context)
{
    const std::optional<ConfigEntry> entry = gameOperand(context);
    if (!entry)
        return Failure;
    const QString backup = context.values.value(QStringLiteral("--backup"));
    const QString restore = context.values.value(QStringLiteral("--restore"));
    const bool reset = context.options.contains(QStringLiteral("--reset"));
    if (int(!backup.isEmpty()) + int(!restore.isEmpty()) + int(reset) > 1)
        return UsageError;
    const QString title =
        entry->title.isEmpty() ? QFileInfo(entry->filePath).completeBaseName() : entry->title;
    if (reset)
        return SavedGames::resetAfterAsking(entry->filePath, title, context.prompter) ? Success : Failure;
    if (!backup.isEmpty() || !restore.isEmpty()) {
        QString archive = QFileInfo(backup.isEmpty() ? restore : backup).absoluteFilePath();
        if (!backup.isEmpty() && QFileInfo(archive).isDir())
            archive = QDir(archive).filePath(SavesArchiveJob::defaultFileName(*entry));
        return runProgressJob<SavesArchiveJob>(
            context,
            backup.isEmpty() ? QCoreApplication::translate("CommandLine", "Restoring the saved games of %1")
                             : QCoreApplication::translate("CommandLine", "Backing up the saved games of %1"),
            [&](SavesArchiveJob& job) {
                return backup.isEmpty() ? job.restore(*entry, archive) : job.backUp(*entry, archive);
            });
    }
    // One line a file: its path on drive C, a tab, its size (or "deleted"), a tab, its time.
    const QList<SavedGames::File> files = SavedGames::list(
        LibraryLayout::savesFolderOfConfigFile(QFileInfo(entry->filePath).absolutePath(), entry->filePath));
    if (files.isEmpty())
        context.streams.err << QCoreApplication::translate("CommandLine",
                                                           "%1 has written nothing: it is as it came.")
                                   .arg(TerminalText::printable(title))
                            << Qt::endl;
    for (const SavedGames::File& file : files)
        context.streams.out << TerminalText::printable(file.path) << '\t'
                            << (file.deleted ? QStringLiteral("deleted") : QString::number(file.size)) << '\t'
                            << file.modified.toString(Qt::ISODate) << '\n';
    context.streams.out.flush();
    return Success;
}

} // namespace CommandLine
