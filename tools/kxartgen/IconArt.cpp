// The 26 × 26 component palette icons, one per registered class, each showing
// its component in miniature on the button-face grey of a palette.
#include <cmath>
#include <functional>
#include <map>
#include <stdexcept>

#include "tools/kxartgen/Artwork.h"
#include "tools/pixelart/PixelFont.h"

namespace kxartgen {

namespace {

using pixelart::Legend;
using pixelart::PixelCanvas;
using pixelart::Rgb;

constexpr uint32_t kBack = Rgb(212, 208, 200);  // palette button face
constexpr uint32_t kInk = Rgb(24, 24, 32);
constexpr uint32_t kWhite = Rgb(255, 255, 255);
constexpr uint32_t kSlate = Rgb(78, 78, 88);          // menu bar $584E4E
constexpr uint32_t kSlateDark = Rgb(46, 46, 52);      // $342E2E
constexpr uint32_t kSlateLight = Rgb(180, 180, 205);  // $CDB4B4
constexpr uint32_t kFace = Rgb(155, 147, 141);        // panel button face
constexpr uint32_t kFaceLight = Rgb(216, 206, 196);
constexpr uint32_t kFaceDark = Rgb(96, 90, 86);
constexpr uint32_t kRed = Rgb(230, 30, 30);
constexpr uint32_t kDarkRed = Rgb(110, 10, 14);
constexpr uint32_t kGreen = Rgb(40, 220, 60);
constexpr uint32_t kDarkGreen = Rgb(10, 80, 20);
constexpr uint32_t kYellow = Rgb(250, 220, 40);
constexpr uint32_t kDarkYellow = Rgb(110, 96, 10);
constexpr uint32_t kBlue = Rgb(40, 90, 200);
constexpr uint32_t kSky = Rgb(120, 180, 240);

const host::BitmapImage& Find(const ArtList& art, const std::string& name) {
  for (const Artwork& a : art)
    if (a.name == name) return a.image;
  throw std::runtime_error("icon needs the missing artwork " + name);
}

// Copies a rectangle of src, each pixel as a scale × scale block; pixels of
// colour skip are left out, and recolour maps pixels to other colours.
void Blit(PixelCanvas& c, int x, int y, const host::BitmapImage& src, int sx, int sy, int w, int h,
          int scale = 1, std::optional<uint32_t> skip = std::nullopt,
          const std::map<uint32_t, uint32_t>& recolour = {}) {
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) {
      uint32_t p = src.At(sx + i, sy + j);
      if (skip && p == *skip) continue;
      if (const auto it = recolour.find(p); it != recolour.end()) p = it->second;
      c.Fill(x + i * scale, y + j * scale, scale, scale, p);
    }
}

// A raised slab: frame, light top-left and dark bottom-right edges.
void Slab(PixelCanvas& c, int x, int y, int w, int h, uint32_t face, uint32_t light, uint32_t dark,
          uint32_t frame = kInk) {
  c.Fill(x, y, w, h, face);
  c.Frame(x, y, w, h, frame);
  c.Bevel(x + 1, y + 1, w - 2, h - 2, light, dark);
}

// A small window: frame, slate title bar, light client area.
void Window(PixelCanvas& c, int x, int y, int w, int h) {
  c.Fill(x, y, w, h, Rgb(240, 240, 244));
  c.Frame(x, y, w, h, kInk);
  c.Fill(x + 1, y + 1, w - 2, 4, kSlate);
}

// A landscape picture: sky, sun, hills.
void Picture(PixelCanvas& c, int x, int y, int w, int h) {
  c.Fill(x, y, w, h, kSky);
  c.Disc(x + w * 0.72, y + h * 0.3, std::max(1.2, w * 0.13), kYellow);
  c.Shade(x, y, w, h, [&](int i, int j) -> std::optional<uint32_t> {
    const double u = double(i - x) / w, v = double(j - y) / h;
    if (v > 0.62 + 0.18 * std::sin(u * 5.5)) return Rgb(50, 150, 60);
    if (v > 0.55 + 0.25 * std::cos(u * 3.1 + 1.0)) return Rgb(30, 110, 50);
    return std::nullopt;
  });
  c.Frame(x, y, w, h, kInk);
}

// A round lamp with a glint.
void Lamp(PixelCanvas& c, double cx, double cy, double r, uint32_t body, uint32_t rim) {
  c.Disc(cx, cy, r, rim);
  c.Disc(cx - 0.3, cy - 0.3, r - 1, body);
  c.Pixel(int(cx - r * 0.45), int(cy - r * 0.45), kWhite);
}

void Caption(PixelCanvas& c, int x, int y, int w) {
  for (int i = 0; i < w; i += 4) c.Fill(x + i, y, std::min(3, w - i), 2, Rgb(70, 70, 80));
}

void ApplicationEvents(PixelCanvas& c, const ArtList&) {
  Window(c, 1, 2, 19, 16);
  // A lightning bolt in front of the window: the events it hands on.
  const std::vector<pixelart::PointF> bolt = {{17, 5},  {10, 16}, {14.5, 16}, {11, 25},
                                              {22, 12}, {17, 12}, {21, 5}};
  std::vector<pixelart::PointF> outline;
  for (const auto& p : bolt) outline.push_back({p.x + 1, p.y + 1});
  c.Polygon(outline, Rgb(120, 80, 0));
  c.Polygon(bolt, kYellow);
}

// The menu bar: a slate strip with a striped title and three small buttons.
void BarreMenu(PixelCanvas& c, const ArtList&) {
  c.Fill(0, 7, 26, 12, kSlate);
  c.Frame(0, 7, 26, 12, kSlateDark);
  for (int y = 10; y < 16; y += 2) c.Fill(2, y, 5, 1, kSlateLight);
  const std::initializer_list<const char*> glyphs[] = {
      {"...", "...", "###"}, {".#.", "###", ".#."}, {"#.#", ".#.", "#.#"}};
  int x = 8;
  for (const auto& glyph : glyphs) {
    c.Fill(x, 9, 5, 7, Rgb(210, 212, 224));
    c.Frame(x, 9, 5, 7, kSlateDark);
    c.Map(x + 1, 11, glyph, {{'#', kInk}});
    x += 6;
  }
}

void BorderLed(PixelCanvas& c, const ArtList&) {
  c.Fill(2, 7, 22, 12, Rgb(85, 74, 74));
  c.Bevel(3, 8, 20, 10, kSlateDark, kSlateLight);
  c.Fill(4, 9, 18, 8, kSlateDark);
  c.Fill(5, 10, 16, 6, kRed);
  c.Fill(6, 11, 6, 1, Rgb(255, 150, 150));
}

void BtExit(PixelCanvas& c, const ArtList& art) {
  Blit(c, 3, 4, Find(art, "BTEXIT"), 0, 0, 10, 9, 2);
}

void BtLanguage(PixelCanvas& c, const ArtList&) {
  c.Fill(1, 8, 17, 12, Rgb(150, 152, 164));
  c.Bevel(1, 8, 17, 12, Rgb(214, 216, 226), Rgb(84, 86, 98));
  c.Fill(3, 10, 13, 8, Rgb(24, 50, 110));
  c.Fill(6, 20, 7, 2, Rgb(120, 122, 134));
  c.Fill(4, 22, 11, 2, Rgb(150, 152, 164));
  c.Fill(12, 2, 13, 10, kInk);
  c.Fill(13, 3, 11, 8, kWhite);
  for (int y = 3; y < 11; y += 2) c.Fill(13, y, 11, 1, Rgb(190, 24, 48));
  c.Fill(13, 3, 5, 4, Rgb(40, 44, 120));
}

void BtMenu(PixelCanvas& c, const ArtList& art) {
  Blit(c, 6, 2, Find(art, "BTMINIMIZED"), 0, 0, 14, 9);
  Blit(c, 6, 14, Find(art, "BTMAGNETIC"), 0, 0, 14, 9);
}

void Button(PixelCanvas& c, const ArtList&) {
  Slab(c, 1, 6, 24, 14, kFace, kFaceLight, kFaceDark);
  c.Fill(4, 9, 4, 4, kInk);
  c.Fill(5, 10, 2, 2, kRed);
  pixelart::DrawText(c, 11, 11, "OK", kInk);
}

void ButtonImage(PixelCanvas& c, const ArtList&) {
  Slab(c, 1, 3, 24, 20, kFace, kFaceLight, kFaceDark);
  Picture(c, 5, 6, 16, 14);
}

void CheckBox(PixelCanvas& c, const ArtList&) {
  c.Fill(2, 7, 12, 12, kWhite);
  c.Bevel(2, 7, 12, 12, Rgb(128, 128, 128), kWhite);
  c.Frame(3, 8, 10, 10, kInk);
  c.Map(4, 9, {".......#", "......##", "#....##.", "##..##..", ".####...", "..##...."},
        {{'#', Rgb(0, 120, 0)}});
  Caption(c, 16, 12, 9);
}

void DisplayClock(PixelCanvas& c, const ArtList&) {
  c.Disc(13, 13, 12, kSlateDark);
  c.Disc(13, 13, 10.5, kWhite);
  for (int h = 0; h < 12; ++h) {
    const double a = h * M_PI / 6;
    const int len = h % 3 == 0 ? 2 : 1;
    for (int k = 0; k < len; ++k)
      c.Pixel(int(13 + std::sin(a) * (9 - k)), int(13 - std::cos(a) * (9 - k)), kInk);
  }
  c.Line(13, 13, 9, 8, kInk);  // hour hand at ten
  c.Line(12, 13, 8, 8, kInk);
  c.Line(13, 13, 19, 7, kInk);   // minute hand at ten past
  c.Line(13, 13, 13, 20, kRed);  // second hand
  c.Fill(12, 12, 2, 2, kRed);
}

void DisplayNum(PixelCanvas& c, const ArtList& art) {
  c.Fill(1, 5, 24, 17, Rgb(0, 0, 0));
  c.Frame(0, 4, 26, 19, kSlate);
  const host::BitmapImage& num = Find(art, "NUM7X13");
  const std::map<uint32_t, uint32_t> green{{colour::Silver, Rgb(0, 255, 0)},
                                           {colour::Gray, Rgb(0, 96, 0)}};
  Blit(c, 4, 7, num, 4 * 7, 0, 7, 13, 1, 0, green);
  Blit(c, 14, 7, num, 2 * 7, 0, 7, 13, 1, 0, green);
}

void Gradient(PixelCanvas& c, const ArtList&) {
  c.Shade(2, 2, 22, 22, [](int, int y) -> std::optional<uint32_t> {
    const int t = (y - 2) * 255 / 21;
    return Rgb(t * 3 / 4, 40 + t * 2 / 3, 160 + t * 95 / 255);
  });
  c.Frame(2, 2, 22, 22, kInk);
}

void ImageThinger(PixelCanvas& c, const ArtList&) {
  c.Frame(2, 2, 22, 22, Rgb(255, 190, 0));
  c.Frame(3, 3, 20, 20, Rgb(255, 230, 120));
  Picture(c, 4, 4, 18, 18);
}

// Striped bar images: thin light and dark lines, as in the title bar.
void Stripes(PixelCanvas& c, int x, int y, int w, int h, uint32_t light, uint32_t dark) {
  for (int j = 0; j < h; ++j) c.Fill(x, y + j, w, 1, j % 2 ? dark : light);
}

void ImgBarre(PixelCanvas& c, const ArtList&) {
  c.Fill(1, 4, 24, 18, kSlate);
  Stripes(c, 2, 5, 22, 7, kSlateLight, kSlate);
  Stripes(c, 2, 14, 22, 7, Rgb(120, 120, 136), kSlate);
  c.Frame(1, 4, 24, 18, kSlateDark);
}

void MixViewer(PixelCanvas& c, const ArtList&) {
  c.Fill(1, 1, 24, 24, Rgb(0, 0, 0));
  const int heights[] = {7, 10, 5, 9, 4};
  for (int col = 0; col < 5; ++col)
    for (int seg = 0; seg < 11; ++seg) {
      const bool lit = seg < heights[col];
      const uint32_t on = seg >= 9 ? kRed : seg >= 7 ? kYellow : kGreen;
      const uint32_t off = seg >= 9 ? kDarkRed : seg >= 7 ? kDarkYellow : kDarkGreen;
      c.Fill(3 + col * 4, 22 - seg * 2, 3, 1, lit ? on : off);
    }
}

// A skinned panel: border, raised ring, slate band.
void SkinnedPanel(PixelCanvas& c, int x, int y, int w, int h) {
  c.Fill(x, y, w, h, kSlate);
  c.Frame(x, y, w, h, Rgb(85, 74, 74));
  c.Bevel(x + 1, y + 1, w - 2, h - 2, kSlateLight, kSlateDark);
}

void Panel(PixelCanvas& c, const ArtList&) {
  SkinnedPanel(c, 1, 3, 24, 20);
  c.Bevel(4, 6, 18, 14, kSlateDark, kSlateLight);
}

void PanelApply(PixelCanvas& c, const ArtList&) {
  SkinnedPanel(c, 1, 3, 24, 20);
  Slab(c, 4, 12, 18, 8, kFace, kFaceLight, kFaceDark);
  c.Map(10, 13, {".....#", "....##", "#..##.", "####..", ".##..."}, {{'#', Rgb(0, 110, 0)}});
  Caption(c, 4, 7, 14);
}

void PanelFooter(PixelCanvas& c, const ArtList&) {
  Window(c, 1, 1, 24, 24);
  c.Fill(2, 18, 22, 6, kSlate);
  c.Fill(2, 18, 22, 1, kSlateLight);
  c.Map(17, 19, {"....#", "...##", "..#.#", ".#..#", "#####"}, {{'#', kSlateLight}});
}

void PanelThinger(PixelCanvas& c, const ArtList&) {
  c.Fill(1, 1, 24, 24, Rgb(150, 150, 150));
  c.Bevel(1, 1, 24, 24, Rgb(200, 200, 200), Rgb(100, 100, 100));
  Picture(c, 3, 3, 9, 9);
  Picture(c, 14, 3, 9, 9);
  Picture(c, 3, 14, 9, 9);
  Picture(c, 14, 14, 9, 9);
}

void PanelTitle(PixelCanvas& c, const ArtList&) {
  c.Fill(0, 6, 26, 14, kSlate);
  Stripes(c, 1, 8, 6, 10, kSlateLight, kSlate);
  Stripes(c, 19, 8, 6, 10, kSlateLight, kSlate);
  pixelart::DrawText(c, 8, 10, "ABC", kWhite);
  c.Frame(0, 6, 26, 14, kSlateDark);
}

void PanelTools(PixelCanvas& c, const ArtList&) {
  SkinnedPanel(c, 1, 6, 24, 14);
  for (int i = 0; i < 3; ++i) Slab(c, 3 + i * 7, 8, 6, 6, kFace, kFaceLight, kFaceDark);
  c.Pixel(5, 10, kRed), c.Pixel(6, 10, kRed), c.Pixel(5, 11, kRed), c.Pixel(6, 11, kRed);
  c.Fill(12, 10, 2, 2, kBlue);
  c.Fill(19, 10, 2, 2, kGreen);
  Caption(c, 3, 16, 19);
}

void ProgressBarColor(PixelCanvas& c, const ArtList&) {
  c.Fill(0, 8, 26, 10, Rgb(0, 0, 0));
  for (int seg = 0; seg < 8; ++seg) {
    const bool lit = seg < 6;
    const uint32_t on = seg >= 6 ? kRed : seg >= 4 ? kYellow : kGreen;
    const uint32_t off = seg >= 6 ? kDarkRed : seg >= 4 ? kDarkYellow : kDarkGreen;
    c.Fill(1 + seg * 3, 10, 2, 6, lit ? on : off);
  }
}

void ScanBar(PixelCanvas& c, const ArtList&) {
  c.Fill(0, 8, 26, 10, Rgb(0, 0, 0));
  const uint32_t shades[] = {Rgb(60, 0, 0), Rgb(120, 0, 0), kRed, Rgb(160, 0, 0), Rgb(60, 0, 0)};
  for (int i = 0; i < 8; ++i) {
    const int k = i - 2;
    const uint32_t col = k >= 0 && k < 5 ? shades[k] : Rgb(40, 0, 0);
    c.Fill(1 + i * 3, 11, 2, 4, col);
  }
  c.Map(3, 2,
        {"..#..............#..", ".##..............##.", "####################",
         ".##..............##.", "..#..............#.."},
        {{'#', kInk}});
}

void SimpleLed(PixelCanvas& c, const ArtList&) {
  c.Disc(9, 12, 7.5, kDarkRed);
  c.Disc(8.6, 11.6, 6.5, kRed);
  c.Disc(7, 9.5, 2.2, Rgb(255, 120, 120));
  c.Fill(6, 8, 2, 2, kWhite);
  Caption(c, 18, 9, 7);
  Caption(c, 18, 13, 7);
}

void Thinger(PixelCanvas& c, const ArtList&) {
  c.Fill(0, 5, 26, 16, Rgb(0, 0, 0));
  c.Frame(0, 5, 26, 16, Rgb(85, 74, 74));
  Slab(c, 1, 6, 5, 14, kFace, kFaceLight, kFaceDark, kFace);
  Slab(c, 20, 6, 5, 14, kFace, kFaceLight, kFaceDark, kFace);
  c.Map(2, 10, {"..#", ".##", "###", ".##", "..#"}, {{'#', kInk}});
  c.Map(21, 10, {"#..", "##.", "###", "##.", "#.."}, {{'#', kInk}});
  Picture(c, 7, 8, 6, 10);
  Picture(c, 14, 8, 5, 10);
}

void Thread(PixelCanvas& c, const ArtList&) {
  // A cog: a toothed ring round a hub.
  for (int t = 0; t < 8; ++t) {
    const double a = t * M_PI / 4;
    c.Disc(12 + std::cos(a) * 8.5, 12 + std::sin(a) * 8.5, 2.2, Rgb(90, 96, 110));
  }
  c.Disc(12, 12, 8, Rgb(120, 128, 146));
  c.Disc(12, 12, 6, Rgb(160, 168, 186));
  c.Disc(12, 12, 2.6, kBack);
  // A thread running through it.
  for (int x = 0; x < 26; ++x) c.Fill(x, int(20 + 2.5 * std::sin(x * 0.55)), 1, 2, kRed);
}

void Timer(PixelCanvas& c, const ArtList&) {
  c.Fill(11, 1, 4, 3, kSlateDark);
  c.Fill(12, 4, 2, 2, kSlateDark);
  c.Line(20, 4, 22, 6, kSlateDark);
  c.Disc(13, 15, 10, kSlateDark);
  c.Disc(13, 15, 8.5, kWhite);
  for (int h = 0; h < 12; h += 3) {
    const double a = h * M_PI / 6;
    c.Pixel(int(13 + std::sin(a) * 7.5), int(15 - std::cos(a) * 7.5), kInk);
  }
  c.Line(13, 15, 17, 10, kRed);
  c.Line(13, 15, 13, 10, kInk);
  c.Fill(12, 14, 2, 2, kInk);
}

void TriLeds(PixelCanvas& c, const ArtList&) {
  c.Fill(7, 0, 12, 26, kSlateDark);
  c.Frame(7, 0, 12, 26, kInk);
  Lamp(c, 13, 5, 3.8, kRed, kDarkRed);
  Lamp(c, 13, 13, 3.8, kYellow, kDarkYellow);
  Lamp(c, 13, 21, 3.8, kGreen, kDarkGreen);
}

struct IconDef {
  const char* name;
  std::function<void(PixelCanvas&, const ArtList&)> draw;
};

}  // namespace

void AddIconArt(ArtList& out) {
  const IconDef icons[] = {
      {"TKXAPPLICATIONEVENTS", ApplicationEvents},
      {"TKXBARREMENU", BarreMenu},
      {"TKXBORDERLED", BorderLed},
      {"TKXBTEXIT", BtExit},
      {"TKXBTLANGUAGE", BtLanguage},
      {"TKXBTMENU", BtMenu},
      {"TKXBUTTON", Button},
      {"TKXBUTTONIMAGE", ButtonImage},
      {"TKXCHECKBOX", CheckBox},
      {"TKXDISPLAYCLOCK", DisplayClock},
      {"TKXDISPLAYNUM", DisplayNum},
      {"TKXGRADIENT", Gradient},
      {"TKXIMAGETHINGER", ImageThinger},
      {"TKXIMGBARRE", ImgBarre},
      {"TKXMIXVIEWER", MixViewer},
      {"TKXPANEL", Panel},
      {"TKXPANELAPPLY", PanelApply},
      {"TKXPANELFOOTER", PanelFooter},
      {"TKXPANELTHINGER", PanelThinger},
      {"TKXPANELTITLE", PanelTitle},
      {"TKXPANELTOOLS", PanelTools},
      {"TKXPROGRESSBARCOLOR", ProgressBarColor},
      {"TKXSCANBAR", ScanBar},
      {"TKXSIMPLELED", SimpleLed},
      {"TKXTHINGER", Thinger},
      {"TKXTHREAD", Thread},
      {"TKXTIMER", Timer},
      {"TKXTRILEDS", TriLeds},
  };
  ArtList icons_out;
  for (const IconDef& icon : icons) {
    Artwork a{icon.name, NewImage(26, 26, host::pf8bit, kBack)};
    PixelCanvas canvas(a.image);
    icon.draw(canvas, out);
    icons_out.push_back(std::move(a));
  }
  for (Artwork& a : icons_out) out.push_back(std::move(a));
}

}  // namespace kxartgen
