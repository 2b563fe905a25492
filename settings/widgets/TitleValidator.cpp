#include "settings/widgets/TitleValidator.h"

#include "library/EntryCreation.h"

QValidator::State TitleValidator::validate(QString& input, int&) const
{
    return EntryCreation::hasControlCharacter(input) ? Invalid : Acceptable;
}
