#pragma once

#include "library/GameDetails.h"

#include <QGroupBox>

class QLineEdit;
class QPlainTextEdit;

// The settings editor's "About the Game": year, developer, publisher, genre and notes.
class GameDetailsPanel final : public QGroupBox
{
    Q_OBJECT

public:
    explicit GameDetailsPanel(QWidget* parent = nullptr);

    void setDetails(const GameDetails& details);
    GameDetails details() const;

private:
    QLineEdit* m_year = nullptr;
    QLineEdit* m_developer = nullptr;
    QLineEdit* m_publisher = nullptr;
    QLineEdit* m_genre = nullptr;
    QPlainTextEdit* m_notes = nullptr;
};
