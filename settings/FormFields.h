#pragma once

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
    // A text is written only when it takes the trimmed value; without it, any value that fits
    // on a line (others stop the save, naming the field).
    bool (*accepts)(const QString& value) = nullptr;
    QStringList (*items)() = nullptr; // a menu's values
};

std::span<const Field> all();
// The table's row of that key, if any.
const Field* find(QStringView key);
// The label in the language in use.
QString label(const Field& field);
// Whether the form sets [section] key, so that the other settings leave it out; "cycles" in [cpu]
// is the form's, in [dosbox] it is not.
bool isFormKey(const QString& section, const QString& key);

} // namespace FormFields
