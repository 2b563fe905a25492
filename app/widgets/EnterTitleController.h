#pragma once

#include <functional>
#include <optional>
#include <QDialog>

class QLineEdit;

// The small window in which the user types a new game's title.
class EnterTitleController final : public QDialog
{
    Q_OBJECT

public:
    using CompletionHandler = std::function<void(const std::optional<QString>&)>;

    explicit EnterTitleController(QWidget* parent = nullptr);

    void setCompletionHandler(CompletionHandler handler) { m_completionHandler = std::move(handler); }
    QLineEdit* titleInputField() const { return m_titleInputField; }

public Q_SLOTS:
    // Hands the trimmed title (none when blank) to the handler, then closes.
    void confirmTitle();
    void cancel();

private:
    void complete(const std::optional<QString>& title);

    QLineEdit* m_titleInputField = nullptr;
    CompletionHandler m_completionHandler;
};
