#pragma once

#include <QList>
#include <QMargins>
#include <QRect>
#include <QSize>

#include "panel/panel.h"

namespace burnlab {

// Converts between the placement kept in twips and the window's rectangle in pixels, at the
// screen's logical dots per inch (1440 twips to the inch).
int twipsToPixels(double twips, double dotsPerInch);
double pixelsToTwips(int pixels, double dotsPerInch);

// Where the window opens, as the rectangle inside its frame: the stored placement, never smaller
// than the layout's minimum size, and fitted to the available area of the screen it lies on
// (on the primary screen when it lies off every screen): no larger than that area and moved
// into it, its frame (`frame`: the title bar and borders around the rectangle) included.
QRect openingRect(const WindowPlacement& placement, double dotsPerInch, QSize minimum,
                  QMargins frame, const QList<QRect>& screens, const QRect& primary);

// The placement to store for a window at `rect`.
WindowPlacement placementOf(const QRect& rect, double dotsPerInch, bool minimized);

}  // namespace burnlab
