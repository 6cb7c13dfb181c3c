#include "host/graphics/Region.h"

#include <algorithm>

namespace host {

namespace {

bool Overlap(const TRect& a, const TRect& b) { return !Intersection(a, b).IsEmpty(); }

// Appends the parts of r outside cut (at most four bands) to out.
void AppendDifference(const TRect& r, const TRect& cut, std::vector<TRect>& out) {
  if (!Overlap(r, cut)) {
    out.push_back(r);
    return;
  }
  const TRect top{r.Left, r.Top, r.Right, cut.Top};
  const TRect bottom{r.Left, cut.Bottom, r.Right, r.Bottom};
  const int32_t midTop = std::max(r.Top, cut.Top), midBottom = std::min(r.Bottom, cut.Bottom);
  const TRect left{r.Left, midTop, cut.Left, midBottom};
  const TRect right{cut.Right, midTop, r.Right, midBottom};
  for (const TRect& part : {top, left, right, bottom})
    if (!part.IsEmpty()) out.push_back(part);
}

long long Area(const std::vector<TRect>& rects) {
  long long area = 0;
  for (const TRect& r : rects) area += static_cast<long long>(r.Width()) * r.Height();
  return area;
}

}  // namespace

TRect Region::Bounds() const {
  if (rects_.empty()) return {};
  TRect b = rects_.front();
  for (const TRect& r : rects_) {
    b.Left = std::min(b.Left, r.Left);
    b.Top = std::min(b.Top, r.Top);
    b.Right = std::max(b.Right, r.Right);
    b.Bottom = std::max(b.Bottom, r.Bottom);
  }
  return b;
}

bool Region::Contains(TPoint p) const {
  return std::any_of(rects_.begin(), rects_.end(), [p](const TRect& r) { return r.Contains(p); });
}

void Region::Union(const TRect& rect) {
  if (rect.IsEmpty()) return;
  // Add only the parts of rect that no rectangle holds yet, so all stay disjoint.
  std::vector<TRect> pieces{rect}, next;
  for (const TRect& existing : rects_) {
    next.clear();
    for (const TRect& piece : pieces) AppendDifference(piece, existing, next);
    pieces.swap(next);
    if (pieces.empty()) return;
  }
  rects_.insert(rects_.end(), pieces.begin(), pieces.end());
}

void Region::Union(const Region& other) {
  for (const TRect& r : other.rects_) Union(r);
}

void Region::Intersect(const TRect& rect) {
  std::vector<TRect> kept;
  for (const TRect& r : rects_) {
    const TRect part = Intersection(r, rect);
    if (!part.IsEmpty()) kept.push_back(part);
  }
  rects_.swap(kept);
}

void Region::Intersect(const Region& other) {
  std::vector<TRect> kept;
  for (const TRect& a : rects_)
    for (const TRect& b : other.rects_) {
      const TRect part = Intersection(a, b);
      if (!part.IsEmpty()) kept.push_back(part);
    }
  rects_.swap(kept);
}

void Region::Subtract(const TRect& rect) {
  if (rect.IsEmpty()) return;
  std::vector<TRect> kept;
  for (const TRect& r : rects_) AppendDifference(r, rect, kept);
  rects_.swap(kept);
}

void Region::Offset(int32_t dx, int32_t dy) {
  for (TRect& r : rects_) r = {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy};
}

bool Region::SameArea(const Region& other) const {
  Region common = *this;
  common.Intersect(other);
  const long long shared = Area(common.rects_);
  return shared == Area(rects_) && shared == Area(other.rects_);
}

}  // namespace host
