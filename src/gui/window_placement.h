#pragma once

#include <QList>
#include <QRect>
#include <QSize>

#include "panel/panel.h"

namespace burnlab {

// Converts between the placement kept in twips and the window's rectangle in pixels, at the
// screen's logical dots per inch (1440 twips to the inch).
int twipsToPixels(double twips, double dotsPerInch);
double pixelsToTwips(int pixels, double dotsPerInch);

// Where the window opens: the stored placement, but never smaller than the layout's minimum
// size, and on the primary screen when it would lie off every screen.
QRect openingRect(const WindowPlacement& placement, double dotsPerInch, QSize minimum,
                  const QList<QRect>& screens, const QRect& primary);

// The placement to store for a window at `rect`.
WindowPlacement placementOf(const QRect& rect, double dotsPerInch, bool minimized);

}  // namespace burnlab
