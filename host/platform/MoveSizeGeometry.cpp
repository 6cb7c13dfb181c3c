#include "host/platform/MoveSizeGeometry.h"

#include <algorithm>

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

}  // namespace host
