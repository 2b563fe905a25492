#include "platform/RuntimeFolder.h"

#include <QFile>
#include <QStandardPaths>
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
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!isPrivate(folder))
        return std::nullopt;
    return folder;
}

} // namespace RuntimeFolder
