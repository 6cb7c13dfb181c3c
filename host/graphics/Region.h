#pragma once
// A region: an area made of disjoint rectangles. Device contexts clip to one;
// windows collect their update area in one.
#include <vector>

#include "host/base/Types.h"

namespace host {

class Region {
 public:
  Region() = default;
  explicit Region(const TRect& rect) { Union(rect); }

  bool Empty() const { return rects_.empty(); }
  // The disjoint rectangles that make up the region, none of them empty.
  const std::vector<TRect>& Rects() const { return rects_; }
  // The smallest rectangle holding the whole region; empty for an empty region.
  TRect Bounds() const;
  bool Contains(TPoint p) const;

  void Clear() { rects_.clear(); }
  // Adds rect to the region.
  void Union(const TRect& rect);
  void Union(const Region& other);
  // Keeps only the part inside rect.
  void Intersect(const TRect& rect);
  void Intersect(const Region& other);
  // Removes rect from the region.
  void Subtract(const TRect& rect);
  void Offset(int32_t dx, int32_t dy);

  // Same area, whatever the split into rectangles.
  bool SameArea(const Region& other) const;

 private:
  std::vector<TRect> rects_;
};

}  // namespace host
