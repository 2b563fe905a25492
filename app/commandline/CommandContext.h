#pragma once

#include "app/commandline/CommandLine.h"
#include "library/ConfigEntry.h"

#include <optional>
#include <QHash>
#include <QSet>
#include <QStringList>

class Prompter;
class SystemServices;

// What every command of the command line is handed, and what it returns.
namespace CommandLine {

enum ExitStatus
{
    Success = 0,
    Failure = 1,
    UsageError = 2
};

struct Context
{
    QStringList operands;
    QSet<QString> options;
    QHash<QString, QString> values; // of options that take one
    Streams& streams;
    Prompter& prompter;
    SystemServices& services;
};

// The game named by the first operand; a lookup failure is reported on standard error.
std::optional<ConfigEntry> gameOperand(Context& context);

} // namespace CommandLine
