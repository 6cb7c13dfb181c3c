#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "host/graphics/Gdi.h"
#include "tests/host/graphics/GdiTestSupport.h"

using namespace host;
using gdi_test::Surface;

namespace {

constexpr uint32_t kRedPixel = 0xFF0000;

struct FillCase {
  TRect Rect;
  std::vector<std::string> Expected;
};

class FillRectTest : public ::testing::TestWithParam<FillCase> {};

TEST_P(FillRectTest, PaintsLeftAndTopButNotRightAndBottom) {
  Surface s(6, 4);
  const LogBrush red{bsSolid, clRed};
  FillRect(s.DC, GetParam().Rect, &red);
  EXPECT_EQ(s.Picture(kRedPixel), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rects, FillRectTest,
    ::testing::Values(FillCase{{1, 1, 4, 3}, {"......", ".###..", ".###..", "......"}},
                      FillCase{{0, 0, 1, 1}, {"#.....", "......", "......", "......"}},
                      // Reaching past the surface is cut at its edges.
                      FillCase{{-3, 2, 9, 9}, {"......", "......", "######", "######"}},
                      // Empty and inverted rectangles paint nothing.
                      FillCase{{2, 2, 2, 4}, {"......", "......", "......", "......"}},
                      FillCase{{4, 3, 1, 1}, {"......", "......", "......", "......"}}));

TEST(GdiFill, ClearBrushPaintsNothingAndSystemColoursResolve) {
  Surface s(3, 3);
  const LogBrush clear{bsClear, clRed};
  FillRect(s.DC, {0, 0, 3, 3}, &clear);
  EXPECT_EQ(s.Picture(0xFFFFFF), (std::vector<std::string>{"###", "###", "###"}));
  const LogBrush face{bsSolid, clBtnFace};
  FillRect(s.DC, {0, 0, 1, 1}, &face);
  EXPECT_EQ(s.Image.At(0, 0), SwapRedBlue(GetSysColor(COLOR_BTNFACE)));
}

TEST(GdiFill, OriginAndClipRegionLimitWhatIsPainted) {
  // A window at (2, 1) of an 8 × 4 framebuffer, visible only in two pieces.
  Region clip(TRect{2, 1, 4, 3});
  clip.Union(TRect{6, 1, 8, 2});
  Surface s(8, 4, 0xFFFFFF, {2, 1}, &clip);
  const LogBrush red{bsSolid, clRed};
  FillRect(s.DC, {0, 0, 100, 100}, &red);
  EXPECT_EQ(s.Picture(kRedPixel),
            (std::vector<std::string>{"........", "..##..##", "..##....", "........"}));
  TRect box;
  ASSERT_TRUE(GetClipBox(s.DC, box));
  EXPECT_EQ(box, (TRect{0, 0, 6, 2}));  // logical coordinates
  EXPECT_EQ(GetPixel(s.DC, 2, 0), CLR_INVALID);
  EXPECT_EQ(GetPixel(s.DC, 0, 0), static_cast<COLORREF>(clRed));
}

TEST(GdiFill, IntersectClipRectNarrowsTheClip) {
  Surface s(4, 2);
  IntersectClipRect(s.DC, 1, 0, 3, 1);
  const LogBrush red{bsSolid, clRed};
  FillRect(s.DC, {0, 0, 4, 2}, &red);
  EXPECT_EQ(s.Picture(kRedPixel), (std::vector<std::string>{".##.", "...."}));
}

TEST(GdiFill, FillColumnsPaintsWhatAFillPerColumnPaints) {
  // A window at (2, 1) of a 12 × 6 framebuffer, visible in two pieces.
  Region twoPieces(TRect{2, 1, 7, 5});
  twoPieces.Union(TRect{9, 2, 12, 6});
  struct Case {
    const char* what;
    int x, y, h, count;
    TPoint origin;
    const Region* clip;
    bool monochrome;
  };
  const Case cases[] = {
      {"inside", 1, 1, 3, 6, {}, nullptr, false},
      {"past every edge", -4, -2, 20, 30, {}, nullptr, false},
      {"one line", 3, 5, 1, 4, {}, nullptr, false},
      {"no lines", 0, 0, 0, 5, {}, nullptr, false},
      {"negative height", 0, 3, -2, 5, {}, nullptr, false},
      {"window with a clip region", -1, 0, 6, 12, {2, 1}, &twoPieces, false},
      {"monochrome", 0, 0, 6, 12, {}, nullptr, true},
      {"far right", INT_MAX - 3, 0, 6, 3, {}, nullptr, false},
      {"far left", INT_MIN, 0, 6, 3, {}, nullptr, false},
  };
  for (const Case& c : cases) {
    Surface columns(12, 6, 0x0000FF, c.origin, c.clip), fills(12, 6, 0x0000FF, c.origin, c.clip);
    if (c.monochrome) columns.Image.PixelFormat = fills.Image.PixelFormat = pf1bit;
    std::vector<COLORREF> colors;
    for (int i = 0; i < c.count; ++i) colors.push_back(RGB(20 * i, 255 - 20 * i, 7 * i));
    EXPECT_TRUE(FillColumns(columns.DC, c.x, c.y, c.h, colors)) << c.what;
    for (int i = 0; i < c.count; ++i) {
      const LogBrush brush{bsSolid, static_cast<TColor>(colors[i])};
      const int64_t x = int64_t{c.x} + i;
      if (x > INT_MAX - 1) break;
      FillRect(fills.DC, {static_cast<int>(x), c.y, static_cast<int>(x) + 1, c.y + c.h}, &brush);
    }
    EXPECT_EQ(columns.Image.Pixels, fills.Image.Pixels) << c.what;
  }
  EXPECT_FALSE(FillColumns(nullptr, 0, 0, 1, std::vector<COLORREF>{0}));

  // A block of whole rows taller than the runs it is copied in, and one that
  // stops a row short of the bottom.
  for (const int h : {2000, 1999}) {
    Surface tall(3, 2000, 0x808080);
    ASSERT_TRUE(FillColumns(tall.DC, 0, 0, h, std::vector<COLORREF>{clRed, clLime, clBlue}));
    for (int y = 0; y < 2000; ++y) {
      const std::vector<uint32_t> expected =
          y < h ? std::vector<uint32_t>{0xFF0000, 0x00FF00, 0x0000FF}
                : std::vector<uint32_t>{0x808080, 0x808080, 0x808080};
      ASSERT_EQ(std::vector<uint32_t>(tall.Image.Row(y), tall.Image.Row(y) + 3), expected)
          << "h = " << h << ", y = " << y;
    }
  }
}

TEST(GdiFill, RectangleFramesWithThePenAndFillsInside) {
  Surface s(6, 5);
  const LogPen black{psSolid, 1, clBlack};
  const LogBrush red{bsSolid, clRed};
  SelectObject(s.DC, &black);
  SelectObject(s.DC, &red);
  Rectangle(s.DC, 0, 0, 5, 4);
  EXPECT_EQ(s.Picture(0x000000),
            (std::vector<std::string>{"#####.", "#...#.", "#...#.", "#####.", "......"}));
  EXPECT_EQ(s.Picture(kRedPixel),
            (std::vector<std::string>{"......", ".###..", ".###..", "......", "......"}));
}

TEST(GdiFill, RectangleWithoutPenIsOnePixelSmallerAndClearBrushKeepsInside) {
  Surface s(5, 4);
  const LogPen none{psClear, 1, clBlack};
  const LogBrush red{bsSolid, clRed};
  SelectObject(s.DC, &none);
  SelectObject(s.DC, &red);
  Rectangle(s.DC, 0, 0, 4, 3);
  EXPECT_EQ(s.Picture(kRedPixel), (std::vector<std::string>{"###..", "###..", ".....", "....."}));

  Surface t(4, 4, 0x00FF00);
  const LogPen dotted{psDot, 1, clBlack};
  const LogBrush clear{bsClear, clRed};
  SelectObject(t.DC, &dotted);
  SelectObject(t.DC, &clear);
  Rectangle(t.DC, 0, 0, 4, 4);
  // A dotted ring, every other pixel along the way round; the inside is untouched.
  EXPECT_EQ(t.Picture(0x000000), (std::vector<std::string>{"#.#.", "...#", "#...", ".#.#"}));
  EXPECT_EQ(t.Image.At(1, 1), 0x00FF00u);
}

TEST(GdiRects, HelpersFollowWin32) {
  TRect r{1, 2, 5, 6};
  InflateRect(r, 1, -1);
  EXPECT_EQ(r, (TRect{0, 3, 6, 5}));
  OffsetRect(r, 2, 3);
  EXPECT_EQ(r, (TRect{2, 6, 8, 8}));
  TRect out;
  EXPECT_FALSE(IntersectRect(out, {0, 0, 2, 2}, {2, 0, 4, 2}));
  EXPECT_TRUE(out.IsEmpty());
  EXPECT_TRUE(IntersectRect(out, {0, 0, 3, 3}, {1, 1, 5, 5}));
  EXPECT_EQ(out, (TRect{1, 1, 3, 3}));
  EXPECT_TRUE(UnionRect(out, {0, 0, 0, 0}, {1, 1, 2, 2}));
  EXPECT_EQ(out, (TRect{1, 1, 2, 2}));
  EXPECT_TRUE(UnionRect(out, {0, 0, 1, 1}, {3, 3, 4, 4}));
  EXPECT_EQ(out, (TRect{0, 0, 4, 4}));
  EXPECT_TRUE(PtInRect({0, 0, 2, 2}, {1, 1}));
  EXPECT_FALSE(PtInRect({0, 0, 2, 2}, {2, 1}));
}

}  // namespace
