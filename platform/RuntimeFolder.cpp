#include "platform/RuntimeFolder.h"

#include <QDir>
#include <QFile>
#include <sys/stat.h>
#include <unistd.h>

namespace RuntimeFolder {

bool isPrivate(const QString& folder)
{
    if (folder.isEmpty())
        return false;
    struct stat status = {};
    if (::lstat(QFile::encodeName(folder).constData(), &status) != 0)
        return false;
    return S_ISDIR(status.st_mode) && status.st_uid == ::geteuid() && (status.st_mode & 077) == 0 &&
           (status.st_mode & S_IRWXU) == S_IRWXU;
}

std::optional<QString> privateFolder()
{
    QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (folder.isEmpty()) {
        // Made as the desktop would, only for this user; a folder someone else made first is no use.
        folder = QDir::tempPath() + QStringLiteral("/runtime-%1").arg(::geteuid());
        ::mkdir(QFile::encodeName(folder).constData(), 0700);
    }
    if (!isPrivate(folder))
        return std::nullopt;
    return folder;
}

} // namespace RuntimeFolder
