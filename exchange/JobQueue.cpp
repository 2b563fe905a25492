#include "exchange/JobQueue.h"

#include "exchange/ExportJob.h"
#include "exchange/SavesArchiveJob.h"

JobQueue::JobQueue(Prompter& prompter, ProcessRunner& runner, QObject* parent)
    : QObject(parent), m_prompter(prompter), m_runner(runner), m_batchPrompter(prompter)
{}

JobQueue::~JobQueue() = default;

QString JobQueue::busyConfigFile() const
{
    return m_job ? m_job->busyConfigFile() : QString();
}

void JobQueue::setRunning(bool running)
{
    if (m_running == running)
        return;
    m_running = running;
    Q_EMIT runningChanged(running);
}

void JobQueue::follow(ProgressJob* job, Kind kind, const QString& doing, const QString& cancelledLine)
{
    m_job = job;
    const bool inBatch = m_batch.index >= 0;
    connect(job, &ProgressJob::progressed, this,
            [this, job, doing, inBatch](qint64 done, qint64 total, const QString& item) {
                if (!inBatch) {
                    Q_EMIT progressed(done, total, doing.arg(job->subject(), item));
                    return;
                }
                // One bar for the whole folder: each game is an equal part of it.
                constexpr qint64 Part = 1000;
                Q_EMIT progressed(m_batch.index * Part + (total > 0 ? done * Part / total : 0),
                                  m_batch.tally.total * Part,
                                  tr("Adding %1 of %2: %3")
                                      .arg(m_batch.index + 1)
                                      .arg(m_batch.tally.total)
                                      .arg(job->subject()));
            });
    connect(job, &ProgressJob::busyGameChanged, this, &JobQueue::busyGameChanged);
    connect(job, &ProgressJob::cancelled, this, [this, cancelledLine] { Q_EMIT cancelled(cancelledLine); });
    connect(job, &ProgressJob::finished, this, [this, job](bool success) { ended(job, success); });
    setRunning(true);
    Q_EMIT jobStarted(job, kind);
}

void JobQueue::ended(ProgressJob* job, bool success)
{
    if (job != m_job)
        return;
    auto* add = qobject_cast<FolderAddJob*>(job);
    // The first game of a store's pack brings the others after it.
    QList<std::pair<QString, int>> pack;
    if (add && success && add->packGame() == 0) {
        for (int game = 1; game < add->packGames(); ++game)
            pack.append({add->source(), game});
    }
    if (m_batch.index >= 0) {
        if (success)
            ++m_batch.tally.added;
        else if (add->skipped()) {
            ++m_batch.tally.skipped;
            Q_EMIT gameSkipped(m_batch.title);
        } else if (!add->isCancelled())
            ++m_batch.tally.failed;
        for (const QString& alert : m_batchPrompter.takeAlerts())
            m_batch.failures.append(m_batch.title + QStringLiteral(" — ") + alert);
        m_batch.index = -1;
        m_batch.sources = pack + m_batch.sources;
        m_batch.tally.total += int(pack.size());
    } else {
        m_pendingAdds = pack + m_pendingAdds;
    }
    job->disconnect(this);
    job->deleteLater();
    m_job = nullptr;
    next();
}

void JobQueue::next()
{
    if (!m_batch.sources.isEmpty()) {
        addNextOfBatch();
        return;
    }
    if (m_batch.tally.total > 0) {
        const Batch batch = std::exchange(m_batch, {});
        Q_EMIT batchEnded(batch.tally, batch.failures);
    }
    if (m_job)
        return; // a receiver of batchEnded started something
    if (!m_pendingImports.isEmpty()) {
        const auto [archive, road] = m_pendingImports.takeFirst();
        startImport(archive, road);
    } else if (!m_pendingAdds.isEmpty()) {
        const auto [source, packGame] = m_pendingAdds.takeFirst();
        startFolderAdd(source, packGame);
    } else {
        setRunning(false);
    }
}

bool JobQueue::startExport(const ConfigEntry& entry, const QString& archive)
{
    if (m_job)
        return false;
    auto* job = new ExportJob(m_prompter, m_runner, this);
    follow(job, Kind::Export, tr("Exporting %1: %2"), tr("Export cancelled"));
    if (!job->start(entry, archive)) {
        ended(job, false);
        return false;
    }
    return true;
}

template <typename Start>
bool JobQueue::startSavesJob(const QString& doing, const QString& cancelledLine, Start start)
{
    if (m_job)
        return false;
    auto* job = new SavesArchiveJob(m_prompter, m_runner, this);
    follow(job, Kind::Export, doing, cancelledLine);
    if (!start(*job)) {
        ended(job, false);
        return false;
    }
    return true;
}

bool JobQueue::startSavesBackup(const ConfigEntry& entry, const QString& archive)
{
    return startSavesJob(tr("Backing up the saved games of %1: %2"), tr("Backup cancelled"),
                         [&](SavesArchiveJob& job) { return job.backUp(entry, archive); });
}

bool JobQueue::startSavesRestore(const ConfigEntry& entry, const QString& archive)
{
    return startSavesJob(tr("Restoring the saved games of %1: %2"), tr("Restore cancelled"),
                         [&](SavesArchiveJob& job) { return job.restore(entry, archive); });
}

void JobQueue::startImport(const QString& archive, ImportJob::Road road)
{
    if (m_job) {
        m_pendingImports.append({archive, road});
        return;
    }
    auto* job = new ImportJob(m_prompter, m_runner, this);
    connect(job, &ImportJob::installed, this,
            [this](const QString& configFile) { Q_EMIT installed(configFile, true); });
    follow(job, Kind::Import, tr("Importing %1: %2"), tr("Import cancelled"));
    job->start(archive, road);
}

void JobQueue::startFolderAdd(const QString& source, int packGame)
{
    if (m_job) {
        m_pendingAdds.append({source, packGame});
        return;
    }
    auto* job = new FolderAddJob(m_prompter, m_runner, this);
    job->setPackGame(packGame);
    if (m_confirmation)
        job->setConfirmation(m_confirmation);
    connect(job, &FolderAddJob::installed, this,
            [this](const QString& configFile) { Q_EMIT installed(configFile, true); });
    follow(job, Kind::Add, tr("Adding %1: %2"), tr("Adding cancelled"));
    if (!job->start(source))
        ended(job, false);
}

void JobQueue::startBatchAdd(const QStringList& sources)
{
    // Another job at work, or another folder's games: these follow when it ends.
    for (const QString& source : sources)
        m_batch.sources.append({source, 0});
    m_batch.tally.total += int(sources.size());
    if (!m_job)
        addNextOfBatch();
}

void JobQueue::addNextOfBatch()
{
    m_batch.index = m_batch.tally.total - int(m_batch.sources.size());
    const auto [source, packGame] = m_batch.sources.takeFirst();
    m_batch.title = FolderAddJob::titleFor(source);
    // Each game's failure is told once at the end, with the others', not in a dialog of its own.
    auto* job = new FolderAddJob(m_batchPrompter, m_runner, this);
    job->setSkipExisting(true);
    job->setPackGame(packGame);
    connect(job, &FolderAddJob::installed, this,
            [this](const QString& configFile) { Q_EMIT installed(configFile, false); });
    follow(job, Kind::Add, tr("Adding %1: %2"), tr("Adding cancelled"));
    if (!job->start(source))
        ended(job, false);
}

void JobQueue::cancel()
{
    m_batch.sources.clear();
    if (m_job)
        m_job->cancel();
}
