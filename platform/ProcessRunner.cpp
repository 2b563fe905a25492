#include "platform/ProcessRunner.h"

#include <QProcess>
#ifdef Q_OS_LINUX
#include <csignal>
#include <sys/prctl.h>
#endif

ProcessRunner::ProcessRunner(QObject* parent) : QObject(parent) {}

QPointer<QProcess> ProcessRunner::run(const Command& command, bool captureOutput, Done done,
                                      LineHandler lines)
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
    const bool readsOutput = captureOutput || lines;
    process->setProcessChannelMode(readsOutput ? QProcess::ForwardedErrorChannel
                                               : QProcess::ForwardedChannels);

    auto output = std::make_shared<QByteArray>();
    auto pending = std::make_shared<QByteArray>(); // a line not yet ended
    const auto take = [process, output, pending, captureOutput, lines] {
        const QByteArray chunk = process->readAllStandardOutput();
        if (captureOutput)
            output->append(chunk);
        if (!lines)
            return;
        pending->append(chunk);
        qsizetype start = 0;
        for (qsizetype end; (end = pending->indexOf('\n', start)) >= 0; start = end + 1) {
            QByteArray line = pending->sliced(start, end - start);
            if (line.endsWith('\r'))
                line.chop(1);
            lines(line);
        }
        pending->remove(0, start);
    };
    if (readsOutput) {
        // Read as it comes, so that a long listing never fills the pipe.
        connect(process, &QProcess::readyReadStandardOutput, process, take);
    }
    connect(process, &QProcess::finished, this,
            [process, output, pending, done, take, lines](int exitCode, QProcess::ExitStatus status) {
                take();
                if (lines && !pending->isEmpty())
                    lines(*pending);
                Result result;
                result.started = true;
                result.program = process->program();
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
    return process;
}
