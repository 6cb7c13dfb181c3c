#pragma once
// The package entry: its version, and the registration the design tools call.
#include "host/graphics/Resources.h"

namespace kx {

inline constexpr const char* KxPackVersion = "1.0.0";

// The name the package's module is registered under (host::FindModule).
inline constexpr const char* KxPackModuleName = "kxpack";

// The package's own module, which carries its bitmap resources and stored form
// layouts: the handle the components pass to host::LoadBitmap.
host::HMODULE HInstance();

}  // namespace kx
