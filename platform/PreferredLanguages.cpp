#include "platform/PreferredLanguages.h"

#include <QLocale>

QStringList preferredLanguages()
{
    // On Linux this follows LANGUAGE, LC_ALL, LC_MESSAGES and LANG; on macOS the system's list.
    return QLocale::system().uiLanguages();
}
