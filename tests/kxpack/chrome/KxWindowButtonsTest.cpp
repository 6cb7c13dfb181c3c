// The menu bar and its window buttons: the cell each button shows, the
// magnetic button's flip on every release, the click that hands ModalResult
// to the form, the fixed size and row, and Active passed down by the bar.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/controls/Forms.h"
#include "tests/kxpack/chrome/ChromeFixture.h"

namespace kx::testing {
namespace {

using namespace host;

using KxWindowButtonsTest = ChromeTest;

TEST_F(KxWindowButtonsTest, EachButtonShowsCellZeroOnlyEnabledActiveAndAtRest) {
  struct Case {
    const char* name;
    bool enabled, active, pressed;
    int32_t cell;
  };
  const Case cases[] = {
      {"at rest", true, true, false, 0},           {"pressed", true, true, true, 1},
      {"inactive", true, false, false, 1},         {"disabled", false, true, false, 1},
      {"disabled, pressed", false, true, true, 1},
  };
  struct Button {
    TControl* control;
    const char* prefix;
    const char* strip;
    int32_t cellWidth;
  };
  const Button buttons[] = {{btMin, "BtMin", "BtMinimized", 14}, {btExit, "BtExit", "BtExit", 10}};
  for (const Button& b : buttons) {
    for (const Case& c : cases) {
      SCOPED_TRACE(::testing::Message() << b.prefix << ", " << c.name);
      session->Set(std::string(b.prefix) + ".Enabled", c.enabled ? "True" : "False");
      session->Set(std::string(b.prefix) + ".Active", c.active ? "True" : "False");
      const TPoint at = OnForm(b.control, 5, 4);
      if (c.pressed) {
        session->Press(at.X, at.Y);
        session->Settle();  // the press arrives; the button stays held
      }
      EXPECT_TRUE(ShowsCell(b.control, b.strip, b.cellWidth, c.cell));
      if (c.pressed) session->Release(at.X, at.Y);
      EXPECT_TRUE(ShowsCell(b.control, b.strip, b.cellWidth, c.enabled && c.active ? 0 : 1));
    }
  }
  // Without a strip: a black box in a frame of the bar's colour.
  const TPoint corner = OnForm(btNone, 0, 0), inside = OnForm(btNone, 5, 4);
  EXPECT_EQ(PixelAt(corner.X, corner.Y), kBarreColor);
  EXPECT_EQ(PixelAt(inside.X, inside.Y), clBlack);
}

TEST_F(KxWindowButtonsTest, TheMagneticButtonFlipsOnEveryRelease) {
  std::vector<std::string> log;
  btMag->SetOnClick(
      [&](TObject*) { log.push_back("click " + std::string(EnumName(btMag->KindBt()))); });
  btMag->SetOnMouseUp([&](TObject*, TMouseButton, TShiftState, int32_t x, int32_t y) {
    log.push_back("up " + std::string(EnumName(btMag->KindBt())) + " " + std::to_string(x) + "," +
                  std::to_string(y));
  });
  const TPoint at = OnForm(btMag, 5, 4);
  const TPoint screen = btMag->ClientToScreen(Point(5, 4));
  // Inside: shows cell 1 while held, then the other kind's cell 0; OnClick
  // still sees the old kind, OnMouseUp the new one, at the screen position.
  session->Press(at.X, at.Y);
  session->Settle();
  EXPECT_TRUE(ShowsCell(btMag, "BtMagnetic", 14, 1));
  session->Release(at.X, at.Y);
  EXPECT_TRUE(ShowsCell(btMag, "BtNoMagnetic", 14, 0));
  const std::string where = std::to_string(screen.X) + "," + std::to_string(screen.Y);
  EXPECT_EQ(log, (std::vector<std::string>{"click tkbMagnetic", "up tkbNoMagnetic " + where}));
  // Outside: no click, but the flip.
  log.clear();
  session->Press(at.X, at.Y);
  session->Move(at.X, at.Y + 40);
  session->Release(at.X, at.Y + 40);
  EXPECT_EQ(btMag->KindBt(), tkbMagnetic);
  EXPECT_EQ(log.size(), 1u);
  EXPECT_TRUE(ShowsCell(btMag, "BtMagnetic", 14, 0));
  // The right button flips it too, without a click.
  log.clear();
  session->Click(at.X, at.Y, MouseButton::Right);
  EXPECT_EQ(btMag->KindBt(), tkbNoMagnetic);
  EXPECT_EQ(log.size(), 1u);
  // Other kinds stay what they are.
  const TPoint onMin = OnForm(btMin, 5, 4);
  session->Click(onMin.X, onMin.Y);
  EXPECT_EQ(btMin->KindBt(), tkbMinimized);
}

TEST_F(KxWindowButtonsTest, AClickHandsModalResultToTheFormUnlessDisabled) {
  int clicks = 0, downs = 0;
  for (TControl* b : {static_cast<TControl*>(btMin), static_cast<TControl*>(btExit)}) {
    b->SetOnClick([&](TObject*) { ++clicks; });
    b->SetOnMouseDown([&](TObject*, TMouseButton, TShiftState, int32_t, int32_t) { ++downs; });
  }
  session->Set("BtMin.ModalResult", "7");
  const TPoint onMin = OnForm(btMin, 5, 4), onExit = OnForm(btExit, 5, 4);
  session->Click(onMin.X, onMin.Y);
  EXPECT_EQ(form->ModalResult(), 7);
  EXPECT_EQ(clicks, 1);
  form->SetModalResult(mrNone);
  session->Set("BtMin.Enabled", "False");
  session->Set("BtExit.Enabled", "False");
  session->Click(onMin.X, onMin.Y);
  session->Click(onExit.X, onExit.Y);
  EXPECT_EQ(form->ModalResult(), mrNone);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(downs, 3);  // presses still reach a disabled button
  // A non-modal form stays open.
  EXPECT_TRUE(form->Visible());
}

TEST_F(KxWindowButtonsTest, TheCloseButtonClosesAModalFormWithItsModalResult) {
  session.reset();
  form->Hide();
  const TPoint at = btExit->ClientToScreen(Point(5, 4));
  host::testing::Headless().InjectClick(at.X, at.Y);
  EXPECT_EQ(form->ShowModal(), mrCancel);
  EXPECT_FALSE(form->Visible());
}

TEST_F(KxWindowButtonsTest, SizeAndRowAreFixed) {
  btMin->SetWidth(30);
  btExit->SetWidth(30);
  EXPECT_EQ(btMin->BoundsRect(), Bounds(240, 3, 14, 9));
  EXPECT_EQ(btExit->BoundsRect(), Bounds(280, 3, 10, 9));
  btMin->SetTop(6);
  btMin->Invalidate();
  session->Settle();
  EXPECT_EQ(btMin->Top(), 3);
  // Off the menu bar a button stays where it is put.
  auto* loose = new TKxBtMenu(form);
  loose->SetParent(form);
  loose->SetBounds(100, 60, 30, 30);
  session->Settle();
  EXPECT_EQ(loose->BoundsRect(), Bounds(100, 60, 14, 9));
}

// Loading puts the pressed look into OnMouseDown and OnMouseUp, so a close
// button made in code keeps cell 0 while held.
TEST_F(KxWindowButtonsTest, OnlyALoadedCloseButtonShowsItsPressedCell) {
  auto* made = new TKxBtExit(form);
  made->SetParent(form);
  made->SetBounds(200, 60, 10, 9);
  for (TKxBtExit* b : {made, btExit}) {
    const TPoint at = OnForm(b, 5, 4);
    session->Press(at.X, at.Y);
    session->Settle();
    EXPECT_TRUE(ShowsCell(b, "BtExit", 10, b == made ? 0 : 1));
    session->Release(at.X, at.Y);
    session->Wait(1000);  // the next press is no double click
  }
}

TEST_F(KxWindowButtonsTest, TheMenuBarPassesActiveToItsDirectChildrenOnly) {
  auto* nested = new TKxPanel(form);
  nested->SetParent(bar);
  nested->SetBounds(150, 0, 20, 15);
  auto* deep = new TKxBtMenu(form);
  deep->SetParent(nested);
  session->Set("Bar.Active", "False");
  EXPECT_FALSE(title->Active());
  EXPECT_FALSE(title->BarreLeft()->Active());
  for (TKxBtMenu* b : {btNone, btMin, btMag}) EXPECT_FALSE(b->Active());
  EXPECT_FALSE(btExit->Active());
  EXPECT_TRUE(deep->Active());
  EXPECT_TRUE(ShowsCell(btMin, "BtMinimized", 14, 1));
  session->Set("Bar.Active", "True");
  EXPECT_TRUE(ShowsCell(btMin, "BtMinimized", 14, 0));
  // The bar itself: a flat strip of its colour, children 2 pixels inside.
  EXPECT_EQ(bar->BoundsRect(), Bounds(0, 0, 300, 15));
  EXPECT_EQ(PixelAt(0, 0), kBarreColor);
  EXPECT_EQ(PixelAt(299, 14), kBarreColor);
  EXPECT_EQ(PixelAt(215, 7), kBarreColor);
}

}  // namespace
}  // namespace kx::testing
