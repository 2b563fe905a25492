#include "app/commandline/CommandLine.h"
#include "app/widgets/Application.h"
#include "platform/ConsoleServices.h"
#include "platform/Translations.h"

#include <cstdio>
#include <QCoreApplication>
#include <QTextStream>
#include <unistd.h>

int main(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    if (!CommandLine::wantsCommand(arguments))
        return runWindow(argc, argv);

    // Commands never need a display.
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Tandril"));
    QCoreApplication::setOrganizationName(QStringLiteral("Tandril"));
    Translations::install(application);
    QTextStream in(stdin);
    QTextStream out(stdout);
    QTextStream err(stderr);
    ConsoleServices services;
    return CommandLine::run(QCoreApplication::arguments(),
                            {in, out, err, isatty(STDIN_FILENO) == 1, isatty(STDOUT_FILENO) == 1}, services);
}
