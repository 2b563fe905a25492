#pragma once

#include "library/GameDetails.h"

#include <optional>
#include <QHash>
#include <QString>

class Prompter;

// Writing the settings form into the game's configuration file, always starting again from the
// template, so that every line the form does not set returns to the template's.
namespace SettingsSaver {

// The form as the save reads it: texts as typed, menu titles as selected (empty: none).
struct Form
{
    QString title;
    QString gameExe;
    QString setupExe;
    QString cdImage;
    QHash<QString, bool> checkboxes; // configuration key → on
    QString frameskip;
    QString cycles;
    QString sensitivity;
    QString windowWidth;
    QString windowHeight;
    bool mt32 = false;
    QString soundCard;
    QString sbbase;
    QString irq;
    QString dma;
    QString hdma;
    QString glshader;
    bool glshaderBuiltIn = false; // one of DOSBox-X's own shaders, not a file
    QString autoexec;
    QString otherSettings; // "[section]" and "key=value" lines the form has no control for
    GameDetails details;
    bool mayReachHost = false; // kept for this user beside the play record, not in the file

    bool operator==(const Form&) const = default;
};

// The configuration text the form gives on top of the template.
QString configText(const QString& templateText, const Form& form, bool mt32SupportEnabled);

enum class Outcome
{
    Saved,          // written; the editor closes
    KeepEditorOpen, // stopped before writing, or the write failed: the user's edits stay
    Reload,         // the file changed meanwhile and the user takes its new settings
};

// Saves: prepares or renames the game's file and folder, writes the file atomically and posts
// "TandrilConfigUpdated". The game being edited is the one of editedConfigFile (empty for none);
// its file and folder move when the title gives another name. The form's game executable is
// expected with short folder names.
// loadedText: the file's text when the editor read it; when the file holds another now (changed
// by "tandril set", "details" or another program), the user chooses to keep the form or reload.
Outcome save(const Form& form, const QString& editedConfigFile, bool mt32SupportEnabled, Prompter& prompter,
             const std::optional<QString>& loadedText = std::nullopt);

} // namespace SettingsSaver
