#pragma once

#include <functional>
#include <QObject>
#include <QPointer>
#include <QStringList>

class QProcess;

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
        int exitCode = -1; // -1 when it crashed or was stopped
        QByteArray output; // standard output, when captured
    };

    using Done = std::function<void(const Result&)>;
    // One line of standard output, as the program prints it, without its line end.
    using LineHandler = std::function<void(const QByteArray& line)>;

    explicit ProcessRunner(QObject* parent = nullptr);

    // Standard output is captured when asked for, handed over line by line when a handler is
    // given, and else forwarded like standard error. The returned process can be killed to stop
    // the program; done() follows as for a crash.
    virtual QPointer<QProcess> run(const Command& command, bool captureOutput, Done done,
                                   LineHandler lines = {});
};
