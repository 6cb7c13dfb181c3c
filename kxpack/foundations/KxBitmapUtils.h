#pragma once
// Helpers for bitmaps and arrays of them.
#include <memory>
#include <span>

#include "host/base/Types.h"

namespace host {
class TBitmap;
}  // namespace host

namespace kx {

using host::TRect;

// (0, 0, Bitmap.Width, Bitmap.Height).
TRect BitmapRect(host::TBitmap* Bitmap);
// Puts a new empty bitmap into every element, first to last (an element that
// held one frees it).
void AllocateBitmaps(std::span<std::unique_ptr<host::TBitmap>> Bitmaps);
// Frees every bitmap and leaves the elements empty.
void DeallocateBitmaps(std::span<std::unique_ptr<host::TBitmap>> Bitmaps);

}  // namespace kx
