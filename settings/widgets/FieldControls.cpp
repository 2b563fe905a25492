#include "settings/widgets/FieldControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

namespace FieldControls {

QWidget* make(const FormFields::Field& field, QWidget* parent)
{
    QWidget* control = nullptr;
    switch (field.kind) {
    case FormFields::Kind::OnOff:
        control = new QCheckBox(FormFields::label(field), parent);
        break;
    case FormFields::Kind::Choice: {
        auto* menu = new QComboBox(parent);
        if (field.items)
            menu->addItems(field.items());
        control = menu;
        break;
    }
    case FormFields::Kind::Text:
    case FormFields::Kind::Own:
        control = new QLineEdit(parent);
        break;
    }
    control->setObjectName(field.control);
    return control;
}

void show(QWidget* control, const FormFields::Field& field, const QString& value)
{
    if (field.kind == FormFields::Kind::OnOff)
        static_cast<QCheckBox*>(control)->setChecked(value == u"true");
    else if (auto* menu = qobject_cast<QComboBox*>(control))
        menu->setCurrentIndex(std::max(0, menu->findText(value)));
    else if (auto* line = qobject_cast<QLineEdit*>(control))
        line->setText(value);
}

QString read(const QWidget* control, const FormFields::Field& field)
{
    if (field.kind == FormFields::Kind::OnOff)
        return static_cast<const QCheckBox*>(control)->isChecked() ? QStringLiteral("true")
                                                                   : QStringLiteral("false");
    if (const auto* menu = qobject_cast<const QComboBox*>(control))
        return menu->currentText();
    if (const auto* line = qobject_cast<const QLineEdit*>(control))
        return line->text();
    return {};
}

} // namespace FieldControls
