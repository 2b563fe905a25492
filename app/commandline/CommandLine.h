#pragma once

#include <QStringList>
#include <QTextStream>

class SystemServices;

// The command-line front door: every library command runs the same code as the window's
// button, with alerts on standard error and questions on the terminal. Runs without a window
// and without a display.
namespace CommandLine {

struct Streams
{
    QTextStream& in;
    QTextStream& out;
    QTextStream& err;
    bool inputIsTerminal = false;
    bool outputIsTerminal = false; // progress is then one line, drawn again in place
};

// Whether these program arguments ask for a command (or --help, or a usage error) rather than
// the window.
bool wantsCommand(const QStringList& arguments);

// Runs the command; returns the exit status (0 success, 1 failure or refusal, 2 usage error).
int run(const QStringList& arguments, Streams streams, SystemServices& services);

} // namespace CommandLine
