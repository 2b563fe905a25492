#include "app/MainWindow.h"

#include "app/EnterTitleController.h"
#include "app/LibraryTableModel.h"
#include "app/Mt32Folder.h"
#include "app/StatusLight.h"
#include "exchange/ExportJob.h"
#include "exchange/ImportJob.h"
#include "library/EntryCreation.h"
#include "library/EntryDeletion.h"
#include "library/LibraryLoader.h"
#include "platform/ConfigNotifier.h"
#include "platform/FilePanel.h"
#include "platform/Paths.h"
#include "platform/PreferredLanguages.h"
#include "platform/ProcessRunner.h"
#include "platform/Prompter.h"
#include "platform/SystemServices.h"
#include "settings/Preferences.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QTableView>
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

} // namespace

MainWindow::MainWindow(Host host, Emulator emulator, QWidget* parent)
    : QWidget(parent), m_host(host), m_emulator(emulator),
      m_launcher(std::move(emulator), host.prompter, host.services, preferredLanguages)
{
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(tr("Tandril"));
    m_processRunner = new ProcessRunner(this);
    buildInterface();

    Mt32Folder::createIfNeeded();
    loadConfigFiles();
    connect(&ConfigNotifier::instance(), &ConfigNotifier::tandrilConfigUpdated, this,
            &MainWindow::reloadTable);
}

MainWindow::~MainWindow() = default;

void MainWindow::buildInterface()
{
    m_model = new LibraryTableModel(style()->standardIcon(QStyle::SP_DirIcon), this);

    m_tableView = new QTableView(this);
    m_tableView->setObjectName(QStringLiteral("tableView"));
    m_tableView->setModel(m_model);
    m_tableView->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tableView->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_tableView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tableView->setShowGrid(false);
    m_tableView->setAlternatingRowColors(true);
    m_tableView->setWordWrap(false);
    m_tableView->verticalHeader()->hide();
    m_tableView->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_tableView->horizontalHeader()->setSectionResizeMode(LibraryTableModel::ImageColumn, QHeaderView::Fixed);
    m_tableView->horizontalHeader()->resizeSection(LibraryTableModel::ImageColumn, 32);
    m_tableView->horizontalHeader()->setSectionResizeMode(LibraryTableModel::TitleColumn,
                                                          QHeaderView::Stretch);
    m_tableView->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    m_tableView->setSortingEnabled(true);
    m_tableView->horizontalHeader()->setSortIndicatorShown(true);
    connect(m_tableView->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &MainWindow::tableSelectionChanged);
    connect(m_tableView, &QTableView::doubleClicked, this, [this] {
        if (m_launchGameButton->isEnabled())
            launchGame();
    });

    m_launchGameButton = makeButton(this, QStringLiteral("launchGameButton"), tr("Play Game"),
                                    tr("Start the game in DOSBox-X"));
    m_launchSetupButton = makeButton(this, QStringLiteral("launchSetupButton"), tr("Run Setup"),
                                     tr("Start the game's setup program"));
    m_launchMSDosButton = makeButton(this, QStringLiteral("launchMSDosButton"), tr("DOS Prompt"),
                                     tr("Start a DOS prompt with the game's drives"));
    m_addButton = makeButton(this, QStringLiteral("addButton"), tr("Add Game…"), tr("Add a new game"));
    m_editButton =
        makeButton(this, QStringLiteral("EditButton"), tr("Settings…"), tr("Edit the game's settings"));
    m_deleteButton =
        makeButton(this, QStringLiteral("DeleteButton"), tr("Delete…"), tr("Delete the game and its folder"));
    m_gotoCButton = makeButton(this, QStringLiteral("GotoCButton"), tr("Show Drive C"),
                               tr("Show the game folder in the file manager"));
    m_exportGameButton = makeButton(this, QStringLiteral("export_game"), tr("Export…"),
                                    tr("Pack the game into a .tdl file on the Desktop"));
    m_importGameButton = makeButton(this, QStringLiteral("import_game"), tr("Import…"),
                                    tr("Bring a .tdl file into the library"));
    m_selectMt32RomsButton = makeButton(this, QStringLiteral("selectMT32Roms"), tr("MT-32 ROMs"),
                                        tr("Open the folder for the two MT-32 ROM files"));
    m_progressIndicatorExport = makeBusyIndicator(this, QStringLiteral("progressIndicator_export"));
    m_progressIndicatorImport = makeBusyIndicator(this, QStringLiteral("progressIndicator_import"));
    m_mt32RomStatus = new QLabel(this);
    m_mt32RomStatus->setObjectName(QStringLiteral("mt32RomStatus"));
    m_mt32RomStatus->setFixedSize(16, 16);

    connect(m_addButton, &QPushButton::clicked, this, &MainWindow::askForTitleAndCreateEntry);
    connect(m_editButton, &QPushButton::clicked, this, &MainWindow::openPreferencesClicked);
    connect(m_deleteButton, &QPushButton::clicked, this, &MainWindow::deleteSelectedEntry);
    connect(m_launchGameButton, &QPushButton::clicked, this, &MainWindow::launchGame);
    connect(m_launchSetupButton, &QPushButton::clicked, this, &MainWindow::launchSetup);
    connect(m_launchMSDosButton, &QPushButton::clicked, this, &MainWindow::launchMSDos);
    connect(m_gotoCButton, &QPushButton::clicked, this, &MainWindow::gotoDriveC);
    connect(m_exportGameButton, &QPushButton::clicked, this, &MainWindow::export_game);
    connect(m_importGameButton, &QPushButton::clicked, this, &MainWindow::import_game);
    connect(m_selectMt32RomsButton, &QPushButton::clicked, this, &MainWindow::selectMT32Roms);

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
    layout->addWidget(m_tableView, 1);
    layout->addLayout(playRow);
    layout->addLayout(manageRow);

    setMinimumSize(FixedWidth, MinimumHeight);
    setMaximumSize(FixedWidth, MaximumHeight);
    resize(FixedWidth, 520);
}

const QList<ConfigEntry>& MainWindow::configEntries() const
{
    return m_model->configEntries();
}

int MainWindow::selectedRow() const
{
    const QItemSelectionModel* selection = m_tableView->selectionModel();
    const QModelIndex current = selection->currentIndex();
    if (current.isValid() && selection->isRowSelected(current.row(), {}))
        return current.row();
    const QModelIndexList rows = selection->selectedRows();
    return rows.isEmpty() ? -1 : rows.last().row();
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
    // A load always shows file-name order, whatever sort the header had.
    m_tableView->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    m_model->setConfigEntries(std::move(*entries));
    updateAllButtonStates();
    if (const std::optional<int> row =
            LibraryLoader::rowToRestore(m_defaults.lastSelectedConfigRow(), m_model->rowCount()))
        selectRow(*row);
}

void MainWindow::reloadTable()
{
    loadConfigFiles();
}

void MainWindow::selectRow(int row)
{
    m_tableView->selectionModel()->setCurrentIndex(m_model->index(row, LibraryTableModel::TitleColumn),
                                                   QItemSelectionModel::ClearAndSelect |
                                                       QItemSelectionModel::Rows);
    m_tableView->scrollTo(m_model->index(row, LibraryTableModel::TitleColumn));
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
    m_launchSetupButton->setEnabled(states.launchSetup);
    m_launchGameButton->setEnabled(states.launchGame);
    m_launchMSDosButton->setEnabled(states.launchMSDos);
    m_editButton->setEnabled(states.edit);
    m_deleteButton->setEnabled(states.remove);
    m_gotoCButton->setEnabled(states.gotoC);
    m_exportGameButton->setEnabled(states.exportGame);
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

void MainWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    checkTwoROMFilesInMt32();
    const double stored = m_defaults.mainWindowHeight();
    const int height = stored > 0 ? qRound(stored) : this->height();
    resize(FixedWidth, std::clamp(height, MinimumHeight, MaximumHeight));
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    m_defaults.setMainWindowHeight(height());
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
    const QList<ConfigEntry>& entries = configEntries();
    const auto found = std::find_if(entries.cbegin(), entries.cend(),
                                    [&](const ConfigEntry& entry) { return entry.filePath == *configFile; });
    if (found == entries.cend())
        return;
    const int row = int(found - entries.cbegin());
    selectRow(row);
    m_defaults.setLastSelectedConfigRow(row);
}

void MainWindow::deleteSelectedEntry()
{
    const int row = selectedRow();
    const std::optional<ConfigEntry> entry = selectedConfig();
    if (EntryDeletion::deleteSelectedEntry(row < 0 ? std::nullopt : entry, m_host.prompter) !=
        EntryDeletion::Outcome::Deleted)
        return;
    m_model->removeEntry(row);
    updateAllButtonStates();
}

void MainWindow::setArchiveJobRunning(bool running)
{
    m_archiveJobRunning = running;
    const QList<QWidget*> commands{m_tableView,         m_addButton,           m_editButton,
                                   m_deleteButton,      m_launchGameButton,    m_launchSetupButton,
                                   m_launchMSDosButton, m_gotoCButton,         m_exportGameButton,
                                   m_importGameButton,  m_selectMt32RomsButton};
    for (QWidget* command : commands)
        command->setEnabled(!running);
    if (running)
        return;
    updateAllButtonStates();
    if (!m_pendingImports.isEmpty())
        startImport(m_pendingImports.takeFirst(), true);
}

void MainWindow::export_game()
{
    if (m_archiveJobRunning)
        return;
    auto* job = new ExportJob(m_host.prompter, *m_processRunner, this);
    connect(job, &ExportJob::busyChanged, m_progressIndicatorExport, &QWidget::setVisible);
    connect(job, &ExportJob::finished, this, [this, job] {
        setArchiveJobRunning(false);
        job->deleteLater();
    });
    setArchiveJobRunning(true);
    if (!job->start(selectedConfig())) {
        setArchiveJobRunning(false);
        job->deleteLater();
    }
}

void MainWindow::import_game()
{
    if (m_archiveJobRunning)
        return;
    const QPointer<MainWindow> window(this);
    m_host.filePanel.chooseFile({tr("Select TDL file to import"), {QStringLiteral("tdl")}, QString()},
                                [window](const QString& path) {
                                    if (window)
                                        window->startImport(path, false);
                                });
}

void MainWindow::importTDLFile(const QString& archivePath)
{
    startImport(archivePath, true);
}

void MainWindow::startImport(const QString& archivePath, bool fromFileManager)
{
    if (m_archiveJobRunning) {
        m_pendingImports.append(archivePath);
        return;
    }
    auto* job = new ImportJob(m_host.prompter, *m_processRunner, this);
    connect(job, &ImportJob::busyChanged, m_progressIndicatorImport, &QWidget::setVisible);
    connect(job, &ImportJob::installed, this, &MainWindow::loadConfigFiles);
    connect(job, &ImportJob::finished, this, [this, job] {
        job->deleteLater();
        setArchiveJobRunning(false);
    });
    setArchiveJobRunning(true);
    job->start(archivePath, fromFileManager ? ImportJob::Road::FileManager : ImportJob::Road::Panel);
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
