#include "app/ColumnFit.h"
#include "app/widgets/DetailsPanel.h"
#include "app/widgets/LibraryActions.h"
#include "app/widgets/LibraryFilterModel.h"
#include "app/widgets/LibraryTableModel.h"
#include "app/widgets/MainWindow.h"
#include "exchange/FolderAddJob.h"
#include "library/PlayRecord.h"

#include <QDateTime>
#include <QDropEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

// How the library window is laid out, and how its buttons, menus and keys reach its commands.

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
    m_tableView->viewport()->installEventFilter(this); // folders and .zip files dropped on the list
    m_tableView->viewport()->setAcceptDrops(true);
    m_tableView->verticalHeader()->hide();
    QHeaderView* header = m_tableView->horizontalHeader();
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setSectionResizeMode(LibraryTableModel::ImageColumn, QHeaderView::Fixed);
    header->resizeSection(LibraryTableModel::ImageColumn, 32);
    header->setSectionResizeMode(LibraryTableModel::TitleColumn, QHeaderView::Stretch);
    header->setSortIndicator(-1, Qt::AscendingOrder);
    m_tableView->setSortingEnabled(true);
    header->setSortIndicatorShown(true);
    // The details and play columns, chosen from the header's menu and remembered.
    const QList<int> shownColumns = m_defaults.visibleColumns();
    // Fixed starting widths the user can drag: measuring the contents of thousands of rows
    // would delay the first paint.
    const QFontMetrics metrics = m_tableView->fontMetrics();
    const std::pair<int, QString> widest[] = {
        {LibraryTableModel::YearColumn, QStringLiteral("8888")},
        {LibraryTableModel::GenreColumn, QStringLiteral("Role-playing game")},
        {LibraryTableModel::DeveloperColumn, QStringLiteral("Westwood Studios")},
        {LibraryTableModel::LastPlayedColumn,
         QLocale().toString(QDateTime(QDate(2000, 12, 28), QTime(23, 58)), QLocale::ShortFormat)},
        {LibraryTableModel::PlayTimeColumn, PlayRecord::durationText(100 * 3600 + 59 * 60)},
    };
    for (const auto& [column, text] : widest) {
        header->setSectionResizeMode(column, QHeaderView::Interactive);
        const QString title = m_model->headerData(column, Qt::Horizontal).toString();
        header->resizeSection(
            column, std::max(metrics.horizontalAdvance(text), metrics.horizontalAdvance(title)) + 24);
        m_tableView->setColumnHidden(column, !shownColumns.contains(column));
    }
    header->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(header, &QWidget::customContextMenuRequested, this, [this, header](const QPoint& position) {
        auto* menu = new QMenu(this);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        for (int column = LibraryTableModel::YearColumn; column < LibraryTableModel::ColumnCount; ++column) {
            QAction* action = menu->addAction(m_model->headerData(column, Qt::Horizontal).toString());
            action->setCheckable(true);
            action->setChecked(!m_tableView->isColumnHidden(column));
            connect(action, &QAction::toggled, this, [this, column](bool shown) {
                m_tableView->setColumnHidden(column, !shown);
                fitColumns();
                QList<int> visible;
                for (int each = LibraryTableModel::YearColumn; each < LibraryTableModel::ColumnCount;
                     ++each) {
                    if (!m_tableView->isColumnHidden(each))
                        visible.append(each);
                }
                m_defaults.setVisibleColumns(visible);
            });
        }
        menu->popup(header->mapToGlobal(position));
    });

    m_detailsPanel = new DetailsPanel(m_host.filePanel, m_host.prompter, this);
    m_detailsPanel->setVisible(m_defaults.detailsPanelShown());
    m_actions->showDetails->setChecked(m_defaults.detailsPanelShown());

    m_launchGameButton = makeButton(this, QStringLiteral("launchGameButton"), tr("Play Game"),
                                    tr("Start the game in DOSBox-X (Return)"));
    m_chooseProgramButton = makeButton(this, QStringLiteral("chooseProgramButton"), tr("Choose Program…"),
                                       tr("Choose the file that starts the game"));
    m_launchSetupButton = makeButton(this, QStringLiteral("launchSetupButton"), tr("Run Setup"),
                                     tr("Start the game's setup program"));
    m_launchMSDosButton = makeButton(this, QStringLiteral("launchMSDosButton"), tr("DOS Prompt"),
                                     tr("Start a DOS prompt with the game's drives"));
    m_addButton =
        makeButton(this, QStringLiteral("addButton"), tr("Add Game…"), tr("Add a new game (Ctrl+N)"));
    m_addFromFolderButton =
        makeButton(this, QStringLiteral("addFromFolderButton"), tr("Add from Folder…"),
                   tr("Add a game from its folder or .zip, with its program found (Ctrl+Shift+N); "
                      "folders and .zip files can also be dropped on the list"));
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
    m_workLabel = new QLabel(this);
    m_workLabel->setObjectName(QStringLiteral("workLabel"));
    m_workLabel->hide();
    m_workLabel->setSizePolicy(QSizePolicy::Ignored,
                               QSizePolicy::Preferred); // long names never widen the window
    m_cancelWorkButton = makeButton(this, QStringLiteral("cancelWorkButton"), tr("Cancel"),
                                    tr("Stop the export or import and leave everything as it was"));
    m_cancelWorkButton->hide();
    m_statusLabel = new QLabel(this);
    m_statusLabel->setObjectName(QStringLiteral("statusLabel"));
    m_statusLabel->hide();
    m_mt32RomStatus = new QLabel(this);
    m_mt32RomStatus->setObjectName(QStringLiteral("mt32RomStatus"));
    m_mt32RomStatus->setFixedSize(16, 16);

    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(m_searchField, 1);
    searchRow->addWidget(m_gameCount);

    // Two rows of commands under the table: playing the selected game, and managing the library.
    auto* playRow = new QHBoxLayout;
    for (QWidget* widget :
         {m_launchGameButton, m_chooseProgramButton, m_launchSetupButton, m_launchMSDosButton, m_gotoCButton})
        playRow->addWidget(widget);
    playRow->addStretch(1);
    playRow->addWidget(m_mt32RomStatus);
    playRow->addWidget(m_selectMt32RomsButton);

    auto* manageRow = new QHBoxLayout;
    for (QWidget* widget : {m_addButton, m_addFromFolderButton, m_editButton, m_deleteButton})
        manageRow->addWidget(widget);
    manageRow->addStretch(1);
    for (QWidget* widget :
         {static_cast<QWidget*>(m_progressIndicatorExport), static_cast<QWidget*>(m_exportGameButton),
          static_cast<QWidget*>(m_progressIndicatorImport), static_cast<QWidget*>(m_importGameButton)})
        manageRow->addWidget(widget);

    auto* workRow = new QHBoxLayout;
    workRow->addWidget(m_workLabel, 1);
    workRow->addWidget(m_statusLabel, 1);
    workRow->addWidget(m_cancelWorkButton);

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(m_actions->makeMenuBar(this));
    layout->addLayout(searchRow);
    auto* tableRow = new QHBoxLayout;
    tableRow->addWidget(m_tableView, 1);
    tableRow->addWidget(m_detailsPanel);
    layout->addLayout(tableRow, 1);
    layout->addLayout(playRow);
    layout->addLayout(manageRow);
    layout->addLayout(workRow);

    setMinimumSize(MinimumWidth, MinimumHeight);
    setMaximumHeight(MaximumHeight);
    // Room for the table beside the details panel, until the user sizes the window.
    resize(MinimumWidth + (m_detailsPanel->isHidden() ? 0 : DetailsPanel::PanelWidth), 520);
}

void MainWindow::connectCommands()
{
    // Each button is its action's: pressed, it triggers it; enabled, when it is.
    const std::pair<QPushButton*, QAction*> buttons[] = {
        {m_addButton, m_actions->add},
        {m_addFromFolderButton, m_actions->addFromFolder},
        {m_editButton, m_actions->settings},
        {m_deleteButton, m_actions->remove},
        {m_launchGameButton, m_actions->play},
        {m_chooseProgramButton, m_actions->chooseProgram},
        {m_launchSetupButton, m_actions->runSetup},
        {m_launchMSDosButton, m_actions->dosPrompt},
        {m_gotoCButton, m_actions->showDriveC},
        {m_exportGameButton, m_actions->exportGame},
        {m_importGameButton, m_actions->import},
        {m_selectMt32RomsButton, m_actions->mt32Folder},
    };
    for (const auto& [button, action] : buttons)
        LibraryActions::bind(button, action);
    // Shown only for a game that has no program yet, beside its greyed-out Play.
    m_chooseProgramButton->setVisible(m_actions->chooseProgram->isEnabled());
    connect(m_actions->chooseProgram, &QAction::enabledChanged, m_chooseProgramButton, &QWidget::setVisible);
    connect(m_cancelWorkButton, &QPushButton::clicked, this, &MainWindow::cancelProgressJob);

    const std::pair<QAction*, void (MainWindow::*)()> actions[] = {
        {m_actions->play, &MainWindow::launchGame},
        {m_actions->runSetup, &MainWindow::launchSetup},
        {m_actions->chooseProgram, &MainWindow::chooseGameProgram},
        {m_actions->dosPrompt, &MainWindow::launchMSDos},
        {m_actions->showDriveC, &MainWindow::gotoDriveC},
        {m_actions->savedGames, &MainWindow::showSavedGames},
        {m_actions->settings, &MainWindow::openPreferencesClicked},
        {m_actions->exportGame, &MainWindow::export_game},
        {m_actions->remove, &MainWindow::deleteSelectedEntry},
        {m_actions->add, &MainWindow::askForTitleAndCreateEntry},
        {m_actions->addFromFolder, &MainWindow::addGameFromFolder},
        {m_actions->addFromZip, &MainWindow::addGameFromZip},
        {m_actions->addEachFromFolder, &MainWindow::addGamesFromFolder},
        {m_actions->import, &MainWindow::import_game},
        {m_actions->mt32Folder, &MainWindow::selectMT32Roms},
        {m_actions->refresh, &MainWindow::loadConfigFiles},
        {m_actions->about, &MainWindow::showAbout},
        {m_actions->preferences, &MainWindow::showDosboxChoice},
    };
    for (const auto& [action, slot] : actions)
        connect(action, &QAction::triggered, this, slot);
    connect(m_actions->quit, &QAction::triggered, this, &QWidget::close);
    connect(m_actions->showDetails, &QAction::toggled, this, [this](bool shown) {
        m_defaults.setDetailsPanelShown(shown);
        m_detailsPanel->setVisible(shown);
        updateDetailsPanel();
    });
    connect(m_actions->find, &QAction::triggered, this, [this] {
        m_searchField->setFocus(Qt::ShortcutFocusReason);
        m_searchField->selectAll();
    });

    connect(m_searchField, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_filter->setSearchText(text);
        // As the list narrows, the first match is the one Return plays.
        if (!m_tableView->selectionModel()->hasSelection() && m_filter->rowCount() > 0)
            m_tableView->selectRow(0);
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

namespace {

// The items among those dropped that a game can be added from: folders, .zip files, browser
// bundles, store installers and DOSBox configurations.
QStringList addableSources(const QMimeData* data)
{
    QStringList sources;
    if (!data)
        return sources;
    for (const QUrl& url : data->urls()) {
        const QFileInfo info(url.toLocalFile());
        if (url.isLocalFile() && FolderAddJob::mayBeSource(info.absoluteFilePath()))
            sources.append(info.absoluteFilePath());
    }
    return sources;
}

} // namespace

void MainWindow::fitColumns()
{
    // The optional columns give up width before the title is squeezed below a long title's.
    QHeaderView* header = m_tableView->horizontalHeader();
    const QFontMetrics metrics = m_tableView->fontMetrics();
    QList<int> columns;
    QList<int> widths;
    QList<int> least;
    for (int column = LibraryTableModel::YearColumn; column < LibraryTableModel::ColumnCount; ++column) {
        if (m_tableView->isColumnHidden(column))
            continue;
        columns.append(column);
        widths.append(header->sectionSize(column));
        least.append(metrics.horizontalAdvance(m_model->headerData(column, Qt::Horizontal).toString()) + 24);
    }
    const int available =
        m_tableView->viewport()->width() - header->sectionSize(LibraryTableModel::ImageColumn);
    const int titleMinimum =
        std::min(metrics.horizontalAdvance(QStringLiteral("Indiana Jones and the Fate of Atlantis")) + 24,
                 available * 3 / 5);
    const QList<int> fitted = ColumnFit::leaveRoomForTitle(available, titleMinimum, widths, least);
    int others = 0;
    for (qsizetype i = 0; i < columns.size(); ++i) {
        others += fitted.at(i);
        if (fitted.at(i) != widths.at(i))
            header->resizeSection(columns.at(i), fitted.at(i));
    }
    // When even their least leaves too little, the title keeps its width and the table scrolls.
    if (available - others < titleMinimum) {
        header->setSectionResizeMode(LibraryTableModel::TitleColumn, QHeaderView::Interactive);
        header->resizeSection(LibraryTableModel::TitleColumn, titleMinimum);
    } else {
        header->setSectionResizeMode(LibraryTableModel::TitleColumn, QHeaderView::Stretch);
    }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_tableView->viewport()) {
        if (event->type() == QEvent::Resize)
            fitColumns();
        if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
            auto* drag = static_cast<QDropEvent*>(event);
            if (!addableSources(drag->mimeData()).isEmpty()) {
                drag->acceptProposedAction();
                return true;
            }
        } else if (event->type() == QEvent::Drop) {
            auto* drop = static_cast<QDropEvent*>(event);
            const QStringList sources = addableSources(drop->mimeData());
            if (!sources.isEmpty()) {
                drop->acceptProposedAction();
                for (const QString& source : sources)
                    startFolderAdd(source);
                return true;
            }
        }
        return QWidget::eventFilter(watched, event);
    }
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
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (key->key() == Qt::Key_Down || enter) {
            if (!m_tableView->selectionModel()->hasSelection() && m_filter->rowCount() > 0)
                m_tableView->selectRow(0);
            // Return plays what the search found: the only match, or the one selected.
            if (enter && m_launchGameButton->isEnabled())
                launchGame();
            else
                m_tableView->setFocus();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
