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

bool ConsoleServices::openFolder(const QString& path)
{
    const QString url = QUrl::fromLocalFile(path).toString();
    if (const std::optional<QString> error = startDetached(opener(), {url})) {
        logLine(QStringLiteral("❌ Could not open %1: %2").arg(url, *error));
        return false;
    }
    return true;
}

void ConsoleServices::openUrl(const QUrl& url)
{
    if (const std::optional<QString> error = startDetached(opener(), {url.toString()}))
        logLine(QStringLiteral("❌ Could not open %1: %2").arg(url.toString(), *error));
}
