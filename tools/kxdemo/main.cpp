// kxdemo [OUTPUT.png]
//
// Renders a sheet of every bitmap resource of the package, loaded from the
// package's module the way the components load them, and shows each LED strip
// and digit strip once more recoloured by a few palettes, as the displays and
// LEDs recolour them. Writes the sheet as a PNG (by default demo/resources.png
// in the build folder) and prints its path.
#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>

#include "host/base/SysUtils.h"
#include "host/graphics/PngCodec.h"
#include "host/graphics/Resources.h"
#include "kxpack/package/KxPack.h"
#include "tools/pixelart/ContactSheet.h"
#include "tools/pixelart/PixelCanvas.h"

namespace {

using host::BitmapImage;
using host::TColor;
using pixelart::Px;

// A palette as the components use it: Low replaces the unlit key colour,
// High the lit one.
struct Palette {
  const char* name;
  TColor low, high;
};

// Key colours: digit strips use $808080 / $C0C0C0, LED strips $000080 / $0000FF.
struct Keys {
  TColor low, high;
};
constexpr Keys kDigitKeys{0x808080, 0xC0C0C0};
constexpr Keys kLedKeys{0x000080, 0x0000FF};

constexpr Palette kDigitPalettes[] = {
    {"green", 0x004000, 0x00FF00}, {"amber", 0x002040, 0x00B0FF}, {"ice", 0x604020, 0xFFE0A0}};
constexpr Palette kLedPalettes[] = {
    {"green", 0x004000, 0x00FF00}, {"blue", 0x600000, 0xFF9020}, {"amber", 0x004060, 0x00C0FF}};

BitmapImage Recoloured(const BitmapImage& image, Keys keys, const Palette& p) {
  BitmapImage out = image;
  for (uint32_t& px : out.Pixels) {
    if (px == Px(keys.low))
      px = Px(p.low);
    else if (px == Px(keys.high))
      px = Px(p.high);
  }
  return out;
}

bool StartsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

// Which section a resource belongs in, and how it is recoloured (if at all).
struct Section {
  const char* heading;
  std::vector<const char*> prefixes;
  const Keys* keys;
  int scale;
};

const Section kSections[] = {
    {"DIGIT STRIPS, COLONS AND AM/PM", {"NUM", "CLOCKSEP", "AMPM"}, &kDigitKeys, 3},
    {"LED STRIPS", {"LI_"}, &kLedKeys, 5},
    {"THREE-COLOUR LAMPS", {"LIGHTS_"}, nullptr, 4},
    {"BUTTONS, LANGUAGE PICTURES, CAROUSEL ARROWS", {"BT"}, nullptr, 4},
    {"PALETTE ICONS", {"TKX"}, nullptr, 3},
};

void AddSection(pixelart::ContactSheet& sheet, const Section& section,
                const std::vector<std::string>& names) {
  sheet.NewRow(section.heading);
  std::vector<std::pair<std::string, std::unique_ptr<BitmapImage>>> images;
  for (const char* prefix : section.prefixes)
    for (const std::string& name : names)
      if (StartsWith(name, prefix))
        images.emplace_back(name, host::LoadBitmap(kx::HInstance(), name));
  for (const auto& [name, image] : images) sheet.Add(name, *image, section.scale);
  if (!section.keys) return;
  const auto& palettes = section.keys == &kDigitKeys ? kDigitPalettes : kLedPalettes;
  for (const Palette& p : palettes) {
    sheet.NewRow();
    for (const auto& [name, image] : images)
      sheet.Add(name + " " + p.name, Recoloured(*image, *section.keys, p), section.scale);
  }
}

}  // namespace

int main(int argc, char** argv) {
  const std::filesystem::path out =
      argc > 1 ? std::filesystem::path(argv[1])
               : std::filesystem::path(KX_BINARY_DIR) / "demo" / "resources.png";
  try {
    std::vector<std::string> names = host::EnumResourceNames(kx::HInstance(), host::RT_BITMAP);
    std::sort(names.begin(), names.end());
    pixelart::ContactSheet sheet(1280, 0x26262C, 0xE8E8E8);
    for (const Section& section : kSections) AddSection(sheet, section, names);
    const std::vector<uint8_t> png = host::EncodePng(sheet.Render());
    if (out.has_parent_path()) std::filesystem::create_directories(out.parent_path());
    std::ofstream file(out, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(png.data()), std::streamsize(png.size()));
    if (!file) throw std::runtime_error("cannot write " + out.string());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "kxdemo: %s\n", e.what());
    return 1;
  }
  std::printf("%s\n", out.string().c_str());
  return 0;
}
