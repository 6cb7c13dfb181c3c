#pragma once
// Clip rectangle arithmetic shared by text rendering and text layout.
#include <span>
#include <vector>

#include "host/base/Types.h"

namespace host {

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
