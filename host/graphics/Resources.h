#pragma once
// Bitmaps among a module's resources.
#include <string_view>

#include "host/base/ModuleResources.h"
#include "host/graphics/BitmapImage.h"

namespace host {

// Decodes a bitmap resource into a new image the caller owns (DeleteObject);
// raises EResNotFound when missing, EInvalidGraphic when corrupt.
HBITMAP LoadBitmap(HMODULE module, std::string_view name);

}  // namespace host
