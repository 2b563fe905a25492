#include "app/commandline/CommandLine.h"

#include "app/commandline/ArchiveCommands.h"
#include "app/commandline/CommandContext.h"
#include "app/commandline/GameCommands.h"
#include "library/InterruptedWork.h"
#include "platform/ConsolePrompter.h"
#include "platform/Emulator.h"
#include "platform/Paths.h"

#include <functional>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <span>

namespace CommandLine {

namespace {

struct Command
{
    QString name;
    QString synopsis;    // what follows the name in the usage text
    const char* summary; // translated when shown
    QStringList options;
    int minimumOperands = 0;
    int maximumOperands = 0;
    std::function<int(Context&)> run;
    QStringList valueOptions{};
};

const std::span<const Command> commands()
{
    static const Command table[] = {
        {QStringLiteral("list"),
         QStringLiteral("[--json]"),
         QT_TRANSLATE_NOOP("CommandLine",
                           "print the library: title, a tab and the configuration file, one game a line"),
         {QStringLiteral("--json")},
         0,
         0,
         listLibrary},
        {QStringLiteral("launch"),
         QStringLiteral("GAME [--setup | --dos] [--wait]"),
         QT_TRANSLATE_NOOP("CommandLine", "start the game, its setup program or a DOS prompt in DOSBox-X"),
         {QStringLiteral("--setup"), QStringLiteral("--dos"), QStringLiteral("--wait")},
         1,
         1,
         launchGame},
        {QStringLiteral("shortcut"),
         QStringLiteral("GAME"),
         QT_TRANSLATE_NOOP("CommandLine", "put the game into the desktop's applications menu"),
         {},
         1,
         1,
         writeShortcut},
        {QStringLiteral("add"),
         QStringLiteral("TITLE | --from PATH [TITLE] [--exe NAME] | --from DIR --each"),
         QT_TRANSLATE_NOOP("CommandLine", "add a new game, or one made from a folder or .zip of its files, a "
                                          "store's game folder or installer, a browser bundle or a DOSBox "
                                          "configuration, or one from each of these in DIR"),
         {QStringLiteral("--from"), QStringLiteral("--each")},
         1,
         2,
         addGame,
         {QStringLiteral("--exe")}},
        {QStringLiteral("delete"),
         QStringLiteral("GAME [--permanent]"),
         QT_TRANSLATE_NOOP("CommandLine",
                           "move the game's configuration and folder to the Trash, or delete them"),
         {QStringLiteral("--permanent")},
         1,
         1,
         deleteGame},
        {QStringLiteral("details"),
         QStringLiteral("GAME [NAME=VALUE]..."),
         QT_TRANSLATE_NOOP("CommandLine",
                           "print the game's year, developer, publisher, genre and notes, or set them"),
         {},
         1,
         1000,
         gameDetails},
        {QStringLiteral("reach"),
         QStringLiteral("GAME [on | off]"),
         QT_TRANSLATE_NOOP("CommandLine",
                           "let the game reach other folders of this computer (on) or only its own drives "
                           "(off, as every game starts), or print which"),
         {},
         1,
         2,
         hostReach},
        {QStringLiteral("settings"),
         QStringLiteral("GAME"),
         QT_TRANSLATE_NOOP("CommandLine", "print the game's DOSBox-X settings that differ from the template"),
         {},
         1,
         1,
         showSettings},
        {QStringLiteral("set"),
         QStringLiteral("GAME SECTION.KEY=VALUE... [--force]"),
         QT_TRANSLATE_NOOP("CommandLine",
                           "change DOSBox-X settings of the game, checked by the installed DOSBox-X"),
         {QStringLiteral("--force")},
         2,
         1000,
         setSettings},
        {QStringLiteral("export"),
         QStringLiteral("GAME [FILE] [--saves | --no-saves]"),
         QT_TRANSLATE_NOOP("CommandLine",
                           "pack the game into an archive: FILE, or GAME.tdl where the last export "
                           "went, else on the Desktop or in the home folder; with the player's saved "
                           "games applied, or the game as it came"),
         {QStringLiteral("--saves"), QStringLiteral("--no-saves")},
         1,
         2,
         exportGame},
        {QStringLiteral("saves"),
         QStringLiteral("GAME [--backup FILE | --restore FILE | --reset]"),
         QT_TRANSLATE_NOOP("CommandLine",
                           "list what the game wrote (path, size or \"deleted\", time), back it up into "
                           "one archive, put a backup in its place, or reset the game to how it came "
                           "(what it wrote goes to the Trash)"),
         {QStringLiteral("--reset")},
         1,
         1,
         savedGames,
         {QStringLiteral("--backup"), QStringLiteral("--restore")}},
        {QStringLiteral("import"),
         QStringLiteral("FILE.tdl"),
         QT_TRANSLATE_NOOP("CommandLine", "bring an exchange archive into the library"),
         {},
         1,
         1,
         importArchive},
    };
    return table;
}

const Command* findCommand(const QString& name)
{
    for (const Command& command : commands()) {
        if (command.name == name)
            return &command;
    }
    return nullptr;
}

QString usage()
{
    const auto tr = [](const char* text) { return QCoreApplication::translate("CommandLine", text); };
    QString text = tr("Usage: tandril [COMMAND [OPTION]... [ARGUMENT]...]\n"
                      "Keeps a library of DOS games and starts them in DOSBox-X.\n"
                      "Without a command, opens the library window.\n"
                      "GAME is a configuration file, a base name or a title.\n") +
                   u'\n' + tr("Commands:") + u'\n';
    for (const Command& command : commands()) {
        const QString head = command.name + u' ' + command.synopsis;
        text += QStringLiteral("  %1  %2\n").arg(head, -30).arg(tr(command.summary));
    }
    text += u'\n' + tr("Options:") + u'\n';
    const std::pair<const char*, const char*> options[] = {
        {"--yes", QT_TRANSLATE_NOOP("CommandLine", "answer every question with its first button")},
        {"--emulator PATH",
         QT_TRANSLATE_NOOP("CommandLine", "start this DOSBox-X program (also TANDRIL_DOSBOX_X)")},
        {"--help", QT_TRANSLATE_NOOP("CommandLine", "show this help and exit")},
        {"--version", QT_TRANSLATE_NOOP("CommandLine", "show the version and exit")},
    };
    for (const auto& [option, summary] : options)
        text += QStringLiteral("  %1  %2\n").arg(QString::fromLatin1(option), -30).arg(tr(summary));
    return text;
}

int usageError(Streams& streams, const QString& problem)
{
    // One line that says what is wrong, and where the whole help is: not a page of help.
    streams.err << "tandril: " << problem << '\n'
                << QCoreApplication::translate("CommandLine", "Try 'tandril --help' for more information.")
                << '\n';
    streams.err.flush();
    return UsageError;
}

} // namespace

bool wantsCommand(const QStringList& arguments)
{
    if (arguments.size() < 2)
        return false;
    // "tandril FILE" is what the desktop runs to open a file: the window takes it.
    const QString& first = arguments.at(1);
    return findCommand(first) || first.startsWith(u'-') || !QFileInfo(first).isFile();
}

int run(const QStringList& arguments, Streams streams, SystemServices& services)
{
    const QStringList words = arguments.mid(1);
    if (words.isEmpty())
        return usageError(streams, QCoreApplication::translate("CommandLine", "missing command"));
    const QString& first = words.first();
    if (first == u"--help" || first == u"-h") {
        streams.out << usage();
        streams.out.flush();
        return Success;
    }
    if (first == u"--version") {
        streams.out << "tandril " << TANDRIL_VERSION << '\n';
        streams.out.flush();
        return Success;
    }

    bool assumeYes = false;
    qsizetype commandIndex = 0;
    while (commandIndex < words.size() &&
           (words.at(commandIndex) == u"--yes" || words.at(commandIndex) == u"--emulator")) {
        if (words.at(commandIndex) == u"--yes") {
            assumeYes = true;
            ++commandIndex;
            continue;
        }
        // This run's DOSBox-X, ahead of the one the user chose and of any on PATH.
        if (commandIndex + 1 >= words.size())
            return usageError(streams,
                              QCoreApplication::translate("CommandLine", "--emulator needs a program"));
        qputenv(Emulator::OverrideVariable,
                QFile::encodeName(QFileInfo(words.at(commandIndex + 1)).absoluteFilePath()));
        commandIndex += 2;
    }
    if (commandIndex >= words.size())
        return usageError(streams, QCoreApplication::translate("CommandLine", "missing command"));
    const Command* command = findCommand(words.at(commandIndex));
    if (!command)
        return usageError(
            streams,
            QCoreApplication::translate("CommandLine", "unknown command '%1'").arg(words.at(commandIndex)));

    QStringList operands;
    QSet<QString> options;
    QHash<QString, QString> values;
    bool optionsEnded = false;
    const QStringList rest = words.mid(commandIndex + 1);
    for (qsizetype i = 0; i < rest.size(); ++i) {
        const QString& word = rest.at(i);
        if (!optionsEnded && command->valueOptions.contains(word)) {
            // An option with a value of its own: "--exe KEEN4E.EXE".
            if (i + 1 >= rest.size())
                return usageError(streams,
                                  QCoreApplication::translate("CommandLine", "%1 needs a value").arg(word));
            values.insert(word, rest.at(++i));
        } else if (!optionsEnded && word == u"--") {
            optionsEnded = true;
        } else if (!optionsEnded && word == u"--yes") {
            assumeYes = true;
        } else if (!optionsEnded && word.startsWith(u'-') && word.size() > 1) {
            if (!command->options.contains(word))
                return usageError(streams,
                                  QCoreApplication::translate("CommandLine", "unknown option '%1' for %2")
                                      .arg(word, command->name));
            options.insert(word);
        } else {
            operands.append(word);
        }
    }
    if (operands.size() < command->minimumOperands || operands.size() > command->maximumOperands)
        return usageError(streams,
                          QCoreApplication::translate("CommandLine", "wrong number of arguments for %1")
                              .arg(command->name));

    ConsolePrompter prompter(streams.in, streams.err, streams.inputIsTerminal, assumeYes);
    if (const std::optional<QString> problem = Paths::homeFolderProblem()) {
        prompter.showAlert(QCoreApplication::translate("CommandLine", "Home Folder Not Usable"), *problem);
        return Failure;
    }
    InterruptedWork::finish();
    Context context{operands, options, values, streams, prompter, services};
    const int status = command->run(context);
    if (status == UsageError)
        return usageError(
            streams,
            QCoreApplication::translate("CommandLine", "invalid arguments for %1").arg(command->name));
    // A command that ended with an alert reported a failure or a refusal.
    return status == Success && prompter.alertShown() ? Failure : status;
}

} // namespace CommandLine
