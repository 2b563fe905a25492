#include "app/widgets/DosboxChoiceDialog.h"

#include "launch/EmulatorPresence.h"
#include "platform/FilePanel.h"
#include "platform/UserDefaults.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

DosboxChoiceDialog::DosboxChoiceDialog(Emulator emulator, Prompter& prompter, FilePanel& filePanel,
                                       QWidget* parent)
    : QDialog(parent), m_emulator(std::move(emulator)), m_prompter(prompter), m_filePanel(filePanel)
{
    setObjectName(QStringLiteral("programPreferences"));
    setWindowTitle(tr("Preferences"));
    m_program = new QLabel(this);
    m_program->setObjectName(QStringLiteral("dosboxProgram"));
    m_program->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_program->setWordWrap(true);
    m_version = new QLabel(this);
    m_version->setObjectName(QStringLiteral("dosboxVersion"));
    m_version->setWordWrap(true);

    auto* choose = new QPushButton(tr("Choose…"), this);
    choose->setObjectName(QStringLiteral("chooseDosboxButton"));
    auto* automatic = new QPushButton(tr("Find Automatically"), this);
    automatic->setObjectName(QStringLiteral("automaticDosboxButton"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(choose);
    buttons->addWidget(automatic);
    buttons->addStretch();

    auto* form = new QFormLayout;
    form->addRow(tr("DOSBox-X:"), m_program);
    form->addRow(tr("Version:"), m_version);
    form->addRow(QString(), buttons);
    auto* close = new QDialogButtonBox(QDialogButtonBox::Close, this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(close);
    setMinimumWidth(480);

    connect(close, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(choose, &QPushButton::clicked, this, [this] {
        const QPointer<DosboxChoiceDialog> self(this);
        m_filePanel.chooseFile({tr("Choose DOSBox-X"), {}, QString()}, [self](const QString& program) {
            if (self && EmulatorPresence::choose(self->m_emulator, self->m_prompter, program))
                self->showProgram();
        });
    });
    connect(automatic, &QPushButton::clicked, this, [this] {
        UserDefaults().setEmulatorProgram(QString());
        m_emulator.refresh();
        showProgram();
    });
    showProgram();
}

void DosboxChoiceDialog::showProgram()
{
    const EmulatorPresence::Description shown = EmulatorPresence::describe(m_emulator);
    m_program->setText(shown.program);
    m_version->setText(shown.version);
}
