#pragma once

#include <QRegularExpression>
#include <QString>

// Replaces every match with the replacement taken literally ("$1" and "\" are never template
// syntax). Returns false when nothing matched or the expression is invalid.
bool replaceEveryMatch(QString& text, const QRegularExpression& expression, const QString& replacement);
