// Seven-segment digit strips, clock colons and AM/PM glyphs in the five sizes
// of the numeric display and the clock.
//
// A digit strip holds 13 cells: the digits 0 to 9, all segments unlit, a minus
// unlit, a minus lit. Lit segments are $C0C0C0 and unlit ones $808080, which
// the displays replace with their palette; unlit segments are a checkerboard of
// $808080 and black in every size but 12 × 17, so they show faintly.
#include <cmath>

#include "host/base/SysUtils.h"
#include "tools/kxartgen/Artwork.h"

namespace kxartgen {

namespace {

using pixelart::PixelCanvas;
using pixelart::PointF;
using Poly = std::vector<PointF>;

// Segment geometry of one cell, in pixel-edge coordinates: the digit's outer
// box, the segment thickness, the centre line of the middle bar, and the gap
// left between neighbouring segments where their bevelled ends meet.
struct DigitStyle {
  const char* suffix;  // resource name suffix, e.g. "13X24"
  int cellWidth, cellHeight;
  bool dithered;
  double left, top, right, bottom, thickness, middle, gap;
  int colonWidth, dot;  // colon glyph width; size of its square dots
  int ampmWidth;        // width of one AM/PM cell
};

constexpr DigitStyle kStyles[] = {
    {"13X24", 13, 24, true, 1, 1, 12, 23, 3, 11.5, 0.8, 6, 3, 10},
    {"11X20", 11, 20, true, 1, 1, 10, 19, 2, 10, 0.8, 6, 2, 10},
    {"7X13", 7, 13, true, 0, 0, 7, 13, 1, 6.5, 0.6, 3, 1, 7},
    {"12X17", 12, 17, false, 1, 1, 11, 16, 2, 8, 0.8, 7, 2, 10},
    {"5X7", 4, 7, true, 0, 0, 4, 7, 1, 3.5, 0.6, 3, 1, 6},
};
const int kClockSepNumber[] = {1, 2, 3, 4, 5};  // CLOCKSEP1 … in style order

// Bits a to g of each figure: a top, b upper right, c lower right, d bottom,
// e lower left, f upper left, g middle.
enum : int { A = 1, B = 2, C = 4, D = 8, E = 16, F = 32, G = 64 };
constexpr int kFigures[10] = {A | B | C | D | E | F, B | C,         A | B | D | E | G,
                              A | B | C | D | G,     B | C | F | G, A | C | D | F | G,
                              A | C | D | E | F | G, A | B | C,     A | B | C | D | E | F | G,
                              A | B | C | D | F | G};

// The seven segments as polygons with mitred ends, in the order a to g.
std::vector<Poly> Segments(const DigitStyle& s) {
  const double L = s.left, T = s.top, R = s.right, Bo = s.bottom, t = s.thickness, m = s.middle,
               g = s.gap, h = t / 2;
  return {
      {{L + g, T}, {R - g, T}, {R - t - g, T + t}, {L + t + g, T + t}},      // a
      {{R, T + g}, {R, m - g}, {R - t, m - h - g}, {R - t, T + t + g}},      // b
      {{R, m + g}, {R, Bo - g}, {R - t, Bo - t - g}, {R - t, m + h + g}},    // c
      {{L + t + g, Bo - t}, {R - t - g, Bo - t}, {R - g, Bo}, {L + g, Bo}},  // d
      {{L, m + g}, {L + t, m + h + g}, {L + t, Bo - t - g}, {L, Bo - g}},    // e
      {{L, T + g}, {L + t, T + t + g}, {L + t, m - h - g}, {L, m - g}},      // f
      {{L + g, m},
       {L + t + g, m - h},
       {R - t - g, m - h},
       {R - g, m},
       {R - t - g, m + h},
       {L + t + g, m + h}},  // g
  };
}

// Draws one cell: segments in lit get the lit key colour, those in unlit the
// unlit one (dithered with black where the style says so).
void DrawCell(PixelCanvas& canvas, int x0, const DigitStyle& s, int lit, int unlit) {
  const std::vector<Poly> segments = Segments(s);
  host::BitmapImage mask(s.cellWidth, s.cellHeight);
  PixelCanvas m(mask);
  for (int i = 0; i < 7; ++i) {
    if (lit & (1 << i))
      m.Polygon(segments[i], 2);
    else if (unlit & (1 << i))
      m.Polygon(segments[i], 1);
  }
  for (int y = 0; y < s.cellHeight; ++y)
    for (int x = 0; x < s.cellWidth; ++x) {
      const uint32_t k = mask.At(x, y);
      if (k == 2) canvas.Pixel(x0 + x, y, colour::Silver);
      if (k == 1 && (!s.dithered || (x + y) % 2 == 0)) canvas.Pixel(x0 + x, y, colour::Gray);
    }
}

Artwork DigitStrip(const DigitStyle& s) {
  Artwork art{std::string("NUM") + s.suffix,
              NewImage(13 * s.cellWidth, s.cellHeight, host::pf4bit)};
  PixelCanvas canvas(art.image);
  const int all = A | B | C | D | E | F | G;
  for (int d = 0; d < 10; ++d) DrawCell(canvas, d * s.cellWidth, s, kFigures[d], all);
  DrawCell(canvas, 10 * s.cellWidth, s, 0, all);
  DrawCell(canvas, 11 * s.cellWidth, s, 0, G);
  DrawCell(canvas, 12 * s.cellWidth, s, G, 0);
  return art;
}

// Two square dots, centred in the upper and the lower half of the digit box.
Artwork Colon(const DigitStyle& s, int number) {
  Artwork art{host::Format("CLOCKSEP%d", number),
              NewImage(s.colonWidth, s.cellHeight, host::pf4bit)};
  PixelCanvas canvas(art.image);
  const int x = (s.colonWidth - s.dot) / 2;
  for (double centre : {(s.top + s.middle) / 2, (s.middle + s.bottom) / 2})
    canvas.Fill(x, int(std::lround(centre - s.dot / 2.0)), s.dot, s.dot, colour::Silver);
  return art;
}

// Letters for the AM/PM glyphs: a 3-row set for the 6 × 7 cells, a 5-row set
// for 7 × 13 and a 7-row set for the three larger sizes.
struct Letters {
  int height;
  std::vector<const char*> a, m, p;
};

const Letters kSmallLetters{3, {".#.", "#.#", "#.#"}, {"#.#", "###", "#.#"}, {"##.", "##.", "#.."}};
const Letters kMediumLetters{5,
                             {".#.", "#.#", "###", "#.#", "#.#"},
                             {"#.#", "###", "###", "#.#", "#.#"},
                             {"##.", "#.#", "##.", "#..", "#.."}};
const Letters kLargeLetters{7,
                            {".##.", "#..#", "#..#", "####", "#..#", "#..#", "#..#"},
                            {"#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"},
                            {"###.", "#..#", "#..#", "###.", "#...", "#...", "#..."}};

void DrawLetter(PixelCanvas& canvas, int x, int y, const std::vector<const char*>& rows,
                uint32_t c) {
  for (size_t j = 0; j < rows.size(); ++j)
    for (int i = 0; rows[j][i]; ++i)
      if (rows[j][i] == '#') canvas.Pixel(x + i, y + int(j), c);
}

int LetterWidth(const std::vector<const char*>& rows) { return int(std::string(rows[0]).size()); }

// "AM" above "PM"; cell 0 lights PM, cell 1 lights AM.
Artwork AmPm(const DigitStyle& s) {
  Artwork art{std::string("AMPM") + s.suffix,
              NewImage(2 * s.ampmWidth, s.cellHeight, host::pf4bit)};
  PixelCanvas canvas(art.image);
  const Letters& l = s.cellHeight < 10   ? kSmallLetters
                     : s.cellHeight < 16 ? kMediumLetters
                                         : kLargeLetters;
  const int gap = s.cellHeight < 10 ? 1 : std::max(1, (s.cellHeight - 2 * l.height) / 3);
  const int top = (s.cellHeight - 2 * l.height - gap) / 2;
  const int word = LetterWidth(l.a) + 1 + LetterWidth(l.m);
  const int spacing = word > s.ampmWidth ? 0 : 1;  // the 6-pixel cell has no room for a gap
  for (int cell = 0; cell < 2; ++cell) {
    const uint32_t am = cell == 1 ? colour::Silver : colour::Gray;
    const uint32_t pm = cell == 0 ? colour::Silver : colour::Gray;
    const int x =
        cell * s.ampmWidth + (s.ampmWidth - (LetterWidth(l.a) + spacing + LetterWidth(l.m))) / 2;
    DrawLetter(canvas, x, top, l.a, am);
    DrawLetter(canvas, x + LetterWidth(l.a) + spacing, top, l.m, am);
    DrawLetter(canvas, x, top + l.height + gap, l.p, pm);
    DrawLetter(canvas, x + LetterWidth(l.p) + spacing, top + l.height + gap, l.m, pm);
  }
  return art;
}

}  // namespace

void AddDigitArt(ArtList& out) {
  for (size_t i = 0; i < std::size(kStyles); ++i) {
    out.push_back(DigitStrip(kStyles[i]));
    out.push_back(Colon(kStyles[i], kClockSepNumber[i]));
    out.push_back(AmPm(kStyles[i]));
  }
}

}  // namespace kxartgen
