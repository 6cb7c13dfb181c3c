#pragma once
// PNG files through libpng.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "host/graphics/BitmapImage.h"

namespace host {

// Raises EInvalidGraphic for truncated or corrupt data.
BitmapImage DecodePng(const uint8_t* data, size_t size);
std::vector<uint8_t> EncodePng(const BitmapImage& image);
bool LooksLikePng(const uint8_t* data, size_t size);

}  // namespace host
