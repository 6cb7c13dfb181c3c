// The package's embedded artwork: every bitmap the components load exists with
// the size, depth and key colours they slice and recolour it by.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

#include "host/base/SysUtils.h"
#include "host/graphics/Resources.h"
#include "kxpack/package/KxPack.h"

namespace kx {
namespace {

using host::BitmapImage;
using host::TPixelFormat;

std::unique_ptr<BitmapImage> Load(const std::string& name) {
  return std::unique_ptr<BitmapImage>(host::LoadBitmap(HInstance(), name));
}

struct Expected {
  std::string name;
  int width, height;
  TPixelFormat format;
};

std::vector<Expected> AllResources() {
  std::vector<Expected> list = {
      {"LI_RND", 18, 9, host::pf4bit},
      {"LI_RECT", 20, 5, host::pf4bit},
      {"LI_BIG", 34, 7, host::pf4bit},
      {"NUM13X24", 169, 24, host::pf4bit},
      {"NUM11X20", 143, 20, host::pf4bit},
      {"NUM7X13", 91, 13, host::pf4bit},
      {"NUM12X17", 156, 17, host::pf4bit},
      {"NUM5X7", 52, 7, host::pf4bit},
      {"CLOCKSEP1", 6, 24, host::pf4bit},
      {"CLOCKSEP2", 6, 20, host::pf4bit},
      {"CLOCKSEP3", 3, 13, host::pf4bit},
      {"CLOCKSEP4", 7, 17, host::pf4bit},
      {"CLOCKSEP5", 3, 7, host::pf4bit},
      {"AMPM13X24", 20, 24, host::pf4bit},
      {"AMPM11X20", 20, 20, host::pf4bit},
      {"AMPM7X13", 14, 13, host::pf4bit},
      {"AMPM12X17", 20, 17, host::pf4bit},
      {"AMPM5X7", 12, 7, host::pf4bit},
      {"BTBARRE", 28, 9, host::pf24bit},
      {"BTCONTROLMENU", 28, 9, host::pf24bit},
      {"BTMINIMIZED", 28, 9, host::pf24bit},
      {"BTMAGNETIC", 28, 9, host::pf8bit},
      {"BTNOMAGNETIC", 28, 9, host::pf8bit},
      {"BTEXIT", 20, 9, host::pf8bit},
      {"BTWEBUS", 50, 41, host::pf24bit},
      {"BTWEBDE", 50, 41, host::pf24bit},
      {"BTWEBFR", 50, 41, host::pf24bit},
      {"BTLEFTTHINGERUP", 11, 32, host::pf24bit},
      {"BTLEFTTHINGERDOWN", 11, 32, host::pf24bit},
      {"BTRIGHTTHINGERUP", 11, 32, host::pf24bit},
      {"BTRIGHTTHINGERDOWN", 11, 32, host::pf24bit},
  };
  for (const char* lamp : {"RND", "SQR", "DMD"})
    for (const char* state : {"ON", "OFF"})
      list.push_back({host::Format("LIGHTS_%s_%s", lamp, state), 39, 13, host::pf4bit});
  for (const char* state : {"ON", "OFF"})
    list.push_back({host::Format("LIGHTS_RECT_%s", state), 51, 7, host::pf4bit});
  for (const char* icon :
       {"TKXAPPLICATIONEVENTS", "TKXBARREMENU",        "TKXBORDERLED",    "TKXBTEXIT",
        "TKXBTLANGUAGE",        "TKXBTMENU",           "TKXBUTTON",       "TKXBUTTONIMAGE",
        "TKXCHECKBOX",          "TKXDISPLAYCLOCK",     "TKXDISPLAYNUM",   "TKXGRADIENT",
        "TKXIMAGETHINGER",      "TKXIMGBARRE",         "TKXMIXVIEWER",    "TKXPANEL",
        "TKXPANELAPPLY",        "TKXPANELFOOTER",      "TKXPANELTHINGER", "TKXPANELTITLE",
        "TKXPANELTOOLS",        "TKXPROGRESSBARCOLOR", "TKXSCANBAR",      "TKXSIMPLELED",
        "TKXTHINGER",           "TKXTHREAD",           "TKXTIMER",        "TKXTRILEDS"})
    list.push_back({icon, 26, 26, host::pf8bit});
  return list;
}

TEST(PackageResources, EveryBitmapHasItsSizeAndDepth) {
  const auto all = AllResources();
  EXPECT_EQ(all.size(), 67u);
  for (const Expected& e : all) {
    SCOPED_TRACE(e.name);
    const auto image = Load(e.name);
    EXPECT_EQ(image->Width, e.width);
    EXPECT_EQ(image->Height, e.height);
    EXPECT_EQ(image->PixelFormat, e.format);
  }
}

// The palette shows an icon with its lower-left pixel's colour left out, so
// every icon keeps the shared background there.
TEST(PackageResources, PaletteIconsAreAllDifferentOnOneBackground) {
  std::set<std::vector<uint32_t>> seen;
  std::set<uint32_t> corners;
  for (const Expected& e : AllResources()) {
    if (e.width != 26) continue;
    const auto icon = Load(e.name);
    EXPECT_TRUE(seen.insert(icon->Pixels).second) << e.name;
    corners.insert(icon->At(0, 25));
  }
  EXPECT_EQ(corners.size(), 1u);
}

TEST(PackageResources, NamesMatchWithoutRegardToCase) {
  for (const char* name : {"NUM5x7", "NUM13x24", "AMPM7x13", "btLeftThingerUp", "BtExit", "BtWebUs",
                           "li_rnd", "Lights_Rect_Off", "TKxDisplayNum"})
    EXPECT_NO_THROW(Load(name)) << name;
}

TEST(PackageResources, MissingNameRaisesResNotFound) {
  try {
    Load("Nope");
    FAIL() << "found";
  } catch (const host::EResNotFound& e) {
    EXPECT_STREQ(e.what(), "Resource Nope not found");
  }
}

TEST(PackageResources, ModuleIsRegisteredUnderItsName) {
  EXPECT_NE(HInstance(), nullptr);
  EXPECT_EQ(host::FindModule(KxPackModuleName), HInstance());
}

constexpr uint32_t kBlack = 0x000000, kMaroon = 0x800000, kRed = 0xFF0000, kGray = 0x808080,
                   kSilver = 0xC0C0C0, kWhite = 0xFFFFFF;

std::set<uint32_t> ColoursIn(const BitmapImage& image, int x0, int width) {
  std::set<uint32_t> colours;
  for (int y = 0; y < image.Height; ++y)
    for (int x = x0; x < x0 + width; ++x) colours.insert(image.At(x, y));
  return colours;
}

// The LED palette replaces $000080 (off) and $0000FF (on): each cell must hold
// its own body colour and not the other one.
TEST(PackageResources, LedCellsHoldTheirBodyKeyColour) {
  for (const char* name : {"LI_RND", "LI_RECT", "LI_BIG"}) {
    SCOPED_TRACE(name);
    const auto image = Load(name);
    const int cell = image->Width / 2;
    const auto off = ColoursIn(*image, 0, cell), on = ColoursIn(*image, cell, cell);
    EXPECT_TRUE(off.count(kMaroon) && !off.count(kRed));
    EXPECT_TRUE(on.count(kRed) && !on.count(kMaroon));
    EXPECT_TRUE(off.count(kBlack) || name == std::string("LI_RECT"));
  }
  EXPECT_TRUE(ColoursIn(*Load("LI_RND"), 9, 9).count(kSilver));
  EXPECT_TRUE(ColoursIn(*Load("LI_BIG"), 0, 17).count(kWhite));
  const auto rect = Load("LI_RECT");
  EXPECT_EQ(rect->At(0, 0), kGray);
  EXPECT_EQ(rect->At(10, 0), kSilver);
}

TEST(PackageResources, DigitStripsUseOnlyTheThreeKeyColours) {
  for (const char* style : {"13X24", "11X20", "7X13", "12X17", "5X7"}) {
    SCOPED_TRACE(style);
    const auto num = Load(std::string("NUM") + style);
    const int cell = num->Width / 13;
    const std::set<uint32_t> keys{kBlack, kGray, kSilver};
    for (uint32_t c : ColoursIn(*num, 0, num->Width)) EXPECT_TRUE(keys.count(c)) << std::hex << c;
    EXPECT_FALSE(ColoursIn(*num, 8 * cell, cell).count(kGray)) << "8 lights every segment";
    EXPECT_FALSE(ColoursIn(*num, 10 * cell, cell).count(kSilver)) << "cell 10 is all unlit";
    EXPECT_FALSE(ColoursIn(*num, 11 * cell, cell).count(kSilver)) << "unlit minus";
    const auto litMinus = ColoursIn(*num, 12 * cell, cell);
    EXPECT_TRUE(litMinus.count(kSilver) && !litMinus.count(kGray)) << "lit minus";
    const auto ampm = Load(std::string("AMPM") + style);
    for (uint32_t c : ColoursIn(*ampm, 0, ampm->Width)) EXPECT_TRUE(keys.count(c));
  }
  for (int i = 1; i <= 5; ++i) {
    const auto colon = Load(host::Format("CLOCKSEP%d", i));
    EXPECT_EQ(ColoursIn(*colon, 0, colon->Width), (std::set<uint32_t>{kBlack, kSilver}));
  }
}

// Unlit segments: a dither of $808080 and black in four strips, solid in 12 × 17.
TEST(PackageResources, UnlitSegmentsDitheredExceptTwelveBySeventeen) {
  for (const char* style : {"13X24", "11X20", "7X13", "12X17", "5X7"}) {
    const auto num = Load(std::string("NUM") + style);
    const int cell = num->Width / 13;
    bool grayBesideGray = false;  // two unlit pixels side by side: not a checkerboard
    for (int y = 0; y < num->Height; ++y)
      for (int x = 10 * cell; x + 1 < 11 * cell; ++x)
        grayBesideGray |= num->At(x, y) == kGray && num->At(x + 1, y) == kGray;
    EXPECT_EQ(grayBesideGray, std::string(style) == "12X17") << style;
  }
}

// AM above PM; cell 0 lights PM, cell 1 lights AM.
TEST(PackageResources, AmPmCellsLightTheRightWord) {
  for (const char* style : {"13X24", "11X20", "7X13", "12X17", "5X7"}) {
    SCOPED_TRACE(style);
    const auto ampm = Load(std::string("AMPM") + style);
    const int cell = ampm->Width / 2, half = ampm->Height / 2;
    auto lit = [&](int x0, int y0, int y1) {
      bool silver = false, gray = false;
      for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x0 + cell; ++x) {
          silver |= ampm->At(x, y) == kSilver;
          gray |= ampm->At(x, y) == kGray;
        }
      return silver && !gray ? 1 : gray && !silver ? 0 : -1;
    };
    EXPECT_EQ(lit(0, 0, half), 0);                // cell 0: AM unlit
    EXPECT_EQ(lit(0, half, ampm->Height), 1);     // cell 0: PM lit
    EXPECT_EQ(lit(cell, 0, half), 1);             // cell 1: AM lit
    EXPECT_EQ(lit(cell, half, ampm->Height), 0);  // cell 1: PM unlit
  }
}

// Three-colour lamps: cells green, yellow, red, each in its two colours when
// lit; unlit strips only in greys.
TEST(PackageResources, LampStripsInTheirColours) {
  const uint32_t lime = 0x00FF00, green = 0x008000, yellow = 0xFFFF00, olive = 0x808000;
  for (const char* lamp : {"RND", "SQR", "DMD", "RECT"}) {
    SCOPED_TRACE(lamp);
    const auto on = Load(host::Format("LIGHTS_%s_ON", lamp));
    const auto off = Load(host::Format("LIGHTS_%s_OFF", lamp));
    const int cell = on->Width / 3;
    const uint32_t bright[] = {lime, yellow, kRed}, dark[] = {green, olive, kMaroon};
    for (int i = 0; i < 3; ++i) {
      const auto colours = ColoursIn(*on, i * cell, cell);
      EXPECT_TRUE(colours.count(bright[i]) && colours.count(dark[i])) << i;
      for (uint32_t c : colours)
        EXPECT_TRUE(c == bright[i] || c == dark[i] || c == kWhite || c == kBlack) << std::hex << c;
    }
    for (uint32_t c : ColoursIn(*off, 0, off->Width))
      EXPECT_TRUE(c == kGray || c == kSilver || c == kBlack) << std::hex << c;
  }
}

}  // namespace
}  // namespace kx
