#pragma once
// Run-length decoding of 4- and 8-bit bitmap pixel data (BI_RLE4, BI_RLE8).
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace host {

// Raises EInvalidGraphic "Bitmap image is not valid: <detail>".
[[noreturn]] void RaiseInvalidBitmap(const std::string& detail);

// Decodes run-length data into one palette index per pixel, rows bottom-up as
// stored (row 0 of the result is the bottom row of the picture). Pixels the
// stream skips (delta and end-of-line escapes) keep index 0. Raises
// EInvalidGraphic when a run or delta leaves the image or the data ends before
// the image is complete.
std::vector<uint8_t> DecodeRle(const uint8_t* data, size_t size, int32_t width, int32_t height,
                               int bitsPerPixel);

}  // namespace host
