#include "library/HostAccess.h"

#include <QFileInfo>
#include <QSettings>

namespace HostAccess {

namespace {

QSettings store()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Tandril"),
                     QStringLiteral("HostAccess"));
}

QString keyOf(const QString& configFile)
{
    // A game's name holds neither "/" nor "\", which QSettings would read as separators.
    return QStringLiteral("allowed/") + QFileInfo(configFile).fileName();
}

} // namespace

bool isAllowed(const QString& configFile)
{
    return store().value(keyOf(configFile), false).toBool();
}

void setAllowed(const QString& configFile, bool allowed)
{
    QSettings settings = store();
    if (allowed)
        settings.setValue(keyOf(configFile), true);
    else
        settings.remove(keyOf(configFile));
}

void renamed(const QString& oldConfigFile, const QString& newConfigFile)
{
    const bool allowed = isAllowed(oldConfigFile);
    setAllowed(oldConfigFile, false);
    setAllowed(newConfigFile, allowed);
}

} // namespace HostAccess
