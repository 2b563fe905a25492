#pragma once

#include <QString>

// Text for a terminal. Whatever a command prints may come from someone else's files (a title,
// notes, a setting, a file name), and an escape sequence in it would command the terminal.
namespace TerminalText {

// A control character or a line or paragraph separator of any kind: no configuration line and
// no terminal line takes one as it is.
bool isControlCharacter(QChar c);

// The text with every control character but the line feed shown as its code ("\x1b", "\u2028").
QString printable(const QString& text);

} // namespace TerminalText
