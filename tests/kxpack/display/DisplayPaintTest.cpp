// What the numeric display paints: digit, blank and sign cells, padding,
// placement, auto size, palette colours and transparency.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "DisplayFixture.h"
#include "host/controls/Panels.h"

namespace kx::testing {

using namespace host;

namespace {

constexpr int B = kDisplayBlankCell;
constexpr int MinusUnlit = kDisplayMinusUnlitCell;
constexpr int MinusLit = kDisplayMinusLitCell;

struct CellCase {
  const char* name;
  Integer min;
  Integer value;
  bool leadingZero;
  bool zeroBlank;
  std::vector<int> cells;
};

class DisplayCells : public DisplayTest, public ::testing::WithParamInterface<CellCase> {};

TEST_P(DisplayCells, ShowsTheCellsOfTheValue) {
  const CellCase& c = GetParam();
  display->SetAutoSize(false);
  display->SetAlignment(tnaLeftJustify);
  display->SetMin(c.min);
  display->SetLeadingZero(c.leadingZero);
  display->SetZeroBlank(c.zeroBlank);
  display->SetValue(c.value);
  Pump();
  ExpectRow(c.cells, 0, (display->Height() - display->CellHeight()) / 2, kBackground);
}

INSTANTIATE_TEST_SUITE_P(
    Padding, DisplayCells,
    ::testing::Values(
        CellCase{"BlankPadded", 0, 7, false, false, {B, B, B, 7}},
        CellCase{"ZeroPadded", 0, 7, true, false, {0, 0, 0, 7}},
        CellCase{"FullWidth", 0, 1234, false, false, {1, 2, 3, 4}},
        CellCase{"ZeroShown", 0, 0, false, false, {B, B, B, 0}},
        CellCase{"ZeroBlank", 0, 0, false, true, {B, B, B, B}},
        CellCase{"ZeroBlankWithLeadingZero", 0, 0, true, true, {0, 0, 0, 0}},
        CellCase{"NegativeLitMinus", -50, -7, false, false, {MinusLit, B, B, B, 7}},
        CellCase{"PositiveUnlitMinus", -50, 7, false, false, {MinusUnlit, B, B, B, 7}},
        CellCase{"NegativeZeroPadded", -50, -42, true, false, {MinusLit, 0, 0, 4, 2}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DisplayTest, SettingMinBackToZeroRemovesTheSignCell) {
  display->SetMin(-50);
  EXPECT_TRUE(display->SignCell());
  Pump();
  EXPECT_EQ(display->Width(), 5 * 7 + 4 * 2);
  display->SetMin(0);
  Pump();
  EXPECT_FALSE(display->SignCell());
  EXPECT_EQ(display->Width(), 4 * 7 + 3 * 2);
  ExpectRow({B, B, B, 0}, 0, 0, kBackground);
}

TEST_F(DisplayTest, TheLowestIntegerShowsItsMagnitudeWithALitMinus) {
  display->SetAutoSize(false);
  display->SetBounds(10, 10, 200, 26);
  display->SetAlignment(tnaLeftJustify);
  display->SetDigits(10);
  display->SetMin(INT32_MIN);
  display->SetValue(INT32_MIN);
  Pump();
  EXPECT_EQ(display->Value(), INT32_MIN);
  ExpectRow({MinusLit, 2, 1, 4, 7, 4, 8, 3, 6, 4, 8}, 0, 6, kBackground);
}

TEST_F(DisplayTest, AValueLongerThanDigitsRunsPastTheRow) {
  display->SetDigits(2);
  display->SetValue(123);
  Pump();
  // The auto size counts two cells; the third lies outside the control.
  EXPECT_EQ(display->Width(), 2 * 7 + 2);
  ExpectRow({1, 2}, 0, 0, kBackground);
  display->SetAutoSize(false);
  display->SetWidth(60);
  display->SetAlignment(tnaLeftJustify);
  Pump();
  ExpectRow({1, 2, 3}, 0, (display->Height() - 13) / 2, kBackground);
}

struct PlaceCase {
  TKxDisplayNumAlignment alignment;
  int x;
};

class DisplayPlacement : public DisplayTest, public ::testing::WithParamInterface<PlaceCase> {};

TEST_P(DisplayPlacement, PlacesTheRowInTheClientArea) {
  display->SetAutoSize(false);
  display->SetBounds(10, 10, 110, 26);
  display->SetAlignment(GetParam().alignment);
  display->SetValue(1234);
  Pump();
  EXPECT_EQ(display->Width(), 110);
  EXPECT_EQ(display->Height(), 26);
  ExpectRow({1, 2, 3, 4}, GetParam().x, (26 - 13) / 2, kBackground);
  // Left of the row is background only.
  if (GetParam().x > 0) {
    EXPECT_EQ(DisplayPixel(GetParam().x - 1, 12), ColorToPixel(kBackground));
  }
}

// The row of four 7-pixel cells with a spacing of 2 is 34 wide.
INSTANTIATE_TEST_SUITE_P(Alignments, DisplayPlacement,
                         ::testing::Values(PlaceCase{tnaLeftJustify, 0},
                                           PlaceCase{tnaCenter, (110 - 34) / 2},
                                           PlaceCase{tnaRightJustify, 110 - 34}));

// Cells a whole Integer apart: the row is worked out in 64 bits, so the
// right-justified row still ends at the right edge and nothing wraps around
// into the control.
struct FarCase {
  const char* name;
  TKxDisplayNumAlignment alignment;
  int x;  // where the one visible cell lies
  int cell;
};

class DisplayFarSpacing : public DisplayTest, public ::testing::WithParamInterface<FarCase> {};

TEST_P(DisplayFarSpacing, ShowsOnlyTheCellThatLiesInTheControl) {
  display->SetAutoSize(false);
  display->SetBounds(10, 10, 110, 26);
  display->SetDigits(15);
  display->SetMax(INT32_MAX);
  display->SetValue(123456789);
  display->SetLeadingZero(true);
  display->SetSpacing(INT32_MAX);
  display->SetAlignment(GetParam().alignment);
  Pump();
  ExpectCell(GetParam().cell, GetParam().x, (26 - 13) / 2, kBackground);
  // Nothing else: the pixels beside the cell are background.
  for (int x : {GetParam().x - 1, GetParam().x + 7})
    if (x >= 0 && x < 110) {
      EXPECT_EQ(DisplayPixel(x, 12), ColorToPixel(kBackground)) << x;
    }
}

INSTANTIATE_TEST_SUITE_P(Alignments, DisplayFarSpacing,
                         // The centred row's middle cell (the eighth of 15) lies
                         // at the middle: 0000001[2]3456789.
                         ::testing::Values(FarCase{"Left", tnaLeftJustify, 0, 0},
                                           FarCase{"Centre", tnaCenter, 52, 2},
                                           FarCase{"Right", tnaRightJustify, 110 - 7, 9}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DisplayTest, AutoSizeFitsTheRowWhenPainted) {
  EXPECT_EQ(display->Width(), 4 * 7 + 3 * 2);
  EXPECT_EQ(display->Height(), 13);
  display->SetSpacing(5);
  Pump();
  EXPECT_EQ(display->Width(), 4 * 7 + 3 * 5);
  display->SetStyle(tns13x24);
  Pump();
  EXPECT_EQ(display->Width(), 4 * 13 + 3 * 5);
  EXPECT_EQ(display->Height(), 24);
  ExpectRow({B, B, B, 0}, 0, 0, kBackground);
  // Growing: the part beyond the old bounds is painted too.
  display->SetDigits(6);
  display->SetMax(999999);
  display->SetValue(123456);
  Pump();
  EXPECT_EQ(display->Width(), 6 * 13 + 5 * 5);
  ExpectRow({1, 2, 3, 4, 5, 6}, 0, 0, kBackground);
}

TEST_F(DisplayTest, AnAlignedDisplayIsNotAutoSized) {
  display->SetAlign(alTop);
  Pump();
  EXPECT_EQ(display->Width(), form->ClientWidth());
  display->SetValue(5);
  Pump();
  EXPECT_EQ(display->Width(), form->ClientWidth());
  EXPECT_EQ(display->Height(), 13);  // the height it had when aligned
}

TEST_F(DisplayTest, SmallestStyleHasCellsFourPixelsWide) {
  display->SetStyle(tns5x7);
  display->SetValue(9);
  Pump();
  EXPECT_EQ(display->CellWidth(), 4);
  EXPECT_EQ(display->CellHeight(), 7);
  EXPECT_EQ(display->Width(), 4 * 4 + 3 * 2);
  ExpectRow({B, B, B, 9}, 0, 0, kBackground);
}

TEST_F(DisplayTest, PaletteColoursTheSegmentsAndBlackShowsTheBackground) {
  display->Palette()->SetHigh(clRed);
  display->Palette()->SetLow(clBlack);
  display->SetValue(8);
  Pump();
  ExpectRow({B, B, B, 8}, 0, 0, kBackground);
  // Some unlit segment pixel of a blank cell shows the background, no lit one.
  int lit = 0;
  for (int y = 0; y < 13; ++y)
    for (int x = 0; x < 7; ++x) lit += DisplayPixel(x, y) == ColorToPixel(clRed);
  EXPECT_EQ(lit, 0);
  int red = 0;
  for (int y = 0; y < 13; ++y)
    for (int x = 27; x < 34; ++x) red += DisplayPixel(x, y) == ColorToPixel(clRed);
  EXPECT_GT(red, 10);
}

TEST_F(DisplayTest, TransparentDisplayShowsThePanelBeneath) {
  auto* panel = new TPanel(form);
  panel->SetBounds(100, 20, 150, 80);
  panel->SetColor(clMaroon);
  panel->SetParent(form);
  display->SetParent(panel);
  display->SetBounds(20, 20, 110, 26);
  display->SetTransparent(true);
  display->SetValue(42);
  Pump();
  // Where no segment is, the panel's colour; segments as usual.
  const int x0 = 100 + 20, y0 = 20 + 20;
  EXPECT_EQ(form->Framebuffer().At(x0, y0), ColorToPixel(clMaroon));
  int segments = 0, maroon = 0;
  for (int y = 0; y < display->Height(); ++y)
    for (int x = 0; x < display->Width(); ++x) {
      const uint32_t p = form->Framebuffer().At(x0 + x, y0 + y);
      maroon += p == ColorToPixel(clMaroon);
      segments += p == ColorToPixel(clLime) || p == ColorToPixel(clGreen);
      EXPECT_NE(p, ColorToPixel(kBackground));
    }
  EXPECT_GT(segments, 20);
  EXPECT_GT(maroon, segments);
  // A change of value repaints over the same background.
  display->SetValue(7);
  Pump();
  EXPECT_EQ(form->Framebuffer().At(x0, y0), ColorToPixel(clMaroon));
}

}  // namespace
}  // namespace kx::testing
