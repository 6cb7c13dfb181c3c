// The three-zone LED bar as a user sees it: lit counts in proportion with
// the zone boundaries, the frame styles and fills, the range and stepping
// rules, form files, and the faults of sizes and ranges at the extremes.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "LedRowFixture.h"
#include "host/classes/Streaming.h"

namespace kx::testing {

using namespace host;

namespace {

class BarTest : public LedRowTest {
 protected:
  void SetUp() override {
    LedRowTest::SetUp();
    bar = new TKxProgressBarColor(form);
    Show(bar, "Bar");
    bar->SetOnChange([this](TObject*) { ++changes; });
  }
  // What the bar shows, one character per LED ('x' lit, '.' unlit).
  std::string Lit() const {
    auto* leds = bar->Items();
    auto colour = [leds](int i, bool lit) {
      auto* led = static_cast<TKxProgressBarColorLed*>(leds->GetItem(i));
      return lit ? led->HighColor() : led->LowColor();
    };
    return Pattern([&](int i) { return colour(i, true); }, [&](int i) { return colour(i, false); });
  }

  TKxProgressBarColor* bar = nullptr;
  int changes = 0;
};

struct LevelCase {
  const char* name;
  Integer position;
  const char* lit;
};

class BarLevels : public BarTest, public ::testing::WithParamInterface<LevelCase> {};

// 7 LEDs over 0..100: the lit count is trunc(P × 0.07), so the low zone
// (3 LEDs) is full from 43 and the medium zone (2 more) from 72.
TEST_P(BarLevels, LightsTheLedsFromTheLeftInProportion) {
  session->Set("Bar.Position", std::to_string(GetParam().position));
  EXPECT_EQ(Lit(), GetParam().lit);
}

INSTANTIATE_TEST_SUITE_P(
    ZoneBoundaries, BarLevels,
    ::testing::Values(LevelCase{"AtMin", 0, "......."}, LevelCase{"OneAboveMin", 1, "......."},
                      LevelCase{"JustBeforeLowZoneFull", 42, "xx....."},
                      LevelCase{"LowZoneFull", 43, "xxx...."}, LevelCase{"Half", 50, "xxx...."},
                      LevelCase{"JustBeforeMediumZoneFull", 71, "xxxx..."},
                      LevelCase{"MediumZoneFull", 72, "xxxxx.."},
                      LevelCase{"OneBelowMax", 99, "xxxxxx."}, LevelCase{"AtMax", 100, "xxxxxxx"},
                      LevelCase{"AboveMax", 150, "xxxxxxx"}, LevelCase{"BelowMin", -20, "......."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(BarTest, ANewBarShowsSevenUnlitLedsInThreeZones) {
  EXPECT_EQ(bar->Width(), 65);
  EXPECT_EQ(bar->Height(), 17);
  EXPECT_EQ(Lit(), ".......");
  // Columns 2 to 8 hold LED 0 (w = (65 − 12) div 7, margin 2); the zone
  // colours run green, olive, maroon from the left.
  EXPECT_EQ(LedRect(0), (TRect{kLeft + 2, kTop, kLeft + 9, kTop + 17}));
  EXPECT_EQ(RowPixel(1, 8), ColorToPixel(kBackground));
  EXPECT_EQ(RowPixel(2, 8), ColorToPixel(clBlack));
  const TColor unlit[] = {clGreen, clGreen, clGreen, clOlive, clOlive, clMaroon, clMaroon};
  for (int i = 0; i < 7; ++i) {
    const TRect r = LedRect(i);
    EXPECT_EQ(session->Pixel(r.Left + 1, r.Top + 1), ColorToPixel(unlit[i])) << "LED " << i;
  }
  session->Set("Bar.Position", "100");
  const TColor lit[] = {clLime, clLime, clLime, clYellow, clYellow, clRed, clRed};
  for (int i = 0; i < 7; ++i) {
    const TRect r = LedRect(i);
    EXPECT_EQ(session->Pixel(r.Left + 1, r.Top + 1), ColorToPixel(lit[i])) << "LED " << i;
  }
}

struct StyleCase {
  const char* name;
  TKxLedStyle style;
  bool plain;
  bool lit;
  // Expected colours at LED 0: the outer corner (0, 0), the next one in
  // (1, 1), the inner bottom-right (w − 2, h − 2) and the centre.
  TColor outer, inner, innerBottomRight, centre;
};

class BarStyles : public BarTest, public ::testing::WithParamInterface<StyleCase> {};

TEST_P(BarStyles, FramesAndFillsEachLed) {
  const StyleCase& c = GetParam();
  session->Set("Bar.Style", host::EnumName(c.style));
  session->Set("Bar.PlainColors", c.plain ? "True" : "False");
  session->Set("Bar.Position", c.lit ? "100" : "0");
  const TRect r = LedRect(0);
  EXPECT_EQ(session->Pixel(r.Left, r.Top), ColorToPixel(c.outer));
  EXPECT_EQ(session->Pixel(r.Left + 1, r.Top + 1), ColorToPixel(c.inner));
  EXPECT_EQ(session->Pixel(r.Right - 2, r.Bottom - 2), ColorToPixel(c.innerBottomRight));
  if (c.centre != clNone) {
    EXPECT_EQ(session->Pixel(r.Left + 3, r.Top + 8), ColorToPixel(c.centre));
  }
}

// clNone: the centre of a gradient is not checked here.
INSTANTIATE_TEST_SUITE_P(
    LedStyles, BarStyles,
    ::testing::Values(
        StyleCase{"RaisedGradientUnlit", tlsRaised, false, false, clBlack, clGreen, clBlack,
                  clNone},
        StyleCase{"RaisedGradientLit", tlsRaised, false, true, clBlack, clLime, clBlack, clNone},
        StyleCase{"RaisedPlainUnlit", tlsRaised, true, false, clBlack, clLime, clGreen, clGreen},
        StyleCase{"RaisedPlainLit", tlsRaised, true, true, clBlack, clBtnHighlight, clLime, clLime},
        StyleCase{"LoweredPlain", tlsLowered, true, false, clBtnShadow, clBlack, clBlack, clGreen},
        StyleCase{"FlatPlain", tlsFlat, true, true, clBlack, clLime, clLime, clLime},
        StyleCase{"NonePlain", tlsNone, true, false, clGreen, clGreen, clGreen, clGreen}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(BarTest, TheLoweredFrameHasItsHighlightAtTheBottomRight) {
  session->Set("Bar.Style", "tlsLowered");
  const TRect r = LedRect(0);
  EXPECT_EQ(session->Pixel(r.Right - 1, r.Bottom - 1), ColorToPixel(clBtnHighlight));
}

TEST_F(BarTest, AGradientFillRunsFromTheLedColourDownToBlack) {
  session->Set("Bar.Style", "tlsNone");
  const TRect r = LedRect(0);
  EXPECT_EQ(session->Pixel(r.Left + 3, r.Top), ColorToPixel(clGreen));
  // Green $80 over a height of 17: row 8 holds $80 − $80 × 8 div 17 = $44.
  EXPECT_EQ(session->Pixel(r.Left + 3, r.Top + 8), ColorToPixel(0x004400));
  EXPECT_EQ(session->Pixel(r.Left + 3, r.Bottom - 1), ColorToPixel(0x000800));
}

TEST_F(BarTest, PositionClampsAndFiresOnChangeForEveryNewValue) {
  bar->SetPosition(150);
  EXPECT_EQ(bar->Position(), 100);
  EXPECT_EQ(changes, 1);
  // Compared before clamping: 150 again is a new value for 100.
  bar->SetPosition(150);
  EXPECT_EQ(changes, 2);
  bar->SetPosition(100);
  EXPECT_EQ(changes, 2);

  bar->SetPosition(50);
  bar->SetMaxValue(40);
  EXPECT_EQ(bar->Position(), 40);
  EXPECT_EQ(changes, 3);
  bar->SetMinValue(40);  // not below MaxValue
  EXPECT_EQ(bar->MinValue(), 0);
  bar->SetMaxValue(0);  // not above MinValue
  EXPECT_EQ(bar->MaxValue(), 40);
  session->Settle();
  EXPECT_EQ(Lit(), "xxxxxxx");
}

TEST_F(BarTest, StepItAndStepByMoveByTheStepAndStopAtTheRange) {
  bar->SetPosition(95);
  bar->StepIt();
  EXPECT_EQ(bar->Position(), 100);
  EXPECT_EQ(changes, 2);
  bar->SetStep(-30);
  bar->StepIt();
  EXPECT_EQ(bar->Position(), 70);
  bar->StepBy(-100);
  EXPECT_EQ(bar->Position(), 0);
  EXPECT_EQ(bar->GetPercentDone(), 0);
  bar->StepBy(43);
  EXPECT_EQ(bar->GetPercentDone(), 43);
  session->Settle();
  EXPECT_EQ(Lit(), "xxx....");
}

TEST_F(BarTest, ZoneSizesAndPalettesRebuildTheLeds) {
  session->Set("Bar.Position", "100");
  session->Set("Bar.LedsMedium", "0");
  EXPECT_EQ(bar->LedCount(), 5);
  session->Set("Bar.GraphPal3.High", "clWhite");
  const TRect r = LedRect(4);
  EXPECT_EQ(session->Pixel(r.Left + 1, r.Top + 1), ColorToPixel(clWhite));
  EXPECT_EQ(Lit(), "xxxxx");
}

// Faults: sizes and ranges at and beyond the ends.

TEST_F(BarTest, NegativeZoneSizesGiveAShorterOrEmptyBar) {
  session->Set("Bar.Position", "100");
  // The boundaries move left: both remaining LEDs lie in the high zone.
  session->Set("Bar.LedsLow", "-2");
  ASSERT_EQ(bar->LedCount(), 2);
  EXPECT_EQ(Lit(), "xx");
  EXPECT_EQ(session->Pixel(LedRect(0).Left + 1, kTop + 1), ColorToPixel(clRed));

  session->Set("Bar.LedsLow", "-10");
  EXPECT_EQ(bar->LedCount(), 0);
  EXPECT_EQ(bar->Items()->GetCount(), 0);
  bar->SetPosition(30);
  bar->StepIt();
  session->Settle();
  for (int x = 0; x < bar->Width(); x += 4) EXPECT_EQ(RowPixel(x, 8), ColorToPixel(kBackground));
}

TEST_F(BarTest, StepsAndPercentagesAtTheEndsOfTheIntegerRangeSaturate) {
  bar->SetMaxValue(INT32_MAX);
  bar->SetMinValue(INT32_MIN);
  bar->SetPosition(0);
  EXPECT_EQ(bar->GetPercentDone(), 50);
  bar->SetPosition(INT32_MAX - 5);
  bar->StepBy(10);
  EXPECT_EQ(bar->Position(), INT32_MAX);
  bar->SetStep(INT32_MAX);
  bar->StepIt();
  EXPECT_EQ(bar->Position(), INT32_MAX);
  EXPECT_EQ(bar->GetPercentDone(), 100);
  session->Settle();
  EXPECT_EQ(Lit(), "xxxxxxx");
  bar->SetPosition(INT32_MIN + 5);
  bar->StepBy(INT32_MIN);
  EXPECT_EQ(bar->Position(), INT32_MIN);
  EXPECT_EQ(bar->GetPercentDone(), 0);
  session->Settle();
  EXPECT_EQ(Lit(), ".......");
}

TEST_F(BarTest, ALedChangeWithoutAParentIsDrawnByTheNextPaint) {
  bar->SetParent(nullptr);
  bar->SetPosition(100);
  EXPECT_TRUE(bar->Led(6)->Active());
  bar->SetParent(form);
  session->Settle();
  EXPECT_EQ(Lit(), "xxxxxxx");
}

// Form files.

constexpr const char* kBelowZeroForm = R"(object Form: TForm
  object Bar: TKxProgressBarColor
    Left = 10
    Top = 10
    Width = 65
    Height = 17
    MaxValue = -100
    MinValue = -500
    Position = -300
  end
end
)";

TEST_F(BarTest, ARangeWhollyBelowZeroComesBackFromAFormFile) {
  auto* read = ReadFormAs<TForm>(kBelowZeroForm, "below.kxf");
  auto* loaded = static_cast<TKxProgressBarColor*>(read->FindComponent("Bar"));
  EXPECT_EQ(loaded->MaxValue(), -100);
  EXPECT_EQ(loaded->MinValue(), -500);
  EXPECT_EQ(loaded->Position(), -300);
  EXPECT_EQ(loaded->GetPercentDone(), 50);
  EXPECT_EQ(loaded->Led(2)->Active(), true);
  EXPECT_EQ(loaded->Led(3)->Active(), false);
  read->Free();
}

TEST_F(BarTest, AHandEditedRangeAndPositionAreSetRightOnceRead) {
  // MinValue not below MaxValue: read as the setters would have taken
  // MaxValue, then MinValue, on a new bar; Position then clamped.
  auto* read = ReadFormAs<TForm>(R"(object Form: TForm
  object Bar: TKxProgressBarColor
    MaxValue = 20
    MinValue = 60
    Position = 500
  end
end
)",
                                 "edited.kxf");
  auto* loaded = static_cast<TKxProgressBarColor*>(read->FindComponent("Bar"));
  EXPECT_EQ(loaded->MaxValue(), 20);
  EXPECT_EQ(loaded->MinValue(), 0);
  EXPECT_EQ(loaded->Position(), 20);
  read->Free();
}

TEST_F(BarTest, AFormFileKeepsTheLedsTheirZonesAndTheLevel) {
  session->Set("Bar.LedsLow", "4");
  session->Set("Bar.LedsHigh", "1");
  session->Set("Bar.GraphPal2.Low", "$00102030");
  session->Set("Bar.MinValue", "-50");
  session->Set("Bar.Position", "30");
  session->Set("Bar.PlainColors", "True");
  session->Set("Bar.Spacing", "1");
  const std::string text = WriteForm(form);
  const BitmapImage before = session->Snapshot();

  auto* read = ReadFormAs<TForm>(text, "bar.kxf");
  auto* loaded = static_cast<TKxProgressBarColor*>(read->FindComponent("Bar"));
  EXPECT_EQ(WriteForm(read), text);
  ASSERT_EQ(loaded->LedCount(), 7);
  for (int i = 0; i < 7; ++i) {
    auto* a = static_cast<TKxProgressBarColorLed*>(bar->Items()->GetItem(i));
    auto* b = static_cast<TKxProgressBarColorLed*>(loaded->Items()->GetItem(i));
    EXPECT_EQ(b->LowColor(), a->LowColor()) << i;
    EXPECT_EQ(b->HighColor(), a->HighColor()) << i;
    EXPECT_EQ(b->Active(), a->Active()) << i;
  }
  {
    Session again(read);
    EXPECT_EQ(again.Snapshot().Pixels, before.Pixels);
  }
  read->Free();
}

}  // namespace
}  // namespace kx::testing
