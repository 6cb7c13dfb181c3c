#include "host/platform/MoveSizeGeometry.h"

#include <algorithm>
#include <cstdlib>

namespace host {

TRect MoveSizeBounds(MoveSizeKind kind, const TRect& start, TPoint press, TPoint pointer,
                     int32_t minWidth, int32_t minHeight) {
  const int32_t dx = pointer.X - press.X;
  const int32_t dy = pointer.Y - press.Y;
  const bool sizesWidth = kind == MoveSizeKind::SizeRight || kind == MoveSizeKind::SizeBottomRight;
  const bool sizesHeight =
      kind == MoveSizeKind::SizeBottom || kind == MoveSizeKind::SizeBottomRight;
  if (kind == MoveSizeKind::Move)
    return Bounds(start.Left + dx, start.Top + dy, start.Width(), start.Height());
  const int32_t width = sizesWidth ? std::max(start.Width() + dx, minWidth) : start.Width();
  const int32_t height = sizesHeight ? std::max(start.Height() + dy, minHeight) : start.Height();
  return Bounds(start.Left, start.Top, width, height);
}

namespace {

// The shift that puts [low, high) flush with [areaLow, areaHigh) when an
// end is within buffer of the area's same end; 0 otherwise.
int32_t SnapShift(int32_t low, int32_t high, int32_t areaLow, int32_t areaHigh, int32_t buffer) {
  if (std::abs(low - areaLow) <= buffer) return areaLow - low;
  if (std::abs(high - areaHigh) <= buffer) return areaHigh - high;
  return 0;
}

}  // namespace

TRect SnapToArea(const TRect& bounds, const TRect& area, int32_t buffer) {
  if (buffer <= 0) return bounds;
  return Bounds(bounds.Left + SnapShift(bounds.Left, bounds.Right, area.Left, area.Right, buffer),
                bounds.Top + SnapShift(bounds.Top, bounds.Bottom, area.Top, area.Bottom, buffer),
                bounds.Width(), bounds.Height());
}

TRect MoveSizeStep(MoveSizeKind kind, const TRect& start, TPoint press, TPoint pointer,
                   int32_t minWidth, int32_t minHeight, const TRect& area, int32_t buffer) {
  const TRect bounds = MoveSizeBounds(kind, start, press, pointer, minWidth, minHeight);
  return kind == MoveSizeKind::Move ? SnapToArea(bounds, area, buffer) : bounds;
}

}  // namespace host
