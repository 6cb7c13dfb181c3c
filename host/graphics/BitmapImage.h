#pragma once
// The pixels behind a bitmap handle (HBITMAP): 32-bit words 0x00RRGGBB in
// top-down rows. The declared pixel format (monochrome, 4-bit, 8-bit, 24-bit
// …) is kept as metadata for saving; in memory every pixel is 32-bit.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace host {

enum TPixelFormat {
  pfDevice,
  pf1bit,
  pf4bit,
  pf8bit,
  pf15bit,
  pf16bit,
  pf24bit,
  pf32bit,
  pfCustom
};

struct BitmapImage {
  int32_t Width = 0;
  int32_t Height = 0;
  TPixelFormat PixelFormat = pfDevice;
  // The colour table a palettised file came with (0x00RRGGBB), kept so that a
  // load and save keeps the palette order; empty for direct-colour images.
  std::vector<uint32_t> Palette;
  std::vector<uint32_t> Pixels;

  BitmapImage() = default;
  BitmapImage(int32_t width, int32_t height, uint32_t fill = 0) { SetSize(width, height, fill); }

  bool Empty() const { return Width <= 0 || Height <= 0; }
  // Resizes to width × height; new pixels take fill, kept pixels keep their
  // place (top-left anchored), as a bitmap's size change does. Raises
  // EOutOfResources, and changes nothing, above kMaxBitmapPixels.
  void SetSize(int32_t width, int32_t height, uint32_t fill = 0);
  uint32_t* Row(int32_t y) { return Pixels.data() + static_cast<size_t>(y) * Width; }
  const uint32_t* Row(int32_t y) const { return Pixels.data() + static_cast<size_t>(y) * Width; }
  uint32_t& At(int32_t x, int32_t y) { return Row(y)[x]; }
  uint32_t At(int32_t x, int32_t y) const { return Row(y)[x]; }
};

using HBITMAP = BitmapImage*;

// The most pixels a bitmap may hold (8192 × 8192, 256 MB): a larger one is
// refused before anything is allocated, so that a size from a file or a
// property cannot ask for gigabytes.
inline constexpr int64_t kMaxBitmapPixels = int64_t{1} << 26;

}  // namespace host
