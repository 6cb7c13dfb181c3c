#pragma once
// Shrinking a rectangle on every side by a width that may be huge (bevel and
// frame widths go up to 2147483647): the edges saturate at the Integer range
// instead of overflowing.
#include <algorithm>
#include <cstdint>

#include "host/base/Types.h"

namespace kx {

inline void ShrinkRectSaturated(host::TRect& R, int64_t by) {
  auto clamp = [](int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
  };
  R = {clamp(R.Left + by), clamp(R.Top + by), clamp(R.Right - by), clamp(R.Bottom - by)};
}

}  // namespace kx
