#pragma once
// Colours: the system-colour table behind the clXxx system colours and the
// conversions between TColor ($00BBGGRR) and pixel words (0x00RRGGBB). The
// constants and their names are in host/base/ColorNames.h.
#include <cstdint>

#include "host/base/ColorNames.h"
#include "host/base/Types.h"

namespace host {

using COLORREF = uint32_t;  // $00BBGGRR, as Win32 passes colours

// The RGB value ($00BBGGRR) of system colour `index` from the classic colour
// scheme; 0 for an index outside the table.
COLORREF GetSysColor(int index);

// A system colour resolved to its RGB value; any other colour unchanged.
inline TColor ColorToRGB(TColor color) {
  return color < 0 ? static_cast<TColor>(GetSysColor(color & 0xFF)) : color;
}

constexpr COLORREF RGB(uint8_t r, uint8_t g, uint8_t b) {
  return static_cast<COLORREF>(r) | (static_cast<COLORREF>(g) << 8) |
         (static_cast<COLORREF>(b) << 16);
}
constexpr uint8_t GetRValue(COLORREF c) { return c & 0xFF; }
constexpr uint8_t GetGValue(COLORREF c) { return (c >> 8) & 0xFF; }
constexpr uint8_t GetBValue(COLORREF c) { return (c >> 16) & 0xFF; }

// $00BBGGRR ↔ 0x00RRGGBB: the same swap of the red and blue bytes both ways.
constexpr uint32_t SwapRedBlue(uint32_t v) {
  return ((v & 0xFF) << 16) | (v & 0xFF00) | ((v >> 16) & 0xFF);
}
// The pixel word of a colour (system colours resolved; flag bits dropped).
inline uint32_t ColorToPixel(TColor color) {
  return SwapRedBlue(static_cast<uint32_t>(ColorToRGB(color)));
}
constexpr TColor PixelToColor(uint32_t pixel) { return static_cast<TColor>(SwapRedBlue(pixel)); }

}  // namespace host
