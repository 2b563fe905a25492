#pragma once

#include "platform/ProcessRunner.h"

#include <functional>

// Runs every tool through a rewrite of its command: a missing, failing, slow or self-killing tool.
class RewrittenTools final : public ProcessRunner
{
public:
    explicit RewrittenTools(std::function<Command(Command)> rewrite) : m_rewrite(std::move(rewrite)) {}

    QPointer<QProcess> run(const Command& command, bool captureOutput, Done done, LineHandler lines) override
    {
        return ProcessRunner::run(m_rewrite(command), captureOutput, std::move(done), std::move(lines));
    }

private:
    std::function<Command(Command)> m_rewrite;
};
