#include "settings/GameFiles.h"

#include "library/LibraryLayout.h"
#include "platform/Collation.h"
#include "platform/Paths.h"

#include <algorithm>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextBoundaryFinder>

namespace GameFiles {

QString storedGameExePath(const QString& chosenPath)
{
    const qsizetype marker = chosenPath.indexOf(LibraryLayout::LibraryMarker);
    if (marker < 0)
        return chosenPath;
    const QString rest = chosenPath.mid(marker + LibraryLayout::LibraryMarker.size());
    const qsizetype slash = rest.indexOf(u'/');
    // Whichever game folder it is in, its name is dropped: drive C is the game folder.
    return slash < 0 ? QString() : rest.mid(slash + 1);
}

namespace {

QStringList graphemes(const QString& text)
{
    QStringList clusters;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype start = 0;
    while (finder.toNextBoundary() >= 0) {
        clusters.append(text.mid(start, finder.position() - start));
        start = finder.position();
    }
    return clusters;
}

} // namespace

std::optional<QString> shortFolderNames(const QString& gameExe)
{
    const QString text = gameExe.trimmed();
    if (text.isEmpty())
        return std::nullopt;
    QStringList parts = text.split(u'/');
    for (qsizetype i = 0; i + 1 < parts.size(); ++i) {
        const QStringList clusters = graphemes(parts.at(i));
        if (clusters.size() > 8)
            parts[i] = clusters.mid(0, 6).join(QString()) + QStringLiteral("~1");
    }
    return parts.join(u'/');
}

CyclesFilter filterCycles(const QString& typed)
{
    QString digits;
    for (const QChar c : typed) {
        if (c >= u'0' && c <= u'9')
            digits.append(c);
    }
    bool fits = false;
    qint64 value = digits.toLongLong(&fits);
    if (!fits)
        value = 0;
    const bool invalid = digits != typed || value > MaximumCycles;
    value = std::min(value, MaximumCycles);
    return {value < 1 ? QString() : QString::number(value), invalid};
}

bool hasExtension(const QString& path, const QStringList& extensions)
{
    const QString suffix = QFileInfo(path).suffix();
    return std::any_of(extensions.cbegin(), extensions.cend(), [&](const QString& extension) {
        return suffix.compare(extension, Qt::CaseInsensitive) == 0;
    });
}

QString cdImageDisplayName(const QString& cdImagePath)
{
    const QString path = cdImagePath.trimmed();
    return path.isEmpty() ? QString() : QFileInfo(path).fileName();
}

QString floppyFolderForTitle(const QString& title)
{
    const QString baseName = LibraryLayout::baseNameForTitle(title);
    return LibraryLayout::floppyFolder(LibraryLayout::gameFolder(Paths::libraryFolder(), baseName));
}

std::variant<QStringList, QString> shaderNames(const QString& folder)
{
    const QFileInfo info(folder);
    if (!info.isDir() || !info.isReadable())
        return QCoreApplication::translate("GameFiles", "The folder %1 cannot be read.").arg(folder);
    QStringList names;
    for (const QFileInfo& file :
         QDir(folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot)) {
        // The extension is exactly "glsl": "crt.GLSL" is not offered, nor is an empty file.
        if (file.suffix() == u"glsl" && file.size() > 0)
            names.append(file.completeBaseName());
    }
    const QCollator collator = Collation::titleCollator();
    std::sort(names.begin(), names.end(), [&](const QString& a, const QString& b) {
        return collator.compare(a + QStringLiteral(".glsl"), b + QStringLiteral(".glsl")) < 0;
    });
    return names;
}

} // namespace GameFiles
