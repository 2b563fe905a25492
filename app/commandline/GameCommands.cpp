#include "app/commandline/GameCommands.h"

#include "app/commandline/ArchiveCommands.h"
#include "app/commandline/GameLookup.h"
#include "app/commandline/SettingsCommands.h"
#include "app/DesktopShortcut.h"
#include "launch/Launcher.h"
#include "library/DosboxCheck.h"
#include "library/DosboxReference.h"
#include "library/EntryCreation.h"
#include "library/EntryDeletion.h"
#include "library/HostAccess.h"
#include "library/LibraryLoader.h"
#include "library/PlayRecord.h"
#include "platform/Diagnostics.h"
#include "platform/DosboxReferenceFile.h"
#include "platform/Paths.h"
#include "platform/PreferredLanguages.h"
#include "platform/Prompter.h"
#include "platform/TerminalText.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace CommandLine {

std::optional<ConfigEntry> gameOperand(Context& context)
{
    std::variant<ConfigEntry, QString> found = findGame(context.operands.first());
    if (const auto* error = std::get_if<QString>(&found)) {
        context.streams.err << "tandril: " << TerminalText::printable(*error) << '\n';
        context.streams.err.flush();
        return std::nullopt;
    }
    return std::get<ConfigEntry>(std::move(found));
}

int listLibrary(Context& context)
{
    const QList<ConfigEntry> entries =
        LibraryLoader::load(Paths::libraryFolder()).value_or(QList<ConfigEntry>());
    QTextStream& out = context.streams.out;
    if (context.options.contains(QStringLiteral("--json"))) {
        QJsonArray array;
        const QHash<QString, PlayRecord::Record> played = PlayRecord::all();
        for (const ConfigEntry& entry : entries) {
            QJsonObject object;
            object.insert(QStringLiteral("title"), entry.title);
            object.insert(QStringLiteral("filePath"), entry.filePath);
            object.insert(QStringLiteral("setupPath"),
                          entry.setupPath ? QJsonValue(*entry.setupPath) : QJsonValue(QJsonValue::Null));
            for (const QString& name : GameDetailsText::keys())
                object.insert(name, GameDetailsText::value(entry.details, name));
            const PlayRecord::Record record = played.value(QFileInfo(entry.filePath).fileName());
            object.insert(QStringLiteral("lastPlayed"),
                          record.lastPlayed ? QJsonValue(record.lastPlayed->toString(Qt::ISODate))
                                            : QJsonValue(QJsonValue::Null));
            object.insert(QStringLiteral("playTime"), record.seconds);
            array.append(object);
        }
        out << QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Indented));
    } else {
        for (const ConfigEntry& entry : entries)
            out << TerminalText::printable(entry.title) << '\t' << TerminalText::printable(entry.filePath)
                << '\n';
    }
    out.flush();
    return Success;
}

int launchGame(Context& context)
{
    const bool setup = context.options.contains(QStringLiteral("--setup"));
    const bool dos = context.options.contains(QStringLiteral("--dos"));
    if (setup && dos)
        return UsageError;
    const std::optional<ConfigEntry> entry = gameOperand(context);
    if (!entry)
        return Failure;
    // DOSBox-X's output goes to a log: after this command returns, nothing may print into the shell.
    const bool wait = context.options.contains(QStringLiteral("--wait"));
    Launcher launcher(Emulator(), context.prompter, context.services, preferredLanguages, nullptr,
                      wait ? Launcher::Watch::ToTheEnd : Launcher::Watch::Briefly);
    const LaunchMode mode = setup ? LaunchMode::Setup : dos ? LaunchMode::DosPrompt : LaunchMode::Game;
    return launcher.launch(mode, entry).value_or(Failure);
}

int writeShortcut(Context& context)
{
    const std::optional<ConfigEntry> entry = gameOperand(context);
    if (!entry)
        return Failure;
    QString path;
    if (const std::optional<QString> error =
            DesktopShortcut::write(*entry, QCoreApplication::applicationFilePath(), &path)) {
        context.streams.err << "tandril: " << TerminalText::printable(*error) << '\n';
        context.streams.err.flush();
        return Failure;
    }
    logLine(QStringLiteral("✅ Shortcut written: ") + path);
    return Success;
}

int addGame(Context& context)
{
    if (context.options.contains(QStringLiteral("--from")))
        return addFromFolder(context);
    if (context.operands.size() != 1 || context.values.contains(QStringLiteral("--exe")) ||
        context.options.contains(QStringLiteral("--each")))
        return UsageError;
    const std::optional<QString> configFile =
        EntryCreation::createConfigEntryAndFolder(context.operands.first(), context.prompter);
    if (!configFile)
        return context.operands.first().trimmed().isEmpty() ? UsageError : Failure;
    logLine(QStringLiteral("✅ Game added: ") + *configFile);
    return Success;
}

int deleteGame(Context& context)
{
    const std::optional<ConfigEntry> entry = gameOperand(context);
    if (!entry)
        return Failure;
    const EntryDeletion::Disposal disposal = context.options.contains(QStringLiteral("--permanent"))
                                                 ? EntryDeletion::Disposal::Permanent
                                                 : EntryDeletion::Disposal::TrashWhenAvailable;
    switch (EntryDeletion::deleteSelectedEntry(entry, context.prompter, disposal)) {
    case EntryDeletion::Outcome::Deleted:
        logLine(QStringLiteral("✅ Game deleted: ") + entry->filePath);
        return Success;
    case EntryDeletion::Outcome::NotDeleted:
        break;
    case EntryDeletion::Outcome::Failed:
        return Failure;
    }
    return Failure; // cancelled: the game is still there
}

int gameDetails(Context& context)
{
    const std::optional<ConfigEntry> entry = gameOperand(context);
    if (!entry)
        return Failure;
    if (context.operands.size() == 1) {
        // "name: value", a line each; the notes' further lines indented.
        for (const QString& name : GameDetailsText::keys()) {
            context.streams.out << name << ": "
                                << TerminalText::printable(GameDetailsText::value(entry->details, name))
                                       .replace(u'\n', QStringLiteral("\n  "))
                                << '\n';
        }
        context.streams.out.flush();
        return Success;
    }
    GameDetails details = entry->details;
    QList<std::pair<QString, QString>> changes;
    for (const QString& operand : context.operands.mid(1)) {
        const QString name = operand.section(u'=', 0, 0).trimmed();
        const QString value = operand.section(u'=', 1).trimmed();
        changes.append({name, value});
        if (!operand.contains(u'=') || !GameDetailsText::set(details, name, value)) {
            context.prompter.showAlert(QCoreApplication::translate("CommandLine", "Not Saved"),
                                       QCoreApplication::translate("CommandLine",
                                                                   "\"%1\" is no detail; the details "
                                                                   "are %2, each as NAME=VALUE.")
                                           .arg(operand, GameDetailsText::keys().join(QStringLiteral(", "))));
            return Failure;
        }
    }
    if (const std::optional<QString> error = SettingsCommands::setDetails(entry->filePath, changes)) {
        context.prompter.showAlert(QCoreApplication::translate("CommandLine", "Not Saved"), *error);
        return Failure;
    }
    return Success;
}

int hostReach(Context& context)
{
    const std::optional<ConfigEntry> entry = gameOperand(context);
    if (!entry)
        return Failure;
    if (context.operands.size() == 1) {
        context.streams.out << (HostAccess::isAllowed(entry->filePath) ? "on" : "off") << '\n';
        context.streams.out.flush();
        return Success;
    }
    const QString choice = context.operands.at(1);
    if (choice != u"on" && choice != u"off")
        return UsageError;
    if (const std::optional<QString> error = HostAccess::setAllowed(entry->filePath, choice == u"on")) {
        context.prompter.showAlert(QCoreApplication::translate("CommandLine", "Not Saved"), *error);
        return Failure;
    }
    return Success;
}

int showSettings(Context& context)
{
    const std::optional<ConfigEntry> entry = gameOperand(context);
    if (!entry)
        return Failure;
    QString error;
    const std::optional<QStringList> lines = SettingsCommands::differences(entry->filePath, &error);
    if (!lines) {
        context.prompter.showAlert(QCoreApplication::translate("CommandLine", "Cannot Read Settings"), error);
        return Failure;
    }
    for (const QString& line : *lines)
        context.streams.out << TerminalText::printable(line) << '\n';
    context.streams.out.flush();
    return Success;
}

int setSettings(Context& context)
{
    const std::optional<ConfigEntry> entry = gameOperand(context);
    if (!entry)
        return Failure;
    QList<SettingsCommands::Assignment> assignments;
    for (const QString& operand : context.operands.mid(1)) {
        std::optional<SettingsCommands::Assignment> assignment = SettingsCommands::parseAssignment(operand);
        if (!assignment && operand.indexOf(u'=') > 0 && !operand.left(operand.indexOf(u'=')).contains(u'.')) {
            // "machine=cga": the section is DOSBox-X's, when the key stands in one section only.
            const QString key = operand.left(operand.indexOf(u'=')).trimmed().toLower();
            const DosboxReferenceFile::Result reference = DosboxReferenceFile::load(Emulator());
            const QStringList sections =
                reference.text ? DosboxReference::parse(*reference.text).sectionsOf(key) : QStringList();
            if (sections.size() == 1) {
                assignment = SettingsCommands::parseAssignment(sections.first() + u'.' + operand);
            } else {
                context.prompter.showAlert(
                    QCoreApplication::translate("CommandLine", "Not Saved"),
                    sections.isEmpty()
                        ? QCoreApplication::translate(
                              "CommandLine", "Name the setting with its section: SECTION.%1, such as "
                                             "dosbox.machine=cga.")
                              .arg(operand)
                        : QCoreApplication::translate("CommandLine",
                                                      "%1 stands in several sections: write %2.")
                              .arg(key, sections.join(u'.' + key + QStringLiteral(" or ")) + u'.' + key));
                return Failure;
            }
        }
        if (!assignment)
            return UsageError;
        if (const std::optional<QString> refused = SettingsCommands::refusal(*assignment)) {
            context.prompter.showAlert(QCoreApplication::translate("CommandLine", "Not Saved"), *refused);
            return Failure;
        }
        assignments.append(*assignment);
    }
    // Checked by the installed DOSBox-X itself, when it can be asked.
    const DosboxCheck::Result checked = DosboxCheck::check(Emulator(), assignments);
    if (checked.notChecked)
        context.streams.err
            << QCoreApplication::translate("CommandLine", "⚠️ Not checked: %1").arg(*checked.notChecked)
            << Qt::endl;
    if (!checked.problems.isEmpty() && !context.options.contains(QStringLiteral("--force"))) {
        context.prompter.showAlert(
            QCoreApplication::translate("CommandLine", "Not Saved"),
            checked.problems.join(u'\n') + u'\n' +
                QCoreApplication::translate("CommandLine", "--force writes them anyway."));
        return Failure;
    }
    if (const std::optional<QString> error = SettingsCommands::set(entry->filePath, assignments)) {
        context.prompter.showAlert(QCoreApplication::translate("CommandLine", "Could Not Save"), *error);
        return Failure;
    }
    return Success; // a window that is open sees the file change
}

} // namespace CommandLine
