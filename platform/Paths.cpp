#include "platform/Paths.h"

#include <QDir>
#include <QStandardPaths>
#include <QUuid>

namespace Paths {

QString homeFolder()
{
    // QDir::homePath() honours HOME, which keeps tests and sandboxes away from the real library.
    return QDir::homePath();
}

QString libraryFolder()
{
    return homeFolder() + QStringLiteral("/Library/Application Support/Tandril");
}

QString desktopFolder()
{
#if defined(Q_OS_MACOS)
    return homeFolder() + QStringLiteral("/Desktop");
#else
    // The desktop's own folder, as XDG user dirs name it (HOME/Desktop by default).
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
#endif
}

QString temporaryFolder()
{
    return QDir::tempPath();
}

QString newUuidName()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper();
}

} // namespace Paths
