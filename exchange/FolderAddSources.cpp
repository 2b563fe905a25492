// Where the files of a game being added come from: a copied folder, an unpacked archive or
// installer, or the folders a DOSBox configuration mounts; and what a foreign set-up brings.
#include "exchange/ArchiveFormat.h"
#include "exchange/FolderAddJob.h"
#include "exchange/ForeignGameArrangement.h"
#include "exchange/Installation.h"
#include "exchange/InstallerTools.h"
#include "library/DosboxCheck.h"
#include "library/HostReach.h"
#include "library/LibraryLayout.h"
#include "platform/BackgroundTask.h"
#include "platform/Emulator.h"
#include "platform/Paths.h"
#include "platform/Prompter.h"
#include "platform/StagingFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QRegularExpression>

namespace {

QString unpackedFolder(const StagingFolder& staging)
{
    return staging.filePath(QStringLiteral("unpacked"));
}

// An installer's name without the store's words: "setup_cave_run_1.0.2_(123).exe" gives
// "cave_run".
QString installerName(const QString& source)
{
    static const QRegularExpression store(
        QStringLiteral("^(?:setup_|gog_)?(.*?)(?:_[\\d.]+)*(?:_\\(\\d+\\))?(?:_v?[\\d.]+)*$"),
        QRegularExpression::CaseInsensitiveOption);
    const QString base = QFileInfo(source).completeBaseName();
    const QRegularExpressionMatch match = store.match(base);
    return match.hasMatch() && !match.captured(1).isEmpty() ? match.captured(1) : base;
}

} // namespace

bool FolderAddJob::isArchive(const QString& source)
{
    const QFileInfo info(source);
    return info.isFile() && (info.suffix().compare(QStringLiteral("zip"), Qt::CaseInsensitive) == 0 ||
                             info.suffix().compare(QStringLiteral("jsdos"), Qt::CaseInsensitive) == 0);
}

std::optional<FolderAddJob::Source> FolderAddJob::sourceOf(const QString& path)
{
    const QFileInfo info(path);
    if (info.isDir())
        return Source::Folder;
    if (isArchive(path))
        return Source::Archive;
    if (ForeignGame::isConfiguration(path))
        return Source::DosboxSetup;
    if (InstallerTools::isLinuxInstaller(path))
        return Source::LinuxInstaller;
    if (InstallerTools::isWindowsInstaller(path))
        return Source::WindowsInstaller;
    return std::nullopt;
}

bool FolderAddJob::mayBeSource(const QString& path)
{
    static const QStringList suffixes{QStringLiteral("zip"), QStringLiteral("jsdos"), QStringLiteral("conf"),
                                      QStringLiteral("sh"), QStringLiteral("exe")};
    const QFileInfo info(path);
    return info.isDir() || (info.isFile() && suffixes.contains(info.suffix().toLower()));
}

QString FolderAddJob::sourceKind() const
{
    switch (m_kind) {
    case Source::WindowsInstaller:
        return tr("a store's Windows installer");
    case Source::LinuxInstaller:
        return tr("a store's Linux installer");
    case Source::DosboxSetup:
        return tr("a DOSBox configuration");
    case Source::Folder:
    case Source::Archive:
        break;
    }
    if (!m_foreign)
        return {};
    switch (m_foreign->kind) {
    case ForeignGame::Kind::StoreGame:
        return tr("a store's game");
    case ForeignGame::Kind::Bundle:
        return tr("a browser bundle");
    case ForeignGame::Kind::DosboxSetup:
        return tr("a DOSBox configuration");
    }
    return {};
}

QString FolderAddJob::titleFor(const QString& source)
{
    const QFileInfo info(source);
    if (info.isDir()) {
        // A store's folder names its game in its info file.
        if (const std::optional<ForeignGame> foreign = ForeignGame::readFolder(source);
            foreign && !foreign->title.isEmpty())
            return foreign->title;
        return readableTitle(info.fileName());
    }
    if (ForeignGame::isConfiguration(source)) {
        if (const std::optional<ForeignGame> foreign = ForeignGame::readConfiguration(source))
            return readableTitle(foreign->title);
    }
    if (InstallerTools::isWindowsInstaller(source) || InstallerTools::isLinuxInstaller(source))
        return readableTitle(installerName(source));
    return readableTitle(info.completeBaseName());
}

QString FolderAddJob::readableTitle(const QString& name)
{
    const bool lowerCaseOnly = name == name.toLower();
    static const QRegularExpression trailingNumber(QStringLiteral("^(.*\\p{L})(\\d+)$"));
    static const QRegularExpression separators(QStringLiteral("[-_]+"));
    QStringList words;
    for (const QString& part : name.split(separators, Qt::SkipEmptyParts)) {
        const QRegularExpressionMatch match = trailingNumber.match(part);
        for (QString word :
             match.hasMatch() ? QStringList{match.captured(1), match.captured(2)} : QStringList{part}) {
            if (lowerCaseOnly && !word.isEmpty())
                word[0] = word.at(0).toUpper();
            words.append(word);
        }
    }
    // A name of nothing but separators stays as it was: the title check says what is wrong.
    return words.isEmpty() ? name : words.join(u' ');
}

void FolderAddJob::listArchive(const QString& archive)
{
    const bool installer = m_kind == Source::LinuxInstaller;
    m_runner.run(
        ArchiveFormat::zipinfoCommand(archive), true,
        guarded([this, installer](const ProcessRunner::Result& result) {
            if (!result.error.isEmpty()) {
                fail(ArchiveFormat::startFailure(result.program, result.error));
                return;
            }
            QStringList members = ArchiveFormat::memberNames(result.output);
            if (installer) // only the game's part is unpacked
                members.removeIf([](const QString& member) {
                    return !member.startsWith(InstallerTools::LinuxGamePart + u'/');
                });
            // A Linux installer's zip follows a shell header, which zipinfo warns about.
            const bool listed =
                installer ? InstallerTools::unzipSucceeded(result.exitCode) : result.exitCode == 0;
            if (!listed || members.isEmpty()) {
                fail(installer ? tr("%1 is no store's Linux installer of a game.")
                                     .arg(QFileInfo(m_source).fileName())
                               : tr("%1 is not a zip archive.").arg(QFileInfo(m_source).fileName()));
                return;
            }
            // The import's rules: nothing may land outside the staging folder.
            if (const std::optional<QString> unsafe = ArchiveFormat::unsafeMember(members)) {
                fail(tr("The archive holds the member \"%1\", which would be written outside its folder.")
                         .arg(*unsafe));
                return;
            }
            QDir().mkpath(unpackedFolder(*m_staging));
            runTool(installer
                        ? InstallerTools::unzipLinuxInstallerCommand(m_source, unpackedFolder(*m_staging))
                        : ArchiveFormat::unzipCommand(unpackedFolder(*m_staging), m_source),
                    members.size(), ArchiveFormat::UnzipItemPrefixes,
                    [this](const ProcessRunner::Result& unzipped) { unpacked(unzipped); });
        }));
}

void FolderAddJob::unpacked(const ProcessRunner::Result& result)
{
    if (isCancelled()) {
        end(false);
        return;
    }
    const bool installer = m_kind == Source::LinuxInstaller;
    if (!result.error.isEmpty() ||
        !(installer ? InstallerTools::unzipSucceeded(result.exitCode) : result.exitCode == 0)) {
        fail(result.error.isEmpty() ? tr("Could not unpack %1.").arg(QFileInfo(m_source).fileName())
                                    : ArchiveFormat::startFailure(result.program, result.error));
        return;
    }
    if (installer) {
        staged(unpackedFolder(*m_staging) + u'/' + InstallerTools::LinuxGamePart, true);
        return;
    }
    // An archive of one folder gives that folder's contents as drive C.
    const QFileInfoList top = QDir(unpackedFolder(*m_staging))
                                  .entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    staged(top.size() == 1 && top.first().isDir() && !top.first().isSymLink() ? top.first().filePath()
                                                                              : unpackedFolder(*m_staging),
           true);
}

void FolderAddJob::unpackWindowsInstaller()
{
    m_runner.run(
        InstallerTools::innoextractVersionCommand(), true,
        guarded([this](const ProcessRunner::Result& version) {
            const std::optional<QString> problem = InstallerTools::innoextractProblem(
                version.error.isEmpty() ? InstallerTools::innoextractVersion(version.output) : std::nullopt);
            if (problem) {
                fail(*problem);
                return;
            }
            m_runner.run(InstallerTools::innoextractListCommand(m_source), true,
                         guarded([this](const ProcessRunner::Result& listing) {
                             if (!listing.error.isEmpty() || listing.exitCode != 0) {
                                 fail(tr("innoextract cannot read %1 as an installer.")
                                          .arg(QFileInfo(m_source).fileName()));
                                 return;
                             }
                             QDir().mkpath(unpackedFolder(*m_staging));
                             unpackInstallerSettings();
                             runTool(
                                 InstallerTools::innoextractCommand(m_source, unpackedFolder(*m_staging)),
                                 InstallerTools::listedFiles(listing.output),
                                 InstallerTools::InnoextractItemPrefixes,
                                 [this](const ProcessRunner::Result& result) { installerUnpacked(result); });
                         }));
        }));
}

void FolderAddJob::installerUnpacked(const ProcessRunner::Result& result)
{
    if (m_settingsUnpack) {
        // Not needed any more: the whole installer is unpacked (or the add ends). It is gone before
        // anything else happens in the staging folder it writes to.
        m_settingsUnpack->kill();
        m_settingsUnpack->waitForFinished(5000);
    }
    if (isCancelled()) {
        end(false);
        return;
    }
    if (!result.error.isEmpty() || result.exitCode != 0) {
        fail(tr("innoextract could not unpack %1.").arg(QFileInfo(m_source).fileName()));
        return;
    }
    staged(unpackedFolder(*m_staging), true);
}

void FolderAddJob::staged(const QString& root, bool ownCopy)
{
    if (const std::optional<QString> link =
            Installation::linkLeavingGame(m_staging->path(), QStringLiteral("unpacked"))) {
        fail(tr("The archive holds the link \"%1\", which leads out of the game folder.").arg(*link));
        return;
    }
    if (ownCopy)
        m_foreign = ForeignGame::readFolder(ForeignGame::joinUnpackedInstaller(root), m_packGame);
    if ((m_kind == Source::WindowsInstaller || m_kind == Source::LinuxInstaller || m_packGame > 0) &&
        !m_foreign) {
        fail(tr("%1 holds no DOS game set up for DOSBox.").arg(QFileInfo(m_source).fileName()));
        return;
    }
    // Someone else's set-up never reaches past its own files: a drive C, CD image, floppy or saves
    // folder above them ("mount c ..\..") is refused or left out, never moved or copied.
    if (m_foreign && ownCopy) {
        const QString top = QDir::cleanPath(unpackedFolder(*m_staging));
        const auto inside = [&top](const QString& path) {
            return path == top || path.startsWith(top + u'/');
        };
        if (!inside(m_foreign->driveC)) {
            fail(tr("%1 mounts a folder outside its own files as drive C.")
                     .arg(QFileInfo(m_source).fileName()));
            return;
        }
        for (QString* path : {&m_foreign->cdImage, &m_foreign->saves}) {
            if (!path->isEmpty() && !inside(*path)) {
                m_foreign->notCarried.append(tr("%1 — outside the game's own files").arg(*path));
                path->clear();
            }
        }
        m_foreign->floppyImages.removeIf([&](const QString& image) { return !inside(image); });
    }
    const QString content = contentFolder(m_name);
    // Drive C is the set-up's, which need not be the top folder: a Linux installer's "data".
    const QString driveC = m_foreign && ownCopy ? m_foreign->driveC : root;
    if (!QDir().rename(driveC, content)) {
        fail(tr("Could not prepare the game's files."));
        return;
    }
    if (m_foreign) {
        ForeignGameArrangement::Arranged arranged;
        if (const std::optional<QString> error =
                ForeignGameArrangement::arrange(*m_foreign, content, ownCopy, stagedSaves(), &arranged)) {
            fail(*error);
            return;
        }
        m_foreign->cdImage = arranged.cdImage;
        m_notCarried = m_foreign->notCarried + arranged.notCarried;
    }
    contentReady(std::nullopt);
}

void FolderAddJob::readSettings(const QList<DosboxSettings::Setting>& settings)
{
    auto reading = std::make_shared<SettingsReading>();
    reading->settings = settings;
    m_reading = reading;
    auto carried = std::make_shared<DosboxCheck::CarriedOver>();
    BackgroundTask::start(
        this, [carried, settings] { *carried = DosboxCheck::carryOver(Emulator(), settings); },
        [reading, carried] {
            reading->carried = *carried;
            if (const auto then = std::exchange(reading->then, {}))
                then(*reading->carried);
        });
}

void FolderAddJob::afterSettingsRead(std::function<void(const DosboxCheck::CarriedOver&)> then)
{
    // Read early from what the source said, unless the set-up read at last says otherwise.
    if (!m_reading || m_reading->settings != m_foreign->settings)
        readSettings(m_foreign->settings);
    if (m_reading->carried)
        then(*m_reading->carried);
    else
        m_reading->then = std::move(then);
}

void FolderAddJob::unpackInstallerSettings()
{
    // The store's configurations alone, beside the whole unpack: DOSBox-X reads their settings
    // while the game's files are still coming.
    const QString folder = m_staging->filePath(QStringLiteral("settings"));
    QDir().mkpath(folder + QStringLiteral("/app"));
    m_settingsUnpack =
        m_runner.run(InstallerTools::innoextractCommand(m_source, folder, InstallerTools::SupportPart), true,
                     guarded([this, folder](const ProcessRunner::Result& result) {
                         if (result.exitCode != 0 || isCancelled())
                             return;
                         if (const std::optional<ForeignGame> early = ForeignGame::readFolder(
                                 ForeignGame::joinUnpackedInstaller(folder), m_packGame))
                             readSettings(early->settings);
                     }));
}

void FolderAddJob::foreignReady()
{
    afterSettingsRead([this](const DosboxCheck::CarriedOver& read) {
        const DosboxCheck::CarriedOver* carried = &read;
        if (isCancelled()) {
            end(false);
            return;
        }
        // Settings that would reach past the game's own drives stay behind, as for any game
        // from someone else.
        QString text;
        DosboxSettings::apply(carried->kept, text);
        QStringList dropped;
        const QString library = Paths::libraryFolder();
        const QString safe = HostReach::madeSafe(
            text,
            {LibraryLayout::gameFolder(library, m_name), {LibraryLayout::mt32Folder(library)}, QString()},
            &dropped);
        m_keptSettings = DosboxSettings::parse(safe);
        m_notCarried += carried->notCarried;
        for (const QString& reach : std::as_const(dropped))
            m_notCarried.append(tr("%1 — it reaches past the game's own drives").arg(reach));
        if (carried->notChecked)
            m_notCarried.append(tr("The settings were carried over unchecked: %1").arg(*carried->notChecked));

        const QList<ProgramPicker::File> files = listFolder(contentFolder(m_name));
        // The set-up's own name for the game; a differing one names it anew when it is added.
        Proposal proposal = FolderAddJob::propose(
            files, m_titleGiven || m_foreign->title.isEmpty() ? m_title : m_foreign->title);
        proposal.floppyImages.clear(); // already in the floppy folder
        if (!m_foreign->program.isEmpty())
            proposal.program = m_foreign->program;
        if (!m_foreign->setup.isEmpty())
            proposal.setup = m_foreign->setup;
        proposal.cdImage = m_foreign->cdImage;
        if (!m_requestedProgram.isEmpty()) {
            if (const std::optional<QString> asked = requestedProgram(files)) {
                proposal.program = *asked;
            } else {
                fail(tr("%1 has no program called %2.")
                         .arg(QFileInfo(m_source).fileName(), m_requestedProgram));
                return;
            }
        }
        // What the set-up names is offered even where the listing does not reach.
        for (const QString& program : {proposal.program, proposal.setup}) {
            if (!program.isEmpty() && !proposal.programs.contains(program))
                proposal.programs.append(program);
        }
        if (!proposal.cdImage.isEmpty() && !proposal.cdImages.contains(proposal.cdImage))
            proposal.cdImages.prepend(proposal.cdImage);
        proposal.notCarried = m_notCarried;
        proposal.kind = sourceKind();
        propose(proposal);
    });
}
