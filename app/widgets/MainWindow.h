#pragma once

#include "app/ButtonRules.h"
#include "launch/Launcher.h"
#include "library/ConfigEntry.h"
#include "library/Mt32Folder.h"
#include "platform/Emulator.h"
#include "platform/Host.h"
#include "platform/UserDefaults.h"

#include <optional>
#include <QPointer>
#include <QWidget>

class JobQueue;
class ProgressJob;
class DetailsPanel;
class LibraryActions;
class LibraryFilterModel;
class LibraryTableModel;
class ProcessRunner;
class Preferences;
class Prompter;
class QFileSystemWatcher;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableView;
class QTimer;
class SystemServices;

// The library window: the table of games and the commands on the selected game.
class MainWindow final : public QWidget
{
    Q_OBJECT

public:
    static constexpr int MinimumWidth = 715;
    static constexpr int MinimumHeight = 375;
    static constexpr int MaximumHeight = 4000;

    MainWindow(Host host, Emulator emulator, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Every game, in file-name order.
    const QList<ConfigEntry>& configEntries() const;
    // The game the user sees selected (the table's current row), through the search filter.
    std::optional<ConfigEntry> selectedConfig() const;
    // Its row in file-name order, -1 when nothing is selected.
    int selectedRow() const;

    void showAlert(const QString& title, const QString& message);
    bool checkTwoROMFilesInMt32();
    void updateAllButtonStates();
    Preferences* preferencesWindowController() const;
    // Makes the game, loads the library again and selects the new row.
    void createConfigEntryAndFolder(const QString& title);

public Q_SLOTS:
    void loadConfigFiles();
    void reloadTable();

    void askForTitleAndCreateEntry();
    void openPreferencesClicked();
    void deleteSelectedEntry();
    void launchGame();
    // For a game without a program: a file of its folder becomes it.
    void chooseGameProgram();
    void launchSetup();
    void launchMSDos();
    void gotoDriveC();
    void showSavedGames();
    void export_game();
    void import_game();
    // An archive handed over by the file manager; queued while another archive job runs.
    void importTDLFile(const QString& archivePath);
    void addGameFromFolder();
    void addGameFromZip();
    // Every subfolder and .zip file of a folder as a game of its own, after the user chose them.
    void addGamesFromFolder();
    // A game made from a folder or .zip of its files; queued while another job runs.
    void startFolderAdd(const QString& source);
    void selectMT32Roms();
    void showAbout();
    void showDosboxChoice();

Q_SIGNALS:
    // Closed while games it started ran, it kept watching them to record their play time; now
    // the last has ended and the program may quit.
    void watchingEnded();

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildInterface();
    void connectCommands();
    void applyButtonStates(const ButtonStates& given);
    void tableSelectionChanged();
    void selectRow(int sourceRow, bool scroll = true);
    void selectConfigFile(const QString& configFile, bool scroll = true);
    void updateCount();
    // Keeps the title column from being squeezed by the optional ones.
    void fitColumns();
    void updateDetailsPanel();
    void watchLibrary();
    void watchMt32Folder();
    // The MT-32 light and its tooltip for the folder as it is now.
    Mt32Folder::Check showMt32Status();
    // The job queue's work shown: progress, Cancel, the games it brought.
    void followJobs();
    // While a job runs, no other command that changes the library can start.
    void setProgressJobRunning(bool running);
    void cancelProgressJob();
    void showStatus(const QString& text);

    Host m_host;
    Emulator m_emulator;
    Launcher m_launcher;
    UserDefaults m_defaults;

    LibraryTableModel* m_model = nullptr;
    LibraryFilterModel* m_filter = nullptr;
    LibraryActions* m_actions = nullptr;
    QTableView* m_tableView = nullptr;
    DetailsPanel* m_detailsPanel = nullptr;
    QLineEdit* m_searchField = nullptr;
    QLabel* m_gameCount = nullptr;
    QPushButton* m_addButton = nullptr;
    QPushButton* m_addFromFolderButton = nullptr;
    QPushButton* m_editButton = nullptr;
    QPushButton* m_deleteButton = nullptr;
    QPushButton* m_launchGameButton = nullptr;
    QPushButton* m_chooseProgramButton = nullptr;
    QPushButton* m_launchSetupButton = nullptr;
    QPushButton* m_launchMSDosButton = nullptr;
    QPushButton* m_gotoCButton = nullptr;
    QPushButton* m_exportGameButton = nullptr;
    QPushButton* m_importGameButton = nullptr;
    QPushButton* m_selectMt32RomsButton = nullptr;
    QLabel* m_mt32RomStatus = nullptr;
    QProgressBar* m_progressIndicatorExport = nullptr;
    QProgressBar* m_progressIndicatorImport = nullptr;
    QLabel* m_workLabel = nullptr;
    QPushButton* m_cancelWorkButton = nullptr;
    QLabel* m_statusLabel = nullptr;
    JobQueue* m_jobs = nullptr;
    QPointer<QProgressBar> m_workIndicator;              // the bar of the job under way
    QPointer<Preferences> m_preferencesWindowController; // the editor currently or last shown
    ProcessRunner* m_processRunner = nullptr;
    QFileSystemWatcher* m_watcher = nullptr;
    QTimer* m_reloadTimer = nullptr;
    QByteArray m_librarySignature;     // the library as last loaded
    bool m_watchingAfterClose = false; // closed, but games it started run on
};
