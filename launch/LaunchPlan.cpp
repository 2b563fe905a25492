#include "launch/LaunchPlan.h"

#include "launch/DosCommands.h"
#include "launch/LanguageKeyboard.h"
#include "launch/MountPaths.h"
#include "library/ConfigText.h"
#include "library/GamePictures.h"
#include "library/HostReach.h"
#include "library/LibraryLayout.h"
#include "library/ProgramKeys.h"
#include "platform/TextFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

QString noSelectionMessage(LaunchMode mode)
{
    switch (mode) {
    case LaunchMode::Game:
        return QCoreApplication::translate("Launch",
                                           "Please select a game from the list to run the live test.");
    case LaunchMode::Setup:
        return QCoreApplication::translate("Launch",
                                           "Please select a game from the list to launch the setup.");
    case LaunchMode::DosPrompt:
        break;
    }
    return QCoreApplication::translate("Launch", "Please select a game from the list to launch MS-DOS.");
}

// Builds "-c" pairs after the fixed head.
class Arguments
{
public:
    explicit Arguments(const QString& configFile) : m_list{QStringLiteral("-conf"), configFile} {}

    void language(const LanguageChoice& choice, const std::function<bool(const QString&)>& hasLanguageFile)
    {
        if (!choice.languageFile.isEmpty() && (!hasLanguageFile || hasLanguageFile(choice.languageFile)))
            m_list << QStringLiteral("-set") << QStringLiteral("language=") + choice.languageFile;
    }
    void set(const QString& setting) { m_list << QStringLiteral("-set") << setting; }
    void flag(const QString& flag) { m_list << flag; }
    void command(const QString& command) { m_list << QStringLiteral("-c") << command; }
    void command(const std::optional<QString>& command)
    {
        if (command)
            this->command(*command);
    }
    void commands(const QStringList& commands)
    {
        for (const QString& command : commands)
            this->command(command);
    }
    int commandCount() const { return int(m_list.count(QStringLiteral("-c"))); }
    const QStringList& list() const { return m_list; }

private:
    QStringList m_list;
};

// The host paths as DOSBox-X takes them; remembers the first one it can take in no way.
class Mounts
{
public:
    explicit Mounts(MountPaths* paths) : m_paths(paths) {}

    QString operator()(const QString& hostPath)
    {
        const std::optional<QString> mountable = m_paths ? m_paths->mountable(hostPath) : hostPath;
        if (!mountable && !m_unmountable)
            m_unmountable = hostPath;
        return mountable.value_or(hostPath);
    }
    const std::optional<QString>& unmountable() const { return m_unmountable; }

private:
    MountPaths* m_paths;
    std::optional<QString> m_unmountable;
};

} // namespace

Overlays overlayFolders(LaunchMode mode, const ConfigEntry& entry, const QString& libraryFolder)
{
    Overlays overlays{LibraryLayout::savesFolderOfConfigFile(libraryFolder, entry.filePath), std::nullopt};
    if (mode != LaunchMode::Setup || !entry.setupPath)
        return overlays;
    const QString gameFolder = LibraryLayout::gameFolderOfConfigFile(libraryFolder, entry.filePath);
    const QString setupFolder = QDir::cleanPath(DosCommands::deletingLastPathComponent(*entry.setupPath));
    if (setupFolder == gameFolder)
        overlays.driveD = overlays.driveC;
    else if (setupFolder.startsWith(gameFolder + u'/'))
        overlays.driveD = overlays.driveC + setupFolder.mid(gameFolder.size());
    return overlays;
}

std::variant<QStringList, LaunchRefusal>
planLaunch(LaunchMode mode, const std::optional<ConfigEntry>& entry, const QString& libraryFolder,
           const QStringList& preferredLanguages, MountPaths* mounts, HostReachChoice reach,
           const std::function<bool(const QString&)>& hasLanguageFile)
{
    if (!entry)
        return LaunchRefusal{QCoreApplication::translate("Launch", "No Selection"), noSelectionMessage(mode)};

    const TextFile::ReadResult read = TextFile::readUtf8(entry->filePath);
    const QString gameFolder = LibraryLayout::gameFolderOfConfigFile(libraryFolder, entry->filePath);
    const QString& text = read.text;
    Arguments arguments(entry->filePath);
    const bool ownDrivesOnly = reach == HostReachChoice::OwnDrivesOnly;
    // Start-up lines run only where Tandril puts them: after its mounts and the secure mode.
    arguments.flag(QStringLiteral("-noautoexec"));
    if (ownDrivesOnly)
        arguments.flag(QStringLiteral("-noconfig"));
    // Screenshots land with the game, unless its configuration names a folder of its own.
    static const QRegularExpression ownCaptures(QStringLiteral("(?m)^[ \\t]*captures[ \\t]*="));
    const QString captures = GamePictures::captureFolder(gameFolder);
    if (!read.ok() || !ownCaptures.match(text).hasMatch())
        arguments.set(QStringLiteral("dosbox captures=") + captures);
    if (ownDrivesOnly && read.ok()) {
        const HostReach::Allowed allowed{gameFolder, {LibraryLayout::mt32Folder(libraryFolder)}, captures};
        for (const QString& setting : HostReach::overrides(HostReach::find(text, allowed)))
            arguments.set(setting);
    }
    const std::optional<QString> secure =
        ownDrivesOnly ? std::optional<QString>(QStringLiteral("config -securemode")) : std::nullopt;
    Mounts mount(mounts);
    const QString cdImage =
        read.ok() ? ConfigText::firstLineValue(text, QString(ProgramKeys::CdImage) + u'=').value_or(QString())
                  : QString();
    const auto mountCdImage = [&] { return DosCommands::mountCdImage(mount(cdImage)); };
    // The game's folder stays as it came: what it writes lands in its saves folder.
    const Overlays overlays = overlayFolders(mode, *entry, libraryFolder);
    const auto mountDriveC = [&] {
        arguments.command(DosCommands::mountDriveC(mount(gameFolder)));
        arguments.command(DosCommands::mountOverlay(u'c', mount(overlays.driveC)));
    };

    switch (mode) {
    case LaunchMode::Game: {
        if (!read.ok())
            return LaunchRefusal{QCoreApplication::translate("Launch", "Error"),
                                 QCoreApplication::translate("Launch", "Could not read the config file.")};
        const QString gameExe = ProgramKeys::gameExeForLaunch(text);
        if (gameExe.isEmpty())
            return LaunchRefusal{
                QCoreApplication::translate("Launch", "No Game Program"),
                QCoreApplication::translate(
                    "Launch", "Tandril does not know which program starts \"%1\". Open the game's "
                              "Settings, choose its program under Game, save, and press Play again.")
                    .arg(entry->title.isEmpty() ? QFileInfo(entry->filePath).completeBaseName()
                                                : entry->title)};
        // A program the game installed on drive C lives in its saves folder.
        if (DosCommands::programPresence(gameFolder, gameExe) == DosCommands::Presence::Missing &&
            DosCommands::programPresence(overlays.driveC, gameExe) != DosCommands::Presence::There)
            return LaunchRefusal{
                QCoreApplication::translate("Launch", "Game Program Not Found"),
                QCoreApplication::translate(
                    "Launch", "The game's program %1 is no longer in its folder (drive C). Choose it again "
                              "in the game's Settings.")
                    .arg(gameExe)};
        const LanguageChoice language = languageAndKeyboard(preferredLanguages);
        arguments.command(mountCdImage());
        arguments.language(language, hasLanguageFile);
        mountDriveC();
        arguments.command(QStringLiteral("c:"));
        arguments.command(keyboardCommand(language.layout));
        arguments.command(secure);
        arguments.command(QStringLiteral("clr"));
        arguments.commands(DosCommands::beforeGameBlock(text));
        arguments.commands(DosCommands::gameStartCommands(gameExe));
        arguments.commands(DosCommands::autoexecBlock(text));
        // After the game and the commands after it, DOSBox-X closes instead of waiting at C:\>.
        if (ProgramKeys::closesWhenEnded(text))
            arguments.flag(QStringLiteral("-exit"));
        break;
    }
    case LaunchMode::Setup: {
        const LaunchRefusal noSetup{
            QCoreApplication::translate("Launch", "No Setup"),
            QCoreApplication::translate("Launch", "No setup path found in the selected config.")};
        if (!read.ok())
            return noSetup;
        const QString setupPath = entry->setupPath.value_or(QString());
        if (setupPath.isEmpty())
            return noSetup;
        if (!QFileInfo::exists(setupPath))
            return LaunchRefusal{
                QCoreApplication::translate("Launch", "File Not Found"),
                QCoreApplication::translate("Launch", "The setup file was not found at:\n%1").arg(setupPath)};
        const LanguageChoice language = languageAndKeyboard(preferredLanguages);
        arguments.language(language, hasLanguageFile);
        mountDriveC();
        arguments.command(
            DosCommands::mountSetupFolder(mount(DosCommands::deletingLastPathComponent(setupPath))));
        if (overlays.driveD)
            arguments.command(DosCommands::mountOverlay(u'd', mount(*overlays.driveD)));
        arguments.command(QStringLiteral("d:"));
        arguments.command(keyboardCommand(language.layout));
        arguments.command(secure);
        arguments.commands(DosCommands::beforeGameBlock(text));
        arguments.command(DosCommands::programCommand(DosCommands::lastPathComponent(setupPath)));
        arguments.command(QStringLiteral("c:"));
        arguments.commands(DosCommands::autoexecBlock(text));
        break;
    }
    case LaunchMode::DosPrompt: {
        // An unreadable file still gives a prompt, without CD image and start-up lines.
        const LanguageChoice language = languageAndKeyboard(preferredLanguages);
        arguments.language(language, hasLanguageFile);
        mountDriveC();
        arguments.command(mountCdImage());
        QStringList floppies = DosCommands::floppyImages(gameFolder);
        for (QString& image : floppies)
            image = mount(image);
        arguments.command(DosCommands::mountFloppies(floppies));
        arguments.command(QStringLiteral("c:"));
        arguments.command(keyboardCommand(language.layout));
        arguments.command(secure);
        if (read.ok()) {
            arguments.commands(DosCommands::beforeGameBlock(text));
            arguments.commands(DosCommands::autoexecBlock(text));
        }
        break;
    }
    }

    if (mount.unmountable())
        return LaunchRefusal{QCoreApplication::translate("Launch", "Cannot Mount"),
                             QCoreApplication::translate(
                                 "Launch",
                                 "DOSBox-X cannot use this path as it is, and there is no private folder for "
                                 "a short link to it:\n%1")
                                 .arg(*mount.unmountable())};
    if (arguments.commandCount() > MaximumStartupCommands)
        return LaunchRefusal{
            QCoreApplication::translate("Launch", "Too Many Start-up Commands"),
            QCoreApplication::translate(
                "Launch", "DOSBox-X runs at most 11 start-up commands; this launch needs %1. Remove some "
                          "lines from the game's start-up commands.")
                .arg(arguments.commandCount())};
    return arguments.list();
}
