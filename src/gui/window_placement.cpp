#include "gui/window_placement.h"

#include <algorithm>
#include <cmath>

namespace burnlab {
namespace {

constexpr double kTwipsPerInch = 1440.0;
// A window counts as reachable when this much of it lies on a screen.
constexpr int kReachable = 32;

bool reachable(const QRect& rect, const QList<QRect>& screens) {
  return std::any_of(screens.begin(), screens.end(), [&](const QRect& screen) {
    const QRect common = rect.intersected(screen);
    return common.width() >= kReachable && common.height() >= kReachable;
  });
}

}  // namespace

int twipsToPixels(double twips, double dotsPerInch) {
  return static_cast<int>(std::lround(twips * dotsPerInch / kTwipsPerInch));
}

double pixelsToTwips(int pixels, double dotsPerInch) {
  return std::round(pixels * kTwipsPerInch / dotsPerInch);
}

QRect openingRect(const WindowPlacement& placement, double dotsPerInch, QSize minimum,
                  const QList<QRect>& screens, const QRect& primary) {
  QRect rect(twipsToPixels(placement.left, dotsPerInch), twipsToPixels(placement.top, dotsPerInch),
             twipsToPixels(placement.width, dotsPerInch),
             twipsToPixels(placement.height, dotsPerInch));
  rect.setSize(rect.size().expandedTo(minimum));
  if (!reachable(rect, screens) && !primary.isEmpty()) {
    // Keep the size where the primary screen has room for it, and open at its top left.
    const QSize fitting = rect.size().boundedTo(primary.size()).expandedTo(minimum);
    rect = QRect(primary.topLeft(), fitting);
  }
  return rect;
}

WindowPlacement placementOf(const QRect& rect, double dotsPerInch, bool minimized) {
  WindowPlacement placement;
  placement.left = pixelsToTwips(rect.x(), dotsPerInch);
  placement.top = pixelsToTwips(rect.y(), dotsPerInch);
  placement.width = pixelsToTwips(rect.width(), dotsPerInch);
  placement.height = pixelsToTwips(rect.height(), dotsPerInch);
  placement.minimized = minimized;
  return placement;
}

}  // namespace burnlab
