#include "settings/Preferences.h"

#include "library/EntryCreation.h"
#include "library/LibraryLayout.h"
#include "library/Mt32Folder.h"
#include "platform/BackgroundTask.h"
#include "platform/Diagnostics.h"
#include "platform/FilePanel.h"
#include "platform/Paths.h"
#include "platform/Prompter.h"
#include "platform/SystemServices.h"
#include "platform/TextFile.h"
#include "platform/WindowSize.h"
#include "settings/DropTargetView.h"
#include "settings/GameDetailsPanel.h"
#include "settings/GameFiles.h"
#include "settings/OtherSettings.h"
#include "settings/OtherSettingsPanel.h"
#include "settings/SoundMenus.h"
#include "settings/SoundSettings.h"
#include "settings/TitleValidator.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>

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

Preferences::Preferences(Host host, QString shaderFolder, QWidget* parent)
    : QDialog(parent), m_host(host), m_shaderFolder(std::move(shaderFolder))
{
    setObjectName(QStringLiteral("PreferencesWindow"));
    setWindowTitle(tr("Game Settings"));
    buildInterface();

    m_frameskip->addItems(SettingsForm::frameskipItems());
    SoundMenus{m_soundcard, m_sbbase, m_irq, m_dma, m_hdma}.setupInitialSoundMenus();
    checkTwoROMFilesInMt32();
    populateGLShaderMenu(m_glshaders);
}

void Preferences::buildInterface()
{
    // Takes the focus when the editor opens, so that no field starts in editing.
    m_dummy = named(new QWidget(this), "dummy");
    m_dummy->setFocusPolicy(Qt::StrongFocus);
    m_dummy->setFixedSize(0, 0);

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

    // The eight on/off options, bound to their keys by one table.
    for (const SettingsForm::CheckboxBinding& binding : SettingsForm::checkboxMapping()) {
        auto* box = new QCheckBox(this);
        box->setObjectName(binding.objectName);
        m_checkboxMapping.append({box, binding.key});
    }
    checkbox(QStringLiteral("xms"))->setText(tr("XMS memory"));
    checkbox(QStringLiteral("ems"))->setText(tr("EMS memory"));
    checkbox(QStringLiteral("umb"))->setText(tr("Upper memory blocks"));
    checkbox(QStringLiteral("ipx"))->setText(tr("IPX network"));
    checkbox(QStringLiteral("fullscreen"))->setText(tr("Full screen"));
    checkbox(QStringLiteral("fulldouble"))->setText(tr("Double buffering"));
    checkbox(QStringLiteral("aspect"))->setText(tr("Correct aspect ratio"));
    checkbox(QStringLiteral("autolock"))->setText(tr("Capture mouse on click"));

    m_windowWidth = named(new QLineEdit(this), "s_window_width");
    m_windowHeight = named(new QLineEdit(this), "s_window_height");
    for (QLineEdit* field : {m_windowWidth, m_windowHeight}) {
        field->setMaximumWidth(70);
        field->setPlaceholderText(tr("auto"));
    }
    auto* resetResolution = actionButton(this, "resetWindowResolution", tr("1024 × 768"));
    connect(resetResolution, &QPushButton::clicked, this, &Preferences::resetWindowResolution);
    m_frameskip = named(new QComboBox(this), "s_frameskip");
    m_cycles = named(new QLineEdit(this), "s_cycles");
    m_cycles->setMaximumWidth(110);
    connect(m_cycles, &QLineEdit::textEdited, this, &Preferences::cyclesEdited);
    m_sensitivity = named(new QLineEdit(this), "s_sensitivity");
    m_sensitivity->setMaximumWidth(70);
    connect(m_sensitivity, &QLineEdit::textEdited, this, &Preferences::sensitivityEdited);
    m_glshaders = named(new QComboBox(this), "s_glshaders");

    // Two by two, like the display's: a row of four is wider than half a small screen.
    auto* memoryRow = new QGridLayout;
    memoryRow->addWidget(checkbox(QStringLiteral("xms")), 0, 0);
    memoryRow->addWidget(checkbox(QStringLiteral("ems")), 0, 1);
    memoryRow->addWidget(checkbox(QStringLiteral("umb")), 1, 0);
    memoryRow->addWidget(checkbox(QStringLiteral("ipx")), 1, 1);
    auto* displayGrid = new QGridLayout;
    displayGrid->addWidget(checkbox(QStringLiteral("fullscreen")), 0, 0);
    displayGrid->addWidget(checkbox(QStringLiteral("fulldouble")), 0, 1);
    displayGrid->addWidget(checkbox(QStringLiteral("aspect")), 1, 0);
    displayGrid->addWidget(checkbox(QStringLiteral("autolock")), 1, 1);
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
    emulatorForm->addRow(tr("CPU cycles:"), m_cycles);
    emulatorForm->addRow(tr("Frame skip:"), m_frameskip);
    emulatorForm->addRow(tr("Mouse sensitivity:"), m_sensitivity);
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

    m_autoexecTextView = named(new QPlainTextEdit(this), "autoexecTextView");
    m_autoexecTextView->setPlaceholderText(tr("DOS commands to run after the game starts, one a line"));
    m_autoexecTextView->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    auto* autoexecGroup = new QGroupBox(tr("Start-up commands"), this);
    auto* autoexecLayout = new QVBoxLayout(autoexecGroup);
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
    resize(1000, 640);
}

QCheckBox* Preferences::checkbox(const QString& key) const
{
    for (const auto& [box, boxKey] : m_checkboxMapping) {
        if (boxKey == key)
            return box;
    }
    return nullptr;
}

void Preferences::loadConfigFile(const QString& path)
{
    const TextFile::ReadResult read = TextFile::readUtf8(path);
    if (!read.ok())
        return;
    const SettingsForm::LoadedValues values = SettingsForm::load(read.text);

    int cardIndex = 0;
    if (values.sbtype) {
        if (const std::optional<QString> title =
                SoundSettings::titleForSbtype(*values.sbtype, SoundSettings::soundCardOptions()))
            cardIndex = std::max(0, m_soundcard->findText(*title));
    }
    m_soundcard->setCurrentIndex(cardIndex);
    const std::pair<QComboBox*, const std::optional<QString>*> resources[] = {
        {m_sbbase, &values.sbbase}, {m_irq, &values.irq}, {m_dma, &values.dma}, {m_hdma, &values.hdma}};
    for (const auto& [menu, value] : resources)
        menu->setCurrentIndex(*value ? std::max(0, menu->findText(**value)) : 0);

    m_details->setDetails(values.details);
    m_titleName->setText(values.title);
    m_gameExe->setText(values.gameExe);
    m_setupExe->setText(values.setupExe);
    m_cdImage->setText(values.cdImage);
    m_cycles->setText(values.cycles);
    m_sensitivity->setText(values.sensitivity);
    for (const auto& [box, key] : std::as_const(m_checkboxMapping))
        box->setChecked(values.checkValues.value(key, false));
    m_frameskip->setCurrentIndex(std::max(0, m_frameskip->findText(values.frameskip)));
    m_mt32Support->setChecked(values.mt32);
    if (!values.glshader) {
        m_glshaders->setCurrentIndex(0);
    } else {
        const QString name = SettingsForm::shaderName(*values.glshader);
        const int index = name.isEmpty() ? -1 : m_glshaders->findText(name);
        m_glshaders->setCurrentIndex(std::max(0, index));
    }
    if (values.windowResolution) {
        m_windowWidth->setText(values.windowResolution->first);
        m_windowHeight->setText(values.windowResolution->second);
    }
    if (values.autoexec)
        m_autoexecTextView->setPlainText(*values.autoexec);
    m_otherSettings->setText(
        OtherSettings::fromConfig(read.text, EntryCreation::templateText().value_or(QString())));
    m_titleName->setText(values.title);
    m_previouslyLoadedTitle = values.title;
    m_configFile = path;
    updateCDImageDisplay();
    m_loadedForm = form();
}

void Preferences::populateGLShaderMenu(QComboBox* menu)
{
    menu->clear();
    const std::variant<QList<GameFiles::Shader>, QString> names = GameFiles::shaderNames(m_shaderFolder);
    if (const auto* error = std::get_if<QString>(&names)) {
        logLine(QStringLiteral("❌ Error loading shader files: ") + *error);
        return;
    }
    menu->addItem(SettingsForm::noShaderTitle());
    menu->insertSeparator(1);
    for (const GameFiles::Shader& shader : std::get<QList<GameFiles::Shader>>(names))
        menu->addItem(shader.name, shader.builtIn);
    menu->setCurrentIndex(0);
}

void Preferences::updateCDImageDisplay()
{
    m_cdImageless->setText(GameFiles::cdImageDisplayName(m_cdImage->text()));
    m_cdImageless->setToolTip(m_cdImage->text().trimmed());
}

void Preferences::checkTwoROMFilesInMt32()
{
    const bool available = Mt32Folder::hasTwoRomFiles();
    QMetaObject::invokeMethod(
        this,
        [this, available] {
            m_mt32Support->setEnabled(available);
            m_mt32SupportEnabled = available;
        },
        Qt::QueuedConnection);
}

void Preferences::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Fits the screen it opens on (1280 × 800 included); the columns scroll inside.
    if (!event->spontaneous() && screen())
        resize(fittedWindowSize({}, size(), minimumSize(), QWIDGETSIZE_MAX, screen()->availableGeometry()));
    m_dummy->setFocus();
    updateCDImageDisplay();
    m_titleName->setFrame(false);
    m_titleName->setStyleSheet(QStringLiteral("QLineEdit { background: transparent; }"));
    checkTwoROMFilesInMt32();
}

void Preferences::showAlert(const QString& title, const QString& message)
{
    // The editor's alerts are modal: they block until dismissed.
    m_host.prompter.ask({title, message, Prompter::Style::Warning, {tr("OK")}});
}

void Preferences::selectGameExe()
{
    FilePanel::Request request{
        tr("Choose Game EXE"), {QStringLiteral("exe"), QStringLiteral("bat")}, QString()};
    const QString title = m_titleName->text().trimmed();
    if (!title.isEmpty()) {
        const QString gameFolder =
            LibraryLayout::gameFolder(Paths::libraryFolder(), LibraryLayout::baseNameForTitle(title));
        if (QFileInfo(gameFolder).isDir())
            request.startFolder = gameFolder;
    }
    const QPointer<Preferences> editor(this);
    m_host.filePanel.chooseFile(request, [editor](const QString& path) {
        if (editor)
            editor->m_gameExe->setText(GameFiles::storedGameExePath(QFileInfo(path).absoluteFilePath()));
    });
}

void Preferences::selectSetupExe()
{
    const QPointer<Preferences> editor(this);
    m_host.filePanel.chooseFile({tr("Choose Setup EXE"), {QStringLiteral("exe")}, QString()},
                                [editor](const QString& path) {
                                    if (editor)
                                        editor->m_setupExe->setText(QFileInfo(path).absoluteFilePath());
                                });
}

void Preferences::selectISOFile()
{
    const QPointer<Preferences> editor(this);
    m_host.filePanel.chooseFile(
        {tr("Choose CD Image"), {QStringLiteral("iso"), QStringLiteral("cue")}, QString()},
        [editor](const QString& path) {
            if (!editor)
                return;
            editor->m_cdImage->setText(QFileInfo(path).absoluteFilePath());
            editor->m_cdImageless->setText(QFileInfo(path).fileName());
        });
}

void Preferences::ejectISOFile()
{
    m_cdImage->clear();
    m_cdImageless->clear();
}

void Preferences::fixGameExePath()
{
    if (const std::optional<QString> shortened = GameFiles::shortFolderNames(m_gameExe->text()))
        m_gameExe->setText(*shortened);
}

void Preferences::sensitivityEdited(const QString& text)
{
    const GameFiles::SensitivityFilter filtered = GameFiles::filterSensitivity(text);
    if (filtered.invalid)
        showAlert(tr("Invalid Input"), tr("Please enter a whole number between -1000 and 1000."));
    m_sensitivity->setText(filtered.text);
}

void Preferences::cyclesEdited(const QString& text)
{
    const GameFiles::CyclesFilter filtered = GameFiles::filterCycles(text);
    if (filtered.invalid)
        showAlert(tr("Invalid Input"), tr("Please enter a numeric value between 0 and 1000000."));
    m_cycles->setText(filtered.text);
}

void Preferences::openFDFolder()
{
    const QString folder = GameFiles::floppyFolderForTitle(m_titleName->text());
    if (QFileInfo::exists(folder))
        m_host.services.openFolder(folder);
    else
        logLine(QStringLiteral("⚠️ FLOPPIES folder not found: ") + folder);
}

void Preferences::resetWindowResolution()
{
    m_windowWidth->setText(QStringLiteral("1024"));
    m_windowHeight->setText(QStringLiteral("768"));
}

void Preferences::resetSoundcardSettings()
{
    SoundMenus{m_soundcard, m_sbbase, m_irq, m_dma, m_hdma}.reset(SoundSettings::DefaultSbtype,
                                                                  m_host.prompter);
}

SettingsSaver::Form Preferences::form() const
{
    SettingsSaver::Form form;
    form.title = m_titleName->text();
    form.gameExe = m_gameExe->text();
    form.setupExe = m_setupExe->text();
    form.cdImage = m_cdImage->text();
    for (const auto& [box, key] : m_checkboxMapping)
        form.checkboxes.insert(key, box->isChecked());
    form.frameskip = m_frameskip->currentText();
    form.cycles = m_cycles->text();
    form.sensitivity = m_sensitivity->text();
    form.windowWidth = m_windowWidth->text();
    form.windowHeight = m_windowHeight->text();
    form.mt32 = m_mt32Support->isChecked();
    form.soundCard = m_soundcard->currentText();
    form.sbbase = m_sbbase->currentText();
    form.irq = m_irq->currentText();
    form.dma = m_dma->currentText();
    form.hdma = m_hdma->currentText();
    form.glshader = m_glshaders->currentText();
    form.glshaderBuiltIn = m_glshaders->currentData().toBool();
    form.autoexec = m_autoexecTextView->toPlainText();
    form.otherSettings = m_otherSettings->text();
    form.details = m_details->details();
    return form;
}

void Preferences::createConfigFileFromTitle()
{
    if (m_copiesRunning) {
        m_statusLabel->setText(tr("Please wait: files are still being copied."));
        m_statusLabel->show();
        return;
    }
    if (m_checking)
        return;
    checkOtherSettingsThenSave();
}

void Preferences::saveForm()
{
    // The form stays as typed until the save has worked.
    SettingsSaver::Form form = this->form();
    if (const std::optional<QString> shortened = GameFiles::shortFolderNames(form.gameExe))
        form.gameExe = *shortened;
    if (SettingsSaver::save(form, m_configFile, m_mt32SupportEnabled, m_host.prompter) ==
        SettingsSaver::Outcome::Saved)
        accept();
}

void Preferences::close_window()
{
    reject();
}
