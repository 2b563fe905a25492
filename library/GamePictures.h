#pragma once

#include <optional>
#include <QString>
#include <QStringList>

// A game's pictures, kept in its own folder so that a rename, an export and a delete take them
// along: DOSBox-X writes its screenshots to the game's capture folder, and the cover the user
// chose lies there too under a name of its own.
namespace GamePictures {

// "CAPTURE", DOSBox-X's own name for the folder, which DOS programs can read too.
inline const QString CaptureFolderName = QStringLiteral("CAPTURE");
// The largest image file taken as a cover.
inline constexpr qint64 MaximumCoverSize = 64LL * 1024 * 1024;

QString captureFolder(const QString& gameFolder);

// The extensions of the images the panel can show, in lower case.
QStringList pictureExtensions();
// Whether a file's name is that of an image the panel can show (by extension).
bool isPictureFile(const QString& path);

// The cover first (when there is one), then the screenshots, newest first.
QStringList pictures(const QString& gameFolder);

// Copies the image in as the game's cover, replacing the one before only once the copy is
// whole. Returns why it could not; nothing on success.
std::optional<QString> setCover(const QString& gameFolder, const QString& imagePath);

} // namespace GamePictures
