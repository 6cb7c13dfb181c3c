#include "kxpack/foundations/KxColorUtils.h"

#include <cstdint>

#include "host/graphics/Color.h"

namespace kx {

Integer Color2RGB(TColor Color) {
  return Color < 0 ? static_cast<Integer>(host::GetSysColor(Color & 0xFF)) : Color;
}

void GetRGB(TColor Color, Byte& R, Byte& G, Byte& B) {
  const uint32_t v = static_cast<uint32_t>(Color2RGB(Color));
  R = v & 0xFF;
  G = (v >> 8) & 0xFF;
  B = (v >> 16) & 0xFF;
}

}  // namespace kx
