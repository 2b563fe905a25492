#include "platform/TextReplace.h"

bool replaceEveryMatch(QString& text, const QRegularExpression& expression, const QString& replacement)
{
    if (!expression.isValid())
        return false;
    QRegularExpressionMatchIterator matches = expression.globalMatch(text);
    if (!matches.hasNext())
        return false;
    QString result;
    result.reserve(text.size() + replacement.size());
    qsizetype copiedUpTo = 0;
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        result.append(QStringView(text).mid(copiedUpTo, match.capturedStart() - copiedUpTo));
        result.append(replacement);
        copiedUpTo = match.capturedEnd();
    }
    result.append(QStringView(text).mid(copiedUpTo));
    text = std::move(result);
    return true;
}
