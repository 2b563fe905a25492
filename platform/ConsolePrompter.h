#pragma once

#include "platform/Prompter.h"

#include <QTextStream>

// Alerts and questions on the terminal for the command line. Alerts go to standard error as
// "Title: message". A question is asked when standard input is a terminal; otherwise it is
// answered with the first button when --yes was given, else with the last ("Cancel").
class ConsolePrompter final : public Prompter
{
public:
    ConsolePrompter(QTextStream& input, QTextStream& error, bool inputIsTerminal, bool assumeYes);

    void showAlert(const QString& title, const QString& message) override;
    void showSuccess(const QString& title, const QString& message) override;
    int ask(const Question& question) override;

    bool alertShown() const { return m_alertShown; }

private:
    QTextStream& m_input;
    QTextStream& m_error;
    bool m_inputIsTerminal;
    bool m_assumeYes;
    bool m_alertShown = false;
};
