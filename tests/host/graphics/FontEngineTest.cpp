#include <gtest/gtest.h>

#include <filesystem>
#include <thread>
#include <vector>

#include "TextTestSupport.h"
#include "host/graphics/FontEngine.h"

using namespace host;
using namespace text_test;

namespace {

TEST(FontEngine, MatchingAlwaysFindsAFile) {
  const char* names[] = {"MS Sans Serif",   "Arial", "Tahoma", "Segoe UI",           "Courier New",
                         "Times New Roman", "arial", "",       "No Such Family 123", "Ä\xFF"};
  const TFontStyles styles[] = {{}, {fsBold}, {fsItalic}, {fsBold, fsItalic}};
  for (const char* name : names)
    for (TFontStyles style : styles) {
      const FontMatch match = MatchFont(name, style);
      EXPECT_TRUE(std::filesystem::exists(match.File))
          << "'" << name << "' → '" << match.File << "'";
      EXPECT_FALSE(match.Family.empty()) << name;
    }
}

TEST(FontEngine, WindowsFamiliesMapToMetricCompatibleOnes) {
  struct Case {
    const char* name;
    const char* liberation;
    const char* dejavu;
  };
  for (const Case c : {Case{"MS Sans Serif", "Liberation Sans", "DejaVu Sans"},
                       Case{"Arial", "Liberation Sans", "DejaVu Sans"},
                       Case{"Helvetica", "Liberation Sans", "DejaVu Sans"},
                       Case{"Courier New", "Liberation Mono", "DejaVu Sans Mono"},
                       Case{"Times New Roman", "Liberation Serif", "DejaVu Serif"}}) {
    const std::string family = MatchFont(c.name, {}).Family;
    EXPECT_TRUE(family == c.liberation || family == c.dejavu) << c.name << " → " << family;
  }
}

TEST(FontEngine, StyledFacesComeFromStyledFilesOrAreSynthesised) {
  // Liberation and DejaVu both have real bold and italic files.
  const FontMatch regular = MatchFont("Arial", {});
  const FontMatch boldItalic = MatchFont("Arial", {fsBold, fsItalic});
  EXPECT_NE(regular.File, boldItalic.File);
  EXPECT_FALSE(boldItalic.SynthesizeBold);
  EXPECT_FALSE(boldItalic.SynthesizeItalic);

  // DejaVu Sans Light has neither: both are synthesised.
  const FontMatch light = MatchFont("DejaVu Sans Light", {fsBold, fsItalic});
  if (light.File.find("DejaVuSans-ExtraLight") == std::string::npos)
    GTEST_SKIP() << "DejaVu Sans ExtraLight (fonts-dejavu-extra) is not installed";
  EXPECT_TRUE(light.SynthesizeBold);
  EXPECT_TRUE(light.SynthesizeItalic);
  const FontFace& plain = Face("DejaVu Sans Light");
  const FontFace& bold = Face("DejaVu Sans Light", -11, {fsBold});
  EXPECT_GT(MeasureTextWidth(bold, "Hello"), MeasureTextWidth(plain, "Hello"));
  EXPECT_GT(Ink(Rendered(bold, "Hello")), Ink(Rendered(plain, "Hello")));
  const FontFace& italic = Face("DejaVu Sans Light", -20, {fsItalic});
  EXPECT_EQ(MeasureTextWidth(italic, "l"), MeasureTextWidth(Face("DejaVu Sans Light", -20), "l"));
  EXPECT_NE(Rendered(italic, "l").Pixels, Rendered(Face("DejaVu Sans Light", -20), "l").Pixels);
}

TEST(FontEngine, MetricsFollowTheHeight) {
  for (const char* name : {"MS Sans Serif", "Courier New", "Times New Roman"}) {
    for (int em : {6, 8, 11, 13, 16, 24, 48}) {
      const FontFace& face = Face(name, -em);
      SCOPED_TRACE(std::string(name) + " em " + std::to_string(em));
      EXPECT_EQ(face.EmPixels(), em);
      EXPECT_EQ(face.Height(), face.Ascent() + face.Descent());
      EXPECT_EQ(face.InternalLeading(), face.Height() - em);
      EXPECT_GE(face.InternalLeading(), 0);
      EXPECT_LE(face.Height(), em * 3 / 2);
      EXPECT_GT(face.Descent(), 0);
      EXPECT_GT(face.AveCharWidth(), 0);
      EXPECT_LT(face.AveCharWidth(), em);
      EXPECT_GE(face.ExternalLeading(), 0);
    }
    for (int cell : {10, 13, 20, 37}) {
      const FontFace& face = Face(name, cell);
      EXPECT_EQ(face.Height(), cell) << name << " cell " << cell;
      EXPECT_LE(face.EmPixels(), cell);
    }
  }
}

TEST(FontEngine, SizesOutOfRangeAreClampedNotFatal) {
  EXPECT_EQ(Face("Arial", 0).EmPixels(), 11);
  EXPECT_EQ(Face("Arial", -100000).EmPixels(), 1024);
  EXPECT_EQ(Face("Arial", INT32_MIN).EmPixels(), 1024);
  EXPECT_EQ(Face("Arial", INT32_MAX).Height(), 1024);
  EXPECT_GT(Face("Arial", -1).Height(), 0);
  EXPECT_EQ(Face("Arial", 1).Height(), 1);
}

TEST(FontEngine, FacesAreCachedByValue) {
  TFont a;
  TFont b;
  b.SetName("ms sans serif");
  b.SetColor(0x00FF0000);  // colour is not part of a face
  EXPECT_EQ(&ResolveFont(a), &ResolveFont(b));
  b.SetStyle({fsBold});
  EXPECT_NE(&ResolveFont(a), &ResolveFont(b));
  b.SetStyle({});
  b.SetHeight(-12);
  EXPECT_NE(&ResolveFont(a), &ResolveFont(b));
}

TEST(FontEngine, WidthsAddUpAndGrowWithSize) {
  const FontFace& face = Face();
  EXPECT_EQ(MeasureTextWidth(face, ""), 0);
  EXPECT_EQ(MeasureTextWidth(face, "Hello, World"),
            MeasureTextWidth(face, "Hello,") + MeasureTextWidth(face, " World"));
  EXPECT_GT(MeasureTextWidth(Face("Arial", -22), "Hello"), MeasureTextWidth(face, "Hello") * 3 / 2);
  // A fixed-pitch family gives every character the same advance.
  const FontFace& mono = Face("Courier New", -13);
  EXPECT_EQ(MeasureTextWidth(mono, "iiii"), MeasureTextWidth(mono, "WWWW"));
  // Control characters take no space.
  EXPECT_EQ(MeasureTextWidth(face, "a\tb\n"), MeasureTextWidth(face, "ab"));
}

TEST(FontEngine, Utf8TextMeasuresAndDrawsByCodePoint) {
  const FontFace& face = Face("Arial", -20);
  EXPECT_EQ(MeasureTextWidth(face, "\xC3\x84"), MeasureTextWidth(face, "A"));  // "Ä"
  const TRect a = InkBounds(Rendered(face, "A"));
  const TRect umlaut = InkBounds(Rendered(face, "\xC3\x84"));
  EXPECT_LT(umlaut.Top, a.Top);  // the dots stand above the letter
  EXPECT_EQ(umlaut.Bottom, a.Bottom);
  // Broken sequences still measure and draw something, and never overrun.
  EXPECT_GT(MeasureTextWidth(face, "\xC3"), 0);
  EXPECT_FALSE(InkBounds(Rendered(face, "\xE2\x82")).IsEmpty());
}

TEST(FontEngine, GlyphCacheIsBoundedByTheFontNotByTheText) {
  const FontFace& face = Face("Arial", -17);
  std::string text;
  for (char32_t cp = 0xE000; cp < 0xE800; ++cp)  // private-use characters: mostly missing
    text += {char(0xE0 | (cp >> 12)), char(0x80 | ((cp >> 6) & 0x3F)), char(0x80 | (cp & 0x3F))};
  MeasureTextWidth(face, "x");
  const size_t before = face.CachedGlyphCount();
  MeasureTextWidth(face, text);
  EXPECT_LT(face.CachedGlyphCount() - before, 64u);
}

TEST(FontEngine, GlyphsStayInsideTheTextCell) {
  // Accents on capitals may rise above the cell, as they do on the host.
  const std::string text = "Hgjy|_()Qp@$";
  for (const char* name : {"MS Sans Serif", "Courier New", "Times New Roman"})
    for (int height : {-8, -11, -16, -30, 14}) {
      const FontFace& face = Face(name, height);
      const int x = 10;
      const int y = 10;
      const TRect ink = InkBounds(Rendered(face, text, 400, 80, x, y));
      const int width = MeasureTextWidth(face, text);
      SCOPED_TRACE(std::string(name) + " height " + std::to_string(height));
      EXPECT_GE(ink.Top, y);
      EXPECT_LE(ink.Bottom, y + face.Height());
      // Side bearings may reach a pixel past the advance.
      EXPECT_GE(ink.Left, x - 1);
      EXPECT_LE(ink.Right, x + width + 1);
    }
}

TEST(FontEngine, FullCoverageTakesTheTextColourAndEdgesBlend) {
  BitmapImage image(40, 30, kWhite);
  RenderText(image, 2, 2, Face("Arial", -20), "HIl", 0xFF0000);
  int solid = 0;
  for (uint32_t p : image.Pixels) {
    // Red over white: full red, green and blue fading together.
    EXPECT_EQ(p >> 16, 0xFFu);
    EXPECT_EQ((p >> 8) & 0xFF, p & 0xFF);
    solid += p == 0xFF0000;
  }
  EXPECT_GT(solid, 20);
}

TEST(FontEngine, DrawsOnlyInsideTheClip) {
  const FontFace& face = Face("Arial", -24);
  const BitmapImage full = Rendered(face, "WWWWWW", 160, 40);
  const TRect clip[] = {{0, 0, 30, 40}, {60, 10, 90, 20}};
  BitmapImage clipped(160, 40, kWhite);
  RenderText(clipped, clip, 4, 4, face, "WWWWWW", kBlack);
  int inside = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 160; ++x) {
      const bool visible = clip[0].Contains({x, y}) || clip[1].Contains({x, y});
      EXPECT_EQ(clipped.At(x, y), visible ? full.At(x, y) : kWhite) << x << "," << y;
      inside += visible && full.At(x, y) != kWhite;
    }
  EXPECT_GT(inside, 0);
  // Text hanging off every edge of the surface is cut, not written past it.
  BitmapImage small(8, 8, kWhite);
  RenderText(small, -5, -7, face, "WWWW", kBlack);
  RenderText(small, 5, 3, face, "WWWW", kBlack);
  EXPECT_FALSE(InkBounds(small).IsEmpty());
  RenderText(small, std::span<const TRect>(), 0, 0, face, "W", 0x00FF00);
  for (uint32_t p : small.Pixels) EXPECT_NE(p, 0x00FF00u);
}

TEST(FontEngine, BoldIsWiderAndDarker) {
  for (const char* name : {"MS Sans Serif", "Times New Roman"}) {
    const FontFace& regular = Face(name, -13);
    const FontFace& bold = Face(name, -13, {fsBold});
    EXPECT_GT(MeasureTextWidth(bold, "Hello World"), MeasureTextWidth(regular, "Hello World"))
        << name;
    EXPECT_GT(Ink(Rendered(bold, "Hello World")), Ink(Rendered(regular, "Hello World"))) << name;
  }
}

// The rows of an image that are black from x0 to x1 (exclusive).
std::vector<int> SolidRows(const BitmapImage& image, int x0, int x1) {
  std::vector<int> rows;
  for (int y = 0; y < image.Height; ++y) {
    bool solid = true;
    for (int x = x0; x < x1; ++x) solid = solid && image.At(x, y) == kBlack;
    if (solid) rows.push_back(y);
  }
  return rows;
}

TEST(FontEngine, UnderlineAndStrikeOutSpanTheText) {
  const int x = 4;
  const int y = 4;
  for (int height : {-8, -11, -20}) {
    const FontFace& plain = Face("Arial", height);
    const FontFace& underline = Face("Arial", height, {fsUnderline});
    const FontFace& strike = Face("Arial", height, {fsStrikeOut});
    const int width = MeasureTextWidth(plain, "a c");
    SCOPED_TRACE(height);
    EXPECT_TRUE(SolidRows(Rendered(plain, "a c"), x, x + width).empty());

    const std::vector<int> under = SolidRows(Rendered(underline, "a c"), x, x + width);
    ASSERT_FALSE(under.empty());
    EXPECT_GE(under.front(), y + plain.Ascent());  // below the baseline
    EXPECT_LT(under.back(), y + plain.Height());   // inside the cell
    // It starts and ends with the text.
    const BitmapImage image = Rendered(underline, "a c");
    EXPECT_EQ(image.At(x - 1, under.front()), kWhite);
    EXPECT_EQ(image.At(x + width, under.front()), kWhite);

    const std::vector<int> through = SolidRows(Rendered(strike, "a c"), x, x + width);
    ASSERT_FALSE(through.empty());
    EXPECT_GT(through.front(), y);
    EXPECT_LT(through.back(), y + plain.Ascent());  // above the baseline
  }
}

TEST(FontEngine, ConcurrentUseGivesTheSameResults) {
  const std::vector<std::string> texts = {"Hello", "World \xC3\x84\xC3\x96", "0123456789",
                                          "The quick brown fox"};
  std::vector<int> expected;
  for (const std::string& t : texts) expected.push_back(MeasureTextWidth(Face("Arial", -15), t));
  const BitmapImage reference = Rendered(Face("Arial", -15), texts[1]);

  std::vector<std::thread> threads;
  std::vector<int> failures(4, 0);
  for (int i = 0; i < 4; ++i)
    threads.emplace_back([&, i] {
      for (int round = 0; round < 50; ++round) {
        // Shared faces, and faces that other threads create at the same moment.
        const FontFace& face = Face("Arial", -15);
        const FontFace& fresh = Face("Times New Roman", -(30 + round % 10), {fsItalic});
        for (size_t t = 0; t < texts.size(); ++t)
          failures[i] += MeasureTextWidth(face, texts[t]) != expected[t];
        failures[i] += Rendered(face, texts[1]).Pixels != reference.Pixels;
        failures[i] += MeasureTextWidth(fresh, texts[round % texts.size()]) <= 0;
      }
    });
  for (std::thread& t : threads) t.join();
  for (int f : failures) EXPECT_EQ(f, 0);
}

}  // namespace
