#pragma once

#include <optional>
#include <QString>

// Operations on a configuration text: the whole file held as one string. Every writer edits it
// with these and writes it back whole; no writer parses it into sections and keys. Values and
// blocks are inserted verbatim ("$" and "\" are never template syntax).
namespace ConfigText {

// Sets every match of key= to the end of its line to key=value; false when there is none.
bool replaceKeyLines(const QString& key, const QString& value, QString& text);

// Sets every line that holds key= (the key is a pattern, not anchored to the line start; "."
// in it matches any character) to key=value, or appends "\n" + key=value to the end.
void replaceOrAppend(const QString& key, const QString& value, QString& text);

// The same inside the first section named [section] only; a missing key goes to the end of that
// section, a missing section (with the key) to the end of the text.
void replaceInSection(const QString& section, const QString& key, const QString& value, QString& text);

// Writes the trimmed autoexec text as the body of the "[tandril autoexec]" section, replacing
// the existing section or appending one. A blank autoexec text changes nothing.
void saveAutoexecToConfig(const QString& autoexecText, QString& text);

inline constexpr QStringView AutoexecHeader = u"[tandril autoexec]";
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

} // namespace ConfigText
