#include "platform/widgets/DialogPrompter.h"

#include <QApplication>
#include <QGridLayout>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {

QMessageBox::Icon iconFor(Prompter::Style style)
{
    switch (style) {
    case Prompter::Style::Critical:
        return QMessageBox::Critical;
    case Prompter::Style::Informational:
        return QMessageBox::Information;
    case Prompter::Style::Warning:
        break;
    }
    return QMessageBox::Warning;
}

// A message box sizes itself to its text; a short text would cut its window title off.
void keepTitleReadable(QMessageBox& box)
{
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(420, 0, QSizePolicy::Minimum, QSizePolicy::Expanding), grid->rowCount(),
                      0, 1, grid->columnCount());
}

} // namespace

DialogPrompter::DialogPrompter(QObject* parent) : QObject(parent) {}

void DialogPrompter::setWindow(QWidget* window)
{
    m_window = window;
}

void DialogPrompter::showAlert(const QString& title, const QString& message)
{
    show(QMessageBox::Warning, title, message);
}

void DialogPrompter::showSuccess(const QString& title, const QString& message)
{
    show(QMessageBox::Information, title, message);
}

void DialogPrompter::show(QMessageBox::Icon icon, const QString& title, const QString& message)
{
    QMetaObject::invokeMethod(
        this,
        [this, icon, title, message] {
            QWidget* window = parentWindow();
            auto* box = new QMessageBox(icon, title, title, QMessageBox::Ok, window);
            box->setInformativeText(message);
            keepTitleReadable(*box);
            box->setAttribute(Qt::WA_DeleteOnClose);
            if (window) {
                box->setWindowModality(Qt::WindowModal);
                box->open();
            } else {
                box->exec();
            }
        },
        Qt::QueuedConnection);
}

QWidget* DialogPrompter::parentWindow() const
{
    // Over an open dialog (the settings editor) rather than behind it.
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return m_window && m_window->isVisible() ? m_window.data() : nullptr;
}

int DialogPrompter::ask(const Question& question)
{
    QWidget* window = parentWindow();
    QMessageBox box(iconFor(question.style), question.title, question.title, QMessageBox::NoButton, window);
    box.setInformativeText(question.text);
    keepTitleReadable(box);
    if (window)
        box.setWindowModality(Qt::WindowModal);
    QList<QAbstractButton*> buttons;
    for (qsizetype i = 0; i < question.buttons.size(); ++i) {
        const bool isLast = i == question.buttons.size() - 1 && question.buttons.size() > 1;
        buttons.append(box.addButton(question.buttons.at(i),
                                     isLast ? QMessageBox::RejectRole : QMessageBox::AcceptRole));
    }
    if (question.defaultButton >= 0 && question.defaultButton < buttons.size())
        box.setDefaultButton(qobject_cast<QPushButton*>(buttons.at(question.defaultButton)));
    box.exec();
    const qsizetype chosen = buttons.indexOf(box.clickedButton());
    // Closing the box without a button counts as the last one ("Cancel").
    return chosen >= 0 ? int(chosen) : int(buttons.size()) - 1;
}

std::optional<int> DialogPrompter::choose(const Question& question, const QStringList& items)
{
    QInputDialog dialog(parentWindow());
    dialog.setWindowTitle(question.title);
    dialog.setLabelText(question.text);
    dialog.setComboBoxItems(items);
    dialog.setTextValue(items.value(0));
    dialog.setOption(QInputDialog::UseListViewForComboBoxItems);
    if (dialog.parentWidget())
        dialog.setWindowModality(Qt::WindowModal);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const qsizetype chosen = items.indexOf(dialog.textValue());
    return chosen >= 0 ? std::optional<int>(int(chosen)) : std::nullopt;
}
