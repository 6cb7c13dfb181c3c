// End to end under Xvfb, with and without a window manager: the
// skinned-window program, driven with xdotool and watched with xwininfo.
#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "tests/host/platform/x11/XSession.h"

using namespace kxtest;
using host::Bounds;
using host::TRect;

namespace {

const char* kTitle = "KxPack skinned window";
// Points of the window, from its top-left corner (400 × 240).
constexpr int kTitleX = 60, kTitleY = 7, kGripX = 393, kGripY = 234;
constexpr int kMagnetX = 337, kMinimizeX = 353, kMaximizeX = 369, kCloseX = 385, kButtonY = 7;

std::string At(int x, int y) {
  return "xdotool mousemove --sync " + std::to_string(x) + " " + std::to_string(y) + " ";
}

class SkinnedWindowX11 : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    session_ = std::make_unique<XSession>(GetParam());
    ASSERT_TRUE(session_->Ok()) << "no X server for the end-to-end test: " << session_->Error();
    program_ = std::make_unique<ChildProcess>(std::vector<std::string>{SKINNED_WINDOW_PATH}, true);
    window_ = XSession::FindWindow(kTitle);
    ASSERT_NE(window_, 0u) << "the example's window did not show";
    start_ = XSession::Geometry(window_);
    ASSERT_EQ(start_, Bounds(240, 160, 400, 240));
  }
  void TearDown() override {
    program_.reset();  // before the server goes
    session_.reset();
  }

  void Click(int x, int y) { XSession::Run(At(x, y) + "click 1"); }
  // A left press at (x, y), moved by (dx, dy) in five steps, released. As
  // a hand would: once the first step has moved or sized the window, which
  // says the program's move or size loop runs, the rest follows.
  void Drag(int x, int y, int dx, int dy) {
    const TRect before = XSession::Geometry(window_);
    XSession::Run(At(x, y) + "mousedown 1 " + "mousemove --sync " + std::to_string(x + dx / 5) +
                  " " + std::to_string(y + dy / 5));
    const auto end = std::chrono::steady_clock::now() + Ms(5000);
    while (XSession::Geometry(window_) == before && std::chrono::steady_clock::now() < end)
      std::this_thread::sleep_for(Ms(20));
    std::string moves;
    for (int i = 2; i <= 5; ++i)
      moves += "mousemove --sync " + std::to_string(x + dx * i / 5) + " " +
               std::to_string(y + dy * i / 5) + " ";
    XSession::Run("xdotool " + moves + "mouseup 1");
  }

  std::unique_ptr<XSession> session_;
  std::unique_ptr<ChildProcess> program_;
  unsigned long window_ = 0;
  TRect start_;
};

TEST_P(SkinnedWindowX11, DraggedByItsTitleTheWindowFollowsThePointer) {
  Drag(start_.Left + kTitleX, start_.Top + kTitleY, 150, 90);
  const TRect moved = Bounds(start_.Left + 150, start_.Top + 90, 400, 240);
  EXPECT_EQ(XSession::AwaitGeometry(window_, moved), moved);
}

TEST_P(SkinnedWindowX11, TheGripResizesItFromTheCornerByTheDragDelta) {
  Drag(start_.Left + kGripX, start_.Top + kGripY, 80, 50);
  const TRect sized = Bounds(start_.Left, start_.Top, 480, 290);
  EXPECT_EQ(XSession::AwaitGeometry(window_, sized), sized);
}

TEST_P(SkinnedWindowX11, MaximiseFillsTheWorkAreaAndRestoreBringsBackTheOldBounds) {
  const TRect screen = Bounds(0, 0, 1280, 800);  // no panel takes room from it
  Click(start_.Left + kMaximizeX, start_.Top + kButtonY);
  EXPECT_EQ(XSession::AwaitGeometry(window_, screen), screen);
  // The button sits at the right end of the wider menu bar.
  Click(screen.Right - (start_.Width() - kMaximizeX), kButtonY);
  EXPECT_EQ(XSession::AwaitGeometry(window_, start_), start_);
}

TEST_P(SkinnedWindowX11, MinimiseUnmapsTheWindow) {
  Click(start_.Left + kMinimizeX, start_.Top + kButtonY);
  bool viewable = true;
  const auto end = std::chrono::steady_clock::now() + Ms(5000);
  while (viewable && std::chrono::steady_clock::now() < end) viewable = XSession::Viewable(window_);
  EXPECT_FALSE(viewable);
}

TEST_P(SkinnedWindowX11, WithTheMagnetOnADragEndingNearTheLeftEdgeLeavesTheWindowFlush) {
  Click(start_.Left + kMagnetX, start_.Top + kButtonY);
  // Without the magnet the window would end 6 pixels from the edge.
  Drag(start_.Left + kTitleX, start_.Top + kTitleY, 6 - start_.Left, 40);
  const TRect flush = Bounds(0, start_.Top + 40, 400, 240);
  EXPECT_EQ(XSession::AwaitGeometry(window_, flush), flush);
}

TEST_P(SkinnedWindowX11, CloseEndsTheProgramWithExitStatusZero) {
  Click(start_.Left + kCloseX, start_.Top + kButtonY);
  EXPECT_EQ(program_->WaitExit(Ms(10000)), 0);
}

INSTANTIATE_TEST_SUITE_P(, SkinnedWindowX11, ::testing::Values(false, true), [](const auto& info) {
  return info.param ? "WithWindowManager" : "WithoutWindowManager";
});

}  // namespace
