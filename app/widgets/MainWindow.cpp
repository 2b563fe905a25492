#include "app/widgets/MainWindow.h"

#include "app/widgets/DetailsPanel.h"
#include "app/widgets/DosboxChoiceDialog.h"
#include "app/widgets/EnterTitleController.h"
#include "app/widgets/LibraryActions.h"
#include "app/widgets/LibraryFilterModel.h"
#include "app/widgets/LibraryTableModel.h"
#include "app/widgets/StatusLight.h"
#include "exchange/JobQueue.h"
#include "exchange/ProgressJob.h"
#include "library/EntryCreation.h"
#include "library/EntryDeletion.h"
#include "library/LibraryLayout.h"
#include "library/LibraryLoader.h"
#include "library/Mt32Folder.h"
#include "library/PlayRecord.h"
#include "platform/ConfigNotifier.h"
#include "platform/FilePanel.h"
#include "platform/Paths.h"
#include "platform/PreferredLanguages.h"
#include "platform/ProcessRunner.h"
#include "platform/Prompter.h"
#include "platform/SystemServices.h"
#include "platform/WindowSize.h"
#include "settings/ProgramChoice.h"
#include "settings/widgets/Preferences.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// Outside changes come in bursts (a file and a folder, a lock file): one reload for each burst.
constexpr int ReloadDelayMilliseconds = 250;

} // namespace

MainWindow::MainWindow(Host host, Emulator emulator, QWidget* parent)
    : QWidget(parent), m_host(host), m_emulator(emulator),
      m_launcher(m_emulator, host.prompter, host.services, preferredLanguages, &host.filePanel)
{
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(tr("Tandril"));
    m_processRunner = new ProcessRunner(this);
    buildInterface();
    followJobs();
    connectCommands();

    Mt32Folder::createIfNeeded();
    loadConfigFiles();
    watchLibrary();
    watchMt32Folder();
    // The play time shown follows a game's end at once, not only the window's next activation.
    m_launcher.setPlayRecorded([window = QPointer<MainWindow>(this)] {
        if (!window)
            return; // a game that outlived its window
        window->m_model->setPlayRecords(PlayRecord::all());
        window->updateDetailsPanel();
        if (window->m_watchingAfterClose && !window->isVisible() && !window->m_launcher.hasRunning())
            Q_EMIT window->watchingEnded();
    });
    connect(&ConfigNotifier::instance(), &ConfigNotifier::tandrilConfigUpdated, this,
            &MainWindow::reloadTable);
}

MainWindow::~MainWindow() = default;

const QList<ConfigEntry>& MainWindow::configEntries() const
{
    return m_model->configEntries();
}

int MainWindow::selectedRow() const
{
    const QItemSelectionModel* selection = m_tableView->selectionModel();
    const QModelIndex current = selection->currentIndex();
    QModelIndex shown;
    if (current.isValid() && selection->isRowSelected(current.row(), {})) {
        shown = current;
    } else {
        const QModelIndexList rows = selection->selectedRows();
        if (rows.isEmpty())
            return -1;
        shown = rows.last();
    }
    return m_filter->mapToSource(shown).row();
}

std::optional<ConfigEntry> MainWindow::selectedConfig() const
{
    const int row = selectedRow();
    if (row < 0 || row >= configEntries().size())
        return std::nullopt;
    return configEntries().at(row);
}

void MainWindow::showAlert(const QString& title, const QString& message)
{
    m_host.prompter.showAlert(title, message);
}

void MainWindow::loadConfigFiles()
{
    QByteArray signature;
    std::optional<QList<ConfigEntry>> entries = LibraryLoader::load(Paths::libraryFolder(), &signature);
    if (!entries)
        return; // a library that cannot be listed leaves the previous list shown
    m_librarySignature = signature;
    // A reload keeps the game that was selected, the header's sort and where the table was
    // scrolled to; the first load restores the remembered game.
    const std::optional<ConfigEntry> previous = selectedConfig();
    const int scrolled = m_tableView->verticalScrollBar()->value();
    m_model->setPlayRecords(PlayRecord::all());
    m_model->setConfigEntries(std::move(*entries));
    updateCount();
    updateAllButtonStates();
    if (previous) {
        selectConfigFile(previous->filePath, false);
        m_tableView->verticalScrollBar()->setValue(scrolled);
    } else if (const std::optional<int> row =
                   LibraryLoader::rowToRestore(m_defaults.lastSelectedConfigRow(), m_model->rowCount())) {
        selectRow(*row);
    }
    updateDetailsPanel();
}

void MainWindow::reloadTable()
{
    loadConfigFiles();
}

void MainWindow::watchLibrary()
{
    m_watcher = new QFileSystemWatcher(this);
    m_reloadTimer = new QTimer(this);
    m_reloadTimer->setSingleShot(true);
    m_reloadTimer->setInterval(ReloadDelayMilliseconds);
    connect(m_reloadTimer, &QTimer::timeout, this, [this] {
        // Tandril's own lock and working files change the folder too; they change no game.
        if (LibraryLoader::listingSignature(Paths::libraryFolder()) != m_librarySignature)
            loadConfigFiles();
    });
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, this, [this] {
        if (m_watcher->directories().isEmpty())
            m_watcher->addPath(Paths::libraryFolder()); // made again after it was gone
        m_reloadTimer->start();
    });
    if (QFileInfo(Paths::libraryFolder()).isDir())
        m_watcher->addPath(Paths::libraryFolder());
}

void MainWindow::watchMt32Folder()
{
    // The MT-32 light follows ROM files put in, taken out or rewritten; a file still being
    // copied is looked at again a little later.
    auto* watcher = new QFileSystemWatcher(this);
    auto* later = new QTimer(this);
    later->setSingleShot(true);
    later->setInterval(ReloadDelayMilliseconds);
    const auto watchFiles = [watcher] {
        const QDir folder(Mt32Folder::path());
        if (folder.exists())
            watcher->addPath(folder.path());
        for (const QString& name : folder.entryList(QDir::Files))
            watcher->addPath(folder.filePath(name));
    };
    connect(later, &QTimer::timeout, this, &MainWindow::checkTwoROMFilesInMt32);
    connect(watcher, &QFileSystemWatcher::directoryChanged, this, [this, later, watchFiles] {
        watchFiles();
        checkTwoROMFilesInMt32();
        later->start();
    });
    connect(watcher, &QFileSystemWatcher::fileChanged, later, qOverload<>(&QTimer::start));
    watchFiles();
}

void MainWindow::selectRow(int sourceRow, bool scroll)
{
    const QModelIndex index =
        m_filter->mapFromSource(m_model->index(sourceRow, LibraryTableModel::TitleColumn));
    if (!index.isValid())
        return;
    m_tableView->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                              QItemSelectionModel::Rows);
    if (scroll)
        m_tableView->scrollTo(index);
}

void MainWindow::selectConfigFile(const QString& configFile, bool scroll)
{
    const QList<ConfigEntry>& entries = configEntries();
    const auto found = std::find_if(entries.cbegin(), entries.cend(),
                                    [&](const ConfigEntry& entry) { return entry.filePath == configFile; });
    if (found == entries.cend())
        return;
    const int row = int(found - entries.cbegin());
    // A game the search hides is shown by clearing the search.
    if (!m_filter->mapFromSource(m_model->index(row, 0)).isValid())
        m_searchField->clear();
    selectRow(row, scroll);
    m_defaults.setLastSelectedConfigRow(row);
}

void MainWindow::updateCount()
{
    m_gameCount->setText(m_filter->countText());
}

void MainWindow::tableSelectionChanged()
{
    updateAllButtonStates();
    updateDetailsPanel();
    const int row = selectedRow();
    if (row < 0)
        m_defaults.removeLastSelectedConfigRow();
    else
        m_defaults.setLastSelectedConfigRow(row);
}

void MainWindow::updateDetailsPanel()
{
    if (m_detailsPanel->isHidden())
        return; // brought up to date when shown
    const std::optional<ConfigEntry> entry = selectedConfig();
    m_detailsPanel->showGame(
        entry,
        entry ? LibraryLayout::gameFolderOfConfigFile(Paths::libraryFolder(), entry->filePath) : QString(),
        entry ? m_model->playRecord(*entry) : PlayRecord::Record{});
}

void MainWindow::updateAllButtonStates()
{
    const int selectedCount = int(m_tableView->selectionModel()->selectedRows().size());
    applyButtonStates(
        ButtonRules::evaluate(selectedCount, selectedConfig(),
                              m_jobs->isRunning() ? std::optional(m_jobs->busyConfigFile()) : std::nullopt));
}

void MainWindow::applyButtonStates(const ButtonStates& given)
{
    // The buttons follow their actions.
    m_actions->apply(given);
}

bool MainWindow::checkTwoROMFilesInMt32()
{
    return showMt32Status().ready;
}

Mt32Folder::Check MainWindow::showMt32Status()
{
    const Mt32Folder::Check roms = Mt32Folder::check();
    m_mt32RomStatus->setPixmap(statusLight(roms.ready, 16, devicePixelRatioF()));
    m_mt32RomStatus->setProperty("available", roms.ready);
    m_mt32RomStatus->setToolTip(roms.ready ? tr("The MT-32 ROM files are in place.") : roms.problem);
    return roms;
}

void MainWindow::selectMT32Roms()
{
    Mt32Folder::createIfNeeded();
    const QString folder = Mt32Folder::path();
    const bool shown = m_host.services.openFolder(folder);
    const Mt32Folder::Check roms = showMt32Status();
    // Without a file manager the folder's path is said, so that the files can be put there.
    if (!shown)
        showAlert(
            tr("MT-32 ROM Folder"),
            tr("No file manager could be started. Put the ROM files into this folder:\n%1").arg(folder) +
                (roms.ready ? QString() : QStringLiteral("\n\n") + roms.problem));
    else if (!roms.ready)
        showAlert(tr("Attention"), roms.problem);
}

void MainWindow::showAbout()
{
    const std::optional<QString> emulator = m_emulator.executable();
    m_host.prompter.showSuccess(
        tr("About Tandril"),
        tr("Tandril %1\nA library of DOS games for DOSBox-X.\n\nDOSBox-X: %2")
            .arg(QStringLiteral(TANDRIL_VERSION), emulator ? *emulator : tr("not found")));
}

void MainWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    // Shown again while it watched the games it started: closing is the window's again.
    m_watchingAfterClose = false;
    QApplication::setQuitOnLastWindowClosed(true);
    checkTwoROMFilesInMt32();
    m_tableView->setFocus(); // type-to-find works at once
    // A small or scaled screen (1280 pixels at a scale of 2) still shows every button.
    const QRect available = screen() ? screen()->availableGeometry() : QRect();
    if (!available.isEmpty())
        setMinimumSize(std::min(MinimumWidth, available.width()),
                       std::min(MinimumHeight, available.height()));
    resize(fittedWindowSize({qRound(m_defaults.mainWindowWidth()), qRound(m_defaults.mainWindowHeight())},
                            size(), {MinimumWidth, MinimumHeight}, MaximumHeight, available));
}

void MainWindow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    // Back from a game: its play time and last played are shown as they now are.
    // Screenshots taken meanwhile are shown too, and games another program wrote in place (which
    // the folder's watch does not see).
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        if (m_reloadTimer)
            m_reloadTimer->start();
        m_model->setPlayRecords(PlayRecord::all());
        updateDetailsPanel();
        if (!m_detailsPanel->isHidden())
            m_detailsPanel->refreshPictures();
    }
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    m_defaults.setMainWindowHeight(height());
    m_defaults.setMainWindowWidth(width());
    // A game still running keeps Tandril, without its window, until it ends: its play time is
    // recorded then, as when the window stays open.
    m_watchingAfterClose = m_launcher.hasRunning();
    QApplication::setQuitOnLastWindowClosed(!m_watchingAfterClose);
    QWidget::closeEvent(event);
}

void MainWindow::launchGame()
{
    m_launcher.launch(LaunchMode::Game, selectedConfig());
}

void MainWindow::chooseGameProgram()
{
    const std::optional<ConfigEntry> entry = selectedConfig();
    if (!entry)
        return;
    const QString gameFolder = LibraryLayout::gameFolderOfConfigFile(Paths::libraryFolder(), entry->filePath);
    const QPointer<MainWindow> window(this);
    m_host.filePanel.chooseFile({tr("Choose the Game's Program"),
                                 {QStringLiteral("exe"), QStringLiteral("com"), QStringLiteral("bat")},
                                 gameFolder},
                                [window, configFile = entry->filePath](const QString& program) {
                                    if (!window)
                                        return;
                                    if (const std::optional<QString> error =
                                            ProgramChoice::setGameProgram(configFile, program)) {
                                        window->showAlert(tr("Program Not Set"), *error);
                                        return;
                                    }
                                    window->updateAllButtonStates();
                                });
}

void MainWindow::launchSetup()
{
    m_launcher.launch(LaunchMode::Setup, selectedConfig());
}

void MainWindow::launchMSDos()
{
    m_launcher.launch(LaunchMode::DosPrompt, selectedConfig());
}

void MainWindow::gotoDriveC()
{
    m_launcher.gotoDriveC(selectedConfig());
}

void MainWindow::askForTitleAndCreateEntry()
{
    auto* sheet = new EnterTitleController(this);
    sheet->setAttribute(Qt::WA_DeleteOnClose);
    sheet->setWindowModality(Qt::WindowModal);
    const QPointer<MainWindow> window(this);
    sheet->setCompletionHandler([window](const std::optional<QString>& title) {
        if (title && window)
            window->createConfigEntryAndFolder(*title);
    });
    sheet->open();
}

void MainWindow::createConfigEntryAndFolder(const QString& title)
{
    const std::optional<QString> configFile =
        EntryCreation::createConfigEntryAndFolder(title, m_host.prompter);
    if (!configFile)
        return;
    loadConfigFiles();
    selectConfigFile(*configFile);
}

void MainWindow::showDosboxChoice()
{
    auto* dialog = new DosboxChoiceDialog(m_emulator, m_host.prompter, m_host.filePanel, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::WindowModal);
    dialog->open();
}

void MainWindow::deleteSelectedEntry()
{
    const int row = selectedRow();
    const std::optional<ConfigEntry> entry = selectedConfig();
    if (EntryDeletion::deleteSelectedEntry(row < 0 ? std::nullopt : entry, m_host.prompter) !=
        EntryDeletion::Outcome::Deleted)
        return;
    m_model->removeEntry(row);
    updateCount();
    updateAllButtonStates();
}

Preferences* MainWindow::preferencesWindowController() const
{
    return m_preferencesWindowController;
}

void MainWindow::openPreferencesClicked()
{
    const std::optional<ConfigEntry> entry = selectedConfig();
    if (!entry) {
        showAlert(tr("No Selection"), tr("Please select an entry from the list before opening preferences."));
        return;
    }
    auto* editor = new Preferences(m_host, m_emulator.shaderFolder(), this);
    editor->setAttribute(Qt::WA_DeleteOnClose);
    editor->setWindowModality(Qt::WindowModal);
    editor->loadConfigFile(entry->filePath);
    editor->loadReference(m_emulator);
    // Saved under a new title, the game is still the one selected.
    connect(editor, &QDialog::accepted, this, [this, editor] {
        loadConfigFiles();
        selectConfigFile(editor->configFile());
    });
    m_preferencesWindowController = editor;
    editor->open();
}
