#include "library/ConfigText.h"

#include "platform/TextReplace.h"

#include <algorithm>
#include <QRegularExpression>

namespace ConfigText {

namespace {

// "(*ANY)": "." stops at, and "$" and "\Z" see, every kind of line break, so a key line of a
// file with CR LF ends keeps its carriage return.
QRegularExpression pattern(const QString& expression,
                           QRegularExpression::PatternOptions options = QRegularExpression::NoPatternOption)
{
    return QRegularExpression(QStringLiteral("(*ANY)") + expression, options);
}

QString keyLine(const QString& key, const QString& value)
{
    return key + u'=' + value;
}

template <typename Visit> void forEachNonEmptyLine(QStringView text, Visit visit)
{
    for (const QStringView line : text.tokenize(u'\n', Qt::SkipEmptyParts)) {
        if (!visit(line))
            return;
    }
}

} // namespace

bool replaceKeyLines(const QString& key, const QString& value, QString& text)
{
    return replaceEveryMatch(text, pattern(key + QStringLiteral("=.*")), keyLine(key, value));
}

void replaceOrAppend(const QString& key, const QString& value, QString& text)
{
    if (!replaceKeyLines(key, value, text))
        text += u'\n' + keyLine(key, value);
}

void replaceInSection(const QString& section, const QString& key, const QString& value, QString& text)
{
    const QRegularExpression sectionPattern =
        pattern(QStringLiteral("\\[") + section + QStringLiteral("\\](.*?)(\\n\\[|$)"),
                QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match =
        sectionPattern.isValid() ? sectionPattern.match(text) : QRegularExpressionMatch();
    if (!match.hasMatch()) {
        text += QStringLiteral("\n[") + section + QStringLiteral("]\n") + keyLine(key, value);
        return;
    }
    QString body = match.captured(1);
    replaceOrAppend(key, value, body);
    text.replace(match.capturedStart(1), match.capturedLength(1), body);
}

QString protectPercentLines(const QString& block)
{
    QStringList lines = block.split(u'\n');
    for (QString& line : lines) {
        const auto first =
            std::find_if(line.cbegin(), line.cend(), [](QChar c) { return c != u' ' && c != u'\t'; });
        if (first != line.cend() && *first == u'%')
            line.prepend(NoBreakSpace);
    }
    return lines.join(u'\n');
}

QString unprotectPercentLines(const QString& block)
{
    static const QRegularExpression protectedLine(QStringLiteral("(?m)^\\x{00A0}(?=[ \\t]*%)"));
    QString text = block;
    return text.remove(protectedLine);
}

void saveAutoexecToConfig(const QString& autoexecText, QString& text)
{
    const QString trimmed = autoexecText.trimmed();
    if (trimmed.isEmpty())
        return;
    const QString block = AutoexecHeader.toString() + u'\n' + protectPercentLines(trimmed);
    // A header counts only at the start of a line, never inside a title or a value.
    static const QRegularExpression sectionPattern =
        pattern(QStringLiteral("(?sm)^\\[tandril autoexec\\].*?(\\Z|\\n\\[)"));
    const QRegularExpressionMatch match = sectionPattern.match(text);
    if (!match.hasMatch()) {
        text += u'\n' + block + u'\n';
        return;
    }
    // The section ends before the final line feed or before the line feed of the next header.
    const qsizetype start = match.capturedStart(0);
    text.replace(start, match.capturedStart(1) - start, block + u'\n');
}

std::optional<QString> firstLineValue(QStringView text, QStringView key)
{
    std::optional<QString> value;
    forEachNonEmptyLine(text, [&](QStringView line) {
        if (!line.startsWith(key))
            return true;
        value = line.mid(key.size()).trimmed().toString();
        return false;
    });
    return value;
}

std::optional<QString> lastTrimmedLineValue(QStringView text, QStringView key)
{
    std::optional<QString> value;
    forEachNonEmptyLine(text, [&](QStringView line) {
        const QStringView trimmed = line.trimmed();
        if (trimmed.startsWith(key))
            value = trimmed.mid(key.size()).toString();
        return true;
    });
    return value;
}

} // namespace ConfigText
