#include "library/Mt32Folder.h"

#include "library/LibraryLayout.h"
#include "platform/Paths.h"

#include <QDir>
#include <QFileInfo>

namespace Mt32Folder {

QString path()
{
    return LibraryLayout::mt32Folder(Paths::libraryFolder());
}

void createIfNeeded()
{
    const QString folder = path();
    if (!QFileInfo::exists(folder))
        QDir().mkpath(folder);
}

bool hasTwoRomFiles(const QString& folder)
{
    const QFileInfo info(folder);
    if (!info.isDir() || !info.isReadable())
        return false;
    const QStringList names =
        QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    const auto romCount = std::count_if(names.cbegin(), names.cend(), [](const QString& name) {
        return name.endsWith(QStringLiteral(".rom"), Qt::CaseInsensitive);
    });
    return romCount == 2;
}

} // namespace Mt32Folder
