#include "tools/kxartgen/Artwork.h"

namespace kxartgen {

namespace {

// The standard 16-colour palette in its usual order.
const std::vector<uint32_t>& Standard16() {
  static const std::vector<uint32_t> palette = {
      0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
      0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
  return palette;
}

}  // namespace

host::BitmapImage NewImage(int width, int height, host::TPixelFormat format, uint32_t fill) {
  host::BitmapImage image(width, height, fill);
  image.PixelFormat = format;
  if (format == host::pf4bit) image.Palette = Standard16();
  return image;
}

}  // namespace kxartgen
