#include <gtest/gtest.h>

#include "host/classes/Streaming.h"
#include "tests/support/SampleComponents.h"

using namespace host;
using namespace sample;

namespace {

struct BadForm {
  const char* What;
  const char* Text;
  const char* Message;  // the whole message after "bad.kxf:"
};

// Each file is wrong in one way on the line the message names.
const BadForm kBadForms[] = {
    {"not text", "object F: TSampleForm\nCaption = 'a\xFF'\nend\n",
     "2: expected a text form file, found binary data"},
    {"NUL byte", "object F: TSampleForm\nend\n\0",
     "3: expected a text form file, found binary data"},
    {"no object", "objekt F: TSampleForm\nend\n", "1: expected 'object', found 'objekt'"},
    {"missing '='", "object F: TSampleForm\n  Caption 'x'\nend\n",
     "2: expected '=' after Caption, found string 'x'"},
    {"missing value", "object F: TSampleForm\n  Caption = ,\nend\n",
     "2: expected a value, found ','"},
    {"unterminated string", "object F: TSampleForm\n  Caption = 'abc\nend\n",
     "2: expected a closing quote, found end of line"},
    {"bad character code", "object F: TSampleForm\n  Caption = #300\nend\n",
     "2: expected a character code 0..255, found '#300'"},
    {"bad number",
     "object F: TSampleForm\n  object W: TSampleWidget\n    Count = 12ab\n  end\nend\n",
     "3: expected a number, found '12ab'"},
    {"stray symbol", "object F: TSampleForm\n  ; \nend\n",
     "2: expected a name, number, string or symbol, found ';'"},
    {"unterminated object", "object F: TSampleForm\n  object W: TSampleWidget\n    Count = 1\n",
     "4: expected 'end' of object W (line 2), found end of file"},
    {"text after the root", "object F: TSampleForm\nend\nend\n",
     "3: expected end of file, found 'end'"},
    {"unterminated binary",
     "object F: TSampleForm\n  object W: TSampleWidget\n    Blob.Data = { 00\n",
     "4: expected '}' closing the binary data of line 3, found end of file"},
    {"odd binary",
     "object F: TSampleForm\n  object W: TSampleWidget\n    Blob.Data = { 0 }\n  end\nend\n",
     "3: expected an even number of hexadecimal digits, found an odd one"},
    {"unknown root class", "object F: TNoSuchForm\nend\n",
     "1: expected a registered class, found 'TNoSuchForm'"},
    {"unknown class", "object F: TSampleForm\n\n  object W: TNoSuchWidget\n  end\nend\n",
     "3: expected a registered class, found 'TNoSuchWidget'"},
    {"sub-object class", "object F: TSampleForm\n  object W: TSampleFrame\n  end\nend\n",
     "2: expected a component class, found 'TSampleFrame'"},
    {"unknown property", "object F: TSampleForm\n  Colour = clRed\nend\n",
     "2: expected a published property of TSampleForm, found 'Colour'"},
    {"unknown sub-property",
     "object F: TSampleForm\n  object W: TSampleWidget\n    Frame.Height = 2\n  end\nend\n",
     "3: expected a published property of TSampleFrame, found 'Height'"},
    {"dotted non-object",
     "object F: TSampleForm\n  object W: TSampleWidget\n    Count.X = 2\n  end\nend\n",
     "3: expected a sub-object before '.', found Count, which is not one"},
    {"name as property", "object F: TSampleForm\n  Name = 'G'\nend\n",
     "2: expected a published property of TSampleForm, found 'Name'"},
    {"string for integer",
     "object F: TSampleForm\n  object W: TSampleWidget\n    Count = 'four'\n  end\nend\n",
     "3: expected an integer for Count, found 'four'"},
    {"integer too large",
     "object F: TSampleForm\n  object W: TSampleWidget\n    Count = 2147483648\n  end\nend\n",
     "3: expected an integer within 32 bits for Count, found 2147483648"},
    {"negative cardinal",
     "object F: TSampleForm\n  object W: TSampleWidget\n    Mask = -1\n  end\nend\n",
     "3: expected an integer 0..4294967295 for Mask, found -1"},
    {"boolean", "object F: TSampleForm\n  object W: TSampleWidget\n    Active = Yes\n  end\nend\n",
     "3: expected True or False for Active, found 'Yes'"},
    {"enumeration out of range",
     "object F: TSampleForm\n  object W: TSampleWidget\n    Mode = smWarp\n  end\nend\n",
     "3: expected a value of TSampleMode (smOff, smSlow, smFast) for Mode, found 'smWarp'"},
    {"enumeration by number",
     "object F: TSampleForm\n  object W: TSampleWidget\n    Mode = 3\n  end\nend\n",
     "3: expected a value of TSampleMode (smOff, smSlow, smFast) for Mode, found 3"},
    {"set element",
     "object F: TSampleForm\n  object W: TSampleWidget\n    Lights = [slRed, slBlue]\n  end\nend\n",
     "3: expected an element of TSampleLight (slRed, slYellow, slGreen) in Lights, found 'slBlue'"},
    {"colour name",
     "object F: TSampleForm\n  object W: TSampleWidget\n    Color = clMauve\n  end\nend\n",
     "3: expected a colour name or number for Color, found 'clMauve'"},
    {"value for sub-object",
     "object F: TSampleForm\n  object W: TSampleWidget\n    Frame = 2\n  end\nend\n",
     "3: expected a property of the sub-object (Frame.Property = …) for Frame, found 2"},
    {"list for string", "object F: TSampleForm\n  Caption = ( 'a' )\nend\n",
     "2: expected a string for Caption, found ( … )"},
    {"duplicate name",
     "object F: TSampleForm\n  object W: TSampleWidget\n  end\n  object w: TSampleWidget\n  "
     "end\nend\n",
     "4: expected a unique component name, found 'w' again (first on line 2)"},
    {"unresolved reference",
     "object F: TSampleForm\n  object W: TSampleWidget\n    Buddy = Nobody\n  end\nend\n",
     "3: expected a component of this form for Buddy, found 'Nobody'"},
    {"reference of the wrong class",
     "object F: TSampleForm\n  object W: TSampleWidget\n    Buddy = F\n  end\nend\n",
     "3: expected a TSampleWidget for Buddy, found 'F' (a TSampleForm)"},
    {"unresolved method",
     "object F: TSampleForm\n  object W: TSampleWidget\n    OnChange = NoSuchClick\n  end\nend\n",
     "3: expected a published method of TSampleForm for OnChange, found 'NoSuchClick'"},
    {"method of another signature",
     "object F: TSampleForm\n  object W: TSampleWidget\n    OnChange = WidgetValue\n  end\nend\n",
     "3: expected a method with the parameters of OnChange for OnChange, found 'WidgetValue'"},
};

class ReaderErrors : public ::testing::TestWithParam<BadForm> {
 protected:
  static void SetUpTestSuite() { RegisterSampleClasses(); }
};

// The text of a case; the NUL case keeps its trailing NUL byte.
std::string TextOf(const BadForm& bad) {
  const bool nul = std::string_view(bad.What) == "NUL byte";
  return std::string(bad.Text, std::char_traits<char>::length(bad.Text) + nul);
}

std::string ReadError(const std::function<void()>& read) {
  try {
    read();
  } catch (const EReadError& e) {
    return e.Message();
  }
  return "(no error)";
}

TEST_P(ReaderErrors, NewFormIsNotCreatedAndTheMessageSaysWhereAndWhat) {
  const BadForm& bad = GetParam();
  const std::string text = TextOf(bad);
  TComponent owner(nullptr);
  EXPECT_EQ(ReadError([&] { ReadForm(text, "bad.kxf", &owner); }),
            std::string("bad.kxf:") + bad.Message);
  EXPECT_EQ(owner.ComponentCount(), 0);
}

TEST_P(ReaderErrors, ExistingFormIsLeftUntouched) {
  const BadForm& bad = GetParam();
  TSampleForm form(nullptr);
  form.SetName("Existing");
  form.SetCaption("kept");
  auto* mine = new TSampleWidget(&form);
  mine->SetName("Mine");
  EXPECT_NE(ReadError([&] { ReadFormInto(&form, TextOf(bad), "bad.kxf"); }), "(no error)");
  EXPECT_EQ(form.Name(), "Existing");
  EXPECT_EQ(form.Caption(), "kept");
  ASSERT_EQ(form.ComponentCount(), 1);
  EXPECT_EQ(form.Components(0), mine);
  EXPECT_TRUE(form.ComponentState().Empty());
}

INSTANTIATE_TEST_SUITE_P(Streaming, ReaderErrors, ::testing::ValuesIn(kBadForms),
                         [](const ::testing::TestParamInfo<BadForm>& info) {
                           std::string name;
                           for (char c : std::string(info.param.What))
                             name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                           return name;
                         });

TEST(ReaderIntoExisting, ANameTheFormAlreadyOwnsIsADuplicate) {
  RegisterSampleClasses();
  TSampleForm form(nullptr);
  form.SetName("Form1");
  (new TSampleWidget(&form))->SetName("Mine");
  EXPECT_EQ(ReadError([&] {
              ReadFormInto(&form,
                           "object F: TSampleForm\n  object Mine: TSampleWidget\n  end\nend\n",
                           "x.kxf");
            }),
            "x.kxf:2: expected a unique component name, found 'Mine', which Form1 already owns");
}

// A throwing setter is component code: reported at its line, and everything
// the read created is freed.
class TFussy : public TSampleWidget {
  HOST_CLASS(TFussy, TSampleWidget)
 public:
  using TSampleWidget::TSampleWidget;
  std::string Text() const { return ""; }
  void SetText(const std::string& v) {
    if (v == "bad") throw EInvalidOperation("Text may not be bad");
  }
  static const TPublished& PublishedProperties() {
    static const TPublished table =
        Publish<TFussy>().String("Text", &TFussy::Text, &TFussy::SetText);
    return table;
  }
};

TEST(ReaderComponentFailure, IsReportedAtItsLineAndCreatedComponentsAreFreed) {
  RegisterSampleClasses();
  RegisterClass<TFussy>();
  const char* text =
      "object F: TSampleForm\n  object A: TFussy\n  end\n  object B: TFussy\n    Text = 'bad'\n  "
      "end\nend\n";
  TSampleForm form(nullptr);
  EXPECT_EQ(ReadError([&] { ReadFormInto(&form, text, "f.kxf"); }), "f.kxf:5: Text may not be bad");
  EXPECT_EQ(form.ComponentCount(), 0);
  EXPECT_TRUE(form.ComponentState().Empty());
  EXPECT_EQ(ReadError([&] { ReadForm(text, "f.kxf"); }), "f.kxf:5: Text may not be bad");
}

TEST(ReaderUnpublishedHandlers, AreRefusedUnlessTheCallerTakesThemAndThenKeepTheirNames) {
  RegisterSampleClasses();
  const char* text =
      "object F: TSampleForm\n"
      "  object W: TSampleWidget\n"
      "    OnChange = NoSuchClick\n"
      "  end\n"
      "  object V: TSampleWidget\n"
      "    OnChange = WidgetChange\n"
      "  end\n"
      "end\n";
  EXPECT_EQ(ReadError([&] { ReadForm(text, "f.kxf"); }),
            "f.kxf:3: expected a published method of TSampleForm for OnChange, found "
            "'NoSuchClick'");
  std::vector<std::string> offered;
  TReadOptions options;
  options.Unpublished = [&](const TPropInfo& event, void*, const std::string& method) {
    offered.push_back(event.Name + " = " + method);
  };
  auto* form = As<TSampleForm>(ReadForm(text, "f.kxf", nullptr, options));
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(offered, std::vector<std::string>{"OnChange = NoSuchClick"});
  auto* w = As<TSampleWidget>(form->FindComponent("W"));
  auto* v = As<TSampleWidget>(form->FindComponent("V"));
  EXPECT_FALSE(w->FOnChange);  // unbound: firing it calls nothing
  EXPECT_TRUE(v->FOnChange);   // the published one is bound as always
  const std::string written = WriteForm(form);
  EXPECT_NE(written.find("OnChange = NoSuchClick"), std::string::npos) << written;
  EXPECT_NE(written.find("OnChange = WidgetChange"), std::string::npos) << written;
  form->Free();
}

TEST(ReaderUnknownRootClass,
     IsRefusedUnlessTheCallerNamesAStandInThatIsWrittenBackUnderTheFilesName) {
  RegisterSampleClasses();
  const char* text =
      "object F: TAppForm1\n"
      "  object W: TSampleWidget\n"
      "    Mask = 255\n"
      "    Border = clBtnFace\n"
      "    Frame.Shade = clBtnShadow\n"
      "    OnChange = WidgetChange\n"
      "  end\n"
      "end\n";
  EXPECT_EQ(ReadError([&] { ReadForm(text, "f.kxf"); }),
            "f.kxf:1: expected a registered class, found 'TAppForm1'");

  std::vector<std::string> asked;
  TReadOptions options;
  options.UnknownRoot = [&](const std::string& className) {
    asked.push_back(className);
    return TSampleForm::StaticClass();
  };
  auto* form = As<TSampleForm>(ReadForm(text, "f.kxf", nullptr, options));
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(asked, std::vector<std::string>{"TAppForm1"});
  EXPECT_TRUE(As<TSampleWidget>(form->FindComponent("W"))->FOnChange);  // the stand-in's method
  EXPECT_EQ(WriteForm(form, "TAppForm1"), text);
  EXPECT_EQ(WriteForm(form).substr(0, 22), "object F: TSampleForm\n");
  form->Free();

  // Only the root stands in; a component of an unknown class is refused at its line.
  EXPECT_EQ(ReadError([&] {
              ReadForm("object F: TAppForm1\n  object W: TAppWidget\n  end\nend\n", "f.kxf",
                       nullptr, options);
            }),
            "f.kxf:2: expected a registered class, found 'TAppWidget'");
  // A caller that returns no class refuses the file as without the option.
  options.UnknownRoot = [](const std::string&) { return TClass{}; };
  EXPECT_EQ(ReadError([&] { ReadForm(text, "f.kxf", nullptr, options); }),
            "f.kxf:1: expected a registered class, found 'TAppForm1'");
}

}  // namespace
