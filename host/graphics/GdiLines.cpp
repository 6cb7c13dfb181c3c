// Lines, polylines and rectangles with the DC's pen.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "host/graphics/Gdi.h"
#include "host/graphics/GdiSurface.h"
#include "host/graphics/PixelOps.h"

namespace host {

namespace {

// Whether the pixel at `phase` along a one-pixel line of this style is drawn:
// the style's runs of on and off pixels, repeated.
bool StyleOn(TPenStyle style, int phase) {
  auto inRuns = [phase](std::initializer_list<int> runs) {
    int period = 0;
    for (int r : runs) period += r;
    int at = phase % period;
    bool on = true;
    for (int r : runs) {
      if (at < r) return on;
      at -= r;
      on = !on;
    }
    return on;
  };
  switch (style) {
    case psDash:
      return inRuns({18, 6});
    case psDot:
      return phase % 2 == 0;
    case psDashDot:
      return inRuns({9, 6, 3, 6});
    case psDashDotDot:
      return inRuns({9, 3, 3, 3, 3, 3});
    default:
      return true;
  }
}

// Every style's pattern repeats within this many pixels.
constexpr int kStylePeriod = 24;

int64_t FloorDiv(__int128 a, int64_t b) {
  __int128 q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
  return static_cast<int64_t>(q);
}

// Narrows the steps [first, last] of a line to those at which the coordinate
// c0 + f(i) (or c0 - f(i) for a negative delta d), with f(i) within one of
// i·|d|/steps, can lie in [lo, hi]. Lines far outside the surface then cost nothing.
void NarrowSteps(int64_t c0, int64_t d, int64_t steps, int64_t lo, int64_t hi, int64_t& first,
                 int64_t& last) {
  const int64_t ad = d < 0 ? -d : d;
  const int64_t fLo = d < 0 ? c0 - hi : lo - c0;
  const int64_t fHi = d < 0 ? c0 - lo : hi - c0;
  if (ad == 0) {
    if (fLo > 0 || fHi < 0) last = first - 1;
    return;
  }
  first = std::max(first, FloorDiv(static_cast<__int128>(fLo - 1) * steps, ad));
  last = std::min(last, FloorDiv(static_cast<__int128>(fHi + 1) * steps, ad) + 1);
}

// Draws the DC's pen in surface coordinates.
class PenPainter {
 public:
  explicit PenPainter(DeviceContext& dc)
      : dc_(dc),
        color_(gdi::SurfacePixel(dc, static_cast<COLORREF>(ColorToRGB(dc.Pen.Color)))),
        width_(dc.Pen.Width) {}

  bool Visible() const { return dc_.Surface && dc_.Pen.Style != psClear && dc_.Rop2 != R2_NOP; }

  // A line from a to b. A one-pixel pen leaves b out and follows its style
  // pattern; a wider pen is solid with round ends and covers both ends.
  void Line(TPoint a, TPoint b) {
    if (!Visible()) return;
    if (width_ > 1) return WideLine(a, b);
    const bool solid = dc_.Pen.Style == psSolid || dc_.Pen.Style == psInsideFrame;
    if (solid && (a.X == b.X || a.Y == b.Y)) return StraightLine(a, b);
    const int64_t dx = int64_t{b.X} - a.X, dy = int64_t{b.Y} - a.Y;
    const int64_t adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
    const int sx = dx < 0 ? -1 : 1, sy = dy < 0 ? -1 : 1;
    const bool xMajor = adx >= ady;
    const int64_t major = xMajor ? adx : ady, minor = xMajor ? ady : adx;
    int64_t first = 0, last = major - 1;
    NarrowSteps(a.X, dx, major, 0, dc_.Surface->Width - 1, first, last);
    NarrowSteps(a.Y, dy, major, 0, dc_.Surface->Height - 1, first, last);
    const int phase = dc_.PenStylePhase;
    for (int64_t i = first; i <= last; ++i) {
      // The minor axis rounds to nearest, halves toward the start.
      const auto k =
          static_cast<int64_t>((static_cast<__int128>(2 * i) * minor + major - 1) / (2 * major));
      const int64_t x = a.X + sx * (xMajor ? i : k);
      const int64_t y = a.Y + sy * (xMajor ? k : i);
      if (StyleOn(dc_.Pen.Style, static_cast<int>((phase + i) % kStylePeriod)))
        Pixel(static_cast<int>(x), static_cast<int>(y));
    }
    dc_.PenStylePhase = static_cast<int>((phase + major) % kStylePeriod);
  }

 private:
  void Pixel(int x, int y) {
    if (!gdi::InClip(dc_, x, y)) return;
    uint32_t& p = dc_.Surface->At(x, y);
    if (dc_.Rop2 == R2_COPYPEN)
      p = color_;
    else
      pixels::Rop2Row(&p, color_, 1, dc_.Rop2);
  }

  void Span(const TRect& area) {
    BitmapImage& s = *dc_.Surface;
    gdi::ForEachClipPart(dc_, area, [&](const TRect& r) {
      if (dc_.Rop2 == R2_COPYPEN) {
        pixels::Fill(s.Row(r.Top) + r.Left, s.Width, r.Width(), r.Height(), color_);
        return;
      }
      for (int y = r.Top; y < r.Bottom; ++y)
        pixels::Rop2Row(s.Row(y) + r.Left, color_, r.Width(), dc_.Rop2);
    });
  }

  // Horizontal or vertical, without its last point.
  void StraightLine(TPoint a, TPoint b) {
    TRect area;
    if (a.Y == b.Y)
      area = a.X <= b.X ? TRect{a.X, a.Y, b.X, a.Y + 1} : TRect{b.X + 1, a.Y, a.X + 1, a.Y + 1};
    else
      area = a.Y <= b.Y ? TRect{a.X, a.Y, a.X + 1, b.Y} : TRect{a.X, b.Y + 1, a.X + 1, a.Y + 1};
    const int64_t length = std::abs(int64_t{b.X} - a.X) + std::abs(int64_t{b.Y} - a.Y);
    dc_.PenStylePhase = static_cast<int>((dc_.PenStylePhase + length) % kStylePeriod);
    Span(area);
  }

  // A disc of the pen's width at every point of the line, ends included.
  void WideLine(TPoint a, TPoint b) {
    const int w = width_;
    const int lo = -(w - 1) / 2;
    const double centre = lo + (w - 1) / 2.0, radius2 = double(w) * w / 4.0;
    const int64_t dx = int64_t{b.X} - a.X, dy = int64_t{b.Y} - a.Y;
    const int64_t steps = std::max(std::abs(dx), std::abs(dy));
    const int64_t surfaceW = dc_.Surface->Width, surfaceH = dc_.Surface->Height;
    int64_t first = 0, last = steps;
    if (steps > 0) {
      NarrowSteps(a.X, dx, steps, -w - 1, surfaceW + w, first, last);
      NarrowSteps(a.Y, dy, steps, -w - 1, surfaceH + w, first, last);
    }
    for (int64_t i = first; i <= last; ++i) {
      const int64_t x = a.X + (steps ? std::llround(double(dx) * i / steps) : 0);
      const int64_t y = a.Y + (steps ? std::llround(double(dy) * i / steps) : 0);
      // Only the stamp rows that fall on the surface.
      const int64_t rowFirst = std::max<int64_t>(lo, -y),
                    rowEnd = std::min<int64_t>(lo + w, surfaceH - y);
      for (int64_t oy = rowFirst; oy < rowEnd; ++oy) {
        const double ry = oy - centre;
        const double half = std::sqrt(std::max(0.0, radius2 - ry * ry));
        const int64_t x0 = x + static_cast<int64_t>(std::ceil(centre - half - 1e-9));
        const int64_t x1 = x + static_cast<int64_t>(std::floor(centre + half + 1e-9)) + 1;
        if (x0 >= x1 || x1 <= 0 || x0 >= surfaceW) continue;
        Span({static_cast<int32_t>(std::max<int64_t>(x0, 0)), static_cast<int32_t>(y + oy),
              static_cast<int32_t>(std::min(x1, surfaceW)), static_cast<int32_t>(y + oy + 1)});
      }
    }
  }

  DeviceContext& dc_;
  uint32_t color_;
  int width_;
};

TPoint ToSurface(const DeviceContext& dc, int x, int y) {
  return {x + dc.Origin.X, y + dc.Origin.Y};
}

}  // namespace

bool MoveToEx(HDC hdc, int x, int y, TPoint* previous) {
  if (!hdc) return false;
  if (previous) *previous = hdc->Position;
  hdc->Position = {x, y};
  hdc->PenStylePhase = 0;
  return true;
}

bool LineTo(HDC hdc, int x, int y) {
  if (!hdc) return false;
  PenPainter(*hdc).Line(ToSurface(*hdc, hdc->Position.X, hdc->Position.Y), ToSurface(*hdc, x, y));
  hdc->Position = {x, y};
  return true;
}

bool Polyline(HDC hdc, const TPoint* points, int count) {
  if (!hdc || count < 2) return false;
  PenPainter pen(*hdc);
  hdc->PenStylePhase = 0;
  for (int i = 1; i < count; ++i)
    pen.Line(ToSurface(*hdc, points[i - 1].X, points[i - 1].Y),
             ToSurface(*hdc, points[i].X, points[i].Y));
  return true;
}

bool Rectangle(HDC hdc, int left, int top, int right, int bottom) {
  if (!hdc) return false;
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  const bool framed = hdc->Pen.Style != psClear;
  // The brush covers up to the frame's right and bottom pixels (which the frame
  // paints over), so without a pen the rectangle is one pixel smaller.
  FillRect(hdc, {left, top, right - 1, bottom - 1}, &hdc->Brush);
  if (!framed || right - left < 1 || bottom - top < 1) return true;
  const TPoint ring[] = {
      {left, top}, {right - 1, top}, {right - 1, bottom - 1}, {left, bottom - 1}, {left, top}};
  if (right - left == 1 || bottom - top == 1) {  // a one-pixel-thin frame: a single line
    PenPainter pen(*hdc);
    hdc->PenStylePhase = 0;
    const TPoint a = ToSurface(*hdc, left, top), b = ToSurface(*hdc, right - 1, bottom - 1);
    pen.Line(a, {b.X + (a.Y == b.Y ? 1 : 0), b.Y + (a.Y == b.Y ? 0 : 1)});
    return true;
  }
  return Polyline(hdc, ring, 5);
}

}  // namespace host
