#include "settings/GameFiles.h"

#include "library/LibraryLayout.h"
#include "platform/Collation.h"
#include "platform/Paths.h"

#include <algorithm>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

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

bool isValidCycles(const QString& text)
{
    // "auto" and "max" take DOSBox-X's own further words ("max 80%", "auto limit 20000"); in
    // capitals, DOSBox-X reads "MAX" or "FIXED 3000" as auto.
    static const QRegularExpression word(QStringLiteral("^(auto|max)(\\s.*)?$"));
    static const QRegularExpression number(QStringLiteral("^(fixed\\s+)?([0-9]{1,7})$"));
    const QString trimmed = text.trimmed();
    if (word.match(trimmed).hasMatch())
        return true;
    const QRegularExpressionMatch match = number.match(trimmed);
    const int cycles = match.captured(2).toInt();
    return match.hasMatch() && cycles >= 1 && cycles <= MaximumCycles;
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

bool isValidSensitivity(const QString& text)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok && value >= -MaximumSensitivity && value <= MaximumSensitivity && !text.startsWith(u'+');
}

std::variant<QList<Shader>, QString> shaderNames(const QString& folder)
{
    const QFileInfo info(folder);
    if (!info.isDir() || !info.isReadable())
        return QCoreApplication::translate("GameFiles", "The folder %1 cannot be read.").arg(folder);
    QList<Shader> shaders;
    for (const QFileInfo& file :
         QDir(folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot)) {
        // The extension is exactly "glsl": "crt.GLSL" is not offered.
        if (file.suffix() == u"glsl")
            shaders.append({file.completeBaseName(), file.size() == 0});
    }
    const QCollator collator = Collation::titleCollator();
    std::sort(shaders.begin(), shaders.end(), [&](const Shader& a, const Shader& b) {
        return collator.compare(a.name + QStringLiteral(".glsl"), b.name + QStringLiteral(".glsl")) < 0;
    });
    return shaders;
}

} // namespace GameFiles
