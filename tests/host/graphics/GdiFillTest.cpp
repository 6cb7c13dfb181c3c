#include <gtest/gtest.h>

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
