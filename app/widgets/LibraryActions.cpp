#include "app/widgets/LibraryActions.h"

#include <QAbstractButton>
#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

LibraryActions::LibraryActions(QWidget* window) : QObject(window)
{
    play = make(QStringLiteral("playAction"), tr("&Play"), window);
    chooseProgram = make(QStringLiteral("chooseProgramAction"), tr("Choose &Program…"), window);
    runSetup = make(QStringLiteral("runSetupAction"), tr("Run &Setup"), window);
    dosPrompt = make(QStringLiteral("dosPromptAction"), tr("&DOS Prompt"), window);
    showDriveC = make(QStringLiteral("showDriveCAction"), tr("Show Drive &C"), window);
    savedGames = make(QStringLiteral("savedGamesAction"), tr("Saved &Games…"), window);
    settings = make(QStringLiteral("settingsAction"), tr("Se&ttings…"), window);
    exportGame = make(QStringLiteral("exportAction"), tr("&Export…"), window);
    remove = make(QStringLiteral("deleteAction"), tr("De&lete…"), window);
    add = make(QStringLiteral("addAction"), tr("&Add Game…"), window);
    addFromFolder = make(QStringLiteral("addFromFolderAction"), tr("Add Game from &Folder…"), window);
    addFromZip = make(QStringLiteral("addFromZipAction"), tr("Add Game from &File…"), window);
    addEachFromFolder =
        make(QStringLiteral("addGamesFromFolderAction"), tr("Add &Games from Folder…"), window);
    import = make(QStringLiteral("importAction"), tr("&Import…"), window);
    mt32Folder = make(QStringLiteral("mt32FolderAction"), tr("&MT-32 ROM Folder"), window);
    refresh = make(QStringLiteral("refreshAction"), tr("&Refresh"), window);
    find = make(QStringLiteral("findAction"), tr("&Find"), window);
    about = make(QStringLiteral("aboutAction"), tr("&About Tandril"), window);
    preferences = make(QStringLiteral("preferencesAction"), tr("&Preferences…"), window);
    showDetails = make(QStringLiteral("showDetailsAction"), tr("Show &Details"), window);
    quit = make(QStringLiteral("quitAction"), tr("&Quit"), window);
    quit->setShortcut(QKeySequence::Quit);
    quit->setMenuRole(QAction::QuitRole);
    showDetails->setCheckable(true);
    showDetails->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));

    // Standard keys where the desktop has them; Return and Delete belong to the table.
    settings->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_E), QKeySequence(Qt::Key_F2)});
    exportGame->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E));
    add->setShortcut(QKeySequence::New);
    addFromFolder->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N));
    import->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    refresh->setShortcut(QKeySequence::Refresh);
    find->setShortcut(QKeySequence::Find);
    about->setMenuRole(QAction::AboutRole);
    preferences->setShortcut(QKeySequence::Preferences);
    preferences->setMenuRole(QAction::PreferencesRole); // in the application menu on macOS
}

QAction* LibraryActions::make(const QString& objectName, const QString& text, QWidget* window)
{
    auto* action = new QAction(text, this);
    action->setObjectName(objectName);
    action->setShortcutContext(Qt::WindowShortcut);
    window->addAction(action); // its keys work without a menu bar shown
    return action;
}

void LibraryActions::apply(const ButtonStates& states)
{
    play->setEnabled(states.launchGame);
    chooseProgram->setEnabled(states.chooseProgram);
    // A greyed-out Play says why.
    play->setStatusTip(states.chooseProgram
                           ? tr("Tandril does not know which program starts this game yet: choose "
                                "it, or drop it onto drive C in the game's settings.")
                           : QString());
    runSetup->setEnabled(states.launchSetup);
    dosPrompt->setEnabled(states.launchMSDos);
    showDriveC->setEnabled(states.gotoC);
    savedGames->setEnabled(states.gotoC);
    settings->setEnabled(states.edit);
    exportGame->setEnabled(states.exportGame);
    remove->setEnabled(states.remove);
}

void LibraryActions::setLibraryCommandsEnabled(bool enabled)
{
    for (QAction* action : {add, addFromFolder, addFromZip, addEachFromFolder, import, refresh})
        action->setEnabled(enabled);
    if (!enabled) {
        for (QAction* action : {settings, exportGame, remove})
            action->setEnabled(false);
    }
}

void LibraryActions::bind(QAbstractButton* button, QAction* action)
{
    button->setEnabled(action->isEnabled());
    QObject::connect(action, &QAction::enabledChanged, button, &QWidget::setEnabled);
    // The action's status tip, when it has one, says more than the button's own tooltip.
    QObject::connect(action, &QAction::changed, button, [button, action, own = button->toolTip()] {
        button->setToolTip(action->statusTip().isEmpty() ? own : action->statusTip());
    });
    QObject::connect(button, &QAbstractButton::clicked, action, &QAction::trigger);
}

QMenu* LibraryActions::makeGameMenu(QWidget* parent) const
{
    auto* menu = new QMenu(tr("&Game"), parent);
    menu->addActions({play, chooseProgram, runSetup, dosPrompt, showDriveC, savedGames});
    menu->addSeparator();
    menu->addActions({settings, exportGame});
    menu->addSeparator();
    menu->addAction(remove);
    return menu;
}

QMenuBar* LibraryActions::makeMenuBar(QWidget* parent) const
{
    auto* bar = new QMenuBar(parent);
    bar->setObjectName(QStringLiteral("menuBar"));
    QMenu* game = makeGameMenu(bar);
    game->addSeparator();
    game->addAction(quit);
    bar->addMenu(game);
    QMenu* edit = bar->addMenu(tr("&Edit"));
    edit->addAction(preferences);
    QMenu* view = bar->addMenu(tr("&View"));
    view->addAction(showDetails);
    QMenu* library = bar->addMenu(tr("&Library"));
    library->addActions({add, addFromFolder, addFromZip, addEachFromFolder, import});
    library->addSeparator();
    library->addActions({find, mt32Folder, refresh});
    QMenu* help = bar->addMenu(tr("&Help"));
    help->addAction(about);
    return bar;
}
