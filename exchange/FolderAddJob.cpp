#include "exchange/FolderAddJob.h"

#include "exchange/ArchiveFormat.h"
#include "exchange/Installation.h"
#include "exchange/InstallerTools.h"
#include "library/ConfigText.h"
#include "library/EntryCreation.h"
#include "library/GameExePath.h"
#include "library/HostAccess.h"
#include "library/LibraryLayout.h"
#include "library/LibraryLoader.h"
#include "library/ProgramKeys.h"
#include "library/ProgramPicker.h"
#include "library/ReplaceQuestion.h"
#include "platform/BackgroundTask.h"
#include "platform/Diagnostics.h"
#include "platform/Paths.h"
#include "platform/Prompter.h"
#include "platform/StagingFolder.h"
#include "platform/TextFile.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QRegularExpression>

FolderAddJob::FolderAddJob(Prompter& prompter, ProcessRunner& runner, QObject* parent)
    : ProgressJob(prompter, runner, parent)
{}

FolderAddJob::~FolderAddJob() = default;

QList<ProgramPicker::File> FolderAddJob::listFolder(const QString& folder)
{
    QList<ProgramPicker::File> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QString relative = it.filePath().mid(folder.size() + 1);
        if (relative.count(u'/') > 1)
            continue;
        ProgramPicker::File file{relative, it.fileInfo().size()};
        if (it.fileInfo().suffix().compare(QStringLiteral("bat"), Qt::CaseInsensitive) == 0) {
            QFile batch(it.filePath());
            if (batch.open(QIODevice::ReadOnly))
                file.batchText = QString::fromLatin1(batch.read(4096));
        }
        files.append(file);
    }
    return files;
}

bool FolderAddJob::start(const QString& source, const QString& title, const QString& program)
{
    const QFileInfo info(source);
    const std::optional<Source> kind = sourceOf(source);
    if (!kind) {
        m_prompter.showAlert(tr("Add Game Failed"),
                             tr("%1 is neither a folder nor a .zip file, a browser bundle, a DOSBox "
                                "configuration or a store's installer.")
                                 .arg(source));
        return false;
    }
    m_kind = *kind;
    m_source = info.absoluteFilePath();
    if (m_kind == Source::DosboxSetup) {
        // Read where it is: its drive C may be any folder beside it.
        m_foreign = ForeignGame::readConfiguration(m_source);
        if (!m_foreign) {
            m_prompter.showAlert(
                tr("Add Game Failed"),
                tr("The DOSBox configuration %1 mounts no folder of this computer as drive C.")
                    .arg(info.fileName()));
            return false;
        }
        // The home folder (or a folder holding it) as a game's drive C would hand the game every
        // file of the user.
        const QString home = QDir::cleanPath(Paths::homeFolder());
        if (home == m_foreign->driveC || home.startsWith(m_foreign->driveC + u'/') ||
            m_foreign->driveC == u"/") {
            m_prompter.showAlert(tr("Add Game Failed"),
                                 tr("The DOSBox configuration %1 mounts %2 as drive C, which holds your home "
                                    "folder: a game gets only its own folder.")
                                     .arg(info.fileName(), m_foreign->driveC));
            return false;
        }
    }
    // A folder is read where it is, once: its set-up names the game (a pack's further game too),
    // and DOSBox-X reads its settings while it is copied.
    const std::optional<ForeignGame> early =
        m_kind == Source::Folder ? ForeignGame::readFolder(m_source, m_packGame) : std::nullopt;
    m_titleGiven = !title.trimmed().isEmpty();
    if (m_titleGiven)
        m_title = title.trimmed();
    else if (early && !early->title.isEmpty())
        m_title = early->title;
    else
        m_title = (m_kind == Source::Folder ? readableTitle(info.fileName()) : titleFor(source)).trimmed();
    // A further game of a pack not named yet: named once its set-up is unpacked and read.
    m_nameDeferred = m_packGame > 0 && !m_titleGiven && !(early && !early->title.isEmpty());
    m_subject = m_title;
    m_requestedProgram = program;
    if (m_nameDeferred)
        m_name = LibraryLayout::baseNameForTitle(m_title) + QStringLiteral(" (pack)");
    else if (!chooseName())
        return false;

    setBusy(true);
    m_staging = std::make_unique<StagingFolder>();
    if (!m_staging->isValid()) {
        fail(m_staging->error());
        return true;
    }
    switch (m_kind) {
    case Source::Archive:
    case Source::LinuxInstaller:
        listArchive(m_source);
        break;
    case Source::WindowsInstaller:
        unpackWindowsInstaller();
        break;
    case Source::DosboxSetup:
        readSettings(m_foreign->settings); // while its drive C is copied
        copyFolder(m_foreign->driveC);
        break;
    case Source::Folder:
        if (early)
            readSettings(early->settings);
        copyFolder(m_source);
        break;
    }
    return true;
}

bool FolderAddJob::chooseName()
{
    const QString base = LibraryLayout::baseNameForTitle(m_title);
    if (const std::optional<QString> problem = EntryCreation::titleProblem(base)) {
        m_prompter.showAlert(tr("Invalid Title"), *problem);
        return false;
    }
    m_name = base;
    const QString library = Paths::libraryFolder();
    if (!QFile::exists(LibraryLayout::configFilePath(library, base)))
        return true;
    if (m_skipExisting) {
        m_skipped = true;
        return false;
    }
    const std::optional<ConfigEntry> existing =
        LibraryLoader::readEntry(LibraryLayout::configFilePath(library, base));
    switch (
        ReplaceQuestion::ask(m_prompter, existing && !existing->title.isEmpty() ? existing->title : base)) {
    case ReplaceQuestion::Answer::KeepBoth:
        m_name = ReplaceQuestion::freeName(library, base);
        m_title += m_name.mid(base.size());
        return true;
    case ReplaceQuestion::Answer::Replace:
        m_mayReplace = true; // swapped in over the old game once complete
        return true;
    case ReplaceQuestion::Answer::Cancel:
        break;
    }
    return false;
}

void FolderAddJob::copyFolder(const QString& source)
{
    // Copied at the speed of the disks, on a worker thread, with the bytes as progress.
    auto error = std::make_shared<std::optional<QString>>();
    const qint64 total = FileOperations::treeSize(source);
    // Nothing is copied that could not fit: first the staging folder, then the library.
    const QStringList targets{m_staging->path(), QFileInfo(Paths::libraryFolder()).exists()
                                                     ? Paths::libraryFolder()
                                                     : Paths::homeFolder()};
    if (const std::optional<QString> problem = spaceProblem(total, targets)) {
        fail(tr("The game %1 does not fit. %2").arg(m_title, *problem));
        return;
    }
    const QPointer<FolderAddJob> self(this);
    auto done = std::make_shared<qint64>(0);
    BackgroundTask::start(
        this,
        [error, source, target = m_staging->filePath(QStringLiteral("unpacked")), cancel = sharedCancelFlag(),
         self, done, total] {
            *error = FileOperations::copyTree(
                source, target, FileOperations::Links::ContentIfInside, cancel.get(),
                [self, done, total](qint64 bytes) {
                    *done += bytes;
                    QMetaObject::invokeMethod(
                        self,
                        [self, copied = *done, total] {
                            if (self)
                                Q_EMIT self->progressed(copied, total, QFileInfo(self->m_source).fileName());
                        },
                        Qt::QueuedConnection);
                });
        },
        [this, error] {
            if (*error || isCancelled())
                contentReady(*error);
            else
                staged(m_staging->filePath(QStringLiteral("unpacked")), m_kind != Source::DosboxSetup);
        });
}

QString FolderAddJob::contentFolder(const QString& name) const
{
    return m_staging->filePath(name);
}

QString FolderAddJob::stagedSaves() const
{
    return m_staging->filePath(QStringLiteral(".saves"));
}

std::optional<QString> FolderAddJob::requestedProgram(const QList<ProgramPicker::File>& files) const
{
    // Any of the game's files the user names, a helper the pick left out included.
    const auto asked = std::find_if(files.cbegin(), files.cend(), [&](const ProgramPicker::File& file) {
        return QFileInfo(file.path).fileName().compare(m_requestedProgram, Qt::CaseInsensitive) == 0 ||
               file.path.compare(m_requestedProgram, Qt::CaseInsensitive) == 0;
    });
    return asked == files.cend() ? std::nullopt : std::optional<QString>(asked->path);
}

void FolderAddJob::contentReady(const std::optional<QString>& error)
{
    if (isCancelled()) {
        end(false);
        return;
    }
    if (error) {
        fail(*error);
        return;
    }
    if (m_foreign) {
        foreignReady();
        return;
    }
    const QList<ProgramPicker::File> files = listFolder(contentFolder(m_name));
    const ProgramPicker::Picked found = ProgramPicker::pick(files, m_title);
    QString program;
    if (!m_requestedProgram.isEmpty()) {
        const std::optional<QString> asked = requestedProgram(files);
        if (!asked) {
            fail(tr("%1 has no program called %2.").arg(QFileInfo(m_source).fileName(), m_requestedProgram));
            return;
        }
        program = *asked;
    } else if (found.ask && !m_confirmation && !m_skipExisting) {
        // Too close to call: the user knows the game (in the window, the proposal asks).
        QStringList paths;
        for (const ProgramPicker::Candidate& candidate : found.candidates)
            paths.append(candidate.path);
        const std::optional<int> chosen = m_prompter.choose(
            {tr("Which Program Starts the Game?"),
             tr("Several programs could start \"%1\". Choose the one that starts the game.").arg(m_title),
             Prompter::Style::Informational,
             {}},
            paths);
        if (!chosen) {
            cancel();
            end(false);
            return;
        }
        program = paths.at(*chosen);
    } else if (!found.candidates.isEmpty()) {
        program = found.candidates.first().path;
    }

    Proposal proposal = propose(files, m_title);
    proposal.program = program;
    propose(proposal);
}

void FolderAddJob::propose(Proposal proposal)
{
    if (!m_confirmation) {
        addAsProposed(proposal);
        return;
    }
    const QPointer<FolderAddJob> self(this);
    m_confirmation(proposal, [self](const std::optional<Proposal>& answer) {
        if (!self)
            return;
        if (!answer) {
            self->cancel();
            self->end(false);
            return;
        }
        self->addAsProposed(*answer);
    });
}

FolderAddJob::Proposal FolderAddJob::propose(const QList<ProgramPicker::File>& files, const QString& title)
{
    const ProgramPicker::Picked found = ProgramPicker::pick(files, title);
    Proposal proposal{title,
                      found.candidates.isEmpty() ? QString() : found.candidates.first().path,
                      found.setupProgram,
                      found.cdImage,
                      found.floppyImages,
                      {},
                      {},
                      {},
                      {}};
    for (const ProgramPicker::Candidate& candidate : found.candidates)
        proposal.programs.append(candidate.path);
    for (const ProgramPicker::File& file : files) {
        const QString suffix = QFileInfo(file.path).suffix().toLower();
        if ((suffix == u"exe" || suffix == u"com" || suffix == u"bat") &&
            !proposal.programs.contains(file.path))
            proposal.programs.append(file.path);
        if (suffix == u"iso" || suffix == u"cue")
            proposal.cdImages.append(file.path);
    }
    return proposal;
}

void FolderAddJob::addAsProposed(const Proposal& proposal)
{
    // A title changed in the proposal names the game anew, with its own question about a game
    // of that name.
    if (proposal.title.trimmed() != m_title || m_nameDeferred) {
        m_nameDeferred = false;
        const QString previous = m_name;
        m_title = proposal.title.trimmed();
        m_subject = m_title;
        if (!chooseName()) {
            cancel();
            end(false);
            return;
        }
        if (m_name != previous && !QDir().rename(contentFolder(previous), contentFolder(m_name))) {
            fail(tr("Could not prepare the game's files."));
            return;
        }
    }
    const QString folder = contentFolder(m_name);
    // Floppy images go where the DOS prompt mounts them from.
    const QString floppies = LibraryLayout::floppyFolder(folder);
    QDir().mkpath(floppies);
    for (const QString& image : proposal.floppyImages)
        QDir().rename(QDir(folder).filePath(image), QDir(floppies).filePath(QFileInfo(image).fileName()));

    Q_EMIT picked(proposal.program, proposal.setup, proposal.cdImage);
    if (proposal.program.isEmpty())
        logLine(
            QStringLiteral("⚠️ No program found to start %1: choose one in its settings.").arg(m_title));
    if (const std::optional<QString> error =
            writeConfig(proposal.program, proposal.setup, proposal.cdImage)) {
        fail(*error);
        return;
    }
    install();
}

std::optional<QString> FolderAddJob::writeConfig(const QString& program, const QString& setup,
                                                 const QString& cdImage)
{
    const std::optional<QString> templateText = EntryCreation::templateText();
    if (!templateText)
        return tr("The configuration template could not be read.");
    // A name that no configuration line can hold is refused by name, never cut or left out.
    for (const QString& name : {program, setup, cdImage}) {
        if (!ConfigText::isWritableValue(name))
            return tr("The file name \"%1\" holds a line break or another control character, which a "
                      "configuration file cannot hold. Rename the file and add the game again.")
                .arg(name);
    }
    QString text = EntryCreation::withTitleLine(*templateText, m_title);
    const QString gameFolder = LibraryLayout::gameFolder(Paths::libraryFolder(), m_name);
    // As the settings editor stores them: the program on drive C, the others as host paths.
    if (!program.isEmpty())
        ConfigText::replaceOrAppend(ProgramKeys::GameExe,
                                    GameExePath::shortFolderNames(program).value_or(program), text);
    if (!setup.isEmpty())
        ConfigText::replaceOrAppend(ProgramKeys::SetupExe, gameFolder + u'/' + setup, text);
    if (!cdImage.isEmpty())
        ConfigText::replaceInSection(ProgramKeys::Section, ProgramKeys::CdImage, gameFolder + u'/' + cdImage,
                                     text);
    // What the game's own set-up brings: its settings and its start-up lines before the game.
    DosboxSettings::apply(m_keptSettings, text);
    if (m_foreign && !m_foreign->beforeGame.isEmpty())
        ConfigText::saveCommandSection(ProgramKeys::BeforeGameSection, m_foreign->beforeGame.join(u'\n'),
                                       text);
    return TextFile::writeUtf8Atomically(m_staging->filePath(m_name + QStringLiteral(".conf")), text);
}

void FolderAddJob::install()
{
    const Installation::Destinations destinations =
        Installation::destinations(m_name + QStringLiteral(".conf"), m_name);
    setBusyConfigFile(destinations.config);
    installInBackground(
        m_staging->filePath(m_name + QStringLiteral(".conf")), contentFolder(m_name), destinations,
        m_mayReplace,
        [this, configFile = destinations.config](const std::optional<QString>& error) {
            if (error && isCancelled()) {
                end(false);
            } else if (error) {
                fail(*error);
            } else {
                logLine(QStringLiteral("✅ Game added: ") + configFile);
                for (const QString& item : std::as_const(m_notCarried))
                    logLine(QStringLiteral("⚠️ Not carried over: ") + item);
                HostAccess::setAllowed(configFile, false);
                Q_EMIT installed(configFile);
                end(true);
            }
        },
        QFileInfo(stagedSaves()).isDir() ? stagedSaves() : QString());
}

void FolderAddJob::fail(const QString& message)
{
    failWith(tr("Add Game Failed"), message);
}
