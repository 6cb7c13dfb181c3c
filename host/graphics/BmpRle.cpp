#include "host/graphics/BmpRle.h"

#include "host/base/SysUtils.h"

namespace host {

namespace {

// Walks the escape-coded stream and writes indices into a bottom-up image.
class RleDecoder {
 public:
  RleDecoder(const uint8_t* data, size_t size, int32_t width, int32_t height, int bitsPerPixel)
      : data_(data),
        size_(size),
        width_(width),
        height_(height),
        rle4_(bitsPerPixel == 4),
        indices_(static_cast<size_t>(width) * height, 0) {}

  std::vector<uint8_t> Run() {
    for (;;) {
      if (!Has(2)) {
        if (y_ >= height_) break;  // complete image; the end-of-bitmap marker is missing
        RaiseInvalidBitmap(Format("RLE data truncated at row %d of %d", y_, height_));
      }
      const uint8_t count = data_[pos_], value = data_[pos_ + 1];
      pos_ += 2;
      if (count > 0) {
        CheckRun(count);
        for (int i = 0; i < count; ++i) Put(rle4_ ? ((i & 1) ? value & 0x0F : value >> 4) : value);
      } else if (value == 0) {  // end of line
        x_ = 0;
        ++y_;
      } else if (value == 1) {  // end of bitmap
        break;
      } else if (value == 2) {
        Delta();
      } else {
        Absolute(value);
      }
    }
    return std::move(indices_);
  }

 private:
  bool Has(size_t n) const { return n <= size_ - pos_; }

  void CheckRun(int count) {
    if (y_ >= height_)
      RaiseInvalidBitmap(Format("RLE run below the last row (image is %d rows high)", height_));
    if (count > width_ - x_)
      RaiseInvalidBitmap(Format("RLE run of %d pixels at x %d passes the end of row %d (width %d)",
                                count, x_, y_, width_));
  }

  void Put(uint8_t index) { indices_[static_cast<size_t>(y_) * width_ + x_++] = index; }

  void Delta() {
    if (!Has(2)) RaiseInvalidBitmap("RLE data truncated in a delta escape");
    const int dx = data_[pos_], dy = data_[pos_ + 1];
    pos_ += 2;
    x_ += dx;
    y_ += dy;
    if (x_ > width_ || y_ > height_ || (y_ == height_ && x_ > 0))
      RaiseInvalidBitmap(Format("RLE delta moves to (%d, %d), outside the %d x %d image", x_, y_,
                                width_, height_));
  }

  // Absolute mode: count literal indices, padded to a 16-bit boundary.
  void Absolute(int count) {
    const size_t bytes = rle4_ ? (count + 1) / 2 : count;
    if (!Has(bytes)) RaiseInvalidBitmap(Format("RLE data truncated in a run of %d pixels", count));
    CheckRun(count);
    const uint8_t* p = data_ + pos_;
    for (int i = 0; i < count; ++i) Put(rle4_ ? ((i & 1) ? p[i / 2] & 0x0F : p[i / 2] >> 4) : p[i]);
    pos_ += bytes;
    if ((bytes & 1) && Has(1)) ++pos_;
  }

  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
  int32_t width_, height_;
  bool rle4_;
  int32_t x_ = 0, y_ = 0;
  std::vector<uint8_t> indices_;
};

}  // namespace

std::vector<uint8_t> DecodeRle(const uint8_t* data, size_t size, int32_t width, int32_t height,
                               int bitsPerPixel) {
  return RleDecoder(data, size, width, height, bitsPerPixel).Run();
}

}  // namespace host
