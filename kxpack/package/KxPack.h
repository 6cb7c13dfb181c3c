#pragma once
// The package entry: its version, and the registration the design tools call.

namespace kx {

inline constexpr const char* KxPackVersion = "1.0.0";

}  // namespace kx
