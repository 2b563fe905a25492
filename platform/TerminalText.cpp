#include "platform/TerminalText.h"

namespace TerminalText {

bool isControlCharacter(QChar c)
{
    return c.category() == QChar::Other_Control || c == QChar::LineSeparator ||
           c == QChar::ParagraphSeparator;
}

QString printable(const QString& text)
{
    QString shown;
    shown.reserve(text.size());
    for (const QChar c : text) {
        if (c == u'\n' || (!isControlCharacter(c) && c != QChar(0x7f)))
            shown += c;
        else if (c.unicode() < 0x100)
            shown += QStringLiteral("\\x") + QString::number(c.unicode(), 16).rightJustified(2, u'0');
        else
            shown += QStringLiteral("\\u") + QString::number(c.unicode(), 16).rightJustified(4, u'0');
    }
    return shown;
}

} // namespace TerminalText
