#include "platform/WindowSize.h"

#include <algorithm>

QSize fittedWindowSize(QSize remembered, QSize own, QSize minimum, int maximumHeight, QRect available)
{
    const int width = remembered.width() > 0 ? remembered.width() : own.width();
    const int height = remembered.height() > 0 ? remembered.height() : own.height();
    if (available.isEmpty())
        return {std::max(width, minimum.width()), std::clamp(height, minimum.height(), maximumHeight)};
    // The screen wins over the window's own minimum: a window larger than the screen is worse.
    const int widest = available.width();
    const int highest = std::min(maximumHeight, available.height());
    return {std::clamp(width, std::min(minimum.width(), widest), widest),
            std::clamp(height, std::min(minimum.height(), highest), highest)};
}
