#pragma once

#include "exchange/ForeignGame.h"
#include "exchange/ProgressJob.h"
#include "library/DosboxCheck.h"
#include "library/ProgramPicker.h"

#include <functional>
#include <optional>
#include <QPointer>
#include <QProcess>

// Adds a game in one step from its folder or a .zip of it: a new game with the folder's name as
// its title, the files as its drive C, and its program, setup program, CD image and floppy images
// found and set. A game set up for DOSBox elsewhere (a store's folder or installer, a browser
// bundle, a DOSBox configuration) comes with what its set-up says: its title, program, setup,
// CD image, saved games and the settings DOSBox-X takes. The source is only read. Built in a
// staging folder and swapped into the library like an import, so a failure or Cancel leaves
// nothing behind.
class FolderAddJob final : public ProgressJob
{
    Q_OBJECT

public:
    FolderAddJob(Prompter& prompter, ProcessRunner& runner, QObject* parent = nullptr);
    ~FolderAddJob() override;

    // title: empty for the folder's (or archive's) name. program: a file name that overrides the
    // pick ("--exe"). False when nothing was started; otherwise finished() follows.
    bool start(const QString& source, const QString& title = {}, const QString& program = {});

    // The title of a game added from this folder or archive: its name made readable.
    static QString titleFor(const QString& source);
    // "grand-prix-circuit" gives "Grand Prix Circuit", "digger98" "Digger 98": words split at "-"
    // and "_", a number at a word's end set apart, and capitals only for a name written without
    // any ("DOOM" and "CommanderKeen" keep theirs).
    static QString readableTitle(const QString& name);
    // Whether the source is a .zip file (by its name), which the add unpacks.
    static bool isArchive(const QString& source);

    // What a game is added from, known by its content.
    enum class Source
    {
        Folder,
        Archive,          // a .zip, or a browser bundle (".jsdos")
        DosboxSetup,      // a DOSBox configuration file with the folder it mounts
        WindowsInstaller, // a store's installer, unpacked with innoextract
        LinuxInstaller,   // a store's Linux installer, a zip after a shell header
    };
    static std::optional<Source> sourceOf(const QString& path);
    // Whether a game may be added from the path, by its name alone (a drag over the window reads
    // no file): a folder, or a file named like one of the sources.
    static bool mayBeSource(const QString& path);
    // "a store's game", "a browser bundle", … for the summary of what was added.
    QString sourceKind() const;
    // A folder's files as the picker reads them: the top folder and the folders one level below.
    static QList<ProgramPicker::File> listFolder(const QString& folder);

    // One of many adds: a game whose name is already in the library is skipped (start() then
    // returns false and skipped() says so) instead of asking, and the best program is taken
    // without asking.
    void setSkipExisting(bool skip) { m_skipExisting = skip; }

    // One game of a store's pack, counted from 0 (the primary game, as start() adds by default).
    void setPackGame(int index) { m_packGame = index; }
    int packGame() const { return m_packGame; }
    // What the game is added from, as start() was given it.
    QString source() const { return m_source; }
    // How many games the source's set-up holds, once it is read: the others are added by
    // starting again with each further index.
    int packGames() const { return m_foreign ? m_foreign->packGames : 1; }
    bool skipped() const { return m_skipped; }

    // What the add found, shown to the user before anything is added; every field may change.
    // Paths are relative to the game's folder; empty: none.
    struct Proposal
    {
        QString title;
        QString program;
        QString setup;
        QString cdImage;
        QStringList floppyImages;
        QStringList programs; // every file that could start the game (or its setup), best first
        QStringList cdImages;
        QStringList notCarried; // what the game's own set-up had that does not come along
        QString kind;           // what it is added from ("a store's game"); empty for a plain folder
        bool operator==(const Proposal&) const = default;
    };
    // The proposal for a game's files: the picker's choices, and the other files that could be
    // chosen instead.
    static Proposal propose(const QList<ProgramPicker::File>& files, const QString& title);

    // Asks the user to confirm or change the proposal; the answer, nothing for Cancel, may come
    // later. Without one (the command line), the add goes on with what it found.
    using Confirmation =
        std::function<void(const Proposal&, std::function<void(const std::optional<Proposal>&)>)>;
    void setConfirmation(Confirmation confirmation) { m_confirmation = std::move(confirmation); }

Q_SIGNALS:
    void installed(const QString& configFile);
    // What was found: relative paths inside the game folder, empty when none.
    void picked(const QString& program, const QString& setup, const QString& cdImage);

private:
    bool chooseName();
    QString contentFolder(const QString& name) const;
    // Where a set-up's saved games wait to come in as the game's; no base name begins with a dot.
    QString stagedSaves() const;
    std::optional<QString> requestedProgram(const QList<ProgramPicker::File>& files) const;
    void copyFolder(const QString& source);
    void listArchive(const QString& archive);
    void unpacked(const ProcessRunner::Result& result);
    void unpackWindowsInstaller();
    void installerUnpacked(const ProcessRunner::Result& result);
    // The source's files are in the staging folder: the game is read from them.
    void staged(const QString& root, bool ownCopy);
    void contentReady(const std::optional<QString>& error);
    void foreignReady();
    // DOSBox-X reads a set-up's settings on a worker thread as soon as they are known, while the
    // files are still being copied or unpacked; then() runs once it has read them.
    void readSettings(const QList<DosboxSettings::Setting>& settings);
    void afterSettingsRead(std::function<void(const DosboxCheck::CarriedOver&)> then);
    void unpackInstallerSettings();
    void propose(Proposal proposal);
    void addAsProposed(const Proposal& proposal);
    std::optional<QString> writeConfig(const QString& program, const QString& setup, const QString& cdImage);
    void install();
    void fail(const QString& message);

    Source m_kind = Source::Folder;
    QString m_source;
    QString m_title;
    bool m_titleGiven = false;
    int m_packGame = 0;
    bool m_nameDeferred = false; // the name is chosen once the set-up names the game
    std::optional<ForeignGame> m_foreign;
    QList<DosboxSettings::Setting> m_keptSettings;
    QStringList m_notCarried;
    struct SettingsReading
    {
        QList<DosboxSettings::Setting> settings;
        std::optional<DosboxCheck::CarriedOver> carried; // once read
        std::function<void(const DosboxCheck::CarriedOver&)> then;
    };
    std::shared_ptr<SettingsReading> m_reading;
    QPointer<QProcess> m_settingsUnpack;
    QString m_name;            // the base name in the library
    bool m_mayReplace = false; // the user agreed to replace a game of that name
    bool m_skipExisting = false;
    bool m_skipped = false;
    QString m_requestedProgram;
    Confirmation m_confirmation;
};
