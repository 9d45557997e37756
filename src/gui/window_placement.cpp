#include "gui/window_placement.h"

#include <algorithm>
#include <cmath>

namespace burnlab {
namespace {

constexpr double kTwipsPerInch = 1440.0;
// A window counts as reachable when this much of it lies on a screen.
constexpr int kReachable = 32;

int overlap(const QRect& rect, const QRect& screen) {
  const QRect common = rect.intersected(screen);
  return common.width() >= kReachable && common.height() >= kReachable
             ? common.width() * common.height()
             : 0;
}

// The available area that holds most of `rect`; nothing when none holds enough of it.
const QRect* screenOf(const QRect& rect, const QList<QRect>& screens) {
  const QRect* best = nullptr;
  for (const QRect& screen : screens) {
    if (overlap(rect, screen) > (best ? overlap(rect, *best) : 0)) best = &screen;
  }
  return best;
}

// `frame` made no larger than `area` (but not smaller than `minimum`) and moved into it.
QRect fitted(QRect frame, const QRect& area, QSize minimum) {
  frame.setSize(frame.size().boundedTo(area.size()).expandedTo(minimum));
  frame.moveLeft(std::max(area.left(), std::min(frame.left(), area.right() + 1 - frame.width())));
  frame.moveTop(std::max(area.top(), std::min(frame.top(), area.bottom() + 1 - frame.height())));
  return frame;
}

}  // namespace

int twipsToPixels(double twips, double dotsPerInch) {
  return static_cast<int>(std::lround(twips * dotsPerInch / kTwipsPerInch));
}

double pixelsToTwips(int pixels, double dotsPerInch) {
  return std::round(pixels * kTwipsPerInch / dotsPerInch);
}

QRect openingRect(const WindowPlacement& placement, double dotsPerInch, QSize minimum,
                  QMargins frame, const QList<QRect>& screens, const QRect& primary) {
  QRect rect(twipsToPixels(placement.left, dotsPerInch), twipsToPixels(placement.top, dotsPerInch),
             twipsToPixels(placement.width, dotsPerInch),
             twipsToPixels(placement.height, dotsPerInch));
  rect.setSize(rect.size().expandedTo(minimum));
  QRect framed = rect.marginsAdded(frame);
  const QRect* area = screenOf(framed, screens);
  if (!area) {
    // A screen since unplugged: the primary screen's top left.
    if (primary.isEmpty()) return rect;
    framed.moveTopLeft(primary.topLeft());
    area = &primary;
  }
  const QSize frameMinimum = minimum.grownBy(frame);
  return fitted(framed, *area, frameMinimum).marginsRemoved(frame);
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
