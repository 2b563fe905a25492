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
std::optional<QString> start(const QString& program, const QStringList& arguments,
                             QuickExitHandler onQuickExit, int watchMilliseconds = 10000);

} // namespace WatchedStart
