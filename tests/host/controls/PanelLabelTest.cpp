// Panels and labels: bevel pixels, centred caption, auto size, alignment.
#include "host/controls/ExtCtrls.h"
#include "host/controls/StdCtrls.h"
#include "tests/support/HeadlessFixture.h"

namespace host::testing {
namespace {

class PanelLabelTest : public HeadlessTest {};

// The columns of a form's row that differ from a colour.
std::vector<int> ColumnsNot(const TCustomForm* f, int y, int x0, int x1, TColor c) {
  std::vector<int> xs;
  for (int x = x0; x < x1; ++x)
    if (static_cast<TColor>(SwapRedBlue(f->Framebuffer().At(x, y))) != c) xs.push_back(x);
  return xs;
}

TEST_F(PanelLabelTest, PanelBevelsAndCentredCaption) {
  TForm* form = MakeForm(100, 100, 300, 200);
  auto* panel = new TPanel(form);
  panel->SetParent(form);
  panel->SetBounds(10, 10, 200, 60);
  panel->SetColor(clWhite);
  panel->SetBevelInner(bvLowered);
  panel->SetBorderWidth(2);
  panel->SetCaption("Hello");
  form->Show();
  Pump();
  const TColor hi = ColorToRGB(clBtnHighlight), sh = ColorToRGB(clBtnShadow);
  // Outer raised ring, two border pixels, inner lowered ring.
  EXPECT_EQ(PixelAt(form, 10, 10), hi);
  EXPECT_EQ(PixelAt(form, 209, 69), sh);
  EXPECT_EQ(PixelAt(form, 10, 69), sh);  // bottom-left belongs to the bottom side
  EXPECT_EQ(PixelAt(form, 12, 30), clWhite);
  EXPECT_EQ(PixelAt(form, 13, 30), sh);
  EXPECT_EQ(PixelAt(form, 206, 30), hi);
  EXPECT_EQ(panel->FrameSize(), 4);

  // The caption's ink is centred horizontally and vertically.
  int top = 1000, bottom = -1, left = 1000, right = -1;
  for (int y = 14; y < 66; ++y)
    for (int x : ColumnsNot(form, y, 14, 206, clWhite)) {
      top = std::min(top, y), bottom = std::max(bottom, y);
      left = std::min(left, x), right = std::max(right, x);
    }
  ASSERT_GE(right, left) << "no caption drawn";
  EXPECT_NEAR((left + right) / 2.0, 110, 3);
  EXPECT_NEAR((top + bottom) / 2.0, 40, 4);
}

TEST_F(PanelLabelTest, PanelAutoSizeHoldsChildrenPlusFrame) {
  TForm* form = MakeForm();
  auto* panel = new TPanel(form);
  panel->SetParent(form);
  panel->SetBorderWidth(3);
  auto* child = new TPanel(form);
  child->SetBounds(4, 4, 50, 20);
  child->SetParent(panel);
  panel->SetAutoSize(true);
  EXPECT_EQ(panel->Width(), 4 + 50 + 4);
  EXPECT_EQ(panel->Height(), 4 + 20 + 4);
  child->SetWidth(80);
  EXPECT_EQ(panel->Width(), 4 + 80 + 4);
}

TEST_F(PanelLabelTest, SettersClamp) {
  TPanel panel(nullptr);
  panel.SetBevelWidth(0);
  panel.SetBorderWidth(-5);
  panel.SetBorderStyle(bsSizeable);
  EXPECT_EQ(panel.BevelWidth(), 1);
  EXPECT_EQ(panel.BorderWidth(), 0);
  EXPECT_EQ(panel.BorderStyle(), bsSingle);
}

TEST_F(PanelLabelTest, LabelAutoSizeFollowsTextAndKeepsRightEdgeWhenRightJustified) {
  TForm* form = MakeForm();
  auto* label = new TLabel(form);
  label->SetParent(form);
  label->SetCaption("Hi");
  const int shortWidth = label->Width();
  label->SetCaption("Hello there");
  EXPECT_GT(label->Width(), shortWidth);
  EXPECT_GT(label->Height(), 5);

  label->SetAlignment(taRightJustify);
  label->SetLeft(100);
  const int right = label->Left() + label->Width();
  label->SetCaption("Hi");
  EXPECT_EQ(label->Left() + label->Width(), right);
  EXPECT_EQ(label->Width(), shortWidth);
}

TEST_F(PanelLabelTest, LabelAlignmentPlacesTheInk) {
  TForm* form = MakeForm(100, 100, 300, 100);
  struct Case {
    TAlignment a;
    int left, right;  // where the ink's middle must lie
  };
  for (Case c :
       {Case{taLeftJustify, 10, 80}, Case{taCenter, 120, 160}, Case{taRightJustify, 210, 280}}) {
    auto* label = new TLabel(form);
    label->SetParent(form);
    label->SetAutoSize(false);
    label->SetBounds(10, 10, 270, 20);
    label->SetColor(clWhite);
    label->SetCaption("Text");
    label->SetAlignment(c.a);
    form->Show();
    Pump();
    std::vector<int> xs;
    for (int y = 10; y < 30; ++y)
      for (int x : ColumnsNot(form, y, 10, 280, clWhite)) xs.push_back(x);
    ASSERT_FALSE(xs.empty());
    const double mid =
        (*std::min_element(xs.begin(), xs.end()) + *std::max_element(xs.begin(), xs.end())) / 2.0;
    EXPECT_GE(mid, c.left) << int(c.a);
    EXPECT_LE(mid, c.right) << int(c.a);
    label->Free();
    Pump();
  }
}

}  // namespace
}  // namespace host::testing
