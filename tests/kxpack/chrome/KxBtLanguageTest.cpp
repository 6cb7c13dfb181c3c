// The language button: the monitor and flag of each language with its name,
// the box that fits the name, the hand cursor, and the click that hands
// ModalResult to the form.
#include <gtest/gtest.h>

#include "host/controls/Forms.h"
#include "kxpack/package/KxPack.h"
#include "tests/kxpack/chrome/ChromeFixture.h"

namespace kx::testing {
namespace {

using namespace host;

using KxBtLanguageTest = ChromeTest;

TEST_F(KxBtLanguageTest, EachLanguageShowsItsImageAndNameInABoxThatFitsTheName) {
  struct Case {
    const char* value;
    const char* image;
    const char* name;
    int32_t fontSize;
  };
  const Case cases[] = {{"ttlgUs", "BtWebUs", "English", 8},
                        {"ttlgDe", "BtWebDe", "Deutch", 8},
                        {"ttlgFr", "BtWebFr", "French", 8},
                        {"ttlgUs", "BtWebUs", "English", 20}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.value << ", size " << c.fontSize);
    lang->Font()->SetSize(c.fontSize);
    session->Set("Lang.Language", c.value);
    EXPECT_EQ(TKxBtLanguage::LanguageName(lang->Language()), std::string(c.name));
    TCanvas* canvas = lang->Canvas();
    canvas->Font()->Assign(lang->Font());
    EXPECT_EQ(lang->Width(), canvas->TextWidth(c.name) + 45);
    EXPECT_EQ(lang->Height(), canvas->TextHeight(c.name) + 30);
    TBitmap image;
    image.LoadFromResourceName(HInstance(), c.image);
    int32_t differing = 0;
    for (int32_t y = 0; y < 25; ++y)  // above the name
      for (int32_t x = 0; x < 50; ++x) {
        const TPoint at = OnForm(lang, x + 1, y + 1);
        differing += PixelAt(at.X, at.Y) != image.Canvas()->Pixels(x, y);
      }
    EXPECT_EQ(differing, 0);
    // The black box, and the name in white (or nearly, at its edges) past x
    // 40 and y 25.
    const TPoint corner = OnForm(lang, 0, 0), farCorner = OnForm(lang, lang->Width() - 1, 2);
    EXPECT_EQ(PixelAt(corner.X, corner.Y), clBlack);
    EXPECT_EQ(PixelAt(farCorner.X, farCorner.Y), clBlack);
    int32_t white = 0;
    for (int32_t y = 25; y < lang->Height(); ++y)
      for (int32_t x = 51; x < lang->Width(); ++x) {
        const TPoint at = OnForm(lang, x, y);
        white += (PixelAt(at.X, at.Y) & 0x00C0C0C0) == 0x00C0C0C0;
      }
    EXPECT_GT(white, 10);
  }
}

TEST_F(KxBtLanguageTest, AClickHandsModalResultToTheFormAndFiresOnClickUnlessDisabled) {
  EXPECT_EQ(lang->Cursor(), crHandPoint);
  int clicks = 0;
  lang->SetOnClick([&](TObject* sender) {
    EXPECT_EQ(sender, lang);
    ++clicks;
  });
  const TPoint at = OnForm(lang, 20, 20);
  session->Move(at.X, at.Y);
  EXPECT_EQ(host::testing::Headless().Windows().back()->Cursor(), SystemCursor::Hand);
  session->Set("Lang.Enabled", "False");
  session->Click(at.X, at.Y);
  EXPECT_EQ(form->ModalResult(), mrNone);
  EXPECT_EQ(clicks, 0);
  session->Set("Lang.Enabled", "True");
  session->Wait(1000);  // not a double click
  session->Click(at.X, at.Y);
  EXPECT_EQ(form->ModalResult(), mrYes);
  EXPECT_EQ(clicks, 1);
}

TEST_F(KxBtLanguageTest, AClickClosesAModalForm) {
  session.reset();
  form->Hide();
  const TPoint at = lang->ClientToScreen(Point(20, 20));
  host::testing::Headless().InjectClick(at.X, at.Y);
  EXPECT_EQ(form->ShowModal(), mrYes);
}

}  // namespace
}  // namespace kx::testing
