#include "platform/BackgroundTask.h"
#include "platform/Prompter.h"
#include "settings/widgets/DropTargetView.h"
#include "settings/widgets/Preferences.h"

#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

// The editor's drop areas: copies into the game folder on a worker thread, with their progress,
// a Cancel, and a Save and Close that wait for them.

void Preferences::setCopiesRunning(bool running)
{
    m_copiesRunning = running;
    m_copyProgress->setRange(0, 0);
    m_copyProgress->setVisible(running);
    m_cancelCopyButton->setVisible(running);
    m_cancelCopyButton->setEnabled(running);
    m_dropTargetView->setAcceptDrops(!running);
    m_dropTargetViewISO->setAcceptDrops(!running);
    for (const char* name : {"createConfigFileFromTitle", "close_window"}) {
        if (auto* button = findChild<QPushButton*>(QLatin1String(name)))
            button->setEnabled(!running);
    }
}

void Preferences::copyDroppedItems(const QStringList& paths, DropCopy::Target target)
{
    const QList<DropCopy::Task> tasks = DropCopy::plan(paths, m_titleName->text(), target, m_host.prompter);
    if (tasks.isEmpty())
        return;
    // One drop at a time, so that "Keep both" sees the names the last drop made.
    setCopiesRunning(true);
    m_cancelCopies = std::make_shared<FileOperations::CancelFlag>(false);
    // A 700 MB image copies on its own thread while the window keeps painting.
    auto copied = std::make_shared<int>(0);
    const QPointer<QProgressBar> bar(m_copyProgress);
    const DropCopy::Progress progress = [bar](qint64 done, qint64 total) {
        QMetaObject::invokeMethod(
            bar,
            [bar, done, total] {
                // Kept in kilobytes: a progress bar counts in int.
                bar->setRange(0, int(std::max<qint64>(total / 1024, 1)));
                bar->setValue(int(done / 1024));
            },
            Qt::QueuedConnection);
    };
    BackgroundTask::start(
        this,
        [tasks, copied, cancel = m_cancelCopies, progress] {
            *copied = DropCopy::run(tasks, cancel.get(), progress);
        },
        [this, copied, tasks, target] {
            setCopiesRunning(false);
            // A dropped CD image is the game's; so is a dropped program when it has none yet.
            const DropCopy::Chosen chosen =
                DropCopy::chosen(tasks, target, !m_gameExe->text().trimmed().isEmpty());
            if (chosen.cdImage) {
                m_cdImage->setText(*chosen.cdImage);
                updateCDImageDisplay();
            }
            if (chosen.program)
                m_gameExe->setText(*chosen.program);
            if (*copied > 0)
                showCopiedFilesStatus(*copied);
            Q_EMIT droppedItemsCopied(*copied);
            if (std::exchange(m_closeWhenCopied, false))
                reject();
        });
}

void Preferences::showCopiedFilesStatus(int count)
{
    QString text = count == 1 ? tr("File/Folder copied") : tr("Files/Folders copied");
    if (text.contains(QStringLiteral("%1"))) // a translation may show the number
        text = text.arg(count);
    m_statusLabel->setText(text);
    m_statusLabel->show();
    // Every call hides the line 3 seconds later, whatever came in between.
    QTimer::singleShot(3000, m_statusLabel, &QLabel::hide);
}

void Preferences::cancelCopies()
{
    if (m_cancelCopies)
        m_cancelCopies->store(true);
    m_cancelCopyButton->setEnabled(false);
}
