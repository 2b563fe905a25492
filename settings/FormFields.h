#pragma once

#include <optional>
#include <QLatin1StringView>
#include <QString>
#include <QStringList>
#include <span>

// The settings form's fields, one row each: loading, saving, the help from DOSBox-X, the other
// settings (which leave out what the form sets) and the editor's layout all walk this table. A new
// field is one row here and one line where the editor places its control.
namespace FormFields {

enum class Kind
{
    OnOff,  // a check box: "true" or "false"
    Text,   // a line to type in, written trimmed
    Choice, // a menu of fixed values
    Own,    // a control with code of its own (window size, sound card, shader, …): only its key is here
};

struct Field
{
    QLatin1StringView control; // the control's object name; empty for a key without one
    QLatin1StringView section;
    QLatin1StringView key;
    Kind kind;
    QLatin1StringView defaultValue = {}; // shown when the file has no line of the key
    const char* label = nullptr;         // in the "FormFields" context; none for Own
    // A text is written only when it takes the trimmed value, and otherwise any value that fits
    // on a line; a value it refuses is said beside the field with the hint, and stops the save.
    bool (*accepts)(const QString& value) = nullptr;
    const char* hint = nullptr; // in the "FormFields" context
    // A menu's values; DOSBox-X's own, from its reference, replace them once it is read.
    QStringList (*items)() = nullptr;
    bool itemsFromReference = false;
};

std::span<const Field> all();
// The table's row of that key, if any.
const Field* find(QStringView key);
// The label and the hint in the language in use.
QString label(const Field& field);
QString hint(const Field& field);
// Why the form's value of a field cannot be saved, if it cannot: "CPU cycles: Type auto, …".
std::optional<QString> problem(const Field& field, const QString& value);
// Whether the form sets [section] key, so that the other settings leave it out; "cycles" in [cpu]
// is the form's, in [dosbox] it is not.
bool isFormKey(const QString& section, const QString& key);

} // namespace FormFields
