#pragma once

#include "exchange/FolderAddJob.h"

#include <QDialog>

class QComboBox;
class QLineEdit;

// What an add from a folder found, shown before the game is added: its title, program, setup
// program and CD image, each of which the user may change, and its floppy images.
class FolderAddProposal final : public QDialog
{
    Q_OBJECT

public:
    // Opens the proposal over the window; the answer (nothing for Cancel) comes when it closes.
    static void ask(QWidget* window, const FolderAddJob::Proposal& proposal,
                    std::function<void(const std::optional<FolderAddJob::Proposal>&)> answer);

private:
    FolderAddProposal(const FolderAddJob::Proposal& proposal, QWidget* parent);
    FolderAddJob::Proposal chosen() const;

    FolderAddJob::Proposal m_proposal;
    QLineEdit* m_title = nullptr;
    QComboBox* m_program = nullptr;
    QComboBox* m_setup = nullptr;
    QComboBox* m_cdImage = nullptr;
};
