#include "host/graphics/BitmapImage.h"

#include <algorithm>

#include "host/base/SysUtils.h"

namespace host {

void BitmapImage::SetSize(int32_t width, int32_t height, uint32_t fill) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == Width && height == Height) return;
  if (int64_t{width} * height > kMaxBitmapPixels)
    throw EOutOfResources(Format("Cannot create a %d x %d bitmap: more than %lld pixels", width,
                                 height, static_cast<long long>(kMaxBitmapPixels)));
  std::vector<uint32_t> pixels(static_cast<size_t>(width) * height, fill);
  const int32_t keepW = std::min(width, Width), keepH = std::min(height, Height);
  for (int32_t y = 0; y < keepH; ++y)
    std::copy_n(Row(y), keepW, pixels.data() + static_cast<size_t>(y) * width);
  Pixels.swap(pixels);
  Width = width;
  Height = height;
}

}  // namespace host
