#pragma once

#include "app/commandline/CommandContext.h"

// The commands on one game or the library's list: each runs the code the window's button runs.
namespace CommandLine {

int listLibrary(Context& context);
int launchGame(Context& context);
int writeShortcut(Context& context);
int addGame(Context& context);
int deleteGame(Context& context);
int gameDetails(Context& context);
int hostReach(Context& context);
int showSettings(Context& context);
int setSettings(Context& context);

} // namespace CommandLine
