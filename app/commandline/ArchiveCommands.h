#pragma once

#include "app/commandline/CommandContext.h"

// The commands that run an archive job to its end, with progress on standard output and Ctrl+C
// as Cancel: adding from folders and .zip files, export and import.
namespace CommandLine {

// "add --from PATH [TITLE] [--exe NAME]", and "add --from DIR --each" for every game in DIR.
int addFromFolder(Context& context);
int exportGame(Context& context);
int importArchive(Context& context);

} // namespace CommandLine
