#pragma once

#include "platform/Prompter.h"

#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QWidget>

// Alerts and questions as message boxes. Alerts are queued to the event loop so that they
// appear after the current action has returned: window-modal on the main window while it is
// shown, application-modal otherwise.
class DialogPrompter final : public QObject, public Prompter
{
    Q_OBJECT

public:
    explicit DialogPrompter(QObject* parent = nullptr);

    void setWindow(QWidget* window);

    void showAlert(const QString& title, const QString& message) override;
    void showSuccess(const QString& title, const QString& message) override;
    int ask(const Question& question) override;
    std::optional<int> choose(const Question& question, const QStringList& items) override;

private:
    QWidget* parentWindow() const;
    void show(QMessageBox::Icon icon, const QString& title, const QString& message);

    QPointer<QWidget> m_window;
};
