#pragma once

#include <QValidator>

// Refuses a title with a line break, a tab or another control character as it is typed or
// pasted: such a title would break the configuration file's one-line title key.
class TitleValidator final : public QValidator
{
    Q_OBJECT

public:
    using QValidator::QValidator;
    State validate(QString& input, int& position) const override;
};
