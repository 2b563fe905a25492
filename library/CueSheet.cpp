#include "library/CueSheet.h"

#include "library/ConfigText.h"
#include "library/ForeignFiles.h"
#include "platform/TextFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace CueSheet {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("CueSheet", text);
}

// The label DOSBox-X opens a track file by: raw sectors, or sound it decodes.
QString typeFor(const QString& file, const QString& written)
{
    const QString suffix = QFileInfo(file).suffix().toLower();
    if (suffix == u"wav")
        return QStringLiteral("WAVE");
    if (suffix == u"mp3")
        return QStringLiteral("MP3");
    if (suffix == u"ogg" || suffix == u"flac" || suffix == u"opus")
        return QStringLiteral("MP3"); // any label but BINARY: decoded by its content
    if (written.compare(QStringLiteral("MOTOROLA"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("MOTOROLA");
    return QStringLiteral("BINARY");
}

} // namespace

bool hasSheetName(const QString& path)
{
    static const QStringList suffixes{QStringLiteral("cue"), QStringLiteral("ins"), QStringLiteral("inst"),
                                      QStringLiteral("dat")};
    return suffixes.contains(QFileInfo(path).suffix().toLower());
}

bool isSheet(const QString& path)
{
    if (!hasSheetName(path))
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    static const QRegularExpression fileLine(QStringLiteral("(?m)^\\s*FILE\\s"),
                                             QRegularExpression::CaseInsensitiveOption);
    return fileLine.match(QString::fromLatin1(file.read(4096))).hasMatch();
}

Repaired repair(const QString& sheetText, const QString& folder)
{
    static const QRegularExpression fileLine(
        QStringLiteral("^(\\s*)FILE\\s+(?:\"([^\"]*)\"|(\\S+))\\s*(\\S*)\\s*$"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression indexLine(QStringLiteral("^(\\s*)INDEX\\s+(\\d+)\\s+(\\S+)\\s*$"),
                                              QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression trackLine(QStringLiteral("^\\s*TRACK\\s"),
                                              QRegularExpression::CaseInsensitiveOption);
    Repaired repaired;
    QStringList lines = sheetText.split(u'\n');
    bool trackHasFirstIndex = true;
    qsizetype firstIndexLine = -1;
    const auto closeTrack = [&] {
        // A track whose only index is "INDEX 0" starts there.
        if (!trackHasFirstIndex && firstIndexLine >= 0) {
            const QRegularExpressionMatch match = indexLine.match(lines.at(firstIndexLine));
            lines[firstIndexLine] = match.captured(1) + QStringLiteral("INDEX 01 ") + match.captured(3);
            repaired.changed = true;
        }
    };
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString line = lines.at(i);
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (const QRegularExpressionMatch match = fileLine.match(line); match.hasMatch()) {
            const QString written = match.captured(2).isEmpty() ? match.captured(3) : match.captured(2);
            std::optional<QString> found = ForeignFiles::resolve(folder, written);
            if (!found) // a path of the computer it was made on: the name beside the sheet
                found =
                    ForeignFiles::resolve(folder, QString(written).replace(u'\\', u'/').section(u'/', -1));
            // A track is the CD's own file: a sheet never names a file of the computer outside it.
            // Nor a name that would end its line or its quotes: another line of the sheet could
            // follow from it.
            const QString cleanFolder = QDir::cleanPath(folder);
            const QString named = found ? QDir(folder).relativeFilePath(*found) : QString();
            if (found && (!QDir::cleanPath(*found).startsWith(cleanFolder + u'/') ||
                          !ConfigText::isWritableValue(named) || named.contains(u'"'))) {
                repaired.problems.append(
                    QDir::cleanPath(*found).startsWith(cleanFolder + u'/')
                        ? tr("The CD image's track file \"%1\" has a name a cue sheet cannot hold.")
                              .arg(written)
                        : tr("The CD image's track file \"%1\" is outside its folder.").arg(written));
                lines[i] = QStringLiteral("REM ") + line;
                repaired.changed = true;
                continue;
            }
            if (!found) {
                repaired.problems.append(tr("The CD image's track file \"%1\" is missing.").arg(written));
                lines[i] = line;
                continue;
            }
            repaired.tracks.append(*found);
            const QString relative = QDir(folder).relativeFilePath(*found);
            const QString type = typeFor(*found, match.captured(4));
            lines[i] =
                match.captured(1) + QStringLiteral("FILE \"") + relative + QStringLiteral("\" ") + type;
            repaired.changed = repaired.changed || relative != written ||
                               type.compare(match.captured(4), Qt::CaseInsensitive) != 0;
        } else if (trackLine.match(line).hasMatch()) {
            closeTrack();
            trackHasFirstIndex = false;
            firstIndexLine = -1;
            lines[i] = line;
        } else if (const QRegularExpressionMatch index = indexLine.match(line); index.hasMatch()) {
            const int number = index.captured(2).toInt();
            if (number == 1) {
                trackHasFirstIndex = true;
                const QString clean = index.captured(1) + QStringLiteral("INDEX 01 ") + index.captured(3);
                repaired.changed = repaired.changed || clean != line;
                line = clean;
            } else if (firstIndexLine < 0) {
                firstIndexLine = i;
            }
            lines[i] = line;
        } else {
            lines[i] = line;
        }
    }
    closeTrack();
    repaired.text = lines.join(u'\n');
    return repaired;
}

std::optional<QString> mountablePath(const QString& sheet, QStringList* problems)
{
    const std::optional<QString> text = ForeignFiles::readText(sheet);
    if (!text)
        return std::nullopt;
    const QFileInfo info(sheet);
    const Repaired repaired = repair(*text, info.absolutePath());
    if (problems)
        *problems += repaired.problems;
    const bool cueName = info.suffix().compare(QStringLiteral("cue"), Qt::CaseInsensitive) == 0;
    if (cueName && !repaired.changed)
        return sheet;
    const QString copy =
        info.absolutePath() + u'/' + info.completeBaseName() + QStringLiteral(".tandril.cue");
    if (TextFile::writeUtf8Atomically(copy, repaired.text))
        return std::nullopt;
    return copy;
}

} // namespace CueSheet
