#include "platform/ConsoleServices.h"

#include "platform/Diagnostics.h"

namespace {

QString opener()
{
#if defined(Q_OS_MACOS)
    return QStringLiteral("open");
#else
    return QStringLiteral("xdg-open");
#endif
}

} // namespace

void ConsoleServices::openFolder(const QString& path)
{
    openUrl(QUrl::fromLocalFile(path));
}

void ConsoleServices::openUrl(const QUrl& url)
{
    if (const std::optional<QString> error = startDetached(opener(), {url.toString()}))
        logLine(QStringLiteral("❌ Could not open %1: %2").arg(url.toString(), *error));
}
