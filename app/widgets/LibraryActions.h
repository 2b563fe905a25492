#pragma once

#include "app/ButtonRules.h"

#include <QObject>

class QAbstractButton;
class QAction;
class QMenu;
class QMenuBar;
class QWidget;

// The window's commands as actions, shared by its menu bar, the rows' context menu and the
// keyboard; enabled by the same rules as the buttons.
class LibraryActions final : public QObject
{
    Q_OBJECT

public:
    explicit LibraryActions(QWidget* window);

    QAction* play = nullptr;
    QAction* chooseProgram = nullptr; // for a game that has none yet
    QAction* runSetup = nullptr;
    QAction* dosPrompt = nullptr;
    QAction* showDriveC = nullptr;
    QAction* savedGames = nullptr; // what the game wrote: its backup, restore and reset
    QAction* settings = nullptr;
    QAction* exportGame = nullptr;
    QAction* remove = nullptr;
    QAction* add = nullptr;
    QAction* addFromFolder = nullptr;
    QAction* addFromZip = nullptr;
    QAction* addEachFromFolder = nullptr; // every game in a folder at once
    QAction* import = nullptr;
    QAction* mt32Folder = nullptr;
    QAction* refresh = nullptr;
    QAction* find = nullptr;
    QAction* about = nullptr;
    QAction* preferences = nullptr;
    QAction* showDetails = nullptr; // checked while the details panel is shown
    QAction* quit = nullptr;        // closes the window; games that run on are still recorded

    void apply(const ButtonStates& states);
    // While an archive job runs, no command that changes the library can start.
    void setLibraryCommandsEnabled(bool enabled);

    // The button stands for the action: a press triggers it, it is enabled as the action is, and
    // the action's status tip, when set, is its tooltip.
    static void bind(QAbstractButton* button, QAction* action);

    QMenuBar* makeMenuBar(QWidget* parent) const;
    QMenu* makeGameMenu(QWidget* parent) const;

private:
    QAction* make(const QString& objectName, const QString& text, QWidget* window);
};
