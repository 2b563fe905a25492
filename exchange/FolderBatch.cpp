#include "exchange/FolderBatch.h"

#include "exchange/ArchiveFormat.h"
#include "exchange/FolderAddJob.h"
#include "library/LibraryLayout.h"
#include "platform/Diagnostics.h"
#include "platform/Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>

namespace FolderBatch {

namespace {

// How long one archive's listing may take before it counts as unreadable.
constexpr int ListingMilliseconds = 30000;

// A tool's standard output, nothing when it fails or takes too long.
std::optional<QByteArray> toolOutput(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(ListingMilliseconds) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        process.kill();
        process.waitForFinished();
        return std::nullopt;
    }
    return process.readAllStandardOutput();
}

// The members' unpacked sizes from a short listing ("-rw-r--r-- 3.0 unx 3000 bx defN ..."),
// in member order.
QList<qint64> memberSizes(const QByteArray& listing)
{
    static const QRegularExpression line(QStringLiteral("^[-a-zA-Z?]{10}\\s+\\S+\\s+\\S+\\s+(\\d+)\\s"));
    QList<qint64> sizes;
    for (const QByteArray& text : listing.split('\n')) {
        const QRegularExpressionMatch match = line.match(QString::fromLatin1(text));
        if (match.hasMatch())
            sizes.append(match.captured(1).toLongLong());
    }
    return sizes;
}

// A .zip file's files by their listing, as the add would see them once unpacked: an archive of
// one folder gives that folder's contents.
QList<ProgramPicker::File> listArchive(const QString& archive)
{
    const ProcessRunner::Command names = ArchiveFormat::zipinfoCommand(archive);
    const std::optional<QByteArray> listing = toolOutput(names.program, names.arguments);
    if (!listing)
        return {};
    const QStringList members = ArchiveFormat::memberNames(*listing);
    QList<qint64> sizes;
    if (const std::optional<QByteArray> detailed =
            toolOutput(names.program, {QStringLiteral("-s"), names.arguments.last()}))
        sizes = memberSizes(*detailed);
    if (sizes.size() != members.size())
        sizes = QList<qint64>(members.size(), 0);
    const QString top = members.value(0).section(u'/', 0, 0) + u'/';
    const bool oneFolder = std::any_of(members.cbegin(), members.cend(),
                                       [&](const QString& member) { return member.startsWith(top); }) &&
                           std::all_of(members.cbegin(), members.cend(), [&](const QString& member) {
                               return member.startsWith(top) || member == top.chopped(1);
                           });
    QList<ProgramPicker::File> files;
    for (qsizetype i = 0; i < members.size(); ++i) {
        const QString path = oneFolder ? members.at(i).mid(top.size()) : members.at(i);
        if (!path.isEmpty() && !path.endsWith(u'/'))
            files.append({path, sizes.at(i)});
    }
    return files;
}

} // namespace

QList<Found> scan(const QString& folder)
{
    QList<Found> found;
    const QFileInfoList items = QDir(folder).entryInfoList(QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot,
                                                           QDir::Name | QDir::IgnoreCase);
    const QString library = QDir::cleanPath(Paths::libraryFolder());
    for (const QFileInfo& item : items) {
        // Folders, archives, installers and DOSBox configurations, known by their content.
        const bool archive = FolderAddJob::isArchive(item.absoluteFilePath());
        if (!FolderAddJob::sourceOf(item.absoluteFilePath()))
            continue;
        // A link may lead anywhere (to "/" itself): only what the folder holds is a game of it.
        if (item.isSymLink()) {
            logLine(QStringLiteral("⚠️ Skipped, a link and not a game of the folder: ") +
                    item.absoluteFilePath());
            continue;
        }
        if (QDir::cleanPath(item.absoluteFilePath()).startsWith(library + u'/'))
            continue; // the library's own folders are games already
        Found game;
        game.source = item.absoluteFilePath();
        game.title = FolderAddJob::titleFor(game.source);
        // By its title, or by the folder's plain name that earlier versions took as the title.
        const auto inLibrary = [](const QString& title) {
            const QString baseName = LibraryLayout::baseNameForTitle(title);
            return !baseName.isEmpty() &&
                   QFile::exists(LibraryLayout::configFilePath(Paths::libraryFolder(), baseName));
        };
        game.inLibrary =
            inLibrary(game.title) || inLibrary(item.isDir() ? item.fileName() : item.completeBaseName());
        const QList<ProgramPicker::File> files = archive        ? listArchive(game.source)
                                                 : item.isDir() ? FolderAddJob::listFolder(game.source)
                                                                : QList<ProgramPicker::File>();
        const FolderAddJob::Proposal proposal = FolderAddJob::propose(files, game.title);
        game.program = proposal.program;
        game.cdImage = proposal.cdImage;
        found.append(game);
    }
    return found;
}

QString summary(const Tally& tally)
{
    return QCoreApplication::translate("FolderBatch",
                                       "Added %1 of %2 games; %3 already in the library, %4 not added")
        .arg(tally.added)
        .arg(tally.total)
        .arg(tally.skipped)
        .arg(tally.failed);
}

} // namespace FolderBatch
