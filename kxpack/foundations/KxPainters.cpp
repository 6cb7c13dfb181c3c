#include "kxpack/foundations/KxPainters.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "host/graphics/Bitmap.h"
#include "host/graphics/Canvas.h"
#include "host/graphics/TextLayout.h"
#include "kxpack/foundations/KxColorUtils.h"
#include "kxpack/foundations/KxIntUtils.h"
#include "kxpack/foundations/KxRectShrink.h"

namespace kx {

using host::TCanvas;

namespace {

int32_t Clamp32(int64_t v) {
  return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

host::TPoint Pt(int64_t x, int64_t y) { return {Clamp32(x), Clamp32(y)}; }

// A closed range of ring numbers.
struct Span {
  int64_t first, last;
};

// The rings (0 .. width − 1, ring k on the rectangle l0 + k, t0 + k, r0 − k,
// b0 − k, right and bottom inclusive) that can touch the clip box: every pixel
// of a ring lies on its left, top, right or bottom line, so a ring none of
// whose lines crosses the box paints nothing there. Sorted by first ring.
std::array<Span, 4> RingsNear(const TRect& clip, int64_t l0, int64_t t0, int64_t r0, int64_t b0,
                              int64_t width) {
  std::array<Span, 4> spans = {{
      {clip.Left - l0, clip.Right - 1 - l0},    // left line x = l0 + k
      {clip.Top - t0, clip.Bottom - 1 - t0},    // top line y = t0 + k
      {r0 - (clip.Right - 1), r0 - clip.Left},  // right line x = r0 − k
      {b0 - (clip.Bottom - 1), b0 - clip.Top},  // bottom line y = b0 − k
  }};
  for (Span& s : spans) {
    s.first = std::max<int64_t>(s.first, 0);
    s.last = std::min<int64_t>(s.last, width - 1);
  }
  std::sort(spans.begin(), spans.end(),
            [](const Span& a, const Span& b) { return a.first < b.first; });
  return spans;
}

// Draws Width rings inward from Rect and leaves Rect as the area inside them.
// The bottom line of each ring ends at Left + bottomEnd, a point a polyline
// does not paint: −1 paints the bottom-left corner in BottomColor, 0 leaves
// it in TopColor. Rings that cannot reach the canvas's clip box are skipped
// (they would paint nothing), so huge widths cost no time.
void DrawRings(TCanvas* Canvas, TRect& Rect, TColor TopColor, TColor BottomColor, Integer Width,
               int bottomEnd) {
  Canvas->Pen()->SetWidth(1);
  if (Width <= 0) return;
  const int64_t l0 = Rect.Left, t0 = Rect.Top, r0 = int64_t{Rect.Right} - 1,
                b0 = int64_t{Rect.Bottom} - 1;
  int64_t next = 0;  // rings before this one are done
  for (const Span& s : RingsNear(Canvas->ClipRect(), l0, t0, r0, b0, Width)) {
    for (int64_t k = std::max(s.first, next); k <= s.last; ++k) {
      const int64_t l = l0 + k, t = t0 + k, r = r0 - k, b = b0 - k;
      const host::TPoint topLeft[] = {Pt(l, b), Pt(l, t), Pt(r, t)};
      const host::TPoint bottomRight[] = {Pt(r, t), Pt(r, b), Pt(l + bottomEnd, b)};
      Canvas->Pen()->SetColor(TopColor);
      Canvas->Polyline(topLeft);
      Canvas->Pen()->SetColor(BottomColor);
      Canvas->Polyline(bottomRight);
    }
    next = std::max(next, s.last + 1);
  }
  ShrinkRectSaturated(Rect, Width);
}

// Left-to-right bands are full-height columns, so every visible line of them
// is the same: build one visible line and copy it down. The pixels are those of
// one fill per band, without walking the surface a column at a time. Returns
// false, leaving the drawing to the band fills, on a monochrome canvas.
// The step colours of a gradient: each channel is from + (to − from) × i div d,
// the division truncating toward zero (so a falling channel rounds toward the
// start), for i = first, first + step, … Advanced by adding quotient and
// remainder, so a run of narrow bands costs no division per band.
class GradientSteps {
 public:
  GradientSteps(TColor start, TColor end, int64_t d, int64_t step, int64_t first) {
    Byte from[3], to[3];
    GetRGB(start, from[0], from[1], from[2]);
    GetRGB(end, to[0], to[1], to[2]);
    for (int c = 0; c < 3; ++c) channels_[c] = Channel(from[c], to[c], d, step, first);
  }
  TColor Color() const {
    return static_cast<TColor>(channels_[0].Value() | channels_[1].Value() << 8 |
                               channels_[2].Value() << 16);
  }
  void Next() {
    for (Channel& c : channels_) c.Next();
  }

 private:
  class Channel {
   public:
    Channel() = default;
    Channel(int64_t from, int64_t to, int64_t d, int64_t step, int64_t first)
        : from_(from), sign_(to >= from ? 1 : -1), d_(d) {
      const int64_t span = (to - from) * sign_;  // 0..255
      q_ = span * first / d;
      r_ = span * first % d;
      dq_ = span * step / d;
      dr_ = span * step % d;
    }
    int64_t Value() const { return from_ + sign_ * q_; }
    void Next() {
      q_ += dq_;
      r_ += dr_;
      if (r_ >= d_) {
        ++q_;
        r_ -= d_;
      }
    }

   private:
    int64_t from_ = 0, sign_ = 1, d_ = 1, q_ = 0, r_ = 0, dq_ = 0, dr_ = 0;
  };
  Channel channels_[3];
};

// Left-to-right bands are full-height columns, so every visible line of them
// is the same: build one visible line and copy it down. The pixels are those of
// one fill per band, without walking the surface a column at a time. Returns
// false, leaving the drawing to the band fills, on a monochrome canvas.
bool DrawColumnBands(TCanvas* Canvas, const TRect& Rect, TColor StartColor, TColor EndColor,
                     int64_t h, int64_t d, Integer ColorWidth) {
  const host::HDC dc = Canvas->Handle();
  const host::HBITMAP surface = host::GetCurrentBitmap(dc);
  if (!surface || surface->PixelFormat == host::pf1bit) return false;
  const int64_t bandsRight = Rect.Left + d / ColorWidth * ColorWidth + ColorWidth;
  const TRect clip = Canvas->ClipRect();
  const int64_t left = std::max<int64_t>(Rect.Left, clip.Left);
  const int64_t right = std::min<int64_t>(bandsRight, clip.Right);
  const int64_t top = std::max<int64_t>(Rect.Top, clip.Top);
  const int64_t bottom = std::min<int64_t>(Rect.Top + h, clip.Bottom);
  if (left >= right || top >= bottom) return true;

  host::BitmapImage line(Clamp32(right - left), 1);
  uint32_t* pixel = line.Row(0);
  const int64_t firstBand = (left - Rect.Left) / ColorWidth * ColorWidth;
  GradientSteps steps(StartColor, EndColor, d, ColorWidth, firstBand);
  for (int64_t bandLeft = Rect.Left + firstBand; bandLeft < right;
       bandLeft += ColorWidth, steps.Next()) {
    const int64_t from = std::max(bandLeft, left), to = std::min(bandLeft + ColorWidth, right);
    std::fill(pixel + (from - left), pixel + (to - left), host::ColorToPixel(steps.Color()));
  }
  const host::HDC lineDC = host::CreateSurfaceDC(&line, {0, 0}, nullptr);
  host::StretchBlt(dc, Clamp32(left), Clamp32(top), line.Width, Clamp32(bottom - top), lineDC, 0, 0,
                   line.Width, 1, host::SRCCOPY);
  host::DeleteDC(lineDC);
  return true;
}

}  // namespace

void DrawGradientExt(TCanvas* Canvas, const TRect& Rect, TColor StartColor, TColor EndColor,
                     TKxGradDirection Direction, Integer ColorWidth) {
  if (ColorWidth < 1) return;  // the steps would not advance
  const int64_t w = WidthOf(Rect), h = HeightOf(Rect);
  const int64_t d = Direction == tgdUpDown ? h : Direction == tgdLeftRight ? w : w + h;
  if (d <= 0) return;  // no step colours along an empty axis

  if (Direction == tgdLeftRight &&
      DrawColumnBands(Canvas, Rect, StartColor, EndColor, h, d, ColorWidth))
    return;
  const bool chord = Direction == tgdChord1 || Direction == tgdChord2;
  if (chord) Canvas->Pen()->SetWidth(ColorWidth);
  GradientSteps steps(StartColor, EndColor, d, ColorWidth, 0);
  for (int64_t i = 0; i <= d; i += ColorWidth, steps.Next()) {
    const TColor color = steps.Color();
    if (chord) {
      Canvas->Pen()->SetColor(color);
      const host::HDC dc = Canvas->Handle();
      const host::TPoint from = Direction == tgdChord1 ? Pt(i, 0) : Pt(0, h - i);
      const host::TPoint to = Direction == tgdChord1 ? Pt(-1, i) : Pt(i, h);
      host::MoveToEx(dc, from.X, from.Y, nullptr);
      host::LineTo(dc, to.X, to.Y);
      continue;
    }
    // Bands are ColorWidth thick and not cut at the far edge.
    const TRect band = Direction == tgdUpDown
                           ? TRect{Rect.Left, Clamp32(Rect.Top + i), Clamp32(Rect.Left + w),
                                   Clamp32(Rect.Top + i + ColorWidth)}
                           : TRect{Clamp32(Rect.Left + i), Rect.Top,
                                   Clamp32(Rect.Left + i + ColorWidth), Clamp32(Rect.Top + h)};
    Canvas->Brush()->SetColor(color);
    host::FillRect(Canvas->Handle(), band, Canvas->Brush()->Handle());
  }
}

void DrawFrame3D(TCanvas* Canvas, TRect& Rect, TColor TopColor, TColor BottomColor, Integer Width) {
  DrawRings(Canvas, Rect, TopColor, BottomColor, Width, -1);
}

void DrawOutline3D(TCanvas* Canvas, TRect& Rect, TColor TopColor, TColor BottomColor,
                   Integer Width) {
  DrawRings(Canvas, Rect, TopColor, BottomColor, Width, 0);
}

void DrawTiledBitmap(TCanvas* Canvas, const TRect& Rect, host::TBitmap* Bitmap) {
  if (!Bitmap || Bitmap->Empty()) return;
  const int64_t w = Bitmap->Width(), h = Bitmap->Height();
  // Copies opaquely: the caller paints no other background under the tiles.
  // Only the tiles that reach the clip box are copied.
  const TRect clip = Canvas->ClipRect();
  auto firstTile = [](int64_t origin, int64_t clipStart, int64_t step) {
    return clipStart <= origin ? origin : origin + (clipStart - origin) / step * step;
  };
  const int64_t right = std::min<int64_t>(Rect.Right, clip.Right);
  const int64_t bottom = std::min<int64_t>(Rect.Bottom, clip.Bottom);
  const host::HDC dst = Canvas->Handle();
  const host::HDC src = Bitmap->Canvas()->Handle();
  for (int64_t x = firstTile(Rect.Left, clip.Left, w); x < right; x += w) {
    for (int64_t y = firstTile(Rect.Top, clip.Top, h); y < bottom; y += h) {
      host::BitBlt(dst, Clamp32(x), Clamp32(y), Clamp32(std::min(w, Rect.Right - x)),
                   Clamp32(std::min(h, Rect.Bottom - y)), src, 0, 0, host::SRCCOPY);
    }
  }
}

void CalcImageTextLayout(TCanvas* Canvas, const TRect& Client, const TPoint& Offset,
                         const std::string& Caption, TKxImageTextLayout Layout, Integer Margin,
                         Integer Spacing, const TPoint& ImageSize, TPoint& ImagePos,
                         TRect& TextBounds) {
  const TPoint clientSize{WidthOf(Client), HeightOf(Client)};
  TPoint textSize;
  if (!Caption.empty()) {
    // Measured with line breaks only where the caption has them.
    TextBounds = {0, 0, clientSize.X, 0};
    host::DrawText(Canvas->Handle(), Caption, TextBounds, host::DT_CALCRECT);
    textSize = {WidthOf(TextBounds), HeightOf(TextBounds)};
  } else {
    TextBounds = {0, 0, 0, 0};
  }

  const bool horizontal = Layout == tImageLeft || Layout == tImageRight;
  TPoint textPos;
  // Centred across the layout axis.
  if (horizontal) {
    ImagePos.Y = (clientSize.Y - ImageSize.Y + 1) / 2;
    textPos.Y = (clientSize.Y - textSize.Y + 1) / 2;
  } else {
    ImagePos.X = (clientSize.X - ImageSize.X + 1) / 2;
    textPos.X = (clientSize.X - textSize.X + 1) / 2;
  }

  if (textSize.X == 0 || ImageSize.X == 0) Spacing = 0;

  // Margin and spacing along the layout axis; −1 means automatic.
  const Integer client = horizontal ? clientSize.X : clientSize.Y;
  const Integer image = horizontal ? ImageSize.X : ImageSize.Y;
  const Integer text = horizontal ? textSize.X : textSize.Y;
  if (Margin == -1) {
    if (Spacing == -1) {
      Margin = (client - (image + text)) / 3;  // equal space before, between, after
      Spacing = Margin;
    } else {
      Margin = (client - (image + Spacing + text) + 1) / 2;  // the group centred
    }
  } else if (Spacing == -1) {
    Spacing = ((client - (Margin + image)) - text) / 2;
  }

  switch (Layout) {
    case tImageLeft:
      ImagePos.X = Margin;
      textPos.X = ImagePos.X + ImageSize.X + Spacing;
      break;
    case tImageRight:
      ImagePos.X = clientSize.X - Margin - ImageSize.X;
      textPos.X = ImagePos.X - Spacing - textSize.X;
      break;
    case tImageTop:
      ImagePos.Y = Margin;
      textPos.Y = ImagePos.Y + ImageSize.Y + Spacing;
      break;
    case tImageBottom:
      ImagePos.Y = clientSize.Y - Margin - ImageSize.Y;
      textPos.Y = ImagePos.Y - Spacing - textSize.Y;
      break;
  }

  const Integer dx = Client.Left + Offset.X, dy = Client.Top + Offset.Y;
  ImagePos.X += dx;
  ImagePos.Y += dy;
  host::OffsetRect(TextBounds, textPos.X + dx, textPos.Y + dy);
}

}  // namespace kx
