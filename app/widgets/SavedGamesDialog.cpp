#include "app/widgets/SavedGamesDialog.h"

#include "exchange/ExportJob.h"
#include "exchange/JobQueue.h"
#include "exchange/SavesArchiveJob.h"
#include "library/LibraryLayout.h"
#include "library/SavedGames.h"
#include "platform/FilePanel.h"
#include "platform/Prompter.h"
#include "platform/SystemServices.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPointer>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

SavedGamesDialog::SavedGamesDialog(const ConfigEntry& entry, Host host, JobQueue& jobs, QWidget* parent)
    : QDialog(parent), m_entry(entry),
      m_title(entry.title.isEmpty() ? QFileInfo(entry.filePath).completeBaseName() : entry.title),
      m_saves(
          LibraryLayout::savesFolderOfConfigFile(QFileInfo(entry.filePath).absolutePath(), entry.filePath)),
      m_host(host), m_jobs(jobs)
{
    setObjectName(QStringLiteral("savedGamesDialog"));
    setWindowTitle(tr("Saved Games of %1").arg(m_title));
    setWindowModality(Qt::WindowModal);
    auto* layout = new QVBoxLayout(this);
    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("savedGamesSummary"));
    m_summary->setWordWrap(true);
    layout->addWidget(m_summary);
    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("savedGamesList"));
    m_list->setHeaderLabels({tr("File on Drive C"), tr("Size"), tr("Written")});
    m_list->setRootIsDecorated(false);
    m_list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    layout->addWidget(m_list);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    const auto add = [buttons](const char* name, const QString& text) {
        QPushButton* button = buttons->addButton(text, QDialogButtonBox::ActionRole);
        button->setObjectName(QLatin1String(name));
        return button;
    };
    m_backUp = add("savedGamesBackUp", tr("Back Up…"));
    m_restore = add("savedGamesRestore", tr("Restore…"));
    m_reset = add("savedGamesReset", tr("Reset to Original…"));
    m_show = add("savedGamesShow", tr("Show in File Manager"));
    connect(m_backUp, &QPushButton::clicked, this, &SavedGamesDialog::backUp);
    connect(m_restore, &QPushButton::clicked, this, &SavedGamesDialog::restore);
    connect(m_reset, &QPushButton::clicked, this, &SavedGamesDialog::reset);
    connect(m_show, &QPushButton::clicked, this, &SavedGamesDialog::showFolder);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    // A backup or a restore runs in the window's queue: shown again once it has ended.
    connect(&m_jobs, &JobQueue::runningChanged, this, [this](bool running) {
        if (!running)
            refresh();
    });
    resize(560, 380);
    refresh();
}

void SavedGamesDialog::refresh()
{
    const QList<SavedGames::File> files = SavedGames::list(m_saves);
    m_list->clear();
    const QLocale locale;
    for (const SavedGames::File& file : files) {
        auto* item = new QTreeWidgetItem(m_list);
        item->setText(0, file.path);
        item->setText(1, file.deleted ? tr("deleted") : locale.formattedDataSize(file.size));
        item->setText(2, locale.toString(file.modified, QLocale::ShortFormat));
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    }
    const bool any = SavedGames::exist(m_saves);
    m_summary->setText(any ? tr("What \"%1\" wrote on drive C is kept apart from the game, which stays as it "
                                "came. Its start-up commands and its setup program write here too.")
                                 .arg(m_title)
                           : tr("\"%1\" has written nothing yet: it is as it came.").arg(m_title));
    const bool idle = !m_jobs.isRunning();
    m_backUp->setEnabled(any && idle);
    m_reset->setEnabled(any && idle);
    m_show->setEnabled(any);
    m_restore->setEnabled(idle);
}

void SavedGamesDialog::backUp()
{
    const QPointer<SavedGamesDialog> dialog(this);
    m_host.filePanel.chooseFile({tr("Back Up Saved Games"),
                                 {QStringLiteral("zip")},
                                 ExportJob::defaultFolder(),
                                 false,
                                 SavesArchiveJob::defaultFileName(m_entry)},
                                [dialog](const QString& archive) {
                                    if (dialog && dialog->m_jobs.startSavesBackup(dialog->m_entry, archive))
                                        dialog->refresh();
                                });
}

void SavedGamesDialog::restore()
{
    const QPointer<SavedGamesDialog> dialog(this);
    m_host.filePanel.chooseFile(
        {tr("Restore Saved Games"), {QStringLiteral("zip")}, ExportJob::defaultFolder()},
        [dialog](const QString& archive) {
            if (dialog && dialog->m_jobs.startSavesRestore(dialog->m_entry, archive))
                dialog->refresh();
        });
}

void SavedGamesDialog::reset()
{
    SavedGames::resetAfterAsking(m_entry.filePath, m_title, m_host.prompter);
    refresh();
}

void SavedGamesDialog::showFolder()
{
    if (!m_host.services.openFolder(m_saves))
        m_host.prompter.showAlert(
            tr("Could Not Show the Saved Games"),
            tr("No file manager could be started. The saved games are in:\n%1").arg(m_saves));
}
