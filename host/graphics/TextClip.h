#pragma once
// Clip rectangle arithmetic shared by text rendering and text layout.
#include <algorithm>
#include <span>
#include <vector>

#include "host/base/Types.h"

namespace host {

inline TRect Intersection(const TRect& a, const TRect& b) {
  return {std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
          std::min(a.Bottom, b.Bottom)};
}

// The parts of the clip rectangles inside bounds, empty ones dropped.
inline std::vector<TRect> ClipParts(std::span<const TRect> clip, const TRect& bounds) {
  std::vector<TRect> parts;
  for (const TRect& r : clip) {
    const TRect part = Intersection(r, bounds);
    if (!part.IsEmpty()) parts.push_back(part);
  }
  return parts;
}

}  // namespace host
