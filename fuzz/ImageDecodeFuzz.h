#pragma once
// One run of the BMP and PNG decoders on arbitrary bytes, shared by the
// libFuzzer target and the test that replays the inputs it found. Aborts on a
// fault: bad input may raise EInvalidGraphic and nothing else, and an image
// that decodes must come back unchanged from an encode and a decode.
#include <cstdint>
#include <cstdlib>

#include "host/base/SysUtils.h"
#include "host/graphics/BmpCodec.h"
#include "host/graphics/PngCodec.h"

namespace fuzz {

inline void CheckImage(bool ok) {
  if (!ok) std::abort();
}

inline host::BitmapImage DecodeImage(const uint8_t* data, size_t size, bool png) {
  return png ? host::DecodePng(data, size) : host::DecodeBmp(data, size);
}

inline void DecodeImageBytes(const uint8_t* data, size_t size) {
  for (bool png : {false, true}) {
    host::BitmapImage image;
    try {
      image = DecodeImage(data, size, png);
    } catch (const host::EInvalidGraphic&) {
      continue;
    }
    const std::vector<uint8_t> bytes = png ? host::EncodePng(image) : host::EncodeBmp(image);
    const host::BitmapImage back = DecodeImage(bytes.data(), bytes.size(), png);
    CheckImage(back.Width == image.Width && back.Height == image.Height &&
               back.Pixels == image.Pixels);
  }
}

}  // namespace fuzz
