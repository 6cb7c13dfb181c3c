// Where the compositor moves and sizes windows (Wayland), it asks before a
// press what the press would do: the chrome that moves the form answers a
// drag area, the grip the edge its footer lets it size from, and a control
// that takes its own presses answers nothing.
#include <gtest/gtest.h>

#include "host/controls/Forms.h"
#include "host/platform/HeadlessPlatform.h"
#include "kxpack/chrome/KxBarreMenu.h"
#include "kxpack/chrome/KxBtExit.h"
#include "kxpack/chrome/KxBtMenu.h"
#include "kxpack/chrome/KxCtrlGraphic.h"
#include "kxpack/chrome/KxPanel.h"
#include "kxpack/chrome/KxPanelFooter.h"
#include "kxpack/chrome/KxPanelTitle.h"
#include "kxpack/instruments/KxGradient.h"
#include "tests/support/HeadlessFixture.h"

namespace kx {
namespace {

using namespace host;

class ChromeHitAreaTest : public host::testing::HeadlessTest {
 protected:
  // A 300 × 200 borderless form: a menu bar with a title and two buttons
  // across the top, a panel, a gradient and a panel holding a plain control
  // in the middle, a footer with its grip along the bottom.
  void SetUp() override {
    HeadlessTest::SetUp();
    form = MakeForm(100, 100, 300, 200);
    form->SetBorderStyle(bsNone);
    bar = Place(new TKxBarreMenu(form), form, Bounds(0, 0, 300, 15));
    title = Place(new TKxPanelTitle(form), bar, Bounds(2, 0, 200, 15));
    Place(new TKxBtMenu(form), bar, Bounds(250, 3, 14, 9));
    Place(new TKxBtExit(form), bar, Bounds(280, 3, 10, 9));
    panel = Place(new TKxPanel(form), form, Bounds(10, 30, 100, 60));
    Place(new TKxGradient(form), form, Bounds(120, 30, 60, 60));
    auto* menu = Place(new TKxPanelMenu(form), form, Bounds(190, 30, 100, 60));
    Place(new TCustomControl(form), menu, Bounds(20, 20, 30, 30));
    footer = Place(new TKxPanelFooter(form), form, Bounds(0, 183, 300, 17));
    form->Show();
    Pump();
  }
  template <class T>
  static T* Place(T* control, TWinControl* parent, TRect bounds) {
    control->SetParent(parent);
    control->SetBoundsRect(bounds);
    return control;
  }
  HitArea At(TPoint p) const {
    return static_cast<HeadlessWindow*>(form->PlatformHandle())->HitTest(p);
  }

  TForm* form = nullptr;
  TKxBarreMenu* bar = nullptr;
  TKxPanelTitle* title = nullptr;
  TKxPanel* panel = nullptr;
  TKxPanelFooter* footer = nullptr;
};

TEST_F(ChromeHitAreaTest, WhatMovesTheFormIsADragAreaAndControlsKeepTheirPresses) {
  struct Case {
    const char* what;
    TPoint at;  // form client coordinates
    HitArea expected;
  };
  const TPoint bareLeft = title->BarreLeft()->BoundsRect().TopLeft();
  for (const Case& c :
       {Case{"menu bar's own surface", {230, 7}, HitArea::Draggable},
        Case{"title caption", {100, 7}, HitArea::Draggable},
        Case{"title's striped bar", {bareLeft.X + 4, bareLeft.Y + 2}, HitArea::Draggable},
        Case{"window button", {256, 7}, HitArea::Normal},
        Case{"close button", {284, 7}, HitArea::Normal},
        Case{"panel", {40, 50}, HitArea::Draggable},
        Case{"panel's bevel", {10, 30}, HitArea::Draggable},
        Case{"gradient", {150, 50}, HitArea::Draggable},
        Case{"control on a menu panel", {220, 60}, HitArea::Normal},
        Case{"footer", {40, 190}, HitArea::Draggable},
        Case{"the form itself", {150, 150}, HitArea::Normal}}) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(At(c.at), c.expected);
  }
  panel->SetMoveWinParent(false);
  EXPECT_EQ(At({40, 50}), HitArea::Normal);
}

TEST_F(ChromeHitAreaTest, TheGripAnswersTheEdgeItsFooterAllows) {
  struct Case {
    bool horz, vert;
    HitArea expected;
  };
  for (const Case& c :
       {Case{true, false, HitArea::ResizeRight}, Case{false, true, HitArea::ResizeBottom},
        Case{true, true, HitArea::ResizeBottomRight}, Case{false, false, HitArea::Normal}}) {
    SCOPED_TRACE(::testing::Message() << "horz " << c.horz << ", vert " << c.vert);
    footer->SetUseResizeHorz(c.horz);
    footer->SetUseResizeVert(c.vert);
    Pump();
    const TRect grip = footer->ImgSize()->BoundsRect();
    const TPoint inGrip{footer->Left() + grip.Left + grip.Width() / 2,
                        footer->Top() + grip.Top + grip.Height() / 2};
    // A hidden grip leaves the footer's own drag area there.
    EXPECT_EQ(At(inGrip), c.expected == HitArea::Normal ? HitArea::Draggable : c.expected);
  }
}

}  // namespace
}  // namespace kx
