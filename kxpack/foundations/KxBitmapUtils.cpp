#include "kxpack/foundations/KxBitmapUtils.h"

#include "host/graphics/Bitmap.h"

namespace kx {

TRect BitmapRect(host::TBitmap* Bitmap) {
  return Bitmap ? TRect{0, 0, Bitmap->Width(), Bitmap->Height()} : TRect{};
}

void AllocateBitmaps(std::span<std::unique_ptr<host::TBitmap>> Bitmaps) {
  for (auto& bitmap : Bitmaps) bitmap = std::make_unique<host::TBitmap>();
}

void DeallocateBitmaps(std::span<std::unique_ptr<host::TBitmap>> Bitmaps) {
  for (auto& bitmap : Bitmaps) bitmap.reset();
}

}  // namespace kx
