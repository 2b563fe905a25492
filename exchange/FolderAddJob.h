#pragma once

#include "exchange/ProgressJob.h"
#include "library/ProgramPicker.h"

#include <functional>
#include <optional>

// Adds a game in one step from its folder or a .zip of it: a new game with the folder's name as
// its title, the files as its drive C, and its program, setup program, CD image and floppy images
// found and set. The source is only read. Built in a staging folder and swapped into the library
// like an import, so a failure or Cancel leaves nothing behind.
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
    // A folder's files as the picker reads them: the top folder and the folders one level below.
    static QList<ProgramPicker::File> listFolder(const QString& folder);

    // One of many adds: a game whose name is already in the library is skipped (start() then
    // returns false and skipped() says so) instead of asking, and the best program is taken
    // without asking.
    void setSkipExisting(bool skip) { m_skipExisting = skip; }
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
    void copyFolder(const QString& source);
    void listArchive(const QString& archive);
    void unpacked(const ProcessRunner::Result& result);
    void contentReady(const std::optional<QString>& error);
    void addAsProposed(const Proposal& proposal);
    std::optional<QString> writeConfig(const QString& program, const QString& setup, const QString& cdImage);
    void install();
    void fail(const QString& message);

    QString m_source;
    QString m_title;
    QString m_name;            // the base name in the library
    bool m_mayReplace = false; // the user agreed to replace a game of that name
    bool m_skipExisting = false;
    bool m_skipped = false;
    QString m_requestedProgram;
    Confirmation m_confirmation;
};
