#include "library/ConfigText.h"

#include "library/ProgramKeys.h"
#include "platform/TerminalText.h"

#include <algorithm>
#include <QRegularExpression>

namespace ConfigText {

namespace {

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

// Calls visit(start, end) for each line of text[from, to): end is its line feed or "to" (a text
// that ends with a line feed ends with an empty line).
template <typename Visit> void forEachLine(QStringView text, qsizetype from, qsizetype to, Visit visit)
{
    qsizetype start = from;
    while (start <= to) {
        qsizetype end = text.indexOf(u'\n', start);
        if (end < 0 || end > to)
            end = to;
        visit(start, end);
        start = end + 1;
    }
}

// The key a line sets, when it is a key line: the trimmed text before its first "=".
std::optional<QStringView> keyOfLine(QStringView line)
{
    const QStringView trimmed = line.trimmed();
    if (trimmed.isEmpty() || trimmed.startsWith(u'#') || trimmed.startsWith(u'['))
        return std::nullopt;
    const qsizetype equals = trimmed.indexOf(u'=');
    if (equals <= 0)
        return std::nullopt;
    return trimmed.left(equals).trimmed();
}

bool isKeyLineOf(QStringView line, QStringView key)
{
    const std::optional<QStringView> found = keyOfLine(line);
    return found && found->compare(key, Qt::CaseInsensitive) == 0;
}

// The end of a line's content: before its carriage return, which a CR LF file keeps.
qsizetype contentEnd(QStringView text, qsizetype start, qsizetype end)
{
    return end > start && text.at(end - 1) == u'\r' ? end - 1 : end;
}

// Replaces the key lines of key in text[from, to); returns how far "to" moved, or nothing when
// no line matched.
std::optional<qsizetype> replaceIn(const QString& key, const QString& value, QString& text, qsizetype from,
                                   qsizetype to)
{
    QList<std::pair<qsizetype, qsizetype>> spans;
    forEachLine(text, from, to, [&](qsizetype start, qsizetype end) {
        if (isKeyLineOf(QStringView(text).mid(start, end - start), key))
            spans.append({start, contentEnd(text, start, end)});
    });
    if (spans.isEmpty())
        return std::nullopt;
    const QString line = keyLine(key, value);
    qsizetype moved = 0;
    // From the last, so that the earlier places stay where they are.
    for (auto span = spans.crbegin(); span != spans.crend(); ++span) {
        text.replace(span->first, span->second - span->first, line);
        moved += line.size() - (span->second - span->first);
    }
    return moved;
}

// The first line at or after "from" that is a header; text.size() when there is none.
qsizetype nextHeader(QStringView text, qsizetype from)
{
    qsizetype found = text.size();
    bool done = false;
    forEachLine(text, from, text.size(), [&](qsizetype start, qsizetype end) {
        if (!done && sectionOf(text.mid(start, end - start).trimmed())) {
            found = start;
            done = true;
        }
    });
    return found;
}

} // namespace

bool isWritableValue(QStringView value)
{
    return std::none_of(value.begin(), value.end(), TerminalText::isControlCharacter);
}

bool replaceKeyLines(const QString& key, const QString& value, QString& text)
{
    if (!isWritableValue(value) || !isWritableValue(key))
        return false;
    return replaceIn(key, value, text, 0, text.size()).has_value();
}

bool replaceOrAppend(const QString& key, const QString& value, QString& text)
{
    if (!isWritableValue(value) || !isWritableValue(key))
        return false;
    if (!replaceKeyLines(key, value, text))
        text += u'\n' + keyLine(key, value);
    return true;
}

bool replaceInSection(const QString& section, const QString& key, const QString& value, QString& text)
{
    if (!isWritableValue(value) || !isWritableValue(key))
        return false;
    std::optional<qsizetype> bodyStart;
    forEachLine(text, 0, text.size(), [&](qsizetype start, qsizetype end) {
        if (bodyStart)
            return;
        const std::optional<QString> name = sectionOf(QStringView(text).mid(start, end - start).trimmed());
        if (name && name->compare(section, Qt::CaseInsensitive) == 0)
            bodyStart = end;
    });
    if (!bodyStart) {
        text += QStringLiteral("\n[") + section + QStringLiteral("]\n") + keyLine(key, value);
        return true;
    }
    const qsizetype header = nextHeader(text, std::min(*bodyStart + 1, text.size()));
    // The body ends before the line feed of the next header, or before the text's final one.
    qsizetype bodyEnd = header;
    if (bodyEnd > *bodyStart && text.at(bodyEnd - 1) == u'\n')
        --bodyEnd;
    if (!replaceIn(key, value, text, *bodyStart, bodyEnd))
        text.insert(bodyEnd, u'\n' + keyLine(key, value));
    return true;
}

bool setWhereDosboxReads(const QString& section, const QString& key, const QString& value, QString& text)
{
    if (!isWritableValue(value) || !isWritableValue(key))
        return false;
    qsizetype lastKeyStart = -1;
    qsizetype lastKeyEnd = -1;
    qsizetype sectionEnd = -1; // after the last non-blank line of the last such section
    bool inSection = false;
    forEachLine(text, 0, text.size(), [&](qsizetype start, qsizetype end) {
        const QStringView line = QStringView(text).mid(start, end - start);
        const QStringView trimmed = line.trimmed();
        if (const std::optional<QString> name = sectionOf(trimmed)) {
            inSection = name->compare(section, Qt::CaseInsensitive) == 0;
        } else if (inSection && isKeyLineOf(line, key)) {
            lastKeyStart = start;
            lastKeyEnd = contentEnd(text, start, end);
        }
        if (inSection && !trimmed.isEmpty())
            sectionEnd = contentEnd(text, start, end);
    });
    if (lastKeyStart >= 0) {
        text.replace(lastKeyStart, lastKeyEnd - lastKeyStart, keyLine(key, value));
        return true;
    }
    if (sectionEnd < 0)
        return false;
    text.insert(sectionEnd, u'\n' + keyLine(key, value));
    return true;
}

void removeKeyLines(const QString& key, QString& text)
{
    QList<std::pair<qsizetype, qsizetype>> spans;
    forEachLine(text, 0, text.size(), [&](qsizetype start, qsizetype end) {
        if (isKeyLineOf(QStringView(text).mid(start, end - start), key))
            spans.append({start, std::min(end + 1, text.size())});
    });
    for (auto span = spans.crbegin(); span != spans.crend(); ++span)
        text.remove(span->first, span->second - span->first);
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
    saveCommandSection(ProgramKeys::StartupSection, autoexecText, text);
}

void saveCommandSection(QLatin1StringView section, const QString& commands, QString& text)
{
    const QString trimmed = commands.trimmed();
    if (trimmed.isEmpty())
        return;
    const QString block = ProgramKeys::header(section) + u'\n' + protectPercentLines(trimmed);
    if (const std::optional<Span> span = ProgramKeys::commandSpan(text, section)) {
        // A blank line parts it from a section after it; a text that ended with a line feed still does.
        const bool lineFeedAfter = span->end < text.size() || text.endsWith(u'\n');
        text.replace(span->start, span->end - span->start,
                     block + (lineFeedAfter ? QStringLiteral("\n\n") : QStringLiteral("\n")));
        return;
    }
    if (section != ProgramKeys::StartupSection) {
        if (const std::optional<Span> startup = ProgramKeys::startupSpan(text)) {
            text.insert(startup->start, block + QStringLiteral("\n\n"));
            return;
        }
    }
    text += u'\n' + block + u'\n';
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

std::optional<QString> sectionOf(QStringView trimmedLine)
{
    if (!trimmedLine.startsWith(u'['))
        return std::nullopt;
    const qsizetype close = trimmedLine.indexOf(u']');
    if (close < 0)
        return std::nullopt;
    return trimmedLine.mid(1, close - 1).toString().toLower();
}

QList<Span> sectionSpans(QStringView text, QStringView section)
{
    QList<Span> spans;
    std::optional<qsizetype> open;
    forEachLine(text, 0, text.size(), [&](qsizetype start, qsizetype end) {
        const std::optional<QString> name = sectionOf(text.mid(start, end - start).trimmed());
        if (!name)
            return;
        if (open)
            spans.append({*open, start});
        open =
            name->compare(section, Qt::CaseInsensitive) == 0 ? std::optional<qsizetype>(start) : std::nullopt;
    });
    if (open)
        spans.append({*open, text.size()});
    return spans;
}

QString sectionBody(QStringView text, const Span& span)
{
    const qsizetype headerEnd = text.indexOf(u'\n', span.start);
    if (headerEnd < 0 || headerEnd >= span.end)
        return {};
    return text.mid(headerEnd + 1, span.end - headerEnd - 1).toString();
}

QList<KeyLine> keyLines(QStringView text)
{
    QList<KeyLine> lines;
    QString section;
    forEachLine(text, 0, text.size(), [&](qsizetype start, qsizetype end) {
        const QStringView line = text.mid(start, end - start);
        const QStringView trimmed = line.trimmed();
        if (const std::optional<QString> name = sectionOf(trimmed)) {
            section = *name;
            return;
        }
        if (const std::optional<QStringView> key = keyOfLine(line)) {
            const QStringView value = trimmed.mid(trimmed.indexOf(u'=') + 1).trimmed();
            lines.append({section, key->toString().toLower(), value.toString(), start, end});
        }
    });
    return lines;
}

} // namespace ConfigText
