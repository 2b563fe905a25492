#include "app/widgets/FolderAddProposal.h"
#include "app/widgets/FolderBatchDialog.h"
#include "app/widgets/LibraryActions.h"
#include "app/widgets/MainWindow.h"
#include "app/widgets/SavedGamesDialog.h"
#include "exchange/ExportJob.h"
#include "exchange/FolderBatch.h"
#include "exchange/JobQueue.h"
#include "platform/BackgroundTask.h"
#include "platform/FilePanel.h"

#include <QFileInfo>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

// The window's side of the background work: the commands that start it, its progress bar and
// Cancel. The work itself, one job at a time with what waits for it, is the job queue's; the
// other games stay playable meanwhile.

void MainWindow::followJobs()
{
    m_jobs = new JobQueue(m_host.prompter, *m_processRunner, this);
    // What an add found is shown, and may be changed, before the game is added.
    m_jobs->setConfirmation(
        [window = QPointer<MainWindow>(this)](const FolderAddJob::Proposal& proposal, auto answer) {
            if (window)
                FolderAddProposal::ask(window, proposal, std::move(answer));
            else
                answer(std::nullopt);
        });
    connect(m_jobs, &JobQueue::runningChanged, this, &MainWindow::setProgressJobRunning);
    connect(m_jobs, &JobQueue::busyGameChanged, this, &MainWindow::updateAllButtonStates);
    connect(m_jobs, &JobQueue::jobStarted, this, [this](ProgressJob* job, JobQueue::Kind kind) {
        m_workIndicator =
            kind == JobQueue::Kind::Export ? m_progressIndicatorExport : m_progressIndicatorImport;
        m_workIndicator->setRange(0, 0); // busy until the tool reports its first item
        m_workIndicator->setFormat(QStringLiteral("%p%"));
        m_workIndicator->setTextVisible(true);
        connect(job, &ProgressJob::busyChanged, m_workIndicator, &QWidget::setVisible);
        m_cancelWorkButton->setEnabled(true);
    });
    connect(m_jobs, &JobQueue::progressed, this, [this](qint64 done, qint64 total, const QString& line) {
        if (m_workIndicator) {
            m_workIndicator->setRange(0, int(std::min<qint64>(total, INT_MAX)));
            m_workIndicator->setValue(int(std::min<qint64>(done, INT_MAX)));
        }
        m_workLabel->setText(line);
    });
    connect(m_jobs, &JobQueue::cancelled, this, &MainWindow::showStatus);
    // A game the user added or imported is selected, ready for its settings.
    connect(m_jobs, &JobQueue::installed, this, [this](const QString& configFile, bool select) {
        loadConfigFiles();
        if (select)
            selectConfigFile(configFile);
    });
    connect(m_jobs, &JobQueue::batchEnded, this,
            [this](const FolderBatch::Tally& tally, const QStringList& failures) {
                const QString summary = FolderBatch::summary(tally);
                showStatus(summary);
                if (!failures.isEmpty())
                    showAlert(tr("Some Games Were Not Added"),
                              summary + QStringLiteral("\n\n") + failures.join(u'\n'));
            });
}

void MainWindow::setProgressJobRunning(bool running)
{
    // What changes the library waits; browsing and playing other games go on.
    m_actions->setLibraryCommandsEnabled(!running);
    m_workLabel->setVisible(running);
    m_cancelWorkButton->setVisible(running);
    m_cancelWorkButton->setEnabled(running);
    if (running) {
        m_workLabel->clear();
        m_statusLabel->hide();
    }
    updateAllButtonStates();
}

void MainWindow::cancelProgressJob()
{
    if (!m_jobs->isRunning())
        return;
    m_cancelWorkButton->setEnabled(false);
    m_workLabel->setText(tr("Cancelling…"));
    m_jobs->cancel(); // a folder's other games too
}

void MainWindow::showStatus(const QString& text)
{
    m_statusLabel->setText(text);
    m_statusLabel->show();
    QTimer::singleShot(5000, m_statusLabel, &QLabel::hide);
}

void MainWindow::export_game()
{
    if (m_jobs->isRunning())
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
            if (window)
                window->m_jobs->startExport(*entry, archive);
        });
}

void MainWindow::showSavedGames()
{
    const std::optional<ConfigEntry> entry = selectedConfig();
    if (!entry)
        return;
    auto* dialog = new SavedGamesDialog(*entry, m_host, *m_jobs, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

void MainWindow::import_game()
{
    if (m_jobs->isRunning())
        return;
    const QPointer<MainWindow> window(this);
    m_host.filePanel.chooseFile(
        {tr("Select TDL file to import"), {QStringLiteral("tdl")}, ExportJob::defaultFolder()},
        [window](const QString& path) {
            if (window)
                window->m_jobs->startImport(path, ImportJob::Road::Panel);
        });
}

void MainWindow::addGameFromFolder()
{
    if (m_jobs->isRunning())
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
    if (m_jobs->isRunning())
        return;
    const QPointer<MainWindow> window(this);
    // A .zip of the game, a browser bundle, a store's installer or a DOSBox configuration.
    m_host.filePanel.chooseFile({tr("Choose the Game's .zip File, Bundle, Installer or DOSBox Configuration"),
                                 {QStringLiteral("zip"), QStringLiteral("jsdos"), QStringLiteral("exe"),
                                  QStringLiteral("sh"), QStringLiteral("conf")},
                                 QString()},
                                [window](const QString& path) {
                                    if (window)
                                        window->startFolderAdd(path);
                                });
}

void MainWindow::addGamesFromFolder()
{
    if (m_jobs->isRunning())
        return;
    const QPointer<MainWindow> window(this);
    m_host.filePanel.chooseFile(
        {tr("Choose a Folder of Games"), {}, QString(), true}, [window](const QString& folder) {
            if (!window || window->m_jobs->isRunning())
                return;
            // Looking into every game can take a while: the window keeps painting meanwhile.
            window->m_actions->addEachFromFolder->setEnabled(false);
            window->showStatus(tr("Looking for games in %1…").arg(QFileInfo(folder).fileName()));
            auto found = std::make_shared<QList<FolderBatch::Found>>();
            BackgroundTask::start(
                window, [found, folder] { *found = FolderBatch::scan(folder); },
                [window, found, folder] {
                    window->m_actions->addEachFromFolder->setEnabled(!window->m_jobs->isRunning());
                    if (found->isEmpty()) {
                        window->showAlert(
                            tr("No Games Found"),
                            tr("%1 holds no folders or .zip files to make games of.").arg(folder));
                        return;
                    }
                    FolderBatchDialog::ask(window, *found, [window](const QStringList& sources) {
                        if (window && !sources.isEmpty())
                            window->m_jobs->startBatchAdd(sources);
                    });
                });
        });
}

void MainWindow::startFolderAdd(const QString& source)
{
    m_jobs->startFolderAdd(source);
}

void MainWindow::importTDLFile(const QString& archivePath)
{
    m_jobs->startImport(archivePath, ImportJob::Road::FileManager);
}
