#include <gtest/gtest.h>

#include "host/classes/TypInfo.h"
#include "host/graphics/Font.h"

using namespace host;

namespace {

TEST(Font, Defaults) {
  TFont font;
  EXPECT_EQ(font.Name(), "MS Sans Serif");
  EXPECT_EQ(font.Height(), -11);
  EXPECT_EQ(font.Size(), 8);
  EXPECT_TRUE(font.Style().Empty());
  EXPECT_EQ(font.Color(), static_cast<TColor>(0xFF000008));
  EXPECT_EQ(font.Pitch(), fpDefault);
  EXPECT_EQ(font.Charset(), DEFAULT_CHARSET);
}

TEST(Font, SizeAndHeightConvertAt96Dpi) {
  struct Case {
    int32_t height;
    int32_t size;
  };
  // Size = -Height × 72 / 96 rounded; a positive (cell) Height gives a negative Size.
  for (const Case c : {Case{-11, 8}, Case{-12, 9}, Case{-13, 10}, Case{-16, 12}, Case{-96, 72},
                       Case{0, 0}, Case{16, -12}, Case{INT32_MIN, 1610612736}}) {
    TFont font;
    font.SetHeight(c.height);
    EXPECT_EQ(font.Size(), c.size) << "Height " << c.height;
  }
  // Height = -Size × 96 / 72 rounded.
  for (const Case c : {Case{-11, 8}, Case{-12, 9}, Case{-13, 10}, Case{-16, 12}, Case{-96, 72},
                       Case{15, -11}, Case{INT32_MIN, INT32_MAX}, Case{INT32_MAX, INT32_MIN}}) {
    TFont font;
    font.SetSize(c.size);
    EXPECT_EQ(font.Height(), c.height) << "Size " << c.size;
  }
}

TEST(Font, OnChangeFiresOncePerActualChange) {
  TFont font;
  int changes = 0;
  font.SetOnChange([&](TObject* sender) {
    EXPECT_EQ(sender, &font);
    ++changes;
  });
  font.SetName("Arial");
  font.SetName("Arial");
  font.SetHeight(-13);
  font.SetSize(10);  // is Height -13 already
  font.SetStyle({fsBold});
  font.SetStyle({fsBold});
  font.SetColor(0x00FFFFFF);
  font.SetPitch(fpFixed);
  font.SetCharset(ANSI_CHARSET);
  EXPECT_EQ(changes, 6);
}

TEST(Font, AssignCopiesEveryValueWithOneChange) {
  TFont source;
  source.SetName("Courier New");
  source.SetHeight(20);
  source.SetStyle({fsItalic, fsUnderline});
  source.SetColor(0x00123456);
  source.SetPitch(fpFixed);
  source.SetCharset(ANSI_CHARSET);

  TFont dest;
  int changes = 0;
  dest.SetOnChange([&](TObject*) { ++changes; });
  dest.Assign(&source);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(dest.Name(), "Courier New");
  EXPECT_EQ(dest.Height(), 20);
  EXPECT_EQ(dest.Style(), (TFontStyles{fsItalic, fsUnderline}));
  EXPECT_EQ(dest.Color(), 0x00123456);
  EXPECT_EQ(dest.Pitch(), fpFixed);
  EXPECT_EQ(dest.Charset(), ANSI_CHARSET);

  dest.Assign(&source);
  EXPECT_EQ(changes, 1);
}

TEST(Font, AssignFromAnotherClassFailsAndKeepsValues) {
  TFont font;
  font.SetName("Arial");
  TPersistent other;
  try {
    font.Assign(&other);
    FAIL() << "no exception";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "Cannot assign a TPersistent to a TFont");
  }
  EXPECT_EQ(font.Name(), "Arial");
}

TEST(Font, StyleNamesForFormFiles) {
  EXPECT_EQ(EnumName(fsStrikeOut), "fsStrikeOut");
  EXPECT_EQ(EnumInfoOf(TFontPitch{}).Ordinal("fpFixed"), fpFixed);
}

TEST(Font, PublishedForFormFilesWithSizeLeftToHeight) {
  TFont font;
  std::vector<std::string> names;
  for (const TPropInfo& p : PublishedOf<TFont>()->Properties()) names.push_back(p.Name);
  EXPECT_EQ(names, (std::vector<std::string>{"Charset", "Color", "Height", "Name", "Pitch", "Size",
                                             "Style"}));
  EXPECT_FALSE(FindPropInfo(&font, "Size")->Stored);
  EXPECT_TRUE(FindPropInfo(&font, "Height")->IsStoredValue(&font));

  FindPropInfo(&font, "Style")->SetOrd(&font, TFontStyles{fsBold, fsUnderline}.Bits());
  EXPECT_EQ(font.Style(), (TFontStyles{fsBold, fsUnderline}));
  FindPropInfo(&font, "Size")->SetOrd(&font, 12);
  EXPECT_EQ(font.Height(), -16);
}

}  // namespace
