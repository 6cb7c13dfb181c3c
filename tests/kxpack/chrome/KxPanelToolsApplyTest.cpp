// The tool and apply panels: their children inside the bevel, the tool
// panel sizing itself around its children, and the form dragged from
// either, driven from the outside.
#include <gtest/gtest.h>

#include <string>

#include "host/classes/Streaming.h"
#include "host/controls/Panels.h"
#include "host/testing/Session.h"
#include "kxpack/chrome/KxPanelApply.h"
#include "kxpack/chrome/KxPanelTools.h"
#include "tests/support/HeadlessFixture.h"

namespace kx {

using namespace host;

namespace {

using kx::testing::Session;

// A tool strip sized around two buttons-to-be, over a working area.
constexpr const char* kFormText =
    "object F: TForm\n"
    "  Left = 100\n"
    "  Top = 100\n"
    "  Width = 300\n"
    "  Height = 200\n"
    "  BorderStyle = bsNone\n"
    "  Color = clWhite\n"
    "  object Tools: TKxPanelTools\n"
    "    Left = 10\n"
    "    Top = 10\n"
    "    Width = 200\n"
    "    Height = 40\n"
    "    AboutKx = 'Component'\n"
    "    AboutVers = '1.0.0'\n"
    "    Autosize = True\n"
    "    object One: TPanel\n"
    "      Left = 3\n"
    "      Top = 3\n"
    "      Width = 30\n"
    "      Height = 20\n"
    "      BevelOuter = bvNone\n"
    "      Color = clRed\n"
    "    end\n"
    "    object Two: TPanel\n"
    "      Left = 33\n"
    "      Top = 3\n"
    "      Width = 30\n"
    "      Height = 24\n"
    "      BevelOuter = bvNone\n"
    "      Color = clLime\n"
    "    end\n"
    "  end\n"
    "end\n";

class KxPanelToolsApplyTest : public host::testing::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    form = ReadFormAs<TForm>(kFormText, "tools.kxf");
    tools = static_cast<TKxPanelTools*>(form->FindComponent("Tools"));
  }
  void TearDown() override {
    form->Free();
    HeadlessTest::TearDown();
  }
  TForm* form = nullptr;
  TKxPanelTools* tools = nullptr;
};

TEST_F(KxPanelToolsApplyTest, AnAutosizedToolPanelHoldsItsChildrenInsideItsBevel) {
  Session session(form);
  // Children end at x 63 and y 27; the bevel is 3 pixels thick.
  EXPECT_EQ(tools->BoundsRect(), Bounds(10, 10, 66, 30));
  // From the right edge inwards: border, outer ring, inner space, then the
  // last child.
  for (auto [x, colour] : {std::pair{75, 0x4A4A55u}, std::pair{74, 0xB4B4CDu},
                           std::pair{72, 0x00FF00u}, std::pair{76, 0xFFFFFFu}})
    EXPECT_EQ(session.Pixel(x, 30), colour) << x;

  // A child that grows or goes away changes what the panel holds.
  session.Set("Two.Width", "60");
  EXPECT_EQ(session.Get("Tools.Width"), "96");
  EXPECT_EQ(session.Pixel(105, 30), 0x4A4A55u);
  EXPECT_EQ(session.Pixel(101, 30), 0x00FF00u);
  session.Call("Two.Hide");
  EXPECT_EQ(session.Get("Tools.Width"), "36");
  EXPECT_EQ(session.Get("Tools.Height"), "26");
  // Switched off, it keeps the size it has.
  session.Set("Tools.Autosize", "False");
  session.Call("Two.Show");
  EXPECT_EQ(session.Get("Tools.Width"), "36");
}

TEST_F(KxPanelToolsApplyTest, ChildrenAreInsetByTheBevelOfEachPanel) {
  auto* apply = new TKxPanelApply(form);
  apply->SetParent(form);
  tools->SetAutoSize(false);
  for (auto [panel, inset] : {std::pair<TKxCustomPanel*, int>{tools, 3}, {apply, 4}}) {
    auto* child = new TPanel(form);
    child->SetParent(panel);
    child->SetAlign(alClient);
    EXPECT_EQ(child->BoundsRect(),
              Rect(inset, inset, panel->Width() - inset, panel->Height() - inset))
        << panel->ClassName();
  }
  // Client-aligned, the apply panel fills the form: the tool strip beside
  // it is not aligned and takes nothing from it.
  EXPECT_EQ(apply->BoundsRect(), Rect(0, 0, 300, 200));
}

TEST_F(KxPanelToolsApplyTest, APressOnEitherPanelDragsTheForm) {
  auto* apply = new TKxPanelApply(form);
  apply->SetParent(form);
  apply->SendToBack();
  Session session(form);
  session.Drag(5, 150, 25, 160);  // the apply panel's surface
  EXPECT_EQ(form->BoundsRect(), Bounds(120, 110, 300, 200));
  session.Drag(11, 11, 1, 1);  // the tool panel's border
  EXPECT_EQ(form->BoundsRect(), Bounds(110, 100, 300, 200));
}

}  // namespace
}  // namespace kx
