#include "settings/GameFiles.h"

#include "library/LibraryLayout.h"
#include "platform/Collation.h"
#include "platform/Paths.h"

#include <algorithm>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

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

bool isValidSensitivity(const QString& text)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok && value >= -MaximumSensitivity && value <= MaximumSensitivity && !text.startsWith(u'+');
}

SensitivityFilter filterSensitivity(const QString& typed)
{
    QString kept;
    for (const QChar c : typed) {
        if ((c >= u'0' && c <= u'9') || (c == u'-' && kept.isEmpty()))
            kept.append(c);
    }
    bool invalid = kept != typed;
    if (kept.isEmpty() || kept == u"-")
        return {kept, invalid};
    bool fits = false;
    const qint64 value = kept.toLongLong(&fits);
    if (!fits || value < -MaximumSensitivity || value > MaximumSensitivity) {
        invalid = true;
        kept = QString::number(kept.startsWith(u'-') ? -MaximumSensitivity : MaximumSensitivity);
    }
    return {kept, invalid};
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
