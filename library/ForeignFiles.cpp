#include "library/ForeignFiles.h"

#include "platform/TextFile.h"
#include "platform/Utf8.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>

namespace ForeignFiles {

namespace {

constexpr qint64 MaximumForeignText = 1024 * 1024;

// The entry of the folder with the name, the name's letter case aside; the exact one first.
std::optional<QString> entryNamed(const QString& folder, const QString& name, bool shortNames)
{
    if (QFileInfo::exists(folder + u'/' + name))
        return name;
    QStringList entries = QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& entry : std::as_const(entries)) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    }
    static const QRegularExpression shortName(QStringLiteral("^(.{1,6})~(\\d)(\\..*)?$"));
    const QRegularExpressionMatch match = shortName.match(name);
    if (!shortNames || !match.hasMatch())
        return std::nullopt;
    // DOSBox-X numbers the long names that share the six characters in the order it finds them;
    // by name is the closest this side can come.
    QStringList sharing;
    for (const QString& entry : std::as_const(entries)) {
        const QFileInfo info(entry);
        const QString suffix = match.captured(3);
        if (entry.startsWith(match.captured(1), Qt::CaseInsensitive) &&
            (suffix.isEmpty() || (u'.' + info.suffix()).compare(suffix, Qt::CaseInsensitive) == 0))
            sharing.append(entry);
    }
    const qsizetype index = match.captured(2).toInt() - 1;
    return index >= 0 && index < sharing.size() ? std::optional<QString>(sharing.at(index)) : std::nullopt;
}

std::optional<QString> walk(const QString& base, const QString& written, bool shortNames)
{
    QString path = written.trimmed();
    if (path.size() >= 2 && path.startsWith(u'"') && path.endsWith(u'"'))
        path = path.mid(1, path.size() - 2);
    path.replace(u'\\', u'/');
    static const QRegularExpression otherComputer(QStringLiteral("^(?:[A-Za-z]:|/|~)"));
    if (path.isEmpty() || otherComputer.match(path).hasMatch())
        return std::nullopt;
    // "." and ".." are taken as written, as DOSBox does, before anything is looked up; the
    // base's own parts are found as they are.
    const QString joined = QDir::cleanPath(base + u'/' + path);
    QString folder;
    for (const QString& part : joined.split(u'/', Qt::SkipEmptyParts)) {
        const std::optional<QString> entry =
            entryNamed(folder.isEmpty() ? QStringLiteral("/") : folder, part, shortNames);
        if (!entry)
            return std::nullopt;
        folder += u'/' + *entry;
    }
    return QFileInfo::exists(folder) ? std::optional<QString>(folder) : std::nullopt;
}

} // namespace

std::optional<QString> entryInAnyCase(const QString& folder, const QString& name)
{
    const std::optional<QString> entry = entryNamed(folder, name, false);
    return entry ? std::optional<QString>(folder + u'/' + *entry) : std::nullopt;
}

std::optional<QString> resolve(const QString& base, const QString& written)
{
    return walk(base, written, false);
}

std::optional<QString> resolveOnDrive(const QString& driveFolder, const QString& dosPath)
{
    QString path = dosPath.trimmed();
    // "C:\GAME" and "\GAME" name the same folder of drive C.
    static const QRegularExpression drive(QStringLiteral("^[A-Za-z]:"));
    path.remove(drive);
    while (path.startsWith(u'\\') || path.startsWith(u'/'))
        path.remove(0, 1);
    if (path.isEmpty())
        return QDir::cleanPath(driveFolder);
    return walk(driveFolder, path, true);
}

std::optional<QString> readText(const QString& path)
{
    const TextFile::BytesResult read = TextFile::readBytes(path, MaximumForeignText);
    if (read.status != TextFile::ReadStatus::Ok)
        return std::nullopt;
    if (isValidUtf8(read.bytes))
        return QString::fromUtf8(read.bytes);
    QStringDecoder windows("windows-1250");
    if (windows.isValid())
        return windows.decode(read.bytes);
    return QString::fromLatin1(read.bytes);
}

} // namespace ForeignFiles
