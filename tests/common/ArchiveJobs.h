#pragma once

#include "exchange/ExportJob.h"
#include "exchange/FolderAddJob.h"
#include "exchange/ImportJob.h"
#include "exchange/SavesArchiveJob.h"
#include "library/LibraryLoader.h"

#include <QSignalSpy>

// Export and import run to their end, as the window and the command line run them.
inline bool finishJob(ProgressJob& job, QSignalSpy& finished)
{
    if (finished.isEmpty() && !finished.wait(60000))
        qFatal("%s did not finish", job.metaObject()->className());
    return finished.first().first().toBool();
}

// configFile: a file that does not load still names a game, as on the command line.
inline bool exportGame(Prompter& prompter, ProcessRunner& runner, const QString& configFile,
                       const QString& archive = {})
{
    ExportJob job(prompter, runner);
    QSignalSpy finished(&job, &ExportJob::finished);
    return job.start(LibraryLoader::readEntry(configFile)
                         .value_or(ConfigEntry{QString(), configFile, std::nullopt}),
                     archive) &&
           finishJob(job, finished);
}

inline bool importArchive(Prompter& prompter, ProcessRunner& runner, const QString& archive)
{
    ImportJob job(prompter, runner);
    QSignalSpy finished(&job, &ImportJob::finished);
    job.start(archive, ImportJob::Road::Panel);
    return finishJob(job, finished);
}

// A game's saved games backed up into the archive, or the archive's restored.
inline bool savesJob(Prompter& prompter, ProcessRunner& runner, const QString& configFile,
                     const QString& archive, bool restore)
{
    SavesArchiveJob job(prompter, runner);
    QSignalSpy finished(&job, &SavesArchiveJob::finished);
    const ConfigEntry entry =
        LibraryLoader::readEntry(configFile).value_or(ConfigEntry{QString(), configFile, std::nullopt});
    return (restore ? job.restore(entry, archive) : job.backUp(entry, archive)) && finishJob(job, finished);
}

// A game added from a folder, an archive or an installer, the proposal answered as given (by
// default as found); cancelled at its first progress when asked.
inline bool addFromFolder(Prompter& prompter, ProcessRunner& runner, const QString& source,
                          FolderAddJob::Confirmation confirm = {}, bool cancelAtFirstProgress = false,
                          const QString& program = {})
{
    FolderAddJob job(prompter, runner);
    job.setConfirmation(std::move(confirm));
    if (cancelAtFirstProgress)
        QObject::connect(&job, &FolderAddJob::progressed, &job, [&job] { job.cancel(); });
    QSignalSpy finished(&job, &FolderAddJob::finished);
    return job.start(source, {}, program) && finishJob(job, finished);
}
