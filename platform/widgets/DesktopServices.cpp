#include "platform/widgets/DesktopServices.h"

#include "platform/Diagnostics.h"

#include <QDesktopServices>

bool DesktopServices::openFolder(const QString& path)
{
    if (QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        return true;
    logLine(QStringLiteral("❌ Could not open %1").arg(path));
    return false;
}

void DesktopServices::openUrl(const QUrl& url)
{
    if (!QDesktopServices::openUrl(url))
        logLine(QStringLiteral("❌ Could not open %1").arg(url.toString()));
}
