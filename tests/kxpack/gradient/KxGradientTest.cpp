// The gradient control: its bands, swapped colours, refused band widths, the
// form drag and the presses it passes on to a TKxPanel beneath it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/classes/ClassRegistry.h"
#include "host/classes/Streaming.h"
#include "host/controls/Forms.h"
#include "host/platform/HeadlessPlatform.h"
#include "kxpack/chrome/KxPanel.h"
#include "kxpack/instruments/KxGradient.h"
#include "tests/support/HeadlessFixture.h"

namespace kx {

using namespace host;

namespace {

using host::testing::Headless;

class CountingGradient : public TKxGradient {
 public:
  using TKxGradient::TKxGradient;
  int paints = 0;

 protected:
  void Paint() override {
    ++paints;
    TKxGradient::Paint();
  }
};

class KxGradientTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Headless().AdvanceClock(HeadlessPlatform::kDoubleClickMs + 1);
    form = new TForm(nullptr);
    form->SetBorderStyle(bsNone);
    form->SetBounds(100, 100, 400, 300);
    form->SetColor(clWhite);
    gradient = new CountingGradient(form);
    gradient->SetParent(form);
    form->Show();
    Pump();
  }
  void TearDown() override {
    form->Free();
    Pump();
  }
  static void Pump() { Application->ProcessMessages(); }
  TColor PixelAt(int x, int y) const {
    return static_cast<TColor>(SwapRedBlue(form->Framebuffer().At(x, y)));
  }
  // A press of button at the form's client point (x, y), dragged by (dx, dy)
  // and released; then the pointer moves on by as much again.
  void Drag(int x, int y, int dx, int dy, MouseButton button = MouseButton::Left) {
    Headless().InjectMouseMove(100 + x, 100 + y);
    Headless().InjectMouseDown(button);
    Headless().InjectMouseMove(100 + x + dx, 100 + y + dy);
    Headless().InjectMouseUp(button);
    Headless().InjectMouseMove(100 + x + 2 * dx, 100 + y + 2 * dy);
    Pump();
  }

  TForm* form = nullptr;
  CountingGradient* gradient = nullptr;
};

TEST_F(KxGradientTest, NewGradientRunsLeftToRightInOnePixelBands) {
  EXPECT_EQ(gradient->Width(), 150);
  EXPECT_EQ(gradient->Height(), 150);
  EXPECT_EQ(gradient->StartColor(), 0x645858);
  EXPECT_EQ(gradient->EndColor(), 0x554A4A);
  EXPECT_EQ(gradient->ColorWidth(), 1);
  EXPECT_EQ(gradient->Direction(), tgdLeftRight);
  EXPECT_FALSE(gradient->FormDrag());
  EXPECT_FALSE(gradient->SwapColors());
  EXPECT_TRUE(gradient->ControlStyle().Contains(csOpaque));
  EXPECT_EQ(gradient->AboutVers(), "1.0.0");
  EXPECT_EQ(PixelAt(0, 0), 0x645858);
  EXPECT_EQ(PixelAt(0, 149), 0x645858);
  // x = 75 of D = 150: each channel halfway, falling channels rounded toward the start.
  EXPECT_EQ(PixelAt(75, 10), 0x5D5151);
  EXPECT_EQ(PixelAt(149, 10), 0x564B4B);  // the end colour would be at x = 150
  EXPECT_EQ(PixelAt(150, 10), clWhite);
}

TEST_F(KxGradientTest, BandsAndSwappedColoursTopToBottom) {
  gradient->BeginUpdate();
  gradient->SetBounds(0, 0, 20, 10);
  gradient->SetDirection(tgdUpDown);
  gradient->SetStartColor(clBlack);
  gradient->SetEndColor(clWhite);
  gradient->SetColorWidth(5);
  gradient->EndUpdate();
  for (int y = 0; y < 5; ++y) EXPECT_EQ(PixelAt(10, y), clBlack) << y;
  for (int y = 5; y < 10; ++y) EXPECT_EQ(PixelAt(10, y), 0x7F7F7F) << y;

  gradient->SetSwapColors(true);
  EXPECT_EQ(PixelAt(10, 0), clWhite);
  EXPECT_EQ(PixelAt(10, 5), 0x808080);  // 255 + (0 − 255) × 5 div 10
}

TEST_F(KxGradientTest, ColorWidthBelowOneIsIgnoredWithoutRepaint) {
  gradient->SetColorWidth(4);
  const int paints = gradient->paints;
  for (int bad : {0, -3}) {
    gradient->SetColorWidth(bad);
    EXPECT_EQ(gradient->ColorWidth(), 4);
  }
  EXPECT_EQ(gradient->paints, paints);
}

TEST_F(KxGradientTest, DiagonalLinesCoverTheWholeControl) {
  gradient->SetStartColor(clRed);
  gradient->SetEndColor(clBlue);
  gradient->SetBounds(0, 0, 60, 40);
  for (TKxGradDirection d : {tgdChord1, tgdChord2}) {
    SCOPED_TRACE(EnumInfoOf(d).Name(d));
    gradient->SetDirection(d);
    int uncovered = 0;
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 60; ++x) uncovered += PixelAt(x, y) == clWhite;
    EXPECT_EQ(uncovered, 0);
  }
}

TEST_F(KxGradientTest, EmptyAxisPaintsNothingAndDoesNotFail) {
  for (TKxGradDirection d : {tgdUpDown, tgdLeftRight, tgdChord1, tgdChord2}) {
    gradient->SetDirection(d);
    gradient->SetBounds(0, 0, 0, 0);
    gradient->Repaint();
  }
  Pump();
  EXPECT_EQ(PixelAt(0, 0), clWhite);
}

struct Presses {
  std::vector<std::string> log;
  TMouseEvent Logger(std::string who) {
    return [this, who](TObject* sender, TMouseButton b, TShiftState, int32_t x, int32_t y) {
      log.push_back(who + " " + static_cast<TComponent*>(sender)->Name() + " " +
                    std::string(EnumInfoOf(b).Name(b)) + " " + std::to_string(x) + "," +
                    std::to_string(y));
    };
  }
};

TEST_F(KxGradientTest, PressesReachTheGradientOnceAndTheTKxPanelBeneath) {
  auto* panel = new TKxPanel(form);
  panel->SetName("Panel");
  panel->SetParent(form);
  panel->SetBounds(0, 0, 200, 200);
  gradient->SetName("Grad");
  gradient->SetParent(panel);
  gradient->SetBounds(20, 20, 100, 100);
  Presses presses;
  gradient->SetOnMouseDown(presses.Logger("gradient"));
  panel->SetOnMouseDown(presses.Logger("panel"));
  Pump();

  Drag(50, 50, 10, 10, MouseButton::Right);
  EXPECT_EQ(form->BoundsRect(), Bounds(100, 100, 400, 300));
  EXPECT_EQ(presses.log,
            (std::vector<std::string>{"gradient Grad mbRight 30,30", "panel Grad mbRight 30,30"}));

  presses.log.clear();
  gradient->SetFormDrag(true);  // one move per press all the same
  Headless().AdvanceClock(HeadlessPlatform::kDoubleClickMs + 1);
  Drag(50, 50, 20, 15);
  EXPECT_EQ(form->BoundsRect(), Bounds(120, 115, 400, 300));
  EXPECT_EQ(presses.log,
            (std::vector<std::string>{"gradient Grad mbLeft 30,30", "panel Grad mbLeft 30,30"}));
}

TEST_F(KxGradientTest, PressesAreNotPassedToOtherPanels) {
  auto* menu = new TKxPanelMenu(form);
  menu->SetParent(form);
  gradient->SetParent(menu);
  gradient->SetBounds(20, 20, 50, 50);
  int menuPresses = 0;
  menu->SetOnMouseDown(
      [&](TObject*, TMouseButton, TShiftState, int32_t, int32_t) { ++menuPresses; });
  Pump();
  Drag(30, 30, 0, 0, MouseButton::Right);
  EXPECT_EQ(menuPresses, 0);
}

TEST_F(KxGradientTest, FormDragMovesTheFormOfACustomGradient) {
  auto* custom = new TKxCustomGradient(form);
  custom->SetParent(form);
  custom->SetBounds(200, 0, 100, 100);
  custom->SetFormDrag(true);
  Pump();
  Drag(250, 50, 20, 15);
  EXPECT_EQ(form->BoundsRect(), Bounds(120, 115, 400, 300));
}

TEST(KxGradientFormFile, ReadsOnAPanelAndWritesOnlyWhatDiffers) {
  const char* text =
      "object Panel1: TKxPanel\n"
      "  object Grad: TKxGradient\n"
      "    Left = 4\n"
      "    Direction = tgdChord2\n"
      "    ColorWidth = 0\n"
      "    SwapColors = True\n"
      "  end\n"
      "end\n";
  auto* panel = ReadFormAs<TKxPanel>(text, "grad.kxf");
  auto* grad = As<TKxGradient>(panel->FindComponent("Grad"));
  ASSERT_NE(grad, nullptr);
  EXPECT_EQ(grad->Parent(), panel);
  EXPECT_EQ(grad->Direction(), tgdChord2);
  EXPECT_EQ(grad->ColorWidth(), 1);  // 0 refused, the default kept
  EXPECT_TRUE(grad->SwapColors());
  const std::string written = WriteForm(panel);
  EXPECT_NE(written.find("Direction = tgdChord2"), std::string::npos) << written;
  EXPECT_EQ(written.find("ColorWidth"), std::string::npos) << written;
  EXPECT_EQ(written.find("StartColor"), std::string::npos) << written;
  panel->Free();
}

TEST(KxGradientPublished, PropertiesInDeclarationOrder) {
  std::vector<std::string> names;
  for (const TPropInfo& p : TKxGradient::PublishedProperties().Properties())
    names.push_back(p.Name);
  const std::vector<std::string> expected = {
      "Name",           "Tag",         "Left",        "Top",         "Width",
      "Height",         "Cursor",      "HelpType",    "HelpKeyword", "HelpContext",
      "AboutKx",        "AboutVers",   "StartColor",  "EndColor",    "ColorWidth",
      "Direction",      "FormDrag",    "SwapColors",  "Anchors",     "Constraints",
      "Align",          "DragCursor",  "DragKind",    "DragMode",    "Hint",
      "ParentShowHint", "PopupMenu",   "ShowHint",    "Visible",     "OnClick",
      "OnContextPopup", "OnDblClick",  "OnDragDrop",  "OnDragOver",  "OnEndDock",
      "OnEndDrag",      "OnMouseDown", "OnMouseMove", "OnMouseUp",   "OnStartDock",
      "OnStartDrag"};
  EXPECT_EQ(names, expected);
  EXPECT_EQ(FindClass("TKxGradient"), TKxGradient::StaticClass());
}

}  // namespace
}  // namespace kx
