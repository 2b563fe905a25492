#include "library/HostAccess.h"

#include "platform/SharedSettings.h"

#include <QFileInfo>
#include <QSettings>

namespace HostAccess {

namespace {

const QString StoreName = QStringLiteral("HostAccess");

QString keyOf(const QString& configFile)
{
    // A game's name holds neither "/" nor "\", which QSettings would read as separators.
    return QStringLiteral("allowed/") + QFileInfo(configFile).fileName();
}

} // namespace

bool isAllowed(const QString& configFile)
{
    bool allowed = false;
    SharedSettings::read(
        StoreName, [&](QSettings& settings) { allowed = settings.value(keyOf(configFile), false).toBool(); });
    return allowed;
}

std::optional<QString> setAllowed(const QString& configFile, bool allowed)
{
    if (!allowed && !isAllowed(configFile))
        return std::nullopt; // nothing to write
    return SharedSettings::update(StoreName, [&](QSettings& settings) {
        if (allowed)
            settings.setValue(keyOf(configFile), true);
        else
            settings.remove(keyOf(configFile));
    });
}

std::optional<QString> renamed(const QString& oldConfigFile, const QString& newConfigFile)
{
    return SharedSettings::update(StoreName, [&](QSettings& settings) {
        const bool allowed = settings.value(keyOf(oldConfigFile), false).toBool();
        settings.remove(keyOf(oldConfigFile));
        if (allowed)
            settings.setValue(keyOf(newConfigFile), true);
        else
            settings.remove(keyOf(newConfigFile));
    });
}

} // namespace HostAccess
