#pragma once

#include "exchange/ProgressJob.h"
#include "library/ConfigEntry.h"

// Backs a game's saved games up into one archive, and puts a backup back in their place. zip and
// unzip run without blocking the event loop; nothing takes the place of the old archive or of the
// current saved games before the new one is complete.
class SavesArchiveJob final : public ProgressJob
{
    Q_OBJECT

public:
    SavesArchiveJob(Prompter& prompter, ProcessRunner& runner, QObject* parent = nullptr);
    ~SavesArchiveJob() override;

    // False when nothing was started (refused, or the user kept what there was); otherwise
    // finished() follows once the job has ended, whatever the outcome.
    bool backUp(const ConfigEntry& entry, const QString& archivePath);
    bool restore(const ConfigEntry& entry, const QString& archivePath);

    // "{base} saved games.zip": the name a backup gets unless the user gives another.
    static QString defaultFileName(const ConfigEntry& entry);

private:
    void zipped(const ProcessRunner::Result& result);
    void listed(const ProcessRunner::Result& result);
    void unpacked(const ProcessRunner::Result& result);
    void fail(const QString& message);
    bool begin(const ConfigEntry& entry, const QString& archivePath);

    bool m_restoring = false;
    QString m_configFile;
    QString m_archivePath;
    QString m_stagedArchive;
    qint64 m_memberCount = 0;
};
