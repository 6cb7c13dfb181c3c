#pragma once
// Colour decomposition: system colours resolved, a colour split into its bytes.
#include "host/base/Types.h"

namespace kx {

using host::Byte;
using host::Integer;
using host::TColor;

// A system colour ($FF0000nn) resolved to the RGB value of its index; any
// other colour unchanged.
Integer Color2RGB(TColor Color);
// The red, green and blue bytes of a colour ($00BBGGRR), system colours resolved.
void GetRGB(TColor Color, Byte& R, Byte& G, Byte& B);

}  // namespace kx
