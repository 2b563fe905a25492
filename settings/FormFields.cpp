#include "settings/FormFields.h"

#include "library/ConfigText.h"
#include "settings/GameFiles.h"
#include "settings/GameForm.h"

#include <QCoreApplication>

namespace FormFields {

namespace {

using namespace Qt::StringLiterals;

QStringList frameskipItems()
{
    QStringList items;
    for (int i = 0; i <= 8; ++i)
        items.append(QString::number(i));
    return items;
}

bool acceptsSensitivity(const QString& value)
{
    return GameFiles::isValidSensitivity(value);
}

bool acceptsCycles(const QString& value)
{
    return GameFiles::isValidCycles(value);
}

// Until DOSBox-X's reference is read: the machines old games need, and DOSBox-X's default.
QStringList machineItems()
{
    return {QStringLiteral("cga"),    QStringLiteral("hercules"), QStringLiteral("tandy"),
            QStringLiteral("pcjr"),   QStringLiteral("ega"),      QStringLiteral("vgaonly"),
            QStringLiteral("svga_s3")};
}

// The order is the order of writing: a key the template lacks is appended in it.
constexpr Field Fields[] = {
    {"s_ipx"_L1, "ipx"_L1, "ipx"_L1, Kind::OnOff, "false"_L1, QT_TRANSLATE_NOOP("FormFields", "IPX network")},
    {"s_xms"_L1, "dos"_L1, "xms"_L1, Kind::OnOff, "false"_L1, QT_TRANSLATE_NOOP("FormFields", "XMS memory")},
    {"s_ems"_L1, "dos"_L1, "ems"_L1, Kind::OnOff, "false"_L1, QT_TRANSLATE_NOOP("FormFields", "EMS memory")},
    {"s_umb"_L1, "dos"_L1, "umb"_L1, Kind::OnOff, "false"_L1,
     QT_TRANSLATE_NOOP("FormFields", "Upper memory blocks")},
    {"s_autolock"_L1, "sdl"_L1, "autolock"_L1, Kind::OnOff, "false"_L1,
     QT_TRANSLATE_NOOP("FormFields", "Capture mouse on click")},
    {"s_fullscreen"_L1, "sdl"_L1, "fullscreen"_L1, Kind::OnOff, "false"_L1,
     QT_TRANSLATE_NOOP("FormFields", "Full screen")},
    {"s_fulldouble"_L1, "sdl"_L1, "fulldouble"_L1, Kind::OnOff, "false"_L1,
     QT_TRANSLATE_NOOP("FormFields", "Double buffering")},
    {"s_aspect"_L1, "render"_L1, "aspect"_L1, Kind::OnOff, "false"_L1,
     QT_TRANSLATE_NOOP("FormFields", "Correct aspect ratio")},
    {"s_frameskip"_L1, "render"_L1, "frameskip"_L1, Kind::Choice, "0"_L1,
     QT_TRANSLATE_NOOP("FormFields", "Frame skip"), nullptr, nullptr, frameskipItems},
    {"s_cycles"_L1, "cpu"_L1, "cycles"_L1, Kind::Text, "3000"_L1,
     QT_TRANSLATE_NOOP("FormFields", "CPU cycles"), acceptsCycles,
     QT_TRANSLATE_NOOP("FormFields", "Type auto, max or a number of cycles from 1 to 1000000.")},
    {"s_sensitivity"_L1, "sdl"_L1, "sensitivity"_L1, Kind::Text, "100"_L1,
     QT_TRANSLATE_NOOP("FormFields", "Mouse sensitivity"), acceptsSensitivity,
     QT_TRANSLATE_NOOP("FormFields", "Type a whole number from -1000 to 1000.")},
    {"s_machine"_L1, "dosbox"_L1, "machine"_L1, Kind::Choice, "svga_s3"_L1,
     QT_TRANSLATE_NOOP("FormFields", "Machine type"), nullptr, nullptr, machineItems, true},
    // Tandril's own: new games get it on from the template, older ones lack it and keep the prompt.
    {"closeWhenEnded"_L1, "tandril"_L1, "close_when_ended"_L1, Kind::OnOff, "false"_L1,
     QT_TRANSLATE_NOOP("FormFields", "Close DOSBox-X when the game ends")},
    // Controls with code of their own.
    // The window's title, written from the game's: its help would mislead beside the title field.
    {{}, "dosbox"_L1, "title"_L1, Kind::Own},
    {"s_window_width"_L1, "sdl"_L1, "windowresolution"_L1, Kind::Own},
    {"s_window_height"_L1, "sdl"_L1, "windowresolution"_L1, Kind::Own},
    {"s_glshaders"_L1, "render"_L1, "glshader"_L1, Kind::Own},
    {"mt32Support"_L1, "midi"_L1, "mididevice"_L1, Kind::Own},
    {{}, "midi"_L1, "mt32.romdir"_L1, Kind::Own},
    {"s_soundcard"_L1, "sblaster"_L1, "sbtype"_L1, Kind::Own},
    {"s_sbbase"_L1, "sblaster"_L1, "sbbase"_L1, Kind::Own},
    {"s_irq"_L1, "sblaster"_L1, "irq"_L1, Kind::Own},
    {"s_dma"_L1, "sblaster"_L1, "dma"_L1, Kind::Own},
    {"s_hdma"_L1, "sblaster"_L1, "hdma"_L1, Kind::Own},
};

} // namespace

std::span<const Field> all()
{
    return Fields;
}

const Field* find(QStringView key)
{
    for (const Field& field : Fields) {
        if (field.kind != Kind::Own && field.key == key)
            return &field;
    }
    return nullptr;
}

QString label(const Field& field)
{
    return field.label ? QCoreApplication::translate("FormFields", field.label) : QString();
}

QString hint(const Field& field)
{
    return field.hint ? QCoreApplication::translate("FormFields", field.hint) : QString();
}

std::optional<QString> problem(const Field& field, const QString& value)
{
    const QString trimmed = value.trimmed();
    if (field.kind != Kind::Text || !field.accepts || trimmed.isEmpty() ||
        (field.accepts(trimmed) && ConfigText::isWritableValue(trimmed)))
        return std::nullopt;
    return label(field) + QStringLiteral(": ") + hint(field);
}

bool isFormKey(const QString& section, const QString& key)
{
    for (const Field& field : Fields) {
        if (field.section == section && field.key == key)
            return true;
    }
    return false;
}

} // namespace FormFields

QString GameForm::field(const QString& key) const
{
    if (const auto value = fields.constFind(key); value != fields.cend())
        return *value;
    const FormFields::Field* row = FormFields::find(key);
    return row ? QString(row->defaultValue) : QString();
}
