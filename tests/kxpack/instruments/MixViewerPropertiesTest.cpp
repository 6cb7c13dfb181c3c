// The mix viewer's setters, its range and bars, and its form files.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "MixViewerFixture.h"
#include "host/classes/Streaming.h"
#include "host/testing/Session.h"

namespace kx::testing {

using namespace host;

TEST_F(MixViewerTest, PercentsKeepTheirSumWithinAHundredExceptWhileReading) {
  viewer->SetPercent1(80);
  EXPECT_EQ(viewer->Percent1(), 75);
  viewer->SetPercent2(40);
  EXPECT_EQ(viewer->Percent2(), 25);
  viewer->SetPercent2(300);  // beyond the type: clamped first
  EXPECT_EQ(viewer->Percent2(), 25);
  viewer->SetLoadingState(true);
  viewer->SetPercent1(80);
  viewer->SetLoadingState(false);
  EXPECT_EQ(viewer->Percent1(), 80);
}

TEST_F(MixViewerTest, ColumnsAndTickHeightTakeOnlyPositiveValues) {
  viewer->GetItem(0)->SetPosition(40);
  for (Integer bad : {0, -1, INT_MIN}) {
    viewer->SetColumns(bad);
    viewer->SetTickHeight(bad);
  }
  // Nor more bars than a screen shows side by side: a file's count would
  // otherwise make as many objects.
  viewer->SetColumns(TKxMixViewer::kMaxColumns + 1);
  viewer->SetColumns(INT_MAX);
  EXPECT_EQ(viewer->Columns(), 10);
  EXPECT_EQ(viewer->TickHeight(), 1);
  EXPECT_EQ(viewer->GetItem(0)->Position(), 40);
  viewer->SetColumns(16);
  EXPECT_EQ(viewer->GetCount(), 16);
  EXPECT_EQ(viewer->GetItem(0)->Position(), 0);  // all bars made again
  Pump();
  EXPECT_EQ(viewer->Width(), 2 + 16 * 9 - 1 + 2);
}

TEST_F(MixViewerTest, ANewRangeMovesTheBarsOutsideItIntoIt) {
  viewer->GetItem(0)->SetPosition(70);
  viewer->GetItem(1)->SetPosition(20);
  viewer->SetMaxValue(50);
  EXPECT_EQ(viewer->GetItem(0)->Position(), 50);
  EXPECT_EQ(viewer->GetItem(1)->Position(), 20);
  viewer->SetMinValue(30);
  EXPECT_EQ(viewer->GetItem(1)->Position(), 30);
  viewer->SetMinValue(50);  // not below MaxValue: refused
  viewer->SetMaxValue(30);  // not above MinValue: refused
  EXPECT_EQ(viewer->MinValue(), 30);
  EXPECT_EQ(viewer->MaxValue(), 50);
  viewer->Reset(200);
  for (Integer i = 0; i < viewer->GetCount(); ++i) EXPECT_EQ(viewer->GetItem(i)->Position(), 50);
  viewer->Reset(INT_MIN);
  EXPECT_EQ(viewer->GetItem(9)->Position(), 30);
  ExpectPicture();
}

TEST_F(MixViewerTest, PercentDoneSaturatesInsteadOfWrapping) {
  viewer->SetMaxValue(INT_MAX);
  viewer->SetMinValue(INT_MIN);
  EXPECT_EQ(viewer->GetPercentDone(INT_MIN), 0);
  EXPECT_EQ(viewer->GetPercentDone(INT_MAX), 100);
  EXPECT_EQ(viewer->GetPercentDone(0), 50);
  viewer->SetMinValue(0);
  viewer->SetMaxValue(100);
  EXPECT_EQ(viewer->GetPercentDone(INT_MIN), INT_MIN);  // far below: lights nothing
  EXPECT_EQ(viewer->GetPercentDone(INT_MAX), INT_MAX);  // far above: lights everything
}

// A viewer saved with a range, bars and a look reads back as it was, also
// a range wholly below 0 (MaxValue comes first in the file, below the
// MinValue of a new viewer).
struct SavedRange {
  Integer min, max;
};

class MixViewerRoundTrip : public MixViewerTest,
                           public ::testing::WithParamInterface<SavedRange> {};

TEST_P(MixViewerRoundTrip, ASavedViewerComesBackWithItsRangeAndItsBarsAtZero) {
  const SavedRange r = GetParam();
  viewer->SetMinValue(INT_MIN);
  viewer->SetMaxValue(INT_MAX);
  viewer->SetMinValue(r.min);
  viewer->SetMaxValue(r.max);
  viewer->SetMinValue(r.min);
  viewer->SetColumns(4);
  viewer->GetItem(0)->SetPosition(r.min);
  viewer->GetItem(1)->SetPosition(r.max);
  viewer->GetItem(3)->SetPosition(r.min / 2 + r.max / 2);
  viewer->SetPercent1(30);
  viewer->SetPercent2(70);
  viewer->SetPlainColors(true);
  viewer->GraphPal2()->SetHigh(clAqua);
  viewer->Bevel()->SetBorderWidth(3);
  ASSERT_EQ(viewer->MinValue(), r.min);
  ASSERT_EQ(viewer->MaxValue(), r.max);

  // The bars' positions are run-time levels: form files keep none.
  const std::string text = WriteForm(form);
  EXPECT_EQ(text.find("Bars"), std::string::npos) << text;
  auto* copy = ReadFormAs<TForm>(text, "mix.kxf");
  auto* back = As<TKxMixViewer>(copy->FindComponent("Mix"));
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->MinValue(), r.min);
  EXPECT_EQ(back->MaxValue(), r.max);
  ASSERT_EQ(back->GetCount(), 4);
  for (Integer i = 0; i < 4; ++i) EXPECT_EQ(back->GetItem(i)->Position(), 0);
  EXPECT_EQ(back->Percent1(), 30);
  EXPECT_EQ(back->Percent2(), 70);
  EXPECT_EQ(back->GraphPal2()->High(), clAqua);
  EXPECT_EQ(back->Bevel()->BorderWidth(), 3);
  EXPECT_EQ(WriteForm(copy), text);
  copy->Free();
}

INSTANTIATE_TEST_SUITE_P(Ranges, MixViewerRoundTrip,
                         ::testing::Values(SavedRange{0, 100}, SavedRange{-500, -100},
                                           SavedRange{200, 300}, SavedRange{INT_MIN, INT_MAX},
                                           SavedRange{INT_MAX - 1, INT_MAX}));

TEST_F(MixViewerTest, ANewViewerWritesNoBarsAndTheDefaultBevelNot) {
  const std::string text = WriteForm(viewer);
  EXPECT_EQ(text.find("Bars"), std::string::npos) << text;
  EXPECT_EQ(text.find("BorderWidth"), std::string::npos) << text;
  EXPECT_EQ(text.find("OuterColor"), std::string::npos) << text;
}

// What a user sees of a viewer read from a file with a range below 0: its
// bars, and a change of one bar drawing only that bar's column.
TEST_F(MixViewerTest, ASessionShowsTheBarsInASavedRangeAndABarChangeDrawsOnlyItsColumn) {
  const std::string text =
      "object F: TForm\n  Left = 0\n  Top = 0\n  ClientWidth = 200\n  ClientHeight = 100\n"
      "  Color = clGray\n"
      "  object M: TKxMixViewer\n    Left = 10\n    Top = 10\n    Columns = 3\n"
      "    MaxValue = -100\n    MinValue = -500\n  end\nend\n";
  auto* read = ReadFormAs<TForm>(text, "session.kxf");
  kx::testing::Session session(read);
  read->Show();
  auto* m = As<TKxMixViewer>(read->FindComponent("M"));
  m->GetItem(0)->SetPosition(-100);
  m->GetItem(1)->SetPosition(-300);
  EXPECT_EQ(session.Get("M.MinValue"), "-500");
  EXPECT_EQ(m->Width(), 2 + 3 * 9 - 1 + 2);
  // Bar 0 full (the marker on top), bar 1 half (13 of 27 ticks), bar 2 at
  // 0, above the range: every tick lit.
  EXPECT_EQ(session.Pixel(10 + 2, 10 + 2), 0xFFFFFFu);
  EXPECT_EQ(session.Pixel(10 + 2 + 9, 10 + 2 + 14 * 2), 0xFFFFFFu);
  EXPECT_EQ(session.Pixel(10 + 2 + 18, 10 + 2), 0xFFFFFFu);
  const host::BitmapImage before = session.Snapshot();
  m->GetItem(2)->SetPosition(-500);
  const host::BitmapImage after = session.Snapshot();
  EXPECT_EQ(session.Pixel(10 + 2 + 18, 10 + 2), 0x800000u);  // the top zone's unlit colour
  for (int y = 0; y < after.Height; ++y)
    for (int x = 0; x < after.Width; ++x) {
      if (x >= 10 + 2 + 18 && x < 10 + 2 + 18 + 8) continue;
      ASSERT_EQ(after.At(x, y), before.At(x, y)) << x << "," << y;
    }
  read->Free();
}

}  // namespace kx::testing
