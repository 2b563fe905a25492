#include "settings/OtherSettings.h"

#include <optional>
#include <QHash>
#include <QRegularExpression>

namespace OtherSettings {

namespace {

bool isDosboxSection(const QString& section)
{
    return !section.isEmpty() && section != u"tandril" && section != u"tandril autoexec" &&
           section != u"autoexec";
}

// The section a header line opens, as DOSBox-X reads it: the text between "[" and the first "]",
// compared ignoring letter case only ("[ cpu ]" is no [cpu]); nothing when the line has no "]".
std::optional<QString> sectionOf(QStringView trimmed)
{
    const qsizetype close = trimmed.indexOf(u']');
    if (close < 0)
        return std::nullopt;
    return trimmed.mid(1, close - 1).toString().toLower();
}

// The last value of each section.key, as DOSBox-X keeps it.
QHash<QString, QString> valuesOf(const QList<Setting>& settings)
{
    QHash<QString, QString> values;
    for (const Setting& setting : settings)
        values.insert(setting.section + u'.' + setting.key, setting.value);
    return values;
}

// Sets key=value where DOSBox-X takes it from: its last line in any [section] of the text (a
// repeated key or section counts by its last occurrence), else a new line at the end of the last
// such section. The key is matched as a whole name ("dma" must not hit "hdma"). False when the
// text has no such section.
bool setInSection(const QString& section, const QString& key, const QString& value, QString& text)
{
    qsizetype lastKeyStart = -1;
    qsizetype lastKeyEnd = -1;
    qsizetype sectionEnd = -1; // after the last non-blank line of the last such section
    bool inSection = false;
    qsizetype lineStart = 0;
    while (lineStart <= text.size()) {
        qsizetype lineEnd = text.indexOf(u'\n', lineStart);
        if (lineEnd < 0)
            lineEnd = text.size();
        const QStringView line = QStringView(text).mid(lineStart, lineEnd - lineStart);
        const QStringView trimmed = line.trimmed();
        if (trimmed.startsWith(u'[')) {
            if (const std::optional<QString> name = sectionOf(trimmed))
                inSection = *name == section;
        } else if (inSection && !trimmed.isEmpty()) {
            const qsizetype equals = trimmed.indexOf(u'=');
            if (equals > 0 && trimmed.left(equals).trimmed().compare(key, Qt::CaseInsensitive) == 0) {
                lastKeyStart = lineStart;
                lastKeyEnd = lineEnd - (line.endsWith(u'\r') ? 1 : 0);
            }
        }
        if (inSection && !trimmed.isEmpty())
            sectionEnd = lineEnd - (line.endsWith(u'\r') ? 1 : 0);
        lineStart = lineEnd + 1;
    }
    if (lastKeyStart >= 0) {
        text.replace(lastKeyStart, lastKeyEnd - lastKeyStart, key + u'=' + value);
        return true;
    }
    if (sectionEnd < 0)
        return false;
    text.insert(sectionEnd, u'\n' + key + u'=' + value);
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
            if (const std::optional<QString> name = sectionOf(trimmed)) {
                section = *name;
                inSection = isDosboxSection(section);
            }
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

QStringList unreadLines(const QString& otherText)
{
    QStringList lines;
    bool inSection = false;
    for (const QStringView line : QStringView(otherText).tokenize(u'\n')) {
        const QStringView trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(u'#'))
            continue;
        bool read = false;
        if (trimmed.startsWith(u'[')) {
            read = trimmed.endsWith(u']') && trimmed.indexOf(u']') == trimmed.size() - 1;
            inSection = inSection || read;
        } else {
            read = inSection && trimmed.indexOf(u'=') > 0;
        }
        if (!read)
            lines.append(trimmed.toString());
    }
    return lines;
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
