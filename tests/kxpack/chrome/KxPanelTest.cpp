// The skinned panel: dragging the form, children inside the bevel, the edge
// strips of a resize, the tool-control query, the glyph background and its
// form-file entries.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/classes/ClassRegistry.h"
#include "host/classes/Streaming.h"
#include "host/controls/ControlWindow.h"
#include "host/controls/Forms.h"
#include "host/platform/HeadlessPlatform.h"
#include "kxpack/chrome/KxPanel.h"
#include "tests/support/HeadlessFixture.h"

namespace kx {

using namespace host;

namespace {

using host::testing::Headless;

// What a mouse handler saw.
struct Press {
  std::string what;
  TMouseButton button;
  int32_t x, y;
  bool operator==(const Press&) const = default;
};

class KxPanelTest : public host::testing::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    form = MakeForm(100, 100, 300, 200);
    form->SetBorderStyle(bsNone);
    panel = new TKxPanel(form);
    panel->SetParent(form);
    panel->SetBounds(10, 10, 185, 75);
    Watch(panel);
    form->Show();
    Pump();
  }
  // Logs the control's mouse presses and releases.
  void Watch(TControl* control) {
    control->SetOnMouseDown([this](TObject*, TMouseButton b, TShiftState, int32_t x, int32_t y) {
      log.push_back({"down", b, x, y});
    });
    control->SetOnMouseUp([this](TObject*, TMouseButton b, TShiftState, int32_t x, int32_t y) {
      log.push_back({"up", b, x, y});
    });
  }
  TColor PixelAt(int x, int y) const { return HeadlessTest::PixelAt(form, x, y); }

  TForm* form = nullptr;
  TKxPanel* panel = nullptr;
  std::vector<Press> log;
};

// The palette panel and the menu panel drag their form alike.
TEST_F(KxPanelTest, LeftDragMovesTheFormWithDownBeforeAndUpAfterAtThePressPosition) {
  auto* menu = new TKxPanelMenu(form);
  menu->SetParent(form);
  menu->SetBounds(10, 100, 185, 75);
  Watch(menu);
  Pump();
  for (TKxCustomPanel* p :
       {static_cast<TKxCustomPanel*>(panel), static_cast<TKxCustomPanel*>(menu)}) {
    SCOPED_TRACE(p->ClassName());
    log.clear();
    Headless().AdvanceClock(HeadlessPlatform::kDoubleClickMs + 1);
    const TPoint press = p->ClientToScreen(Point(40, 20));
    const TRect before = form->BoundsRect();
    Headless().InjectMouseMove(press.X, press.Y);
    Headless().InjectMouseDown();
    Headless().InjectMouseMove(press.X + 20, press.Y + 15);
    Headless().InjectMouseMove(press.X + 40, press.Y + 30);
    Headless().InjectMouseUp();
    Pump();
    EXPECT_EQ(form->BoundsRect(), Bounds(before.Left + 40, before.Top + 30, 300, 200));
    EXPECT_EQ(log, (std::vector<Press>{{"down", mbLeft, 40, 20}, {"up", mbLeft, 40, 20}}));
    EXPECT_EQ(GetCaptureControl(), nullptr);
  }
}

TEST_F(KxPanelTest, PressesThatDoNotMoveTheForm) {
  struct Case {
    const char* name;
    MouseButton button;
    TMouseButton expected;
    bool moveWinParent;
  };
  for (const Case& c : {Case{"right", MouseButton::Right, mbRight, true},
                        Case{"middle", MouseButton::Middle, mbMiddle, true},
                        Case{"left, MoveWinParent False", MouseButton::Left, mbLeft, false}}) {
    SCOPED_TRACE(c.name);
    log.clear();
    panel->SetMoveWinParent(c.moveWinParent);
    Headless().AdvanceClock(HeadlessPlatform::kDoubleClickMs + 1);
    Headless().InjectMouseMove(150, 130);
    Headless().InjectMouseDown(c.button);
    Headless().InjectMouseMove(160, 140);  // the release comes at (50, 30)
    Headless().InjectMouseUp(c.button);
    Pump();
    EXPECT_EQ(form->BoundsRect(), Bounds(100, 100, 300, 200));
    // OnMouseUp only from the host's own release handling.
    EXPECT_EQ(log, (std::vector<Press>{{"down", c.expected, 40, 20}, {"up", c.expected, 50, 30}}));
  }
}

TEST_F(KxPanelTest, ClientChildrenSitInsideTheBevelAndFollowItsChanges) {
  auto* child = new TCustomControl(form);
  child->SetParent(panel);
  child->SetAlign(alClient);
  // Border 1, outline 1, two rings of 1, inner band 1.
  EXPECT_EQ(child->BoundsRect(), Rect(5, 5, 180, 70));
  panel->Bevel()->SetInnerWidth(3);
  EXPECT_EQ(child->BoundsRect(), Rect(7, 7, 178, 68));
  panel->Bevel()->SetVisible(false);
  EXPECT_EQ(child->BoundsRect(), Rect(0, 0, 185, 75));
}

TEST_F(KxPanelTest, WindowClassDoesNotRepaintWholeOnResize) {
  EXPECT_EQ(panel->Params().WindowClass.style & (CS_HREDRAW | CS_VREDRAW), 0u);
}

TEST_F(KxPanelTest, WithoutFullRepaintAResizeInvalidatesOnlyTheEdgeStrips) {
  // Outline and one outer ring: n = 2, so a 3-pixel strip at the old edge.
  panel->Bevel()->SetInnerStyle(kxNone);
  panel->Bevel()->SetInnerSpace(0);
  panel->SetFullRepaint(false);
  panel->SetBounds(10, 10, 100, 50);
  Pump();
  panel->SetWidth(120);
  EXPECT_EQ(panel->Window()->UpdateRegion().Bounds(),
            Rect(97, 0, 120, 50));  // strip plus the uncovered part
  Pump();
  panel->SetHeight(60);
  EXPECT_EQ(panel->Window()->UpdateRegion().Bounds(), Rect(0, 47, 120, 60));
  Pump();
  panel->SetFullRepaint(true);
  panel->SetWidth(130);
  EXPECT_EQ(panel->Window()->UpdateRegion().Bounds(), Rect(0, 0, 130, 60));
}

TEST_F(KxPanelTest, ShrinkingWithoutFullRepaintDrawsTheBevelAtTheNewEdge) {
  panel->SetColor(clWhite);
  panel->Bevel()->SetBorderColor(clRed);
  panel->SetFullRepaint(false);
  Pump();
  panel->SetBounds(10, 10, 120, 50);
  Pump();
  for (int y : {0, 25, 49}) EXPECT_EQ(PixelAt(10 + 119, 10 + y), clRed) << y;
  for (int x : {0, 60, 119}) EXPECT_EQ(PixelAt(10 + x, 10 + 49), clRed) << x;
  EXPECT_EQ(PixelAt(10 + 60, 10 + 25), clWhite);
}

// Without FullRepaint a resize repaints only what the bevel covers along the
// edges that moved; the result must still be what a whole repaint gives, for
// every kind of bevel. A bevel of border alone also leaves its old edge
// behind, and one that is not Visible needs no strip at all.
TEST_F(KxPanelTest, ResizingWithoutFullRepaintLooksLikeAWholeRepaint) {
  struct Case {
    const char* name;
    std::function<void(TKxBevel&)> set;
  };
  const auto noRings = [](TKxBevel& b) {
    b.SetInnerStyle(kxNone);
    b.SetOuterStyle(kxNone);
    b.SetOuterOutline(osNone);
    b.SetInnerSpace(0);
  };
  const Case cases[] = {
      {"the panel's bevel", [](TKxBevel&) {}},
      {"border alone",
       [&](TKxBevel& b) {
         noRings(b);
         b.SetBorderWidth(3);
       }},
      {"rings without border", [](TKxBevel& b) { b.SetBorderWidth(0); }},
      {"wide border and rings", [](TKxBevel& b) { b.SetBorderWidth(4); }},
      {"not visible", [](TKxBevel& b) { b.SetVisible(false); }},
  };
  // Panel-relative pixels of the panel's current bounds.
  const auto pixels = [this] {
    std::vector<TColor> out;
    for (int y = 0; y < panel->Height(); ++y)
      for (int x = 0; x < panel->Width(); ++x) out.push_back(PixelAt(10 + x, 10 + y));
    return out;
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    panel->SetFullRepaint(true);
    panel->SetBounds(10, 10, 185, 75);
    panel->SetColor(clWhite);
    TKxPanelBevel fresh;
    panel->Bevel()->Assign(&fresh);
    panel->Bevel()->SetBorderColor(clRed);
    c.set(*panel->Bevel());
    Pump();
    panel->SetFullRepaint(false);
    for (const TRect& size : {Rect(0, 0, 120, 50), Rect(0, 0, 160, 70), Rect(0, 0, 150, 40)}) {
      SCOPED_TRACE(::testing::Message() << size.Right << " x " << size.Bottom);
      panel->SetBounds(10, 10, size.Right, size.Bottom);
      Pump();
      const std::vector<TColor> partial = pixels();
      panel->Invalidate();
      Pump();
      const std::vector<TColor> whole = pixels();
      const auto at = std::mismatch(partial.begin(), partial.end(), whole.begin()).first;
      const auto i = at - partial.begin();
      EXPECT_TRUE(at == partial.end())
          << "first difference at (" << i % panel->Width() << ", " << i / panel->Width() << ")";
    }
  }
}

TEST_F(KxPanelTest, ToolControlQueryAnswersYesUnlessLocked) {
  EXPECT_EQ(panel->Perform(CM_ISTOOLCONTROL), 1);
  panel->SetLocked(true);
  EXPECT_EQ(panel->Perform(CM_ISTOOLCONTROL), 0);
}

TEST_F(KxPanelTest, OnResizeFiresOnMovesButNotWhileLoading) {
  int resizes = 0;
  panel->SetOnResize([&](TObject* sender) {
    EXPECT_EQ(sender, panel);
    ++resizes;
  });
  panel->SetLoadingState(true);
  panel->SetBounds(20, 20, 150, 60);
  EXPECT_EQ(resizes, 0);
  panel->Loaded();
  panel->SetLeft(30);  // a pure move
  EXPECT_EQ(resizes, 1);
}

TEST_F(KxPanelTest, GlyphTakesThePlaceOfTheColourUntilCleared) {
  panel->Bevel()->SetVisible(false);
  TBitmap glyph;
  glyph.SetSize(2, 1);
  glyph.Canvas()->SetPixels(0, 0, clRed);
  glyph.Canvas()->SetPixels(1, 0, clBlue);
  panel->SetGlyph(&glyph);
  Pump();
  EXPECT_EQ(PixelAt(10, 10), clRed);
  EXPECT_EQ(PixelAt(11, 50), clBlue);
  EXPECT_EQ(PixelAt(10 + 184, 10 + 74), clRed);  // tiles reach the far corner

  TBitmap empty;
  panel->SetGlyph(&empty);
  Pump();
  EXPECT_EQ(PixelAt(10, 10), clBlack);
  EXPECT_EQ(PixelAt(11, 50), clBlack);
}

TEST_F(KxPanelTest, DefaultsLookAndNewPanel) {
  auto* fresh = new TKxPanelMenu(form);
  EXPECT_EQ(fresh->Width(), 185);
  EXPECT_EQ(fresh->Height(), 75);
  EXPECT_EQ(fresh->Color(), clBlack);
  EXPECT_FALSE(fresh->ParentColor());
  EXPECT_TRUE(fresh->MoveWinParent());
  EXPECT_EQ(fresh->ControlStyle(), (TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents,
                                                  csOpaque, csDoubleClicks, csReplicatable}));
  EXPECT_EQ(fresh->Bevel()->BorderWidth(), 1);
  EXPECT_EQ(fresh->Bevel()->InnerShadow(), 0x00A08D8D);
  EXPECT_EQ(fresh->AboutKx(), "Component");
  // The panel draws: black border, outline, the two greyish rings, black band.
  EXPECT_EQ(PixelAt(10, 10), clBlack);
  EXPECT_EQ(PixelAt(12, 40), 0x00A08D8D);
  EXPECT_EQ(PixelAt(13, 40), 0x00A08D8D);
  EXPECT_EQ(PixelAt(14, 40), clBlack);
}

TEST_F(KxPanelTest, FormFileKeepsTheBevelValuesOfAPanel) {
  panel->SetName("Panel1");
  panel->Bevel()->SetBorderWidth(0);
  panel->Bevel()->SetBorderColor(clBtnFace);
  const std::string text = WriteForm(panel);
  EXPECT_NE(text.find("AboutKx = 'Component'"), std::string::npos) << text;
  EXPECT_EQ(text.find("MoveWinParent"), std::string::npos) << text;
  auto* back = ReadFormAs<TKxPanel>(text, "panel.kxf");
  EXPECT_EQ(back->Bevel()->BorderWidth(), 0);
  EXPECT_EQ(back->Bevel()->BorderColor(), clBtnFace);
  EXPECT_EQ(back->Bevel()->InnerShadow(), 0x00A08D8D);
  back->Free();
}

// A chrome panel whose bevel starts from a scheme of its own: no border, a
// dark border colour, a wider outer ring.
class TSchemeBevel : public TKxPanelBevel {
  HOST_CLASS(TSchemeBevel, TKxPanelBevel)
 public:
  TSchemeBevel() {
    SetBorderWidth(0);
    SetBorderColor(0x00584E4E);
    SetOuterWidth(2);
  }
  static const TPublished& PublishedProperties() {
    static const TPublished table = DefaultsOfNew<TSchemeBevel>();
    return table;
  }
};

class TSchemePanel : public TKxPanelMenu {
  HOST_CLASS(TSchemePanel, TKxPanelMenu)
 public:
  explicit TSchemePanel(TComponent* AOwner)
      : TKxPanelMenu(AOwner, std::make_unique<TSchemeBevel>()) {}
};

const bool kSchemePanelRegistered = (RegisterClasses<TSchemePanel>(), true);

// Each panel class's form files leave out the values its own constructor
// gives the bevel, and keep a value that only another class starts with.
TEST_F(KxPanelTest, FormFileDefaultsOfTheBevelAreEachPanelClasssOwn) {
  ASSERT_TRUE(kSchemePanelRegistered);
  auto* scheme = new TSchemePanel(form);
  scheme->SetName("Scheme1");
  const std::string fresh = WriteForm(scheme);
  EXPECT_EQ(fresh.find("Bevel.BorderWidth"), std::string::npos) << fresh;
  EXPECT_EQ(fresh.find("Bevel.BorderColor"), std::string::npos) << fresh;
  EXPECT_EQ(fresh.find("Bevel.OuterWidth"), std::string::npos) << fresh;

  // The plain panel's values, which this class does not start with.
  scheme->Bevel()->SetBorderWidth(1);
  scheme->Bevel()->SetBorderColor(clBlack);
  scheme->Bevel()->SetOuterWidth(1);
  const std::string text = WriteForm(scheme);
  EXPECT_NE(text.find("Bevel.BorderWidth = 1"), std::string::npos) << text;
  EXPECT_NE(text.find("Bevel.BorderColor = clBlack"), std::string::npos) << text;
  EXPECT_NE(text.find("Bevel.OuterWidth = 1"), std::string::npos) << text;
  auto* back = ReadFormAs<TSchemePanel>(text, "scheme.kxf");
  EXPECT_EQ(back->Bevel()->BorderWidth(), 1);
  EXPECT_EQ(back->Bevel()->BorderColor(), clBlack);
  EXPECT_EQ(back->Bevel()->OuterWidth(), 1);
  back->Free();

  // The plain panel still leaves its own one-pixel black border out.
  panel->SetName("Panel1");
  const std::string plain = WriteForm(panel);
  EXPECT_EQ(plain.find("Bevel.BorderWidth"), std::string::npos) << plain;
  EXPECT_EQ(plain.find("Bevel.BorderColor"), std::string::npos) << plain;
}

TEST(KxPanelPublished, PropertiesInDeclarationOrder) {
  std::vector<std::string> names;
  for (const TPropInfo& p : TKxPanel::PublishedProperties().Properties()) names.push_back(p.Name);
  const std::vector<std::string> expected = {
      "Name",        "Tag",         "Left",           "Top",           "Width",
      "Height",      "Cursor",      "Hint",           "HelpType",      "HelpKeyword",
      "HelpContext", "AboutKx",     "AboutVers",      "MoveWinParent", "Align",
      "Anchors",     "Bevel",       "Glyph",          "DragCursor",    "DragMode",
      "Enabled",     "FullRepaint", "Color",          "Font",          "Locked",
      "ParentColor", "ParentFont",  "ParentShowHint", "PopupMenu",     "ShowHint",
      "TabOrder",    "TabStop",     "Visible",        "OnClick",       "OnDblClick",
      "OnDragDrop",  "OnDragOver",  "OnEndDrag",      "OnEnter",       "OnExit",
      "OnMouseDown", "OnMouseMove", "OnMouseUp",      "OnResize",      "OnStartDrag"};
  EXPECT_EQ(names, expected);
  EXPECT_EQ(FindClass("TKxPanelMenu"), TKxPanelMenu::StaticClass());
}

}  // namespace
}  // namespace kx
