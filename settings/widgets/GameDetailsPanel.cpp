#include "settings/widgets/GameDetailsPanel.h"

#include "settings/widgets/TitleValidator.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpressionValidator>

namespace {

QLineEdit* field(QWidget* parent, const char* objectName, const QString& placeholder)
{
    auto* line = new QLineEdit(parent);
    line->setObjectName(QString::fromLatin1(objectName));
    line->setPlaceholderText(placeholder);
    line->setValidator(new TitleValidator(line)); // one line each, as the file keeps them
    return line;
}

} // namespace

GameDetailsPanel::GameDetailsPanel(QWidget* parent) : QGroupBox(tr("About the Game"), parent)
{
    setObjectName(QStringLiteral("gameDetails"));
    m_year = new QLineEdit(this);
    m_year->setObjectName(QStringLiteral("game_year"));
    m_year->setPlaceholderText(tr("1993"));
    m_year->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,4}")), m_year));
    m_year->setMaximumWidth(70);
    m_developer = field(this, "game_developer", tr("Developer"));
    m_publisher = field(this, "game_publisher", tr("Publisher"));
    m_genre = field(this, "game_genre", tr("Genre"));
    m_notes = new QPlainTextEdit(this);
    m_notes->setObjectName(QStringLiteral("game_notes"));
    m_notes->setPlaceholderText(tr("Notes: codes, where you left off, what to remember"));
    m_notes->setMinimumHeight(60);
    m_notes->setMaximumHeight(90);

    auto* yearAndGenre = new QHBoxLayout;
    yearAndGenre->addWidget(m_year);
    yearAndGenre->addWidget(m_genre, 1);
    auto* makers = new QHBoxLayout;
    makers->addWidget(m_developer);
    makers->addWidget(m_publisher);
    auto* form = new QFormLayout(this);
    form->addRow(tr("Year, genre:"), yearAndGenre);
    form->addRow(tr("Made by:"), makers);
    form->addRow(tr("Notes:"), m_notes);
}

void GameDetailsPanel::setDetails(const GameDetails& details)
{
    m_year->setText(details.year);
    m_developer->setText(details.developer);
    m_publisher->setText(details.publisher);
    m_genre->setText(details.genre);
    m_notes->setPlainText(details.notes);
}

GameDetails GameDetailsPanel::details() const
{
    return {m_year->text().trimmed(), m_developer->text().trimmed(), m_publisher->text().trimmed(),
            m_genre->text().trimmed(), m_notes->toPlainText().trimmed()};
}
