#include "platform/Diagnostics.h"

#include "platform/TerminalText.h"

#include <cstdio>

void logLine(const QString& line)
{
    // A diagnostic line often names someone else's file or title: it never commands the terminal.
    const QByteArray bytes = TerminalText::printable(line).toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}
