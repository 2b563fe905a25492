#include "platform/FolderListing.h"

#include <cerrno>
#include <dirent.h>
#include <QFile>
#include <QScopeGuard>

namespace FolderListing {

std::optional<QStringList> nonFolderNames(const QString& folder)
{
    DIR* const stream = ::opendir(QFile::encodeName(folder).constData());
    if (!stream)
        return std::nullopt;
    const auto closeAtEnd = qScopeGuard([stream] { ::closedir(stream); });
    QStringList names;
    for (;;) {
        errno = 0;
        const dirent* const entry = ::readdir(stream);
        if (!entry) {
            if (errno != 0)
                return std::nullopt;
            break;
        }
        // The type comes with the name on the usual file systems; where it does not, the name is
        // kept and the read decides.
        if (entry->d_type == DT_DIR)
            continue;
        const QByteArray name(entry->d_name);
        if (name == "." || name == "..")
            continue;
        names.append(QFile::decodeName(name));
    }
    return names;
}

} // namespace FolderListing
