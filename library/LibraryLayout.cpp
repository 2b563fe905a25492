#include "library/LibraryLayout.h"

#include <QFileInfo>

namespace LibraryLayout {

QString removeForbiddenCharacters(const QString& title)
{
    static constexpr QStringView Forbidden = u"/\\:?%*|\"<>";
    QString result;
    result.reserve(title.size());
    for (const QChar c : title) {
        if (!Forbidden.contains(c))
            result.append(c);
    }
    return result;
}

QString baseNameForTitle(const QString& title)
{
    // A name beginning with a dot is a hidden file, no game a user can see, and the form of
    // Tandril's own working files.
    const QString name = removeForbiddenCharacters(title.trimmed());
    qsizetype start = 0;
    while (start < name.size() && (name.at(start) == u'.' || name.at(start).isSpace()))
        ++start;
    return name.mid(start).trimmed();
}

QString baseNameOfConfigFile(const QString& configFilePath)
{
    const QString name = QFileInfo(configFilePath).fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? name : name.left(dot);
}

QString configFilePath(const QString& libraryFolder, const QString& baseName)
{
    return libraryFolder + u'/' + baseName + u'.' + ConfigExtension;
}

QString gameFolder(const QString& libraryFolder, const QString& baseName)
{
    return libraryFolder + u'/' + baseName;
}

QString floppyFolder(const QString& gameFolder)
{
    return gameFolder + u'/' + FloppyFolderName;
}

QString cdImageFolder(const QString& gameFolder)
{
    return gameFolder + u'/' + CdImageFolderName;
}

QString mt32Folder(const QString& libraryFolder)
{
    return libraryFolder + u'/' + Mt32FolderName;
}

bool isPlainName(const QString& name)
{
    return !name.isEmpty() && !name.startsWith(u'.') && !name.contains(u'/');
}

QString gameFolderOfConfigFile(const QString& libraryFolder, const QString& configFilePath)
{
    return gameFolder(libraryFolder, baseNameOfConfigFile(configFilePath));
}

namespace {
const QString SavesSuffix = QStringLiteral(".saves");
}

QString savesFolderName(const QString& baseName)
{
    return u'.' + baseName + SavesSuffix;
}

QString savesFolder(const QString& libraryFolder, const QString& baseName)
{
    return libraryFolder + u'/' + savesFolderName(baseName);
}

QString savesFolderOfConfigFile(const QString& libraryFolder, const QString& configFilePath)
{
    return savesFolder(libraryFolder, baseNameOfConfigFile(configFilePath));
}

QString baseNameOfSavesName(const QString& name)
{
    if (name.size() <= SavesSuffix.size() + 1 || !name.startsWith(u'.') || !name.endsWith(SavesSuffix))
        return {};
    const QString base = name.mid(1, name.size() - 1 - SavesSuffix.size());
    return base.startsWith(u'.') ? QString() : base;
}

} // namespace LibraryLayout
