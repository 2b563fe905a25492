#include "platform/Paths.h"

#include <QDir>
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

QString temporaryFolder()
{
    return QDir::tempPath();
}

QString newUuidName()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper();
}

} // namespace Paths
