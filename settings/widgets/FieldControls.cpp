#include "settings/widgets/FieldControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
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
    auto* menu = qobject_cast<QComboBox*>(control);
    // A value DOSBox-X's list may hold stays what it is, even before that list is read.
    if (menu && field.itemsFromReference && !value.isEmpty() && menu->findText(value) < 0)
        menu->addItem(value);
    if (field.kind == FormFields::Kind::OnOff)
        static_cast<QCheckBox*>(control)->setChecked(value == u"true");
    else if (menu)
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

void setItems(QWidget* control, const QStringList& items)
{
    auto* menu = qobject_cast<QComboBox*>(control);
    if (!menu || items.isEmpty())
        return;
    const QString shown = menu->currentText();
    menu->clear();
    menu->addItems(items);
    if (!shown.isEmpty() && menu->findText(shown) < 0)
        menu->addItem(shown);
    menu->setCurrentIndex(std::max(0, menu->findText(shown)));
}

QWidget* withHint(QWidget* control, const FormFields::Field& field, QWidget* parent)
{
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(control);
    auto* hint = new QLabel(FormFields::hint(field), row);
    hint->setObjectName(field.control + QStringLiteral("Problem"));
    hint->setWordWrap(true);
    QFont font = hint->font();
    font.setItalic(true);
    hint->setFont(font);
    hint->hide();
    layout->addWidget(hint, 1);
    if (auto* line = qobject_cast<QLineEdit*>(control)) {
        const auto check = [hint, field](const QString& text) {
            hint->setVisible(FormFields::problem(field, text).has_value());
        };
        QObject::connect(line, &QLineEdit::textChanged, hint, check);
    }
    return row;
}

} // namespace FieldControls
