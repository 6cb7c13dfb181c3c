// Controls in form files: the published tables and the parent relation.
#include <gtest/gtest.h>

#include "host/classes/ClassRegistry.h"
#include "host/classes/Streaming.h"
#include "host/controls/Forms.h"
#include "host/controls/Panels.h"
#include "host/graphics/Color.h"

namespace host {
namespace {

class TTestBox : public TCustomControl {
  HOST_CLASS(TTestBox, TCustomControl)
 public:
  using TCustomControl::TCustomControl;
  static const TPublished& PublishedProperties() {
    static const TPublished table =
        Publish<TTestBox>()
            .Enum("Align", &TTestBox::Align, &TTestBox::SetAlign, alNone)
            .Color("Color", &TTestBox::Color, &TTestBox::SetColor)
            .Event("OnClick", &TTestBox::FOnClick);
    return table;
  }
};

TEST(ControlStreamingTest, TablesListTheControlPropertiesInOrder) {
  std::vector<std::string> names;
  for (const TPropInfo& p : TControl::PublishedProperties().Properties()) names.push_back(p.Name);
  EXPECT_EQ(names,
            (std::vector<std::string>{"Name", "Tag", "Left", "Top", "Width", "Height", "Cursor",
                                      "Hint", "HelpType", "HelpKeyword", "HelpContext"}));
  EXPECT_NE(TForm::PublishedProperties().Find("OnCreate"), nullptr);
}

TEST(ControlStreamingTest, ChildrenComeBackInsideTheirParents) {
  RegisterClass<TTestBox>();
  auto* form = new TForm(nullptr);
  form->SetName("Form1");
  form->SetCaption("Hello");
  form->SetBounds(10, 20, 300, 200);
  auto* outer = new TTestBox(form);
  outer->SetName("Outer");
  outer->SetParent(form);
  outer->SetBounds(0, 0, 100, 50);
  outer->SetAlign(alTop);
  auto* inner = new TTestBox(form);
  inner->SetName("Inner");
  inner->SetParent(outer);
  inner->SetBounds(5, 6, 20, 10);
  inner->SetColor(clRed);
  const std::string text = WriteForm(form);
  form->Free();

  TComponent* read = ReadForm(text, "test.kxf");
  auto* form2 = As<TForm>(read);
  ASSERT_NE(form2, nullptr);
  EXPECT_EQ(form2->Caption(), "Hello");
  auto* outer2 = As<TTestBox>(form2->FindComponent("Outer"));
  auto* inner2 = As<TTestBox>(form2->FindComponent("Inner"));
  ASSERT_NE(outer2, nullptr);
  ASSERT_NE(inner2, nullptr);
  EXPECT_EQ(outer2->Parent(), form2);
  EXPECT_EQ(inner2->Parent(), outer2);
  EXPECT_EQ(outer2->BoundsRect(), Rect(0, 0, 300, 50));
  EXPECT_EQ(inner2->BoundsRect(), Bounds(5, 6, 20, 10));
  EXPECT_EQ(inner2->Color(), clRed);
  EXPECT_EQ(WriteForm(form2), text);
  form2->Free();
}

TEST(ControlStreamingTest, SizeConstraintsAreReadWrittenAndLimitTheBounds) {
  const std::string text =
      "object Form1: TForm\n"
      "  object Panel1: TPanel\n"
      "    Width = 100\n"
      "    Height = 10\n"
      "    Constraints.MaxWidth = 20\n"
      "    Constraints.MinHeight = 30\n"
      "  end\n"
      "end\n";
  TComponent* form = ReadForm(text, "limits.kxf");
  auto* panel = As<TPanel>(form->FindComponent("Panel1"));
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->Constraints()->MaxWidth(), 20);
  EXPECT_EQ(panel->Constraints()->MinHeight(), 30);
  EXPECT_EQ(panel->Width(), 20);
  EXPECT_EQ(panel->Height(), 30);
  // 0 is no limit: lifting the limits keeps the size they gave.
  panel->Constraints()->SetMaxWidth(0);
  panel->SetBounds(0, 0, 500, 31);
  EXPECT_EQ(panel->Width(), 500);
  panel->SetHeight(5);
  EXPECT_EQ(panel->Height(), 30);

  const std::string written = WriteForm(form);
  EXPECT_EQ(written.find("Constraints.MaxWidth"), std::string::npos) << written;
  EXPECT_NE(written.find("Constraints.MinHeight = 30"), std::string::npos) << written;
  form->Free();
}

}  // namespace
}  // namespace host
