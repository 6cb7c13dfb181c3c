// The skinned-window example driven headless as a user drives it: the title
// drags it, the grip sizes it, the window buttons do what they show, the
// magnet makes a move snap to the screen's edges, and the menu bar follows
// activation.
#include <gtest/gtest.h>

#include "examples/skinned-window/MainForm.h"
#include "host/testing/Session.h"
#include "tests/support/HeadlessFixture.h"

namespace skinned_window {
namespace {

using host::Bounds;
using host::TRect;
using host::testing::Headless;

// Centres of the menu bar's buttons and a point on the title, in the
// form's client coordinates (the window is 400 × 240 at (240, 160)).
constexpr host::TPoint kMagnet{337, 7}, kMinimize{353, 7}, kMaximize{369, 7}, kClose{385, 7};
constexpr host::TPoint kTitle{60, 7}, kGrip{393, 234};
const TRect kStart = Bounds(240, 160, 400, 240);

class SkinnedWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Headless().AdvanceClock(host::HeadlessPlatform::kDoubleClickMs + 1);
    session_ = std::make_unique<kx::testing::Session>(form_);
  }
  void TearDown() override {
    session_.reset();
    form_->Free();
  }
  void Click(host::TPoint p) { session_->Click(p.X, p.Y); }

  TMainForm* form_ = new TMainForm(nullptr);
  std::unique_ptr<kx::testing::Session> session_;
};

TEST_F(SkinnedWindowTest, ADragOnTheTitleMovesTheWindowByTheDelta) {
  session_->Drag(kTitle.X, kTitle.Y, kTitle.X + 120, kTitle.Y + 70);
  EXPECT_EQ(form_->BoundsRect(), Bounds(360, 230, 400, 240));
}

TEST_F(SkinnedWindowTest, TheGripSizesTheWindowFromTheCornerByTheDragDelta) {
  session_->Drag(kGrip.X, kGrip.Y, kGrip.X + 60, kGrip.Y + 40);
  EXPECT_EQ(form_->BoundsRect(), Bounds(240, 160, 460, 280));
  // The chrome follows: the close button at the right end, the grip in the corner.
  EXPECT_EQ(session_->Get("BtClose.Left"), "440");
  EXPECT_EQ(static_cast<host::HeadlessWindow&>(*form_->PlatformHandle())
                .HitTest({kGrip.X + 60, kGrip.Y + 40}),
            host::HitArea::ResizeBottomRight);
}

TEST_F(SkinnedWindowTest, MinimiseAndMaximiseDoWhatTheyShowAndRestoreBringsBackTheBounds) {
  Click(kMaximize);
  EXPECT_EQ(session_->Get("Form.WindowState"), "wsMaximized");
  EXPECT_EQ(form_->BoundsRect(), Headless().WorkArea());
  // The button now offers the restore; it sits at the right end of the wider bar.
  EXPECT_EQ(session_->Get("BtMaximize.KindBt"), "tkbBarre");
  const int32_t shift = Headless().WorkArea().Width() - kStart.Width();
  Click({kMaximize.X + shift, kMaximize.Y});
  EXPECT_EQ(session_->Get("Form.WindowState"), "wsNormal");
  EXPECT_EQ(form_->BoundsRect(), kStart);
  EXPECT_EQ(session_->Get("BtMaximize.KindBt"), "tkbCtrlMenu");

  Click(kMinimize);
  EXPECT_EQ(session_->Get("Form.WindowState"), "wsMinimized");
  EXPECT_EQ(Headless().WindowAt({kStart.Left + 10, kStart.Top + 10}), nullptr);
  EXPECT_FALSE(form_->Active());
}

TEST_F(SkinnedWindowTest, TheMagnetMakesAMoveEndingNearTheLeftEdgeFlushWithIt) {
  // Off: the window ends 6 pixels from the edge.
  session_->Drag(kTitle.X, kTitle.Y, kTitle.X - 234, kTitle.Y);
  EXPECT_EQ(form_->Left(), 6);
  session_->Drag(kTitle.X, kTitle.Y, kTitle.X + 234, kTitle.Y);
  Click(kMagnet);
  EXPECT_EQ(session_->Get("BtMagnetic.KindBt"), "tkbMagnetic");
  EXPECT_EQ(session_->Get("Form.ScreenSnap"), "True");
  session_->Drag(kTitle.X, kTitle.Y, kTitle.X - 234, kTitle.Y);
  EXPECT_EQ(form_->Left(), 0);
  Click(kMagnet);
  EXPECT_EQ(session_->Get("Form.ScreenSnap"), "False");
}

TEST_F(SkinnedWindowTest, TheMenuBarFollowsActivation) {
  EXPECT_EQ(session_->Get("Bar.Active"), "True");
  auto* other = new host::TForm(nullptr);
  other->SetBounds(900, 600, 100, 100);
  other->Show();
  session_->Settle();
  EXPECT_EQ(session_->Get("Bar.Active"), "False");
  EXPECT_EQ(session_->Get("Title.Active"), "False");
  EXPECT_EQ(session_->Get("BtClose.Active"), "False");
  Click(kTitle);
  EXPECT_EQ(session_->Get("Bar.Active"), "True");
  EXPECT_EQ(session_->Get("BtMinimize.Active"), "True");
  other->Free();
}

TEST_F(SkinnedWindowTest, TheCloseButtonClosesTheWindow) {
  Click(kClose);
  EXPECT_FALSE(form_->Visible());
}

TEST_F(SkinnedWindowTest, TheHitTestGivesTheTitleAndBarToTheCompositorAndKeepsTheButtons) {
  auto& window = static_cast<host::HeadlessWindow&>(*form_->PlatformHandle());
  EXPECT_EQ(window.HitTest(kTitle), host::HitArea::Draggable);
  EXPECT_EQ(window.HitTest({1, 1}), host::HitArea::Draggable);  // the bar's own edge
  for (host::TPoint button : {kMagnet, kMinimize, kMaximize, kClose})
    EXPECT_EQ(window.HitTest(button), host::HitArea::Normal);
  EXPECT_EQ(window.HitTest(kGrip), host::HitArea::ResizeBottomRight);
}

}  // namespace
}  // namespace skinned_window
