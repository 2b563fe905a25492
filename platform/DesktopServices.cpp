#include "platform/DesktopServices.h"

#include "platform/Diagnostics.h"

#include <QDesktopServices>

void DesktopServices::openFolder(const QString& path)
{
    openUrl(QUrl::fromLocalFile(path));
}

void DesktopServices::openUrl(const QUrl& url)
{
    if (!QDesktopServices::openUrl(url))
        logLine(QStringLiteral("❌ Could not open %1").arg(url.toString()));
}
