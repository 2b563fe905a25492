#include "settings/OtherSettings.h"

#include <QHash>
#include <QRegularExpression>

namespace OtherSettings {

namespace {

bool isDosboxSection(const QString& section)
{
    return !section.isEmpty() && section != u"tandril" && section != u"tandril autoexec" &&
           section != u"autoexec";
}

QString sectionOf(QStringView trimmed)
{
    if (trimmed.size() < 2 || !trimmed.startsWith(u'[') || !trimmed.endsWith(u']'))
        return {};
    return trimmed.mid(1, trimmed.size() - 2).trimmed().toString().toLower();
}

// The last value of each section.key, as DOSBox-X keeps it.
QHash<QString, QString> valuesOf(const QList<Setting>& settings)
{
    QHash<QString, QString> values;
    for (const Setting& setting : settings)
        values.insert(setting.section + u'.' + setting.key, setting.value);
    return values;
}

// Sets key=value in the first [section] of the text, the key matched as a whole word at the start
// of a line (unlike the form's keys, these are any of DOSBox-X's: "dma" must not hit "hdma").
// False when the text has no such section.
bool setInSection(const QString& section, const QString& key, const QString& value, QString& text)
{
    const QRegularExpression header(QStringLiteral("(?mi)^[ \\t]*\\[[ \\t]*") +
                                    QRegularExpression::escape(section) +
                                    QStringLiteral("[ \\t]*\\][^\\n]*$"));
    const QRegularExpressionMatch found = header.match(text);
    if (!found.hasMatch())
        return false;
    const qsizetype bodyStart = found.capturedEnd();
    static const QRegularExpression nextHeader(QStringLiteral("(?m)^[ \\t]*\\["));
    const QRegularExpressionMatch next = nextHeader.match(text, bodyStart);
    const qsizetype bodyEnd = next.hasMatch() ? next.capturedStart() : text.size();
    const QRegularExpression keyLine(QStringLiteral("(?mi)^[ \\t]*") + QRegularExpression::escape(key) +
                                     QStringLiteral("[ \\t]*=[^\\r\\n]*"));
    QRegularExpressionMatch line = keyLine.match(text, bodyStart);
    if (line.hasMatch() && line.capturedStart() < bodyEnd) {
        text.replace(line.capturedStart(), line.capturedLength(), key + u'=' + value);
        return true;
    }
    qsizetype end = bodyEnd;
    while (end > bodyStart && text.at(end - 1).isSpace())
        --end;
    text.insert(end, u'\n' + key + u'=' + value);
    return true;
}

} // namespace

QList<Setting> parse(const QString& text)
{
    QList<Setting> settings;
    QString section;
    bool inSection = false;
    for (const QStringView line : QStringView(text).tokenize(u'\n')) {
        const QStringView trimmed = line.trimmed();
        if (trimmed.startsWith(u'[')) {
            section = sectionOf(trimmed);
            inSection = isDosboxSection(section);
            continue;
        }
        if (!inSection || trimmed.isEmpty() || trimmed.startsWith(u'#'))
            continue;
        const qsizetype equals = trimmed.indexOf(u'=');
        if (equals <= 0)
            continue;
        settings.append({section, trimmed.left(equals).trimmed().toString().toLower(),
                         trimmed.mid(equals + 1).trimmed().toString()});
    }
    return settings;
}

bool isFormKey(const QString& section, const QString& key)
{
    static const QStringList keys{
        QStringLiteral("sdl.fullscreen"),
        QStringLiteral("sdl.fulldouble"),
        QStringLiteral("sdl.windowresolution"),
        QStringLiteral("sdl.autolock"),
        QStringLiteral("sdl.sensitivity"),
        QStringLiteral("dosbox.title"),
        QStringLiteral("render.frameskip"),
        QStringLiteral("render.aspect"),
        QStringLiteral("render.glshader"),
        QStringLiteral("cpu.cycles"),
        QStringLiteral("midi.mididevice"),
        QStringLiteral("midi.mt32.romdir"),
        QStringLiteral("sblaster.sbtype"),
        QStringLiteral("sblaster.sbbase"),
        QStringLiteral("sblaster.irq"),
        QStringLiteral("sblaster.dma"),
        QStringLiteral("sblaster.hdma"),
        QStringLiteral("dos.xms"),
        QStringLiteral("dos.ems"),
        QStringLiteral("dos.umb"),
        QStringLiteral("ipx.ipx"),
    };
    return keys.contains(section + u'.' + key);
}

QString fromConfig(const QString& configText, const QString& templateText)
{
    const QHash<QString, QString> template_ = valuesOf(parse(templateText));
    // The last occurrence of a key counts, shown where the key first appeared.
    const QList<Setting> settings = parse(configText);
    const QHash<QString, QString> last = valuesOf(settings);
    QStringList sections;
    QHash<QString, QStringList> lines;
    QStringList seen;
    for (const Setting& setting : settings) {
        const QString name = setting.section + u'.' + setting.key;
        if (seen.contains(name) || isFormKey(setting.section, setting.key))
            continue;
        seen.append(name);
        const QString value = last.value(name);
        if (template_.contains(name) && template_.value(name) == value)
            continue;
        if (!sections.contains(setting.section))
            sections.append(setting.section);
        lines[setting.section].append(setting.key + u'=' + value);
    }
    QString text;
    for (const QString& section : std::as_const(sections))
        text += u'[' + section + QStringLiteral("]\n") + lines.value(section).join(u'\n') + u'\n';
    return text;
}

void applyTo(const QString& otherText, QString& configText)
{
    static const QRegularExpression programSection(
        QStringLiteral("(?m)^\\[tandril( autoexec)?\\][ \\t\\r]*$"));
    for (const Setting& setting : parse(otherText)) {
        if (setInSection(setting.section, setting.key, setting.value, configText))
            continue;
        // A section the template lacks goes before the program's own: no DOSBox-X key may ever
        // land in [tandril] or among the start-up commands.
        const QString block =
            u'[' + setting.section + QStringLiteral("]\n") + setting.key + u'=' + setting.value + u'\n';
        const QRegularExpressionMatch program = programSection.match(configText);
        if (program.hasMatch())
            configText.insert(program.capturedStart(), block + u'\n');
        else
            configText +=
                (configText.endsWith(u'\n') || configText.isEmpty() ? QString() : QStringLiteral("\n")) +
                block;
    }
}

QStringList differences(const QString& configText, const QString& templateText)
{
    const QHash<QString, QString> template_ = valuesOf(parse(templateText));
    const QList<Setting> settings = parse(configText);
    const QHash<QString, QString> last = valuesOf(settings);
    QStringList lines;
    for (const Setting& setting : settings) {
        const QString name = setting.section + u'.' + setting.key;
        const QString line = name + u'=' + last.value(name);
        if (template_.value(name) != last.value(name) && !lines.contains(line))
            lines.append(line);
    }
    return lines;
}

} // namespace OtherSettings
