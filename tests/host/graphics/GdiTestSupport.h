#pragma once
// Small helpers for pixel assertions on GDI surfaces.
#include <string>
#include <vector>

#include "host/graphics/BitmapImage.h"
#include "host/graphics/Color.h"
#include "host/graphics/Gdi.h"
#include "tests/support/Pixels.h"

namespace gdi_test {

// A surface and a DC on it, released together.
struct Surface {
  host::BitmapImage Image;
  host::HDC DC;
  Surface(int w, int h, uint32_t fill = 0xFFFFFF, host::TPoint origin = {},
          const host::Region* clip = nullptr)
      : Image(w, h, fill), DC(host::CreateSurfaceDC(&Image, origin, clip)) {}
  ~Surface() { host::DeleteDC(DC); }
  Surface(const Surface&) = delete;
  Surface& operator=(const Surface&) = delete;

  // One string per row: '#' where the pixel word is `ink`, '.' elsewhere.
  std::vector<std::string> Picture(uint32_t ink) const {
    return host::testing::AsciiRows(Image, {{host::PixelToColor(ink), '#'}}, '.');
  }
};

}  // namespace gdi_test
