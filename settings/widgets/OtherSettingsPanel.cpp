#include "settings/widgets/OtherSettingsPanel.h"

#include "settings/OtherSettings.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QFocusEvent>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStringListModel>
#include <QTextBlock>
#include <QToolButton>
#include <QVBoxLayout>

OtherSettingsPanel::OtherSettingsPanel(QWidget* parent) : QWidget(parent)
{
    m_toggle = new QToolButton(this);
    m_toggle->setObjectName(QStringLiteral("otherSettingsToggle"));
    m_toggle->setText(tr("Other DOSBox-X settings"));
    m_toggle->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_toggle->setCheckable(true);
    m_toggle->setAutoRaise(true);
    m_edit = new QPlainTextEdit(this);
    m_edit->setObjectName(QStringLiteral("otherSettings"));
    m_edit->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_edit->setPlaceholderText(tr("[section]\nkey=value"));
    m_edit->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_edit->setMinimumHeight(120); // opened, it makes room: the editor scrolls rather than squeezes
    m_help = new QLabel(this);
    m_help->setObjectName(QStringLiteral("settingHelp"));
    m_help->setWordWrap(true);
    m_help->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    m_help->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_help->setMinimumWidth(180);
    m_completer = new QCompleter(this);
    m_completer->setWidget(m_edit);
    m_completer->setCaseSensitivity(Qt::CaseInsensitive);
    m_edit->installEventFilter(this);

    auto* body = new QHBoxLayout;
    body->addWidget(m_edit, 3);
    body->addWidget(m_help, 2);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_toggle);
    layout->addLayout(body, 1);

    connect(m_toggle, &QToolButton::toggled, this, &OtherSettingsPanel::setExpanded);
    connect(m_edit, &QPlainTextEdit::cursorPositionChanged, this, &OtherSettingsPanel::showHelpAtCursor);
    connect(m_edit, &QPlainTextEdit::textChanged, this, &OtherSettingsPanel::completeWordAtCursor);
    connect(m_completer, qOverload<const QString&>(&QCompleter::activated), this,
            &OtherSettingsPanel::insertCompletion);
    setExpanded(false);
}

void OtherSettingsPanel::insertCompletion(const QString& word)
{
    QTextCursor cursor = m_edit->textCursor();
    cursor.movePosition(QTextCursor::Left, QTextCursor::KeepAnchor,
                        int(m_completer->completionPrefix().size()));
    cursor.insertText(word);
    m_edit->setTextCursor(cursor);
}

bool OtherSettingsPanel::eventFilter(QObject* watched, QEvent* event)
{
    QAbstractItemView* popup = m_completer->popup();
    // A suggestion never stays on screen once its field has lost the focus to something else.
    if (watched == m_edit && event->type() == QEvent::FocusOut &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
        popup->hide();
    if (watched == popup && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        // Return and Tab take the suggestion (the highlighted one, else the first), and the
        // text gets no line break or tab of its own.
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Tab) {
            const QModelIndex chosen = popup->currentIndex().isValid()
                                           ? popup->currentIndex()
                                           : m_completer->completionModel()->index(0, 0);
            popup->hide();
            // What is typed already is what was offered: Return ends the line as always.
            if (chosen.isValid() &&
                chosen.data().toString().compare(m_completer->completionPrefix(), Qt::CaseInsensitive) == 0) {
                if (key != Qt::Key_Tab)
                    m_edit->textCursor().insertText(QStringLiteral("\n"));
                return true;
            }
            if (chosen.isValid())
                insertCompletion(chosen.data().toString());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void OtherSettingsPanel::setExpanded(bool expanded)
{
    m_toggle->setChecked(expanded);
    m_toggle->setArrowType(expanded ? Qt::DownArrow : Qt::RightArrow);
    m_edit->setVisible(expanded);
    m_help->setVisible(expanded);
}

void OtherSettingsPanel::setText(const QString& text)
{
    m_edit->setPlainText(text);
    setExpanded(!text.trimmed().isEmpty()); // collapsed when there is nothing to show
}

QString OtherSettingsPanel::text() const
{
    return m_edit->toPlainText();
}

void OtherSettingsPanel::setReference(std::shared_ptr<const DosboxReference> reference)
{
    m_reference = std::move(reference);
    QStringList words;
    for (const QString& section : m_reference->sections()) {
        words.append(u'[' + section + u']');
        words.append(m_reference->keys(section));
    }
    words.removeDuplicates();
    m_completer->setModel(new QStringListModel(words, m_completer));
    showHelpAtCursor();
}

void OtherSettingsPanel::setReferenceUnavailable(const QString& why)
{
    m_help->setText(
        tr("Help and checks come from DOSBox-X, but its reference is not available: %1").arg(why));
}

void OtherSettingsPanel::showHelpAtCursor()
{
    if (!m_reference)
        return;
    // The key of the cursor's line, in the section above it.
    QTextBlock block = m_edit->textCursor().block();
    const QString line = block.text().trimmed();
    const QString key = line.section(u'=', 0, 0).trimmed().toLower();
    QString section;
    for (QTextBlock above = block; above.isValid(); above = above.previous()) {
        const QString text = above.text().trimmed();
        if (text.startsWith(u'[') && text.endsWith(u']')) {
            section = text.mid(1, text.size() - 2).trimmed().toLower();
            break;
        }
    }
    const std::optional<DosboxReference::Key> found = m_reference->key(section, key);
    if (!found) {
        m_help->clear();
        return;
    }
    QString help =
        QStringLiteral("<b>%1</b><br>%2")
            .arg(key.toHtmlEscaped(), found->help.toHtmlEscaped().replace(u'\n', QStringLiteral("<br>")));
    help += QStringLiteral("<br><br>") + tr("Default: %1").arg(found->defaultValue.toHtmlEscaped());
    if (!found->allowedValues.isEmpty())
        help += QStringLiteral("<br>") +
                tr("Values: %1").arg(found->allowedValues.join(QStringLiteral(", ")).toHtmlEscaped());
    m_help->setText(help);
}

void OtherSettingsPanel::completeWordAtCursor()
{
    if (!m_reference || !m_edit->hasFocus())
        return;
    QTextCursor cursor = m_edit->textCursor();
    const QString before = cursor.block().text().left(cursor.positionInBlock());
    if (before.contains(u'=')) {
        m_completer->popup()->hide();
        return;
    }
    const QString word = before.trimmed();
    if (word.size() < 2) {
        m_completer->popup()->hide();
        return;
    }
    m_completer->setCompletionPrefix(word);
    // A word typed in full ("[dosbox]") needs no suggestion.
    if (m_completer->completionCount() == 1 &&
        m_completer->currentCompletion().compare(word, Qt::CaseInsensitive) == 0) {
        m_completer->popup()->hide();
        return;
    }
    QRect rectangle = m_edit->cursorRect();
    rectangle.setWidth(m_completer->popup()->sizeHintForColumn(0) +
                       m_completer->popup()->verticalScrollBar()->sizeHint().width());
    m_completer->complete(rectangle);
    // After the completer's own filter, which each completion installs again: called before it,
    // so that Return and Tab are ours.
    m_completer->popup()->installEventFilter(this);
}
