#pragma once
// DrawText's layout, independent of device contexts: where each line of a
// text goes inside a rectangle for a set of DT_ flags, and the rectangle
// DT_CALCRECT reports. The DC-level DrawText lays out with this and draws the
// result with RenderTextLayout.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "host/base/Types.h"
#include "host/graphics/BitmapImage.h"
#include "host/graphics/FontEngine.h"

namespace host {

// DrawText format flags (the Win32 values).
inline constexpr uint32_t DT_TOP = 0x00000000;
inline constexpr uint32_t DT_LEFT = 0x00000000;
inline constexpr uint32_t DT_CENTER = 0x00000001;
inline constexpr uint32_t DT_RIGHT = 0x00000002;
inline constexpr uint32_t DT_VCENTER = 0x00000004;
inline constexpr uint32_t DT_BOTTOM = 0x00000008;
inline constexpr uint32_t DT_WORDBREAK = 0x00000010;
inline constexpr uint32_t DT_SINGLELINE = 0x00000020;
inline constexpr uint32_t DT_EXPANDTABS = 0x00000040;
inline constexpr uint32_t DT_NOCLIP = 0x00000100;
inline constexpr uint32_t DT_EXTERNALLEADING = 0x00000200;
inline constexpr uint32_t DT_CALCRECT = 0x00000400;
inline constexpr uint32_t DT_NOPREFIX = 0x00000800;
inline constexpr uint32_t DT_END_ELLIPSIS = 0x00008000;

struct TextLine {
  std::string Text;  // as drawn: '&' prefixes resolved, ellipsis applied
  TRect Cell;        // the line's text cell: advance width × line height
  // Horizontal ranges [first, second) to underline: the '&'-prefixed characters.
  std::vector<std::pair<int, int>> Underlines;
};

struct TextLayout {
  std::vector<TextLine> Lines;
  int LineHeight = 0;
  // The rectangle given; with DT_CALCRECT its Right and Bottom are moved to
  // bound the text.
  TRect Rect;
  // What DrawText returns: from Rect.Top to the bottom of the last line.
  int Height = 0;
  bool ClipToRect = true;  // false under DT_NOCLIP
  bool Draws = true;       // false under DT_CALCRECT
};

// Lays out UTF-8 text in rect. Lines break at "\n", "\r\n" and "\r" unless
// DT_SINGLELINE, and also between words that would overflow the rectangle
// under DT_WORDBREAK; a line end closing the text opens no new line, and
// empty text has no lines (it measures 0 × 0). DT_VCENTER and DT_BOTTOM apply
// only with DT_SINGLELINE. Unless DT_NOPREFIX, '&' is removed and marks the
// next character for underlining; "&&" gives "&".
TextLayout LayoutText(const FontFace& face, std::string_view utf8, const TRect& rect,
                      uint32_t flags);

// Draws a layout's lines and prefix underlines in rgb (0x00RRGGBB), clipped to
// the clip rectangles (surface coordinates, disjoint) and, unless DT_NOCLIP,
// to the layout's rectangle. Draws nothing for a DT_CALCRECT layout.
void RenderTextLayout(BitmapImage& surface, std::span<const TRect> clip, const TextLayout& layout,
                      const FontFace& face, uint32_t rgb);

}  // namespace host
