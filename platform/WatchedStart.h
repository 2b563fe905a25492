#pragma once

#include <functional>
#include <optional>
#include <QString>
#include <QStringList>

// Starts a program that runs on by itself, like a detached one, but hears from it during its
// first seconds: when it ends then with a failure, the caller learns the exit status and the
// last lines of its error output. The output is read into a small ring and never stored.
namespace WatchedStart {

struct QuickExit
{
    QString status;    // "exit status 3", "crashed"
    QString lastLines; // the end of its error output
};

using QuickExitHandler = std::function<void(const QuickExit&)>;

// Returns the system's description of the failure, or nothing when the program started.
// onEnded: how long it ran, when it ends while Tandril runs.
std::optional<QString> start(const QString& program, const QStringList& arguments,
                             QuickExitHandler onQuickExit, std::function<void(qint64 seconds)> onEnded = {},
                             int watchMilliseconds = 10000);

// The outcome of a start that is waited for on the command line.
struct Waited
{
    std::optional<QString> error;    // it could not start
    std::optional<QuickExit> failed; // it ended with a failure while it was waited for
    int exitCode = 0;                // how it ended, when it ended while waited for
    qint64 seconds = 0;              // how long it ran, when it ended while waited for
};

// Starts the program with its output going to the log file (never to the terminal, where it would
// go on after the command returned), then waits: for waitMilliseconds, or until it ends when that
// is negative. A program still running then runs on by itself.
Waited startLogged(const QString& program, const QStringList& arguments, const QString& logFile,
                   int waitMilliseconds);

} // namespace WatchedStart
