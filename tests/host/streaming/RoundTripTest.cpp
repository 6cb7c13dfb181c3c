#include <gtest/gtest.h>

#include <memory>

#include "host/classes/Streaming.h"
#include "tests/host/streaming/SampleComponents.h"

using namespace host;
using namespace sample;

namespace {

class RoundTrip : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { RegisterSampleClasses(); }
};

// Every published value of a and b, compared through the tables.
void ExpectSameProperties(TObject* a, TObject* b, const std::string& where) {
  ASSERT_EQ(a->ClassType(), b->ClassType()) << where;
  for (const TPropInfo& p : a->Published()->Properties()) {
    const std::string at = where + "." + p.Name;
    switch (p.Kind) {
      case tkFloat:
        EXPECT_EQ(p.GetFloat(a), p.GetFloat(b)) << at;
        break;
      case tkString:
      case tkMethod:
        EXPECT_EQ(p.GetStr(a), p.GetStr(b)) << at;
        break;
      case tkStrings:
        EXPECT_TRUE(
            static_cast<TStrings*>(p.GetObject(a))->Equals(*static_cast<TStrings*>(p.GetObject(b))))
            << at;
        break;
      case tkClass:
        ExpectSameProperties(p.GetObject(a), p.GetObject(b), at);
        break;
      case tkComponent: {
        auto* ca = static_cast<TComponent*>(p.GetObject(a));
        auto* cb = static_cast<TComponent*>(p.GetObject(b));
        EXPECT_EQ(ca ? ca->Name() : "", cb ? cb->Name() : "") << at;
        break;
      }
      case tkBinary:
        EXPECT_EQ(p.GetBinary(a), p.GetBinary(b)) << at;
        break;
      default:
        EXPECT_EQ(p.GetOrd(a), p.GetOrd(b)) << at;
    }
  }
}

// A form holding every property kind away from its default, nested two deep.
TSampleForm* MakeForm() {
  auto* form = new TSampleForm(nullptr);
  form->SetName("Form1");
  form->SetCaption("It's a \"form\"\twith\r\nlines and ünïcödé");
  auto* panel = new TSamplePanel(form);
  panel->SetName("Panel1");
  panel->SetColor(clNavy);
  auto* w = new TSampleWidget(form);
  w->SetName("Widget1");
  panel->Insert(w);
  w->SetCount(-7);
  w->SetMin(-100);
  w->SetMax(100000);
  w->SetValue(-50);  // outside the range a new widget has
  w->SetMask(0xFFFFFFFFu);
  w->SetActive(true);
  w->SetMode(smFast);
  w->SetLights({slRed, slGreen});
  w->SetColor(0x00584E4E);
  w->SetBorder(clRed);
  w->SetRatio(0.1);
  w->SetCaption("");
  w->Lines()->Add("first 'line'");
  w->Lines()->Add("");
  w->Lines()->Add(std::string("bytes \x01\xFF\x80", 9));
  w->Frame()->SetWidth(3);
  w->Frame()->SetVisible(false);
  const uint8_t bytes[] = {0, 1, 2, 0xAB, 0xFF};
  w->Blob()->SetData(bytes);
  w->FOnChange = TNotifyEvent(form, &TSampleForm::WidgetChange).Named("WidgetChange");
  w->FOnValue = TValueEvent(form, &TSampleForm::WidgetValue).Named("WidgetValue");
  auto* later = new TSampleWidget(form);  // referenced before it is created
  later->SetName("Later");
  w->SetBuddy(later);
  later->SetBuddy(w);
  return form;
}

TEST_F(RoundTrip, WriteReadWriteGivesTheSameTextAndEveryValueBack) {
  TSampleForm* form = MakeForm();
  const std::string text = WriteForm(form);
  auto* copy = ReadFormAs<TSampleForm>(text, "form.kxf");
  EXPECT_EQ(WriteForm(copy), text);

  ASSERT_EQ(copy->ComponentCount(), form->ComponentCount());
  ExpectSameProperties(form, copy, "Form1");
  for (int i = 0; i < form->ComponentCount(); ++i)
    ExpectSameProperties(form->Components(i), copy->Components(i), form->Components(i)->Name());

  auto* w = As<TSampleWidget>(copy->FindComponent("Widget1"));
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->Value(), -50);
  EXPECT_EQ(w->GetParentComponent(), copy->FindComponent("Panel1"));
  EXPECT_EQ(w->Buddy(), copy->FindComponent("Later"));
  w->FOnChange(w);
  w->FOnValue(w, 42);
  EXPECT_EQ(copy->Clicks, 1);
  EXPECT_EQ(copy->LastValue, 42);
  form->Free();
  copy->Free();
}

TEST_F(RoundTrip, ValuesRefusedUntilALaterPropertyIsSetStillComeBack) {
  TSampleForm form(nullptr);
  auto* w = new TSampleWidget(&form);
  w->SetName("W");
  w->SetMin(-10);
  w->SetMax(-5);  // written before Min, refused while Min is still 0
  w->SetValue(-7);
  const std::string text = WriteForm(&form);
  std::unique_ptr<TComponent> copy(ReadForm(text, "order.kxf"));
  auto* back = As<TSampleWidget>(copy->FindComponent("W"));
  EXPECT_EQ(back->Max(), -5);
  EXPECT_EQ(back->Min(), -10);
  EXPECT_EQ(back->Value(), -7);
  EXPECT_EQ(WriteForm(copy.get()), text);
}

TEST_F(RoundTrip, WriterLeavesOutExactlyTheDeclaredDefaults) {
  TSampleForm form(nullptr);
  form.SetName("Form1");
  auto* w = new TSampleWidget(&form);
  w->SetName("W");
  EXPECT_EQ(WriteForm(&form),
            "object Form1: TSampleForm\n"
            "  object W: TSampleWidget\n"
            "    Mask = 255\n"
            "    Border = clBtnFace\n"
            "    Frame.Shade = clBtnShadow\n"
            "  end\n"
            "end\n");
}

TEST_F(RoundTrip, ReadingMarksLoadingSetsParentsAndCallsLoadedOncePerComponent) {
  TSampleForm* form = MakeForm();
  auto* copy = ReadFormAs<TSampleForm>(WriteForm(form), "form.kxf");
  EXPECT_EQ(copy->LoadedCalls, 1);
  for (int i = 0; i < copy->ComponentCount(); ++i) {
    auto* w = As<TSampleWidget>(copy->Components(i));
    EXPECT_EQ(w->LoadedCalls, 1) << w->Name();
    EXPECT_TRUE(w->ComponentState().Empty()) << w->Name();
    EXPECT_EQ(w->ParentSet, w->Name() == "Widget1" ? copy->FindComponent("Panel1") : copy);
  }
  EXPECT_TRUE(As<TSampleWidget>(copy->FindComponent("Widget1"))->LoadingWhileSet);
  EXPECT_TRUE(copy->ComponentState().Empty());
  form->Free();
  copy->Free();
}

// A widget holds no components: one nested in it in a file goes to the
// nearest enclosing panel (none at the top level), and the form written from
// what was read reads back to the same text.
TEST_F(RoundTrip, AComponentNestedInOneThatHoldsNoneGoesToTheNearestThatDoes) {
  struct Case {
    const char* what;
    const char* text;
    const char* expectedParent;  // of X; "" for none
  };
  const Case cases[] = {
      {"in a widget in a panel",
       "object F: TSampleForm\n object P: TSamplePanel\n  object W: TSampleWidget\n"
       "   object X: TSampleWidget\n   end\n  end\n end\nend\n",
       "P"},
      {"two widgets deep in a panel",
       "object F: TSampleForm\n object P: TSamplePanel\n  object W: TSampleWidget\n"
       "   object V: TSampleWidget\n    object X: TSampleWidget\n    end\n   end\n  end\n"
       " end\nend\n",
       "P"},
      {"in a panel in a panel",
       "object F: TSampleForm\n object P: TSamplePanel\n  object Q: TSamplePanel\n"
       "   object X: TSampleWidget\n   end\n  end\n end\nend\n",
       "Q"},
      {"in a widget at the top level",
       "object F: TSampleForm\n object W: TSampleWidget\n  object X: TSampleWidget\n  end\n"
       " end\nend\n",
       ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto* form = ReadFormAs<TSampleForm>(c.text, "nested.kxf");
    const TComponent* parent = form->FindComponent("X")->GetParentComponent();
    EXPECT_EQ(parent ? parent->Name() : "", c.expectedParent);
    const std::string written = WriteForm(form);
    auto* again = ReadFormAs<TSampleForm>(written, "written.kxf");
    EXPECT_EQ(WriteForm(again), written);
    form->Free();
    again->Free();
  }
}

TEST_F(RoundTrip, ReadsIntoAnExistingFormAndFromAFile) {
  TSampleForm* form = MakeForm();
  const std::string path = ::testing::TempDir() + "roundtrip.kxf";
  WriteFormFile(form, path);
  TSampleForm target(nullptr);
  ReadFormFileInto(&target, path);
  EXPECT_EQ(target.Name(), "Form1");
  EXPECT_EQ(target.LoadedCalls, 1);
  EXPECT_EQ(WriteForm(&target), WriteForm(form));
  form->Free();
}

TEST_F(RoundTrip, TextInTheUsualSpellingsReadsBack) {
  auto* form = ReadFormAs<TSampleForm>(
      "\xEF\xBB\xBFobject F: TSampleForm\r\n"
      "  Caption = 'a' + 'b'#65#$42\r\n"
      "  object TSampleWidget\r\n"
      "    COUNT = $10\r\n"
      "    color = -1\r\n"
      "    Ratio = 2\r\n"
      "    Lights = []\r\n"
      "    mode = SMFAST\r\n"
      "    Lines = ()\r\n"
      "    Blob.Data = { 00 ff\r\n 1A }\r\n"
      "    Border = $FF00000F\r\n"
      "  end\r\n"
      "end\r\n",
      "usual.kxf");
  EXPECT_EQ(form->Caption(), "abAB");
  auto* w = As<TSampleWidget>(form->Components(0));
  EXPECT_EQ(w->Name(), "");
  EXPECT_EQ(w->Count(), 16);
  EXPECT_EQ(w->Color(), -1);
  EXPECT_EQ(w->Ratio(), 2.0);
  EXPECT_EQ(w->Mode(), smFast);
  EXPECT_EQ(w->Blob()->Data(), (std::vector<uint8_t>{0, 0xFF, 0x1A}));
  EXPECT_EQ(w->Border(), clBtnFace);
  form->Free();
}

}  // namespace
