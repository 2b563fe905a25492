#include "settings/TitleChange.h"

#include "library/GameRename.h"
#include "library/LibraryLayout.h"
#include "platform/Diagnostics.h"
#include "platform/FileOperations.h"
#include "platform/Paths.h"
#include "platform/Prompter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace TitleChange {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("TitleChange", text);
}

} // namespace

void prepareFolders(const QString& baseName)
{
    const QString gameFolder = LibraryLayout::gameFolder(Paths::libraryFolder(), baseName);
    std::optional<QString> error = FileOperations::makeFolder(gameFolder);
    if (!error)
        error = FileOperations::makeFolder(LibraryLayout::floppyFolder(gameFolder));
    if (error)
        logLine(QStringLiteral("❌ Error creating mount/FLOPPIES folder: ") + *error);
}

RenameOutcome renameGame(const QString& oldName, const QString& newName, Prompter& prompter)
{
    if (oldName.isEmpty() || oldName == newName)
        return RenameOutcome::NothingToDo;
    const QString library = Paths::libraryFolder();
    if (GameRename::isTaken(library, newName)) {
        prompter.ask(
            {tr("Rename Not Possible"),
             tr("A configuration or folder with the new name already exists. Please delete it before "
                "renaming or choose another name."),
             Prompter::Style::Warning,
             {tr("OK")}});
        return RenameOutcome::Refused;
    }
    if (const std::optional<QString> error = GameRename::rename(library, oldName, newName)) {
        logLine(QStringLiteral("❌ Error renaming config: ") + *error);
        prompter.ask({tr("Rename Failed"), *error, Prompter::Style::Warning, {tr("OK")}});
        return RenameOutcome::Failed;
    }
    return RenameOutcome::Renamed;
}

QString movedPath(const QString& path, const QString& oldFolder, const QString& newFolder)
{
    const QString trimmed = path.trimmed();
    if (trimmed == oldFolder || trimmed.startsWith(oldFolder + u'/'))
        return newFolder + trimmed.mid(oldFolder.size());
    return path;
}

} // namespace TitleChange
