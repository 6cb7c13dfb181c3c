#pragma once
// The free functions the controls share: integer and rectangle helpers, colour
// decomposition, the painters, bitmap array helpers, the owner lookup and the
// registry helpers. None keeps any state.
#include <string>

#include "host/base/Types.h"
#include "host/system/Registry.h"

namespace kx {

using host::Byte;
using host::HKEY;
using host::Integer;
using host::TColor;
using host::TPoint;
using host::TRect;

// --- Integers and rectangles ----------------------------------------------------

inline Integer MinIntVal(Integer A, Integer B) { return A < B ? A : B; }
inline Integer MaxIntVal(Integer A, Integer B) { return A > B ? A : B; }

// Percent per cent of Total, computed as (Percent × 0.01) × Total in 80-bit
// extended arithmetic and truncated. 0.01 is not exact in binary, so some
// exact cases come out one short: SolveForX(10, 10) is 0, SolveForX(20, 10) is 1.
Integer SolveForX(Integer Percent, Integer Total);
// Value as a percentage of Total (Value × 100 / Total, truncated); 0 when
// Total is 0.
Integer SolveForY(Integer Value, Integer Total);

inline Integer WidthOf(const TRect& R) { return R.Right - R.Left; }
inline Integer HeightOf(const TRect& R) { return R.Bottom - R.Top; }

// Clamps Value to Min..Max; Min is tested first, so with Min > Max a value
// below Min ends at Min.
inline void AdjustRange(Integer& Value, Integer Min, Integer Max) {
  if (Value < Min)
    Value = Min;
  else if (Value > Max)
    Value = Max;
}

// --- Colours --------------------------------------------------------------------

// A system colour ($FF0000nn) resolved to the RGB value of its index; any
// other colour unchanged.
Integer Color2RGB(TColor Color);
// The red, green and blue bytes of a colour ($00BBGGRR), system colours resolved.
void GetRGB(TColor Color, Byte& R, Byte& G, Byte& B);

// --- Registry -----------------------------------------------------------------------
// Each works on a registry object of its own with full access. A failure of
// the store shows a message box and returns False.

// Value := Default, then the named value of Key when Key exists (Key is never
// created). True when the key could be opened.
bool RegRead(HKEY RootKey, const std::string& Key, const std::string& Name,
             const std::string& Default, std::string& Value);
// Stores the value, creating Key when missing.
bool RegWrite(HKEY RootKey, const std::string& Key, const std::string& Name,
              const std::string& Value);
// Deletes the value; Key is created when missing.
bool RegDelValue(HKEY RootKey, const std::string& Key, const std::string& Name);

}  // namespace kx
