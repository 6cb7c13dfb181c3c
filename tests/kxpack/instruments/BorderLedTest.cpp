// What the bordered LED shows: an optional outline, the bevel's rings and
// the palette's off or on colour inside, or what its owner draws.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "LedFixture.h"
#include "host/graphics/Color.h"
#include "kxpack/instruments/KxIndicators.h"

namespace kx::testing {
namespace {

using namespace host;

// One ring of a 3-D frame: left and top edges in Top, right and bottom
// edges in Bottom, the top-right and bottom-left corners in Bottom.
struct Ring {
  TColor top, bottom;
};

struct BorderCase {
  const char* name;
  int width, height;
  std::vector<std::pair<const char*, const char*>> settings;
  std::vector<Ring> rings;  // from the outside in, one pixel each
  TColor inside;
};

class BorderLedLooks : public LedFormTest, public ::testing::WithParamInterface<BorderCase> {};

TEST_P(BorderLedLooks, PaintsRingsAndFill) {
  const BorderCase& c = GetParam();
  Put<TKxBorderLed>("Led", 10, 20)->SetBounds(10, 20, c.width, c.height);
  for (const auto& [path, value] : c.settings) S().Set(path, value);
  const BitmapImage shown = S().Snapshot();
  auto at = [&](int x, int y) { return PixelToColor(shown.At(10 + x, 20 + y) & 0xFFFFFF); };

  int mismatches = 0;
  auto expect = [&](int x, int y, TColor want) {
    if (at(x, y) != want && mismatches++ < 5)
      ADD_FAILURE() << "at (" << x << "," << y << ") got " << std::hex << at(x, y) << " want "
                    << want;
  };
  int k = 0;
  for (const Ring& ring : c.rings) {
    const int l = k, t = k, r = c.width - 1 - k, b = c.height - 1 - k;
    for (int x = l; x <= r; ++x) {
      expect(x, t, x == r ? ring.bottom : ring.top);
      expect(x, b, ring.bottom);
    }
    for (int y = t + 1; y < b; ++y) {
      expect(l, y, ring.top);
      expect(r, y, ring.bottom);
    }
    ++k;
  }
  for (int y = k; y < c.height - k; ++y)
    for (int x = k; x < c.width - k; ++x) expect(x, y, c.inside);
  EXPECT_EQ(mismatches, 0);
}

constexpr Ring kBorder{0x554A4A, 0x554A4A};
constexpr Ring kRaised{0x342E2E, 0xCDB4B4};
constexpr Ring kBand{0x342E2E, 0x342E2E};

INSTANTIATE_TEST_SUITE_P(
    Looks, BorderLedLooks,
    ::testing::Values(
        // A new LED: a 3-pixel bevel around a 14 × 4 off interior.
        BorderCase{"NewAndOff", 20, 10, {}, {kBorder, kRaised, kBand}, 0x000080},
        BorderCase{"On", 20, 10, {{"Led.Active", "True"}}, {kBorder, kRaised, kBand}, 0x0000FF},
        BorderCase{"OwnPalette",
                   20,
                   10,
                   {{"Led.GraphPal.Low", "$00008000"}},
                   {kBorder, kRaised, kBand},
                   0x008000},
        BorderCase{"OutlineOutsideTheBevel",
                   30,
                   16,
                   {{"Led.OutlineWidth", "2"}, {"Led.OutlineColor", "$00FF00FF"}},
                   {{0xFF00FF, 0xFF00FF}, {0xFF00FF, 0xFF00FF}, kBorder, kRaised, kBand},
                   0x000080},
        BorderCase{"LoweredBevel",
                   20,
                   10,
                   {{"Led.Bevel.OuterStyle", "kxLowered"}},
                   {kBorder, {0xCDB4B4, 0x342E2E}, kBand},
                   0x000080}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LedFormTest, OwnerDrawShowsTheColourAndWhatOnDrawPaints) {
  auto* led = Put<TKxBorderLed>("Led", 10, 20);
  S().Set("Led.DrawStyle", "tdsOwnerDraw");
  // No handler: the LED shows only its Color (its parent's).
  EXPECT_TRUE(ExpectedPicture(20, 10, kFormColor).Matches(S().Snapshot(), 10, 20));

  std::vector<TRect> rects;
  led->SetOnDraw([&](TObject* Sender, TCanvas* Canvas, TRect R) {
    EXPECT_EQ(Sender, led);
    rects.push_back(R);
    Canvas->Brush()->SetColor(clYellow);
    Canvas->FillRect(Rect(2, 2, 6, 5));
  });
  // Active at its current value paints nothing; a change paints once.
  led->SetActive(false);
  S().Settle();
  EXPECT_TRUE(rects.empty());
  led->SetActive(true);
  S().Settle();
  ASSERT_EQ(rects.size(), 1u);
  EXPECT_EQ(rects.back(), Rect(0, 0, 20, 10));
  const BitmapImage shown = S().Snapshot();
  EXPECT_EQ(shown.At(10 + 2, 20 + 2) & 0xFFFFFF, ColorToPixel(clYellow));
  EXPECT_EQ(shown.At(10 + 6, 20 + 2) & 0xFFFFFF, ColorToPixel(kFormColor));
}

TEST_F(LedFormTest, BorderedActiveFiresOnChangeAfterRepaintingOnlyOnAChange) {
  auto* led = Put<TKxBorderLed>("Led", 10, 20);
  S().Settle();
  std::vector<uint32_t> seen;
  led->SetOnChange([&](TObject*) { seen.push_back(form->Framebuffer().At(10 + 5, 20 + 5)); });
  led->SetActive(false);
  led->SetActive(true);
  led->SetActive(true);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0] & 0xFFFFFF, ColorToPixel(0x0000FF));
}

}  // namespace
}  // namespace kx::testing
