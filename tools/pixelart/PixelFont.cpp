#include "tools/pixelart/PixelFont.h"

#include <array>

namespace pixelart {

namespace {

// Each glyph is five rows of three bits, the leftmost pixel in bit 2.
struct Glyph {
  char ch;
  std::array<uint8_t, 5> rows;
};

constexpr Glyph kGlyphs[] = {
    {'0', {7, 5, 5, 5, 7}}, {'1', {2, 6, 2, 2, 7}}, {'2', {7, 1, 7, 4, 7}}, {'3', {7, 1, 3, 1, 7}},
    {'4', {5, 5, 7, 1, 1}}, {'5', {7, 4, 7, 1, 7}}, {'6', {7, 4, 7, 5, 7}}, {'7', {7, 1, 2, 2, 2}},
    {'8', {7, 5, 7, 5, 7}}, {'9', {7, 5, 7, 1, 7}}, {'A', {2, 5, 7, 5, 5}}, {'B', {6, 5, 6, 5, 6}},
    {'C', {3, 4, 4, 4, 3}}, {'D', {6, 5, 5, 5, 6}}, {'E', {7, 4, 6, 4, 7}}, {'F', {7, 4, 6, 4, 4}},
    {'G', {3, 4, 5, 5, 3}}, {'H', {5, 5, 7, 5, 5}}, {'I', {7, 2, 2, 2, 7}}, {'J', {1, 1, 1, 5, 2}},
    {'K', {5, 5, 6, 5, 5}}, {'L', {4, 4, 4, 4, 7}}, {'M', {5, 7, 7, 5, 5}}, {'N', {6, 5, 5, 5, 5}},
    {'O', {2, 5, 5, 5, 2}}, {'P', {6, 5, 6, 4, 4}}, {'Q', {2, 5, 5, 6, 3}}, {'R', {6, 5, 6, 5, 5}},
    {'S', {3, 4, 2, 1, 6}}, {'T', {7, 2, 2, 2, 2}}, {'U', {5, 5, 5, 5, 7}}, {'V', {5, 5, 5, 5, 2}},
    {'W', {5, 5, 7, 7, 5}}, {'X', {5, 5, 2, 5, 5}}, {'Y', {5, 5, 2, 2, 2}}, {'Z', {7, 1, 2, 4, 7}},
    {'x', {0, 5, 2, 5, 0}}, {'_', {0, 0, 0, 0, 7}}, {'-', {0, 0, 7, 0, 0}}, {':', {0, 2, 0, 2, 0}},
    {'.', {0, 0, 0, 0, 2}}, {'/', {1, 1, 2, 4, 4}}, {'(', {1, 2, 2, 2, 1}}, {')', {4, 2, 2, 2, 4}},
    {'+', {0, 2, 7, 2, 0}}, {'=', {0, 7, 0, 7, 0}}, {'$', {3, 6, 2, 3, 6}}, {'#', {5, 7, 5, 7, 5}},
};

const Glyph* Find(char c) {
  if (c >= 'a' && c <= 'z' && c != 'x') c = char(c - 'a' + 'A');
  for (const Glyph& g : kGlyphs)
    if (g.ch == c) return &g;
  return nullptr;  // a space, or a sign the font lacks
}

}  // namespace

int TextWidth(std::string_view text, int scale) {
  return text.empty() ? 0 : (int(text.size()) * kFontAdvance - 1) * scale;
}

void DrawText(PixelCanvas& canvas, int x, int y, std::string_view text, uint32_t colour,
              int scale) {
  for (char c : text) {
    if (const Glyph* g = Find(c))
      for (int row = 0; row < kFontHeight; ++row)
        for (int col = 0; col < 3; ++col)
          if (g->rows[row] >> (2 - col) & 1)
            canvas.Fill(x + col * scale, y + row * scale, scale, scale, colour);
    x += kFontAdvance * scale;
  }
}

}  // namespace pixelart
