#pragma once

#include "settings/GameForm.h"

#include <optional>
#include <QString>

class Prompter;

// Writing the settings form into the game's configuration file, always starting again from the
// template, so that every line the form does not set returns to the template's.
namespace SettingsSaver {

// The configuration text the form gives on top of the template.
QString configText(const QString& templateText, const GameForm& form, bool mt32SupportEnabled);

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
Outcome save(const GameForm& form, const QString& editedConfigFile, bool mt32SupportEnabled,
             Prompter& prompter, const std::optional<QString>& loadedText = std::nullopt);

} // namespace SettingsSaver
