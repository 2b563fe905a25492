#pragma once

#include "library/DosboxReference.h"
#include "platform/Host.h"
#include "settings/DropCopy.h"
#include "settings/SettingsForm.h"
#include "settings/SettingsSaver.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class DropTargetView;
class Emulator;
class GameDetailsPanel;
class OtherSettingsPanel;

// The settings editor for one game: a window-modal dialog over the library window, made anew
// for every opening, that loads the game's configuration file into its form.
class Preferences final : public QDialog
{
    Q_OBJECT

public:
    Preferences(Host host, QString shaderFolder, QWidget* parent = nullptr);

    void loadConfigFile(const QString& path);

    QString previouslyLoadedTitle() const { return m_previouslyLoadedTitle; }
    // The game's configuration file: the one loaded, and after a save under a new title its new one.
    QString configFile() const { return m_configFile; }
    bool mt32SupportEnabled() const { return m_mt32SupportEnabled; }

    void populateGLShaderMenu(QComboBox* menu);
    void updateCDImageDisplay();
    void checkTwoROMFilesInMt32();
    void fixGameExePath();
    void showAlert(const QString& title, const QString& message);
    // Help, completion and checks from the installed DOSBox-X's own reference, made in the
    // background; the editor works without them meanwhile.
    void loadReference(const Emulator& emulator);
    void applyReference(std::shared_ptr<const DosboxReference> reference);

    // Copies dropped items into the game folder named by the title in the form; the copies run
    // in the background and the status line counts them when they are done.
    void copyDroppedItems(const QStringList& paths, DropCopy::Target target);
    void showCopiedFilesStatus(int count);
    // The form as the save reads it.
    GameForm form() const;

Q_SIGNALS:
    // A drop's copies are done (for those who wait on them).
    void droppedItemsCopied(int count);

public Q_SLOTS:
    void selectGameExe();
    void selectSetupExe();
    void selectISOFile();
    void ejectISOFile();
    void openFDFolder();
    void resetWindowResolution();
    void resetSoundcardSettings();
    void createConfigFileFromTitle();
    void close_window();
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildInterface();
    // The control of a field of the form's table, by its key.
    QWidget* field(const QString& key) const { return m_fields.value(key); }
    template <typename Control> Control* field(const QString& key) const
    {
        return static_cast<Control*>(field(key));
    }
    void setCopiesRunning(bool running);
    // Saves once the installed DOSBox-X has read the other settings (on a worker thread) and
    // took them all, or the user says to save anyway.
    void checkOtherSettingsThenSave();
    void saveForm();
    void cancelCopies();

    Host m_host;
    QString m_shaderFolder;
    QString m_previouslyLoadedTitle;
    bool m_mt32SupportEnabled = false;
    QString m_configFile;                // the file being edited
    std::optional<QString> m_loadedText; // its text as it was read, to see another writer's change
    bool m_copiesRunning = false;
    GameForm m_loadedForm; // the form as loaded: anything else is an unsaved change
    bool m_checking = false;
    std::shared_ptr<const Emulator> m_emulator; // asked for checks, when it is installed
    bool m_closeWhenCopied = false;
    std::shared_ptr<FileOperations::CancelFlag> m_cancelCopies;
    QProgressBar* m_copyProgress = nullptr;
    QPushButton* m_cancelCopyButton = nullptr;

    QWidget* m_dummy = nullptr;
    QLineEdit* m_titleName = nullptr;
    QLineEdit* m_gameExe = nullptr;
    QLineEdit* m_setupExe = nullptr;
    QLineEdit* m_cdImage = nullptr;
    QLineEdit* m_cdImageless = nullptr;
    QHash<QString, QWidget*> m_fields; // the table's controls by key
    QLineEdit* m_windowWidth = nullptr;
    QLineEdit* m_windowHeight = nullptr;
    QComboBox* m_soundcard = nullptr;
    QComboBox* m_sbbase = nullptr;
    QComboBox* m_irq = nullptr;
    QComboBox* m_dma = nullptr;
    QComboBox* m_hdma = nullptr;
    QPlainTextEdit* m_beforeGameTextView = nullptr;
    QPlainTextEdit* m_autoexecTextView = nullptr;
    DropTargetView* m_dropTargetView = nullptr;
    DropTargetView* m_dropTargetViewISO = nullptr;
    QLabel* m_statusLabel = nullptr;
    QComboBox* m_glshaders = nullptr;
    QCheckBox* m_mt32Support = nullptr;
    QCheckBox* m_mayReachHost = nullptr;
    OtherSettingsPanel* m_otherSettings = nullptr;
    GameDetailsPanel* m_details = nullptr;
};
