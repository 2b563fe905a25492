#pragma once

class QCoreApplication;

namespace Translations {

// Loads Tandril's and Qt's own texts in the desktop's language (QLocale::uiLanguages, which
// follows LANGUAGE); English stays where no translation exists.
void install(QCoreApplication& application);

} // namespace Translations
