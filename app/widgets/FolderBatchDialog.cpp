#include "app/widgets/FolderBatchDialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

void FolderBatchDialog::ask(QWidget* window, const QList<FolderBatch::Found>& found,
                            std::function<void(const QStringList&)> answer)
{
    auto* dialog = new FolderBatchDialog(found, window);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::WindowModal);
    connect(dialog, &QDialog::finished, dialog, [dialog, answer = std::move(answer)](int result) {
        answer(result == QDialog::Accepted ? dialog->chosen() : QStringList());
    });
    dialog->open();
}

FolderBatchDialog::FolderBatchDialog(const QList<FolderBatch::Found>& found, QWidget* parent)
    : QDialog(parent), m_found(found)
{
    setObjectName(QStringLiteral("folderBatchDialog"));
    setWindowTitle(tr("Add Games from Folder"));
    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("batchList"));
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels({tr("Title"), tr("Program"), tr("CD Image")});
    m_list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    for (const FolderBatch::Found& game : found) {
        auto* item = new QTreeWidgetItem(
            m_list, {game.title, game.program.isEmpty() ? tr("None found") : game.program, game.cdImage});
        item->setToolTip(0, game.source);
        if (game.inLibrary) {
            item->setText(1, tr("Already in the library"));
            item->setFlags(item->flags() & ~Qt::ItemIsEnabled);
            item->setCheckState(0, Qt::Unchecked);
        } else {
            item->setCheckState(0, Qt::Checked);
        }
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    m_add = buttons->addButton(tr("Add Games"), QDialogButtonBox::AcceptRole);
    m_add->setObjectName(QStringLiteral("addGamesButton"));
    m_add->setDefault(true);
    connect(m_list, &QTreeWidget::itemChanged, this, &FolderBatchDialog::updateAddButton);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(tr("Each folder and .zip file becomes a game of its own. Tandril found these; "
                                "clear the ones not to add. The programs can be changed later in each "
                                "game's settings."),
                             this);
    intro->setWordWrap(true);
    layout->addWidget(intro);
    layout->addWidget(m_list, 1);
    layout->addWidget(buttons);
    resize(620, 420);
    updateAddButton();
}

QStringList FolderBatchDialog::chosen() const
{
    QStringList sources;
    for (int row = 0; row < m_list->topLevelItemCount(); ++row) {
        const QTreeWidgetItem* item = m_list->topLevelItem(row);
        if (item->checkState(0) == Qt::Checked && !m_found.at(row).inLibrary)
            sources.append(m_found.at(row).source);
    }
    return sources;
}

void FolderBatchDialog::updateAddButton()
{
    const qsizetype count = chosen().size();
    m_add->setText(count == 1 ? tr("Add 1 Game") : tr("Add %1 Games").arg(count));
    m_add->setEnabled(count > 0);
}
