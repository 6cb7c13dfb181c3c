#include "host/platform/HeadlessPlatform.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "host/base/FileContents.h"
#include "host/base/SysUtils.h"
#include "host/graphics/PngCodec.h"
#include "host/platform/VirtualKeys.h"
#include "host/threads/Clock.h"
#include "host/threads/MessageLoop.h"

using namespace host;

namespace {

std::string Str(TPoint p) { return std::to_string(p.X) + "," + std::to_string(p.Y); }

// Writes what a window is told, one line per event.
struct Recorder : WindowEvents {
  std::vector<std::string> Log;
  std::vector<TRect> BoundsSeen;
  std::function<void(const MouseEvent&)> OnDown;

  void MouseMove(const MouseEvent& e) override { Log.push_back("move " + Str(e.Pos)); }
  void MouseDown(const MouseEvent& e) override {
    Log.push_back("down " + Str(e.Pos) + " screen " + Str(e.ScreenPos) + " clicks " +
                  std::to_string(e.Clicks));
    if (OnDown) OnDown(e);
  }
  void MouseUp(const MouseEvent& e) override { Log.push_back("up " + Str(e.Pos)); }
  void MouseWheel(const MouseEvent& e) override {
    Log.push_back("wheel " + std::to_string(e.WheelDelta));
  }
  void MouseLeave() override { Log.push_back("leave"); }
  void KeyDown(const KeyEvent& e) override {
    Log.push_back("keydown " + std::to_string(e.Key) + (e.State.Shift ? " shift" : ""));
  }
  void KeyUp(const KeyEvent& e) override { Log.push_back("keyup " + std::to_string(e.Key)); }
  void KeyChar(const std::string& text, const InputState&) override {
    Log.push_back("char " + text);
  }
  void FocusChanged(bool focused) override { Log.push_back(focused ? "focus" : "unfocus"); }
  void BoundsChanged(const TRect& b) override { BoundsSeen.push_back(b); }
};

class HeadlessTest : public ::testing::Test {
 protected:
  // A window whose client area starts at (100, 100), 200 × 150.
  std::unique_ptr<PlatformWindow> MakeWindow(Recorder& rec,
                                             TRect bounds = Bounds(100, 100, 200, 150)) {
    auto w = platform.CreateWindow({"Test", bounds, true, true});
    w->SetEvents(&rec);
    w->Show();
    rec.Log.clear();
    return w;
  }

  HeadlessPlatform platform;
};

TEST_F(HeadlessTest, MouseGoesToTheWindowUnderItAndStaysWithItWhileAButtonIsHeld) {
  Recorder below, above;
  auto w1 = MakeWindow(below, Bounds(100, 100, 200, 150));
  auto w2 = MakeWindow(above, Bounds(250, 100, 100, 100));  // overlaps w1's right part
  below.Log.clear();

  platform.InjectMouseMove(120, 130);  // only w1
  platform.InjectMouseMove(260, 110);  // both: the upper one wins
  platform.InjectMouseDown();
  platform.InjectMouseMove(500, 500);  // outside both, still w2's
  platform.InjectMouseUp();
  platform.InjectMouseMove(120, 130);  // back to w1: w2 is left
  platform.Pump();

  EXPECT_EQ(below.Log, (std::vector<std::string>{"move 20,30", "leave", "move 20,30"}));
  EXPECT_EQ(above.Log, (std::vector<std::string>{"move 10,10", "down 10,10 screen 260,110 clicks 1",
                                                 "move 250,400", "up 250,400", "leave"}));
  EXPECT_EQ(platform.CursorPos(), Point(120, 130));
  EXPECT_FALSE(platform.CurrentInputState().Left);
}

TEST_F(HeadlessTest, APressActivatesTheWindowAndAReleaseWithoutPressReachesNobody) {
  Recorder a, b;
  auto wa = MakeWindow(a, Bounds(0, 0, 100, 100));
  auto wb = MakeWindow(b, Bounds(200, 0, 100, 100));
  a.Log.clear();
  EXPECT_TRUE(wb->Focused());
  platform.InjectMouseMove(10, 10);
  platform.InjectMouseUp();
  platform.InjectMouseDown();
  platform.Pump();
  EXPECT_TRUE(wa->Focused());
  EXPECT_EQ(a.Log,
            (std::vector<std::string>{"move 10,10", "focus", "down 10,10 screen 10,10 clicks 1"}));
  EXPECT_EQ(b.Log, (std::vector<std::string>{"unfocus"}));
  EXPECT_EQ(platform.WindowAt({10, 10}), wa.get());
}

TEST_F(HeadlessTest, DoubleClicksNeedTheSameButtonCloseInTimeAndPlace) {
  struct Case {
    const char* name;
    int64_t gapMs;
    int32_t dx;
    MouseButton second;
    int expectedClicks;
  };
  const Case cases[] = {
      {"quick and close", 100, 2, MouseButton::Left, 2},
      {"at the time limit", HeadlessPlatform::kDoubleClickMs, 0, MouseButton::Left, 2},
      {"too slow", HeadlessPlatform::kDoubleClickMs + 1, 0, MouseButton::Left, 1},
      {"too far", 100, HeadlessPlatform::kDoubleClickDistance + 1, MouseButton::Left, 1},
      {"other button", 100, 0, MouseButton::Right, 1},
  };
  platform.SetManualClock(true);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Recorder rec;
    auto w = MakeWindow(rec);
    platform.AdvanceClock(10000);  // far from any earlier press
    platform.InjectClick(150, 150);
    platform.Pump();
    platform.AdvanceClock(c.gapMs);
    platform.InjectClick(150 + c.dx, 150, c.second);
    platform.Pump();
    const std::string& secondDown = rec.Log.at(4);
    ASSERT_TRUE(secondDown.starts_with("down")) << secondDown;
    EXPECT_EQ(secondDown.back() - '0', c.expectedClicks) << secondDown;
  }
}

TEST_F(HeadlessTest, AThirdQuickPressStartsANewPair) {
  Recorder rec;
  auto w = MakeWindow(rec);
  platform.SetManualClock(true);
  for (int i = 0; i < 3; ++i) platform.InjectClick(150, 150);
  platform.Pump();
  std::vector<std::string> downs;
  for (const auto& line : rec.Log)
    if (line.starts_with("down")) downs.push_back(line.substr(line.size() - 1));
  EXPECT_EQ(downs, (std::vector<std::string>{"1", "2", "1"}));
}

// A press on the window starts the interactive loop the way a form does
// when a panel sends it WM_SYSCOMMAND.
TEST_F(HeadlessTest, AMoveFollowsThePointerByTheDragDeltaAndConsumesTheRelease) {
  Recorder rec;
  auto w = MakeWindow(rec);
  rec.OnDown = [&](const MouseEvent&) { w->RunMoveSize(MoveSizeKind::Move); };
  platform.InjectMouseMove(110, 110);
  platform.InjectMouseDown();
  platform.InjectMouseMove(140, 130);
  platform.InjectMouseMove(160, 150);
  platform.InjectMouseUp();
  platform.Pump();

  EXPECT_EQ(w->Bounds(), Bounds(150, 140, 200, 150));
  EXPECT_EQ(rec.BoundsSeen,
            (std::vector<TRect>{Bounds(130, 120, 200, 150), Bounds(150, 140, 200, 150)}));
  EXPECT_EQ(rec.Log,
            (std::vector<std::string>{"move 10,10", "down 10,10 screen 110,110 clicks 1"}));
  EXPECT_FALSE(platform.CurrentInputState().Left);

  // Input works as before after the move.
  rec.Log.clear();
  rec.OnDown = nullptr;
  platform.InjectClick(170, 160);
  platform.Pump();
  EXPECT_EQ(rec.Log, (std::vector<std::string>{"move 20,20", "down 20,20 screen 170,160 clicks 1",
                                               "up 20,20"}));
}

TEST_F(HeadlessTest, SizingFromEachEdgeKeepsTheTopLeftAndTheMinimumSize) {
  struct Case {
    const char* name;
    MoveSizeKind kind;
    int32_t dx, dy;
    TRect expected;
  };
  const Case cases[] = {
      {"right edge", MoveSizeKind::SizeRight, 40, 30, Bounds(100, 100, 240, 150)},
      {"bottom edge", MoveSizeKind::SizeBottom, 40, 30, Bounds(100, 100, 200, 180)},
      {"corner", MoveSizeKind::SizeBottomRight, 40, 30, Bounds(100, 100, 240, 180)},
      {"corner shrinking", MoveSizeKind::SizeBottomRight, -50, -20, Bounds(100, 100, 150, 130)},
      {"corner below the minimum", MoveSizeKind::SizeBottomRight, -500, -500,
       Bounds(100, 100, 60, 40)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Recorder rec;
    auto w = MakeWindow(rec);
    w->SetMinimumSize(60, 40);
    rec.OnDown = [&](const MouseEvent&) { w->RunMoveSize(c.kind); };
    platform.InjectMouseMove(295, 245);
    platform.InjectMouseDown();
    platform.InjectMouseMove(295 + c.dx / 2, 245 + c.dy / 2);
    platform.InjectMouseMove(295 + c.dx, 245 + c.dy);
    platform.InjectMouseUp();
    platform.Pump();
    EXPECT_EQ(w->Bounds(), c.expected);
    ASSERT_FALSE(rec.BoundsSeen.empty());
    EXPECT_EQ(rec.BoundsSeen.back(), c.expected);
    EXPECT_EQ(static_cast<HeadlessWindow*>(w.get())->Pixels().Width, c.expected.Width());
  }
}

TEST_F(HeadlessTest, AMoveWithoutAHeldButtonOrWithoutFurtherInputReturns) {
  Recorder rec;
  auto w = MakeWindow(rec);
  w->RunMoveSize(MoveSizeKind::Move);  // nothing held
  EXPECT_EQ(w->Bounds(), Bounds(100, 100, 200, 150));

  // The queue runs dry with the button still held: the loop gives up, and the
  // release that comes later reaches the window as usual.
  rec.OnDown = [&](const MouseEvent&) { w->RunMoveSize(MoveSizeKind::Move); };
  platform.InjectMouseMove(110, 110);
  platform.InjectMouseDown();
  platform.InjectMouseMove(120, 110);
  platform.Pump();
  EXPECT_EQ(w->Bounds(), Bounds(110, 100, 200, 150));
  EXPECT_TRUE(platform.CurrentInputState().Left);
  platform.InjectMouseUp();
  platform.Pump();
  EXPECT_EQ(rec.Log.back(), "up 10,10");
}

TEST_F(HeadlessTest, PresentShowsOnlyTheDirtyPartsClippedToWindowAndFrame) {
  Recorder rec;
  auto w = MakeWindow(rec, Bounds(0, 0, 10, 8));
  auto* hw = static_cast<HeadlessWindow*>(w.get());
  const BitmapImage red(10, 8, 0xFF0000);
  const TRect first[] = {Rect(0, 0, 10, 8)};
  w->Present(red, first);
  const BitmapImage blue(6, 20, 0x0000FF);  // narrower and taller than the window
  const TRect dirty[] = {Rect(2, 2, 4, 4), Rect(5, 6, 30, 30), Rect(20, 20, 25, 25)};
  w->Present(blue, dirty);

  EXPECT_EQ(hw->LastPresented(), (std::vector<TRect>{Rect(2, 2, 4, 4), Rect(5, 6, 6, 8)}));
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 10; ++x) {
      const bool isBlue = (x >= 2 && x < 4 && y >= 2 && y < 4) || (x == 5 && y >= 6);
      ASSERT_EQ(hw->Pixels().At(x, y), isBlue ? 0x0000FFu : 0xFF0000u) << x << "," << y;
    }
}

TEST_F(HeadlessTest, SavePngWritesTheWindowPixelsAndReportsAPathItCannotCreate) {
  Recorder rec;
  auto w = MakeWindow(rec, Bounds(0, 0, 4, 3));
  auto* hw = static_cast<HeadlessWindow*>(w.get());
  const BitmapImage frame(4, 3, 0x123456);
  const TRect all[] = {Rect(0, 0, 4, 3)};
  w->Present(frame, all);
  const auto path = std::filesystem::temp_directory_path() / "kx_headless_window.png";
  hw->SavePng(path.string());
  const std::string bytes = ReadFileContents(path.string());
  std::filesystem::remove(path);
  const BitmapImage back = DecodePng(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  EXPECT_EQ(back.Width, 4);
  EXPECT_EQ(back.Pixels, frame.Pixels);
  EXPECT_THROW(hw->SavePng("/nonexistent-dir/x.png"), EFOpenError);
}

TEST_F(HeadlessTest, KeysGoToTheFocusedWindowWithModifiersAndCharacters) {
  Recorder back, front;
  auto wb = MakeWindow(back, Bounds(0, 0, 50, 50));
  auto wf = MakeWindow(front, Bounds(100, 0, 50, 50));
  back.Log.clear();
  platform.InjectKeyPress('A');
  platform.InjectKeyDown(VK_SHIFT);
  platform.InjectKeyPress('B');
  platform.InjectKeyUp(VK_SHIFT);
  platform.InjectKeyPress(VK_RETURN);
  platform.InjectKeyPress(VK_LEFT);
  platform.InjectChar("é");
  platform.Pump();
  EXPECT_TRUE(back.Log.empty());
  EXPECT_EQ(front.Log, (std::vector<std::string>{
                           "keydown 65", "char a", "keyup 65",                            //
                           "keydown 16 shift", "keydown 66 shift", "char B", "keyup 66",  //
                           "keyup 16", "keydown 13", "char \r", "keyup 13",               //
                           "keydown 37", "keyup 37", "char é"}));
}

TEST_F(HeadlessTest, HidingTheFocusedWindowFocusesTheTopmostVisibleOne) {
  Recorder a, b, c;
  auto wa = MakeWindow(a);
  auto wb = MakeWindow(b);
  auto wc = MakeWindow(c);
  wb->Activate();  // order now a, c, b
  wb->Hide();
  EXPECT_TRUE(wc->Focused());
  EXPECT_EQ(platform.Windows(),
            (std::vector<HeadlessWindow*>{static_cast<HeadlessWindow*>(wa.get()),
                                          static_cast<HeadlessWindow*>(wc.get())}));
  wc.reset();  // destroying the focused window leaves nothing dangling
  platform.InjectClick(150, 150);
  platform.Pump();
  EXPECT_TRUE(wa->Focused());
}

TEST_F(HeadlessTest, TheClockAdvancesOnRequestAndWaitsCanBeCutShort) {
  platform.SetManualClock(true);
  const int64_t t0 = platform.NowMs();
  platform.AdvanceClock(1500);
  EXPECT_EQ(platform.NowMs(), t0 + 1500);
  platform.SetManualClock(false);
  EXPECT_GE(platform.NowMs(), t0 + 1500);  // no jump back when real time resumes

  // Would block forever without the wake from the other thread.
  std::thread waker([&] { platform.Wake(); });
  platform.Wait(-1);
  waker.join();

  // Injected input also ends a wait, from any thread.
  std::thread injector([&] { platform.InjectMouseMove(1, 1); });
  injector.join();
  platform.Wait(-1);
  EXPECT_EQ(platform.PendingInput(), 1u);
}

TEST_F(HeadlessTest, WheelGoesToTheWindowUnderThePointer) {
  Recorder rec;
  auto w = MakeWindow(rec);
  platform.InjectMouseMove(150, 150);
  platform.InjectMouseWheel(-120);
  platform.InjectMouseMove(5, 5);
  platform.InjectMouseWheel(120);  // over no window
  platform.Pump();
  EXPECT_EQ(rec.Log, (std::vector<std::string>{"move 50,50", "wheel -120", "leave"}));
}

}  // namespace

namespace {

TEST(PlatformChoice, HeadlessOnRequestAndInstalledAsTheLoopsEventSourceAndClock) {
  setenv("KX_PLATFORM", "headless", 1);
  Platform::SetCurrent(nullptr);
  Platform& p = Platform::Current();
  EXPECT_EQ(p.Name(), "headless");
  EXPECT_EQ(&CurrentEventSource(), &p);
  HeadlessPlatform* headless = HeadlessPlatform::Active();
  ASSERT_EQ(headless, &p);
  headless->SetManualClock(true);
  const int64_t t0 = TickCountMs();
  headless->AdvanceClock(250);
  EXPECT_EQ(TickCountMs(), t0 + 250);
  Platform::SetCurrent(nullptr);
  unsetenv("KX_PLATFORM");
}

}  // namespace
