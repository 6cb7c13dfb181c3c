// The numeric display's property rules, OnChange, and form files.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "DisplayFixture.h"
#include "host/classes/ClassRegistry.h"
#include "host/classes/Streaming.h"
#include "host/classes/TypInfo.h"

namespace kx::testing {

using namespace host;

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;

TEST_F(DisplayTest, ANewDisplayHasItsDefaults) {
  TKxDisplayNum fresh(nullptr);
  EXPECT_EQ(fresh.Width(), 110);
  EXPECT_EQ(fresh.Height(), 26);
  EXPECT_EQ(fresh.Color(), clBlack);
  EXPECT_FALSE(fresh.ParentColor());
  EXPECT_EQ(fresh.Digits(), 4);
  EXPECT_EQ(fresh.Spacing(), 2);
  EXPECT_EQ(fresh.Style(), tns7x13);
  EXPECT_EQ(fresh.Alignment(), tnaCenter);
  EXPECT_TRUE(fresh.AutoSize());
  EXPECT_EQ(fresh.Min(), 0);
  EXPECT_EQ(fresh.Max(), 9999);
  EXPECT_EQ(fresh.Palette()->Low(), clGreen);
  EXPECT_EQ(fresh.Palette()->High(), clLime);
  EXPECT_TRUE(fresh.ControlStyle().Contains(csOpaque));
  EXPECT_TRUE(fresh.ControlStyle().Contains(csReplicatable));
  EXPECT_EQ(fresh.AboutKx(), "Component");
  EXPECT_EQ(fresh.AboutVers(), "1.0.0");
}

TEST_F(DisplayTest, DigitsOutsideOneToFifteenAreIgnored) {
  for (Integer bad : {0, 16, -1}) {
    display->SetDigits(bad);
    EXPECT_EQ(display->Digits(), 4) << bad;
  }
  display->SetDigits(15);
  EXPECT_EQ(display->Digits(), 15);
  display->SetDigits(1);
  EXPECT_EQ(display->Digits(), 1);
}

TEST_F(DisplayTest, MinAndMaxKeepMinBelowMax) {
  display->SetMax(0);  // not above Min
  EXPECT_EQ(display->Max(), 9999);
  display->SetMin(9999);  // not below Max
  EXPECT_EQ(display->Min(), 0);
  EXPECT_FALSE(display->SignCell());
  display->SetMin(-10);
  display->SetMax(-5);
  EXPECT_EQ(display->Min(), -10);
  EXPECT_EQ(display->Max(), -5);
  EXPECT_TRUE(display->SignCell());
}

TEST_F(DisplayTest, OnChangeFiresOnlyOnARealChange) {
  std::vector<Integer> seen;
  display->SetOnChange([&](TObject* sender) {
    EXPECT_EQ(sender, display);
    seen.push_back(display->Value());
  });
  display->SetValue(0);      // unchanged
  display->SetValue(-5);     // clamps to 0: unchanged
  display->SetValue(42);     // changed
  display->SetValue(20000);  // clamps to 9999
  display->SetValue(12345);  // clamps to 9999 again: no event
  display->SetMax(100);      // Value is not clamped again ...
  EXPECT_EQ(display->Value(), 9999);
  display->SetValue(display->Value());  // ... until it is set
  EXPECT_EQ(display->Value(), 100);
  EXPECT_THAT(seen, ElementsAre(42, 9999, 100));
}

TEST_F(DisplayTest, MaxBelowTheValueLeavesTheShownValue) {
  display->SetValue(1234);
  display->SetAlignment(tnaLeftJustify);
  display->SetMax(50);
  Pump();
  ExpectRow({1, 2, 3, 4}, 0, 0, kBackground);
}

TEST_F(DisplayTest, PublishesItsPropertiesInDeclarationOrder) {
  std::vector<std::string> names;
  for (const TPropInfo& p : display->Published()->Properties()) names.push_back(p.Name);
  const std::vector<std::string> own = {
      "AboutKx",     "AboutVers",   "Digits",      "Value",      "Spacing",     "Style",
      "LeadingZero", "Palette",     "Alignment",   "AutoSize",   "Max",         "Min",
      "ZeroBlank",   "Transparent", "Align",       "Anchors",    "Constraints", "Color",
      "DragCursor",  "DragKind",    "DragMode",    "Hint",       "ParentColor", "ParentShowHint",
      "PopupMenu",   "ShowHint",    "Visible",     "OnChange",   "OnClick",     "OnContextPopup",
      "OnDblClick",  "OnDragDrop",  "OnDragOver",  "OnEndDock",  "OnEndDrag",   "OnMouseDown",
      "OnMouseMove", "OnMouseUp",   "OnStartDock", "OnStartDrag"};
  // The host's position, size, cursor and help properties come first.
  ASSERT_GE(names.size(), own.size());
  EXPECT_EQ(std::vector<std::string>(names.end() - own.size(), names.end()), own);
}

TEST_F(DisplayTest, ANewDisplayWritesOnlyWhatHasNoDefault) {
  const std::string text = WriteForm(form);
  EXPECT_THAT(text, HasSubstr("object Disp: TKxDisplayNum"));
  EXPECT_THAT(text, HasSubstr("AboutKx = 'Component'"));
  EXPECT_THAT(text, HasSubstr("Palette.Low = clGreen"));
  for (const char* omitted : {"Digits", "Value", "Spacing", "Style", "LeadingZero", "Alignment",
                              "AutoSize", "Max", "Min", "ZeroBlank", "Transparent", "ParentColor"})
    EXPECT_THAT(text, Not(HasSubstr(std::string("\n    ") + omitted + " ="))) << omitted;
}

struct RangeCase {
  Integer min, max;
};

// Every (Value, Min, Max) the setters can give: any Min below Max, and any
// Value, since lowering Max or raising Min leaves Value where it was.
class DisplayRoundTrip : public DisplayTest,
                         public ::testing::WithParamInterface<std::tuple<RangeCase, Integer>> {};

TEST_P(DisplayRoundTrip, ASavedDisplayComesBackWithItsValueMinAndMax) {
  const auto& [range, value] = GetParam();
  display->SetMin(INT32_MIN);
  display->SetMax(INT32_MAX);
  display->SetValue(value);
  display->SetMin(range.min);
  display->SetMax(range.max);
  display->SetMin(range.min);
  display->SetDigits(7);
  display->SetStyle(tns12x17);
  display->SetLeadingZero(true);
  display->SetTransparent(true);
  display->Palette()->SetLow(clNavy);
  ASSERT_EQ(display->Min(), range.min);
  ASSERT_EQ(display->Max(), range.max);
  ASSERT_EQ(display->Value(), value);

  const std::string text = WriteForm(form);
  auto* copy = ReadFormAs<TForm>(text, "display.kxf");
  auto* back = As<TKxDisplayNum>(copy->FindComponent("Disp"));
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->Min(), range.min);
  EXPECT_EQ(back->Max(), range.max);
  EXPECT_EQ(back->Value(), value);
  EXPECT_EQ(back->SignCell(), range.min < 0);
  EXPECT_EQ(back->Digits(), 7);
  EXPECT_EQ(back->Style(), tns12x17);
  EXPECT_EQ(back->CellWidth(), 12);
  EXPECT_TRUE(back->LeadingZero());
  EXPECT_TRUE(back->Transparent());
  EXPECT_EQ(back->Palette()->Low(), clNavy);
  EXPECT_EQ(WriteForm(copy), text);
  copy->Free();
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, DisplayRoundTrip,
    ::testing::Combine(::testing::Values(RangeCase{-100000, 100000}, RangeCase{0, 10},
                                         RangeCase{-200, -100}, RangeCase{20000, 30000},
                                         RangeCase{INT32_MIN, INT32_MAX},
                                         RangeCase{INT32_MIN, INT32_MIN + 1},
                                         RangeCase{INT32_MAX - 1, INT32_MAX}),
                       ::testing::Values(INT32_MIN, -150, 0, 5, 20, 25000, INT32_MAX)));

// A range no setter gives (Min not below Max) can only come from a file
// edited by hand: it reads as the setters take Max, then Min, on a new display.
struct BadRangeCase {
  Integer min, max;
  Integer readMin, readMax;
};

class DisplayHandEditedRange : public DisplayTest,
                               public ::testing::WithParamInterface<BadRangeCase> {};

TEST_P(DisplayHandEditedRange, ReadsAsTheSettersWouldTakeIt) {
  const BadRangeCase& c = GetParam();
  const std::string text =
      "object F: TForm\n  object D: TKxDisplayNum\n    Value = 7\n"
      "    Max = " +
      std::to_string(c.max) + "\n    Min = " + std::to_string(c.min) + "\n  end\nend\n";
  auto* copy = ReadFormAs<TForm>(text, "edited.kxf");
  auto* back = As<TKxDisplayNum>(copy->FindComponent("D"));
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->Min(), c.readMin);
  EXPECT_EQ(back->Max(), c.readMax);
  EXPECT_EQ(back->SignCell(), c.readMin < 0);
  EXPECT_EQ(back->Value(), 7);
  copy->Free();
}

INSTANTIATE_TEST_SUITE_P(Ranges, DisplayHandEditedRange,
                         ::testing::Values(BadRangeCase{5, 3, 0, 3}, BadRangeCase{5, 5, 0, 5},
                                           BadRangeCase{-2, -5, -2, 9999},
                                           BadRangeCase{20000, 10, 0, 10}));

// A form that records the calls of its published handler.
class TRecordingForm : public TForm {
  HOST_CLASS(TRecordingForm, TForm)
 public:
  using TForm::TForm;
  void DispChange(TObject* Sender) {
    auto* disp = As<TKxDisplayNum>(Sender);
    Calls.push_back(disp ? disp->Name() + "=" + std::to_string(disp->Value()) : "?");
  }
  static const TPublished& PublishedProperties() {
    static const TPublished table =
        Publish<TRecordingForm>().Method("DispChange", &TRecordingForm::DispChange);
    return table;
  }
  std::vector<std::string> Calls;
};

TEST_F(DisplayTest, NoHandlerRunsWhileAFormIsRead) {
  RegisterClass<TRecordingForm>();
  // The handler is bound before Value in the first display and after it in
  // the second; both Values lie outside their ranges, the second display is
  // read after the first.
  const std::string text =
      "object F: TRecordingForm\n"
      "  object D1: TKxDisplayNum\n"
      "    OnChange = DispChange\n"
      "    Max = 10\n"
      "    Value = 20\n"
      "  end\n"
      "  object D2: TKxDisplayNum\n"
      "    Value = -3\n"
      "    Min = 1\n"
      "    OnChange = DispChange\n"
      "  end\n"
      "end\n";
  auto* read = ReadFormAs<TRecordingForm>(text, "handlers.kxf");
  EXPECT_THAT(read->Calls, ElementsAre());
  auto* d1 = As<TKxDisplayNum>(read->FindComponent("D1"));
  auto* d2 = As<TKxDisplayNum>(read->FindComponent("D2"));
  ASSERT_NE(d1, nullptr);
  ASSERT_NE(d2, nullptr);
  EXPECT_EQ(d1->Value(), 20);
  EXPECT_EQ(d2->Value(), -3);
  // Once read, the handlers are bound and a change reaches them.
  d1->SetValue(4);
  d2->SetValue(2);
  EXPECT_THAT(read->Calls, ElementsAre("D1=4", "D2=2"));
  read->Free();
}

}  // namespace
}  // namespace kx::testing
