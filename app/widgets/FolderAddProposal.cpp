#include "app/widgets/FolderAddProposal.h"

#include "settings/widgets/TitleValidator.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// A menu of paths with a first item for none; the current one selected.
QComboBox* pathMenu(QWidget* parent, const char* objectName, const QStringList& paths, const QString& current,
                    const QString& none)
{
    auto* menu = new QComboBox(parent);
    menu->setObjectName(QString::fromLatin1(objectName));
    menu->addItem(none, QString());
    for (const QString& path : paths)
        menu->addItem(path, path);
    menu->setCurrentIndex(std::max(0, menu->findData(current)));
    return menu;
}

} // namespace

void FolderAddProposal::ask(QWidget* window, const FolderAddJob::Proposal& proposal,
                            std::function<void(const std::optional<FolderAddJob::Proposal>&)> answer)
{
    auto* dialog = new FolderAddProposal(proposal, window);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::WindowModal);
    connect(dialog, &QDialog::finished, dialog, [dialog, answer = std::move(answer)](int result) {
        answer(result == QDialog::Accepted ? std::optional(dialog->chosen()) : std::nullopt);
    });
    dialog->open();
}

FolderAddProposal::FolderAddProposal(const FolderAddJob::Proposal& proposal, QWidget* parent)
    : QDialog(parent), m_proposal(proposal)
{
    setObjectName(QStringLiteral("folderAddProposal"));
    setWindowTitle(tr("Add Game"));
    m_title = new QLineEdit(proposal.title, this);
    m_title->setObjectName(QStringLiteral("proposedTitle"));
    m_title->setValidator(new TitleValidator(m_title));
    m_program =
        pathMenu(this, "proposedProgram", proposal.programs, proposal.program, tr("None: choose later"));
    m_setup = pathMenu(this, "proposedSetup", proposal.programs, proposal.setup, tr("None"));
    m_cdImage = pathMenu(this, "proposedCdImage", proposal.cdImages, proposal.cdImage, tr("None"));
    auto* floppies = new QLabel(
        proposal.floppyImages.isEmpty() ? tr("None") : proposal.floppyImages.join(QStringLiteral(", ")),
        this);
    floppies->setWordWrap(true);

    auto* form = new QFormLayout;
    form->addRow(tr("Title:"), m_title);
    form->addRow(tr("Program:"), m_program);
    form->addRow(tr("Setup program:"), m_setup);
    form->addRow(tr("CD image:"), m_cdImage);
    form->addRow(tr("Floppy images:"), floppies);
    if (!proposal.kind.isEmpty())
        form->addRow(tr("From:"), new QLabel(proposal.kind, this));
    if (!proposal.notCarried.isEmpty()) {
        // What the game's own set-up had that Tandril leaves behind, one line each.
        auto* left = new QLabel(proposal.notCarried.join(u'\n'), this);
        left->setObjectName(QStringLiteral("proposedNotCarried"));
        left->setWordWrap(true);
        left->setTextFormat(Qt::PlainText);
        left->setTextInteractionFlags(Qt::TextSelectableByMouse);
        form->addRow(tr("Not carried over:"), left);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    QPushButton* add = buttons->addButton(tr("Add Game"), QDialogButtonBox::AcceptRole);
    add->setObjectName(QStringLiteral("addProposedGame"));
    add->setDefault(true);
    connect(m_title, &QLineEdit::textChanged, add,
            [add](const QString& text) { add->setEnabled(!text.trimmed().isEmpty()); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        new QLabel(tr("Tandril found these files. Change what is not right, then add the game."), this));
    layout->addLayout(form);
    layout->addWidget(buttons);
    setMinimumWidth(460);
}

FolderAddJob::Proposal FolderAddProposal::chosen() const
{
    FolderAddJob::Proposal chosen = m_proposal;
    chosen.title = m_title->text().trimmed();
    chosen.program = m_program->currentData().toString();
    chosen.setup = m_setup->currentData().toString();
    chosen.cdImage = m_cdImage->currentData().toString();
    return chosen;
}
