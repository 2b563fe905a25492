#pragma once

#include "app/commandline/CommandContext.h"

// The commands that run an archive job to its end, with progress on standard output and Ctrl+C
// as Cancel: adding from folders and .zip files, export and import, and saved games' backups.
namespace CommandLine {

// "add --from PATH [TITLE] [--exe NAME]", and "add --from DIR --each" for every game in DIR.
int addFromFolder(Context& context);
int exportGame(Context& context);
int importArchive(Context& context);
// "saves GAME [--backup FILE | --restore FILE | --reset]": lists, backs up, restores or resets.
int savedGames(Context& context);

} // namespace CommandLine
