#include "app/widgets/PictureLoading.h"

#include "platform/TextFile.h"

#include <QBuffer>
#include <QImageReader>

namespace PictureLoading {

bool isTooLarge(const QSize& size)
{
    return !size.isValid() || qint64(size.width()) * size.height() > MaximumPixels;
}

QImage load(const QString& path, const QSize& bound)
{
    // Opened without blocking and checked to be a file (a link to a FIFO would wait for ever),
    // and read only up to a limit; decoded from memory.
    const TextFile::BytesResult read = TextFile::readBytes(path, MaximumBytes);
    if (read.status != TextFile::ReadStatus::Ok)
        return {};
    QBuffer bytes;
    bytes.setData(read.bytes);
    if (!bytes.open(QIODevice::ReadOnly))
        return {};
    QImageReader reader(&bytes);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (isTooLarge(size) || bound.isEmpty())
        return {};
    if (size.width() > bound.width() || size.height() > bound.height())
        reader.setScaledSize(size.scaled(bound, Qt::KeepAspectRatio));
    QImage image = reader.read();
    // Some formats ignore the scaled size; the picture is still scaled only once, here.
    if (!image.isNull() && (image.width() > bound.width() || image.height() > bound.height()))
        image = image.scaled(bound, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return image;
}

} // namespace PictureLoading
