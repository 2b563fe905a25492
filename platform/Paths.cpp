#include "platform/Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QUuid>

namespace Paths {

QString homeFolder()
{
    // QDir::homePath() honours HOME, which keeps tests and sandboxes away from the real library.
    return QDir::homePath();
}

std::optional<QString> homeFolderProblem()
{
    const QByteArray home = qgetenv("HOME");
    if (home.isEmpty() || QFile::encodeName(QFile::decodeName(home)) == home)
        return std::nullopt;
    return QCoreApplication::translate(
               "Paths", "The name of your home folder, %1, is not UTF-8 text, so Tandril cannot "
                        "keep its library there. Rename the folder or start Tandril with another "
                        "HOME.")
        .arg(QFile::decodeName(home));
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
