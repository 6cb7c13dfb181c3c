#include "host/graphics/Resources.h"

#include "host/graphics/BmpCodec.h"
#include "host/graphics/PngCodec.h"

namespace host {

HBITMAP LoadBitmap(HMODULE module, std::string_view name) {
  const std::span<const uint8_t> data = FindResourceData(module, name, RT_BITMAP);
  if (LooksLikePng(data.data(), data.size()))
    return new BitmapImage(DecodePng(data.data(), data.size()));
  return new BitmapImage(DecodeBmp(data.data(), data.size()));
}

}  // namespace host
