#include "exchange/ForeignGame.h"

#include "exchange/StartupTranslation.h"
#include "library/ForeignFiles.h"
#include "platform/FileOperations.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

namespace {

// The first item of the folder whose name matches, without regard to letter case.
QString firstMatching(const QString& folder, const QString& pattern)
{
    const QRegularExpression name(QRegularExpression::anchoredPattern(pattern),
                                  QRegularExpression::CaseInsensitiveOption);
    const QStringList entries =
        QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& entry : entries) {
        if (name.match(entry).hasMatch())
            return QDir(folder).filePath(entry);
    }
    return {};
}

// The "-conf" files of a task's arguments, in their order: "-conf "..\a.conf" -conf "..\b.conf"".
QStringList configArguments(const QString& arguments)
{
    static const QRegularExpression conf(QStringLiteral("-conf\\s+(?:\"([^\"]*)\"|(\\S+))"),
                                         QRegularExpression::CaseInsensitiveOption);
    QStringList files;
    for (auto it = conf.globalMatch(arguments); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        files.append(match.captured(1).isEmpty() ? match.captured(2) : match.captured(1));
    }
    return files;
}

struct Task
{
    QString name;
    QStringList configFiles; // host paths
    bool primary = false;
    bool game = true; // a game of its own, not a tool
};

// The store's tasks that run DOSBox with configuration files, the primary game task first.
QList<Task> dosboxTasks(const QJsonObject& info, const QString& root)
{
    QList<Task> tasks;
    for (const QJsonValue& value : info.value(QStringLiteral("playTasks")).toArray()) {
        const QJsonObject task = value.toObject();
        if (!task.value(QStringLiteral("path"))
                 .toString()
                 .contains(QStringLiteral("dosbox"), Qt::CaseInsensitive))
            continue;
        const QString workingFolder = QDir::cleanPath(
            root + u'/' + task.value(QStringLiteral("workingDir")).toString().replace(u'\\', u'/'));
        const bool game = task.value(QStringLiteral("category")).toString() == u"game";
        Task found{task.value(QStringLiteral("name")).toString(),
                   {},
                   task.value(QStringLiteral("isPrimary")).toBool() && game,
                   game};
        for (const QString& written : configArguments(task.value(QStringLiteral("arguments")).toString())) {
            if (const std::optional<QString> file = ForeignFiles::resolve(workingFolder, written))
                found.configFiles.append(*file);
        }
        if (!found.configFiles.isEmpty())
            tasks.append(found);
    }
    std::stable_partition(tasks.begin(), tasks.end(), [](const Task& task) { return task.primary; });
    return tasks;
}

bool isSetupTask(const QString& name)
{
    static const QRegularExpression setup(QStringLiteral("setup|settings|sound|config"),
                                          QRegularExpression::CaseInsensitiveOption);
    return setup.match(name).hasMatch();
}

// The settings of the texts, each key once with the value DOSBox-X takes (the last).
QList<DosboxSettings::Setting> settingsOf(const QStringList& texts)
{
    QList<DosboxSettings::Setting> settings;
    QHash<QString, qsizetype> at;
    for (const QString& text : texts) {
        for (const DosboxSettings::Setting& setting : DosboxSettings::parse(text)) {
            const QString name = setting.section + u'.' + setting.key;
            if (at.contains(name)) {
                settings[at.value(name)].value = setting.value;
            } else {
                at.insert(name, settings.size());
                settings.append(setting);
            }
        }
    }
    return settings;
}

// Reads the configuration files of one DOSBox run: settings, and the start-up lines from base.
std::optional<ForeignGame> fromConfigurations(const QStringList& files, const QString& base)
{
    QStringList texts;
    QStringList lines;
    for (const QString& file : files) {
        const std::optional<QString> text = ForeignFiles::readText(file);
        if (!text)
            continue;
        texts.append(*text);
        lines += StartupTranslation::autoexecLines(*text);
    }
    if (texts.isEmpty())
        return std::nullopt;
    const StartupTranslation::Startup startup = StartupTranslation::translate(lines, base);
    if (startup.driveC.isEmpty())
        return std::nullopt;
    ForeignGame game;
    game.driveC = startup.driveC;
    game.saves = startup.overlay;
    game.cdImage = startup.cdImages.value(0);
    game.floppyImages = startup.floppyImages;
    game.program = startup.program;
    game.setup = startup.setup;
    game.beforeGame = startup.beforeGame;
    game.notCarried = startup.notCarried;
    game.settings = settingsOf(texts);
    return game;
}

// The store's own files at the top of a game's folder: its DOSBox, uninstaller, info files,
// web cache and installer leftovers.
QStringList storeLeftovers(const QString& driveC)
{
    static const QRegularExpression store(
        QStringLiteral("^(?:dosbox|unins\\d+\\..*|goggame-.*|webcache\\.zip|__redist|__support|commonappdata|"
                       ".*\\.lnk|gog\\.ico|support\\.ico|goglog\\.ini|gfw_high.*\\.ico)$"),
        QRegularExpression::CaseInsensitiveOption);
    QStringList found;
    for (const QFileInfo& entry :
         QDir(driveC).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        // The store's DOSBox is a folder with its Windows program; a game's own DOSBOX file stays.
        if (entry.fileName().compare(QStringLiteral("dosbox"), Qt::CaseInsensitive) == 0 &&
            (!entry.isDir() || firstMatching(entry.filePath(), QStringLiteral("dosbox\\.exe")).isEmpty()))
            continue;
        if (store.match(entry.fileName()).hasMatch())
            found.append(entry.filePath());
    }
    return found;
}

std::optional<ForeignGame> readStore(const QString& root, int packGame)
{
    const QString infoFile = firstMatching(root, QStringLiteral("goggame-\\d+\\.info"));
    QJsonObject info;
    if (!infoFile.isEmpty()) {
        if (const std::optional<QString> text = ForeignFiles::readText(infoFile))
            info = QJsonDocument::fromJson(text->toUtf8()).object();
    }
    QList<Task> tasks = dosboxTasks(info, root);
    if (tasks.isEmpty()) {
        // No info file: the pair by its names, read from the store's DOSBox folder.
        const QString main = firstMatching(
            root, QStringLiteral("dosbox(?!.*_(?:single|client|server|settings)\\.conf$).*\\.conf"));
        if (main.isEmpty())
            return std::nullopt;
        const QString single =
            firstMatching(root, QRegularExpression::escape(QFileInfo(main).completeBaseName()) +
                                    QStringLiteral("_single\\.conf"));
        tasks.append({{}, single.isEmpty() ? QStringList{main} : QStringList{main, single}, true});
    }
    const QString base = QDir::cleanPath(root + QStringLiteral("/DOSBOX"));
    // The games of a pack: each task that starts a game of its own with other files.
    QList<Task> games;
    for (const Task& task : std::as_const(tasks)) {
        const bool same = std::any_of(games.cbegin(), games.cend(), [&](const Task& other) {
            return other.configFiles == task.configFiles;
        });
        if (task.game && !isSetupTask(task.name) && !same)
            games.append(task);
    }
    if (games.isEmpty())
        games.append(tasks.first());
    if (packGame < 0 || packGame >= games.size())
        return std::nullopt;
    std::optional<ForeignGame> game = fromConfigurations(games.at(packGame).configFiles, base);
    if (!game)
        return std::nullopt;
    game->packGames = int(games.size());
    for (const Task& task : std::as_const(tasks)) {
        if (!game->setup.isEmpty() || !isSetupTask(task.name))
            continue;
        const std::optional<ForeignGame> setup = fromConfigurations(task.configFiles, base);
        if (setup && setup->driveC == game->driveC)
            game->setup = setup->program.isEmpty() ? setup->setup : setup->program;
    }
    game->kind = ForeignGame::Kind::StoreGame;
    // Someone else's text: one line, blanks made plain.
    game->title = (packGame == 0 ? info.value(QStringLiteral("name")).toString() : games.at(packGame).name)
                      .simplified();
    game->leaveOut = storeLeftovers(game->driveC);
    return game;
}

} // namespace

QString ForeignGame::joinUnpackedInstaller(const QString& unpacked)
{
    const QString app = unpacked + QStringLiteral("/app");
    const QString support = unpacked + QStringLiteral("/__support/app");
    if (!QFileInfo(app).isDir() || !QFileInfo(support).isDir())
        return unpacked;
    const QDir::Filters all = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
    for (const QFileInfo& entry : QDir(support).entryInfoList(all)) {
        const QString target = app + u'/' + entry.fileName();
        if (FileOperations::itemExists(target) && FileOperations::removeItem(target))
            continue;
        QDir().rename(entry.filePath(), target);
    }
    // The store's info file sits beside the game's folder in some installers.
    for (const QFileInfo& entry : QDir(unpacked).entryInfoList({QStringLiteral("goggame-*")}, QDir::Files)) {
        if (!FileOperations::itemExists(app + u'/' + entry.fileName()))
            QDir().rename(entry.filePath(), app + u'/' + entry.fileName());
    }
    return app;
}

std::optional<ForeignGame> ForeignGame::readFolder(const QString& folder, int packGame)
{
    const QString root = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    const QString bundle =
        ForeignFiles::resolve(root, QStringLiteral(".jsdos/dosbox.conf")).value_or(QString());
    if (!bundle.isEmpty()) {
        std::optional<ForeignGame> game = fromConfigurations({bundle}, root);
        if (!game)
            return std::nullopt;
        game->kind = Kind::Bundle;
        return game;
    }
    // A store's Linux installer: the configurations mount "data" from beside them.
    const QString gameInfo = firstMatching(root, QStringLiteral("gameinfo"));
    if (!gameInfo.isEmpty() && !firstMatching(root, QStringLiteral("dosbox.*\\.conf")).isEmpty()) {
        const QString main = firstMatching(
            root, QStringLiteral("dosbox(?!.*_(?:single|client|server|settings)\\.conf$).*\\.conf"));
        const QString single =
            firstMatching(root, QRegularExpression::escape(QFileInfo(main).completeBaseName()) +
                                    QStringLiteral("_single\\.conf"));
        std::optional<ForeignGame> game =
            fromConfigurations(single.isEmpty() ? QStringList{main} : QStringList{main, single}, root);
        if (!game)
            return std::nullopt;
        game->title = ForeignFiles::readText(gameInfo).value_or(QString()).section(u'\n', 0, 0).simplified();
        return game;
    }
    return readStore(root, packGame);
}

bool ForeignGame::isConfiguration(const QString& file)
{
    const QFileInfo info(file);
    if (!info.isFile() || info.suffix().compare(QStringLiteral("conf"), Qt::CaseInsensitive) != 0)
        return false;
    const std::optional<QString> text = ForeignFiles::readText(file);
    static const QRegularExpression section(QStringLiteral("(?m)^\\s*\\[[A-Za-z0-9 ]+\\]"));
    return text && section.match(*text).hasMatch();
}

std::optional<ForeignGame> ForeignGame::readConfiguration(const QString& configFile)
{
    const QFileInfo info(configFile);
    std::optional<ForeignGame> game =
        fromConfigurations({info.absoluteFilePath()}, QDir::cleanPath(info.absolutePath()));
    if (!game)
        return std::nullopt;
    game->kind = Kind::DosboxSetup;
    // "dosbox.conf" names no game; its drive C's folder does.
    game->title = info.completeBaseName().startsWith(QStringLiteral("dosbox"), Qt::CaseInsensitive)
                      ? QFileInfo(game->driveC).fileName()
                      : info.completeBaseName();
    return game;
}
