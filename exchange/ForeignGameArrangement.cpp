#include "exchange/ForeignGameArrangement.h"

#include "library/CueSheet.h"
#include "library/ForeignFiles.h"
#include "library/LibraryLayout.h"
#include "platform/FileOperations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace ForeignGameArrangement {

namespace {

bool isInside(const QString& path, const QString& folder)
{
    return path.startsWith(folder + u'/');
}

class Arranger
{
public:
    Arranger(const ForeignGame& game, QString gameFolder, bool staged)
        : m_game(game), m_gameFolder(std::move(gameFolder)), m_staged(staged)
    {}

    // Where an item of the set-up is now: inside drive C in the game's folder, else where it was.
    QString now(const QString& path) const
    {
        return isInside(path, m_game.driveC) ? m_gameFolder + path.mid(m_game.driveC.size()) : path;
    }

    // Brings a file from outside drive C into the folder, under the relative name given (its
    // own name when none): moved from a staged copy, else copied.
    std::optional<QString> bring(const QString& file, const QString& folder, QString* brought,
                                 const QString& name = {}) const
    {
        if (isInside(file, m_game.driveC)) {
            *brought = now(file);
            return std::nullopt;
        }
        *brought = folder + u'/' + (name.isEmpty() ? QFileInfo(file).fileName() : name);
        if (const std::optional<QString> made = FileOperations::makeFolder(QFileInfo(*brought).path()))
            return made;
        if (FileOperations::itemExists(*brought))
            return std::nullopt;
        return m_staged ? FileOperations::moveItem(file, *brought)
                        : FileOperations::copyTree(file, *brought, FileOperations::Links::ContentIfInside);
    }

    std::optional<QString> cdImage(Arranged* arranged) const
    {
        if (m_game.cdImage.isEmpty())
            return std::nullopt;
        const QString cdFolder = LibraryLayout::cdImageFolder(m_gameFolder);
        const QString sheetFolder = QFileInfo(m_game.cdImage).absolutePath();
        if (CueSheet::isSheet(m_game.cdImage) && !isInside(m_game.cdImage, m_game.driveC)) {
            // A sheet's tracks come along first, below the sheet as they were.
            if (const std::optional<QString> text = ForeignFiles::readText(m_game.cdImage)) {
                for (const QString& track : CueSheet::repair(*text, sheetFolder).tracks) {
                    const QString relative = QDir(sheetFolder).relativeFilePath(track);
                    QString brought;
                    if (const std::optional<QString> error = bring(
                            track, cdFolder, &brought, relative.startsWith(u'.') ? QString() : relative))
                        return error;
                }
            }
        }
        QString image;
        if (const std::optional<QString> error = bring(m_game.cdImage, cdFolder, &image))
            return error;
        if (CueSheet::isSheet(image)) {
            const std::optional<QString> sheet = CueSheet::mountablePath(image, &arranged->notCarried);
            if (!sheet)
                return QCoreApplication::translate("ForeignGameArrangement",
                                                   "The CD image's cue sheet %1 could not be read or mended.")
                    .arg(QFileInfo(image).fileName());
            image = *sheet;
        }
        arranged->cdImage = QDir(m_gameFolder).relativeFilePath(image);
        return std::nullopt;
    }

    std::optional<QString> floppies() const
    {
        const QString floppyFolder = LibraryLayout::floppyFolder(m_gameFolder);
        for (const QString& image : m_game.floppyImages) {
            QString brought;
            if (const std::optional<QString> error = bring(image, floppyFolder, &brought))
                return error;
            // The DOS prompt mounts the ".ima" files of the floppy folder as drive A.
            const QString name = QFileInfo(brought).completeBaseName() + QStringLiteral(".ima");
            const QString target = floppyFolder + u'/' + name;
            if (brought != target && !FileOperations::itemExists(target)) {
                if (const std::optional<QString> error = FileOperations::moveItem(brought, target))
                    return error;
            }
        }
        return std::nullopt;
    }

private:
    const ForeignGame& m_game;
    QString m_gameFolder;
    bool m_staged;
};

} // namespace

std::optional<QString> arrange(const ForeignGame& game, const QString& gameFolder, bool staged,
                               const QString& savesTarget, Arranged* arranged)
{
    const Arranger arranger(game, gameFolder, staged);
    for (const QString& leftover : game.leaveOut) {
        const QString item = arranger.now(leftover);
        if (isInside(item, gameFolder) && FileOperations::itemExists(item)) {
            if (const std::optional<QString> error = FileOperations::removeItem(item))
                return error;
        }
    }
    if (!game.saves.isEmpty() && QFileInfo(arranger.now(game.saves)).isDir()) {
        // The store keeps them as DOSBox-X's overlay over drive C does: they are the game's saves.
        const QString saves = arranger.now(game.saves);
        const std::optional<QString> error =
            staged || isInside(saves, gameFolder)
                ? FileOperations::moveItem(saves, savesTarget)
                : FileOperations::copyTree(saves, savesTarget, FileOperations::Links::ContentIfInside);
        if (error)
            return QCoreApplication::translate("ForeignGameArrangement",
                                               "The saved games could not be brought in: %1")
                .arg(*error);
    }
    if (const std::optional<QString> error = arranger.cdImage(arranged))
        return error;
    return arranger.floppies();
}

} // namespace ForeignGameArrangement
