#pragma once

#include <QStringList>

// The user's languages, most preferred first, as identifiers such as "de-DE" or "zh-Hant-TW".
QStringList preferredLanguages();
