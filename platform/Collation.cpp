#include "platform/Collation.h"

namespace Collation {

namespace {

QCollator userCollator()
{
    // The C locale only compares code points, without numeric mode; a session without a locale
    // (a bare terminal, a service) still deserves the ordering people expect.
    QLocale locale = QLocale::system();
    if (locale.language() == QLocale::C)
        locale = QLocale(QLocale::English, QLocale::UnitedStates);
    QCollator collator(locale);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    return collator;
}

} // namespace

QCollator fileNameCollator()
{
    QCollator collator = userCollator();
    collator.setNumericMode(true);
    return collator;
}

QCollator titleCollator()
{
    return userCollator();
}

} // namespace Collation
