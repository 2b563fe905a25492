#include "app/widgets/FolderAddProposal.h"
#include "app/widgets/FolderBatchDialog.h"
#include "app/widgets/LibraryActions.h"
#include "app/widgets/MainWindow.h"
#include "exchange/ExportJob.h"
#include "exchange/FolderAddJob.h"
#include "exchange/FolderBatch.h"
#include "exchange/ImportJob.h"
#include "platform/BackgroundTask.h"
#include "platform/FilePanel.h"

#include <QFileInfo>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QTimer>

// The window's archive commands: export and import, one job at a time, with their progress and
// a Cancel; the other games stay playable meanwhile.

void MainWindow::setProgressJobRunning(bool running)
{
    m_archiveJobRunning = running;
    // What changes the library waits; browsing and playing other games go on.
    for (QWidget* command : {m_addButton, m_addFromFolderButton, m_editButton, m_deleteButton,
                             m_exportGameButton, m_importGameButton})
        command->setEnabled(!running);
    m_actions->setLibraryCommandsEnabled(!running);
    m_workLabel->setVisible(running);
    m_cancelWorkButton->setVisible(running);
    m_cancelWorkButton->setEnabled(running);
    if (running) {
        m_workLabel->clear();
        m_statusLabel->hide();
    }
    updateAllButtonStates();
    if (!running && !m_batch.sources.isEmpty())
        addNextOfBatch();
    else if (!running && m_batch.total > 0) {
        const QString summary = tr("Added %1 of %2 games; %3 already in the library")
                                    .arg(m_batch.added)
                                    .arg(m_batch.total)
                                    .arg(m_batch.skipped);
        showStatus(summary);
        if (!m_batch.failures.isEmpty())
            showAlert(tr("Some Games Were Not Added"),
                      summary + QStringLiteral("\n\n") + m_batch.failures.join(u'\n'));
        m_batch = {};
    }
    if (m_archiveJobRunning)
        return;
    if (!m_pendingImports.isEmpty())
        startImport(m_pendingImports.takeFirst(), true);
    else if (!m_pendingAdds.isEmpty())
        startFolderAdd(m_pendingAdds.takeFirst());
}

void MainWindow::followJob(ProgressJob* job, QProgressBar* indicator, const QString& doing,
                           const QString& cancelled)
{
    m_activeJob = job;
    indicator->setRange(0, 0); // busy until the tool reports its first item
    indicator->setFormat(QStringLiteral("%p%"));
    indicator->setTextVisible(true);
    connect(job, &ProgressJob::busyChanged, indicator, &QWidget::setVisible);
    connect(job, &ProgressJob::progressed, this,
            [this, job, indicator, doing](qint64 done, qint64 total, const QString& item) {
                indicator->setRange(0, int(std::min<qint64>(total, INT_MAX)));
                indicator->setValue(int(std::min<qint64>(done, INT_MAX)));
                m_workLabel->setText(doing.arg(job->subject(), item));
            });
    connect(job, &ProgressJob::busyGameChanged, this, &MainWindow::updateAllButtonStates);
    connect(job, &ProgressJob::cancelled, this, [this, cancelled] { showStatus(cancelled); });
    connect(job, &ProgressJob::finished, this, [this, job] {
        job->deleteLater();
        m_activeJob = nullptr;
        setProgressJobRunning(false);
    });
    setProgressJobRunning(true);
}

void MainWindow::cancelProgressJob()
{
    if (!m_activeJob)
        return;
    m_cancelWorkButton->setEnabled(false);
    m_workLabel->setText(tr("Cancelling…"));
    m_batch.sources.clear(); // Cancel stops the rest of a folder's games too
    m_activeJob->cancel();
}

void MainWindow::showStatus(const QString& text)
{
    m_statusLabel->setText(text);
    m_statusLabel->show();
    QTimer::singleShot(5000, m_statusLabel, &QLabel::hide);
}

void MainWindow::export_game()
{
    if (m_archiveJobRunning)
        return;
    const std::optional<ConfigEntry> entry = selectedConfig();
    if (!entry) {
        showAlert(tr("No Selection"), tr("Please select a game to export."));
        return;
    }
    // Asked where to save: offered where the last export went, else the Desktop or home.
    const QString name = QFileInfo(entry->filePath).completeBaseName() + QStringLiteral(".tdl");
    const QPointer<MainWindow> window(this);
    m_host.filePanel.chooseFile(
        {tr("Export Game"), {QStringLiteral("tdl")}, ExportJob::defaultFolder(), false, name},
        [window, entry](const QString& archive) {
            if (!window || window->m_archiveJobRunning)
                return;
            auto* job = new ExportJob(window->m_host.prompter, *window->m_processRunner, window);
            window->followJob(job, window->m_progressIndicatorExport, tr("Exporting %1: %2"),
                              tr("Export cancelled"));
            if (!job->start(entry, archive)) {
                window->m_activeJob = nullptr;
                window->setProgressJobRunning(false);
                job->deleteLater();
            }
        });
}

void MainWindow::import_game()
{
    if (m_archiveJobRunning)
        return;
    const QPointer<MainWindow> window(this);
    m_host.filePanel.chooseFile(
        {tr("Select TDL file to import"), {QStringLiteral("tdl")}, ExportJob::defaultFolder()},
        [window](const QString& path) {
            if (window)
                window->startImport(path, false);
        });
}

void MainWindow::addGameFromFolder()
{
    if (m_archiveJobRunning)
        return;
    const QPointer<MainWindow> window(this);
    m_host.filePanel.chooseFile({tr("Choose the Game's Folder"), {}, QString(), true},
                                [window](const QString& path) {
                                    if (window)
                                        window->startFolderAdd(path);
                                });
}

void MainWindow::addGameFromZip()
{
    if (m_archiveJobRunning)
        return;
    const QPointer<MainWindow> window(this);
    m_host.filePanel.chooseFile({tr("Choose the Game's .zip File"), {QStringLiteral("zip")}, QString()},
                                [window](const QString& path) {
                                    if (window)
                                        window->startFolderAdd(path);
                                });
}

void MainWindow::addGamesFromFolder()
{
    if (m_archiveJobRunning)
        return;
    const QPointer<MainWindow> window(this);
    m_host.filePanel.chooseFile(
        {tr("Choose a Folder of Games"), {}, QString(), true}, [window](const QString& folder) {
            if (!window || window->m_archiveJobRunning)
                return;
            // Looking into every game can take a while: the window keeps painting meanwhile.
            window->m_actions->addEachFromFolder->setEnabled(false);
            window->showStatus(tr("Looking for games in %1…").arg(QFileInfo(folder).fileName()));
            auto found = std::make_shared<QList<FolderBatch::Found>>();
            BackgroundTask::start(
                window, [found, folder] { *found = FolderBatch::scan(folder); },
                [window, found, folder] {
                    window->m_actions->addEachFromFolder->setEnabled(!window->m_archiveJobRunning);
                    if (found->isEmpty()) {
                        window->showAlert(
                            tr("No Games Found"),
                            tr("%1 holds no folders or .zip files to make games of.").arg(folder));
                        return;
                    }
                    FolderBatchDialog::ask(window, *found, [window](const QStringList& sources) {
                        if (window && !sources.isEmpty())
                            window->startBatchAdd(sources);
                    });
                });
        });
}

void MainWindow::startBatchAdd(const QStringList& sources)
{
    // Another job at work, or another folder's games: these follow when it ends.
    m_batch.sources += sources;
    m_batch.total += int(sources.size());
    if (!m_archiveJobRunning)
        addNextOfBatch();
}

void MainWindow::addNextOfBatch()
{
    const int index = m_batch.total - int(m_batch.sources.size());
    const QString source = m_batch.sources.takeFirst();
    // Each game's failure is told once at the end, with the others', not in a dialog of its own.
    auto* job = new FolderAddJob(m_batchPrompter, *m_processRunner, this);
    job->setSkipExisting(true);
    const auto keepFailures = [this, title = FolderAddJob::titleFor(source)] {
        for (const QString& alert : m_batchPrompter.takeAlerts())
            m_batch.failures.append(title + QStringLiteral(" — ") + alert);
    };
    connect(job, &FolderAddJob::installed, this, [this] {
        ++m_batch.added;
        loadConfigFiles();
    });
    connect(job, &ProgressJob::finished, this, keepFailures); // before the next game starts
    followJob(job, m_progressIndicatorImport, tr("Adding %1: %2"), tr("Adding cancelled"));
    // One bar for the whole folder: each game is an equal part of it.
    connect(job, &ProgressJob::progressed, this, [this, job, index](qint64 done, qint64 total) {
        constexpr int Part = 1000;
        m_progressIndicatorImport->setRange(0, m_batch.total * Part);
        m_progressIndicatorImport->setValue(index * Part + int(total > 0 ? done * Part / total : 0));
        m_workLabel->setText(tr("Adding %1 of %2: %3").arg(index + 1).arg(m_batch.total).arg(job->subject()));
    });
    if (!job->start(source)) {
        if (job->skipped())
            ++m_batch.skipped;
        keepFailures();
        m_activeJob = nullptr;
        job->deleteLater();
        setProgressJobRunning(false);
    }
}

void MainWindow::startFolderAdd(const QString& source)
{
    if (m_archiveJobRunning) {
        m_pendingAdds.append(source);
        return;
    }
    auto* job = new FolderAddJob(m_host.prompter, *m_processRunner, this);
    // What it found is shown, and may be changed, before the game is added.
    job->setConfirmation(
        [window = QPointer<MainWindow>(this)](const FolderAddJob::Proposal& proposal, auto answer) {
            if (window)
                FolderAddProposal::ask(window, proposal, std::move(answer));
            else
                answer(std::nullopt);
        });
    // The new game is selected, ready for its settings.
    connect(job, &FolderAddJob::installed, this, [this](const QString& configFile) {
        loadConfigFiles();
        selectConfigFile(configFile);
    });
    followJob(job, m_progressIndicatorImport, tr("Adding %1: %2"), tr("Adding cancelled"));
    if (!job->start(source)) {
        m_activeJob = nullptr;
        setProgressJobRunning(false);
        job->deleteLater();
    }
}

void MainWindow::importTDLFile(const QString& archivePath)
{
    startImport(archivePath, true);
}

void MainWindow::startImport(const QString& archivePath, bool fromFileManager)
{
    if (m_archiveJobRunning) {
        m_pendingImports.append(archivePath);
        return;
    }
    auto* job = new ImportJob(m_host.prompter, *m_processRunner, this);
    // The imported game is selected and shown, as after Add.
    connect(job, &ImportJob::installed, this, [this](const QString& configFile) {
        loadConfigFiles();
        selectConfigFile(configFile);
    });
    followJob(job, m_progressIndicatorImport, tr("Importing %1: %2"), tr("Import cancelled"));
    job->start(archivePath, fromFileManager ? ImportJob::Road::FileManager : ImportJob::Road::Panel);
}
