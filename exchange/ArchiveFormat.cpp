#include "exchange/ArchiveFormat.h"

#include "platform/TextReplace.h"
#include "platform/Utf8.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QRegularExpression>

namespace ArchiveFormat {

namespace {

// An absolute path never starts with "-", so no tool reads an archive's name as an option.
QString absolute(const QString& path)
{
    return QFileInfo(path).absoluteFilePath();
}

} // namespace

// zip of the folder's members, in the staging folder; leftOut: paths below the first member.
ProcessRunner::Command zipMembers(const QString& stagingFolder, const QString& archivePath,
                                  const QStringList& members, const QStringList& leftOut)
{
    // "./" keeps a name such as "-n" from being read as an option; zip stores it without. "-nw"
    // takes every name literally, so that "*" or "[" in a name is no pattern.
    QStringList arguments{QStringLiteral("-r"), QStringLiteral("-nw"), archivePath};
    for (const QString& member : members)
        arguments << QStringLiteral("./") + member;
    if (!leftOut.isEmpty()) {
        arguments << QStringLiteral("-x");
        for (const QString& item : leftOut)
            arguments << QStringLiteral("./") + members.first() + u'/' + item;
    }
    return {QStringLiteral("/usr/bin/zip"), arguments, stagingFolder};
}

ProcessRunner::Command zipCommand(const QString& stagingFolder, const QString& archivePath,
                                  const QString& baseName, const QStringList& leftOut)
{
    return zipMembers(stagingFolder, archivePath, {baseName, baseName + QStringLiteral(".conf"), Marker},
                      leftOut);
}

ProcessRunner::Command savesZipCommand(const QString& stagingFolder, const QString& archivePath,
                                       const QStringList& leftOut)
{
    return zipMembers(stagingFolder, archivePath, {SavesMember, SavesMarker}, leftOut);
}

ProcessRunner::Command unzipCommand(const QString& stagingFolder, const QString& archivePath)
{
    return {QStringLiteral("/usr/bin/unzip"), {absolute(archivePath)}, stagingFolder};
}

ProcessRunner::Command zipinfoCommand(const QString& archivePath)
{
    return {QStringLiteral("/usr/bin/zipinfo"), {QStringLiteral("-1"), absolute(archivePath)}, QString()};
}

ProcessRunner::Command zipinfoTotalsCommand(const QString& archivePath)
{
    return {QStringLiteral("/usr/bin/zipinfo"), {QStringLiteral("-t"), absolute(archivePath)}, QString()};
}

std::optional<qint64> uncompressedSize(const QByteArray& totals)
{
    static const QRegularExpression line(QStringLiteral("\\d+ files?, (\\d+) bytes uncompressed"));
    const QRegularExpressionMatch match = line.match(QString::fromUtf8(totals));
    bool ok = false;
    const qint64 size = match.captured(1).toLongLong(&ok);
    return match.hasMatch() && ok ? std::optional<qint64>(size) : std::nullopt;
}

QString startFailure(const QString& program, const QString& systemError)
{
    if (QFileInfo(program).isExecutable())
        return systemError;
    const QString package =
        program.endsWith(QStringLiteral("/zip")) ? QStringLiteral("zip") : QStringLiteral("unzip");
    return QCoreApplication::translate("ArchiveFormat", "%1 is missing; install the %2 package.")
        .arg(program, package);
}

QStringList memberNames(const QByteArray& listing)
{
    if (!isValidUtf8(listing))
        return {};
    static const QRegularExpression newline(
        QStringLiteral("\\r\\n|[\\n\\r\\x{0B}\\x{0C}\\x{85}\\x{2028}\\x{2029}]"));
    return QString::fromUtf8(listing).split(newline, Qt::SkipEmptyParts);
}

std::optional<QString> unsafeMember(const QStringList& members)
{
    for (const QString& member : members) {
        if (member.startsWith(u'/') || member.startsWith(u'\\'))
            return member;
        const QStringList parts = member.split(QRegularExpression(QStringLiteral("[/\\\\]")));
        if (parts.contains(QStringLiteral("..")))
            return member;
    }
    return std::nullopt;
}

QString rewriteUserPaths(const QString& text, const QString& home)
{
    // A user's name never runs across a line break, which would take the lines between with it.
    static const QRegularExpression userPath(QStringLiteral("/Users/[^/\\v]+/|/home/[^/\\v]+/"));
    QString result = text;
    replaceEveryMatch(result, userPath, home + u'/');
    return result;
}

} // namespace ArchiveFormat
