#pragma once
// Windows bitmap files (.bmp): reading 1/4/8/16/24/32-bit images, bottom-up or
// top-down, RLE4/RLE8; writing in the image's declared pixel format.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "host/graphics/BitmapImage.h"

namespace host {

// Decodes a whole .bmp file (file header included). Raises EInvalidGraphic with
// a message that says what is wrong for truncated or corrupt data.
BitmapImage DecodeBmp(const uint8_t* data, size_t size);
// Encodes as a .bmp file in image.PixelFormat (pf1bit, pf4bit, pf8bit, pf24bit,
// pf32bit; pfDevice writes 24-bit). Palettised formats use image.Palette when it
// holds every colour of the image, else a palette built from the pixels; raises
// EInvalidGraphic when the image has more colours than the format can hold.
std::vector<uint8_t> EncodeBmp(const BitmapImage& image);
bool LooksLikeBmp(const uint8_t* data, size_t size);

}  // namespace host
