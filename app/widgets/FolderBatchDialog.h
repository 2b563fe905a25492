#pragma once

#include "exchange/FolderBatch.h"

#include <functional>
#include <QDialog>

class QPushButton;
class QTreeWidget;

// What a folder of games holds, shown before anything is added: each game's title, program and
// CD image with a check box; games already in the library are listed but cannot be chosen.
class FolderBatchDialog final : public QDialog
{
    Q_OBJECT

public:
    // Opens the list over the window; the chosen sources (none for Cancel) come when it closes.
    static void ask(QWidget* window, const QList<FolderBatch::Found>& found,
                    std::function<void(const QStringList&)> answer);

private:
    FolderBatchDialog(const QList<FolderBatch::Found>& found, QWidget* parent);
    QStringList chosen() const;
    void updateAddButton();

    QList<FolderBatch::Found> m_found;
    QTreeWidget* m_list = nullptr;
    QPushButton* m_add = nullptr;
};
