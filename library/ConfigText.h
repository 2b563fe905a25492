#pragma once

#include <optional>
#include <QList>
#include <QString>

// Operations on a configuration text: the whole file held as one string. This is the one place
// that puts a line into it: every writer edits the text with these and writes it back whole.
// Lines end at a line feed, as DOSBox-X reads them; a key is matched only as a whole key at the
// start of its line (after blanks, ignoring letter case as DOSBox-X does), never inside another
// key, a comment or a value. Values and blocks are inserted verbatim ("$" and "\" are never
// template syntax); a value that holds a line break or another control character is refused
// and nothing is written.
namespace ConfigText {

// Whether a value may stand on a key line: no control character and no line or paragraph
// separator of any kind (they would start a line of their own for one reader or another).
bool isWritableValue(QStringView value);

// Sets every key line of key to key=value; false when there is none or the value is refused.
bool replaceKeyLines(const QString& key, const QString& value, QString& text);

// Sets every key line of key to key=value, or appends "\n" + key=value to the end. False when
// the value is refused.
bool replaceOrAppend(const QString& key, const QString& value, QString& text);

// The same inside the first section named [section] only; a missing key goes to the end of that
// section, a missing section (with the key) to the end of the text.
bool replaceInSection(const QString& section, const QString& key, const QString& value, QString& text);

// Sets key=value where DOSBox-X takes it from: its last line in any [section] of the text (a
// repeated key or section counts by its last occurrence), else a new line at the end of the last
// such section. False when the text has no such section or the value is refused.
bool setWhereDosboxReads(const QString& section, const QString& key, const QString& value, QString& text);

// Removes every key line of key, in any section.
void removeKeyLines(const QString& key, QString& text);

// Writes the trimmed autoexec text as the body of the "[tandril autoexec]" section, replacing
// the existing section or appending one. A blank autoexec text changes nothing.
void saveAutoexecToConfig(const QString& autoexecText, QString& text);
// The same for another of Tandril's sections of commands; a new one goes before the start-up
// commands, which stay last.
void saveCommandSection(QLatin1StringView section, const QString& commands, QString& text);

inline constexpr QChar NoBreakSpace = QChar(0x00A0);

// DOSBox-X crashes on a line of a section it does not know whose first character after blanks
// is "%": such lines of the start-up block get one no-break space in front, which every reader
// trims away again.
QString protectPercentLines(const QString& block);
QString unprotectPercentLines(const QString& block);

// Value of the first line that begins with key, with no trimming of the line; the value is
// trimmed. Only the first such line counts, also when its value is empty.
std::optional<QString> firstLineValue(QStringView text, QStringView key);

// Value of the last line that begins with key once the line is trimmed; the value is the rest
// of the trimmed line.
std::optional<QString> lastTrimmedLineValue(QStringView text, QStringView key);

// The section a trimmed header line opens, as DOSBox-X reads it: the text between "[" and the
// first "]", in lower case ("[ cpu ]" is no [cpu]); nothing when the line is no header.
std::optional<QString> sectionOf(QStringView trimmedLine);

// One key=value line as DOSBox-X reads it.
struct KeyLine
{
    QString section;     // lower case, without brackets; empty before the first header
    QString key;         // lower case
    QString value;       // trimmed
    qsizetype start = 0; // the line's place in the text: from its first character
    qsizetype end = 0;   // to its line feed (or the end of the text)
    bool operator==(const KeyLine&) const = default;
};

// Where each section of that name stands, as DOSBox-X reads headers: from its header's first
// character to the next header's (or the end of the text), in the text's order.
struct Span
{
    qsizetype start = 0;
    qsizetype end = 0;
};
QList<Span> sectionSpans(QStringView text, QStringView section);

// A section's body: everything after its header line, as it stands.
QString sectionBody(QStringView text, const Span& span);

// Every key line of the text, in its order, with the section it stands in. Comment lines ("#")
// and lines without a key before "=" are none.
QList<KeyLine> keyLines(QStringView text);

} // namespace ConfigText
