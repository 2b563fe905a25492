#pragma once

#include <functional>
#include <QObject>
#include <QStringList>

// Runs the archive tools to completion without blocking the event loop: the window keeps
// painting while zip works. Never through a shell; each argument is a string of its own.
class ProcessRunner : public QObject
{
    Q_OBJECT

public:
    struct Command
    {
        QString program;
        QStringList arguments;
        QString workingDirectory; // empty: the current one

        bool operator==(const Command&) const = default;
    };

    struct Result
    {
        bool started = false;
        QString program;   // what was run
        QString error;     // why it could not start
        int exitCode = -1; // -1 when it crashed
        QByteArray output; // standard output, when captured
    };

    using Done = std::function<void(const Result&)>;

    explicit ProcessRunner(QObject* parent = nullptr);

    // Standard output is captured when asked for, else forwarded like standard error.
    virtual void run(const Command& command, bool captureOutput, Done done);
};
