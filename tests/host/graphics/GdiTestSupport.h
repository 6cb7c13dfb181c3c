#pragma once
// Small helpers for pixel assertions on GDI surfaces.
#include <string>
#include <vector>

#include "host/graphics/BitmapImage.h"
#include "host/graphics/Gdi.h"

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

  // One string per row: '#' where the pixel is `ink`, '.' elsewhere.
  std::vector<std::string> Picture(uint32_t ink) const {
    std::vector<std::string> rows;
    for (int y = 0; y < Image.Height; ++y) {
      std::string row;
      for (int x = 0; x < Image.Width; ++x) row += Image.At(x, y) == ink ? '#' : '.';
      rows.push_back(row);
    }
    return rows;
  }
};

}  // namespace gdi_test
