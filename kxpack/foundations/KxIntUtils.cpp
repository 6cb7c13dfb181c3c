#include "kxpack/foundations/KxIntUtils.h"

#include <limits>

namespace kx {

static_assert(std::numeric_limits<long double>::digits == 64,
              "SolveForX needs the 80-bit extended type (64-bit mantissa)");

namespace {

// Truncates toward zero; results beyond the Integer range saturate instead of
// wrapping (a cast of an out-of-range float is undefined).
Integer TruncToInteger(long double x) {
  if (x >= 2147483648.0L) return INT32_MAX;
  if (x <= -2147483649.0L) return INT32_MIN;
  return static_cast<Integer>(x);
}

}  // namespace

Integer SolveForX(Integer Percent, Integer Total) {
  // Two separate roundings, as the results depend on them: the extended value
  // nearest 0.01 lies just below it, so 10 % of 10 comes out as 0.99999… → 0.
  const long double factor = 0.01L;
  const long double fraction = static_cast<long double>(Percent) * factor;
  const long double product = fraction * static_cast<long double>(Total);
  return TruncToInteger(product);
}

Integer SolveForY(Integer Value, Integer Total) {
  return SolveForY(int64_t{Value}, int64_t{Total});
}

Integer SolveForY(int64_t Value, int64_t Total) {
  if (Total == 0) return 0;
  return TruncToInteger(static_cast<long double>(Value) * 100.0L / static_cast<long double>(Total));
}

void RepairLoadedRange(Integer& Min, Integer& Max, Integer DefaultMin, Integer DefaultMax) {
  if (Min < Max) return;
  const Integer savedMin = Min;
  const Integer savedMax = Max;
  Min = DefaultMin;
  Max = DefaultMax;
  if (savedMax > Min) Max = savedMax;
  if (savedMin < Max) Min = savedMin;
}

}  // namespace kx
