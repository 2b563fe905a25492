#include "app/commandline/GameLookup.h"

#include "library/LibraryLayout.h"
#include "library/LibraryLoader.h"
#include "platform/Paths.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

// A configuration file that cannot be read still names a game: a DOS prompt starts without it.
ConfigEntry entryForFile(const QString& path)
{
    return LibraryLoader::readEntry(path).value_or(ConfigEntry{QString(), path, std::nullopt});
}

} // namespace

std::variant<ConfigEntry, QString> findGame(const QString& game)
{
    const QFileInfo asPath(game);
    if (game.endsWith(QStringLiteral(".conf")) && asPath.isFile())
        return entryForFile(asPath.absoluteFilePath());

    const QString library = Paths::libraryFolder();
    if (!game.contains(u'/')) {
        const QFileInfo byBaseName(LibraryLayout::configFilePath(library, game));
        if (byBaseName.isFile())
            return entryForFile(byBaseName.absoluteFilePath());
    }

    const QList<ConfigEntry> entries = LibraryLoader::load(library).value_or(QList<ConfigEntry>());
    const auto titled = [&](Qt::CaseSensitivity sensitivity) {
        QList<ConfigEntry> found;
        for (const ConfigEntry& entry : entries) {
            if (entry.title.compare(game, sensitivity) == 0)
                found.append(entry);
        }
        return found;
    };
    // The exact title first; letter case is ignored only when that names one game.
    QList<ConfigEntry> matches = titled(Qt::CaseSensitive);
    if (matches.isEmpty())
        matches = titled(Qt::CaseInsensitive);
    if (matches.size() == 1)
        return matches.first();
    if (matches.isEmpty())
        return QCoreApplication::translate("GameLookup", "No game is called \"%1\".").arg(game);
    QString error = QCoreApplication::translate(
                        "GameLookup", "Several games are called \"%1\"; name one by its configuration file:")
                        .arg(game);
    for (const ConfigEntry& entry : std::as_const(matches))
        error += QStringLiteral("\n  ") + entry.filePath;
    return error;
}
