#include <gtest/gtest.h>

#include "host/base/SysUtils.h"
#include "host/graphics/Color.h"
#include "host/graphics/Region.h"

using namespace host;

namespace {

long long AreaOf(const Region& r) {
  long long a = 0;
  for (const TRect& t : r.Rects()) a += static_cast<long long>(t.Width()) * t.Height();
  return a;
}

bool Disjoint(const Region& r) {
  for (size_t i = 0; i < r.Rects().size(); ++i)
    for (size_t j = i + 1; j < r.Rects().size(); ++j) {
      const TRect &a = r.Rects()[i], &b = r.Rects()[j];
      if (std::max(a.Left, b.Left) < std::min(a.Right, b.Right) &&
          std::max(a.Top, b.Top) < std::min(a.Bottom, b.Bottom))
        return false;
    }
  return true;
}

TEST(Region, UnionSubtractAndIntersectKeepDisjointRectangles) {
  Region r(TRect{0, 0, 10, 10});
  r.Union(TRect{5, 5, 15, 15});
  EXPECT_EQ(AreaOf(r), 100 + 100 - 25);
  EXPECT_TRUE(Disjoint(r));
  EXPECT_EQ(r.Bounds(), (TRect{0, 0, 15, 15}));

  r.Subtract(TRect{2, 2, 8, 8});  // a hole
  EXPECT_EQ(AreaOf(r), 175 - 36);
  EXPECT_FALSE(r.Contains({4, 4}));
  EXPECT_TRUE(r.Contains({1, 4}));
  EXPECT_TRUE(Disjoint(r));

  r.Intersect(TRect{0, 0, 10, 3});
  EXPECT_EQ(AreaOf(r), 30 - 6);
  EXPECT_TRUE(r.SameArea([] {
    Region e(TRect{0, 0, 10, 2});
    e.Union(TRect{0, 2, 2, 3});
    e.Union(TRect{8, 2, 10, 3});
    return e;
  }()));

  r.Offset(100, 0);
  EXPECT_TRUE(r.Contains({100, 0}));
  r.Intersect(Region(TRect{0, 0, 5, 5}));
  EXPECT_TRUE(r.Empty());
  EXPECT_TRUE(r.Bounds().IsEmpty());
}

TEST(Color, SystemColoursResolveAndPixelsSwapRedAndBlue) {
  EXPECT_EQ(clBtnFace, static_cast<TColor>(0xFF00000F));
  EXPECT_EQ(ColorToRGB(clBtnFace), static_cast<TColor>(GetSysColor(COLOR_BTNFACE)));
  EXPECT_EQ(ColorToRGB(clRed), clRed);
  EXPECT_EQ(GetSysColor(99), 0u);
  EXPECT_EQ(ColorToPixel(clRed), 0xFF0000u);
  EXPECT_EQ(ColorToPixel(static_cast<TColor>(0x00584E4E)), 0x4E4E58u);
  EXPECT_EQ(PixelToColor(0x0000FF), clBlue);
  EXPECT_EQ(ColorToPixel(clWindow), 0xFFFFFFu);
}

TEST(Color, NamesRoundTripAndOtherValuesAreHex) {
  for (TColor c : {clBlack, clWhite, clBtnFace, clNone, clDefault, clInfoBk})
    EXPECT_EQ(StringToColor(ColorToString(c)), c) << ColorToString(c);
  EXPECT_EQ(ColorToString(0), "clBlack");
  EXPECT_EQ(ColorToString(static_cast<TColor>(0x00584E4E)), "$00584E4E");
  EXPECT_EQ(StringToColor("$00584E4E"), static_cast<TColor>(0x00584E4E));
  EXPECT_EQ(IdentToColor("CLBTNFACE"), clBtnFace);
  EXPECT_FALSE(IdentToColor("clPlaid").has_value());
  EXPECT_THROW(StringToColor("clPlaid"), EConvertError);
}

}  // namespace
