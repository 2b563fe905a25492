#include "settings/widgets/Preferences.h"

#include "library/CueSheet.h"
#include "library/EntryCreation.h"
#include "library/GameExePath.h"
#include "library/HostAccess.h"
#include "library/LibraryLayout.h"
#include "library/Mt32Folder.h"
#include "platform/Diagnostics.h"
#include "platform/FilePanel.h"
#include "platform/Paths.h"
#include "platform/Prompter.h"
#include "platform/SystemServices.h"
#include "platform/TextFile.h"
#include "platform/WindowSize.h"
#include "settings/GameFiles.h"
#include "settings/OtherSettings.h"
#include "settings/SoundSettings.h"
#include "settings/widgets/FieldControls.h"
#include "settings/widgets/GameDetailsPanel.h"
#include "settings/widgets/OtherSettingsPanel.h"
#include "settings/widgets/SoundMenus.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QShowEvent>

Preferences::Preferences(Host host, QString shaderFolder, QWidget* parent)
    : QDialog(parent), m_host(host), m_shaderFolder(std::move(shaderFolder))
{
    setObjectName(QStringLiteral("PreferencesWindow"));
    setWindowTitle(tr("Game Settings"));
    buildInterface();

    SoundMenus{m_soundcard, m_sbbase, m_irq, m_dma, m_hdma}.setupInitialSoundMenus();
    checkTwoROMFilesInMt32();
    populateGLShaderMenu(m_glshaders);
}

void Preferences::loadConfigFile(const QString& path)
{
    const TextFile::ReadResult read = TextFile::readUtf8(path);
    if (!read.ok())
        return;
    const GameForm values = SettingsForm::load(read.text, EntryCreation::templateText().value_or(QString()));
    m_loadedText = read.text;
    m_mayReachHost->setChecked(HostAccess::isAllowed(path));

    // A value the menu lacks, or none, selects its first item.
    const auto select = [](QComboBox* menu, const QString& value) {
        menu->setCurrentIndex(value.isEmpty() ? 0 : std::max(0, menu->findText(value)));
    };
    select(m_soundcard, values.soundCard);
    const std::pair<QComboBox*, const QString*> resources[] = {
        {m_sbbase, &values.sbbase}, {m_irq, &values.irq}, {m_dma, &values.dma}, {m_hdma, &values.hdma}};
    for (const auto& [menu, value] : resources)
        select(menu, *value);

    m_details->setDetails(values.details);
    m_titleName->setText(values.title);
    m_gameExe->setText(values.gameExe);
    m_setupExe->setText(values.setupExe);
    m_cdImage->setText(values.cdImage);
    for (const FormFields::Field& row : FormFields::all()) {
        if (QWidget* control = field(row.key))
            FieldControls::show(control, row, values.field(row.key));
    }
    m_mt32Support->setChecked(values.mt32);
    select(m_glshaders, values.glshader);
    if (!values.windowWidth.isEmpty()) {
        m_windowWidth->setText(values.windowWidth);
        m_windowHeight->setText(values.windowHeight);
    }
    if (!values.beforeGame.isEmpty())
        m_beforeGameTextView->setPlainText(values.beforeGame);
    if (!values.autoexec.isEmpty())
        m_autoexecTextView->setPlainText(values.autoexec);
    m_otherSettings->setText(values.otherSettings);
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
    FilePanel::Request request{tr("Choose Game EXE"),
                               {QStringLiteral("exe"), QStringLiteral("com"), QStringLiteral("bat")},
                               QString()};
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
    // Many games start, and set up, with a .COM program.
    m_host.filePanel.chooseFile({tr("Choose Setup EXE"),
                                 {QStringLiteral("exe"), QStringLiteral("com"), QStringLiteral("bat")},
                                 QString()},
                                [editor](const QString& path) {
                                    if (editor)
                                        editor->m_setupExe->setText(QFileInfo(path).absoluteFilePath());
                                });
}

void Preferences::selectISOFile()
{
    const QPointer<Preferences> editor(this);
    m_host.filePanel.chooseFile({tr("Choose CD Image"),
                                 {QStringLiteral("iso"), QStringLiteral("cue"), QStringLiteral("ins"),
                                  QStringLiteral("inst"), QStringLiteral("dat")},
                                 QString()},
                                [editor](const QString& chosen) {
                                    if (!editor)
                                        return;
                                    // A store's sheet in the library is mounted through Tandril's mended copy
                                    // beside it; nothing is written into the user's other folders.
                                    QString path = QFileInfo(chosen).absoluteFilePath();
                                    if (CueSheet::isSheet(path) &&
                                        path.startsWith(QDir::cleanPath(Paths::libraryFolder()) + u'/'))
                                        path = CueSheet::mountablePath(path, nullptr).value_or(path);
                                    editor->m_cdImage->setText(path);
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
    if (const std::optional<QString> shortened = GameExePath::shortFolderNames(m_gameExe->text()))
        m_gameExe->setText(*shortened);
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

GameForm Preferences::form() const
{
    GameForm form;
    form.title = m_titleName->text();
    form.gameExe = m_gameExe->text();
    form.setupExe = m_setupExe->text();
    form.cdImage = m_cdImage->text();
    form.mayReachHost = m_mayReachHost->isChecked();
    for (const FormFields::Field& row : FormFields::all()) {
        if (const QWidget* control = field(row.key))
            form.fields.insert(row.key, FieldControls::read(control, row));
    }
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
    form.beforeGame = m_beforeGameTextView->toPlainText();
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
    GameForm form = this->form();
    if (const std::optional<QString> shortened = GameExePath::shortFolderNames(form.gameExe))
        form.gameExe = *shortened;
    switch (SettingsSaver::save(form, m_configFile, m_mt32SupportEnabled, m_host.prompter, m_loadedText)) {
    case SettingsSaver::Outcome::Saved:
        m_configFile = LibraryLayout::configFilePath(Paths::libraryFolder(),
                                                     LibraryLayout::baseNameForTitle(form.title.trimmed()));
        accept();
        break;
    case SettingsSaver::Outcome::Reload:
        loadConfigFile(m_configFile);
        break;
    case SettingsSaver::Outcome::KeepEditorOpen:
        break;
    }
}

void Preferences::close_window()
{
    reject();
}

void Preferences::reject()
{
    // A copy into the game folder finishes before the editor closes: the game may be renamed or
    // deleted as soon as it has.
    if (m_copiesRunning) {
        m_closeWhenCopied = true;
        m_statusLabel->setText(tr("Please wait: files are still being copied."));
        m_statusLabel->show();
        return;
    }
    // Escape, Close and the window's close button never throw edits away without asking.
    if (!m_checking && form() != m_loadedForm) {
        const int answer = m_host.prompter.ask(
            {tr("Save changes to \"%1\"?")
                 .arg(m_previouslyLoadedTitle.isEmpty() ? m_titleName->text() : m_previouslyLoadedTitle),
             tr("Your changes to the game's settings are lost unless you save them."),
             Prompter::Style::Warning,
             {tr("Save"), tr("Don't Save"), tr("Cancel")},
             2});
        if (answer == 0)
            createConfigFileFromTitle(); // closes once saved
        if (answer != 1)
            return;
    }
    QDialog::reject();
}
