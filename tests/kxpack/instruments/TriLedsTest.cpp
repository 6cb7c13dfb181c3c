// What the three-colour lamps show: each shape, any set of lamps lit or
// shown, both orders and orientations, clipping, transparency, OnChange.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <utility>
#include <vector>

#include "LedFixture.h"
#include "kxpack/instruments/KxTriLeds.h"

namespace kx::testing {
namespace {

using namespace host;

struct Lamp {
  int x, y;
  int index;  // 0 green, 1 yellow, 2 red: the cell in the strips
  bool lit;
};

struct LampsCase {
  const char* name;
  std::vector<std::pair<const char*, const char*>> settings;
  const char* strips;  // the ResId of the shape
  int cellWidth, cellHeight;
  std::vector<Lamp> lamps;
};

class TriLedsLooks : public LedFormTest, public ::testing::WithParamInterface<LampsCase> {};

TEST_P(TriLedsLooks, ShowsTheLampsInTheirPlaces) {
  const LampsCase& c = GetParam();
  auto* leds = Put<TKxTriLeds>("Lamps", 10, 20);
  for (const auto& [path, value] : c.settings) S().Set(path, value);
  const std::string name = std::string("LIGHTS_") + c.strips;
  const BitmapImage unlit = PackageStrip(name + "_OFF"), lit = PackageStrip(name + "_ON");
  ExpectedPicture expected(leds->Width(), leds->Height(), clBlack);
  const int w = c.cellWidth, h = c.cellHeight;
  for (const Lamp& lamp : c.lamps)
    expected.Lay(lamp.lit ? lit : unlit, Rect(lamp.index * w, 0, (lamp.index + 1) * w, h), lamp.x,
                 lamp.y);
  EXPECT_TRUE(expected.Matches(S().Snapshot(), 10, 20));
}

INSTANTIATE_TEST_SUITE_P(
    States, TriLedsLooks,
    ::testing::Values(
        // 80 × 45: three unlit 17 × 7 lamps in a row, 61 wide, green at the left.
        LampsCase{"NewRowUnlit",
                  {},
                  "RECT",
                  17,
                  7,
                  {{9, 19, 0, false}, {31, 19, 1, false}, {53, 19, 2, false}}},
        LampsCase{"RedLitRedFirst",
                  {{"Lamps.LedState", "[tlsRed]"}, {"Lamps.Order", "tloRedToGreen"}},
                  "RECT",
                  17,
                  7,
                  {{9, 19, 2, true}, {31, 19, 1, false}, {53, 19, 0, false}}},
        // Hidden yellow takes no room: the pair is centred.
        LampsCase{"YellowHidden",
                  {{"Lamps.LedsVisible", "[tlsGreen, tlsRed]"},
                   {"Lamps.LedState", "[tlsGreen, tlsYellow]"}},
                  "RECT",
                  17,
                  7,
                  {{20, 19, 0, true}, {42, 19, 2, false}}},
        LampsCase{"AllLitDiamonds",
                  {{"Lamps.LedType", "tltGlassDiamond"},
                   {"Lamps.LedState", "[tlsGreen, tlsYellow, tlsRed]"}},
                  "DMD",
                  13,
                  13,
                  {{15, 16, 0, true}, {33, 16, 1, true}, {51, 16, 2, true}}},
        // A column taller than the control starts above it and is cut off.
        LampsCase{"ColumnOfRoundLamps",
                  {{"Lamps.Orientation", "tvoVertical"},
                   {"Lamps.LedType", "tltGlassRounded"},
                   {"Lamps.LedState", "[tlsYellow]"}},
                  "RND",
                  13,
                  13,
                  {{33, -2, 0, false}, {33, 16, 1, true}, {33, 34, 2, false}}},
        LampsCase{"ColumnRedOnTop",
                  {{"Lamps.Height", "60"},
                   {"Lamps.Orientation", "tvoVertical"},
                   {"Lamps.Order", "tloRedToGreen"},
                   {"Lamps.LedType", "tltGlassSquare"},
                   {"Lamps.LedState", "[tlsGreen, tlsRed]"}},
                  "SQR",
                  13,
                  13,
                  {{33, 5, 2, true}, {33, 23, 1, false}, {33, 41, 0, true}}},
        // Narrower than the row: it starts left of the control, cut at both edges.
        LampsCase{"NarrowRow",
                  {{"Lamps.Width", "40"}},
                  "RECT",
                  17,
                  7,
                  {{-10, 19, 0, false}, {12, 19, 1, false}, {34, 19, 2, false}}},
        LampsCase{"NoneShown", {{"Lamps.LedsVisible", "[]"}}, "RECT", 17, 7, {}},
        // The group is 2 × (2^31 − 1) + 51 wide: worked out without wrapping
        // around, only the middle lamp lies in view.
        LampsCase{"LargestSpacing",
                  {{"Lamps.Spacing", "2147483647"}, {"Lamps.LedState", "[tlsYellow]"}},
                  "RECT",
                  17,
                  7,
                  {{32, 19, 1, true}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LedFormTest, TransparentLampsShowTheParentAroundAndBetweenThem) {
  Put<TKxTriLeds>("Lamps", 10, 20);
  S().Set("Lamps.Transparent", "True");
  S().Set("Lamps.LedState", "[tlsGreen]");
  const BitmapImage unlit = PackageStrip("LIGHTS_RECT_OFF"), lit = PackageStrip("LIGHTS_RECT_ON");
  ExpectedPicture expected(80, 45, kFormColor);
  expected.Lay(lit, Rect(0, 0, 17, 7), 9, 19);
  expected.Lay(unlit, Rect(17, 0, 34, 7), 31, 19);
  expected.Lay(unlit, Rect(34, 0, 51, 7), 53, 19);
  EXPECT_TRUE(expected.Matches(S().Snapshot(), 10, 20));
}

TEST_F(LedFormTest, LedStateFiresOnChangeOnlyWhenItChanges) {
  auto* leds = Put<TKxTriLeds>("Lamps", 10, 20);
  int changes = 0;
  leds->SetOnChange([&](TObject* Sender) {
    EXPECT_EQ(Sender, leds);
    ++changes;
  });
  leds->SetLedState({tlsRed});
  leds->SetLedState({tlsRed});
  leds->SetLedState({});
  EXPECT_EQ(changes, 2);
}

TEST_F(LedFormTest, SetsKeepOnlyTheThreeLamps) {
  auto* leds = Put<TKxTriLeds>("Lamps", 10, 20);
  leds->SetLedsVisible(TKxTriLedsVisible::FromBits(0xFF));
  EXPECT_EQ(leds->LedsVisible(), TKxTriLeds::kAllLamps);
  EXPECT_EQ(leds->VisibleCount(), 3);
  leds->SetLedsVisible({tlsYellow});
  EXPECT_EQ(leds->VisibleCount(), 1);
  leds->SetLedState(TKxTriLedsStates::FromBits(0x0C));
  EXPECT_EQ(leds->LedState(), TKxTriLedsStates{tlsRed});
}

}  // namespace
}  // namespace kx::testing
