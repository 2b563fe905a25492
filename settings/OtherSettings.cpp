#include "settings/OtherSettings.h"

#include "library/ConfigText.h"
#include "library/ProgramKeys.h"
#include "settings/FormFields.h"

#include <optional>
#include <QHash>
#include <QRegularExpression>

namespace OtherSettings {

namespace {

// The last value of each section.key, as DOSBox-X keeps it.
QHash<QString, QString> valuesOf(const QList<Setting>& settings)
{
    QHash<QString, QString> values;
    for (const Setting& setting : settings)
        values.insert(setting.section + u'.' + setting.key, setting.value);
    return values;
}

} // namespace

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
            // Tandril's own keys and values with control characters are never written here.
            const qsizetype equals = trimmed.indexOf(u'=');
            read = inSection && equals > 0 && !ProgramKeys::isProgramKey(trimmed.left(equals).trimmed()) &&
                   ConfigText::isWritableValue(trimmed.mid(equals + 1));
        }
        if (!read)
            lines.append(trimmed.toString());
    }
    return lines;
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
        if (seen.contains(name) || FormFields::isFormKey(setting.section, setting.key))
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
    DosboxSettings::apply(parse(otherText), configText);
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
