#include "host/graphics/PngCodec.h"

#include <png.h>

#include <cstring>

#include "host/base/SysUtils.h"

namespace host {

namespace {

constexpr png_uint_32 kMaxSide = 32768;

// libpng's simplified interface keeps its longjmp inside the library and
// reports failures in image.message, so no C++ frame is ever jumped over.
struct PngImage {
  png_image image;
  PngImage() {
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
  }
  ~PngImage() { png_image_free(&image); }
  [[noreturn]] void Fail(const char* action) const {
    throw EInvalidGraphic(Format("PNG image is not valid: %s (%s)", image.message, action));
  }
};

}  // namespace

bool LooksLikePng(const uint8_t* data, size_t size) {
  return size >= 8 && png_sig_cmp(data, 0, 8) == 0;
}

BitmapImage DecodePng(const uint8_t* data, size_t size) {
  if (!LooksLikePng(data, size)) throw EInvalidGraphic("PNG image is not valid: missing signature");
  PngImage png;
  if (!png_image_begin_read_from_memory(&png.image, data, size)) png.Fail("reading the header");
  const png_uint_32 w = png.image.width, h = png.image.height;
  if (w == 0 || h == 0 || w > kMaxSide || h > kMaxSide ||
      uint64_t(w) * h > uint64_t{kMaxBitmapPixels})
    throw EInvalidGraphic(Format("PNG image is not valid: %u x %u pixels is larger than supported",
                                 unsigned(w), unsigned(h)));
  // Three bytes per pixel, blue first; translucent pixels are composed on black.
  png.image.format = PNG_FORMAT_BGR;
  std::vector<uint8_t> rgb(size_t(w) * h * 3);
  const png_color black{0, 0, 0};
  if (!png_image_finish_read(&png.image, &black, rgb.data(), 0, nullptr))
    png.Fail("reading the pixels");

  BitmapImage image(static_cast<int32_t>(w), static_cast<int32_t>(h));
  image.PixelFormat = pf24bit;
  const uint8_t* src = rgb.data();
  for (uint32_t& p : image.Pixels) {
    p = uint32_t(src[2]) << 16 | uint32_t(src[1]) << 8 | src[0];
    src += 3;
  }
  return image;
}

std::vector<uint8_t> EncodePng(const BitmapImage& image) {
  if (image.Empty()) throw EInvalidGraphic("Cannot save an empty image");
  if (image.Pixels.size() != size_t(image.Width) * image.Height)
    throw EInvalidGraphic("Cannot save an image whose pixels do not match its size");
  std::vector<uint8_t> rgb(image.Pixels.size() * 3);
  uint8_t* dst = rgb.data();
  for (uint32_t p : image.Pixels) {
    dst[0] = uint8_t(p);
    dst[1] = uint8_t(p >> 8);
    dst[2] = uint8_t(p >> 16);
    dst += 3;
  }
  PngImage png;
  png.image.width = png_uint_32(image.Width);
  png.image.height = png_uint_32(image.Height);
  png.image.format = PNG_FORMAT_BGR;
  png_alloc_size_t bytes = 0;
  if (!png_image_write_to_memory(&png.image, nullptr, &bytes, 0, rgb.data(), 0, nullptr))
    png.Fail("measuring the output");
  std::vector<uint8_t> out(bytes);
  if (!png_image_write_to_memory(&png.image, out.data(), &bytes, 0, rgb.data(), 0, nullptr))
    png.Fail("writing");
  out.resize(bytes);
  return out;
}

}  // namespace host
