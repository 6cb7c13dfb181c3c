// TKxBevel.Paint and TKxGraphPal.ToBMP on real bitmaps.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>

#include "host/graphics/Bitmap.h"
#include "host/graphics/Canvas.h"
#include "kxpack/foundations/KxClasses.h"
#include "tests/support/Pixels.h"

namespace kx {
namespace {

using host::TBitmap;
using host::TColor;
using host::TRect;
using host::testing::FilledBitmap;

TEST(KxBevel, DefaultPaintIsOutlineRaisedLoweredAndBand) {
  constexpr TColor kBack = 0x00ABCDEF;
  auto bmp = FilledBitmap(12, 12, kBack);
  TKxBevel bevel;
  TRect r{0, 0, 10, 10};
  bevel.Paint(bmp->Canvas(), r);
  EXPECT_EQ(r, (TRect{4, 4, 6, 6}));

  const TColor light = host::ColorToRGB(host::clBtnHighlight);
  const TColor dark = host::ColorToRGB(host::clBtnShadow);
  const TColor face = host::ColorToRGB(host::clBtnFace);
  // Per ring from the outside: the colour of the left/top and right/bottom edges.
  const std::array<std::pair<TColor, TColor>, 4> rings = {
      {{host::clBlack, host::clBlack}, {light, dark}, {dark, light}, {face, face}}};
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 12; ++x) {
      const int k = std::min({x, y, 9 - x, 9 - y});
      TColor expected = kBack;
      if (k >= 0 && k < 4) {
        const bool rightOrBottom = x == 9 - k || y == 9 - k;
        expected = rightOrBottom ? rings[k].second : rings[k].first;
      }
      ASSERT_EQ(bmp->Canvas()->Pixels(x, y), expected) << x << "," << y;
    }
}

TEST(KxBevel, PaintConsumesWhatGetVisibleAreaReports) {
  const std::array<void (*)(TKxBevel&), 4> setups = {
      [](TKxBevel&) {},
      [](TKxBevel& b) { b.SetVisible(false); },
      [](TKxBevel& b) {
        b.SetBorderWidth(2);
        b.SetOuterOutline(osInner);
        b.SetInnerOutline(osOuter);
        b.SetOuterSpace(3);
        b.SetInnerWidth(2);
      },
      [](TKxBevel& b) {
        b.SetInnerStyle(kxNone);
        b.SetOuterStyle(kxNone);
        b.SetOuterOutline(osNone);
        b.SetInnerSpace(0);
      },
  };
  for (size_t i = 0; i < setups.size(); ++i) {
    TKxBevel bevel;
    setups[i](bevel);
    auto bmp = FilledBitmap(40, 30, 0x00ABCDEF);
    const auto before = FilledBitmap(40, 30, 0x00ABCDEF);
    TRect painted{1, 2, 39, 28}, measured = painted;
    bevel.Paint(bmp->Canvas(), painted);
    bevel.GetVisibleArea(measured);
    EXPECT_EQ(painted, measured) << "bevel " << i;
    if (measured == (TRect{1, 2, 39, 28})) {
      EXPECT_EQ(bmp->Handle()->Pixels, before->Handle()->Pixels)
          << "bevel " << i << " paints nothing";
    }
  }
}

TEST(KxGraphPal, ToBMPReplacesTheTwoKeyColoursJudgedOnTheOriginal) {
  struct Case {
    const char* what;
    TColor low, high;        // the palette
    TColor srcLow, srcHigh;  // the keys
    std::array<TColor, 3> in, out;
  };
  const TColor face = host::ColorToRGB(host::clBtnFace);
  const TColor shadow = host::ColorToRGB(host::clBtnShadow);
  const Case cases[] = {
      {"only the keys change",
       0x000080,
       0x0000FF,
       0x808080,
       0xC0C0C0,
       {0x808080, 0xC0C0C0, 0x123456},
       {0x000080, 0x0000FF, 0x123456}},
      {"Low equal to SrcHigh: first-pass pixels are not recoloured again",
       0xC0C0C0,
       0x0000FF,
       0x808080,
       0xC0C0C0,
       {0x808080, 0xC0C0C0, 0},
       {0xC0C0C0, 0x0000FF, 0}},
      {"the same key twice ends High, as the second pass leaves it",
       0x000080,
       0x0000FF,
       0x808080,
       0x808080,
       {0x808080, 0xC0C0C0, 0},
       {0x0000FF, 0xC0C0C0, 0}},
      {"system colours are resolved",
       host::clBtnShadow,
       0x0000FF,
       host::clBtnFace,
       0xC0C0C0,
       {face, 0xC0C0C0, 0},
       {shadow, 0x0000FF, 0}},
  };
  for (const Case& c : cases) {
    TKxGraphPal pal;
    pal.SetLow(c.low);
    pal.SetHigh(c.high);
    // A strip long enough for the vector loop and its tail.
    TBitmap bmp;
    bmp.SetSize(37, 3);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 37; ++x) bmp.Canvas()->SetPixels(x, y, c.in[(x + y) % 3]);
    pal.ToBMP(&bmp, c.srcLow, c.srcHigh);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 37; ++x)
        ASSERT_EQ(bmp.Canvas()->Pixels(x, y), c.out[(x + y) % 3]) << c.what << " at " << x;
  }

  TKxGraphPal pal;
  TBitmap empty;
  pal.ToBMP(&empty, 0, 1);  // nothing to do, and no failure
  EXPECT_TRUE(empty.Empty());
}

}  // namespace
}  // namespace kx
