#include "settings/widgets/DropTargetView.h"
#include "settings/widgets/FieldControls.h"
#include "settings/widgets/GameDetailsPanel.h"
#include "settings/widgets/OtherSettingsPanel.h"
#include "settings/widgets/Preferences.h"
#include "settings/widgets/TitleValidator.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

// How the settings editor is laid out: its sections, their controls, and what each control does.

namespace {

template <typename Widget> Widget* named(Widget* widget, const char* objectName)
{
    widget->setObjectName(QString::fromLatin1(objectName));
    return widget;
}

QPushButton* actionButton(QWidget* parent, const char* objectName, const QString& text)
{
    return named(new QPushButton(text, parent), objectName);
}

QWidget* row(QWidget* parent, std::initializer_list<QWidget*> widgets, int stretchIndex = 0)
{
    auto* container = new QWidget(parent);
    auto* layout = new QHBoxLayout(container);
    layout->setContentsMargins(0, 0, 0, 0);
    int index = 0;
    for (QWidget* widget : widgets)
        layout->addWidget(widget, index++ == stretchIndex ? 1 : 0);
    return container;
}

} // namespace

void Preferences::buildInterface()
{
    // Takes the focus when the editor opens, so that no field starts in editing.
    m_dummy = named(new QWidget(this), "dummy");
    m_dummy->setFocusPolicy(Qt::StrongFocus);
    m_dummy->setFixedSize(0, 0);

    // The form's table makes its controls; the lines below only place them.
    for (const FormFields::Field& row : FormFields::all()) {
        if (row.kind != FormFields::Kind::Own)
            m_fields.insert(row.key, FieldControls::make(row, this));
    }

    m_titleName = named(new QLineEdit(this), "title_name");
    QFont titleFont = m_titleName->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
    titleFont.setBold(true);
    m_titleName->setFont(titleFont);
    m_titleName->setPlaceholderText(tr("Title"));
    m_titleName->setValidator(new TitleValidator(m_titleName));

    m_gameExe = named(new QLineEdit(this), "game_exe");
    m_gameExe->setPlaceholderText(tr("GAME.EXE, a path below the game folder, or C:\\GAME\\GAME.EXE"));
    m_setupExe = named(new QLineEdit(this), "setup_exe");
    m_cdImage = named(new QLineEdit(this), "cd_image");
    m_cdImage->hide(); // holds the full path; the name is shown in cd_imageless
    m_cdImageless = named(new QLineEdit(this), "cd_imageless");
    m_cdImageless->setReadOnly(true);
    m_cdImageless->setPlaceholderText(tr("No CD image"));
    for (QLineEdit* field : {m_gameExe, m_setupExe, m_cdImageless})
        field->setMinimumWidth(220);

    auto* chooseGame = actionButton(this, "selectGameExe", tr("Choose…"));
    auto* chooseSetup = actionButton(this, "selectSetupExe", tr("Choose…"));
    auto* chooseIso = actionButton(this, "s_iso", tr("Choose…"));
    auto* ejectIso = actionButton(this, "iso_eject", tr("Eject"));
    auto* floppies = actionButton(this, "openFDFolder", tr("Show Floppy Folder"));
    connect(chooseGame, &QPushButton::clicked, this, &Preferences::selectGameExe);
    connect(chooseSetup, &QPushButton::clicked, this, &Preferences::selectSetupExe);
    connect(chooseIso, &QPushButton::clicked, this, &Preferences::selectISOFile);
    connect(ejectIso, &QPushButton::clicked, this, &Preferences::ejectISOFile);
    connect(floppies, &QPushButton::clicked, this, &Preferences::openFDFolder);

    auto* gameGroup = new QGroupBox(tr("Game"), this);
    auto* gameForm = new QFormLayout(gameGroup);
    gameForm->addRow(tr("Program:"), row(this, {m_gameExe, chooseGame}));
    gameForm->addRow(tr("Setup:"), row(this, {m_setupExe, chooseSetup}));
    gameForm->addRow(tr("CD image:"), row(this, {m_cdImageless, chooseIso, ejectIso}));
    gameForm->addRow(tr("Floppies:"), row(this, {floppies, new QWidget(this)}, 1));
    m_mayReachHost =
        named(new QCheckBox(tr("Let this game reach other folders on this computer"), this), "mayReachHost");
    m_mayReachHost->setToolTip(tr("Without it, the game and its start-up commands see only its own drives: "
                                  "they cannot mount other folders, start programs of this computer or "
                                  "write to files through its ports. Turn it on only for a game you trust."));
    gameForm->addRow(QString(), field(QStringLiteral("close_when_ended")));
    gameForm->addRow(QString(), m_mayReachHost);

    const auto labelOf = [](const QString& key) {
        return tr("%1:").arg(FormFields::label(*FormFields::find(key)));
    };

    m_windowWidth = named(new QLineEdit(this), "s_window_width");
    m_windowHeight = named(new QLineEdit(this), "s_window_height");
    for (QLineEdit* field : {m_windowWidth, m_windowHeight}) {
        field->setMaximumWidth(70);
        field->setPlaceholderText(tr("auto"));
    }
    auto* resetResolution = actionButton(this, "resetWindowResolution", tr("1024 × 768"));
    connect(resetResolution, &QPushButton::clicked, this, &Preferences::resetWindowResolution);
    // A field that takes only some values says so beside itself.
    const auto withHint = [this](const QString& key) {
        return FieldControls::withHint(field(key), *FormFields::find(key), this);
    };
    field<QLineEdit>(QStringLiteral("cycles"))->setMaximumWidth(110);
    field<QLineEdit>(QStringLiteral("cycles"))->setPlaceholderText(tr("auto, max or a number"));
    field<QLineEdit>(QStringLiteral("sensitivity"))->setMaximumWidth(70);
    m_glshaders = named(new QComboBox(this), "s_glshaders");

    // Two by two, like the display's: a row of four is wider than half a small screen.
    auto* memoryRow = new QGridLayout;
    memoryRow->addWidget(field(QStringLiteral("xms")), 0, 0);
    memoryRow->addWidget(field(QStringLiteral("ems")), 0, 1);
    memoryRow->addWidget(field(QStringLiteral("umb")), 1, 0);
    memoryRow->addWidget(field(QStringLiteral("ipx")), 1, 1);
    auto* displayGrid = new QGridLayout;
    displayGrid->addWidget(field(QStringLiteral("fullscreen")), 0, 0);
    displayGrid->addWidget(field(QStringLiteral("fulldouble")), 0, 1);
    displayGrid->addWidget(field(QStringLiteral("aspect")), 1, 0);
    displayGrid->addWidget(field(QStringLiteral("autolock")), 1, 1);
    auto* resolutionRow = new QHBoxLayout;
    resolutionRow->addWidget(m_windowWidth);
    resolutionRow->addWidget(new QLabel(QStringLiteral("×"), this));
    resolutionRow->addWidget(m_windowHeight);
    resolutionRow->addWidget(resetResolution);
    resolutionRow->addStretch(1);

    auto* emulatorGroup = new QGroupBox(tr("Emulator"), this);
    auto* emulatorForm = new QFormLayout(emulatorGroup);
    emulatorForm->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    m_glshaders->setMinimumWidth(200);
    m_glshaders->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    emulatorForm->addRow(tr("Memory:"), memoryRow);
    emulatorForm->addRow(tr("Display:"), displayGrid);
    emulatorForm->addRow(tr("Window size:"), resolutionRow);
    emulatorForm->addRow(labelOf(QStringLiteral("machine")), field(QStringLiteral("machine")));
    emulatorForm->addRow(labelOf(QStringLiteral("cycles")), withHint(QStringLiteral("cycles")));
    emulatorForm->addRow(labelOf(QStringLiteral("frameskip")), field(QStringLiteral("frameskip")));
    emulatorForm->addRow(labelOf(QStringLiteral("sensitivity")), withHint(QStringLiteral("sensitivity")));
    emulatorForm->addRow(tr("Shader:"), m_glshaders);

    m_soundcard = named(new QComboBox(this), "s_soundcard");
    m_sbbase = named(new QComboBox(this), "s_sbbase");
    m_irq = named(new QComboBox(this), "s_irq");
    m_dma = named(new QComboBox(this), "s_dma");
    m_hdma = named(new QComboBox(this), "s_hdma");
    m_mt32Support = named(new QCheckBox(tr("Roland MT-32 music"), this), "mt32Support");
    auto* resetSound = actionButton(this, "resetSoundcardSettings", tr("Defaults"));
    connect(resetSound, &QPushButton::clicked, this, &Preferences::resetSoundcardSettings);
    auto* resourceRow = new QGridLayout;
    int resource = 0;
    for (const auto& [label, menu] : {std::pair{tr("Port"), m_sbbase}, std::pair{tr("IRQ"), m_irq},
                                      std::pair{tr("DMA"), m_dma}, std::pair{tr("High DMA"), m_hdma}}) {
        resourceRow->addWidget(new QLabel(label, this), resource / 2, (resource % 2) * 2);
        resourceRow->addWidget(menu, resource / 2, (resource % 2) * 2 + 1);
        ++resource;
    }
    resourceRow->setColumnStretch(4, 1);
    auto* soundGroup = new QGroupBox(tr("Sound"), this);
    auto* soundForm = new QFormLayout(soundGroup);
    soundForm->addRow(tr("Card:"), row(this, {m_soundcard, resetSound}));
    soundForm->addRow(tr("Resources:"), resourceRow);
    soundForm->addRow(QString(), m_mt32Support);

    // The game's program runs between the two: the commands before it, then those after it ends.
    m_beforeGameTextView = named(new QPlainTextEdit(this), "beforeGameTextView");
    m_beforeGameTextView->setPlaceholderText(tr("DOS commands to run before the game starts, one a line"));
    m_autoexecTextView = named(new QPlainTextEdit(this), "autoexecTextView");
    m_autoexecTextView->setPlaceholderText(tr("DOS commands to run after the game ends, one a line"));
    for (QPlainTextEdit* commands : {m_beforeGameTextView, m_autoexecTextView}) {
        commands->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        commands->setMinimumHeight(60);
    }
    auto* autoexecGroup = new QGroupBox(tr("Start-up commands"), this);
    auto* autoexecLayout = new QVBoxLayout(autoexecGroup);
    autoexecLayout->addWidget(new QLabel(tr("Before the game starts:"), this));
    autoexecLayout->addWidget(m_beforeGameTextView);
    autoexecLayout->addWidget(new QLabel(tr("After the game ends:"), this));
    autoexecLayout->addWidget(m_autoexecTextView);

    m_dropTargetView = named<DropTargetView>(new DropTargetView(this), "dropTargetView");
    m_dropTargetViewISO = named<DropTargetView>(new DropTargetViewISO(this), "dropTargetViewISO");
    m_dropTargetView->setPreferencesController(this);
    m_dropTargetViewISO->setPreferencesController(this);
    m_statusLabel = named(new QLabel(this), "statusLabel");
    m_statusLabel->hide();

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* save = buttons->addButton(tr("Save"), QDialogButtonBox::AcceptRole);
    save->setObjectName(QStringLiteral("createConfigFileFromTitle"));
    save->setDefault(true);
    QPushButton* close = buttons->addButton(QDialogButtonBox::Cancel);
    close->setObjectName(QStringLiteral("close_window"));
    connect(save, &QPushButton::clicked, this, &Preferences::createConfigFileFromTitle);
    connect(close, &QPushButton::clicked, this, &Preferences::close_window);

    m_details = new GameDetailsPanel(this);
    auto* left = new QVBoxLayout;
    left->addWidget(gameGroup);
    left->addWidget(m_details);
    left->addWidget(autoexecGroup, 1);
    auto* dropRow = new QHBoxLayout;
    dropRow->addWidget(m_dropTargetView);
    dropRow->addWidget(m_dropTargetViewISO);
    left->addLayout(dropRow);
    auto* right = new QVBoxLayout;
    right->addWidget(emulatorGroup);
    right->addWidget(soundGroup);
    m_otherSettings = new OtherSettingsPanel(this);
    right->addWidget(m_otherSettings, 1);
    // The two columns scroll when the window is smaller than what they hold (a small screen, the
    // other settings opened): nothing is ever squeezed over anything else.
    auto* content = new QWidget(this);
    auto* columns = new QHBoxLayout(content);
    columns->setContentsMargins(0, 0, 0, 0);
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);
    auto* scroll = named(new QScrollArea(this), "settingsScrollArea");
    scroll->setWidget(content);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    auto* bottom = new QHBoxLayout;
    m_copyProgress = named(new QProgressBar(this), "copyProgress");
    m_copyProgress->setTextVisible(false);
    m_copyProgress->setMaximumWidth(160);
    m_copyProgress->hide();
    m_cancelCopyButton = named(new QPushButton(tr("Stop Copying"), this), "cancelCopyButton");
    m_cancelCopyButton->hide();
    connect(m_cancelCopyButton, &QPushButton::clicked, this, &Preferences::cancelCopies);
    bottom->addWidget(m_statusLabel, 1);
    bottom->addWidget(m_copyProgress);
    bottom->addWidget(m_cancelCopyButton);
    bottom->addWidget(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_dummy);
    layout->addWidget(m_titleName);
    layout->addWidget(scroll, 1);
    layout->addLayout(bottom);
    // As wide as the form needs in the language in use (German labels are longer), and never less
    // than 1000 × 640; the screen it opens on may make it smaller again, the columns then scroll.
    const QSize needed = content->sizeHint() + QSize(2 * layout->contentsMargins().left() + 24, 0);
    resize(std::max(1000, needed.width()), 640);
}
