#pragma once

#include "platform/Prompter.h"

#include <utility>

// Passes questions on to another prompter but keeps its alerts, so that work of many steps can
// report its failures together at its end instead of one dialog per step.
class CollectingPrompter final : public Prompter
{
public:
    explicit CollectingPrompter(Prompter& questions) : m_questions(questions) {}

    void showAlert(const QString& title, const QString& message) override
    {
        m_alerts.append(title + QStringLiteral(": ") + message);
    }
    void showSuccess(const QString& title, const QString& message) override
    {
        m_questions.showSuccess(title, message);
    }
    int ask(const Question& question) override { return m_questions.ask(question); }
    std::optional<int> choose(const Question& question, const QStringList& items) override
    {
        return m_questions.choose(question, items);
    }

    // The alerts kept since the last call, as "Title: message".
    QStringList takeAlerts() { return std::exchange(m_alerts, {}); }

private:
    Prompter& m_questions;
    QStringList m_alerts;
};
