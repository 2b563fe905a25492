#pragma once

#include "settings/FormFields.h"

class QWidget;

// The control of each kind of the form's table: a check box, a line to type in, a menu.
namespace FieldControls {

// A new control for a field of the table (not an Own one), named and labelled by its row.
QWidget* make(const FormFields::Field& field, QWidget* parent);
// Shows a value; a menu selects the item of that text, or its first.
void show(QWidget* control, const FormFields::Field& field, const QString& value);
// The value the control shows.
QString read(const QWidget* control, const FormFields::Field& field);
// A menu's items anew, keeping the value it shows (added when the items lack it).
void setItems(QWidget* control, const QStringList& items);
// The control with the field's hint beside it, shown while the typed value is one the field
// does not take (the save then stops and says so too); the hint is named "<control>Problem".
QWidget* withHint(QWidget* control, const FormFields::Field& field, QWidget* parent);

} // namespace FieldControls
