// The meter ballistics in virtual time: attack, release, peak hold and peak
// fall, as a form's mix viewer and a script see them.
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "host/classes/Streaming.h"
#include "host/controls/Labels.h"
#include "host/testing/Session.h"
#include "kxpack/instruments/KxMeterBallistics.h"
#include "kxpack/instruments/KxMixViewer.h"
#include "kxpack/instruments/KxProgress.h"
#include "tests/support/HeadlessFixture.h"

namespace kx::testing {

using namespace host;

namespace {

// Bar 0 shows the level, bar 1 the peak; full range in 100 ms up and
// 1000 ms down, the peak held 300 ms, then falling 50 % a second.
constexpr const char* kMeterForm =
    "object F: TForm\n"
    "  Left = 0\n  Top = 0\n  ClientWidth = 200\n  ClientHeight = 100\n"
    "  object Mix: TKxMixViewer\n    Left = 10\n    Top = 10\n    Columns = 2\n  end\n"
    "  object B: TKxMeterBallistics\n"
    "    Target = Mix\n    PeakTarget = Mix\n    PeakTargetBar = 1\n"
    "    AttackTime = 100\n    ReleaseTime = 1000\n    PeakHoldTime = 300\n"
    "    PeakFallRate = 50\n    Interval = 10\n"
    "  end\n"
    "end\n";

class MeterBallisticsTest : public host::testing::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    form = ReadFormAs<TForm>(kMeterForm, "meter.kxf");
    session = std::make_unique<Session>(form);
    form->Show();
    session->Settle();
  }
  void TearDown() override {
    session.reset();
    form->Free();
    HeadlessTest::TearDown();
  }
  // Level and peak as the script reads them, and the bars they went to.
  void Expect(int level, int peak) {
    EXPECT_EQ(session->Get("B.Position"), std::to_string(level));
    EXPECT_EQ(session->Get("B.Peak"), std::to_string(peak));
    auto* mix = As<TKxMixViewer>(form->FindComponent("Mix"));
    EXPECT_EQ(mix->GetItem(0)->Position(), level);
    EXPECT_EQ(mix->GetItem(1)->Position(), peak);
  }

  TForm* form = nullptr;
  std::unique_ptr<Session> session;
};

}  // namespace

TEST_F(MeterBallisticsTest, TheLevelRisesAtTheAttackSpeedAndFallsAtTheReleaseSpeed) {
  session->Set("B.Value", "100");
  session->Wait(10);
  Expect(10, 10);
  session->Wait(40);
  Expect(50, 50);
  session->Wait(100);  // reaches the value and stays
  Expect(100, 100);
  // The viewer shows it: every tick of bar 0 lit, the top one the marker.
  EXPECT_EQ(session->Pixel(10 + 2, 10 + 2), 0xFFFFFFu);

  session->Set("B.Value", "0");
  session->Wait(100);
  Expect(90, 100);
  session->Set("B.Value", "95");  // a rise during the release
  session->Wait(10);
  Expect(95, 100);
}

TEST_F(MeterBallisticsTest, ThePeakIsHeldThenFallsAtItsRateButNeverBelowTheLevel) {
  session->Set("B.Value", "100");
  session->Wait(100);
  session->Set("B.Value", "0");
  session->Wait(300);  // held the whole hold time
  Expect(70, 100);
  session->Wait(100);  // 50 % a second: 5 in 100 ms
  Expect(60, 95);
  session->Wait(600);  // would fall to 65, but the level is at 0 … 0 + 60 − 60
  Expect(0, 65);
  session->Wait(2000);
  Expect(0, 0);
  // A new peak holds from the moment it is reached.
  session->Set("B.Value", "40");
  session->Wait(40);
  Expect(40, 40);
  session->Set("B.Value", "20");
  session->Wait(290);
  Expect(20, 40);
}

TEST_F(MeterBallisticsTest, ZeroTimesMoveAtOnceAndTheRangeIsTheTargets) {
  auto* b = As<TKxMeterBallistics>(form->FindComponent("B"));
  auto* mix = As<TKxMixViewer>(form->FindComponent("Mix"));
  b->SetAttackTime(0);
  b->SetReleaseTime(-5);  // counts as 0
  b->SetPeakHoldTime(0);
  b->SetPeakFallRate(0);
  mix->SetMinValue(-500);
  mix->SetMaxValue(-100);
  session->Set("B.Value", "-200");
  session->Wait(10);
  Expect(-200, -200);
  session->Set("B.Value", "7");  // above the range: the top of it
  session->Wait(10);
  Expect(-100, -100);
  session->Set("B.Value", "-400");
  session->Wait(10);
  Expect(-400, -400);
}

TEST_F(MeterBallisticsTest, ATargetThatIsFreedOrIsNoMeterIsNotDriven) {
  auto* b = As<TKxMeterBallistics>(form->FindComponent("B"));
  auto* label = new TLabel(form);
  b->SetPeakTarget(label);  // not a level meter: ignored
  EXPECT_EQ(session->Get("B.PeakTarget"), "Mix");
  form->FindComponent("Mix")->Free();
  EXPECT_EQ(b->Target(), nullptr);
  EXPECT_EQ(b->PeakTarget(), nullptr);
  session->Set("B.Value", "50");
  session->Wait(100);
  EXPECT_EQ(session->Get("B.Position"), "50");  // 0 to 100 without a target
}

TEST_F(MeterBallisticsTest, TicksRunOnlyWhileActiveAndNotInTheDesigner) {
  session->Set("B.Active", "False");
  session->Set("B.Value", "100");
  session->Wait(200);
  EXPECT_EQ(session->Get("B.Position"), "0");
  session->Set("B.Active", "True");
  session->Wait(20);
  EXPECT_EQ(session->Get("B.Position"), "20");

  auto* designed = new TKxMeterBallistics(nullptr);
  designed->SetDesigning(true);
  designed->SetActive(false);
  designed->SetActive(true);
  designed->SetValue(100);
  session->Wait(100);
  EXPECT_EQ(designed->Position(), 0);
  designed->Free();
}

TEST_F(MeterBallisticsTest, DrivesALevelBarInItsRangeAndAViewerBarAsItsPeak) {
  auto* level = new TKxProgressBarColor(form);
  level->SetName("Level");
  level->SetParent(form);
  level->SetMinValue(-50);
  level->SetMaxValue(50);
  session->Set("B.Target", "Level");
  session->Set("B.TargetBar", "3");  // one level: any bar is its Position
  auto* b = As<TKxMeterBallistics>(form->FindComponent("B"));
  b->SetPosition(-50);
  b->SetPeak(-50);
  EXPECT_EQ(level->Position(), -50);
  session->Set("B.Value", "50");
  session->Wait(50);  // half the range of 100 in half the attack time
  EXPECT_EQ(level->Position(), 0);
  EXPECT_EQ(session->Get("B.Peak"), "0");
  auto* mix = As<TKxMixViewer>(form->FindComponent("Mix"));
  EXPECT_EQ(mix->GetItem(1)->Position(), 0);
  session->Wait(50);
  EXPECT_EQ(level->Position(), 50);
  EXPECT_EQ(mix->GetItem(1)->Position(), 50);
}

// A worker measuring levels sets Value while the ticks read it.
TEST_F(MeterBallisticsTest, AWorkerMaySetTheValueWhileTheMeterTicks) {
  auto* b = As<TKxMeterBallistics>(form->FindComponent("B"));
  std::atomic<bool> stop{false};
  std::thread worker([&] {
    for (int i = 0; !stop; ++i) b->SetValue(i % 2 ? 100 : 60);
  });
  session->Wait(200);
  stop = true;
  worker.join();
  b->SetValue(100);
  session->Wait(100);
  EXPECT_EQ(session->Get("B.Position"), "100");
}

TEST_F(MeterBallisticsTest, TargetsComeBackFromTheFormFileByName) {
  const std::string text = WriteForm(form);
  EXPECT_NE(text.find("    Target = Mix\n    PeakTarget = Mix\n    PeakTargetBar = 1\n"),
            std::string::npos)
      << text;
  EXPECT_EQ(text.find("Position"), std::string::npos) << text;
  auto* copy = ReadFormAs<TForm>(text, "copy.kxf");
  EXPECT_EQ(WriteForm(copy), text);
  copy->Free();
}

}  // namespace kx::testing
