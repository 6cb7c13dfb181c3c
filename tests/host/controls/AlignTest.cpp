// Alignment and anchors of children inside a windowed control.
#include "tests/support/HeadlessFixture.h"

namespace host::testing {
namespace {

TControl* Child(TWinControl* parent, TAlign align, TRect bounds) {
  auto* c = new TCustomControl(parent);
  c->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
  c->SetAlign(align);
  c->SetParent(parent);
  return c;
}

TEST(AlignTest, SidesThenClientShareTheClientArea) {
  TCustomControl parent(nullptr);
  parent.SetBounds(0, 0, 200, 100);
  TControl* top = Child(&parent, alTop, Bounds(0, 0, 10, 10));
  TControl* bottom = Child(&parent, alBottom, Bounds(0, 0, 10, 15));
  TControl* left = Child(&parent, alLeft, Bounds(0, 0, 20, 10));
  TControl* right = Child(&parent, alRight, Bounds(0, 0, 25, 10));
  TControl* client = Child(&parent, alClient, Bounds(0, 0, 1, 1));
  EXPECT_EQ(top->BoundsRect(), Rect(0, 0, 200, 10));
  EXPECT_EQ(bottom->BoundsRect(), Rect(0, 85, 200, 100));
  EXPECT_EQ(left->BoundsRect(), Rect(0, 10, 20, 85));
  EXPECT_EQ(right->BoundsRect(), Rect(175, 10, 200, 85));
  EXPECT_EQ(client->BoundsRect(), Rect(20, 10, 175, 85));

  parent.SetBounds(0, 0, 300, 200);
  EXPECT_EQ(bottom->BoundsRect(), Rect(0, 185, 300, 200));
  EXPECT_EQ(client->BoundsRect(), Rect(20, 10, 275, 185));

  right->Hide();
  EXPECT_EQ(client->BoundsRect(), Rect(20, 10, 300, 185));
}

TEST(AlignTest, SameAlignmentStacksByPosition) {
  TCustomControl parent(nullptr);
  parent.SetBounds(0, 0, 100, 100);
  TControl* a = Child(&parent, alTop, Bounds(0, 0, 10, 10));
  TControl* b = Child(&parent, alTop, Bounds(0, 50, 10, 20));
  EXPECT_EQ(a->BoundsRect(), Rect(0, 0, 100, 10));
  EXPECT_EQ(b->BoundsRect(), Rect(0, 10, 100, 30));
  b->SetTop(-1);  // moved above the other: it goes first
  EXPECT_EQ(b->BoundsRect(), Rect(0, 0, 100, 20));
  EXPECT_EQ(a->BoundsRect(), Rect(0, 20, 100, 30));
}

struct AnchorCase {
  const char* name;
  TAnchors anchors;
  TRect after;  // child bounds after the parent grows from 100×100 to 150×120
};

class AnchorTest : public ::testing::TestWithParam<AnchorCase> {};

TEST_P(AnchorTest, FollowsTheParentsSize) {
  TCustomControl parent(nullptr);
  parent.SetBounds(0, 0, 100, 100);
  TControl* c = Child(&parent, alNone, Bounds(10, 20, 30, 40));
  c->SetAnchors(GetParam().anchors);
  parent.SetBounds(0, 0, 150, 120);
  EXPECT_EQ(c->BoundsRect(), GetParam().after);
  parent.SetBounds(0, 0, 100, 100);  // and back, without drift
  EXPECT_EQ(c->BoundsRect(), Bounds(10, 20, 30, 40));
}

INSTANTIATE_TEST_SUITE_P(
    Anchors, AnchorTest,
    ::testing::Values(AnchorCase{"LeftTop", {akLeft, akTop}, Bounds(10, 20, 30, 40)},
                      AnchorCase{"RightBottom", {akRight, akBottom}, Bounds(60, 40, 30, 40)},
                      AnchorCase{
                          "Stretch", {akLeft, akTop, akRight, akBottom}, Bounds(10, 20, 80, 60)},
                      AnchorCase{"None", {}, Bounds(35, 30, 30, 40)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AlignTest, DisableAlignDefersUntilEnable) {
  TCustomControl parent(nullptr);
  parent.SetBounds(0, 0, 100, 100);
  parent.DisableAlign();
  TControl* client = Child(&parent, alClient, Bounds(0, 0, 1, 1));
  EXPECT_EQ(client->BoundsRect(), Bounds(0, 0, 1, 1));
  parent.EnableAlign();
  EXPECT_EQ(client->BoundsRect(), Rect(0, 0, 100, 100));
}

TEST(AlignTest, ConstraintsLimitTheSize) {
  TCustomControl c(nullptr);
  c.Constraints()->SetMinWidth(20);
  c.Constraints()->SetMaxHeight(30);
  c.SetBounds(0, 0, 5, 50);
  EXPECT_EQ(c.Width(), 20);
  EXPECT_EQ(c.Height(), 30);
}

TEST(AlignTest, ResizeFiresOnSizeChangesOnly) {
  TCustomControl c(nullptr);
  int resizes = 0;
  c.SetOnResize([&](TObject*) { ++resizes; });
  c.SetBounds(0, 0, 10, 10);
  c.SetBounds(5, 5, 10, 10);
  c.SetBounds(5, 5, 20, 10);
  EXPECT_EQ(resizes, 2);
}

// A windowed control whose children sit inside a 2-pixel frame.
class FramedControl : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  void AdjustClientRect(TRect& Rect) override {
    Rect = host::Rect(Rect.Left + 2, Rect.Top + 2, Rect.Right - 2, Rect.Bottom - 2);
  }
};

TEST(AutoSizeTest, HoldsTheVisibleChildrenInsideTheFrame) {
  FramedControl box(nullptr);
  box.SetBounds(5, 5, 200, 100);
  box.SetAutoSize(true);
  EXPECT_EQ(box.BoundsRect(), Bounds(5, 5, 200, 100)) << "no child: the size stays";
  TControl* a = Child(&box, alNone, Bounds(2, 2, 50, 20));
  EXPECT_EQ(box.BoundsRect(), Bounds(5, 5, 54, 24)) << "a child came";
  a->SetWidth(80);
  EXPECT_EQ(box.BoundsRect(), Bounds(5, 5, 84, 24)) << "it grew";
  TControl* b = Child(&box, alNone, Bounds(10, 30, 10, 10));
  EXPECT_EQ(box.BoundsRect(), Bounds(5, 5, 84, 42)) << "another below";
  b->Hide();
  EXPECT_EQ(box.BoundsRect(), Bounds(5, 5, 84, 24)) << "that one hidden";
  b->Show();
  b->SetParent(nullptr);
  EXPECT_EQ(box.BoundsRect(), Bounds(5, 5, 84, 24)) << "that one gone";
  delete b;
  box.SetAutoSize(false);
  a->SetWidth(30);
  EXPECT_EQ(box.BoundsRect(), Bounds(5, 5, 84, 24)) << "AutoSize off";
}

TEST(AutoSizeTest, ChildrenAlignedToASideAreStackedAndFollowTheNewSize) {
  FramedControl box(nullptr);
  box.SetBounds(0, 0, 200, 100);
  box.SetAutoSize(true);
  Child(&box, alNone, Bounds(2, 2, 100, 20));
  TControl* right = Child(&box, alRight, Bounds(0, 0, 10, 5));
  EXPECT_EQ(box.BoundsRect(), Rect(0, 0, 104, 24));
  EXPECT_EQ(right->BoundsRect(), Rect(92, 2, 102, 22));
  TControl* left = Child(&box, alLeft, Bounds(0, 0, 95, 5));
  // 95 + 10 side by side need more than the placed child's 100.
  EXPECT_EQ(box.BoundsRect(), Rect(0, 0, 109, 24));
  EXPECT_EQ(left->BoundsRect(), Rect(2, 2, 97, 22));
  EXPECT_EQ(right->BoundsRect(), Rect(97, 2, 107, 22));
  left->Free();
  EXPECT_EQ(box.BoundsRect(), Rect(0, 0, 104, 24));
  EXPECT_EQ(right->BoundsRect(), Rect(92, 2, 102, 22));
}

TEST(AutoSizeTest, TheSideItsOwnAlignmentFixesKeepsTheParentsSize) {
  TCustomControl form(nullptr);
  form.SetBounds(0, 0, 300, 200);
  auto* top = new FramedControl(&form);
  top->SetParent(&form);
  top->SetAlign(alTop);
  top->SetAutoSize(true);
  Child(top, alNone, Bounds(2, 2, 50, 20));
  EXPECT_EQ(top->BoundsRect(), Rect(0, 0, 300, 24));
  auto* left = new FramedControl(&form);
  left->SetParent(&form);
  left->SetAlign(alLeft);
  left->SetAutoSize(true);
  Child(left, alNone, Bounds(2, 2, 50, 20));
  EXPECT_EQ(left->BoundsRect(), Rect(0, 24, 54, 200));
  // Only a client-aligned child: nothing to hold, the size stays.
  auto* only = new FramedControl(&form);
  only->SetBounds(100, 100, 40, 30);
  only->SetParent(&form);
  only->SetAutoSize(true);
  Child(only, alClient, Bounds(0, 0, 1, 1));
  EXPECT_EQ(only->BoundsRect(), Bounds(100, 100, 40, 30));
}

}  // namespace
}  // namespace host::testing
