#include "app/widgets/EnterTitleController.h"

#include "settings/widgets/TitleValidator.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

EnterTitleController::EnterTitleController(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("EnterTitleController"));
    setWindowTitle(tr("Add Game"));

    auto* label = new QLabel(tr("Title of the new game:"), this);
    m_titleInputField = new QLineEdit(this);
    m_titleInputField->setObjectName(QStringLiteral("titleInputField"));
    m_titleInputField->setValidator(new TitleValidator(m_titleInputField));
    m_titleInputField->setPlaceholderText(tr("e.g. Commander Keen 4"));
    m_titleInputField->setMinimumWidth(320);
    label->setBuddy(m_titleInputField);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* confirm = buttons->addButton(tr("Add"), QDialogButtonBox::AcceptRole);
    confirm->setObjectName(QStringLiteral("confirmButton"));
    confirm->setDefault(true);
    QPushButton* cancelButton = buttons->addButton(QDialogButtonBox::Cancel);
    cancelButton->setObjectName(QStringLiteral("cancelButton"));
    connect(confirm, &QPushButton::clicked, this, &EnterTitleController::confirmTitle);
    connect(cancelButton, &QPushButton::clicked, this, &EnterTitleController::cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_titleInputField);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void EnterTitleController::confirmTitle()
{
    const QString title = m_titleInputField->text().trimmed();
    complete(title.isEmpty() ? std::nullopt : std::optional<QString>(title));
    accept();
}

void EnterTitleController::cancel()
{
    complete(std::nullopt);
    reject();
}

void EnterTitleController::complete(const std::optional<QString>& title)
{
    // The handler runs once, before the window closes.
    if (CompletionHandler handler = std::exchange(m_completionHandler, nullptr))
        handler(title);
}
