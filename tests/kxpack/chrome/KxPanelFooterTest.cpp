// The footer and its size grip, driven from the outside: the grip sizes the
// form from the edge its footer allows and shows the matching cursor; and
// what cannot be seen: the grip's visibility following the switches, a
// grip freed elsewhere, presses without a parent form, and loading.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "host/classes/Streaming.h"
#include "host/platform/HeadlessPlatform.h"
#include "host/testing/Session.h"
#include "kxpack/chrome/KxPanelFooter.h"
#include "tests/support/HeadlessFixture.h"

namespace kx {

using namespace host;

namespace {

using host::testing::Headless;
using kx::testing::Session;

// A borderless 300 × 200 form whose footer spans its bottom 17 pixels: the
// grip sits at (286, 187) of the form, its ridges' corner at (298, 195).
class KxPanelFooterTest : public host::testing::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    form = MakeForm(100, 100, 300, 200);
    form->SetBorderStyle(bsNone);
    footer = new TKxPanelFooter(form);
    footer->SetParent(form);
  }
  SystemCursor CursorShown() const {
    return static_cast<HeadlessWindow*>(form->PlatformHandle())->Cursor();
  }

  TForm* form = nullptr;
  TKxPanelFooter* footer = nullptr;
};

TEST_F(KxPanelFooterTest, NewFooterSpansTheBottomWithTheGripInItsCorner) {
  Session session(form);
  EXPECT_EQ(footer->BoundsRect(), Rect(0, 183, 300, 200));
  ASSERT_NE(footer->ImgSize(), nullptr);
  EXPECT_EQ(footer->ImgSize()->BoundsRect(), Bounds(286, 4, 14, 14));
  EXPECT_TRUE(footer->ImgSize()->Visible());
  // Ridges from (12, 8) to (8, 12), (12, 4) to (4, 12) and (12, 0) to
  // (0, 12) of the grip, on its own colour; the grip's last row is clipped.
  const uint32_t ridge = 0xA29C98, grip = 0x4A4A55;
  for (auto [x, y, colour] : std::vector<std::tuple<int, int, uint32_t>>{{12, 8, ridge},
                                                                         {9, 11, ridge},
                                                                         {8, 12, grip},
                                                                         {12, 4, ridge},
                                                                         {5, 11, ridge},
                                                                         {12, 0, ridge},
                                                                         {1, 11, ridge},
                                                                         {12, 9, grip},
                                                                         {13, 8, grip},
                                                                         {2, 2, grip}})
    EXPECT_EQ(session.Pixel(286 + x, 187 + y), colour) << x << "," << y;
}

struct SizeCase {
  const char* name;
  bool horz, vert;
  SystemCursor cursor;
  int32_t grownWidth, grownHeight;  // after a drag of the grip by (+30, +20)
};

class GripSizing : public KxPanelFooterTest, public ::testing::WithParamInterface<SizeCase> {};

TEST_P(GripSizing, FromTheEdgeTheSwitchesAllowWithTheCursorShownOverIt) {
  const SizeCase c = GetParam();
  // Switched off, the grip would hide and the press drag the footer.
  if (c.horz) footer->SetUseResizeHorz(true);
  if (c.vert) footer->SetUseResizeVert(true);
  Session session(form);
  session.Move(150, 100);
  EXPECT_EQ(CursorShown(), SystemCursor::Arrow);
  session.Move(292, 193);
  EXPECT_EQ(CursorShown(), c.cursor);
  session.Drag(292, 193, 322, 213);
  EXPECT_EQ(form->BoundsRect(), Bounds(100, 100, c.grownWidth, c.grownHeight));
  EXPECT_EQ(form->PlatformHandle()->Bounds(), form->BoundsRect());
  // The footer follows the form, and the grip its corner.
  EXPECT_EQ(footer->ImgSize()->Left(), c.grownWidth - 14);
  EXPECT_EQ(footer->Top(), c.grownHeight - 17);
  session.Move(150, 100);
  EXPECT_EQ(CursorShown(), SystemCursor::Arrow);
}

INSTANTIATE_TEST_SUITE_P(
    Switches, GripSizing,
    ::testing::Values(SizeCase{"RightEdge", true, false, SystemCursor::SizeWE, 330, 200},
                      SizeCase{"BottomEdge", false, true, SystemCursor::SizeNS, 300, 220},
                      SizeCase{"Corner", true, true, SystemCursor::SizeNWSE, 330, 220},
                      // A new footer shows the grip with neither switch
                      // on: a press on it sizes and moves nothing.
                      SizeCase{"Neither", false, false, SystemCursor::Arrow, 300, 200}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(KxPanelFooterTest, TheSwitchesApplyTheGripsVisibilityEveryTime) {
  struct Step {
    const char* what;
    bool horz;  // which switch: UseResizeHorz, else UseResizeVert
    bool value;
    bool shown;
  };
  for (const Step& s :
       {Step{"horz on", true, true, true}, Step{"vert on", false, true, true},
        Step{"horz off, vert on", true, false, true},
        Step{"vert off, horz off", false, false, false}, Step{"horz off again", true, false, false},
        Step{"vert on", false, true, true}, Step{"vert on again", false, true, true},
        Step{"horz on", true, true, true}}) {
    if (s.horz)
      footer->SetUseResizeHorz(s.value);
    else
      footer->SetUseResizeVert(s.value);
    EXPECT_EQ(footer->ImgSize()->Visible(), s.shown) << s.what;
    EXPECT_EQ(footer->UseResizeImg(), s.shown) << s.what;
  }
  // A switch set False while the other is on keeps UseResizeImg as it is,
  // and applies it to the grip.
  footer->SetUseResizeImg(false);
  EXPECT_FALSE(footer->ImgSize()->Visible());
  footer->SetUseResizeVert(false);
  EXPECT_FALSE(footer->ImgSize()->Visible());
  EXPECT_FALSE(footer->UseResizeImg());
  footer->SetUseResizeImg(true);
  footer->SetUseResizeVert(false);
  EXPECT_TRUE(footer->ImgSize()->Visible());
}

TEST_F(KxPanelFooterTest, WhatTheGripAndTheFooterSayTheySizeFrom) {
  TKxImgSize* grip = footer->ImgSize();
  EXPECT_EQ(footer->SizeEdge(), 0u);
  EXPECT_EQ(grip->SizeEdge(), 0u);
  footer->SetUseResizeHorz(true);
  EXPECT_EQ(grip->SizeEdge(), WMSZ_RIGHT);
  footer->SetUseResizeVert(true);
  EXPECT_EQ(grip->SizeEdge(), WMSZ_BOTTOMRIGHT);
  footer->SetUseResizeHorz(false);
  EXPECT_EQ(grip->SizeEdge(), WMSZ_BOTTOM);
  footer->SetUseResizeImg(false);
  EXPECT_EQ(footer->SizeEdge(), WMSZ_BOTTOM);
  EXPECT_EQ(grip->SizeEdge(), 0u) << "a hidden grip sizes nothing";
  // A grip placed on something other than a footer sizes nothing.
  auto* loose = new TKxImgSize(form);
  loose->SetParent(form);
  EXPECT_EQ(loose->SizeEdge(), 0u);
}

TEST_F(KxPanelFooterTest, AGripFreedElsewhereIsForgotten) {
  footer->ImgSize()->Free();
  EXPECT_EQ(footer->ImgSize(), nullptr);
  // Everything that reached the grip goes on without it.
  footer->SetUseResizeHorz(true);
  footer->SetUseResizeImg(false);
  footer->SetWidth(250);
  form->Show();
  Pump();
  footer->Repaint();
  footer->Free();
  Pump();
}

TEST_F(KxPanelFooterTest, PressesWithoutAParentFormDoNothing) {
  // A footer on a bare windowed control, no form above it.
  TCustomControl holder(nullptr);
  holder.SetBounds(0, 0, 300, 100);
  auto* loose = new TKxPanelFooter(&holder);
  loose->SetParent(&holder);
  loose->SetUseResizeHorz(true);
  loose->SetUseResizeVert(true);
  std::vector<std::string> log;
  loose->SetOnMouseUp(
      [&](TObject*, TMouseButton, TShiftState, int32_t, int32_t) { log.push_back("footer up"); });
  loose->ImgSize()->SetOnMouseDown(
      [&](TObject*, TMouseButton, TShiftState, int32_t, int32_t) { log.push_back("grip down"); });
  loose->ImgSize()->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(Point(5, 5)));
  loose->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(Point(20, 5)));
  EXPECT_EQ(log, std::vector<std::string>{"grip down"});
  EXPECT_EQ(holder.BoundsRect(), Rect(0, 0, 300, 100));
  ReleaseCapture();
}

TEST_F(KxPanelFooterTest, LoadingWithBothSwitchesOffLeavesUseResizeImgFalse) {
  footer->SetName("Footer1");
  footer->SetUseResizeHorz(true);
  footer->SetUseResizeImg(true);
  footer->SetUseResizeHorz(false);
  ASSERT_FALSE(footer->UseResizeImg());
  footer->SetUseResizeImg(true);
  const std::string text = WriteForm(form);
  EXPECT_NE(text.find("UseResizeHorz = False"), std::string::npos) << text;
  EXPECT_NE(text.find("UseResizeVert = False"), std::string::npos) << text;
  EXPECT_EQ(text.find("UseResizeImg"), std::string::npos) << text;
  EXPECT_EQ(text.find("TKxImgSize"), std::string::npos) << "the footer makes its own grip";
  auto* back = ReadFormAs<TForm>(text, "footer.kxf");
  auto* copy = static_cast<TKxPanelFooter*>(back->FindComponent("Footer1"));
  ASSERT_NE(copy, nullptr);
  EXPECT_FALSE(copy->UseResizeImg());
  EXPECT_EQ(copy->ComponentCount(), 1) << "one grip";
  back->Free();
}

}  // namespace
}  // namespace kx
