#include "settings/SettingsForm.h"

#include "library/ConfigText.h"
#include "library/ProgramKeys.h"
#include "settings/FormFields.h"
#include "settings/OtherSettings.h"
#include "settings/SoundSettings.h"

#include <QCoreApplication>

namespace SettingsForm {

namespace {

std::optional<QString> lastValue(const QString& text, const QString& key)
{
    return ConfigText::lastTrimmedLineValue(text, key + u'=');
}

} // namespace

QString noShaderTitle()
{
    return QCoreApplication::translate("Preferences", "No Shader", "No shader selected");
}

GameForm load(const QString& text, const QString& templateText)
{
    GameForm form;
    form.details = GameDetailsText::read(text);
    form.title = ProgramKeys::titleFromLine(lastValue(text, ProgramKeys::Title).value_or(QString()));
    form.gameExe = ProgramKeys::gameExeForEditor(text);
    form.setupExe = lastValue(text, ProgramKeys::SetupExe).value_or(QString());
    form.cdImage = lastValue(text, ProgramKeys::CdImage).value_or(QString());

    for (const FormFields::Field& field : FormFields::all()) {
        if (field.kind == FormFields::Kind::Own)
            continue;
        const std::optional<QString> value = lastValue(text, field.key);
        if (field.kind == FormFields::Kind::OnOff) {
            const QString word = value.value_or(QString()).toLower();
            form.setOn(field.key, word == u"true" || word == u"1" || word == u"yes");
        } else {
            form.fields.insert(field.key, value.value_or(QString(field.defaultValue)));
        }
    }

    if (const std::optional<QString> sbtype = lastValue(text, QStringLiteral("sbtype")))
        form.soundCard =
            SoundSettings::titleForSbtype(*sbtype, SoundSettings::soundCardOptions()).value_or(QString());
    form.sbbase = lastValue(text, QStringLiteral("sbbase")).value_or(QString());
    // IRQ 2 is the same line as 9 on an AT; DOSBox-X takes only 9.
    form.irq = lastValue(text, QStringLiteral("irq")).value_or(QString());
    if (form.irq.trimmed() == u"2")
        form.irq = QStringLiteral("9");
    form.dma = lastValue(text, QStringLiteral("dma")).value_or(QString());
    form.hdma = lastValue(text, QStringLiteral("hdma")).value_or(QString());
    if (const std::optional<QString> glshader = lastValue(text, QStringLiteral("glshader")))
        form.glshader = shaderName(*glshader);

    form.mt32 = ConfigText::firstLineValue(text, u"mididevice=").value_or(QString()).toLower() == u"mt32";
    if (const std::optional<QString> resolution = ConfigText::firstLineValue(text, u"windowresolution=")) {
        const QStringList pieces = resolution->split(u'x', Qt::SkipEmptyParts);
        if (pieces.size() == 2) {
            form.windowWidth = pieces.at(0);
            form.windowHeight = pieces.at(1);
        }
    }
    if (const std::optional<QString> commands = ProgramKeys::commandsOf(text, ProgramKeys::BeforeGameSection))
        form.beforeGame = ConfigText::unprotectPercentLines(commands->trimmed());
    if (const std::optional<QString> commands = ProgramKeys::startupCommands(text))
        form.autoexec = ConfigText::unprotectPercentLines(commands->trimmed());
    form.otherSettings = OtherSettings::fromConfig(text, templateText);
    return form;
}

QString shaderName(const QString& glshaderValue)
{
    QString path = glshaderValue;
    while (path.endsWith(u'/') && path.size() > 1)
        path.chop(1);
    const qsizetype slash = path.lastIndexOf(u'/');
    const qsizetype dot = path.lastIndexOf(u'.');
    if (dot > slash + 1)
        path.truncate(dot); // what is left still ends in the name's first part, never in "/"
    return path.mid(path.lastIndexOf(u'/') + 1);
}

} // namespace SettingsForm
