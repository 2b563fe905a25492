#include "library/EntryCreation.h"

#include "library/ConfigText.h"
#include "library/EntryDeletion.h"
#include "library/HostAccess.h"
#include "library/LibraryLayout.h"
#include "library/LibraryLoader.h"
#include "library/LibraryLock.h"
#include "library/ProgramKeys.h"
#include "library/ReplaceQuestion.h"
#include "platform/Diagnostics.h"
#include "platform/FileOperations.h"
#include "platform/Paths.h"
#include "platform/Prompter.h"
#include "platform/TextFile.h"

#include <algorithm>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace EntryCreation {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("EntryCreation", text);
}

// Most file systems allow 255 bytes in a name; the configuration file adds ".conf".
// A name takes at most 255 bytes on most file systems, and the longest name Tandril gives a
// game's item while it works on it is ".NAME.conf.incoming-UUID": 52 bytes more than the name.
constexpr qsizetype MaximumBaseNameBytes = 255 - 52;

void reportFailure(Prompter& prompter, const QString& error)
{
    logLine(QStringLiteral("❌ Error creating config: ") + error);
    prompter.showAlert(tr("Could Not Create Game"), error);
}

} // namespace

bool hasControlCharacter(QStringView text)
{
    return !ConfigText::isWritableValue(text);
}

std::optional<QString> titleProblem(const QString& baseName)
{
    // A line break would start a key line of its own in the configuration file.
    if (hasControlCharacter(baseName))
        return tr("The title must not contain line breaks, tabs or other control characters.");
    // "." and ".." would make the library folder or its parent the game folder.
    if (baseName.isEmpty() || baseName == u"." || baseName == u"..")
        return tr("The title must contain at least one character that can be used in a file name.");
    // Hidden names are Tandril's own (its lock, journals and unfinished copies), never a game's.
    if (baseName.startsWith(u'.'))
        return tr("A game's name must not begin with a dot: \"%1\".").arg(baseName);
    if (baseName == LibraryLayout::Mt32FolderName)
        return tr(
            "The name \"mt32\" belongs to the folder of the MT-32 ROM files. Please choose another title.");
    // One rule for every way of adding, checked before anything is copied.
    if (baseName.toUtf8().size() > MaximumBaseNameBytes)
        return tr("The title is too long to be used as a file name. Please choose a shorter title.");
    return std::nullopt;
}

std::optional<QString> templateText()
{
    QFile file(QStringLiteral(":/config/sample.conf"));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return QString::fromUtf8(file.readAll());
}

QString withTitleLine(QString text, const QString& title)
{
    if (!ConfigText::replaceKeyLines(ProgramKeys::Title, title, text))
        ConfigText::replaceInSection(ProgramKeys::Section, ProgramKeys::Title, title, text);
    return text;
}

std::optional<QString> createConfigEntryAndFolder(const QString& title, Prompter& prompter)
{
    const QString trimmed = title.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    const QString baseName = LibraryLayout::baseNameForTitle(trimmed);
    if (const std::optional<QString> problem = titleProblem(baseName)) {
        prompter.showAlert(tr("Invalid Title"), *problem);
        return std::nullopt;
    }

    const QString library = Paths::libraryFolder();
    // Whether a game of that name is there, and what comes instead, is decided holding the
    // lock: another Tandril cannot put a game there meanwhile.
    const LibraryLock lock;
    if (const std::optional<QString> busy = lock.failure()) {
        reportFailure(prompter, *busy);
        return std::nullopt;
    }
    QString name = baseName;
    QString newTitle = trimmed;
    // Only the configuration file is tested: a game folder without one is reused as it is.
    const QString existing = LibraryLayout::configFilePath(library, baseName);
    if (FileOperations::itemExists(existing)) {
        const std::optional<ConfigEntry> entry = LibraryLoader::readEntry(existing);
        switch (ReplaceQuestion::ask(prompter, entry && !entry->title.isEmpty() ? entry->title : baseName)) {
        case ReplaceQuestion::Answer::Cancel:
            return std::nullopt;
        case ReplaceQuestion::Answer::KeepBoth:
            name = ReplaceQuestion::freeName(library, baseName);
            newTitle += name.mid(baseName.size());
            break;
        case ReplaceQuestion::Answer::Replace:
            if (const std::optional<QString> error = EntryDeletion::discard(existing)) {
                prompter.showAlert(tr("Could Not Replace Game"), *error);
                return std::nullopt;
            }
            break;
        }
    }
    const QString gameFolder = LibraryLayout::gameFolder(library, name);
    const QString configFile = LibraryLayout::configFilePath(library, name);

    for (const QString& folder : {gameFolder, LibraryLayout::floppyFolder(gameFolder)}) {
        if (const std::optional<QString> error = FileOperations::makeFolder(folder)) {
            reportFailure(prompter, *error);
            return std::nullopt;
        }
    }

    const std::optional<QString> text = templateText();
    if (!text)
        return std::nullopt;
    // Written in one atomic step: never a copied but unedited template.
    if (const std::optional<QString> error =
            TextFile::writeUtf8Atomically(configFile, withTitleLine(*text, newTitle))) {
        reportFailure(prompter, *error);
        return std::nullopt;
    }
    // A permission given to an earlier game of this name is not this one's.
    HostAccess::setAllowed(configFile, false);
    return QFileInfo(configFile).absoluteFilePath();
}

} // namespace EntryCreation
