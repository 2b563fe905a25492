#pragma once

#include "library/ConfigEntry.h"

#include <memory>
#include <optional>
#include <QObject>

class ProcessRunner;
class Prompter;
class StagingFolder;

// Packs one game into "{base}.tdl" on the Desktop. zip runs without blocking the event loop;
// the archive is made in a staging folder and moved onto the Desktop only when zip succeeded.
class ExportJob final : public QObject
{
    Q_OBJECT

public:
    ExportJob(Prompter& prompter, ProcessRunner& runner, QObject* parent = nullptr);
    ~ExportJob() override;

    // False when nothing was started (no game, or the user kept the old archive); otherwise
    // finished() follows once the export has ended, whatever the outcome.
    bool start(const std::optional<ConfigEntry>& entry);

Q_SIGNALS:
    void busyChanged(bool busy);
    void finished(bool success);

private:
    void zipped(int exitCode, const QString& startError);
    void finish(bool success, const QString& title, const QString& message);

    Prompter& m_prompter;
    ProcessRunner& m_runner;
    std::unique_ptr<StagingFolder> m_staging;
    QString m_baseName;
    QString m_stagedArchive;
    QString m_archivePath;
};
