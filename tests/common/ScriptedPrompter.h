#pragma once

#include "platform/Prompter.h"

#include <QList>
#include <QStringList>
#include <utility>

// Answers questions from a script and records every alert and question. A question nobody
// scripted is answered with its last button ("Cancel") and recorded, so the test sees it.
class ScriptedPrompter final : public Prompter
{
public:
    struct Alert
    {
        QString title;
        QString message;
        bool operator==(const Alert&) const = default;
    };

    void showAlert(const QString& title, const QString& message) override { alerts.append({title, message}); }

    int ask(const Question& question) override
    {
        questions.append(question);
        if (answers.isEmpty())
            return int(question.buttons.size()) - 1;
        return answers.takeFirst();
    }

    QList<Alert> takeAlerts() { return std::exchange(alerts, {}); }

    QList<int> answers;
    QList<Alert> alerts;
    QList<Question> questions;
};
