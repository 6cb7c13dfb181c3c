// The standard controls in form files: what is written comes back.
#include "host/classes/Streaming.h"
#include "host/controls/ExtCtrls.h"
#include "host/controls/StdCtrls.h"
#include "tests/support/HeadlessFixture.h"

namespace host::testing {
namespace {

TEST(StdCtrlsStreamingTest, ControlsComeBackWithTheirProperties) {
  auto* form = new TForm(nullptr);
  form->SetName("Form1");
  auto* panel = new TPanel(form);
  panel->SetName("Panel1");
  panel->SetParent(form);
  panel->SetBevelOuter(bvLowered);
  panel->SetBorderWidth(3);
  panel->SetCaption("Top");
  auto* label = new TLabel(form);
  label->SetName("Label1");
  label->SetParent(panel);
  label->SetCaption("Name:");
  label->SetAlignment(taRightJustify);
  auto* list = new TListBox(form);
  list->SetName("List1");
  list->SetParent(form);
  list->Items()->Add("one");
  list->Items()->Add("two");
  label->SetFocusControl(list);
  auto* combo = new TComboBox(form);
  combo->SetName("Combo1");
  combo->SetParent(form);
  combo->SetStyle(csDropDownList);
  combo->Items()->Add("a");
  combo->Items()->Add("b");
  combo->SetItemIndex(1);
  auto* box = new TScrollBox(form);
  box->SetName("Box1");
  box->SetParent(form);
  box->SetAutoScroll(false);
  box->HorzScrollBar()->SetVisible(false);
  box->SetCtl3D(false);
  auto* timer = new TTimer(form);
  timer->SetName("Timer1");
  timer->SetInterval(250);
  timer->SetEnabled(false);
  const std::string text = WriteForm(form);
  form->Free();

  auto* read = As<TForm>(ReadForm(text, "std.kxf"));
  ASSERT_NE(read, nullptr) << text;
  auto* panel2 = As<TPanel>(read->FindComponent("Panel1"));
  auto* label2 = As<TLabel>(read->FindComponent("Label1"));
  auto* list2 = As<TListBox>(read->FindComponent("List1"));
  auto* combo2 = As<TComboBox>(read->FindComponent("Combo1"));
  auto* box2 = As<TScrollBox>(read->FindComponent("Box1"));
  auto* timer2 = As<TTimer>(read->FindComponent("Timer1"));
  ASSERT_TRUE(panel2 && label2 && list2 && combo2 && box2 && timer2) << text;
  EXPECT_EQ(panel2->BevelOuter(), bvLowered);
  EXPECT_EQ(panel2->BorderWidth(), 3);
  EXPECT_EQ(panel2->Caption(), "Top");
  EXPECT_EQ(label2->Parent(), panel2);
  EXPECT_EQ(label2->Alignment(), taRightJustify);
  EXPECT_EQ(label2->FocusControl(), list2);
  EXPECT_EQ(list2->Items()->Count(), 2);
  EXPECT_EQ(combo2->Style(), csDropDownList);
  EXPECT_EQ(combo2->ItemIndex(), 1);
  EXPECT_EQ(combo2->Text(), "b");
  EXPECT_FALSE(box2->AutoScroll());
  EXPECT_FALSE(box2->HorzScrollBar()->Visible());
  EXPECT_FALSE(box2->Ctl3D());
  EXPECT_EQ(timer2->Interval(), 250u);
  EXPECT_FALSE(timer2->Enabled());
  read->Free();
}

}  // namespace
// A colour or font taken from the parent is not written: reading it back
// would otherwise cut the control loose from its parent, and the second save
// would differ from the first.
TEST(StdCtrlsStreamingTest, ColourAndFontFollowingTheParentAreNotStored) {
  auto* form = new TForm(nullptr);
  form->SetName("Form1");
  form->SetColor(clNavy);
  form->Font()->SetName("Courier New");
  auto* label = new TLabel(form);
  label->SetName("Label1");
  label->SetParent(form);
  ASSERT_TRUE(label->ParentColor() && label->ParentFont());
  ASSERT_EQ(label->Color(), clNavy);
  const std::string first = WriteForm(form);
  form->Free();

  auto* read = As<TForm>(ReadForm(first, "parent.kxf"));
  ASSERT_NE(read, nullptr) << first;
  auto* label2 = As<TLabel>(read->FindComponent("Label1"));
  ASSERT_NE(label2, nullptr);
  EXPECT_TRUE(label2->ParentColor());
  EXPECT_TRUE(label2->ParentFont());
  EXPECT_EQ(label2->Color(), clNavy);
  EXPECT_EQ(WriteForm(read), first);

  label2->SetColor(clYellow);  // its own colour from now on
  const std::string own = WriteForm(read);
  read->Free();
  auto* again = As<TForm>(ReadForm(own, "own.kxf"));
  ASSERT_NE(again, nullptr) << own;
  auto* label3 = As<TLabel>(again->FindComponent("Label1"));
  EXPECT_FALSE(label3->ParentColor());
  EXPECT_EQ(label3->Color(), clYellow);
  again->Free();
}

}  // namespace host::testing
