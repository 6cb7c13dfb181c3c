// End to end under Xvfb: a borderless SDL2 window (tools/kxdragprobe) is
// dragged, sized, snapped to the screen's edges, maximised, restored and
// minimised with xdotool, with and without a window manager.
#include <gtest/gtest.h>

#include <string>

#include "XSession.h"

using namespace kxtest;
using host::Bounds;
using host::TRect;

namespace {

const char* kTitle = "KxDragProbe";

std::string Xdo(const std::string& args) { return "xdotool " + args; }

std::string MoveTo(int x, int y) {
  return "mousemove --sync " + std::to_string(x) + " " + std::to_string(y) + " ";
}

class X11MoveSize : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    session_ = std::make_unique<XSession>(GetParam());
    ASSERT_TRUE(session_->Ok()) << "no X server for the end-to-end test: " << session_->Error();
    // Moves snap within 10 pixels of the work area's edges.
    probe_ = std::make_unique<ChildProcess>(
        std::vector<std::string>{KXDRAGPROBE_PATH, "--snap", "10"}, true);
    ASSERT_TRUE(probe_->WaitLine("ready", 0, Ms(30000))) << probe_->AllOutput();
    window_ = XSession::FindWindow(kTitle);
    ASSERT_NE(window_, 0u) << "the probe's window did not show";
    start_ = XSession::Geometry(window_);
    ASSERT_EQ(start_.Width(), 320);
  }
  void TearDown() override {
    probe_.reset();  // before the server goes
    session_.reset();
  }

  // Presses the left button at (x, y); once the probe says its move or size
  // loop runs, moves by (dx, dy) in five steps, as a hand would, and releases.
  bool Drag(int x, int y, int dx, int dy) {
    XSession::Run(Xdo(MoveTo(x, y) + "mousedown 1"));
    if (!Expect("loopstart")) return false;
    for (int i = 1; i <= 5; ++i) XSession::Run(Xdo(MoveTo(x + dx * i / 5, y + dy * i / 5)));
    XSession::Run(Xdo("mouseup 1"));
    return true;
  }

  // Waits for the probe's next line starting with prefix.
  bool Expect(const std::string& prefix) {
    size_t at = 0;
    if (!probe_->WaitLine(prefix, next_, Ms(5000), &at)) return false;
    next_ = at + 1;
    return true;
  }

  // Clicks the lower half (no move there) and checks the probe saw it.
  void ExpectClickReaches(const TRect& bounds, int button = 1) {
    const int x = bounds.Left + bounds.Width() / 2, y = bounds.Bottom - 30;
    XSession::Run(Xdo("mousemove --sync " + std::to_string(x) + " " + std::to_string(y) +
                      " click " + std::to_string(button)));
    EXPECT_TRUE(Expect("down")) << probe_->AllOutput();
    EXPECT_TRUE(Expect("up")) << probe_->AllOutput();
  }

  std::unique_ptr<XSession> session_;
  std::unique_ptr<ChildProcess> probe_;
  unsigned long window_ = 0;
  TRect start_;
  size_t next_ = 0;
};

TEST_P(X11MoveSize, ADragMovesTheWindowByTheDeltaAndClicksStillArriveAfterwards) {
  ASSERT_TRUE(Drag(start_.Left + 40, start_.Top + 30, 100, 60)) << probe_->AllOutput();
  ASSERT_TRUE(Expect("loopend")) << probe_->AllOutput();
  const TRect moved = XSession::Geometry(window_);
  EXPECT_EQ(moved.Left - start_.Left, 100);
  EXPECT_EQ(moved.Top - start_.Top, 60);
  EXPECT_EQ(moved.Width(), start_.Width());
  EXPECT_EQ(moved.Height(), start_.Height());
  ExpectClickReaches(moved);

  // A press released at once must not leave the window stuck to the pointer:
  // after the pointer moves on and a click has come through, it is still
  // where it was.
  XSession::Run(Xdo(MoveTo(moved.Left + 40, moved.Top + 30) + "mousedown 1 mouseup 1"));
  ASSERT_TRUE(Expect("loopend")) << probe_->AllOutput();
  XSession::Run(Xdo(MoveTo(moved.Left + 90, moved.Top + 70)));
  ExpectClickReaches(moved);
  EXPECT_EQ(XSession::Geometry(window_), moved);
}

TEST_P(X11MoveSize, ASizeFromTheBottomRightCornerChangesTheSize) {
  ASSERT_TRUE(Drag(start_.Right - 5, start_.Bottom - 5, 80, 50)) << probe_->AllOutput();
  ASSERT_TRUE(Expect("loopend")) << probe_->AllOutput();
  const TRect sized = XSession::Geometry(window_);
  EXPECT_EQ(sized.Width(), start_.Width() + 80);
  EXPECT_EQ(sized.Height(), start_.Height() + 50);
  EXPECT_EQ(sized.TopLeft(), start_.TopLeft());
  ExpectClickReaches(sized);
}

// A press followed at once by the moves and the release, faster than the
// probe can start its loop or a window manager can take the pointer: the
// window still ends where press point plus total delta puts it.
TEST_P(X11MoveSize, AFastFlickEndsAtThePressPointPlusTheWholeDelta) {
  struct Flick {
    const char* what;
    int x, y;  // press point, relative to the window's top-left corner
    int dx, dy;
    TRect expected;  // relative to the window before the flick
  };
  const int w = start_.Width(), h = start_.Height();
  const Flick flicks[] = {
      {"move", 40, 30, 90, 50, Bounds(90, 50, w, h)},
      {"move back", 60, 20, -90, -50, Bounds(-90, -50, w, h)},
      {"size", w - 5, h - 5, 60, 40, Bounds(0, 0, w + 60, h + 40)},
  };
  for (const Flick& f : flicks) {
    SCOPED_TRACE(f.what);
    const TRect before = XSession::Geometry(window_);
    const int x = before.Left + f.x, y = before.Top + f.y;
    XSession::Run(Xdo(MoveTo(x, y) + "mousedown 1 mousemove " + std::to_string(x + f.dx / 2) + " " +
                      std::to_string(y + f.dy / 2) + " mousemove " + std::to_string(x + f.dx) +
                      " " + std::to_string(y + f.dy) + " mouseup 1"));
    ASSERT_TRUE(Expect("loopend")) << probe_->AllOutput();
    const TRect after = XSession::Geometry(window_);
    EXPECT_EQ(after, Bounds(before.Left + f.expected.Left, before.Top + f.expected.Top,
                            f.expected.Width(), f.expected.Height()));
    ExpectClickReaches(after);
  }
}

TEST_P(X11MoveSize, AMoveEndingNearTheLeftEdgeLeavesTheWindowFlushWithIt) {
  // Without the snap the window would end 6 pixels from the edge.
  ASSERT_TRUE(Drag(start_.Left + 40, start_.Top + 30, 6 - start_.Left, 20)) << probe_->AllOutput();
  ASSERT_TRUE(Expect("loopend")) << probe_->AllOutput();
  EXPECT_EQ(XSession::AwaitGeometry(window_, Bounds(0, start_.Top + 20, 320, 240)),
            Bounds(0, start_.Top + 20, 320, 240));
}

// A right click maximises or restores the probe, a middle click minimises it.
TEST_P(X11MoveSize, MaximiseFillsTheWorkAreaRestoreBringsBackTheBoundsMinimiseUnmaps) {
  const TRect screen = Bounds(0, 0, 1280, 800);  // no panel takes room from it
  ExpectClickReaches(start_, 3);
  ASSERT_TRUE(Expect("state maximized")) << probe_->AllOutput();
  EXPECT_EQ(XSession::AwaitGeometry(window_, screen), screen);
  ExpectClickReaches(screen, 3);
  ASSERT_TRUE(Expect("state normal")) << probe_->AllOutput();
  EXPECT_EQ(XSession::AwaitGeometry(window_, start_), start_);

  ExpectClickReaches(start_, 2);
  ASSERT_TRUE(Expect("state minimized")) << probe_->AllOutput();
  bool viewable = true;
  const auto end = std::chrono::steady_clock::now() + Ms(5000);
  while (viewable && std::chrono::steady_clock::now() < end) viewable = XSession::Viewable(window_);
  EXPECT_FALSE(viewable);
}

INSTANTIATE_TEST_SUITE_P(, X11MoveSize, ::testing::Values(false, true), [](const auto& info) {
  return info.param ? "WithWindowManager" : "WithoutWindowManager";
});

}  // namespace
