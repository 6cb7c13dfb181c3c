#include <gtest/gtest.h>

#include <climits>
#include <functional>

#include "host/graphics/Bitmap.h"
#include "host/graphics/Canvas.h"
#include "host/graphics/Gdi.h"
#include "host/graphics/TextLayout.h"
#include "kxpack/foundations/KxBitmapUtils.h"
#include "kxpack/foundations/KxIntUtils.h"
#include "kxpack/foundations/KxPainters.h"
#include "tests/support/Pixels.h"

namespace kx {
namespace {

using host::TBitmap;

constexpr TColor kBackground = 0x00ABCDEF;

// A bitmap filled with kBackground, to paint on and read back.
class Surface {
 public:
  Surface(int w, int h) : bmp(host::testing::FilledBitmap(w, h, kBackground)) {}
  host::TCanvas* Canvas() { return bmp->Canvas(); }
  TColor At(int x, int y) { return bmp->Canvas()->Pixels(x, y); }
  bool SamePixels(const Surface& other) const {
    return bmp->Handle()->Pixels == other.bmp->Handle()->Pixels;
  }

  std::unique_ptr<TBitmap> bmp;
};

TColor Grey(int v) { return v | v << 8 | v << 16; }

TEST(DrawGradientExt, UpDownBandsAreNotCutAtTheEdge) {
  Surface s(4, 20);
  DrawGradientExt(s.Canvas(), {0, 0, 4, 10}, 0x000000, 0xFFFFFF, tgdUpDown, 5);
  // Three bands at y = 0, 5 and 10; the third lies below the rectangle.
  for (int y = 0; y < 20; ++y) {
    const TColor expected = y < 5 ? Grey(0) : y < 10 ? Grey(127) : y < 15 ? Grey(255) : kBackground;
    for (int x = 0; x < 4; ++x) ASSERT_EQ(s.At(x, y), expected) << x << "," << y;
  }
}

TEST(DrawGradientExt, FallingChannelTruncatesTowardTheStart) {
  Surface s(6, 2);
  // Red falls from 200 to 100 over a width of 3 (D = 3).
  DrawGradientExt(s.Canvas(), {0, 0, 3, 1}, 200, 100, tgdLeftRight, 1);
  const TColor expected[] = {200, 167, 134, 100, kBackground, kBackground};
  for (int x = 0; x < 6; ++x) EXPECT_EQ(s.At(x, 0), expected[x]) << "x = " << x;
  EXPECT_EQ(s.At(0, 1), kBackground);
}

TEST(DrawGradientExt, NothingOnAnEmptyAxisOrWithoutWidth) {
  struct Case {
    TRect rect;
    TKxGradDirection direction;
    Integer colorWidth;
  };
  const Case cases[] = {
      {{0, 5, 8, 5}, tgdUpDown, 1}, {{3, 0, 3, 8}, tgdLeftRight, 1}, {{0, 0, 0, 0}, tgdChord1, 1},
      {{0, 0, 0, 0}, tgdChord2, 2}, {{0, 0, 8, 8}, tgdUpDown, 0},    {{0, 0, 8, 8}, tgdChord1, -3},
      {{0, 8, 8, 0}, tgdUpDown, 1},
  };
  for (const Case& c : cases) {
    Surface s(8, 8), untouched(8, 8);
    DrawGradientExt(s.Canvas(), c.rect, 0x000000, 0xFFFFFF, c.direction, c.colorWidth);
    EXPECT_TRUE(s.SamePixels(untouched)) << "direction " << int(c.direction);
  }
}

TEST(DrawGradientExt, ChordsRunFromTheirStartCorner) {
  Surface one(20, 20), two(20, 20);
  DrawGradientExt(one.Canvas(), {0, 0, 20, 20}, 0x000000, 0xFFFFFF, tgdChord1, 1);
  DrawGradientExt(two.Canvas(), {0, 0, 20, 20}, 0x000000, 0xFFFFFF, tgdChord2, 1);
  // Chord1 brightens from the top-left along the main diagonal, chord2 from
  // the bottom-left along the other one.
  for (int k = 1; k < 20; ++k) {
    EXPECT_GE(one.At(k, k) & 0xFF, one.At(k - 1, k - 1) & 0xFF) << k;
    EXPECT_GE(two.At(k, 19 - k) & 0xFF, two.At(k - 1, 20 - k) & 0xFF) << k;
  }
  // The corner takes the first or second step (of 40): the lines overlap by a pixel.
  EXPECT_LE(one.At(0, 0), Grey(255 / 40));
  EXPECT_GT(one.At(19, 19) & 0xFF, 230);
  EXPECT_LE(two.At(0, 19), Grey(255 / 40));
  EXPECT_GT(two.At(19, 0) & 0xFF, 230);
}

// The band fills a gradient is defined by: band k from i = k × ColorWidth
// filled with the colour Start + (End − Start) × i div D per channel, one
// FillRect of the canvas's brush per band, the last band starting at i <= D.
void BandByBand(host::TCanvas* Canvas, const TRect& Rect, TColor Start, TColor End,
                TKxGradDirection Direction, Integer ColorWidth) {
  const int64_t w = Rect.Right - Rect.Left, h = Rect.Bottom - Rect.Top;
  const int64_t d = Direction == tgdUpDown ? h : w;
  for (int64_t i = 0; i <= d; i += ColorWidth) {
    TColor color = 0;
    for (int shift : {0, 8, 16}) {
      const int64_t from = Start >> shift & 0xFF, to = End >> shift & 0xFF;
      color |= static_cast<TColor>(from + (to - from) * i / d) << shift;
    }
    Canvas->Brush()->SetColor(color);
    const int x = Rect.Left + static_cast<int>(i), y = Rect.Top + static_cast<int>(i);
    const TRect band = Direction == tgdUpDown ? TRect{Rect.Left, y, Rect.Right, y + ColorWidth}
                                              : TRect{x, Rect.Top, x + ColorWidth, Rect.Bottom};
    host::FillRect(Canvas->Handle(), band, Canvas->Brush()->Handle());
  }
}

TEST(DrawGradientExt, BandsPaintWhatOneFillPerBandPaints) {
  // Cases for left-to-right bands; the top-to-bottom ones run them on their side.
  struct Case {
    const char* what;
    TRect rect;
    Integer colorWidth;
    TRect clip;  // empty: unclipped
    bool monochrome;
  };
  const Case cases[] = {
      {"narrow bands", {0, 0, 30, 6}, 1, {}, false},
      {"wide bands past the edge", {2, 1, 27, 7}, 4, {}, false},
      {"width a multiple of the band", {0, 0, 24, 5}, 6, {}, false},
      {"off the canvas on the left", {-13, -2, 20, 9}, 3, {}, false},
      {"clip cutting bands", {0, 0, 40, 8}, 7, {9, 2, 23, 6}, false},
      {"clip beside the bands", {0, 0, 10, 8}, 2, {20, 0, 30, 8}, false},
      {"one band wider than the canvas", {0, 0, 5, 5}, 100, {}, false},
      {"monochrome canvas", {0, 0, 30, 6}, 2, {}, true},
      {"wide bands over a huge width", {-(1 << 24), 0, 30, 6}, 1 << 21, {}, false},
  };
  auto onItsSide = [](const TRect& r) { return TRect{r.Top, r.Left, r.Bottom, r.Right}; };
  for (const TKxGradDirection direction : {tgdLeftRight, tgdUpDown})
    for (const Case& c : cases) {
      const bool turned = direction == tgdUpDown;
      const TRect rect = turned ? onItsSide(c.rect) : c.rect;
      const TRect clip = turned ? onItsSide(c.clip) : c.clip;
      Surface drawn(36, 36), bands(36, 36);
      for (Surface* s : {&drawn, &bands}) {
        if (c.monochrome) s->bmp->SetMonochrome(true);
        if (!clip.IsEmpty())
          host::IntersectClipRect(s->Canvas()->Handle(), clip.Left, clip.Top, clip.Right,
                                  clip.Bottom);
      }
      DrawGradientExt(drawn.Canvas(), rect, 0x00204080, 0x00F0C010, direction, c.colorWidth);
      BandByBand(bands.Canvas(), rect, 0x00204080, 0x00F0C010, direction, c.colorWidth);
      EXPECT_TRUE(drawn.SamePixels(bands)) << c.what << (turned ? ", top to bottom" : "");
    }
}

TEST(DrawGradientExt, BandStepsStayExactOnHugeRectangles) {
  // One-pixel bands, so the pixel at position p along the gradient has step
  // i = p − the rectangle's start, of D = its length; the canvas shows the last
  // 30 positions. For the columns, lengths around 2^23 cross from one way of
  // working out the steps to the other.
  for (const TKxGradDirection direction : {tgdLeftRight, tgdUpDown})
    for (const int64_t length : {int64_t{8388607}, int64_t{8388608}, int64_t{8388609},
                                 int64_t{123456789}, int64_t{INT_MAX}}) {
      const bool across = direction == tgdLeftRight;
      Surface s(across ? 30 : 2, across ? 2 : 30);
      const int start = static_cast<int>(30 - length);
      const TRect rect = across ? TRect{start, 0, 30, 2} : TRect{0, start, 2, 30};
      const TColor first = 0x0010FF03, second = 0x00F0000A;
      DrawGradientExt(s.Canvas(), rect, first, second, direction, 1);
      for (int p = 0; p < 30; ++p) {
        const int64_t i = p - int64_t{start};
        TColor expected = 0;
        for (int shift : {0, 8, 16}) {
          const int64_t from = first >> shift & 0xFF, to = second >> shift & 0xFF;
          expected |= static_cast<TColor>(from + (to - from) * i / length) << shift;
        }
        ASSERT_EQ(across ? s.At(p, 1) : s.At(1, p), expected)
            << "direction " << int(direction) << ", length " << length << ", at " << p;
      }
    }
}

// The chords a gradient is defined by: for i = 0, ColorWidth, … <= D = W + H,
// a line of the step's colour from (i, 0) to (−1, i) (chord1) or from
// (0, H − i) to (i, H) (chord2), the pen ColorWidth wide.
void ChordByChord(host::TCanvas* Canvas, const TRect& Rect, TColor Start, TColor End,
                  TKxGradDirection Direction, Integer ColorWidth) {
  const int64_t h = Rect.Bottom - Rect.Top, d = Rect.Right - Rect.Left + h;
  Canvas->Pen()->SetWidth(ColorWidth);
  for (int64_t i = 0; i <= d; i += ColorWidth) {
    TColor color = 0;
    for (int shift : {0, 8, 16}) {
      const int64_t from = Start >> shift & 0xFF, to = End >> shift & 0xFF;
      color |= static_cast<TColor>(from + (to - from) * i / d) << shift;
    }
    Canvas->Pen()->SetColor(color);
    const int n = static_cast<int>(i), height = static_cast<int>(h);
    if (Direction == tgdChord1) {
      Canvas->MoveTo(n, 0);
      Canvas->LineTo(-1, n);
    } else {
      Canvas->MoveTo(0, height - n);
      Canvas->LineTo(n, height);
    }
  }
}

TEST(DrawGradientExt, ChordsPaintAndEndWhereEveryLineDrawnWould) {
  struct Case {
    const char* what;
    TRect rect;
    Integer colorWidth;
    TRect clip;  // empty: the whole 40 × 40 canvas
    host::TPenStyle style;
    host::TPenMode mode;
  };
  const Case cases[] = {
      {"the canvas", {0, 0, 40, 40}, 1, {}, host::psSolid, host::pmCopy},
      {"wide lines", {0, 0, 40, 40}, 5, {}, host::psSolid, host::pmCopy},
      {"far past the canvas", {0, 0, 700, 300}, 1, {}, host::psSolid, host::pmCopy},
      {"wide, far past the canvas", {0, 0, 300, 700}, 7, {}, host::psSolid, host::pmCopy},
      {"a clip in the middle", {0, 0, 200, 90}, 3, {17, 11, 29, 23}, host::psSolid, host::pmCopy},
      {"a clip at the far corner",
       {0, 0, 60, 60},
       2,
       {30, 30, 40, 40},
       host::psSolid,
       host::pmCopy},
      {"dotted", {0, 0, 500, 80}, 1, {5, 20, 35, 38}, host::psDot, host::pmCopy},
      {"xor", {0, 0, 90, 400}, 4, {3, 3, 37, 12}, host::psSolid, host::pmXor},
  };
  for (const TKxGradDirection direction : {tgdChord1, tgdChord2})
    for (const Case& c : cases) {
      Surface drawn(40, 40), lines(40, 40);
      for (Surface* s : {&drawn, &lines}) {
        s->Canvas()->Pen()->SetStyle(c.style);
        s->Canvas()->Pen()->SetMode(c.mode);
        if (!c.clip.IsEmpty())
          host::IntersectClipRect(s->Canvas()->Handle(), c.clip.Left, c.clip.Top, c.clip.Right,
                                  c.clip.Bottom);
      }
      DrawGradientExt(drawn.Canvas(), c.rect, 0x00204080, 0x00F0C010, direction, c.colorWidth);
      ChordByChord(lines.Canvas(), c.rect, 0x00204080, 0x00F0C010, direction, c.colorWidth);
      const std::string what =
          std::string(c.what) + " (chord" + (direction == tgdChord1 ? "1" : "2") + ")";
      EXPECT_TRUE(drawn.SamePixels(lines)) << what;
      EXPECT_EQ(drawn.Canvas()->PenPos(), lines.Canvas()->PenPos()) << what;
      EXPECT_EQ(drawn.Canvas()->Pen()->Color(), lines.Canvas()->Pen()->Color()) << what;
      EXPECT_EQ(host::GetPixel(drawn.Canvas()->Handle(), 0, 0),
                host::GetPixel(lines.Canvas()->Handle(), 0, 0))
          << what;
    }
}

TEST(DrawGradientExt, ChordsOverAHugeSquareEnd) {
  // D = 2 × INT_MAX; chord2's line of step INT_MAX runs through (0, 0), with
  // red halfway from 0 to 200.
  for (const TKxGradDirection direction : {tgdChord1, tgdChord2}) {
    Surface s(8, 8);
    DrawGradientExt(s.Canvas(), {0, 0, INT_MAX, INT_MAX}, 0, 200, direction, 1);
    EXPECT_EQ(s.Canvas()->Pen()->Color(), 200) << int(direction);
    const TPoint end = direction == tgdChord1 ? TPoint{-1, INT_MAX} : TPoint{INT_MAX, INT_MAX};
    EXPECT_EQ(s.Canvas()->PenPos(), end) << int(direction);
    if (direction == tgdChord2) {
      EXPECT_EQ(s.At(0, 0), 100);
    }
  }
}

TEST(DrawGradientExt, EveryDirectionLeavesTheCanvasAsItsDrawingSteps) {
  // D = 10 for the bands and 20 for the chords; with steps of 3 the last is at
  // i = 9 or 18, red 180 of 200 either way.
  struct Case {
    TKxGradDirection direction;
    host::TBrushStyle brushBefore;
    bool visible;  // else the rectangle lies off the canvas
    TColor brushAfter, penAfter;
    Integer penWidthAfter;
  };
  constexpr TColor kBrush = 0x00123456, kPen = 0x00654321;
  const Case cases[] = {
      {tgdLeftRight, host::bsSolid, true, 180, kPen, 1},
      {tgdLeftRight, host::bsClear, true, 180, kPen, 1},
      {tgdLeftRight, host::bsClear, false, 180, kPen, 1},
      {tgdUpDown, host::bsSolid, true, 180, kPen, 1},
      {tgdUpDown, host::bsClear, true, 180, kPen, 1},
      {tgdUpDown, host::bsClear, false, 180, kPen, 1},
      {tgdChord1, host::bsClear, true, kBrush, 180, 3},
      {tgdChord2, host::bsSolid, true, kBrush, 180, 3},
  };
  for (const Case& c : cases) {
    Surface s(12, 12);
    host::TCanvas* canvas = s.Canvas();
    canvas->Brush()->SetColor(kBrush);
    canvas->Brush()->SetStyle(c.brushBefore);
    canvas->Pen()->SetColor(kPen);
    const TRect rect = c.visible ? TRect{0, 0, 10, 10} : TRect{50, 50, 60, 60};
    DrawGradientExt(canvas, rect, 0, 200, c.direction, 3);
    const bool bands = c.direction == tgdLeftRight || c.direction == tgdUpDown;
    EXPECT_EQ(canvas->Brush()->Style(), bands ? host::bsSolid : c.brushBefore)
        << "direction " << int(c.direction);
    EXPECT_EQ(canvas->Brush()->Color(), c.brushAfter) << "direction " << int(c.direction);
    EXPECT_EQ(canvas->Pen()->Color(), c.penAfter) << "direction " << int(c.direction);
    EXPECT_EQ(canvas->Pen()->Width(), c.penWidthAfter) << "direction " << int(c.direction);
    // A clear brush beforehand does not keep the bands from being painted.
    if (bands) {
      EXPECT_EQ(s.At(0, 0), c.visible ? 0 : kBackground) << "direction " << int(c.direction);
    }
  }
}

// What ring k of a frame on (0, 0, size, size) paints at (x, y), or nothing.
std::optional<TColor> RingModel(int x, int y, int size, int width, TColor top, TColor bottom,
                                bool outline) {
  for (int k = 0; k < width; ++k) {
    const int l = k, t = k, r = size - 1 - k, b = size - 1 - k;
    const bool onRing =
        ((x == l || x == r) && y >= t && y <= b) || ((y == t || y == b) && x >= l && x <= r);
    if (!onRing) continue;
    if (outline && x == l && y == b) return top;  // the outline keeps this corner
    return (x == r || y == b) ? bottom : top;
  }
  return std::nullopt;
}

TEST(DrawFrame3D, RingsAndTheRectangleInside) {
  constexpr TColor kTop = 0x0000FF, kBottom = 0x00FF00;
  for (const bool outline : {false, true}) {
    Surface s(12, 12);
    TRect r{0, 0, 10, 10};
    (outline ? DrawOutline3D : DrawFrame3D)(s.Canvas(), r, kTop, kBottom, 2);
    EXPECT_EQ(r, (TRect{2, 2, 8, 8}));
    for (int y = 0; y < 12; ++y)
      for (int x = 0; x < 12; ++x)
        ASSERT_EQ(s.At(x, y), RingModel(x, y, 10, 2, kTop, kBottom, outline).value_or(kBackground))
            << (outline ? "outline " : "frame ") << x << "," << y;
  }
}

TEST(DrawFrame3D, OutlineDiffersOnlyInTheBottomLeftCorners) {
  Surface frame(10, 10), outline(10, 10);
  TRect a{0, 0, 10, 10}, b{0, 0, 10, 10};
  DrawFrame3D(frame.Canvas(), a, 0x0000FF, 0x00FF00, 3);
  DrawOutline3D(outline.Canvas(), b, 0x0000FF, 0x00FF00, 3);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) {
      const bool corner = x < 3 && y == 9 - x;
      EXPECT_EQ(frame.At(x, y) != outline.At(x, y), corner) << x << "," << y;
    }
}

TEST(DrawFrame3D, HugeWidthsEndAndPaintWhatSingleRingsWould) {
  struct Case {
    TRect rect;
    Integer width;
  };
  const Case cases[] = {
      {{0, 0, 10, 10}, 40},  // rings past the middle turn inside out
      {{-50, -30, 60, 40}, 70},
      {{3, 2, 9, 11}, 9},
  };
  for (const Case& c : cases) {
    Surface once(12, 12), ringByRing(12, 12);
    TRect r = c.rect;
    DrawFrame3D(once.Canvas(), r, 0x0000FF, 0x00FF00, c.width);
    TRect step = c.rect;
    for (int k = 0; k < c.width; ++k) DrawFrame3D(ringByRing.Canvas(), step, 0x0000FF, 0x00FF00, 1);
    EXPECT_EQ(r, step);
    EXPECT_TRUE(once.SamePixels(ringByRing)) << c.rect.Left << " width " << c.width;
  }

  // The largest width paints as many rings as can reach the canvas, at once.
  Surface huge(12, 12), forty(12, 12);
  TRect r{0, 0, 10, 10}, r40{0, 0, 10, 10};
  DrawFrame3D(huge.Canvas(), r, 0x0000FF, 0x00FF00, INT_MAX);
  DrawFrame3D(forty.Canvas(), r40, 0x0000FF, 0x00FF00, 40);
  EXPECT_TRUE(huge.SamePixels(forty));
  EXPECT_EQ(r, (TRect{INT_MAX, INT_MAX, 10 - INT_MAX, 10 - INT_MAX}));

  // Width 0 paints nothing and leaves the rectangle.
  Surface none(12, 12), untouched(12, 12);
  TRect same{1, 1, 9, 9};
  DrawFrame3D(none.Canvas(), same, 0, 0, 0);
  EXPECT_EQ(same, (TRect{1, 1, 9, 9}));
  EXPECT_TRUE(none.SamePixels(untouched));
}

TEST(DrawFrame3D, ThePenEndsInTheBottomColourWhereverTheRingsFall) {
  struct Case {
    const char* what;
    TRect rect;
    Integer width;
    TColor penAfter;
  };
  constexpr TColor kTop = 0x0000FF, kBottom = 0x00FF00, kPen = 0x00654321;
  const Case cases[] = {
      {"rings on the canvas", {0, 0, 10, 10}, 2, kBottom},
      {"rings off the canvas", {40, 40, 50, 50}, 2, kBottom},
      {"rings around the canvas", {-20, -20, 40, 40}, 3, kBottom},
      {"no rings", {0, 0, 10, 10}, 0, kPen},
  };
  for (const Case& c : cases)
    for (const bool outline : {false, true}) {
      Surface s(12, 12);
      s.Canvas()->Pen()->SetColor(kPen);
      s.Canvas()->Pen()->SetWidth(4);
      TRect r = c.rect;
      (outline ? DrawOutline3D : DrawFrame3D)(s.Canvas(), r, kTop, kBottom, c.width);
      EXPECT_EQ(s.Canvas()->Pen()->Color(), c.penAfter) << c.what << (outline ? " (outline)" : "");
      EXPECT_EQ(s.Canvas()->Pen()->Width(), 1) << c.what << (outline ? " (outline)" : "");
    }
}

TEST(DrawTiledBitmap, CoversTheRectangleAndNothingElse) {
  TBitmap tile;
  tile.SetSize(3, 2);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) tile.Canvas()->SetPixels(x, y, 0x010000 * (y + 1) + x);
  Surface s(10, 8);
  const TRect rect{1, 1, 9, 6};
  DrawTiledBitmap(s.Canvas(), rect, &tile);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 10; ++x) {
      const bool inside = x >= rect.Left && x < rect.Right && y >= rect.Top && y < rect.Bottom;
      const TColor expected = inside ? 0x010000 * ((y - 1) % 2 + 1) + (x - 1) % 3 : kBackground;
      ASSERT_EQ(s.At(x, y), expected) << x << "," << y;
    }
}

TEST(DrawTiledBitmap, EmptyBitmapsAndHugeRectanglesEnd) {
  Surface s(10, 8), untouched(10, 8);
  TBitmap empty;
  DrawTiledBitmap(s.Canvas(), {0, 0, 10, 8}, &empty);
  empty.SetSize(5, 0);
  DrawTiledBitmap(s.Canvas(), {0, 0, 10, 8}, &empty);
  DrawTiledBitmap(s.Canvas(), {0, 0, 10, 8}, nullptr);
  EXPECT_TRUE(s.SamePixels(untouched));

  // Tiles are laid from the rectangle's corner far outside the canvas; only
  // those on the canvas are copied.
  TBitmap dot;
  dot.SetSize(2, 1);
  dot.Canvas()->SetPixels(0, 0, 0x000011);
  dot.Canvas()->SetPixels(1, 0, 0x000022);
  DrawTiledBitmap(s.Canvas(), {-1000000001, -5, INT_MAX, INT_MAX}, &dot);
  EXPECT_EQ(s.At(0, 0), 0x000022);  // x = 0 is the second pixel of a tile
  EXPECT_EQ(s.At(1, 7), 0x000011);
}

TEST(CalcImageTextLayout, EmptyCaptionCentresTheImage) {
  struct Case {
    TKxImageTextLayout layout;
    TRect client;
    TPoint offset;
    Integer margin, spacing;
    TPoint image;
    TPoint imagePos;
    TRect textBounds;
  };
  const Case cases[] = {
      // Spacing becomes 0, so automatic margins centre the image.
      {tImageLeft, {0, 0, 100, 40}, {0, 0}, -1, -1, {16, 16}, {42, 12}, {58, 20, 58, 20}},
      {tImageRight, {0, 0, 100, 40}, {0, 0}, -1, 7, {16, 16}, {42, 12}, {42, 20, 42, 20}},
      {tImageTop, {10, 20, 50, 80}, {3, 4}, -1, -1, {16, 16}, {25, 46}, {33, 62, 33, 62}},
      {tImageBottom, {0, 0, 40, 60}, {0, 0}, 5, -1, {16, 16}, {12, 39}, {20, 39, 20, 39}},
      // A margin of 0 is taken literally.
      {tImageLeft, {0, 0, 100, 40}, {0, 0}, 0, -1, {16, 16}, {0, 12}, {16, 20, 16, 20}},
  };
  Surface s(4, 4);
  for (const Case& c : cases) {
    TPoint imagePos{-99, -99};
    TRect textBounds{-9, -9, -9, -9};
    CalcImageTextLayout(s.Canvas(), c.client, c.offset, "", c.layout, c.margin, c.spacing, c.image,
                        imagePos, textBounds);
    EXPECT_EQ(imagePos, c.imagePos) << "layout " << int(c.layout);
    EXPECT_EQ(textBounds, c.textBounds) << "layout " << int(c.layout);
  }
}

TEST(CalcImageTextLayout, CaptionBesideTheImage) {
  Surface s(4, 4);
  const std::string caption = "Power";
  TRect measured{0, 0, 100, 0};
  host::DrawText(s.Canvas()->Handle(), caption, measured, host::DT_CALCRECT);
  const int tw = WidthOf(measured), th = HeightOf(measured);
  ASSERT_GT(tw, 0);
  const TRect client{0, 0, 100, 40};

  struct Case {
    const char* what;
    TKxImageTextLayout layout;
    Integer margin, spacing;
    TPoint image;
    TPoint imagePos;
    int textLeft;
  };
  const Case cases[] = {
      {"space shared in three",
       tImageLeft,
       -1,
       -1,
       {16, 16},
       {(100 - 16 - tw) / 3, 12},
       (100 - 16 - tw) / 3 * 2 + 16},
      {"group centred",
       tImageLeft,
       -1,
       4,
       {16, 16},
       {(100 - (16 + 4 + tw) + 1) / 2, 12},
       (100 - (16 + 4 + tw) + 1) / 2 + 20},
      {"spacing from the margin",
       tImageRight,
       2,
       -1,
       {16, 16},
       {82, 12},
       82 - (100 - 18 - tw) / 2 - tw},
      {"both given", tImageRight, 3, 5, {16, 16}, {81, 12}, 81 - 5 - tw},
      // A zero-width image: spacing 0, text placed as if there were no image.
      {"zero-width image", tImageLeft, 4, 10, {0, 16}, {4, 12}, 4},
      // Spacing is 0 before the margin rules, so the text is centred.
      {"zero-width image, automatic",
       tImageLeft,
       -1,
       -1,
       {0, 16},
       {(100 - tw + 1) / 2, 12},
       (100 - tw + 1) / 2},
  };
  for (const Case& c : cases) {
    TPoint imagePos;
    TRect textBounds;
    CalcImageTextLayout(s.Canvas(), client, {0, 0}, caption, c.layout, c.margin, c.spacing, c.image,
                        imagePos, textBounds);
    EXPECT_EQ(imagePos, c.imagePos) << c.what;
    const int textTop = (40 - th + 1) / 2;
    EXPECT_EQ(textBounds, (TRect{c.textLeft, textTop, c.textLeft + tw, textTop + th})) << c.what;
  }
}

// Margins and spacings at the ends of the Integer range place image and
// caption at the nearest Integer, never wrapped around to the other side.
TEST(CalcImageTextLayout, ExtremeMarginsAndSpacingsSaturate) {
  Surface s(4, 4);
  const TRect client{0, 0, 100, 40};
  TPoint imagePos;
  TRect textBounds;
  CalcImageTextLayout(s.Canvas(), client, {0, 0}, "Power", tImageLeft, INT_MAX, INT_MAX, {16, 16},
                      imagePos, textBounds);
  EXPECT_EQ(imagePos.X, INT_MAX);
  EXPECT_EQ(textBounds.Left, INT_MAX);
  EXPECT_EQ(textBounds.Right, INT_MAX);
  // The image lies past the far end; the text, worked out from the exact
  // image place, comes back into view.
  CalcImageTextLayout(s.Canvas(), client, {0, 0}, "Power", tImageRight, INT_MIN, INT_MAX, {16, 16},
                      imagePos, textBounds);
  EXPECT_EQ(imagePos.X, INT_MAX);
  EXPECT_EQ(textBounds.Right, 85);
  // Automatic margin with the largest spacing: the group is centred far to the left.
  CalcImageTextLayout(s.Canvas(), client, {0, 0}, "Power", tImageTop, -1, INT_MAX, {16, 16},
                      imagePos, textBounds);
  EXPECT_EQ(imagePos.Y, (40 - (int64_t{16} + INT_MAX + HeightOf(textBounds)) + 1) / 2);
  EXPECT_GT(textBounds.Top, 0);
}

TEST(KxUtilsBitmaps, AllocateDeallocateAndBitmapRect) {
  std::unique_ptr<TBitmap> bitmaps[3];
  bitmaps[1] = std::make_unique<TBitmap>();
  bitmaps[1]->SetSize(7, 3);
  AllocateBitmaps(bitmaps);
  for (auto& b : bitmaps) {
    ASSERT_TRUE(b);
    EXPECT_TRUE(b->Empty());
  }
  bitmaps[2]->SetSize(7, 3);
  EXPECT_EQ(BitmapRect(bitmaps[2].get()), (TRect{0, 0, 7, 3}));
  EXPECT_EQ(BitmapRect(bitmaps[0].get()), (TRect{0, 0, 0, 0}));
  DeallocateBitmaps(bitmaps);
  for (auto& b : bitmaps) EXPECT_FALSE(b);
}

}  // namespace
}  // namespace kx
