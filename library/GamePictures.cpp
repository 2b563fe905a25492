#include "library/GamePictures.h"

#include "platform/FileOperations.h"

#include <algorithm>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace GamePictures {

namespace {

const QString CoverBaseName = QStringLiteral("COVER");
const QStringList PictureExtensions = {QStringLiteral("png"), QStringLiteral("jpg"), QStringLiteral("jpeg"),
                                       QStringLiteral("gif"), QStringLiteral("bmp")};

QString tr(const char* text)
{
    return QCoreApplication::translate("GamePictures", text);
}

bool isCoverName(const QString& name)
{
    return QFileInfo(name).completeBaseName().compare(CoverBaseName, Qt::CaseInsensitive) == 0;
}

} // namespace

QString captureFolder(const QString& gameFolder)
{
    return gameFolder + u'/' + CaptureFolderName;
}

QStringList pictureExtensions()
{
    return PictureExtensions;
}

bool isPictureFile(const QString& path)
{
    return PictureExtensions.contains(QFileInfo(path).suffix().toLower());
}

QStringList pictures(const QString& gameFolder)
{
    const QFileInfoList files =
        QDir(captureFolder(gameFolder)).entryInfoList(QDir::Files | QDir::Readable, QDir::Time);
    QStringList covers;
    QStringList screenshots;
    for (const QFileInfo& file : files) {
        if (!isPictureFile(file.fileName()))
            continue;
        (isCoverName(file.fileName()) ? covers : screenshots).append(file.absoluteFilePath());
    }
    // One cover is kept; should a second have come in by hand, the newest counts.
    return covers.mid(0, 1) + screenshots;
}

std::optional<QString> setCover(const QString& gameFolder, const QString& imagePath)
{
    const QFileInfo source(imagePath);
    if (!source.isFile() || !isPictureFile(imagePath))
        return tr("%1 is no picture Tandril can show (PNG, JPEG, GIF or BMP).").arg(source.fileName());
    if (source.size() > MaximumCoverSize)
        return tr("%1 is too large for a cover.").arg(source.fileName());
    const QString folder = captureFolder(gameFolder);
    if (const std::optional<QString> error = FileOperations::makeFolder(folder))
        return error;
    const QString cover = folder + u'/' + CoverBaseName + u'.' + source.suffix().toLower();
    // A copy that a kill stopped is no use to anyone.
    FileOperations::removeAbandonedPartials(folder, CoverBaseName + QStringLiteral("\\.[a-z]+"));
    // The old cover stays until the new one is whole; another kind of image then takes its place.
    const QStringList before = QDir(folder).entryList(QDir::Files);
    const QString partial = FileOperations::partialName(cover);
    if (const std::optional<QString> error =
            FileOperations::copyTree(imagePath, partial, FileOperations::Links::ContentIfInside))
        return error;
    if (const std::optional<QString> error = FileOperations::moveFileReplacing(partial, cover)) {
        QFile::remove(partial);
        return error;
    }
    for (const QString& name : before) {
        const QString path = folder + u'/' + name;
        if (isCoverName(name) && path != cover)
            QFile::remove(path);
    }
    return std::nullopt;
}

} // namespace GamePictures
