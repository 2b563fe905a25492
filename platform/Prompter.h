#pragma once

#include <optional>
#include <QString>
#include <QStringList>

// The one door through which the program shows alerts and asks questions. The window shows
// dialogs, the command line uses the terminal, and tests answer from a script.
class Prompter
{
public:
    enum class Style
    {
        Warning,
        Critical,
        Informational
    };

    struct Question
    {
        QString title; // the bold message text
        QString text;  // the informative text
        Style style = Style::Warning;
        QStringList buttons;   // the affirmative one first, "Cancel" last
        int defaultButton = 0; // what Return chooses in a dialog
    };

    virtual ~Prompter();

    // A warning with one "OK" button that reports a failure or a refusal. The window shows it
    // after the current action has returned.
    virtual void showAlert(const QString& title, const QString& message) = 0;

    // An alert for an outcome that is no failure ("Export Successful"), with the information icon.
    virtual void showSuccess(const QString& title, const QString& message) { showAlert(title, message); }

    // Blocks until answered; returns the index of the chosen button.
    virtual int ask(const Question& question) = 0;

    // Blocks until one of the items is chosen (the first is preselected); nothing when cancelled.
    // Asked with the items as buttons and a last "Cancel" unless a prompter shows a list.
    virtual std::optional<int> choose(const Question& question, const QStringList& items);
};
