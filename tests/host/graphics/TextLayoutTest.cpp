#include <gtest/gtest.h>

#include <cstdlib>

#include "TextTestSupport.h"
#include "host/graphics/TextLayout.h"

using namespace host;
using namespace text_test;

namespace {

enum Horizontal { kLeft, kCenter, kRight };
enum Vertical { kTop, kMiddle, kBottom };

// Where a cell of size w × h stands in rect for an alignment, centring
// within one pixel either way.
void ExpectPlaced(const TRect& cell, const TRect& rect, Horizontal h, Vertical v) {
  const int before = cell.Left - rect.Left;
  const int after = rect.Right - cell.Right;
  switch (h) {
    case kLeft:
      EXPECT_EQ(before, 0);
      break;
    case kCenter:
      EXPECT_LE(std::abs(before - after), 1);
      break;
    case kRight:
      EXPECT_EQ(after, 0);
      break;
  }
  const int above = cell.Top - rect.Top;
  const int below = rect.Bottom - cell.Bottom;
  switch (v) {
    case kTop:
      EXPECT_EQ(above, 0);
      break;
    case kMiddle:
      EXPECT_LE(std::abs(above - below), 1);
      break;
    case kBottom:
      EXPECT_EQ(below, 0);
      break;
  }
}

TEST(TextLayout, SingleLinePlacementByFlags) {
  struct Case {
    uint32_t flags;
    Horizontal h;
    Vertical v;
  };
  const Case cases[] = {
      {DT_SINGLELINE | DT_LEFT | DT_TOP, kLeft, kTop},
      {DT_SINGLELINE | DT_CENTER, kCenter, kTop},
      {DT_SINGLELINE | DT_RIGHT, kRight, kTop},
      {DT_SINGLELINE | DT_VCENTER, kLeft, kMiddle},
      {DT_SINGLELINE | DT_VCENTER | DT_CENTER, kCenter, kMiddle},
      {DT_SINGLELINE | DT_VCENTER | DT_RIGHT, kRight, kMiddle},
      {DT_SINGLELINE | DT_BOTTOM, kLeft, kBottom},
      {DT_SINGLELINE | DT_BOTTOM | DT_CENTER, kCenter, kBottom},
      {DT_SINGLELINE | DT_BOTTOM | DT_RIGHT, kRight, kBottom},
      // Vertical placement needs DT_SINGLELINE.
      {DT_VCENTER | DT_CENTER, kCenter, kTop},
      {DT_BOTTOM | DT_RIGHT, kRight, kTop},
  };
  const FontFace& face = Face();
  for (const TRect rect : {TRect{10, 20, 210, 81}, TRect{-50, -30, 20, 0}, TRect{5, 5, 25, 12}}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << "flags " << std::hex << c.flags << std::dec << " rect "
                                      << rect.Left << "," << rect.Top);
      const TextLayout layout = LayoutText(face, "Hello, World", rect, c.flags);
      ASSERT_EQ(layout.Lines.size(), 1u);
      const TextLine& line = layout.Lines[0];
      EXPECT_EQ(line.Text, "Hello, World");
      EXPECT_EQ(line.Cell.Width(), MeasureTextWidth(face, "Hello, World"));
      EXPECT_EQ(line.Cell.Height(), face.Height());
      ExpectPlaced(line.Cell, rect, c.h, c.v);
      EXPECT_EQ(layout.Rect, rect);
      EXPECT_EQ(layout.Height, line.Cell.Bottom - rect.Top);
      EXPECT_TRUE(layout.Draws);
    }
  }
}

TEST(TextLayout, LinesBreakAtLineEndsUnlessSingleLine) {
  const FontFace& face = Face();
  const int h = face.Height();
  const TRect rect{0, 0, 300, 200};
  struct Case {
    const char* text;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"one", {"one"}},
      {"one\ntwo", {"one", "two"}},
      {"one\r\ntwo\rthree", {"one", "two", "three"}},
      {"one\n\ntwo", {"one", "", "two"}},
      {"one\n", {"one"}},
      {"one\r\n\r\n", {"one", ""}},
      {"", {}},
  };
  for (const Case& c : cases) {
    for (uint32_t align : {DT_LEFT, DT_CENTER, DT_RIGHT}) {
      const TextLayout layout = LayoutText(face, c.text, rect, align | DT_VCENTER);
      ASSERT_EQ(layout.Lines.size(), c.lines.size()) << c.text;
      for (size_t i = 0; i < c.lines.size(); ++i) {
        const TextLine& line = layout.Lines[i];
        EXPECT_EQ(line.Text, c.lines[i]);
        EXPECT_EQ(line.Cell.Top, int(i) * h);
        ExpectPlaced({line.Cell.Left, 0, line.Cell.Right, 0}, {0, 0, 300, 0},
                     align == DT_CENTER  ? kCenter
                     : align == DT_RIGHT ? kRight
                                         : kLeft,
                     kTop);
      }
      EXPECT_EQ(layout.Height, int(c.lines.size()) * h);
    }
  }
  // DT_SINGLELINE keeps everything on one line.
  const TextLayout single = LayoutText(face, "one\r\ntwo", rect, DT_SINGLELINE);
  ASSERT_EQ(single.Lines.size(), 1u);
  EXPECT_EQ(single.Lines[0].Cell.Width(), MeasureTextWidth(face, "onetwo"));
}

TEST(TextLayout, CalcRectBoundsTheTextWithoutDrawing) {
  for (const FontFace* face : {&Face(), &Face("Times New Roman", -20, {fsBold})}) {
    struct Case {
      const char* text;
      uint32_t flags;
      int lines;
      const char* widest;
    };
    const Case cases[] = {
        {"Caption", DT_CALCRECT, 1, "Caption"},
        {"Caption", DT_CALCRECT | DT_SINGLELINE | DT_VCENTER | DT_CENTER, 1, "Caption"},
        {"a\nlonger line\nmid", DT_CALCRECT, 3, "longer line"},
        {"a\nlonger line", DT_CALCRECT | DT_CENTER | DT_RIGHT, 2, "longer line"},
        {"&Save as", DT_CALCRECT, 1, "Save as"},
        {"&Save as", DT_CALCRECT | DT_NOPREFIX, 1, "&Save as"},
        {"", DT_CALCRECT, 0, ""},
        {"", DT_CALCRECT | DT_SINGLELINE, 0, ""},
    };
    for (const Case& c : cases) {
      SCOPED_TRACE(c.text);
      // The rectangle's width does not matter without DT_WORDBREAK.
      for (const TRect rect : {TRect{7, 9, 7, 9}, TRect{7, 9, 500, 300}}) {
        const TextLayout layout = LayoutText(*face, c.text, rect, c.flags);
        EXPECT_FALSE(layout.Draws);
        EXPECT_EQ(layout.Rect.TopLeft(), rect.TopLeft());
        EXPECT_EQ(layout.Rect.Width(), MeasureTextWidth(*face, c.widest));
        EXPECT_EQ(layout.Rect.Height(), c.lines * face->Height());
        EXPECT_EQ(layout.Height, layout.Rect.Height());
      }
    }
  }
}

TEST(TextLayout, PrefixesAreRemovedAndMarkTheirCharacter) {
  const FontFace& face = Face("Arial", -13);
  struct Case {
    const char* text;
    uint32_t flags;
    const char* shown;
    const char* before;  // text before the underlined character, or null for none
    const char* marked;
  };
  const Case cases[] = {
      {"&File", 0, "File", "", "F"},
      {"Save &as", 0, "Save as", "Save ", "a"},
      {"A&&B", 0, "A&B", nullptr, nullptr},
      {"Trailing&", 0, "Trailing", nullptr, nullptr},
      {"&\xC3\x84nderung", 0, "\xC3\x84nderung", "", "\xC3\x84"},
      {"&File", DT_NOPREFIX, "&File", nullptr, nullptr},
      {"A&&B", DT_NOPREFIX, "A&&B", nullptr, nullptr},
  };
  const TRect rect{3, 0, 200, 50};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const TextLayout layout = LayoutText(face, c.text, rect, c.flags | DT_SINGLELINE);
    ASSERT_EQ(layout.Lines.size(), 1u);
    const TextLine& line = layout.Lines[0];
    EXPECT_EQ(line.Text, c.shown);
    if (!c.before) {
      EXPECT_TRUE(line.Underlines.empty());
      continue;
    }
    ASSERT_EQ(line.Underlines.size(), 1u);
    const int x0 = rect.Left + MeasureTextWidth(face, c.before);
    EXPECT_EQ(line.Underlines[0], std::make_pair(x0, x0 + MeasureTextWidth(face, c.marked)));
  }
}

TEST(TextLayout, WordBreakWrapsBetweenWords) {
  const FontFace& face = Face();
  const std::string text = "the quick brown fox jumps";
  const int width = MeasureTextWidth(face, "the quick brown") + 1;
  const TextLayout layout = LayoutText(face, text, {0, 0, width, 100}, DT_WORDBREAK | DT_CENTER);
  ASSERT_EQ(layout.Lines.size(), 2u);
  EXPECT_EQ(layout.Lines[0].Text, "the quick brown");
  EXPECT_EQ(layout.Lines[1].Text, "fox jumps");
  for (const TextLine& line : layout.Lines) {
    EXPECT_LE(line.Cell.Width(), width);
    ExpectPlaced({line.Cell.Left, 0, line.Cell.Right, 0}, {0, 0, width, 0}, kCenter, kTop);
  }
  EXPECT_EQ(layout.Lines[1].Cell.Top, face.Height());

  // A word wider than the rectangle stands alone; DT_CALCRECT widens to it.
  const TextLayout narrow =
      LayoutText(face, "a Supercalifragilistic b", {0, 0, 10, 0}, DT_WORDBREAK | DT_CALCRECT);
  ASSERT_EQ(narrow.Lines.size(), 3u);
  EXPECT_EQ(narrow.Lines[1].Text, "Supercalifragilistic");
  EXPECT_EQ(narrow.Rect.Width(), MeasureTextWidth(face, "Supercalifragilistic"));
  EXPECT_EQ(narrow.Rect.Height(), 3 * face.Height());

  // Explicit line ends still break, and prefixes keep their place.
  const TextLayout mixed =
      LayoutText(face, "one two\n&three", {0, 0, 1000, 0}, DT_WORDBREAK | DT_CALCRECT);
  ASSERT_EQ(mixed.Lines.size(), 2u);
  EXPECT_EQ(mixed.Lines[1].Text, "three");
  EXPECT_EQ(mixed.Lines[1].Underlines.size(), 1u);
}

TEST(TextLayout, EndEllipsisCutsTextThatDoesNotFit) {
  const FontFace& face = Face();
  const std::string text = "A caption far too long for its box";
  const TRect rect{0, 0, MeasureTextWidth(face, "A caption far"), 20};
  const TextLayout cut = LayoutText(face, text, rect, DT_SINGLELINE | DT_END_ELLIPSIS);
  ASSERT_EQ(cut.Lines.size(), 1u);
  const std::string& shown = cut.Lines[0].Text;
  ASSERT_GE(shown.size(), 3u);
  EXPECT_EQ(shown.substr(shown.size() - 3), "...");
  EXPECT_EQ(text.compare(0, shown.size() - 3, shown, 0, shown.size() - 3), 0);
  EXPECT_LE(cut.Lines[0].Cell.Width(), rect.Width());
  EXPECT_GT(cut.Lines[0].Cell.Width(), rect.Width() - MeasureTextWidth(face, "W..."));

  const TextLayout fits = LayoutText(face, "A caption", rect, DT_SINGLELINE | DT_END_ELLIPSIS);
  EXPECT_EQ(fits.Lines[0].Text, "A caption");
}

TEST(TextLayout, RenderingIsClippedToTheRectangleUnlessNoClip) {
  const FontFace& face = Face("Arial", -20);
  const TRect rect{20, 10, 60, 30};
  const TRect whole{0, 0, 120, 50};
  const std::string text = "WWWWWWWWWW";

  BitmapImage clipped(120, 50, kWhite);
  RenderTextLayout(clipped, std::span(&whole, 1),
                   LayoutText(face, text, rect, DT_SINGLELINE | DT_CENTER | DT_VCENTER), face,
                   kBlack);
  const TRect ink = InkBounds(clipped);
  EXPECT_EQ(ink.Left, rect.Left);  // the text is wider than the rectangle
  EXPECT_EQ(ink.Right, rect.Right);
  EXPECT_GE(ink.Top, rect.Top);
  EXPECT_LE(ink.Bottom, rect.Bottom);

  BitmapImage unclipped(120, 50, kWhite);
  RenderTextLayout(unclipped, std::span(&whole, 1),
                   LayoutText(face, text, rect, DT_SINGLELINE | DT_CENTER | DT_NOCLIP), face,
                   kBlack);
  EXPECT_LT(InkBounds(unclipped).Left, rect.Left);
  EXPECT_GT(InkBounds(unclipped).Right, rect.Right);

  // The caller's clip still holds under DT_NOCLIP.
  const TRect part{0, 0, 40, 50};
  BitmapImage limited(120, 50, kWhite);
  RenderTextLayout(limited, std::span(&part, 1),
                   LayoutText(face, text, rect, DT_SINGLELINE | DT_NOCLIP), face, kBlack);
  EXPECT_EQ(InkBounds(limited).Right, 40);

  BitmapImage none(120, 50, kWhite);
  RenderTextLayout(none, std::span(&whole, 1), LayoutText(face, text, rect, DT_CALCRECT), face,
                   kBlack);
  EXPECT_TRUE(InkBounds(none).IsEmpty());
}

TEST(TextLayout, PrefixUnderlineIsDrawnUnderItsCharacter) {
  const FontFace& face = Face("Arial", -13);
  const TRect rect{0, 0, 100, face.Height()};
  const TRect whole{0, 0, 100, 30};
  const TextLayout layout = LayoutText(face, "&File", rect, DT_SINGLELINE);
  BitmapImage marked(100, 30, kWhite);
  RenderTextLayout(marked, std::span(&whole, 1), layout, face, kBlack);
  BitmapImage plain(100, 30, kWhite);
  RenderText(plain, 0, 0, face, "File", kBlack);
  // Only the underline under "F" differs, below the baseline.
  const int fWidth = MeasureTextWidth(face, "F");
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 100; ++x) {
      if (marked.At(x, y) == plain.At(x, y)) continue;
      EXPECT_LT(x, fWidth);
      EXPECT_GE(y, face.Ascent());
      EXPECT_LT(y, face.Height());
    }
  EXPECT_NE(marked.Pixels, plain.Pixels);
}

}  // namespace
