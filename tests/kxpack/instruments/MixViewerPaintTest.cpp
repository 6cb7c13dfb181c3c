// What the mix viewer shows: tick geometry, zone colours, the marker, unlit
// ticks, self-sizing, and single-bar redraws that touch only their column.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <functional>
#include <string>

#include "MixViewerFixture.h"
#include "host/base/Types.h"

namespace kx::testing {

using namespace host;

namespace {

// The pixel word of a colour as the form shows it.
uint32_t Px(TColor color) { return ColorToPixel(color); }

}  // namespace

TEST_F(MixViewerTest, ANewViewerShowsTenBarsOfTwentySevenTicks) {
  EXPECT_EQ(viewer->Width(), 93);
  EXPECT_EQ(viewer->Height(), 57);
  EXPECT_EQ(viewer->BarArea(), Rect(2, 2, 91, 55));
  EXPECT_EQ(viewer->TickCount(), 27);
  const BitmapImage got = ViewerPixels();
  // The black border, the unlit top tick in the top zone's dim colour, the
  // gap under it in the background, the bottom tick in the bottom zone's.
  EXPECT_EQ(got.At(0, 0), Px(clBlack));
  EXPECT_EQ(got.At(1, 30), Px(clBlack));
  EXPECT_EQ(got.At(2, 2), Px(0x000080));
  EXPECT_EQ(got.At(2, 3), Px(kBackground));
  EXPECT_EQ(got.At(10, 2), Px(kBackground));  // the gap between bars
  EXPECT_EQ(got.At(11, 2), Px(0x000080));
  ExpectPicture();
}

TEST_F(MixViewerTest, ABarLightsItsTicksInProportionWithTheMarkerOnTop) {
  viewer->GetItem(0)->SetPosition(50);
  viewer->GetItem(1)->SetPosition(100);
  const BitmapImage got = ViewerPixels();
  // 13 of 27 ticks lit: the topmost lit tick is tick 14 from the top.
  const int litTop = 2 + 14 * 2;
  EXPECT_EQ(got.At(2, litTop), Px(clWhite));
  EXPECT_NE(got.At(2, litTop - 2), Px(clWhite));
  // The bottom tick lit, near the bottom zone's colour: the ramp's pure
  // colour falls below the area.
  EXPECT_EQ(got.At(2, 54), Px(0x0000FF0E));
  // At 100 every tick is lit; the top one is the marker.
  EXPECT_EQ(got.At(11, 2), Px(clWhite));
  EXPECT_EQ(got.At(11, 4), Px(0x00001FFF));  // 255 × 2 div 16 of the way to yellow
  ExpectPicture();
}

struct LookCase {
  const char* name;
  std::function<void(TKxMixViewer*)> set;
  friend void PrintTo(const LookCase& c, std::ostream* os) { *os << c.name; }
};

class MixViewerLooks : public MixViewerTest, public ::testing::WithParamInterface<LookCase> {};

// Each look against the tick-by-tick drawing, with bars at the ends, in the
// middle and outside the range.
TEST_P(MixViewerLooks, MatchesTheTickByTickDrawing) {
  viewer->BeginUpdate();
  GetParam().set(viewer);
  viewer->EndUpdate();
  Pump();
  // In 64 bits: the whole Integer range is one of the cases.
  const int64_t lo = viewer->MinValue(), hi = viewer->MaxValue();
  const auto at = [](int64_t v) { return host::SaturateToInt32(v); };
  const Integer positions[] = {
      at(lo),     at(hi),    at(lo + (hi - lo) / 2), at(lo + (hi - lo) / 3), INT_MIN, INT_MAX,
      at(hi + 1), at(lo - 1)};
  for (Integer i = 0; i < viewer->GetCount(); ++i)
    viewer->GetItem(i)->SetPosition(positions[i % std::size(positions)]);
  ExpectPicture();
  viewer->Repaint();
  ExpectPicture();
  // A meter's life: small steps, jumps, ends and the same level again, each
  // redrawn on the screen over what the bar showed before.
  uint32_t seed = 12345;
  for (int step = 0; step < 60; ++step) {
    seed = seed * 1103515245 + 12345;
    const Integer bar = static_cast<Integer>(seed >> 8) % viewer->GetCount();
    const Integer old = viewer->GetItem(bar)->Position();
    const int64_t range = int64_t{hi} - lo;
    const Integer next = step % 7 == 0   ? positions[(seed >> 4) % std::size(positions)]
                         : step % 3 == 0 ? lo + static_cast<Integer>((seed >> 3) % (range + 1))
                                         : static_cast<Integer>(std::clamp<int64_t>(
                                               int64_t{old} + (seed >> 12) % 21 - 10, lo, hi));
    viewer->GetItem(bar)->SetPosition(next);
    if (step % 5 == 0) ExpectPicture();
  }
  ExpectPicture();
}

INSTANTIATE_TEST_SUITE_P(
    Looks, MixViewerLooks,
    ::testing::Values(
        LookCase{"Default", [](TKxMixViewer*) {}},
        LookCase{"PlainColors", [](TKxMixViewer* v) { v->SetPlainColors(true); }},
        LookCase{"NoMarker", [](TKxMixViewer* v) { v->SetMarkerVisible(false); }},
        LookCase{"BackgroundUnlitTicks", [](TKxMixViewer* v) { v->SetShowInactive(false); }},
        LookCase{"TallTicksWideGaps",
                 [](TKxMixViewer* v) {
                   v->SetTickHeight(3);
                   v->SetSpacing(2);
                   v->SetBarWidth(5);
                   v->SetBarSpacing(3);
                   v->SetBounds(v->Left(), v->Top(), 120, 90);
                 }},
        LookCase{"OverlappingTicks",
                 [](TKxMixViewer* v) {
                   v->SetTickHeight(3);
                   v->SetSpacing(-1);
                   v->SetPlainColors(true);
                 }},
        LookCase{"PitchOfZero", [](TKxMixViewer* v) { v->SetSpacing(-1); }},
        LookCase{"NegativePitch",
                 [](TKxMixViewer* v) {
                   v->SetTickHeight(2);
                   v->SetSpacing(-7);
                 }},
        LookCase{"ColoursAndZones",
                 [](TKxMixViewer* v) {
                   v->GraphPal1()->SetHigh(0x00C08040);
                   v->GraphPal3()->SetLow(clBtnFace);
                   v->SetPercent1(30);
                   v->SetPercent2(50);
                   v->SetMarkerColor(0x0000C0C0);
                 }},
        LookCase{"NegativeRange",
                 [](TKxMixViewer* v) {
                   v->SetMinValue(-500);
                   v->SetMaxValue(-100);
                 }},
        LookCase{"WholeIntegerRange",
                 [](TKxMixViewer* v) {
                   v->SetMaxValue(INT_MAX);
                   v->SetMinValue(INT_MIN);
                 }},
        LookCase{"WideBorder", [](TKxMixViewer* v) { v->Bevel()->SetBorderWidth(5); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MixViewerTest, TheGradientRunsThroughTheZonesFromTheTop) {
  viewer->SetSpacing(0);  // every row a tick
  viewer->Reset(100);
  viewer->SetMarkerVisible(false);
  const BitmapImage got = ViewerPixels();
  // Rows 0 to 16 of the area ramp from red to yellow, rows 17 on from
  // yellow towards green.
  EXPECT_EQ(got.At(2, 2), Px(0x0000FF));
  EXPECT_EQ(got.At(2, 2 + 16), Px(0x00FFFF));
  EXPECT_EQ(got.At(2, 2 + 17), Px(0x00FFFF));
  EXPECT_EQ(got.At(2, 2 + 1), Px(0x00000FFF));  // 255 × 1 div 16 of the way
}

TEST_F(MixViewerTest, PlainZonesAreWholeTicks) {
  viewer->SetPlainColors(true);
  viewer->Reset(100);
  viewer->SetMarkerVisible(false);
  const BitmapImage got = ViewerPixels();
  // 16 ticks green, 6 yellow, the top 9 pixel rows (5 ticks) red.
  EXPECT_EQ(got.At(2, 2 + 8), Px(0x0000FF));
  EXPECT_EQ(got.At(2, 2 + 10), Px(0x00FFFF));
  EXPECT_EQ(got.At(2, 2 + 20), Px(0x00FFFF));
  EXPECT_EQ(got.At(2, 2 + 22), Px(clLime));
}

TEST_F(MixViewerTest, OneBarChangingRedrawsOnlyItsColumnStraightOnTheScreen) {
  for (Integer i = 0; i < viewer->GetCount(); ++i) viewer->GetItem(i)->SetPosition(10 * i);
  const BitmapImage before = ViewerPixels();
  viewer->GetItem(3)->SetPosition(95);
  // Drawn at once, before the loop runs again.
  const TRect column = Rect(2 + 3 * 9, 2, 2 + 3 * 9 + 8, 55);
  EXPECT_EQ(form->Framebuffer().At(kLeft + column.Left, kTop + 2 + 2 * 2) & 0xFFFFFF, Px(clWhite));
  const BitmapImage after = ViewerPixels();
  int outside = 0, inside = 0;
  for (int y = 0; y < after.Height; ++y)
    for (int x = 0; x < after.Width; ++x) {
      const bool in = x >= column.Left && x < column.Right && y >= column.Top && y < column.Bottom;
      if (after.At(x, y) != before.At(x, y)) ++(in ? inside : outside);
    }
  EXPECT_EQ(outside, 0);
  EXPECT_GT(inside, 0);
  ExpectPicture();
}

// Bars that overlap draw over each other: a bar redrawn on the screen
// draws its whole column again, also where its neighbour drew last.
TEST_F(MixViewerTest, AnOverlappingBarRedrawsItsWholeColumn) {
  viewer->SetBarSpacing(-4);  // bar 1 covers the right half of bar 0
  Pump();
  viewer->GetItem(1)->SetPosition(100);
  const uint32_t overlap = form->Framebuffer().At(kLeft + 2 + 4, kTop + 2) & 0xFFFFFF;
  EXPECT_EQ(overlap, Px(clWhite));     // bar 1's marker
  viewer->GetItem(0)->SetPosition(4);  // one tick at the bottom
  EXPECT_EQ(form->Framebuffer().At(kLeft + 2 + 4, kTop + 2) & 0xFFFFFF, Px(0x000080));
}

TEST_F(MixViewerTest, ABarOutsideTheRangeDrawsNothingOutsideItsColumn) {
  const BitmapImage before = ViewerPixels();
  for (Integer p : {INT_MAX, 101, -1, INT_MIN}) {
    viewer->GetItem(9)->SetPosition(p);
    const BitmapImage after = ViewerPixels();
    for (int y = 0; y < after.Height; ++y)
      for (int x = 0; x < after.Width; ++x) {
        if (x >= 2 + 9 * 9 && x < 2 + 9 * 9 + 8 && y >= 2 && y < 55) continue;
        ASSERT_EQ(after.At(x, y), before.At(x, y)) << "position " << p << " at " << x << "," << y;
      }
    ExpectPicture();
  }
}

TEST_F(MixViewerTest, ASizeThatDoesNotFitIsCorrectedAtTheNextPaint) {
  viewer->SetBounds(kLeft, kTop, 100, 60);
  Pump();
  EXPECT_EQ(viewer->Width(), 93);
  EXPECT_EQ(viewer->Height(), 59);  // 28 ticks now fit
  EXPECT_EQ(viewer->TickCount(), 28);
  ExpectPicture();
}

TEST_F(MixViewerTest, ABevelChangeKeepsTheBarAreaAndResizesTheControl) {
  viewer->Bevel()->SetBorderWidth(4);
  EXPECT_EQ(viewer->Width(), 89 + 8);
  EXPECT_EQ(viewer->Height(), 53 + 8);
  ExpectPicture();
}

TEST_F(MixViewerTest, ABevelChangeBeforeTheFirstPaintDoesNotShrinkTheViewer) {
  auto* fresh = new TKxMixViewer(form);
  fresh->Bevel()->SetBorderWidth(4);
  EXPECT_EQ(fresh->Width(), 93);
  EXPECT_EQ(fresh->Height(), 57);
  fresh->SetBounds(200, 10, 93, 57);
  fresh->SetParent(form);
  Pump();
  // The first paint fits the bars inside the wider border.
  EXPECT_EQ(fresh->BarArea(), Rect(4, 4, 93, 53));
  EXPECT_EQ(fresh->TickCount(), 25);
  EXPECT_EQ(fresh->Width(), 4 + 9 * 10 - 1 + 4);
}

TEST_F(MixViewerTest, BarsAreNotDrawnStraightWithoutAParentOrWhileLoadingOrHidden) {
  const BitmapImage before = ViewerPixels();
  viewer->SetLoadingState(true);
  viewer->GetItem(0)->SetPosition(100);
  EXPECT_EQ(form->Framebuffer().At(kLeft + 2, kTop + 2) & 0xFFFFFF, before.At(2, 2));
  viewer->SetLoadingState(false);

  viewer->SetVisible(false);
  Pump();
  const uint32_t under = form->Framebuffer().At(kLeft + 2, kTop + 2) & 0xFFFFFF;
  viewer->GetItem(0)->SetPosition(0);
  EXPECT_EQ(form->Framebuffer().At(kLeft + 2, kTop + 2) & 0xFFFFFF, under);

  viewer->SetParent(nullptr);
  viewer->GetItem(0)->SetPosition(60);  // no parent: nothing to draw on, and no failure
  viewer->SetParent(form);
  viewer->SetVisible(true);
  viewer->GetItem(1)->SetPosition(100);
  ExpectPicture();
}

}  // namespace kx::testing
