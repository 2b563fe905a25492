#include "exchange/ImportJob.h"

#include "exchange/ArchiveFormat.h"
#include "exchange/Installation.h"
#include "library/EntryCreation.h"
#include "library/GamePictures.h"
#include "library/HostAccess.h"
#include "library/HostReach.h"
#include "library/LibraryLayout.h"
#include "library/LibraryLoader.h"
#include "library/ReplaceQuestion.h"
#include "platform/BackgroundTask.h"
#include "platform/FileOperations.h"
#include "platform/Paths.h"
#include "platform/Prompter.h"
#include "platform/StagingFolder.h"
#include "platform/TextFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

QString droppedSettingsText(const QStringList& dropped)
{
    if (dropped.isEmpty())
        return {};
    return QStringLiteral("\n\n") +
           QCoreApplication::translate("ImportJob", "These settings would reach past the game's own drives "
                                                    "and were left out:\n%1")
               .arg(dropped.join(u'\n'));
}

} // namespace

ImportJob::ImportJob(Prompter& prompter, ProcessRunner& runner, QObject* parent)
    : ProgressJob(prompter, runner, parent)
{}

ImportJob::~ImportJob() = default;

void ImportJob::start(const QString& archivePath, Road road)
{
    m_archivePath = archivePath;
    m_road = road;
    m_subject = QFileInfo(archivePath).completeBaseName();
    if (road == Road::FileManager)
        setBusy(true);
    const QFileInfo archive(archivePath);
    if (!archive.exists()) {
        fail(tr("The file %1 does not exist.").arg(archivePath));
        return;
    }
    // A FIFO or a device would make the tools wait for ever.
    if (!archive.isFile()) {
        fail(tr("%1 is not a file.").arg(archivePath));
        return;
    }
    m_runner.run(ArchiveFormat::zipinfoCommand(archivePath), true,
                 guarded([this](const ProcessRunner::Result& result) { listed(result); }));
}

void ImportJob::listed(const ProcessRunner::Result& result)
{
    if (!result.error.isEmpty()) {
        fail(ArchiveFormat::startFailure(result.program, result.error));
        return;
    }
    const QStringList members = ArchiveFormat::memberNames(result.output);
    if (result.exitCode != 0 || !members.contains(ArchiveFormat::Marker)) {
        fail(tr("%1 is not a Tandril archive.").arg(QFileInfo(m_archivePath).fileName()));
        return;
    }
    // Checked before anything is unpacked: no member may land outside the staging folder.
    if (const std::optional<QString> unsafe = ArchiveFormat::unsafeMember(members)) {
        fail(tr("The TDL file holds the member \"%1\", which would be written outside its folder.")
                 .arg(*unsafe));
        return;
    }
    // The listing's own order: the first configuration file at the top counts.
    const auto config = std::find_if(members.cbegin(), members.cend(), [](const QString& member) {
        return !member.contains(u'/') && QFileInfo(member).suffix() == u"conf";
    });
    if (config == members.cend()) {
        fail(tr("No .conf file found in TDL."));
        return;
    }
    m_configMember = *config;
    m_name = QFileInfo(*config).completeBaseName();
    m_targetName = m_name;
    m_subject = m_name;
    m_memberCount = members.size();
    m_hasFolder = std::any_of(members.cbegin(), members.cend(),
                              [&](const QString& member) { return member.startsWith(m_name + u'/'); });
    // A game folder under another name would be left behind while the import says it worked.
    const auto otherFolder = std::find_if(members.cbegin(), members.cend(), [&](const QString& member) {
        return member.contains(u'/') && !member.startsWith(m_name + u'/');
    });
    if (!m_hasFolder && otherFolder != members.cend()) {
        fail(tr("The TDL file holds the folder \"%1\", but its configuration file is \"%2\": a game's folder "
                "must have its configuration file's name.")
                 .arg(otherFolder->section(u'/', 0, 0), m_configMember));
        return;
    }
    if (const std::optional<QString> problem = EntryCreation::titleProblem(m_name)) {
        fail(*problem);
        return;
    }
    m_runner.run(ArchiveFormat::zipinfoTotalsCommand(m_archivePath), true,
                 guarded([this](const ProcessRunner::Result& result) { sized(result); }));
}

void ImportJob::sized(const ProcessRunner::Result& result)
{
    // Nothing is unpacked that could not fit: staging first, then the library. Each file takes
    // whole blocks of the disk, so many small files need more than their bytes.
    constexpr qint64 BlockSize = 4096;
    const std::optional<qint64> bytes = ArchiveFormat::uncompressedSize(result.output);
    const std::optional<qint64> total =
        bytes ? std::optional<qint64>(*bytes + m_memberCount * BlockSize) : std::nullopt;
    if (total) {
        const QStringList targets{Paths::temporaryFolder(), QFileInfo(Paths::libraryFolder()).exists()
                                                                ? Paths::libraryFolder()
                                                                : Paths::homeFolder()};
        if (const std::optional<QString> problem = spaceProblem(*total, targets)) {
            fail(tr("The game %1 does not fit. %2").arg(m_name, *problem));
            return;
        }
    }
    if (!askAboutConflict()) {
        end(false);
        return;
    }
    unpack();
}

bool ImportJob::askAboutConflict()
{
    const Installation::Destinations destinations =
        Installation::destinations(m_name + QStringLiteral(".conf"), m_name);
    // A folder of the same name counts only when the archive brings a game folder to put there.
    if (!FileOperations::itemExists(destinations.config) &&
        !(m_hasFolder && FileOperations::itemExists(destinations.gameFolder)))
        return true;
    const std::optional<ConfigEntry> existing = LibraryLoader::readEntry(destinations.config);
    const QString title = existing && !existing->title.isEmpty() ? existing->title : m_name;
    switch (ReplaceQuestion::ask(m_prompter, title)) {
    case ReplaceQuestion::Answer::KeepBoth:
        m_targetName = ReplaceQuestion::freeName(Paths::libraryFolder(), m_name);
        return true;
    case ReplaceQuestion::Answer::Replace:
        m_mayReplace = true;
        return true;
    case ReplaceQuestion::Answer::Cancel:
        break;
    }
    return false;
}

void ImportJob::unpack()
{
    setBusyConfigFile(
        Installation::destinations(m_targetName + QStringLiteral(".conf"), m_targetName).config);
    setBusy(true);
    m_staging = std::make_unique<StagingFolder>();
    if (!m_staging->isValid()) {
        fail(m_staging->error());
        return;
    }
    runTool(ArchiveFormat::unzipCommand(m_staging->path(), m_archivePath), m_memberCount,
            ArchiveFormat::UnzipItemPrefixes,
            [this](const ProcessRunner::Result& result) { unpacked(result); });
}

void ImportJob::unpacked(const ProcessRunner::Result& result)
{
    if (endedAfterTool(result, tr("Import Failed")))
        return;
    if (result.exitCode != 0) {
        fail(tr("Could not extract TDL file."));
        return;
    }
    const QDir staging(m_staging->path());
    if (!staging.isReadable()) {
        fail(tr("The folder %1 cannot be read.").arg(m_staging->path()));
        return;
    }
    if (const std::optional<QString> link = Installation::linkLeavingGame(m_staging->path(), m_name)) {
        fail(tr("The TDL file holds the link \"%1\", which leads out of the game folder.").arg(*link));
        return;
    }
    const QString stagedConfig = staging.filePath(m_configMember);
    if (const std::optional<QString> error = prepareConfig(stagedConfig)) {
        fail(*error);
        return;
    }
    // A game folder that is a link would leave the game's files behind (or bring someone else's).
    const QFileInfo folder(staging.filePath(m_name));
    if (folder.isSymLink()) {
        fail(tr("The TDL file's game folder \"%1\" is a link, not a folder.").arg(m_name));
        return;
    }
    install(stagedConfig, folder.isDir() ? folder.filePath() : QString());
}

std::optional<QString> ImportJob::prepareConfig(const QString& stagedConfig) const
{
    const TextFile::ReadResult read = TextFile::readUtf8(stagedConfig);
    if (!read.ok())
        return tr("Could not update user paths in .conf file.");
    QString text = ArchiveFormat::rewriteUserPaths(read.text, Paths::homeFolder());
    if (m_targetName != m_name) {
        // Kept beside the game of the same name: its own title, and paths into its own folder.
        const QString library = Paths::libraryFolder() + u'/';
        text.replace(library + m_name + u'/', library + m_targetName + u'/');
        const std::optional<ConfigEntry> entry = LibraryLoader::readEntry(stagedConfig);
        const QString title = entry && !entry->title.isEmpty() ? entry->title : m_name;
        text = EntryCreation::withTitleLine(text, title + m_targetName.mid(m_name.size()));
    }
    // Someone else's game keeps to its own drives: what would reach further is left out.
    const QString gameFolder = LibraryLayout::gameFolder(Paths::libraryFolder(), m_targetName);
    text = HostReach::madeSafe(text,
                               {gameFolder,
                                {LibraryLayout::mt32Folder(Paths::libraryFolder())},
                                GamePictures::captureFolder(gameFolder)},
                               &m_dropped);
    if (TextFile::writeUtf8Atomically(stagedConfig, text))
        return tr("Could not update user paths in .conf file.");
    return std::nullopt;
}

void ImportJob::install(const QString& stagedConfig, const QString& stagedFolder)
{
    const Installation::Destinations destinations =
        Installation::destinations(m_targetName + QStringLiteral(".conf"), m_targetName);
    installInBackground(stagedConfig, stagedFolder, destinations, m_mayReplace,
                        [this, configFile = destinations.config](const std::optional<QString>& error) {
                            if (error && isCancelled()) {
                                end(false);
                            } else if (error) {
                                fail(*error);
                            } else {
                                // A permission given to an earlier game of this name is not this one's.
                                HostAccess::setAllowed(configFile, false);
                                Q_EMIT installed(configFile);
                                m_prompter.showSuccess(tr("Import Successful"),
                                                       tr("Game imported successfully.") +
                                                           droppedSettingsText(m_dropped));
                                end(true);
                            }
                        });
}

void ImportJob::fail(const QString& message)
{
    failWith(tr("Import Failed"), message);
}
