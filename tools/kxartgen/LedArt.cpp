// LED glyphs: the simple LED strips (off cell, on cell), whose body colours
// $000080 and $0000FF the LED's palette replaces, and the three-colour lamp
// strips (green, yellow, red cells) lit and unlit.
#include <cmath>
#include <functional>

#include "tools/kxartgen/Artwork.h"

namespace kxartgen {

namespace {

using pixelart::Legend;
using pixelart::PixelCanvas;
using namespace colour;

// LI_RND: a round lamp, a silver glint at its upper left (larger when on).
Artwork RoundLed() {
  Artwork art{"LI_RND", NewImage(18, 9, host::pf4bit)};
  PixelCanvas canvas(art.image);
  const char* const body[] = {"..bbbbb..", ".bbbbbbb.", "bbbbbbbbb", "bbbbbbbbb", "bbbbbbbbb",
                              "bbbbbbbbb", "bbbbbbbbb", ".bbbbbbb.", "..bbbbb.."};
  for (int cell = 0; cell < 2; ++cell) {
    const Legend legend{{'b', cell ? Red : Maroon}};
    for (int y = 0; y < 9; ++y) canvas.Map(9 * cell, y, {body[y]}, legend);
    canvas.Pixel(9 * cell + 2, 2, Silver);
    if (cell) canvas.Map(9 * cell + 2, 2, {"ss", "s."}, {{'s', Silver}});
  }
  return art;
}

// LI_RECT: a flat rectangle whose top edge is grey when off, silver when on.
Artwork RectLed() {
  Artwork art{"LI_RECT", NewImage(20, 5, host::pf4bit)};
  PixelCanvas canvas(art.image);
  for (int cell = 0; cell < 2; ++cell) {
    canvas.Fill(10 * cell, 0, 10, 1, cell ? Silver : Gray);
    canvas.Fill(10 * cell, 1, 10, 4, cell ? Red : Maroon);
  }
  return art;
}

// LI_BIG: a wide body inside a black gap and a white border.
Artwork BigLed() {
  Artwork art{"LI_BIG", NewImage(34, 7, host::pf4bit)};
  PixelCanvas canvas(art.image);
  for (int cell = 0; cell < 2; ++cell) {
    canvas.Frame(17 * cell, 0, 17, 7, White);
    canvas.Fill(17 * cell + 2, 2, 13, 3, cell ? Red : Maroon);
  }
  return art;
}

// Colours of one glassy lamp: a glint, the body, and the shade on its outline
// and lower right. An unlit lamp's shade inside the outline is dithered with
// black, so that it darkens there without a third grey.
struct LampColours {
  uint32_t glint, body, shade;
  bool ditheredShade;
};

constexpr LampColours kLit[3] = {
    {White, Lime, Green, false}, {White, Yellow, Olive, false}, {White, Red, Maroon, false}};
constexpr LampColours kUnlit = {Silver, Gray, Gray, true};

// A lamp shape in cell coordinates: which pixels it covers, and where on it
// the light falls (the glint's centre and the body's reach from there).
struct LampShape {
  const char* id;  // RND, SQR, DMD, RECT
  int width, height;
  std::function<bool(int, int)> inside;
  double glintX, glintY, glintRadius, bodyReach;
};

// Shades a lamp: the glint near the light point, the body, a dithered band
// and the shade further away, and the shade on the outline.
void DrawLamp(PixelCanvas& canvas, const LampShape& s, const LampColours& c) {
  canvas.Shade(0, 0, s.width, s.height, [&](int x, int y) -> std::optional<uint32_t> {
    if (!s.inside(x, y)) return std::nullopt;
    const bool edge =
        !s.inside(x - 1, y) || !s.inside(x + 1, y) || !s.inside(x, y - 1) || !s.inside(x, y + 1);
    const double d = std::hypot(x + 0.5 - s.glintX, y + 0.5 - s.glintY);
    const bool checker = (x + y) % 2 == 0;
    // A flat lamp (no glint) shows unlit as a grey outline round a dithered body.
    const bool flatUnlit = c.ditheredShade && s.glintRadius < 0;
    const bool shaded =
        edge || flatUnlit || d > s.bodyReach * 1.25 || (d > s.bodyReach && !checker);
    if (!shaded) return d <= s.glintRadius ? c.glint : c.body;
    if (c.ditheredShade && !checker && !edge) return std::nullopt;
    return c.shade;
  });
}

std::vector<LampShape> LampShapes() {
  return {
      {"RND", 13, 13, [](int x, int y) { return std::hypot(x + 0.5 - 6.5, y + 0.5 - 6.5) <= 6.4; },
       4.6, 4.4, 1.5, 6.2},
      {"SQR", 13, 13,
       [](int x, int y) {
         const bool corner = (x == 1 || x == 11) && (y == 1 || y == 11);
         return x >= 1 && x <= 11 && y >= 1 && y <= 11 && !corner;
       },
       4.5, 4.5, 1.6, 7.2},
      {"DMD", 13, 13,
       [](int x, int y) { return std::abs(x + 0.5 - 6.5) + std::abs(y + 0.5 - 6.5) <= 6.5; }, 5.2,
       4.6, 1.2, 5.0},
      {"RECT", 17, 7, [](int x, int y) { return x >= 0 && x < 17 && y >= 0 && y < 7; }, 0, 0, -1,
       99},
  };
}

void AddLamps(ArtList& out) {
  for (const LampShape& s : LampShapes()) {
    for (bool lit : {true, false}) {
      Artwork art{std::string("LIGHTS_") + s.id + (lit ? "_ON" : "_OFF"),
                  NewImage(3 * s.width, s.height, host::pf4bit)};
      PixelCanvas canvas(art.image);
      for (int cell = 0; cell < 3; ++cell) {
        host::BitmapImage lamp(s.width, s.height);
        PixelCanvas lampCanvas(lamp);
        DrawLamp(lampCanvas, s, lit ? kLit[cell] : kUnlit);
        canvas.Draw(cell * s.width, 0, lamp);
      }
      out.push_back(std::move(art));
    }
  }
}

}  // namespace

void AddLedArt(ArtList& out) {
  out.push_back(RoundLed());
  out.push_back(RectLed());
  out.push_back(BigLed());
  AddLamps(out);
}

}  // namespace kxartgen
