#include "app/MainWindow.h"

#include "app/EnterTitleController.h"
#include "app/LibraryActions.h"
#include "app/LibraryFilterModel.h"
#include "app/LibraryTableModel.h"
#include "app/Mt32Folder.h"
#include "app/StatusLight.h"
#include "library/EntryCreation.h"
#include "library/EntryDeletion.h"
#include "library/LibraryLoader.h"
#include "platform/ConfigNotifier.h"
#include "platform/Paths.h"
#include "platform/PreferredLanguages.h"
#include "platform/ProcessRunner.h"
#include "platform/Prompter.h"
#include "platform/SystemServices.h"
#include "settings/Preferences.h"

#include <QCloseEvent>
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
#include <QStyle>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QPushButton* makeButton(QWidget* parent, const QString& objectName, const QString& text,
                        const QString& toolTip)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(objectName);
    button->setToolTip(toolTip);
    return button;
}

QProgressBar* makeBusyIndicator(QWidget* parent, const QString& objectName)
{
    auto* indicator = new QProgressBar(parent);
    indicator->setObjectName(objectName);
    indicator->setRange(0, 0); // busy: animates without a known amount
    indicator->setTextVisible(false);
    indicator->setFixedWidth(56);
    indicator->hide();
    return indicator;
}

// Outside changes come in bursts (a file and a folder, a lock file): one reload for each burst.
constexpr int ReloadDelayMilliseconds = 250;

} // namespace

MainWindow::MainWindow(Host host, Emulator emulator, QWidget* parent)
    : QWidget(parent), m_host(host), m_emulator(emulator),
      m_launcher(std::move(emulator), host.prompter, host.services, preferredLanguages)
{
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(tr("Tandril"));
    m_processRunner = new ProcessRunner(this);
    buildInterface();
    connectCommands();

    Mt32Folder::createIfNeeded();
    loadConfigFiles();
    watchLibrary();
    connect(&ConfigNotifier::instance(), &ConfigNotifier::tandrilConfigUpdated, this,
            &MainWindow::reloadTable);
}

MainWindow::~MainWindow() = default;

void MainWindow::buildInterface()
{
    m_model = new LibraryTableModel(style()->standardIcon(QStyle::SP_DirIcon), this);
    m_filter = new LibraryFilterModel(this);
    m_filter->setSourceModel(m_model);
    m_actions = new LibraryActions(this);

    m_searchField = new QLineEdit(this);
    m_searchField->setObjectName(QStringLiteral("searchField"));
    m_searchField->setPlaceholderText(tr("Search games"));
    m_searchField->setClearButtonEnabled(true);
    m_searchField->installEventFilter(this);
    m_gameCount = new QLabel(this);
    m_gameCount->setObjectName(QStringLiteral("gameCount"));

    m_tableView = new QTableView(this);
    m_tableView->setObjectName(QStringLiteral("tableView"));
    m_tableView->setModel(m_filter);
    m_tableView->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tableView->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_tableView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tableView->setTabKeyNavigation(false); // Tab leaves the table for the buttons
    m_tableView->setShowGrid(false);
    m_tableView->setAlternatingRowColors(true);
    m_tableView->setWordWrap(false);
    m_tableView->setContextMenuPolicy(Qt::CustomContextMenu);
    m_tableView->installEventFilter(this);
    m_tableView->verticalHeader()->hide();
    QHeaderView* header = m_tableView->horizontalHeader();
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setSectionResizeMode(LibraryTableModel::ImageColumn, QHeaderView::Fixed);
    header->resizeSection(LibraryTableModel::ImageColumn, 32);
    header->setSectionResizeMode(LibraryTableModel::TitleColumn, QHeaderView::Stretch);
    header->setSortIndicator(-1, Qt::AscendingOrder);
    m_tableView->setSortingEnabled(true);
    header->setSortIndicatorShown(true);

    m_launchGameButton = makeButton(this, QStringLiteral("launchGameButton"), tr("Play Game"),
                                    tr("Start the game in DOSBox-X (Return)"));
    m_launchSetupButton = makeButton(this, QStringLiteral("launchSetupButton"), tr("Run Setup"),
                                     tr("Start the game's setup program"));
    m_launchMSDosButton = makeButton(this, QStringLiteral("launchMSDosButton"), tr("DOS Prompt"),
                                     tr("Start a DOS prompt with the game's drives"));
    m_addButton =
        makeButton(this, QStringLiteral("addButton"), tr("Add Game…"), tr("Add a new game (Ctrl+N)"));
    m_editButton = makeButton(this, QStringLiteral("EditButton"), tr("Settings…"),
                              tr("Edit the game's settings (Ctrl+E)"));
    m_deleteButton = makeButton(this, QStringLiteral("DeleteButton"), tr("Delete…"),
                                tr("Delete the game and its folder (Delete)"));
    m_gotoCButton = makeButton(this, QStringLiteral("GotoCButton"), tr("Show Drive C"),
                               tr("Show the game folder in the file manager"));
    m_exportGameButton = makeButton(this, QStringLiteral("export_game"), tr("Export…"),
                                    tr("Pack the game into a .tdl file on the Desktop (Ctrl+Shift+E)"));
    m_importGameButton = makeButton(this, QStringLiteral("import_game"), tr("Import…"),
                                    tr("Bring a .tdl file into the library (Ctrl+I)"));
    m_selectMt32RomsButton = makeButton(this, QStringLiteral("selectMT32Roms"), tr("MT-32 ROMs"),
                                        tr("Open the folder for the two MT-32 ROM files"));
    m_progressIndicatorExport = makeBusyIndicator(this, QStringLiteral("progressIndicator_export"));
    m_progressIndicatorImport = makeBusyIndicator(this, QStringLiteral("progressIndicator_import"));
    m_mt32RomStatus = new QLabel(this);
    m_mt32RomStatus->setObjectName(QStringLiteral("mt32RomStatus"));
    m_mt32RomStatus->setFixedSize(16, 16);

    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(m_searchField, 1);
    searchRow->addWidget(m_gameCount);

    // Two rows of commands under the table: playing the selected game, and managing the library.
    auto* playRow = new QHBoxLayout;
    for (QWidget* widget : {m_launchGameButton, m_launchSetupButton, m_launchMSDosButton, m_gotoCButton})
        playRow->addWidget(widget);
    playRow->addStretch(1);
    playRow->addWidget(m_mt32RomStatus);
    playRow->addWidget(m_selectMt32RomsButton);

    auto* manageRow = new QHBoxLayout;
    for (QWidget* widget : {m_addButton, m_editButton, m_deleteButton})
        manageRow->addWidget(widget);
    manageRow->addStretch(1);
    for (QWidget* widget :
         {static_cast<QWidget*>(m_progressIndicatorExport), static_cast<QWidget*>(m_exportGameButton),
          static_cast<QWidget*>(m_progressIndicatorImport), static_cast<QWidget*>(m_importGameButton)})
        manageRow->addWidget(widget);

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(m_actions->makeMenuBar(this));
    layout->addLayout(searchRow);
    layout->addWidget(m_tableView, 1);
    layout->addLayout(playRow);
    layout->addLayout(manageRow);

    setMinimumSize(MinimumWidth, MinimumHeight);
    setMaximumHeight(MaximumHeight);
    resize(MinimumWidth, 520);
}

void MainWindow::connectCommands()
{
    const std::pair<QPushButton*, void (MainWindow::*)()> buttons[] = {
        {m_addButton, &MainWindow::askForTitleAndCreateEntry},
        {m_editButton, &MainWindow::openPreferencesClicked},
        {m_deleteButton, &MainWindow::deleteSelectedEntry},
        {m_launchGameButton, &MainWindow::launchGame},
        {m_launchSetupButton, &MainWindow::launchSetup},
        {m_launchMSDosButton, &MainWindow::launchMSDos},
        {m_gotoCButton, &MainWindow::gotoDriveC},
        {m_exportGameButton, &MainWindow::export_game},
        {m_importGameButton, &MainWindow::import_game},
        {m_selectMt32RomsButton, &MainWindow::selectMT32Roms},
    };
    for (const auto& [button, slot] : buttons)
        connect(button, &QPushButton::clicked, this, slot);

    const std::pair<QAction*, void (MainWindow::*)()> actions[] = {
        {m_actions->play, &MainWindow::launchGame},
        {m_actions->runSetup, &MainWindow::launchSetup},
        {m_actions->dosPrompt, &MainWindow::launchMSDos},
        {m_actions->showDriveC, &MainWindow::gotoDriveC},
        {m_actions->settings, &MainWindow::openPreferencesClicked},
        {m_actions->exportGame, &MainWindow::export_game},
        {m_actions->remove, &MainWindow::deleteSelectedEntry},
        {m_actions->add, &MainWindow::askForTitleAndCreateEntry},
        {m_actions->import, &MainWindow::import_game},
        {m_actions->mt32Folder, &MainWindow::selectMT32Roms},
        {m_actions->refresh, &MainWindow::loadConfigFiles},
        {m_actions->about, &MainWindow::showAbout},
    };
    for (const auto& [action, slot] : actions)
        connect(action, &QAction::triggered, this, slot);
    connect(m_actions->find, &QAction::triggered, this, [this] {
        m_searchField->setFocus(Qt::ShortcutFocusReason);
        m_searchField->selectAll();
    });

    connect(m_searchField, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_filter->setSearchText(text);
        updateCount();
        updateAllButtonStates();
    });
    connect(m_tableView->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &MainWindow::tableSelectionChanged);
    connect(m_tableView, &QTableView::doubleClicked, this, [this] {
        if (m_launchGameButton->isEnabled())
            launchGame();
    });
    // The selected game stays selected across sorts; it is kept in view too.
    connect(m_tableView->horizontalHeader(), &QHeaderView::sortIndicatorChanged, this, [this] {
        QTimer::singleShot(0, this, [this] { m_tableView->scrollTo(m_tableView->currentIndex()); });
    });
    connect(m_tableView, &QWidget::customContextMenuRequested, this, [this](const QPoint& position) {
        const QModelIndex index = m_tableView->indexAt(position);
        if (!index.isValid())
            return;
        if (!m_tableView->selectionModel()->isRowSelected(index.row(), {}))
            m_tableView->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                                      QItemSelectionModel::Rows);
        QMenu* menu = m_actions->makeGameMenu(this);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(m_tableView->viewport()->mapToGlobal(position));
    });
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (watched == m_tableView && key->modifiers() == Qt::NoModifier) {
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (m_launchGameButton->isEnabled())
                launchGame();
            return true;
        }
        if (key->key() == Qt::Key_Delete) {
            if (m_deleteButton->isEnabled())
                deleteSelectedEntry();
            return true;
        }
    }
    if (watched == m_searchField) {
        if (key->key() == Qt::Key_Escape) {
            m_searchField->clear();
            m_tableView->setFocus();
            return true;
        }
        if (key->key() == Qt::Key_Down || key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            m_tableView->setFocus();
            if (!m_tableView->currentIndex().isValid() && m_filter->rowCount() > 0)
                m_tableView->selectRow(0);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

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
    std::optional<QList<ConfigEntry>> entries = LibraryLoader::load(Paths::libraryFolder());
    if (!entries)
        return; // a library that cannot be listed leaves the previous list shown
    // A reload keeps the game that was selected; the first load restores the remembered one.
    const std::optional<ConfigEntry> previous = selectedConfig();
    // A load always shows file-name order, whatever sort the header had.
    m_tableView->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    m_model->setConfigEntries(std::move(*entries));
    updateCount();
    updateAllButtonStates();
    if (previous) {
        selectConfigFile(previous->filePath);
    } else if (const std::optional<int> row =
                   LibraryLoader::rowToRestore(m_defaults.lastSelectedConfigRow(), m_model->rowCount())) {
        selectRow(*row);
    }
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
    connect(m_reloadTimer, &QTimer::timeout, this, &MainWindow::loadConfigFiles);
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, this, [this] {
        if (m_watcher->directories().isEmpty())
            m_watcher->addPath(Paths::libraryFolder()); // made again after it was gone
        m_reloadTimer->start();
    });
    if (QFileInfo(Paths::libraryFolder()).isDir())
        m_watcher->addPath(Paths::libraryFolder());
}

void MainWindow::selectRow(int sourceRow)
{
    const QModelIndex index =
        m_filter->mapFromSource(m_model->index(sourceRow, LibraryTableModel::TitleColumn));
    if (!index.isValid())
        return;
    m_tableView->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                              QItemSelectionModel::Rows);
    m_tableView->scrollTo(index);
}

void MainWindow::selectConfigFile(const QString& configFile)
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
    selectRow(row);
    m_defaults.setLastSelectedConfigRow(row);
}

void MainWindow::updateCount()
{
    m_gameCount->setText(m_filter->countText());
}

void MainWindow::tableSelectionChanged()
{
    updateAllButtonStates();
    const int row = selectedRow();
    if (row < 0)
        m_defaults.removeLastSelectedConfigRow();
    else
        m_defaults.setLastSelectedConfigRow(row);
}

void MainWindow::updateAllButtonStates()
{
    const int selectedCount = int(m_tableView->selectionModel()->selectedRows().size());
    applyButtonStates(ButtonRules::evaluate(selectedCount, selectedConfig()));
}

void MainWindow::applyButtonStates(const ButtonStates& states)
{
    if (m_archiveJobRunning)
        return;
    m_launchSetupButton->setEnabled(states.launchSetup);
    m_launchGameButton->setEnabled(states.launchGame);
    m_launchMSDosButton->setEnabled(states.launchMSDos);
    m_editButton->setEnabled(states.edit);
    m_deleteButton->setEnabled(states.remove);
    m_gotoCButton->setEnabled(states.gotoC);
    m_exportGameButton->setEnabled(states.exportGame);
    m_actions->apply(states);
}

bool MainWindow::checkTwoROMFilesInMt32()
{
    const bool available = Mt32Folder::hasTwoRomFiles();
    m_mt32RomStatus->setPixmap(statusLight(available, 16, devicePixelRatioF()));
    m_mt32RomStatus->setProperty("available", available);
    m_mt32RomStatus->setToolTip(available ? tr("The MT-32 ROM files are in place.")
                                          : tr("The MT-32 ROM files are missing."));
    return available;
}

void MainWindow::selectMT32Roms()
{
    const QString folder = Mt32Folder::path();
    if (!QFileInfo::exists(folder))
        return;
    m_host.services.openFolder(folder);
    if (!checkTwoROMFilesInMt32())
        showAlert(tr("Attention"),
                  tr("You need two ROM files inside the mt32 folder\n\nMT32_CONTROL.ROM \nMT32_PCM.ROM\n"));
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
    checkTwoROMFilesInMt32();
    m_tableView->setFocus(); // type-to-find works at once
    // A small or scaled screen (1280 pixels at a scale of 2) still shows every button.
    if (const QScreen* shown = screen())
        setMinimumWidth(std::min(MinimumWidth, shown->availableGeometry().width()));
    const double storedHeight = m_defaults.mainWindowHeight();
    const double storedWidth = m_defaults.mainWindowWidth();
    const int height = storedHeight > 0 ? qRound(storedHeight) : this->height();
    const int width = storedWidth > 0 ? qRound(storedWidth) : this->width();
    resize(std::max(width, minimumWidth()), std::clamp(height, MinimumHeight, MaximumHeight));
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    m_defaults.setMainWindowHeight(height());
    m_defaults.setMainWindowWidth(width());
    QWidget::closeEvent(event);
}

void MainWindow::launchGame()
{
    m_launcher.launch(LaunchMode::Game, selectedConfig());
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
    m_preferencesWindowController = editor;
    editor->open();
}
