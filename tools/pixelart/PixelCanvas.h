#pragma once
// Drawing for hand-made pixel art on a host::BitmapImage: rectangles, lines,
// discs and polygons that set whole pixels only (no anti-aliasing), so that
// artwork stays crisp and keeps exact key colours.
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <map>
#include <optional>
#include <vector>

#include "host/base/Types.h"
#include "host/graphics/BitmapImage.h"

namespace pixelart {

// A host colour ($00BBGGRR) as a pixel word (0x00RRGGBB).
constexpr uint32_t Px(host::TColor c) {
  return uint32_t(c & 0xFF) << 16 | uint32_t(c & 0xFF00) | (uint32_t(c) >> 16 & 0xFF);
}
constexpr uint32_t Rgb(int r, int g, int b) {
  return uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(b);
}

struct PointF {
  double x, y;
};

// Maps a character of a pixel map to a colour; characters not listed are left out.
using Legend = std::map<char, uint32_t>;

class PixelCanvas {
 public:
  explicit PixelCanvas(host::BitmapImage& image) : image_(image) {}

  host::BitmapImage& Image() { return image_; }
  int Width() const { return image_.Width; }
  int Height() const { return image_.Height; }

  // All drawing is clipped to the image.
  void Pixel(int x, int y, uint32_t c);
  uint32_t Get(int x, int y) const;
  void Fill(int x, int y, int w, int h, uint32_t c);
  void Frame(int x, int y, int w, int h, uint32_t c);
  // A one-pixel raised (light top-left, dark bottom-right) or sunken edge.
  void Bevel(int x, int y, int w, int h, uint32_t light, uint32_t dark);
  // Bresenham line including both end points.
  void Line(int x0, int y0, int x1, int y1, uint32_t c);
  // Pixels whose centre lies within radius r of (cx, cy).
  void Disc(double cx, double cy, double r, uint32_t c);
  // Pixels whose centre lies inside the polygon (even-odd rule).
  void Polygon(const std::vector<PointF>& points, uint32_t c);
  // Draws rows of characters with (x, y) as the top-left corner.
  void Map(int x, int y, std::initializer_list<const char*> rows, const Legend& legend);
  // Sets each pixel of the rectangle that shade(x, y) gives a colour for.
  void Shade(int x, int y, int w, int h,
             const std::function<std::optional<uint32_t>(int, int)>& shade);
  // Copies all of src with its top-left corner at (x, y).
  void Draw(int x, int y, const host::BitmapImage& src);
  // Replaces every pixel of colour from with to inside the rectangle.
  void Replace(int x, int y, int w, int h, uint32_t from, uint32_t to);

 private:
  host::BitmapImage& image_;
};

}  // namespace pixelart
