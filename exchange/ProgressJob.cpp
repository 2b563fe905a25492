#include "exchange/ProgressJob.h"

#include "exchange/ArchiveFormat.h"
#include "platform/BackgroundTask.h"
#include "platform/Prompter.h"
#include "platform/StagingFolder.h"

#include <QFileInfo>
#include <QLocale>
#include <QProcess>
#include <QStorageInfo>

ProgressJob::ProgressJob(Prompter& prompter, ProcessRunner& runner, QObject* parent)
    : QObject(parent), m_prompter(prompter), m_runner(runner),
      m_cancel(std::make_shared<FileOperations::CancelFlag>(false))
{}

ProgressJob::~ProgressJob()
{
    cancel(); // a job that goes away leaves nothing running
}

void ProgressJob::cancel()
{
    m_cancel->store(true);
    if (m_process)
        m_process->kill();
}

void ProgressJob::setBusy(bool busy)
{
    if (m_busy == busy)
        return;
    m_busy = busy;
    Q_EMIT busyChanged(busy);
}

void ProgressJob::end(bool success)
{
    m_staging.reset();
    if (!success && isCancelled())
        Q_EMIT cancelled(); // the user's own choice: no alert
    setBusy(false);
    Q_EMIT finished(success);
}

void ProgressJob::failWith(const QString& title, const QString& message)
{
    m_prompter.showAlert(title, message);
    end(false);
}

bool ProgressJob::mayWriteArchive(const QString& archivePath, const QString& failureTitle)
{
    const QString folder = QFileInfo(archivePath).absolutePath();
    if (!QFileInfo(folder).isDir()) {
        m_prompter.showAlert(failureTitle, tr("The folder %1 does not exist.").arg(folder));
        return false;
    }
    if (QFileInfo(archivePath).isDir()) {
        m_prompter.showAlert(failureTitle, tr("%1 is a folder.").arg(archivePath));
        return false;
    }
    return !FileOperations::itemExists(archivePath) ||
           m_prompter.ask({tr("File exists"),
                           tr("%1 already exists. Do you want to replace it?").arg(archivePath),
                           Prompter::Style::Warning,
                           {tr("Overwrite"), tr("Cancel")}}) == 0;
}

bool ProgressJob::endedAfterTool(const ProcessRunner::Result& result, const QString& failureTitle)
{
    if (isCancelled()) {
        end(false);
        return true;
    }
    if (!result.error.isEmpty()) {
        failWith(failureTitle, ArchiveFormat::startFailure(result.program, result.error));
        return true;
    }
    return false;
}

void ProgressJob::moveArchiveInBackground(const QString& staged, const QString& destination,
                                          std::function<void(const std::optional<QString>&)> done)
{
    auto error = std::make_shared<std::optional<QString>>();
    BackgroundTask::start(
        this,
        [error, staged, destination, cancel = m_cancel] {
            *error = FileOperations::moveFileReplacing(staged, destination, cancel.get());
        },
        [error, done = std::move(done)] { done(*error); });
}

void ProgressJob::installInBackground(const QString& stagedConfig, const QString& stagedFolder,
                                      const Installation::Destinations& destinations, bool mayReplace,
                                      std::function<void(const std::optional<QString>&)> done,
                                      const QString& stagedSaves)
{
    auto error = std::make_shared<std::optional<QString>>();
    BackgroundTask::start(
        this,
        [error, stagedConfig, stagedFolder, destinations, mayReplace, cancel = m_cancel, stagedSaves] {
            *error = Installation::install(stagedConfig, stagedFolder, destinations, mayReplace, cancel.get(),
                                           stagedSaves);
        },
        [error, done = std::move(done)] { done(*error); });
}

ProcessRunner::Done ProgressJob::guarded(ProcessRunner::Done done)
{
    return [self = QPointer<ProgressJob>(this), done = std::move(done)](const ProcessRunner::Result& result) {
        if (self)
            done(result);
    };
}

void ProgressJob::runTool(const ProcessRunner::Command& command, qint64 total,
                          const QList<QByteArray>& itemPrefixes, ProcessRunner::Done done)
{
    auto count = std::make_shared<qint64>(0);
    const QPointer<ProgressJob> self(this);
    // The tool's own lines ("  adding: Doom/GAME.EXE (deflated 40%)") tell how far it is.
    m_process = m_runner.run(
        command, false, guarded(std::move(done)), [self, count, total, itemPrefixes](const QByteArray& line) {
            const QByteArray trimmed = line.trimmed();
            for (const QByteArray& prefix : itemPrefixes) {
                if (!trimmed.startsWith(prefix))
                    continue;
                QString item = QString::fromUtf8(trimmed.mid(prefix.size()).trimmed());
                if (const qsizetype note = item.lastIndexOf(QStringLiteral(" (")); note > 0)
                    item.truncate(note);
                *count = std::min(*count + 1, total);
                if (self)
                    Q_EMIT self->progressed(*count, total, item);
                return;
            }
        });
}

std::optional<QString> ProgressJob::spaceProblem(qint64 needed, const QStringList& folders)
{
    QStringList seen;
    for (const QString& folder : folders) {
        const QStorageInfo storage(folder);
        if (!storage.isValid() || seen.contains(storage.rootPath()))
            continue;
        seen.append(storage.rootPath());
        const qint64 available = storage.bytesAvailable();
        if (available >= 0 && available < needed) {
            const QLocale locale;
            return tr("It needs %1 of free space, but only %2 is free on %3.")
                .arg(locale.formattedDataSize(needed), locale.formattedDataSize(available),
                     storage.rootPath());
        }
    }
    return std::nullopt;
}
