// Button glyph strips: the small window buttons of the menu bar (two cells:
// normal, then pressed or inactive), the close button, and the carousel's
// arrow pictures (released and pressed, drawn on the arrow buttons' faces).
#include "tools/kxartgen/Artwork.h"

namespace kxartgen {

namespace {

using pixelart::Legend;
using pixelart::PixelCanvas;
using pixelart::Rgb;

// The colours of one button cell; magnet and pole colour the magnet glyphs.
struct Face {
  uint32_t frame, light, face, shadow, glyph, magnet, pole;
};

constexpr Face kLightFace{Rgb(30, 30, 38),    Rgb(244, 244, 250), Rgb(200, 202, 214),
                          Rgb(120, 120, 138), Rgb(36, 36, 48),    Rgb(204, 32, 32),
                          Rgb(236, 236, 240)};
constexpr Face kDarkFace{Rgb(22, 22, 28), Rgb(166, 168, 184), Rgb(128, 130, 148), Rgb(78, 78, 94),
                         Rgb(16, 16, 24), Rgb(128, 24, 30),   Rgb(170, 170, 182)};

// A raised button face filling the cell: dark frame, light top-left edge,
// shadowed bottom-right edge.
void DrawFace(PixelCanvas& canvas, int x, int width, int height, const Face& f) {
  canvas.Fill(x, 0, width, height, f.face);
  canvas.Frame(x, 0, width, height, f.frame);
  canvas.Bevel(x + 1, 1, width - 2, height - 2, f.light, f.shadow);
}

// A two-cell window-button strip; glyph draws the symbol of one cell.
Artwork WindowButton(const char* name, host::TPixelFormat format,
                     void (*glyph)(PixelCanvas&, int x, const Face&)) {
  Artwork art{name, NewImage(28, 9, format)};
  PixelCanvas canvas(art.image);
  int x = 0;
  for (const Face& f : {kLightFace, kDarkFace}) {
    DrawFace(canvas, x, 14, 9, f);
    glyph(canvas, x, f);
    x += 14;
  }
  return art;
}

void BarGlyph(PixelCanvas& c, int x, const Face& f) { c.Fill(x + 4, 3, 6, 2, f.glyph); }

void PlusGlyph(PixelCanvas& c, int x, const Face& f) {
  c.Fill(x + 3, 4, 8, 1, f.glyph);
  c.Fill(x + 6, 2, 2, 5, f.glyph);
}

void TriangleGlyph(PixelCanvas& c, int x, const Face& f) {
  c.Map(x + 4, 3, {"######", ".####.", "..##.."}, {{'#', f.glyph}});
}

// A horseshoe magnet opening to the right, with field dots beyond its poles.
void MagnetGlyph(PixelCanvas& c, int x, const Face& f) {
  c.Map(x + 2, 2, {".RRRRPP.o.", "RR.......o", "RR......o.", "RR.......o", ".RRRRPP.o."},
        {{'R', f.magnet}, {'P', f.pole}, {'o', f.glyph}});
}

// The magnet closed by a keeper across its poles: no field outside.
void ClosedMagnetGlyph(PixelCanvas& c, int x, const Face& f) {
  c.Map(x + 2, 2, {".RRRRPPP", "RR.....P", "RR.....P", "RR.....P", ".RRRRPPP"},
        {{'R', f.magnet}, {'P', f.pole}});
}

// The close button: a diagonal cross on light grey, then in dark bluish tones.
Artwork ExitButton() {
  Artwork art{"BTEXIT", NewImage(20, 9, host::pf8bit)};
  PixelCanvas canvas(art.image);
  const Face light{
      Rgb(0, 0, 0), Rgb(250, 250, 250), Rgb(208, 208, 212), Rgb(132, 132, 140), Rgb(0, 0, 0), 0, 0};
  const Face dark{Rgb(0, 0, 0),
                  Rgb(150, 160, 196),
                  Rgb(104, 114, 156),
                  Rgb(58, 64, 100),
                  Rgb(14, 18, 44),
                  0,
                  0};
  int x = 0;
  for (const Face& f : {light, dark}) {
    DrawFace(canvas, x, 10, 9, f);
    canvas.Map(x + 2, 2, {"#....#", ".#..#.", "..##..", ".#..#.", "#....#"}, {{'#', f.glyph}});
    x += 10;
  }
  return art;
}

// An arrow picture of the carousel: an embossed triangle on the button face
// (released), or a bright one on the darker pressed face.
Artwork Arrow(const char* name, bool pointsLeft, bool pressed) {
  const uint32_t face = pressed ? Rgb(123, 117, 111) : Rgb(155, 147, 141);
  Artwork art{name, NewImage(11, 32, host::pf24bit, face)};
  PixelCanvas canvas(art.image);
  auto flip = [&](double x) { return pointsLeft ? x : 11 - x; };
  const uint32_t edge = pressed ? Rgb(70, 66, 62) : Rgb(214, 208, 202);
  const uint32_t fill = pressed ? Rgb(255, 246, 214) : Rgb(52, 48, 56);
  // The edge is the same triangle one pixel lower right, peeking out below.
  canvas.Polygon({{flip(3), 16.5}, {flip(8.5), 10.5}, {flip(8.5), 22.5}}, edge);
  canvas.Polygon({{flip(2), 16}, {flip(8), 10}, {flip(8), 22}}, fill);
  return art;
}

}  // namespace

void AddButtonArt(ArtList& out) {
  out.push_back(WindowButton("BTBARRE", host::pf24bit, BarGlyph));
  out.push_back(WindowButton("BTCONTROLMENU", host::pf24bit, PlusGlyph));
  out.push_back(WindowButton("BTMINIMIZED", host::pf24bit, TriangleGlyph));
  out.push_back(WindowButton("BTMAGNETIC", host::pf8bit, MagnetGlyph));
  out.push_back(WindowButton("BTNOMAGNETIC", host::pf8bit, ClosedMagnetGlyph));
  out.push_back(ExitButton());
  out.push_back(Arrow("BTLEFTTHINGERUP", true, false));
  out.push_back(Arrow("BTLEFTTHINGERDOWN", true, true));
  out.push_back(Arrow("BTRIGHTTHINGERUP", false, false));
  out.push_back(Arrow("BTRIGHTTHINGERDOWN", false, true));
}

}  // namespace kxartgen
