#pragma once

#include <QPixmap>

// A round green or red light, drawn so that it needs no image plug-in.
QPixmap statusLight(bool available, int size, qreal devicePixelRatio);
