#include "platform/Prompter.h"

#include <QCoreApplication>

Prompter::~Prompter() = default;

std::optional<int> Prompter::choose(const Question& question, const QStringList& items)
{
    Question asked = question;
    asked.buttons = items;
    asked.buttons.append(QCoreApplication::translate("Prompter", "Cancel"));
    asked.defaultButton = 0;
    const int answer = ask(asked);
    return answer >= 0 && answer < items.size() ? std::optional<int>(answer) : std::nullopt;
}
