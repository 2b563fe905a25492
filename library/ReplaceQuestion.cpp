#include "library/ReplaceQuestion.h"

#include "library/LibraryLayout.h"
#include "platform/FileOperations.h"
#include "platform/Prompter.h"
#include "platform/Trash.h"

#include <QCoreApplication>

namespace ReplaceQuestion {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("ReplaceQuestion", text);
}

} // namespace

Answer ask(Prompter& prompter, const QString& existingTitle)
{
    const QString what =
        Trash::isAvailable()
            ? tr("Replace moves it to the Trash with its folder and all its files, saved games included.")
            : tr("Replace deletes it for good with its folder and all its files, saved games included.");
    const int answer =
        prompter.ask({tr("Game Already in Library"),
                      tr("A game named \"%1\" is already in your library.").arg(existingTitle) + u'\n' + what,
                      Prompter::Style::Warning,
                      {tr("Keep Both"), tr("Replace"), tr("Cancel")},
                      2});
    return answer == 0 ? Answer::KeepBoth : answer == 1 ? Answer::Replace : Answer::Cancel;
}

QString freeName(const QString& libraryFolder, const QString& base)
{
    for (int n = 2;; ++n) {
        const QString candidate = QStringLiteral("%1 (%2)").arg(base).arg(n);
        if (!FileOperations::itemExists(LibraryLayout::configFilePath(libraryFolder, candidate)) &&
            !FileOperations::itemExists(LibraryLayout::gameFolder(libraryFolder, candidate)))
            return candidate;
    }
}

} // namespace ReplaceQuestion
