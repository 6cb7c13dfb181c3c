#pragma once
// Helpers for text tests: faces by name and size, and where text left ink.
#include <string>

#include "host/graphics/BitmapImage.h"
#include "host/graphics/FontEngine.h"

namespace text_test {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlack = 0x000000;

inline const host::FontFace& Face(const std::string& name = "MS Sans Serif", int height = -11,
                                  host::TFontStyles style = {}) {
  host::TFont font;
  font.SetName(name);
  font.SetHeight(height);
  font.SetStyle(style);
  return host::ResolveFont(font);
}

// The smallest rectangle holding every pixel that differs from background;
// empty when there is none.
inline host::TRect InkBounds(const host::BitmapImage& image, uint32_t background = kWhite) {
  host::TRect box{image.Width, image.Height, 0, 0};
  for (int y = 0; y < image.Height; ++y)
    for (int x = 0; x < image.Width; ++x)
      if (image.At(x, y) != background) {
        box.Left = std::min(box.Left, x);
        box.Top = std::min(box.Top, y);
        box.Right = std::max(box.Right, x + 1);
        box.Bottom = std::max(box.Bottom, y + 1);
      }
  return box.IsEmpty() ? host::TRect{} : box;
}

// Total darkness of black-on-white text: the sum of 255 − blue over all pixels.
inline long Ink(const host::BitmapImage& image) {
  long sum = 0;
  for (uint32_t p : image.Pixels) sum += 255 - (p & 0xFF);
  return sum;
}

inline host::BitmapImage Rendered(const host::FontFace& face, const std::string& text,
                                  int width = 200, int height = 40, int x = 4, int y = 4) {
  host::BitmapImage image(width, height, kWhite);
  host::RenderText(image, x, y, face, text, kBlack);
  return image;
}

}  // namespace text_test
