#include "kxpack/foundations/KxColorUtils.h"
#include "kxpack/foundations/KxIntUtils.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>

#include "host/graphics/Color.h"

namespace kx {
namespace {

TEST(KxUtils, SolveForXRoundsTwiceInExtendedPrecision) {
  struct Case {
    Integer percent, total, expected;
  };
  // The factor lies just below 0.01, so several exact products fall one short.
  const Case cases[] = {
      {10, 10, 0},
      {20, 10, 1},
      {30, 10, 2},
      {60, 5, 2},
      {50, 10, 5},
      {70, 10, 7},
      {50, 200, 100},
      {33, 10, 3},
      {100, 0, 0},
      {100, 1, 1},
      {100, 7, 7},
      {100, 12345, 12345},
      {100, INT_MAX, INT_MAX},
      {0, 500, 0},
      {-50, 10, -5},
      {-10, 10, 0},
      {200, INT_MAX, INT_MAX},
      {200, INT_MIN, INT_MIN},
  };
  for (const Case& c : cases)
    EXPECT_EQ(SolveForX(c.percent, c.total), c.expected) << c.percent << "% of " << c.total;
}

TEST(KxUtils, SolveForY) {
  struct Case {
    Integer value, total, expected;
  };
  const Case cases[] = {
      {1, 3, 33}, {5, 0, 0}, {3, 3, 100}, {2, 3, 66}, {-1, 3, -33}, {INT_MAX, 1, INT_MAX},
  };
  for (const Case& c : cases)
    EXPECT_EQ(SolveForY(c.value, c.total), c.expected) << c.value << " of " << c.total;
}

TEST(KxUtils, AdjustRangeTestsMinFirst) {
  struct Case {
    Integer value, min, max, expected;
  };
  const Case cases[] = {
      {5, 10, 20, 10},
      {25, 10, 20, 20},
      {15, 10, 20, 15},
      {10, 10, 20, 10},
      {20, 10, 20, 20},
      // Min above Max: below Min ends at Min, only a value above both ends at Max.
      {5, 20, 10, 20},
      {15, 20, 10, 20},
      {25, 20, 10, 10},
  };
  for (const Case& c : cases) {
    Integer v = c.value;
    AdjustRange(v, c.min, c.max);
    EXPECT_EQ(v, c.expected) << c.value << " in " << c.min << ".." << c.max;
  }
}

TEST(KxUtils, IntegerAndRectangleHelpers) {
  EXPECT_EQ(MinIntVal(-3, 2), -3);
  EXPECT_EQ(MaxIntVal(-3, 2), 2);
  const TRect r{2, 3, 12, 8};
  EXPECT_EQ(WidthOf(r), 10);
  EXPECT_EQ(HeightOf(r), 5);
  EXPECT_EQ(WidthOf(TRect{5, 0, 2, 0}), -3);
}

// The difference is taken in 64 bits: a rectangle wider or taller than the
// Integer range gives the bound it passes, not a wrapped-around sign.
TEST(KxUtils, WidthAndHeightOfExtremeRectanglesSaturate) {
  struct Case {
    Integer from, to, size;
  };
  for (const Case& c :
       {Case{INT_MIN, INT_MAX, INT_MAX}, Case{INT_MAX, INT_MIN, INT_MIN},
        Case{-1, INT_MAX, INT_MAX}, Case{INT_MIN, 0, INT_MAX}, Case{0, INT_MIN, INT_MIN},
        Case{-2, INT_MAX - 2, INT_MAX}, Case{1, INT_MIN + 1, INT_MIN}}) {
    SCOPED_TRACE(testing::Message() << c.from << " .. " << c.to);
    EXPECT_EQ(WidthOf(TRect{c.from, 7, c.to, 9}), c.size);
    EXPECT_EQ(HeightOf(TRect{7, c.from, 9, c.to}), c.size);
  }
}

TEST(KxUtils, ColoursResolveSystemColours) {
  EXPECT_EQ(Color2RGB(0x00584E4E), 0x00584E4E);
  EXPECT_EQ(Color2RGB(host::clBtnFace), static_cast<Integer>(host::GetSysColor(15)));
  EXPECT_GE(Color2RGB(host::clBtnShadow), 0);

  Byte r, g, b;
  GetRGB(0x00123456, r, g, b);
  EXPECT_EQ((std::array<int, 3>{r, g, b}), (std::array<int, 3>{0x56, 0x34, 0x12}));
  const uint32_t face = host::GetSysColor(15);
  GetRGB(host::clBtnFace, r, g, b);
  EXPECT_EQ((std::array<int, 3>{r, g, b}),
            (std::array<int, 3>{int(face & 0xFF), int((face >> 8) & 0xFF), int(face >> 16)}));
}

}  // namespace
}  // namespace kx
