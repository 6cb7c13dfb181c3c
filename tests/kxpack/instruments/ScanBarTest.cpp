// The scan bar as a user sees it: the lit LED stepping on the owned timer
// (from its worker thread or from a system timer), bouncing or cycling, at
// the ends, stopped; Position and Leds rules; form files; and the faults of
// a negative Leds and of redraws while the bar is read or has no parent.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "LedRowFixture.h"
#include "host/classes/Streaming.h"

namespace kx::testing {

using namespace host;

namespace {

class ScanBarTest : public LedRowTest {
 protected:
  void SetUp() override {
    LedRowTest::SetUp();
    scan = new TKxScanBar(form);
    Show(scan, "Scan");
    scan->SetOnChange([this](TObject*) { ++changes; });
  }
  // What the bar shows, one character per LED ('x' lit, '.' unlit).
  std::string Lit() const {
    const TColor lit = scan->GraphPal()->High();
    const TColor unlit = scan->GraphPal()->Low();
    return Pattern([=](int) { return lit; }, [=](int) { return unlit; });
  }
  // The lit LED after each of Steps steps of the timer.
  std::vector<std::string> Run(int Steps) {
    std::vector<std::string> seen;
    for (int i = 0; i < Steps; ++i) {
      session->Wait(scan->TimeInterval());
      seen.push_back(Lit());
    }
    return seen;
  }

  TKxScanBar* scan = nullptr;
  int changes = 0;
};

TEST_F(ScanBarTest, ANewBarShowsSevenUnlitLedsAndStandsStill) {
  EXPECT_EQ(scan->Width(), 65);
  EXPECT_EQ(scan->Height(), 17);
  EXPECT_EQ(Lit(), ".......");
  EXPECT_EQ(LedRect(0), (TRect{kLeft + 2, kTop, kLeft + 9, kTop + 17}));
  EXPECT_EQ(session->Get("Scan.Position"), "-1");
  session->Wait(1000);
  EXPECT_EQ(Lit(), ".......");
  EXPECT_EQ(changes, 0);
}

struct StepCase {
  const char* name;
  TKxScanDirection direction;
  std::vector<std::string> steps;
  int moves;  // steps that changed Position (and fired OnChange)
};

// Each case runs with the timer's worker thread and with a system timer.
class ScanSteps : public ScanBarTest,
                  public ::testing::WithParamInterface<std::tuple<StepCase, bool>> {};

TEST_P(ScanSteps, TheLitLedMovesOneStepPerInterval) {
  const auto& [c, threaded] = GetParam();
  session->Set("Scan.Threaded", threaded ? "True" : "False");
  session->Set("Scan.Leds", "3");
  session->Set("Scan.Direction", EnumName(c.direction));
  session->Set("Scan.Active", "True");
  EXPECT_EQ(Run(static_cast<int>(c.steps.size())), c.steps);
  EXPECT_EQ(changes, c.moves);
}

INSTANTIATE_TEST_SUITE_P(
    Directions, ScanSteps,
    ::testing::Combine(
        ::testing::Values(
            // The ends stay lit for two steps: the turn is a step of its own.
            StepCase{"Bouncing",
                     tsdBoth,
                     {"x..", ".x.", "..x", "..x", ".x.", "x..", "x..", ".x.", "..x", "..x"},
                     7},
            StepCase{"LeftToRight", tsdLeftRight, {"x..", ".x.", "..x", "x..", ".x.", "..x"}, 6},
            StepCase{"RightToLeft", tsdRightLeft, {"..x", ".x.", "x..", "..x", ".x.", "x.."}, 6}),
        ::testing::Bool()),
    [](const auto& info) {
      return std::string(std::get<0>(info.param).name) +
             (std::get<1>(info.param) ? "Threaded" : "SystemTimer");
    });

TEST_F(ScanBarTest, StoppingLeavesTheLitLedLitAndADirectionChangeTakesTheNextStep) {
  session->Set("Scan.TimeInterval", "40");
  session->Set("Scan.Active", "True");
  EXPECT_EQ(Run(3), (std::vector<std::string>{"x......", ".x.....", "..x...."}));
  session->Set("Scan.Active", "False");
  session->Wait(400);
  EXPECT_EQ(Lit(), "..x....");
  session->Set("Scan.Direction", "tsdRightLeft");
  session->Set("Scan.Active", "True");
  EXPECT_EQ(Run(3), (std::vector<std::string>{".x.....", "x......", "......x"}));
  // Back to bouncing: still going right, as before the switch.
  session->Set("Scan.Direction", "tsdBoth");
  EXPECT_EQ(Run(2), (std::vector<std::string>{"......x", ".....x."}));
}

TEST_F(ScanBarTest, AStepRedrawsOnlyTheTwoLedsThatChange) {
  session->Set("Scan.Position", "2");
  // Marks on the screen over LEDs 0 and 5: a repaint of the whole bar
  // would wipe both.
  form->Canvas()->Brush()->SetColor(clFuchsia);
  for (int i : {0, 5}) form->Canvas()->FillRect(LedRect(i));
  session->Set("Scan.Active", "True");
  session->Wait(scan->TimeInterval());
  EXPECT_EQ(Lit(), "?..x.?.");
  const TRect r = LedRect(5);
  EXPECT_EQ(session->Pixel(r.Left + 3, r.Top + 8), ColorToPixel(clFuchsia));
}

TEST_F(ScanBarTest, SwitchingTheTimerSourceWhileRunningKeepsTheSteps) {
  session->Set("Scan.Active", "True");
  EXPECT_EQ(Run(2), (std::vector<std::string>{"x......", ".x....."}));
  session->Set("Scan.Threaded", "False");
  EXPECT_EQ(Run(2), (std::vector<std::string>{"..x....", "...x..."}));
  session->Set("Scan.Threaded", "True");
  EXPECT_EQ(Run(1), (std::vector<std::string>{"....x.."}));
}

TEST_F(ScanBarTest, InTheDesignerActiveIsStoredButNothingSteps) {
  scan->SetDesigning(true);
  session->Set("Scan.Active", "True");
  EXPECT_TRUE(scan->Active());
  session->Wait(500);
  EXPECT_EQ(Lit(), ".......");
  EXPECT_EQ(changes, 0);
}

TEST_F(ScanBarTest, PositionIsClampedToTheLedsAndFiresOnChangeForEveryNewValue) {
  scan->SetPosition(100);
  EXPECT_EQ(scan->Position(), 6);
  EXPECT_EQ(changes, 1);
  scan->SetPosition(100);  // compared before clamping
  EXPECT_EQ(changes, 2);
  session->Settle();
  EXPECT_EQ(Lit(), "......x");
  scan->SetPosition(-5);
  EXPECT_EQ(scan->Position(), -1);
  session->Settle();
  EXPECT_EQ(Lit(), ".......");

  scan->SetPosition(3);
  const int before = changes;
  session->Set("Scan.Leds", "4");
  EXPECT_EQ(scan->Position(), -1);
  EXPECT_EQ(changes, before);
  EXPECT_EQ(Lit(), "....");
}

TEST_F(ScanBarTest, ThePaletteAndColorWidthRules) {
  session->Set("Scan.Position", "1");
  session->Set("Scan.GraphPal.High", "clRed");
  const TRect r = LedRect(1);
  EXPECT_EQ(session->Pixel(r.Left + 1, r.Top + 1), ColorToPixel(clRed));
  EXPECT_EQ(Lit(), ".x.....");
  session->Set("Scan.ColorWidth", "0");
  EXPECT_EQ(scan->ColorWidth(), 1);
  session->Set("Scan.ColorWidth", "-3");
  EXPECT_EQ(scan->ColorWidth(), 1);
}

// Faults.

TEST_F(ScanBarTest, ANegativeLedCountGivesAnEmptyBarThatStepsWithoutAnyLed) {
  for (const char* leds : {"-3", "-2147483648", "0"}) {
    SCOPED_TRACE(leds);
    session->Set("Scan.Leds", leds);
    EXPECT_EQ(scan->Items()->GetCount(), 0);
    session->Set("Scan.Position", "2");
    EXPECT_EQ(scan->Position(), -1);
    session->Set("Scan.Active", "True");
    for (const char* direction : {"tsdBoth", "tsdLeftRight", "tsdRightLeft"}) {
      session->Set("Scan.Direction", direction);
      session->Wait(300);
      EXPECT_EQ(scan->Position(), -1);
    }
    session->Set("Scan.Active", "False");
    for (int x = 0; x < scan->Width(); x += 4) EXPECT_EQ(RowPixel(x, 8), ColorToPixel(kBackground));
  }
}

TEST_F(ScanBarTest, NoLedIsDrawnOnTheScreenWhileTheBarIsReadOrHasNoParent) {
  const TRect r = LedRect(3);
  const uint32_t unlit = ColorToPixel(scan->GraphPal()->Low());
  scan->SetLoadingState(true);
  scan->SetPosition(3);
  session->Settle();
  EXPECT_EQ(session->Pixel(r.Left + 1, r.Top + 1), unlit);
  scan->Loaded();
  scan->Invalidate();
  session->Settle();
  EXPECT_EQ(Lit(), "...x...");

  scan->SetParent(nullptr);
  scan->SetPosition(5);
  EXPECT_TRUE(scan->Led(5)->Active());
  scan->SetParent(form);
  session->Settle();
  EXPECT_EQ(Lit(), ".....x.");
}

// Form files.

TEST_F(ScanBarTest, AFormFileKeepsTheLedsAndARunningBarStepsOnceRead) {
  session->Set("Scan.Leds", "5");
  session->Set("Scan.Threaded", "False");
  session->Set("Scan.Direction", "tsdLeftRight");
  session->Set("Scan.TimeInterval", "50");
  session->Set("Scan.Position", "2");
  session->Set("Scan.GraphPal.Low", "$00203040");
  session->Set("Scan.Style", "tlsFlat");
  const std::string stopped = WriteForm(form);
  const BitmapImage before = session->Snapshot();

  auto* read = ReadFormAs<TForm>(stopped, "scan.kxf");
  auto* loaded = static_cast<TKxScanBar*>(read->FindComponent("Scan"));
  EXPECT_EQ(WriteForm(read), stopped);
  ASSERT_EQ(loaded->Items()->GetCount(), 5);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(loaded->Led(i)->Active(), i == 2) << i;
  {
    Session again(read);
    EXPECT_EQ(again.Snapshot().Pixels, before.Pixels);
  }
  read->Free();

  session->Set("Scan.Active", "True");
  read = ReadFormAs<TForm>(WriteForm(form), "running.kxf");
  loaded = static_cast<TKxScanBar*>(read->FindComponent("Scan"));
  {
    Session again(read);
    again.Wait(50);
    EXPECT_EQ(loaded->Position(), 3);
    again.Wait(100);
    EXPECT_EQ(loaded->Position(), 0);
  }
  read->Free();
}

}  // namespace
}  // namespace kx::testing
