#pragma once
// A 3 × 5 pixel font (digits, capitals, a few signs) for labels too small or
// too early for the framework's text rendering.
#include <cstdint>
#include <string_view>

#include "tools/pixelart/PixelCanvas.h"

namespace pixelart {

constexpr int kFontHeight = 5;
constexpr int kFontAdvance = 4;  // 3 pixels of glyph, 1 of space

// Width in pixels of text at the given scale (without the last space).
int TextWidth(std::string_view text, int scale = 1);
// Draws text with its top-left corner at (x, y); lower-case letters show as
// capitals, except "x", which keeps its small form (as in "13x24").
void DrawText(PixelCanvas& canvas, int x, int y, std::string_view text, uint32_t colour,
              int scale = 1);

}  // namespace pixelart
