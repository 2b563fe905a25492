#include "platform/SystemServices.h"

#include <QProcess>

SystemServices::~SystemServices() = default;

std::optional<QString> SystemServices::startDetached(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    // Standard streams stay the user's; QProcess reaps the detached child itself.
    if (process.startDetached())
        return std::nullopt;
    return process.errorString();
}
