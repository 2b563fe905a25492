#pragma once

#include "exchange/FolderAddJob.h"
#include "exchange/FolderBatch.h"
#include "exchange/ImportJob.h"
#include "library/ConfigEntry.h"
#include "platform/CollectingPrompter.h"

#include <QObject>
#include <QPointer>

class ProgressJob;

// The library's background work, one job at a time, for the window and the command line alike:
// the job under way, what waits for it (archives handed over, folders to add), and a folder's
// games added one after another with their tally. A job's failure is told by its own prompter;
// a batch's failures are kept and told together at its end.
class JobQueue final : public QObject
{
    Q_OBJECT

public:
    enum class Kind
    {
        Export,
        Import,
        Add,
    };

    JobQueue(Prompter& prompter, ProcessRunner& runner, QObject* parent = nullptr);
    ~JobQueue() override;

    bool isRunning() const { return m_running; }
    // The game the job under way works on, empty when none.
    QString busyConfigFile() const;

    // How a single add asks the user to confirm what it found (none: it goes on as found).
    void setConfirmation(FolderAddJob::Confirmation confirmation)
    {
        m_confirmation = std::move(confirmation);
    }

    // These start at once, or after the work under way.
    void startImport(const QString& archive, ImportJob::Road road);
    // packGame: one game of a store's pack (0, the primary one, adds the others after it).
    void startFolderAdd(const QString& source, int packGame = 0);
    void startBatchAdd(const QStringList& sources);
    // Only when nothing runs; false when it did not start.
    bool startExport(const ConfigEntry& entry, const QString& archive);
    // A game's saved games backed up into the archive, or the archive's put in their place.
    bool startSavesBackup(const ConfigEntry& entry, const QString& archive);
    bool startSavesRestore(const ConfigEntry& entry, const QString& archive);
    // Stops the job under way and the rest of a batch; what waits besides still follows.
    void cancel();

Q_SIGNALS:
    void runningChanged(bool running);
    // A job began (before it reads anything): what it is, for its progress bar.
    void jobStarted(ProgressJob* job, JobQueue::Kind kind);
    // done of total, and a line for it: "Exporting Doom: DOOM/GAME.EXE", "Adding 2 of 5: Keen".
    void progressed(qint64 done, qint64 total, const QString& line);
    void cancelled(const QString& line);
    void busyGameChanged();
    // A game came into the library; select: it was the user's one game, not one of a batch.
    void installed(const QString& configFile, bool select);
    void gameSkipped(const QString& title);
    // A batch is over: its tally and each failure ("Title — what went wrong").
    void batchEnded(const FolderBatch::Tally& tally, const QStringList& failures);

private:
    struct Batch
    {
        QList<std::pair<QString, int>> sources; // still to add, each with its game of a pack
        FolderBatch::Tally tally;
        QStringList failures;
        int index = -1; // of the game being added
        QString title;  // its title
    };

    template <typename Start>
    bool startSavesJob(const QString& doing, const QString& cancelledLine, Start start);
    void follow(ProgressJob* job, Kind kind, const QString& doing, const QString& cancelledLine);
    // A job that did not start, or that ended.
    void ended(ProgressJob* job, bool success);
    void next();
    void addNextOfBatch();
    void setRunning(bool running);

    Prompter& m_prompter;
    ProcessRunner& m_runner;
    CollectingPrompter m_batchPrompter;
    FolderAddJob::Confirmation m_confirmation;
    QPointer<ProgressJob> m_job;
    bool m_running = false;
    QList<std::pair<QString, ImportJob::Road>> m_pendingImports;
    QList<std::pair<QString, int>> m_pendingAdds;
    Batch m_batch;
};
