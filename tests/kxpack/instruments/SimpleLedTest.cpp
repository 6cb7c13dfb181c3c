// What the simple LED shows: its strip cell recoloured by the palette, off
// and on, the caption laid out beside it, custom glyphs, transparency, and
// when it repaints and fires OnChange.
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>

#include "LedFixture.h"
#include "host/graphics/Color.h"
#include "host/graphics/Gdi.h"
#include "host/graphics/TextLayout.h"
#include "kxpack/instruments/KxIndicators.h"

namespace kx::testing {
namespace {

using namespace host;

struct TypeCase {
  TKxSimpleLedType type;
  const char* strip;
  int cellWidth, cellHeight;
};

class SimpleLedTypes : public LedFormTest, public ::testing::WithParamInterface<TypeCase> {};

TEST_P(SimpleLedTypes, ShowsItsCellRecolouredByThePaletteOffAndOn) {
  const TypeCase& c = GetParam();
  auto* led = Put<TKxSimpleLed>("Led", 10, 20);
  led->SetLedType(c.type);
  S().Set("Led.GraphPal.Low", "$00004000");
  S().Set("Led.GraphPal.High", "$0000FF00");
  const BitmapImage strip = Recoloured(PackageStrip(c.strip), 0x004000, 0x00FF00);
  const int w = c.cellWidth, h = c.cellHeight;
  // No caption and automatic margin: the cell is centred both ways.
  const int x = (25 - w + 1) / 2, y = (25 - h + 1) / 2;

  ExpectedPicture off(25, 25, clBlack);
  off.Lay(strip, Rect(0, 0, w, h), x, y);
  EXPECT_TRUE(off.Matches(S().Snapshot(), 10, 20));

  S().Set("Led.Active", "True");
  ExpectedPicture on(25, 25, clBlack);
  on.Lay(strip, Rect(w, 0, 2 * w, h), x, y);
  EXPECT_TRUE(on.Matches(S().Snapshot(), 10, 20));

  // The strip had both body colours to replace, so the recolouring shows.
  const BitmapImage stored = PackageStrip(c.strip);
  int offBody = 0, onBody = 0;
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) {
      offBody += stored.At(i, j) == ColorToPixel(0x000080);
      onBody += stored.At(w + i, j) == ColorToPixel(0x0000FF);
    }
  EXPECT_GT(offBody, 0);
  EXPECT_GT(onBody, 0);
}

INSTANTIATE_TEST_SUITE_P(Strips, SimpleLedTypes,
                         ::testing::Values(TypeCase{tltRounded, "LI_RND", 9, 9},
                                           TypeCase{tltRectangle, "LI_RECT", 10, 5},
                                           TypeCase{tltLargeRect, "LI_BIG", 17, 7}),
                         [](const auto& info) { return std::string(info.param.strip); });

TEST_F(LedFormTest, ANewPaletteColourChangesOnlyItsOwnCell) {
  Put<TKxSimpleLed>("Led", 10, 20);
  const BitmapImage before = S().Snapshot();
  // A new LED: the off cell in its own $000080, centred.
  ExpectedPicture fresh(25, 25, clBlack);
  fresh.Lay(PackageStrip("LI_RND"), Rect(0, 0, 9, 9), 8, 8);
  EXPECT_TRUE(fresh.Matches(before, 10, 20));
  S().Set("Led.GraphPal.High", "$0000FF00");
  // Off: nothing changed.
  EXPECT_EQ(S().Snapshot().Pixels, before.Pixels);
  S().Set("Led.Active", "True");
  ExpectedPicture on(25, 25, clBlack);
  on.Lay(Recoloured(PackageStrip("LI_RND"), 0x000080, 0x00FF00), Rect(9, 0, 18, 9), 8, 8);
  EXPECT_TRUE(on.Matches(S().Snapshot(), 10, 20));
}

// The caption's size in the LED's font, as DrawText measures it.
TSize CaptionSize(TKxSimpleLed* led) {
  if (led->Caption().empty()) return {0, 0};
  TBitmap scratch;
  scratch.SetSize(1, 1);
  scratch.Canvas()->SetFont(led->Font());
  TRect r{0, 0, led->Width(), 0};
  DrawText(scratch.Canvas()->Handle(), led->Caption(), r, DT_CALCRECT);
  return {r.Width(), r.Height()};
}

struct LayoutCase {
  const char* name;
  TKxImageTextLayout layout;
  Integer margin, spacing;
  int width, height;
  const char* caption;
  // Where the 9 × 9 glyph and the caption's rectangle go, given the
  // caption's width and height.
  std::function<TPoint(int tw, int th)> glyph;
  std::function<TPoint(int tw, int th)> text;
};

class SimpleLedLayouts : public LedFormTest, public ::testing::WithParamInterface<LayoutCase> {};

TEST_P(SimpleLedLayouts, PlacesGlyphAndCaption) {
  const LayoutCase& c = GetParam();
  auto* led = Put<TKxSimpleLed>("Led", 10, 20);
  led->SetBounds(10, 20, c.width, c.height);
  led->SetLayout(c.layout);
  led->SetMargin(c.margin);
  led->SetSpacing(c.spacing);
  led->SetCaption(c.caption);
  const TSize text = CaptionSize(led);
  const TPoint glyph = c.glyph(text.cx, text.cy);
  const TPoint at = c.text(text.cx, text.cy);
  const TRect textRect = Bounds(at.X, at.Y, text.cx, text.cy);
  const BitmapImage shown = S().Snapshot();

  EXPECT_EQ(led->GlyphRect(), Bounds(glyph.X, glyph.Y, 9, 9));
  EXPECT_EQ(led->TextRect(), textRect);
  // The glyph where it belongs, and nothing but background outside the
  // caption's rectangle.
  ExpectedPicture expected(c.width, c.height, clBlack);
  expected.Lay(PackageStrip("LI_RND"), Rect(0, 0, 9, 9), glyph.X, glyph.Y);
  EXPECT_TRUE(expected.Matches(shown, 10, 20, textRect));
  // The caption is drawn in its rectangle.
  int ink = 0;
  for (int y = std::max(textRect.Top, 0); y < std::min(textRect.Bottom, c.height); ++y)
    for (int x = std::max(textRect.Left, 0); x < std::min(textRect.Right, c.width); ++x)
      ink += (shown.At(10 + x, 20 + y) & 0xFFFFFF) != 0;
  EXPECT_EQ(ink > 0, *c.caption != '\0');
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, SimpleLedLayouts,
    ::testing::Values(
        LayoutCase{"NoCaptionCentred", tImageLeft, -1, 5, 25, 25, "",
                   [](int, int) {
                     return TPoint{8, 8};
                   },
                   [](int, int) {
                     return TPoint{17, 13};
                   }},
        LayoutCase{"ImageLeftGroupCentred", tImageLeft, -1, 5, 120, 30, "On",
                   [](int tw, int) {
                     return TPoint{(120 - (9 + 5 + tw) + 1) / 2, 11};
                   },
                   [](int tw, int th) {
                     return TPoint{(120 - (9 + 5 + tw) + 1) / 2 + 14, (30 - th + 1) / 2};
                   }},
        // The glyph stands Spacing pixels after the caption's right edge.
        LayoutCase{"ImageRightGroupCentred", tImageRight, -1, 5, 120, 30, "On",
                   [](int tw, int) {
                     return TPoint{120 - (120 - (14 + tw) + 1) / 2 - 9, 11};
                   },
                   [](int tw, int th) {
                     return TPoint{120 - (120 - (14 + tw) + 1) / 2 - 9 - 5 - tw, (30 - th + 1) / 2};
                   }},
        LayoutCase{"SpaceSharedInThree", tImageLeft, -1, -1, 120, 30, "On",
                   [](int tw, int) {
                     return TPoint{(120 - (9 + tw)) / 3, 11};
                   },
                   [](int tw, int th) {
                     return TPoint{2 * ((120 - (9 + tw)) / 3) + 9, (30 - th + 1) / 2};
                   }},
        LayoutCase{"SpacingFromTheMargin", tImageLeft, 3, -1, 120, 30, "On",
                   [](int, int) {
                     return TPoint{3, 11};
                   },
                   [](int tw, int th) {
                     return TPoint{12 + ((120 - 12) - tw) / 2, (30 - th + 1) / 2};
                   }},
        LayoutCase{"ZeroTakenLiterally", tImageLeft, 0, 0, 120, 30, "On",
                   [](int, int) {
                     return TPoint{0, 11};
                   },
                   [](int, int th) {
                     return TPoint{9, (30 - th + 1) / 2};
                   }},
        LayoutCase{"ImageTop", tImageTop, -1, 5, 60, 60, "On",
                   [](int, int th) {
                     return TPoint{26, (60 - (14 + th) + 1) / 2};
                   },
                   [](int tw, int th) {
                     return TPoint{(60 - tw + 1) / 2, (60 - (14 + th) + 1) / 2 + 14};
                   }},
        LayoutCase{"ImageBottom", tImageBottom, -1, 5, 60, 60, "On",
                   [](int, int th) {
                     return TPoint{26, 60 - (60 - (14 + th) + 1) / 2 - 9};
                   },
                   [](int tw, int th) {
                     return TPoint{(60 - tw + 1) / 2, 60 - (60 - (14 + th) + 1) / 2 - 14 - th};
                   }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LedFormTest, CustomGlyphsAreUsedAsTheyAreWithTheControlColourLeftOut) {
  auto* led = Put<TKxSimpleLed>("Led", 10, 20);
  led->SetColor(0x00112233);
  led->SetTransparent(true);
  // Off cell: the LED body colour (no palette applies) with one pixel of the
  // control's Color; on cell: blue.
  TBitmap glyphs;
  glyphs.SetSize(8, 4);
  TCanvas* c = glyphs.Canvas();
  c->Brush()->SetColor(0x000080);
  c->FillRect(Rect(0, 0, 4, 4));
  c->SetPixels(1, 1, 0x00112233);
  c->Brush()->SetColor(0xFF0000);
  c->FillRect(Rect(4, 0, 8, 4));
  led->SetGlyphs(&glyphs);
  led->SetDrawStyle(tdsCustom);
  led->GraphPal()->SetLow(clLime);

  const BitmapImage strip = *glyphs.Handle();
  ExpectedPicture off(25, 25, kFormColor);
  off.Lay(strip, Rect(0, 0, 4, 4), 11, 11, 0x00112233);
  EXPECT_TRUE(off.Matches(S().Snapshot(), 10, 20));
  S().Set("Led.Active", "True");
  ExpectedPicture on(25, 25, kFormColor);
  on.Lay(strip, Rect(4, 0, 8, 4), 11, 11);
  EXPECT_TRUE(on.Matches(S().Snapshot(), 10, 20));

  // An empty strip paints no glyph.
  led->SetGlyphs(nullptr);
  EXPECT_TRUE(ExpectedPicture(25, 25, kFormColor).Matches(S().Snapshot(), 10, 20));
}

TEST_F(LedFormTest, TransparentLedShowsItsParentAroundTheLamp) {
  Put<TKxSimpleLed>("Led", 10, 20);
  S().Set("Led.Transparent", "True");
  ExpectedPicture expected(25, 25, kFormColor);
  expected.Lay(PackageStrip("LI_RND"), Rect(0, 0, 9, 9), 8, 8);
  EXPECT_TRUE(expected.Matches(S().Snapshot(), 10, 20));
  // A change of its own state repaints on the captured background.
  S().Set("Led.Active", "True");
  ExpectedPicture on(25, 25, kFormColor);
  on.Lay(PackageStrip("LI_RND"), Rect(9, 0, 18, 9), 8, 8);
  EXPECT_TRUE(on.Matches(S().Snapshot(), 10, 20));
}

// A simple LED that counts its paints.
class CountingLed : public TKxSimpleLed {
 public:
  using TKxSimpleLed::TKxSimpleLed;
  int paints = 0;

 protected:
  void Paint() override {
    ++paints;
    TKxSimpleLed::Paint();
  }
};

TEST_F(LedFormTest, ActiveRepaintsFirstThenFiresOnChangeOnlyWhenItChanges) {
  auto* led = Put<CountingLed>("Led", 10, 20);
  S().Settle();
  const int paintsBefore = led->paints;
  std::vector<uint32_t> seen;
  led->SetOnChange([&](TObject* Sender) {
    EXPECT_EQ(Sender, led);
    seen.push_back(form->Framebuffer().At(10 + 12, 20 + 12));
  });
  led->SetActive(false);
  S().Settle();
  EXPECT_TRUE(seen.empty());
  EXPECT_EQ(led->paints, paintsBefore);
  led->SetActive(true);
  led->SetActive(true);
  S().Settle();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(led->paints, paintsBefore + 1);
  // The lamp's centre was already lit when the handler ran.
  const BitmapImage strip = PackageStrip("LI_RND");
  EXPECT_EQ(seen[0] & 0xFFFFFF, strip.At(9 + 4, 4));
  EXPECT_NE(strip.At(9 + 4, 4), strip.At(4, 4));
}

TEST_F(LedFormTest, AnLedWithoutParentChangesStateWithoutPainting) {
  auto* led = new TKxSimpleLed(form);
  int changes = 0;
  led->SetOnChange([&](TObject*) { ++changes; });
  led->SetActive(true);
  led->SetCaption("Ready");
  led->GraphPal()->SetHigh(clYellow);
  EXPECT_EQ(changes, 1);
  EXPECT_TRUE(led->Active());
}

TEST_F(LedFormTest, MarginsAndSpacingsAtTheIntegerEndsPaintNothingOutside) {
  auto* led = Put<TKxSimpleLed>("Led", 10, 20);
  led->SetCaption("On");
  led->SetMargin(INT_MAX);
  led->SetSpacing(INT_MAX);
  EXPECT_TRUE(ExpectedPicture(25, 25, clBlack).Matches(S().Snapshot(), 10, 20));
  EXPECT_EQ(led->GlyphRect().Left, INT_MAX);
  led->SetLayout(tImageRight);
  led->SetMargin(INT_MIN);
  EXPECT_TRUE(
      ExpectedPicture(25, 25, clBlack)
          .Matches(S().Snapshot(), 10, 20, Intersection(led->TextRect(), Rect(0, 0, 25, 25))));
}

}  // namespace
}  // namespace kx::testing
