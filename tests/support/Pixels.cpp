#include "tests/support/Pixels.h"

#include "host/graphics/Canvas.h"
#include "host/graphics/Color.h"

namespace host::testing {

std::unique_ptr<TBitmap> FilledBitmap(int w, int h, TColor color) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetSize(w, h);
  bitmap->Canvas()->Brush()->SetColor(color);
  bitmap->Canvas()->FillRect({0, 0, w, h});
  return bitmap;
}

std::vector<std::string> AsciiRows(const BitmapImage& image, Legend legend, char other) {
  std::vector<std::string> rows;
  for (int y = 0; y < image.Height; ++y) {
    std::string row(image.Width, other);
    for (int x = 0; x < image.Width; ++x)
      for (const auto& [color, ch] : legend)
        if (image.At(x, y) == ColorToPixel(color)) row[x] = ch;
    rows.push_back(std::move(row));
  }
  return rows;
}

}  // namespace host::testing
