#include "settings/SettingsForm.h"

#include "library/ConfigText.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace SettingsForm {

const QList<CheckboxBinding>& checkboxMapping()
{
    static const QList<CheckboxBinding> mapping = {
        {QStringLiteral("s_ipx"), QStringLiteral("ipx")},
        {QStringLiteral("s_xms"), QStringLiteral("xms")},
        {QStringLiteral("s_ems"), QStringLiteral("ems")},
        {QStringLiteral("s_umb"), QStringLiteral("umb")},
        {QStringLiteral("s_autolock"), QStringLiteral("autolock")},
        {QStringLiteral("s_fullscreen"), QStringLiteral("fullscreen")},
        {QStringLiteral("s_fulldouble"), QStringLiteral("fulldouble")},
        {QStringLiteral("s_aspect"), QStringLiteral("aspect")},
    };
    return mapping;
}

QStringList frameskipItems()
{
    QStringList items;
    for (int i = 0; i <= 8; ++i)
        items.append(QString::number(i));
    return items;
}

QString noShaderTitle()
{
    return QCoreApplication::translate("Preferences", "No Shader", "No shader selected");
}

LoadedValues load(const QString& text)
{
    LoadedValues values;
    values.details = GameDetailsText::read(text);
    // Tested in this order; the first prefix a trimmed line begins with decides.
    const std::pair<QStringView, std::optional<QString>*> optionalFields[] = {
        {u"glshader=", &values.glshader}, {u"sbtype=", &values.sbtype}, {u"sbbase=", &values.sbbase},
        {u"irq=", &values.irq},           {u"dma=", &values.dma},       {u"hdma=", &values.hdma},
    };
    const std::pair<QStringView, QString*> textFields[] = {
        {u"game_title=", &values.title},        {u"game_exe=", &values.gameExe},
        {u"setup_exe=", &values.setupExe},      {u"cd_image=", &values.cdImage},
        {u"frameskip=", &values.frameskip},     {u"cycles=", &values.cycles},
        {u"sensitivity=", &values.sensitivity},
    };

    for (const QStringView rawLine : QStringView(text).tokenize(u'\n', Qt::SkipEmptyParts)) {
        const QStringView line = rawLine.trimmed();
        bool matched = false;
        for (const auto& [prefix, field] : textFields) {
            if (line.startsWith(prefix)) {
                *field = line.mid(prefix.size()).toString();
                matched = true;
                break;
            }
        }
        for (const auto& [prefix, field] : optionalFields) {
            if (matched)
                break;
            if (line.startsWith(prefix)) {
                *field = line.mid(prefix.size()).toString();
                matched = true;
            }
        }
        if (matched)
            continue;
        for (const CheckboxBinding& binding : checkboxMapping()) {
            const QString prefix = binding.key + u'=';
            if (line.startsWith(prefix)) {
                const QString value = line.mid(prefix.size()).toString().toLower();
                values.checkValues.insert(binding.key, value == u"true" || value == u"1" || value == u"yes");
                break;
            }
        }
    }

    values.mt32 = ConfigText::firstLineValue(text, u"mididevice=").value_or(QString()).toLower() == u"mt32";

    if (const std::optional<QString> resolution = ConfigText::firstLineValue(text, u"windowresolution=")) {
        const QStringList pieces = resolution->split(u'x', Qt::SkipEmptyParts);
        if (pieces.size() == 2)
            values.windowResolution = std::pair(pieces.at(0), pieces.at(1));
    }

    static const QRegularExpression autoexec(QStringLiteral("^\\[tandril autoexec\\](.*)"),
                                             QRegularExpression::DotMatchesEverythingOption |
                                                 QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = autoexec.match(text);
    if (match.hasMatch())
        values.autoexec = ConfigText::unprotectPercentLines(match.captured(1).trimmed());
    // IRQ 2 is the same line as 9 on an AT; DOSBox-X takes only 9.
    if (values.irq && values.irq->trimmed() == u"2")
        values.irq = QStringLiteral("9");
    return values;
}

QString shaderName(const QString& glshaderValue)
{
    QString path = glshaderValue;
    while (path.endsWith(u'/') && path.size() > 1)
        path.chop(1);
    const qsizetype slash = path.lastIndexOf(u'/');
    const qsizetype dot = path.lastIndexOf(u'.');
    if (dot > slash + 1)
        path.truncate(dot);
    while (path.endsWith(u'/') && path.size() > 1)
        path.chop(1);
    return path.mid(path.lastIndexOf(u'/') + 1);
}

int indexOrFirst(const QStringList& items, const std::optional<QString>& title)
{
    if (!title)
        return 0;
    const qsizetype index = items.indexOf(*title);
    return index < 0 ? 0 : int(index);
}

} // namespace SettingsForm
