#pragma once
// The step colours of a gradient: each channel is from + (to − from) × i div d,
// the division truncating toward zero (so a falling channel rounds toward the
// start), for step positions i = first, first + step, … up to d.
#include <cstdint>

#include "host/graphics/Color.h"
#include "kxpack/foundations/KxColorUtils.h"

namespace kx {

// Steps one band at a time by adding quotient and remainder, so a run of
// narrow bands costs no division per band.
class GradientSteps {
 public:
  GradientSteps(TColor start, TColor end, int64_t d, int64_t step, int64_t first) {
    Byte from[3], to[3];
    GetRGB(start, from[0], from[1], from[2]);
    GetRGB(end, to[0], to[1], to[2]);
    for (int c = 0; c < 3; ++c) channels_[c] = Channel(from[c], to[c], d, step, first);
  }
  TColor Color() const {
    return static_cast<TColor>(channels_[0].Value() | channels_[1].Value() << 8 |
                               channels_[2].Value() << 16);
  }
  void Next() {
    for (Channel& c : channels_) c.Next();
  }

 private:
  class Channel {
   public:
    Channel() = default;
    Channel(int64_t from, int64_t to, int64_t d, int64_t step, int64_t first)
        : sign_(to >= from ? 1 : -1), d_(d) {
      const int64_t span = (to - from) * sign_;  // 0..255
      value_ = from + sign_ * (span * first / d);
      r_ = span * first % d;
      dv_ = sign_ * (span * step / d);
      dr_ = span * step % d;
    }
    int64_t Value() const { return value_; }
    void Next() {
      // Selects rather than branches: whether the remainder carries changes
      // from band to band, and the remainder is the loop's chain.
      r_ += dr_;
      const bool carry = r_ >= d_;
      value_ += carry ? dv_ + sign_ : dv_;
      r_ = carry ? r_ - d_ : r_;
    }

   private:
    int64_t value_ = 0, sign_ = 1, d_ = 1, r_ = 0, dv_ = 0, dr_ = 0;
  };
  Channel channels_[3];
};

// Writes the colours of the n steps from i = first on (first + (n − 1) × step
// must not pass d) as COLORREFs. Below kExactProductLimit the quotients are
// fixed-point products, so no step waits on a carry from the one before: with
// m = 2^55 div d + 1, span × i × m >> 55 equals span × i div d exactly while
// 255 × d² < 2^55, and the products stay below 2^63. Above it, GradientSteps.
inline constexpr int64_t kExactProductLimit = int64_t{1} << 23;

inline void WriteStepColors(host::COLORREF* out, int64_t n, TColor start, TColor end, int64_t d,
                            int64_t step, int64_t first) {
  if (d >= kExactProductLimit) {
    GradientSteps steps(start, end, d, step, first);
    for (int64_t k = 0; k < n; ++k, steps.Next())
      out[k] = static_cast<host::COLORREF>(steps.Color());
    return;
  }
  const uint64_t m = (uint64_t{1} << 55) / static_cast<uint64_t>(d) + 1;
  Byte from[3], to[3];
  GetRGB(start, from[0], from[1], from[2]);
  GetRGB(end, to[0], to[1], to[2]);
  // Per channel: span × i × m, its growth per step, and all ones when it falls.
  uint64_t product[3], increment[3];
  uint32_t negate[3];
  for (int c = 0; c < 3; ++c) {
    const bool falling = to[c] < from[c];
    const uint64_t span = falling ? from[c] - to[c] : to[c] - from[c];
    product[c] = span * static_cast<uint64_t>(first) * m;
    increment[c] = span * static_cast<uint64_t>(step) * m;
    negate[c] = falling ? ~0u : 0u;
  }
  auto value = [&](int c, uint64_t p) {
    const uint32_t q = static_cast<uint32_t>(p >> 55);
    return from[c] + ((q ^ negate[c]) - negate[c]);  // from ± q
  };
  // The products in locals, so that the loop keeps them in registers.
  uint64_t r = product[0], g = product[1], b = product[2];
  for (int64_t k = 0; k < n; ++k, r += increment[0], g += increment[1], b += increment[2])
    out[k] = value(0, r) | value(1, g) << 8 | value(2, b) << 16;
}

// The colour of the step at position i.
inline TColor StepColor(TColor start, TColor end, int64_t d, int64_t i) {
  host::COLORREF color;
  WriteStepColors(&color, 1, start, end, d, 1, i);
  return static_cast<TColor>(color);
}

}  // namespace kx
