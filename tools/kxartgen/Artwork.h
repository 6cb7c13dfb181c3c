#pragma once
// The package's bitmap resources, each drawn by code: one function per family
// appends its images to the list.
#include <string>
#include <vector>

#include "host/graphics/BitmapImage.h"
#include "tools/pixelart/PixelCanvas.h"

namespace kxartgen {

struct Artwork {
  std::string name;  // resource name, upper case
  host::BitmapImage image;
};
using ArtList = std::vector<Artwork>;

// A black image of the given size and depth. 16-colour images carry the
// standard 16-colour palette, which holds every key colour of the glyphs.
host::BitmapImage NewImage(int width, int height, host::TPixelFormat format, uint32_t fill = 0);

// The glyph key colours and the standard colours the artwork uses, as pixels.
namespace colour {
using pixelart::Px;
inline constexpr uint32_t Black = Px(0x000000);
inline constexpr uint32_t Maroon = Px(0x000080);  // LED off body
inline constexpr uint32_t Red = Px(0x0000FF);     // LED on body
inline constexpr uint32_t Green = Px(0x008000);
inline constexpr uint32_t Lime = Px(0x00FF00);
inline constexpr uint32_t Olive = Px(0x008080);
inline constexpr uint32_t Yellow = Px(0x00FFFF);
inline constexpr uint32_t Navy = Px(0x800000);
inline constexpr uint32_t Blue = Px(0xFF0000);
inline constexpr uint32_t Gray = Px(0x808080);    // unlit key colour
inline constexpr uint32_t Silver = Px(0xC0C0C0);  // lit key colour
inline constexpr uint32_t White = Px(0xFFFFFF);
}  // namespace colour

void AddDigitArt(ArtList& out);   // NUM*, CLOCKSEP*, AMPM*
void AddLedArt(ArtList& out);     // LI_*, LIGHTS_*
void AddButtonArt(ArtList& out);  // window buttons, close button, carousel arrows
void AddFlagArt(ArtList& out);    // BTWEBUS, BTWEBDE, BTWEBFR
void AddIconArt(ArtList& out);    // the 26 × 26 palette icons

}  // namespace kxartgen
