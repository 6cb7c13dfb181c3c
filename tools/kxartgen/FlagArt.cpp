// The language button pictures: a computer monitor on black with a national
// flag at the upper right. The lower right stays black: the button writes the
// language's name there.
#include "tools/kxartgen/Artwork.h"

namespace kxartgen {

namespace {

using pixelart::PixelCanvas;
using pixelart::Rgb;

constexpr int kFlagX = 28, kFlagY = 2, kFlagW = 20, kFlagH = 13;

void DrawMonitor(PixelCanvas& c) {
  // Bezel with a raised edge.
  c.Fill(2, 8, 34, 24, Rgb(150, 152, 164));
  c.Bevel(2, 8, 34, 24, Rgb(214, 216, 226), Rgb(84, 86, 98));
  // Screen: deep blue, lighter towards the top, with a diagonal glare.
  c.Shade(5, 11, 28, 18, [](int, int y) -> std::optional<uint32_t> {
    const int t = y - 11;
    return Rgb(18 + t, 40 + 2 * t, 110 - 2 * t);
  });
  c.Frame(5, 11, 28, 18, Rgb(40, 42, 56));
  c.Line(8, 26, 20, 14, Rgb(74, 106, 176));
  c.Line(9, 26, 21, 14, Rgb(54, 84, 150));
  // Power light, neck and foot.
  c.Pixel(32, 30, Rgb(80, 230, 90));
  c.Fill(15, 32, 8, 3, Rgb(120, 122, 134));
  c.Fill(10, 35, 18, 3, Rgb(150, 152, 164));
  c.Bevel(10, 35, 18, 3, Rgb(214, 216, 226), Rgb(84, 86, 98));
}

// The flag inside a light border, set off from the monitor by a black margin.
void DrawFlagFrame(PixelCanvas& c) {
  c.Fill(kFlagX - 2, kFlagY - 2, kFlagW + 4, kFlagH + 4, Rgb(0, 0, 0));
  c.Frame(kFlagX - 1, kFlagY - 1, kFlagW + 2, kFlagH + 2, Rgb(200, 200, 206));
}

void UsFlag(PixelCanvas& c) {
  for (int i = 0; i < kFlagH; ++i)
    c.Fill(kFlagX, kFlagY + i, kFlagW, 1, i % 2 ? Rgb(255, 255, 255) : Rgb(190, 24, 48));
  c.Fill(kFlagX, kFlagY, 9, 7, Rgb(40, 44, 120));
  for (int y = 1; y < 7; y += 2)
    for (int x = 1; x < 9; x += 2)
      c.Pixel(kFlagX + x + (y / 2) % 2, kFlagY + y, Rgb(255, 255, 255));
}

void DeFlag(PixelCanvas& c) {
  c.Fill(kFlagX, kFlagY, kFlagW, 4, Rgb(0, 0, 0));
  c.Fill(kFlagX, kFlagY + 4, kFlagW, 5, Rgb(221, 0, 0));
  c.Fill(kFlagX, kFlagY + 9, kFlagW, 4, Rgb(255, 206, 0));
}

void FrFlag(PixelCanvas& c) {
  c.Fill(kFlagX, kFlagY, 7, kFlagH, Rgb(0, 48, 160));
  c.Fill(kFlagX + 7, kFlagY, 6, kFlagH, Rgb(255, 255, 255));
  c.Fill(kFlagX + 13, kFlagY, 7, kFlagH, Rgb(232, 36, 52));
}

Artwork LanguagePicture(const char* name, void (*flag)(PixelCanvas&)) {
  Artwork art{name, NewImage(50, 41, host::pf24bit)};
  PixelCanvas canvas(art.image);
  DrawMonitor(canvas);
  DrawFlagFrame(canvas);
  flag(canvas);
  return art;
}

}  // namespace

void AddFlagArt(ArtList& out) {
  out.push_back(LanguagePicture("BTWEBUS", UsFlag));
  out.push_back(LanguagePicture("BTWEBDE", DeFlag));
  out.push_back(LanguagePicture("BTWEBFR", FrFlag));
}

}  // namespace kxartgen
