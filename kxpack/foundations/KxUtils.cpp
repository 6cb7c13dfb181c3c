#include "kxpack/foundations/KxUtils.h"

#include <cstdint>
#include <limits>

#include "host/controls/Controls.h"
#include "host/graphics/Bitmap.h"
#include "host/graphics/Color.h"

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
  if (Total == 0) return 0;
  return TruncToInteger(static_cast<long double>(Value) * 100.0L / static_cast<long double>(Total));
}

Integer Color2RGB(TColor Color) {
  return Color < 0 ? static_cast<Integer>(host::GetSysColor(Color & 0xFF)) : Color;
}

void GetRGB(TColor Color, Byte& R, Byte& G, Byte& B) {
  const uint32_t v = static_cast<uint32_t>(Color2RGB(Color));
  R = v & 0xFF;
  G = (v >> 8) & 0xFF;
  B = (v >> 16) & 0xFF;
}

TRect BitmapRect(host::TBitmap* Bitmap) {
  return Bitmap ? TRect{0, 0, Bitmap->Width(), Bitmap->Height()} : TRect{};
}

void AllocateBitmaps(std::span<std::unique_ptr<host::TBitmap>> Bitmaps) {
  for (auto& bitmap : Bitmaps) bitmap = std::make_unique<host::TBitmap>();
}

void DeallocateBitmaps(std::span<std::unique_ptr<host::TBitmap>> Bitmaps) {
  for (auto& bitmap : Bitmaps) bitmap.reset();
}

host::TWinControl* GetOwnerControl(host::TComponent* Component) {
  host::TWinControl* outermost = nullptr;
  for (host::TComponent* owner = Component ? Component->Owner() : nullptr; owner;
       owner = owner->Owner()) {
    auto* windowed = host::As<host::TWinControl>(owner);
    if (!windowed) break;
    outermost = windowed;
  }
  return outermost;
}

}  // namespace kx
