#include "kxpack/foundations/KxPainters.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "host/base/Types.h"
#include "host/graphics/Bitmap.h"
#include "host/graphics/Canvas.h"
#include "host/graphics/TextLayout.h"
#include "kxpack/foundations/KxColorUtils.h"
#include "kxpack/foundations/KxGradientSteps.h"
#include "kxpack/foundations/KxIntUtils.h"

namespace kx {

using host::TCanvas;

namespace {

using host::SaturateToInt32;

host::TPoint Pt(int64_t x, int64_t y) { return {SaturateToInt32(x), SaturateToInt32(y)}; }

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
  // Each ring ends with the pen in BottomColor, skipped rings included.
  Canvas->Pen()->SetColor(BottomColor);
  host::ShrinkRect(Rect, Width);
}

// Top-to-bottom bands, ColorWidth thick and not cut at the far edge, each a
// fill with the canvas's brush in its step's colour. Bands that cannot reach
// the clip box are skipped (they would paint nothing), so huge heights cost
// no time.
void DrawRowBands(TCanvas* Canvas, const TRect& Rect, TColor StartColor, TColor EndColor, int64_t w,
                  int64_t d, Integer ColorWidth) {
  const TRect clip = Canvas->ClipRect();
  // Band i covers Rect.Top + i up to Rect.Top + i + ColorWidth.
  const int64_t reach = std::max<int64_t>(0, int64_t{clip.Top} - Rect.Top - ColorWidth + 1);
  const int64_t last = std::min<int64_t>(d, int64_t{clip.Bottom} - Rect.Top - 1);
  int64_t i = (reach + ColorWidth - 1) / ColorWidth * ColorWidth;
  for (GradientSteps steps(StartColor, EndColor, d, ColorWidth, i); i <= last;
       i += ColorWidth, steps.Next()) {
    Canvas->Brush()->SetColor(steps.Color());
    const TRect band{Rect.Left, SaturateToInt32(Rect.Top + i), SaturateToInt32(Rect.Left + w),
                     SaturateToInt32(Rect.Top + i + ColorWidth)};
    host::FillRect(Canvas->Handle(), band, Canvas->Brush()->Handle());
  }
}

// Left-to-right bands are full-height columns, so every visible line of them
// is the same: the colours of the visible columns, painted down the visible
// lines in one call. The pixels are those of one fill per band.
void DrawColumnBands(TCanvas* Canvas, const TRect& Rect, TColor StartColor, TColor EndColor,
                     int64_t h, int64_t d, Integer ColorWidth) {
  const int64_t bandsRight = Rect.Left + d / ColorWidth * ColorWidth + ColorWidth;
  const TRect clip = Canvas->ClipRect();
  const int64_t left = std::max<int64_t>(Rect.Left, clip.Left);
  const int64_t right = std::min<int64_t>(bandsRight, clip.Right);
  const int64_t top = std::max<int64_t>(Rect.Top, clip.Top);
  const int64_t bottom = std::min<int64_t>(Rect.Top + h, clip.Bottom);
  if (left >= right || top >= bottom) return;

  // The visible bands' colours, then each repeated over its visible columns.
  const int64_t firstBand = (left - Rect.Left) / ColorWidth,
                lastBand = (right - 1 - Rect.Left) / ColorWidth;
  std::vector<host::COLORREF> columns(static_cast<size_t>(right - left));
  if (ColorWidth == 1) {
    WriteStepColors(columns.data(), right - left, StartColor, EndColor, d, 1, firstBand);
  } else {
    std::vector<host::COLORREF> bands(static_cast<size_t>(lastBand - firstBand + 1));
    WriteStepColors(bands.data(), lastBand - firstBand + 1, StartColor, EndColor, d, ColorWidth,
                    firstBand * ColorWidth);
    auto out = columns.begin();
    int64_t run =
        Rect.Left + (firstBand + 1) * ColorWidth - left;  // the first band is cut on the left
    for (const host::COLORREF color : bands) {
      out = std::fill_n(out, std::min<int64_t>(run, columns.end() - out), color);
      run = ColorWidth;
    }
  }
  host::FillColumns(Canvas->Handle(), SaturateToInt32(left), SaturateToInt32(top),
                    SaturateToInt32(bottom - top), columns);
}

// Diagonal lines ColorWidth wide, one per step, in canvas coordinates: chord1
// from (i, 0) to (−1, i), along which x + y stays within [i − 1, i]; chord2
// from (0, H − i) to (i, H), along which y − s × x = H − i with s = 1 (s grows
// to 2 once i is past the Integer range and the end is clamped). Steps whose
// line, with the pen's reach, cannot touch the clip box are skipped (they would
// paint nothing), so huge rectangles cost no time; the last step is always
// drawn, so the pen ends where and as the whole run leaves it.
void DrawChords(TCanvas* Canvas, TKxGradDirection Direction, TColor StartColor, TColor EndColor,
                int64_t h, int64_t d, Integer ColorWidth) {
  Canvas->Pen()->SetWidth(ColorWidth);
  const TRect clip = Canvas->ClipRect();
  const int64_t reach = 2 * int64_t{ColorWidth} + 4;  // the pen's stamp and rounding
  int64_t lo, hi;
  if (Direction == tgdChord1) {
    lo = int64_t{clip.Left} + clip.Top - reach;
    hi = int64_t{clip.Right} + clip.Bottom + reach;
    // Past the Integer range every line is the same clamped one, at x + y = INT32_MAX.
    if (hi >= INT32_MAX) hi = d;
  } else {
    lo = h + std::min<int64_t>(clip.Left, 2 * int64_t{clip.Left}) - clip.Bottom - reach;
    hi = h + std::max<int64_t>(clip.Right, 2 * int64_t{clip.Right}) - clip.Top + reach;
  }
  auto draw = [&](int64_t i, TColor color) {
    Canvas->Pen()->SetColor(color);
    const host::HDC dc = Canvas->Handle();
    const host::TPoint from = Direction == tgdChord1 ? Pt(i, 0) : Pt(0, h - i);
    const host::TPoint to = Direction == tgdChord1 ? Pt(-1, i) : Pt(i, h);
    host::MoveToEx(dc, from.X, from.Y, nullptr);
    host::LineTo(dc, to.X, to.Y);
  };
  const int64_t lastStep = d / ColorWidth * ColorWidth;
  int64_t i = (std::max<int64_t>(lo, 0) + ColorWidth - 1) / ColorWidth * ColorWidth;
  for (GradientSteps steps(StartColor, EndColor, d, ColorWidth, i); i <= std::min(hi, d);
       i += ColorWidth, steps.Next())
    draw(i, steps.Color());
  if (i <= lastStep) draw(lastStep, StepColor(StartColor, EndColor, d, lastStep));
}

}  // namespace

void DrawGradientExt(TCanvas* Canvas, const TRect& Rect, TColor StartColor, TColor EndColor,
                     TKxGradDirection Direction, Integer ColorWidth) {
  if (ColorWidth < 1) return;  // the steps would not advance
  const int64_t w = WidthOf(Rect), h = HeightOf(Rect);
  const int64_t d = Direction == tgdUpDown ? h : Direction == tgdLeftRight ? w : w + h;
  if (d <= 0) return;  // no step colours along an empty axis

  if (Direction == tgdUpDown || Direction == tgdLeftRight) {
    if (Direction == tgdUpDown)
      DrawRowBands(Canvas, Rect, StartColor, EndColor, w, d, ColorWidth);
    else
      DrawColumnBands(Canvas, Rect, StartColor, EndColor, h, d, ColorWidth);
    // The brush ends as the band fills leave it: solid, in the last step's colour.
    Canvas->Brush()->SetColor(StepColor(StartColor, EndColor, d, d / ColorWidth * ColorWidth));
    return;
  }
  DrawChords(Canvas, Direction, StartColor, EndColor, h, d, ColorWidth);
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
      host::BitBlt(dst, SaturateToInt32(x), SaturateToInt32(y),
                   SaturateToInt32(std::min(w, Rect.Right - x)),
                   SaturateToInt32(std::min(h, Rect.Bottom - y)), src, 0, 0, host::SRCCOPY);
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

  // In 64 bits: any Margin and Spacing, however large, give positions that
  // are then taken to the nearest Integer instead of wrapping around.
  const bool horizontal = Layout == tImageLeft || Layout == tImageRight;
  int64_t imageX = 0, imageY = 0, textX = 0, textY = 0;
  // Centred across the layout axis.
  if (horizontal) {
    imageY = (int64_t{clientSize.Y} - ImageSize.Y + 1) / 2;
    textY = (int64_t{clientSize.Y} - textSize.Y + 1) / 2;
  } else {
    imageX = (int64_t{clientSize.X} - ImageSize.X + 1) / 2;
    textX = (int64_t{clientSize.X} - textSize.X + 1) / 2;
  }

  int64_t margin = Margin, spacing = Spacing;
  if (textSize.X == 0 || ImageSize.X == 0) spacing = 0;

  // Margin and spacing along the layout axis; −1 means automatic.
  const int64_t client = horizontal ? clientSize.X : clientSize.Y;
  const int64_t image = horizontal ? ImageSize.X : ImageSize.Y;
  const int64_t text = horizontal ? textSize.X : textSize.Y;
  if (margin == -1) {
    if (spacing == -1) {
      margin = (client - (image + text)) / 3;  // equal space before, between, after
      spacing = margin;
    } else {
      margin = (client - (image + spacing + text) + 1) / 2;  // the group centred
    }
  } else if (spacing == -1) {
    spacing = ((client - (margin + image)) - text) / 2;
  }

  switch (Layout) {
    case tImageLeft:
      imageX = margin;
      textX = imageX + ImageSize.X + spacing;
      break;
    case tImageRight:
      imageX = clientSize.X - margin - ImageSize.X;
      textX = imageX - spacing - textSize.X;
      break;
    case tImageTop:
      imageY = margin;
      textY = imageY + ImageSize.Y + spacing;
      break;
    case tImageBottom:
      imageY = clientSize.Y - margin - ImageSize.Y;
      textY = imageY - spacing - textSize.Y;
      break;
  }

  const int64_t dx = int64_t{Client.Left} + Offset.X, dy = int64_t{Client.Top} + Offset.Y;
  ImagePos = Pt(imageX + dx, imageY + dy);
  const TPoint textPos = Pt(textX + dx, textY + dy);
  TextBounds = host::Bounds(textPos.X, textPos.Y, textSize.X, textSize.Y);
}

}  // namespace kx
