#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace PictureLoading {

// Nothing larger is decoded: a picture of more pixels than this (a broken or hostile file can
// claim any size) is shown as no picture.
inline constexpr qint64 MaximumPixels = 60LL * 1000 * 1000;
// Nor is a file of more bytes read.
inline constexpr qint64 MaximumBytes = 64LL * 1024 * 1024;

// Whether a picture of this size is never decoded: an invalid size, or more pixels than the limit
// (counted so that no size a file claims can overflow the count).
bool isTooLarge(const QSize& size);

// The picture, scaled once while it is decoded to fit within bound (never enlarged); a null
// image when the file cannot be read, is no image or is too large. Safe on any thread.
QImage load(const QString& path, const QSize& bound);

} // namespace PictureLoading
