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

namespace kx {
namespace {

using host::TBitmap;

constexpr TColor kBackground = 0x00ABCDEF;

// A bitmap filled with kBackground, to paint on and read back.
class Surface {
 public:
  Surface(int w, int h) {
    bmp.SetSize(w, h);
    bmp.Canvas()->Brush()->SetColor(kBackground);
    bmp.Canvas()->FillRect({0, 0, w, h});
  }
  host::TCanvas* Canvas() { return bmp.Canvas(); }
  TColor At(int x, int y) { return bmp.Canvas()->Pixels(x, y); }
  bool SamePixels(TBitmap& other) { return bmp.Handle()->Pixels == other.Handle()->Pixels; }

  TBitmap bmp;
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
    EXPECT_TRUE(s.SamePixels(untouched.bmp)) << "direction " << int(c.direction);
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
    EXPECT_TRUE(once.SamePixels(ringByRing.bmp)) << c.rect.Left << " width " << c.width;
  }

  // The largest width paints as many rings as can reach the canvas, at once.
  Surface huge(12, 12), forty(12, 12);
  TRect r{0, 0, 10, 10}, r40{0, 0, 10, 10};
  DrawFrame3D(huge.Canvas(), r, 0x0000FF, 0x00FF00, INT_MAX);
  DrawFrame3D(forty.Canvas(), r40, 0x0000FF, 0x00FF00, 40);
  EXPECT_TRUE(huge.SamePixels(forty.bmp));
  EXPECT_EQ(r, (TRect{INT_MAX, INT_MAX, 10 - INT_MAX, 10 - INT_MAX}));

  // Width 0 paints nothing and leaves the rectangle.
  Surface none(12, 12), untouched(12, 12);
  TRect same{1, 1, 9, 9};
  DrawFrame3D(none.Canvas(), same, 0, 0, 0);
  EXPECT_EQ(same, (TRect{1, 1, 9, 9}));
  EXPECT_TRUE(none.SamePixels(untouched.bmp));
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
  EXPECT_TRUE(s.SamePixels(untouched.bmp));

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
