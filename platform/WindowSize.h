#pragma once

#include <QRect>
#include <QSize>

// The size a window opens with: the one remembered (else its own), kept within its limits and
// within the screen's available area, so that a size remembered on a larger screen never hides
// the window's buttons.
QSize fittedWindowSize(QSize remembered, QSize own, QSize minimum, int maximumHeight, QRect available);
