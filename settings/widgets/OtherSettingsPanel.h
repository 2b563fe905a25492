#pragma once

#include "library/DosboxReference.h"

#include <memory>
#include <QWidget>

class QCompleter;
class QLabel;
class QPlainTextEdit;
class QToolButton;

// The editor's "Other DOSBox-X settings": every setting the form has no control for, in
// DOSBox-X's own syntax, with completion, the help of the key under the cursor, and checks, all
// from the installed DOSBox-X's reference when there is one.
class OtherSettingsPanel final : public QWidget
{
    Q_OBJECT

public:
    explicit OtherSettingsPanel(QWidget* parent = nullptr);

    void setText(const QString& text);
    QString text() const;

    void setReference(std::shared_ptr<const DosboxReference> reference);
    // Says once why there is no help or check.
    void setReferenceUnavailable(const QString& why);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setExpanded(bool expanded);
    void showHelpAtCursor();
    void completeWordAtCursor();
    void insertCompletion(const QString& word);

    QToolButton* m_toggle = nullptr;
    QPlainTextEdit* m_edit = nullptr;
    QLabel* m_help = nullptr;
    QCompleter* m_completer = nullptr;
    std::shared_ptr<const DosboxReference> m_reference;
};
