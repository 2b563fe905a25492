#pragma once

#include "exchange/Installation.h"
#include "platform/FileOperations.h"
#include "platform/ProcessRunner.h"

#include <memory>
#include <optional>
#include <QObject>
#include <QPointer>

class Prompter;
class QProcess;
class StagingFolder;

// What export and import share: a tool run that reports its progress line by line, a copy on a
// worker thread, and a Cancel that stops either and leaves the old state as it was.
class ProgressJob : public QObject
{
    Q_OBJECT

public:
    ProgressJob(Prompter& prompter, ProcessRunner& runner, QObject* parent = nullptr);
    ~ProgressJob() override;

    // The game the job works on, for labels ("Doom"), and its configuration file once known.
    QString subject() const { return m_subject; }
    QString busyConfigFile() const { return m_busyConfigFile; }

    // Stops the tool or the copy; finished(false) follows, after cancelled().
    void cancel();
    bool isCancelled() const { return m_cancel->load(); }

    // Why the needed bytes do not fit on the file systems of the folders, if they do not.
    static std::optional<QString> spaceProblem(qint64 needed, const QStringList& folders);

Q_SIGNALS:
    void busyChanged(bool busy);
    // done of total items; the item the tool is at ("Doom/GAME.EXE").
    void progressed(qint64 done, qint64 total, const QString& item);
    void cancelled();
    void busyGameChanged();
    void finished(bool success);

protected:
    // Runs an archive tool, counting the lines that name an item it has handled.
    void runTool(const ProcessRunner::Command& command, qint64 total, const QList<QByteArray>& itemPrefixes,
                 ProcessRunner::Done done);
    void setBusyConfigFile(const QString& configFile)
    {
        m_busyConfigFile = configFile;
        Q_EMIT busyGameChanged();
    }
    // Swaps a staged game into the library on a worker thread; done gets the failure, if any
    // (a Cancel before the swap begins is one too, with isCancelled() set).
    void installInBackground(const QString& stagedConfig, const QString& stagedFolder,
                             const Installation::Destinations& destinations, bool mayReplace,
                             std::function<void(const std::optional<QString>&)> done,
                             const QString& stagedSaves = {});
    // Whether an archive may be written at the path: its folder is there, it names no folder,
    // and the user agreed to replace a file of that name; a refusal is said under the title. An
    // old file is replaced only once the new one is complete.
    bool mayWriteArchive(const QString& archivePath, const QString& failureTitle);
    // After an archive tool: true when the job ended there, for a Cancel or a tool that could not
    // start (said under the title, with the package to install).
    bool endedAfterTool(const ProcessRunner::Result& result, const QString& failureTitle);
    // Moves a staged archive to where the user chose, on a worker thread, the old file replaced
    // only by a whole new one; done gets the failure (a Cancel with isCancelled() set).
    void moveArchiveInBackground(const QString& staged, const QString& destination,
                                 std::function<void(const std::optional<QString>&)> done);
    // Busy signals only on a change.
    void setBusy(bool busy);
    // Ends the job: the staging folder goes, "cancelled" is said for a Cancel, then finished().
    void end(bool success);
    // A failure the user is told about, then the end.
    void failWith(const QString& title, const QString& message);
    // The callback runs only while this job still exists.
    ProcessRunner::Done guarded(ProcessRunner::Done done);
    const FileOperations::CancelFlag* cancelFlag() const { return m_cancel.get(); }
    std::shared_ptr<FileOperations::CancelFlag> sharedCancelFlag() const { return m_cancel; }

    Prompter& m_prompter;
    ProcessRunner& m_runner;
    QString m_subject;
    QString m_busyConfigFile;
    std::unique_ptr<StagingFolder> m_staging;

private:
    QPointer<QProcess> m_process;
    std::shared_ptr<FileOperations::CancelFlag> m_cancel;
    bool m_busy = false;
};
