#include "platform/ProcessRunner.h"

#include <QProcess>
#ifdef Q_OS_LINUX
#include <csignal>
#include <sys/prctl.h>
#endif

ProcessRunner::ProcessRunner(QObject* parent) : QObject(parent) {}

void ProcessRunner::run(const Command& command, bool captureOutput, Done done)
{
    auto* process = new QProcess(this);
    process->setProgram(command.program);
    process->setArguments(command.arguments);
    if (!command.workingDirectory.isEmpty())
        process->setWorkingDirectory(command.workingDirectory);
    process->setStandardInputFile(QProcess::nullDevice()); // never wait for an answer on a terminal
#ifdef Q_OS_LINUX
    // A tool never outlives a killed Tandril: its half-made output would only be in the way.
    process->setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
#endif
    process->setProcessChannelMode(captureOutput ? QProcess::ForwardedErrorChannel
                                                 : QProcess::ForwardedChannels);

    auto output = std::make_shared<QByteArray>();
    if (captureOutput) {
        // Read as it comes, so that a long listing never fills the pipe.
        connect(process, &QProcess::readyReadStandardOutput, process,
                [process, output] { output->append(process->readAllStandardOutput()); });
    }
    connect(process, &QProcess::finished, this,
            [process, output, done](int exitCode, QProcess::ExitStatus status) {
                output->append(process->readAllStandardOutput());
                Result result;
                result.started = true;
                result.exitCode = status == QProcess::NormalExit ? exitCode : -1;
                result.output = std::move(*output);
                process->deleteLater();
                done(result);
            });
    connect(process, &QProcess::errorOccurred, this, [process, done](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return; // a crash also ends in finished()
        Result result;
        result.program = process->program();
        result.error = process->errorString();
        process->deleteLater();
        done(result);
    });
    process->start();
}
