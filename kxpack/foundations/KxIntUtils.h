#pragma once
// Integer and rectangle helpers of the controls: minimum and maximum, range
// clamping, percentages, and the width and height of a rectangle.
#include <cstdint>

#include "host/base/Types.h"

namespace kx {

using host::Integer;
using host::TRect;

inline Integer MinIntVal(Integer A, Integer B) { return A < B ? A : B; }
inline Integer MaxIntVal(Integer A, Integer B) { return A > B ? A : B; }

// Percent per cent of Total, computed as (Percent × 0.01) × Total in 80-bit
// extended arithmetic and truncated. 0.01 is not exact in binary, so some
// exact cases come out one short: SolveForX(10, 10) is 0, SolveForX(20, 10) is 1.
Integer SolveForX(Integer Percent, Integer Total);
// Value as a percentage of Total (Value × 100 / Total, truncated); 0 when
// Total is 0.
Integer SolveForY(Integer Value, Integer Total);
// The same for the difference of two Integers, which may lie beyond the
// Integer range (a range from −2^31 to 2^31 − 1); the ratio stays exact.
Integer SolveForY(int64_t Value, int64_t Total);

// Right − Left and Bottom − Top, taken in 64 bits: a difference beyond the
// Integer range (a rectangle from −2^31 to 2^31 − 1) saturates at its bound.
inline Integer WidthOf(const TRect& R) { return host::SaturateToInt32(int64_t{R.Right} - R.Left); }
inline Integer HeightOf(const TRect& R) { return host::SaturateToInt32(int64_t{R.Bottom} - R.Top); }

// Clamps Value to Min..Max; Min is tested first, so with Min > Max a value
// below Min ends at Min.
inline void AdjustRange(Integer& Value, Integer Min, Integer Max) {
  if (Value < Min)
    Value = Min;
  else if (Value > Max)
    Value = Max;
}

// Makes a range read from a form file valid once the whole file is read
// (its ends are stored as saved, in whatever order they come). A pair with
// Min below Max is kept. A pair no setter can give (a file edited by hand)
// becomes what the setters make of it on a new control whose range is
// [DefaultMin, DefaultMax]: Max taken first, then Min.
void RepairLoadedRange(Integer& Min, Integer& Max, Integer DefaultMin, Integer DefaultMax);

}  // namespace kx
