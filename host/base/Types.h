#pragma once
// The host framework's basic value types: integers by their host names,
// colours, points and rectangles.
#include <algorithm>
#include <cstdint>

namespace host {

using Integer = int32_t;
using Cardinal = uint32_t;
using Word = uint16_t;
using Byte = uint8_t;
using Extended = long double;  // 80-bit on x86-64
using TDateTime = double;      // days since 1899-12-30

// $00BBGGRR for a plain colour; $FF0000nn for system colour nn.
using TColor = int32_t;

struct TPoint {
  int32_t X = 0;
  int32_t Y = 0;
  bool operator==(const TPoint&) const = default;
};

struct TSize {
  int32_t cx = 0;
  int32_t cy = 0;
  bool operator==(const TSize&) const = default;
};

// Right and Bottom are exclusive.
struct TRect {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Right = 0;
  int32_t Bottom = 0;

  int32_t Width() const { return Right - Left; }
  int32_t Height() const { return Bottom - Top; }
  bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  TPoint TopLeft() const { return {Left, Top}; }
  TPoint BottomRight() const { return {Right, Bottom}; }
  bool Contains(TPoint p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
  bool operator==(const TRect&) const = default;
};

inline TPoint Point(int32_t x, int32_t y) { return {x, y}; }
inline TRect Rect(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  return {left, top, right, bottom};
}

// v, or the nearest end of the 32-bit range when v lies outside it: edges and
// sizes worked out in 64 bits come back as Integers without wrapping around.
constexpr int32_t SaturateToInt32(int64_t v) {
  return static_cast<int32_t>(v < INT32_MIN ? INT32_MIN : v > INT32_MAX ? INT32_MAX : v);
}

// The part two rectangles share; empty (IsEmpty) when they do not meet.
inline TRect Intersection(const TRect& a, const TRect& b) {
  return {std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
          std::min(a.Bottom, b.Bottom)};
}

// The far edges saturate at the integer range instead of wrapping around.
inline TRect Bounds(int32_t left, int32_t top, int32_t width, int32_t height) {
  return {left, top, SaturateToInt32(int64_t{left} + width),
          SaturateToInt32(int64_t{top} + height)};
}

// R moved in by `by` on every side (out for a negative `by`); the edges
// saturate at the integer range, so huge frame widths cannot overflow.
inline void ShrinkRect(TRect& R, int64_t by) {
  R = {SaturateToInt32(R.Left + by), SaturateToInt32(R.Top + by), SaturateToInt32(R.Right - by),
       SaturateToInt32(R.Bottom - by)};
}

}  // namespace host
