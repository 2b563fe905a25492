#include "platform/ConsolePrompter.h"

#include "platform/TerminalText.h"

#include <QCoreApplication>

ConsolePrompter::ConsolePrompter(QTextStream& input, QTextStream& error, bool inputIsTerminal, bool assumeYes)
    : m_input(input), m_error(error), m_inputIsTerminal(inputIsTerminal), m_assumeYes(assumeYes)
{}

void ConsolePrompter::showAlert(const QString& title, const QString& message)
{
    m_alertShown = true;
    m_error << TerminalText::printable(title) << ": " << TerminalText::printable(message) << Qt::endl;
}

void ConsolePrompter::showSuccess(const QString& title, const QString& message)
{
    m_error << TerminalText::printable(title) << ": " << TerminalText::printable(message) << Qt::endl;
}

int ConsolePrompter::ask(const Question& question)
{
    if (question.buttons.isEmpty())
        return 0;
    const int cancel = int(question.buttons.size()) - 1;
    if (m_assumeYes)
        return 0;
    if (!m_inputIsTerminal) {
        // Never a silent refusal: say what was declined and how to agree.
        m_error << TerminalText::printable(question.title) << ": " << TerminalText::printable(question.text)
                << Qt::endl
                << QCoreApplication::translate("ConsolePrompter",
                                               "Answered \"%1\" because there is no terminal to ask on; "
                                               "--yes answers \"%2\".")
                       .arg(question.buttons.at(cancel), question.buttons.first())
                << Qt::endl;
        return cancel;
    }

    m_error << TerminalText::printable(question.title) << Qt::endl
            << TerminalText::printable(question.text) << Qt::endl;
    for (int i = 0; i < question.buttons.size(); ++i)
        m_error << "  " << (i + 1) << ") " << TerminalText::printable(question.buttons.at(i)) << Qt::endl;
    for (;;) {
        m_error << "> " << Qt::flush;
        QString line;
        if (!m_input.readLineInto(&line))
            return cancel; // end of input counts as cancel
        line = line.trimmed();
        bool isNumber = false;
        const int number = line.toInt(&isNumber);
        if (isNumber && number >= 1 && number <= question.buttons.size())
            return number - 1;
        for (int i = 0; i < question.buttons.size(); ++i) {
            if (line.compare(question.buttons.at(i), Qt::CaseInsensitive) == 0)
                return i;
        }
    }
}
