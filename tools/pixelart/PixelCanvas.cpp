#include "tools/pixelart/PixelCanvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace pixelart {

void PixelCanvas::Pixel(int x, int y, uint32_t c) {
  if (x >= 0 && y >= 0 && x < image_.Width && y < image_.Height) image_.At(x, y) = c;
}

uint32_t PixelCanvas::Get(int x, int y) const {
  return (x >= 0 && y >= 0 && x < image_.Width && y < image_.Height) ? image_.At(x, y) : 0;
}

void PixelCanvas::Fill(int x, int y, int w, int h, uint32_t c) {
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i) Pixel(i, j, c);
}

void PixelCanvas::Frame(int x, int y, int w, int h, uint32_t c) { Bevel(x, y, w, h, c, c); }

void PixelCanvas::Bevel(int x, int y, int w, int h, uint32_t light, uint32_t dark) {
  if (w <= 0 || h <= 0) return;
  Fill(x, y, w, 1, light);
  Fill(x, y, 1, h, light);
  Fill(x, y + h - 1, w, 1, dark);
  Fill(x + w - 1, y, 1, h, dark);
}

void PixelCanvas::Line(int x0, int y0, int x1, int y1, uint32_t c) {
  const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
  const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
  int err = dx + dy;
  for (;;) {
    Pixel(x0, y0, c);
    if (x0 == x1 && y0 == y1) break;
    const int e2 = 2 * err;
    if (e2 >= dy) err += dy, x0 += sx;
    if (e2 <= dx) err += dx, y0 += sy;
  }
}

void PixelCanvas::Disc(double cx, double cy, double r, uint32_t c) {
  Shade(int(std::floor(cx - r)), int(std::floor(cy - r)), int(2 * r) + 2, int(2 * r) + 2,
        [&](int x, int y) -> std::optional<uint32_t> {
          const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
          if (dx * dx + dy * dy <= r * r) return c;
          return std::nullopt;
        });
}

void PixelCanvas::Polygon(const std::vector<PointF>& p, uint32_t c) {
  double top = 1e9, bottom = -1e9;
  for (const PointF& q : p) top = std::min(top, q.y), bottom = std::max(bottom, q.y);
  for (int y = std::max(0, int(std::floor(top)));
       y < std::min(Height(), int(std::ceil(bottom)) + 1); ++y) {
    const double sy = y + 0.5;
    std::vector<double> xs;
    for (size_t i = 0; i < p.size(); ++i) {
      const PointF a = p[i], b = p[(i + 1) % p.size()];
      if ((a.y <= sy) != (b.y <= sy)) xs.push_back(a.x + (sy - a.y) / (b.y - a.y) * (b.x - a.x));
    }
    std::sort(xs.begin(), xs.end());
    for (size_t i = 0; i + 1 < xs.size(); i += 2)
      for (int x = int(std::ceil(xs[i] - 0.5)); x + 0.5 <= xs[i + 1]; ++x) Pixel(x, y, c);
  }
}

void PixelCanvas::Map(int x, int y, std::initializer_list<const char*> rows, const Legend& legend) {
  int j = y;
  for (const char* row : rows) {
    for (int i = 0; row[i]; ++i) {
      const auto it = legend.find(row[i]);
      if (it != legend.end()) Pixel(x + i, j, it->second);
    }
    ++j;
  }
}

void PixelCanvas::Shade(int x, int y, int w, int h,
                        const std::function<std::optional<uint32_t>(int, int)>& shade) {
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i)
      if (const auto c = shade(i, j)) Pixel(i, j, *c);
}

void PixelCanvas::Draw(int x, int y, const host::BitmapImage& src) {
  for (int j = 0; j < src.Height; ++j)
    for (int i = 0; i < src.Width; ++i) Pixel(x + i, y + j, src.At(i, j));
}

void PixelCanvas::Replace(int x, int y, int w, int h, uint32_t from, uint32_t to) {
  Shade(x, y, w, h, [&](int i, int j) -> std::optional<uint32_t> {
    if (Get(i, j) == from) return to;
    return std::nullopt;
  });
}

}  // namespace pixelart
