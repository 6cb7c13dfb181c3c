#include <gtest/gtest.h>

#include "host/graphics/Gdi.h"
#include "tests/host/graphics/GdiTestSupport.h"

using namespace host;
using gdi_test::Surface;

namespace {

struct LineCase {
  TPoint From, To;
  std::vector<std::string> Expected;
};

class OnePixelLineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(OnePixelLineTest, LeavesTheLastPointUnpainted) {
  Surface s(5, 5);
  MoveToEx(s.DC, GetParam().From.X, GetParam().From.Y, nullptr);
  LineTo(s.DC, GetParam().To.X, GetParam().To.Y);
  EXPECT_EQ(s.Picture(0x000000), GetParam().Expected);
  EXPECT_EQ(s.DC->Position, GetParam().To);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, OnePixelLineTest,
    ::testing::Values(LineCase{{0, 0}, {4, 0}, {"####.", ".....", ".....", ".....", "....."}},
                      LineCase{{4, 0}, {0, 0}, {".####", ".....", ".....", ".....", "....."}},
                      LineCase{{1, 4}, {1, 0}, {".....", ".#...", ".#...", ".#...", ".#..."}},
                      LineCase{{0, 0}, {4, 4}, {"#....", ".#...", "..#..", "...#.", "....."}},
                      LineCase{{4, 0}, {0, 4}, {"....#", "...#.", "..#..", ".#...", "....."}},
                      // A shallow line steps once, halfway; a tie rounds toward the start.
                      LineCase{{0, 1}, {4, 2}, {".....", "###..", "...#.", ".....", "....."}},
                      LineCase{{0, 0}, {1, 4}, {"#....", "#....", "#....", ".#...", "....."}},
                      // A zero-length line paints nothing.
                      LineCase{{2, 2}, {2, 2}, {".....", ".....", ".....", ".....", "....."}},
                      // Off-surface parts are cut, however far the ends lie.
                      LineCase{{-3, 2}, {3, 2}, {".....", ".....", "###..", ".....", "....."}},
                      LineCase{{-2000000000, -2000000000},
                               {2000000000, 2000000000},
                               {"#....", ".#...", "..#..", "...#.", "....#"}},
                      LineCase{{2000000004, -2000000000},
                               {-2000000000, 2000000004},
                               {"....#", "...#.", "..#..", ".#...", "#...."}}));

TEST(GdiLines, ADottedLineKeepsItsPatternWhereItEntersTheSurface) {
  Surface s(6, 1);
  const LogPen dotted{psDot, 1, clBlack};
  SelectObject(s.DC, &dotted);
  MoveToEx(s.DC, -3, 0, nullptr);
  LineTo(s.DC, 5, 0);
  EXPECT_EQ(s.Picture(0x000000)[0], ".#.#..");
}

TEST(GdiLines, PolylineLeavesOnlyItsLastPointAndKeepsThePosition) {
  Surface s(5, 5);
  MoveToEx(s.DC, 3, 3, nullptr);
  const TPoint frame[] = {{0, 4}, {0, 0}, {4, 0}};
  Polyline(s.DC, frame, 3);
  EXPECT_EQ(s.Picture(0x000000),
            (std::vector<std::string>{"####.", "#....", "#....", "#....", "#...."}));
  EXPECT_EQ(s.DC->Position, (TPoint{3, 3}));
}

TEST(GdiLines, PenStylesAndColours) {
  struct StyleCase {
    TPenStyle Style;
    int Length;
    std::string Expected;
  };
  const StyleCase cases[] = {
      {psSolid, 8, "########."},
      {psDot, 8, "#.#.#.#.."},
      {psClear, 8, "........."},
      {psDash, 26, "##################......##."},
  };
  for (const StyleCase& c : cases) {
    Surface s(c.Length + 1, 1);
    const LogPen pen{c.Style, 1, clBlack};
    SelectObject(s.DC, &pen);
    MoveToEx(s.DC, 0, 0, nullptr);
    LineTo(s.DC, c.Length, 0);
    EXPECT_EQ(s.Picture(0x000000)[0], c.Expected) << EnumName(c.Style);
  }
  Surface s(3, 1);
  const LogPen face{psSolid, 1, clBtnShadow};
  SelectObject(s.DC, &face);
  MoveToEx(s.DC, 0, 0, nullptr);
  LineTo(s.DC, 3, 0);
  EXPECT_EQ(s.Image.At(2, 0), SwapRedBlue(GetSysColor(COLOR_BTNSHADOW)));
}

TEST(GdiLines, XorPenInvertsTwiceBackToTheStart) {
  Surface s(4, 1, 0x123456);
  const LogPen white{psSolid, 1, clWhite};
  SelectObject(s.DC, &white);
  SetROP2(s.DC, R2_XORPEN);
  MoveToEx(s.DC, 0, 0, nullptr);
  LineTo(s.DC, 2, 0);
  EXPECT_EQ(s.Image.At(0, 0), 0x123456u ^ 0xFFFFFFu);
  MoveToEx(s.DC, 0, 0, nullptr);
  LineTo(s.DC, 2, 0);
  EXPECT_EQ(s.Image.At(0, 0), 0x123456u);
  EXPECT_EQ(s.Image.At(2, 0), 0x123456u);
}

TEST(GdiLines, AWidePenFarOffTheSurfaceCostsOnlyWhatFallsOnIt) {
  Surface s(4, 4);
  const LogPen wide{psSolid, 1000, clBlack};
  SelectObject(s.DC, &wide);
  MoveToEx(s.DC, -1000000000, 2, nullptr);
  LineTo(s.DC, 1000000000, 2);
  EXPECT_EQ(s.Picture(0x000000), (std::vector<std::string>{"####", "####", "####", "####"}));
}

TEST(GdiLines, WidePenCoversBothEndsWithARoundStamp) {
  Surface s(9, 7);
  const LogPen wide{psSolid, 3, clBlack};
  SelectObject(s.DC, &wide);
  MoveToEx(s.DC, 2, 3, nullptr);
  LineTo(s.DC, 6, 3);
  EXPECT_EQ(s.Picture(0x000000),
            (std::vector<std::string>{".........", ".........", ".#######.", ".#######.",
                                      ".#######.", ".........", "........."}));
  Surface t(7, 7);
  const LogPen disc{psSolid, 4, clBlack};
  SelectObject(t.DC, &disc);
  MoveToEx(t.DC, 3, 3, nullptr);
  LineTo(t.DC, 3, 3);
  // Width 4 drops the corners of its 4 × 4 square.
  EXPECT_EQ(t.Picture(0x000000),
            (std::vector<std::string>{".......", ".......", "...##..", "..####.", "..####.",
                                      "...##..", "......."}));
}

}  // namespace
