#include "app/LibraryActions.h"
#include "app/MainWindow.h"
#include "exchange/ExportJob.h"
#include "exchange/ImportJob.h"
#include "platform/FilePanel.h"

#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>

// The window's archive commands: export and import, one job at a time.

void MainWindow::setArchiveJobRunning(bool running)
{
    m_archiveJobRunning = running;
    const QList<QWidget*> commands{m_tableView,         m_addButton,           m_editButton,
                                   m_deleteButton,      m_launchGameButton,    m_launchSetupButton,
                                   m_launchMSDosButton, m_gotoCButton,         m_exportGameButton,
                                   m_importGameButton,  m_selectMt32RomsButton};
    for (QWidget* command : commands)
        command->setEnabled(!running);
    m_actions->setLibraryCommandsEnabled(!running);
    if (running)
        return;
    updateAllButtonStates();
    if (!m_pendingImports.isEmpty())
        startImport(m_pendingImports.takeFirst(), true);
}

void MainWindow::export_game()
{
    if (m_archiveJobRunning)
        return;
    auto* job = new ExportJob(m_host.prompter, *m_processRunner, this);
    connect(job, &ExportJob::busyChanged, m_progressIndicatorExport, &QWidget::setVisible);
    connect(job, &ExportJob::finished, this, [this, job] {
        setArchiveJobRunning(false);
        job->deleteLater();
    });
    setArchiveJobRunning(true);
    if (!job->start(selectedConfig())) {
        setArchiveJobRunning(false);
        job->deleteLater();
    }
}

void MainWindow::import_game()
{
    if (m_archiveJobRunning)
        return;
    const QPointer<MainWindow> window(this);
    m_host.filePanel.chooseFile({tr("Select TDL file to import"), {QStringLiteral("tdl")}, QString()},
                                [window](const QString& path) {
                                    if (window)
                                        window->startImport(path, false);
                                });
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
    connect(job, &ImportJob::busyChanged, m_progressIndicatorImport, &QWidget::setVisible);
    // The imported game is selected and shown, as after Add.
    connect(job, &ImportJob::installed, this, [this](const QString& configFile) {
        loadConfigFiles();
        selectConfigFile(configFile);
    });
    connect(job, &ImportJob::finished, this, [this, job] {
        job->deleteLater();
        setArchiveJobRunning(false);
    });
    setArchiveJobRunning(true);
    job->start(archivePath, fromFileManager ? ImportJob::Road::FileManager : ImportJob::Road::Panel);
}
