#include "launch/DosCommands.h"

#include "library/LibraryLayout.h"
#include "library/ProgramKeys.h"

#include <algorithm>
#include <QDir>
#include <QRegularExpression>

namespace DosCommands {

namespace {

// DOSBox-X runs its start-up commands as batch lines, where "%%" stands for one "%".
QString batchText(QString text)
{
    return text.replace(u'%', QStringLiteral("%%"));
}

QString quoted(const QString& path)
{
    return u'"' + batchText(path) + u'"';
}

QString withoutTrailingSeparators(const QString& path)
{
    qsizetype end = path.size();
    while (end > 1 && path.at(end - 1) == u'/')
        --end;
    return path.left(end);
}

QStringList commandLines(const QString& configText, QLatin1StringView section)
{
    const std::optional<QString> commands = ProgramKeys::commandsOf(configText, section);
    if (!commands)
        return {};
    QStringList lines;
    for (const QStringView piece : QStringView(*commands).tokenize(u'\n', Qt::SkipEmptyParts)) {
        const QStringView line = piece.trimmed();
        if (!line.isEmpty() && !line.startsWith(u'#'))
            lines.append(line.toString());
    }
    return lines;
}

} // namespace

QStringList autoexecBlock(const QString& configText)
{
    return commandLines(configText, ProgramKeys::StartupSection);
}

QStringList beforeGameBlock(const QString& configText)
{
    return commandLines(configText, ProgramKeys::BeforeGameSection);
}

QStringList dosCommands(const QString& dosPath)
{
    static const QRegularExpression drivePath(QStringLiteral("^([a-zA-Z]):[\\\\/](.*)$"));
    const QRegularExpressionMatch match = drivePath.match(dosPath);
    if (!match.hasMatch())
        return {};
    const QStringList parts = match.captured(2).split(QRegularExpression(QStringLiteral("[\\\\/]")));
    QStringList commands{match.captured(1).toUpper() + u':'};
    const QStringList folders = parts.mid(0, parts.size() - 1);
    if (!folders.isEmpty())
        commands.append(QStringLiteral("cd ") + batchText(folders.join(u'\\')));
    commands.append(programCommand(parts.last()));
    return commands;
}

QString programCommand(const QString& program)
{
    if (program.endsWith(QStringLiteral(".bat"), Qt::CaseInsensitive))
        return QStringLiteral("call ") + batchText(program);
    return batchText(program);
}

QStringList gameStartCommands(const QString& gameExe)
{
    const QStringList commands = dosCommands(gameExe);
    if (!commands.isEmpty())
        return commands;
    const QString path = withoutTrailingSeparators(gameExe);
    const qsizetype separator = path.lastIndexOf(u'/');
    const QString folder = separator < 0    ? QString()
                           : separator == 0 ? QStringLiteral("/")
                                            : path.left(separator);
    return {QStringLiteral("cd ") + batchText(folder), programCommand(path.mid(separator + 1))};
}

QString lastPathComponent(const QString& path)
{
    const QString trimmed = withoutTrailingSeparators(path);
    if (trimmed == u"/")
        return trimmed;
    return trimmed.mid(trimmed.lastIndexOf(u'/') + 1);
}

QString deletingLastPathComponent(const QString& path)
{
    const QString trimmed = withoutTrailingSeparators(path);
    const qsizetype separator = trimmed.lastIndexOf(u'/');
    if (separator < 0)
        return {};
    if (separator == 0)
        return QStringLiteral("/");
    return trimmed.left(separator);
}

QString mountDriveC(const QString& gameFolder)
{
    return QStringLiteral("mount c ") + quoted(gameFolder);
}

QString mountSetupFolder(const QString& setupFolder)
{
    return QStringLiteral("mount d ") + quoted(setupFolder);
}

QString mountOverlay(QChar drive, const QString& overlayFolder)
{
    return QStringLiteral("mount ") + drive + u' ' + quoted(overlayFolder) + QStringLiteral(" -t overlay");
}

std::optional<QString> mountCdImage(const QString& cdImagePath)
{
    if (cdImagePath.trimmed().isEmpty())
        return std::nullopt;
    return QStringLiteral("imgmount d ") + quoted(cdImagePath) + QStringLiteral(" -t iso -fs iso");
}

QStringList floppyImages(const QString& gameFolder)
{
    const QDir folder(LibraryLayout::floppyFolder(gameFolder));
    QStringList names =
        folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::NoSort);
    names.erase(std::remove_if(names.begin(), names.end(),
                               [](const QString& name) {
                                   const qsizetype dot = name.lastIndexOf(u'.');
                                   return dot < 0 || name.mid(dot + 1).toLower() != u"ima";
                               }),
                names.end());
    std::sort(names.begin(), names.end()); // by character code: upper case before lower case
    QStringList paths;
    for (const QString& name : std::as_const(names))
        paths.append(folder.absoluteFilePath(name));
    return paths;
}

std::optional<QString> mountFloppies(const QStringList& images)
{
    if (images.isEmpty())
        return std::nullopt;
    QStringList paths;
    for (const QString& image : images)
        paths.append(quoted(image));
    return QStringLiteral("imgmount a -t floppy ") + paths.join(u' ');
}

Presence programPresence(const QString& gameFolder, const QString& gameExe)
{
    QString path = gameExe.trimmed();
    static const QRegularExpression driveC(QStringLiteral("^[cC]:[\\\\/]"));
    static const QRegularExpression otherDrive(QStringLiteral("^[a-zA-Z]:"));
    if (const QRegularExpressionMatch match = driveC.match(path); match.hasMatch())
        path = path.mid(match.capturedLength());
    else if (otherDrive.match(path).hasMatch() || path.startsWith(u'/'))
        return Presence::Unknown;
    const QStringList parts = path.split(QRegularExpression(QStringLiteral("[\\\\/]")), Qt::SkipEmptyParts);
    if (parts.isEmpty())
        return Presence::Unknown;
    QDir folder(gameFolder);
    if (!folder.exists())
        return Presence::Unknown; // no drive C at all, which the mount says itself
    for (qsizetype i = 0; i < parts.size(); ++i) {
        if (parts.at(i).contains(u'~') || parts.at(i) == u"." || parts.at(i) == u"..")
            return Presence::Unknown;
        const bool last = i + 1 == parts.size();
        const QStringList entries =
            folder.entryList(last ? QDir::Files | QDir::Hidden : QDir::Dirs | QDir::Hidden);
        const auto found = std::find_if(entries.cbegin(), entries.cend(), [&](const QString& entry) {
            return entry.compare(parts.at(i), Qt::CaseInsensitive) == 0;
        });
        if (found == entries.cend())
            return Presence::Missing;
        if (!last)
            folder.cd(*found);
    }
    return Presence::There;
}

} // namespace DosCommands
