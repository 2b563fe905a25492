#include "settings/ProgramChoice.h"

#include "library/ConfigText.h"
#include "library/GameExePath.h"
#include "library/LibraryLayout.h"
#include "library/LibraryLock.h"
#include "library/ProgramKeys.h"
#include "platform/ConfigNotifier.h"
#include "platform/Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace ProgramChoice {

std::optional<QString> setGameProgram(const QString& configFile, const QString& chosenPath)
{
    const QString gameFolder = LibraryLayout::gameFolderOfConfigFile(Paths::libraryFolder(), configFile);
    const QString chosen = QFileInfo(chosenPath).absoluteFilePath();
    // Drive C: the game's folder, or what the game wrote over it (a program it installed).
    const auto below = [&chosen](const QString& folder) {
        const QString relative = QDir(folder).relativeFilePath(chosen);
        const bool inside = !relative.startsWith(QStringLiteral("../")) && relative != u".." &&
                            !QDir::isAbsolutePath(relative);
        return inside ? relative : QString();
    };
    QString relative = below(gameFolder);
    if (relative.isEmpty())
        relative = below(LibraryLayout::savesFolderOfConfigFile(Paths::libraryFolder(), configFile));
    if (!QFileInfo(chosen).isFile() || relative.isEmpty())
        return QCoreApplication::translate("ProgramChoice",
                                           "The game's program must be a file in its folder, drive C: %1")
            .arg(gameFolder);
    const QString stored = GameExePath::shortFolderNames(relative).value_or(relative);
    const std::optional<QString> error =
        LibraryLock::updateFile(configFile, [&](QString& text) -> std::optional<QString> {
            if (!ConfigText::replaceKeyLines(ProgramKeys::GameExe, stored, text) &&
                !ConfigText::replaceInSection(ProgramKeys::Section, ProgramKeys::GameExe, stored, text))
                return QCoreApplication::translate("ProgramChoice",
                                                   "The name \"%1\" cannot stand in a configuration file.")
                    .arg(relative);
            return std::nullopt;
        });
    if (!error)
        ConfigNotifier::instance().post();
    return error;
}

} // namespace ProgramChoice
