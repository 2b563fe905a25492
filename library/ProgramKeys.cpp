#include "library/ProgramKeys.h"

namespace ProgramKeys {

bool isProgramKey(QStringView key)
{
    return key.startsWith(DetailPrefix, Qt::CaseInsensitive) ||
           key.compare(SetupExe, Qt::CaseInsensitive) == 0 ||
           key.compare(CdImage, Qt::CaseInsensitive) == 0 ||
           key.compare(CloseWhenEnded, Qt::CaseInsensitive) == 0;
}

QString titleFromLine(QStringView line)
{
    return line.toString().remove(QString(Title) + u'=').trimmed();
}

bool isProgramSection(QStringView section)
{
    return section.compare(Section, Qt::CaseInsensitive) == 0 ||
           section.compare(BeforeGameSection, Qt::CaseInsensitive) == 0 ||
           section.compare(StartupSection, Qt::CaseInsensitive) == 0;
}

QString header(QLatin1StringView section)
{
    return u'[' + QString(section) + u']';
}

QString startupHeader()
{
    return header(StartupSection);
}

std::optional<ConfigText::Span> startupSpan(QStringView text)
{
    return commandSpan(text, StartupSection);
}

std::optional<QString> commandsOf(QStringView text, QLatin1StringView section)
{
    const std::optional<ConfigText::Span> span = commandSpan(text, section);
    if (!span)
        return std::nullopt;
    return ConfigText::sectionBody(text, *span);
}

bool closesWhenEnded(QStringView text)
{
    return ConfigText::firstLineValue(text, QString(CloseWhenEnded) + u'=').value_or(QString()) == u"true";
}

std::optional<ConfigText::Span> commandSpan(QStringView text, QLatin1StringView section)
{
    // Its header exactly so at a line's start; it ends where a line begins with "[" (an indented
    // one is a command), whatever DOSBox-X would make of that line.
    const QString header = ProgramKeys::header(section);
    std::optional<ConfigText::Span> span;
    for (qsizetype start = 0; start < text.size();) {
        qsizetype end = text.indexOf(u'\n', start);
        if (end < 0)
            end = text.size();
        const QStringView line = text.mid(start, end - start);
        if (span && line.startsWith(u'[')) {
            span->end = start;
            return span;
        }
        if (!span && line.startsWith(header))
            span = ConfigText::Span{start, text.size()};
        start = end + 1;
    }
    return span;
}

std::optional<qsizetype> firstProgramSectionStart(QStringView text)
{
    std::optional<qsizetype> first;
    for (const QLatin1StringView section : {Section, BeforeGameSection, StartupSection}) {
        const QList<ConfigText::Span> spans = ConfigText::sectionSpans(text, QString(section));
        if (!spans.isEmpty() && (!first || spans.first().start < *first))
            first = spans.first().start;
    }
    return first;
}

std::optional<QString> startupCommands(QStringView text)
{
    return commandsOf(text, StartupSection);
}

QString gameExeForEditor(QStringView text)
{
    return ConfigText::lastTrimmedLineValue(text, QString(GameExe) + u'=').value_or(QString());
}

QString gameExeForLaunch(QStringView text)
{
    return ConfigText::firstLineValue(text, QString(GameExe) + u'=').value_or(QString());
}

bool namesGameExe(QStringView text)
{
    const QString key = QString(GameExe) + u'=';
    for (const QStringView line : text.tokenize(u'\n')) {
        if (line.startsWith(key) && !line.mid(key.size()).trimmed().isEmpty())
            return true;
    }
    return false;
}

} // namespace ProgramKeys
