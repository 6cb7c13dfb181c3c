#pragma once
// The free functions the controls share: integer and rectangle helpers, colour
// decomposition, the painters, bitmap array helpers, the owner lookup and the
// registry helpers. None keeps any state.
#include <memory>
#include <span>
#include <string>

#include "host/base/Types.h"
#include "host/system/Registry.h"
#include "kxpack/foundations/KxTypes.h"

namespace host {
class TBitmap;
class TCanvas;
class TWinControl;
}  // namespace host

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

// --- Painters ------------------------------------------------------------------

// Paints a gradient over Rect in bands (or, for the chords, pen lines) of
// ColorWidth pixels: step i = 0, ColorWidth, 2 × ColorWidth … while i <= D has
// the colour Start + (End − Start) × i div D per channel, with D the height
// (tgdUpDown), the width (tgdLeftRight) or their sum (chords). Bands are not
// clipped to Rect, and the chords use canvas coordinates, not Rect's corner.
// Nothing is painted when D is 0 or ColorWidth is below 1.
void DrawGradientExt(host::TCanvas* Canvas, const TRect& Rect, TColor StartColor, TColor EndColor,
                     TKxGradDirection Direction, Integer ColorWidth);
// Paints Width rings inward from Rect, each with its left and top edges in
// TopColor and its right and bottom edges in BottomColor (the top-right and
// bottom-left corner pixels take BottomColor), and returns in Rect the area
// inside them.
void DrawFrame3D(host::TCanvas* Canvas, TRect& Rect, TColor TopColor, TColor BottomColor,
                 Integer Width);
// As DrawFrame3D, except that the bottom-left corner pixel of each ring keeps
// TopColor.
void DrawOutline3D(host::TCanvas* Canvas, TRect& Rect, TColor TopColor, TColor BottomColor,
                   Integer Width);
// Covers Rect with copies of Bitmap side by side from its top-left corner;
// the copies at the right and bottom are cut at Rect's edges. An empty
// bitmap paints nothing.
void DrawTiledBitmap(host::TCanvas* Canvas, const TRect& Rect, host::TBitmap* Bitmap);
// Places an image of ImageSize and Caption (measured in the canvas's font)
// inside Client: returns the image's top-left corner in ImagePos and the
// caption's rectangle in TextBounds, both moved by Offset. Margin and Spacing
// of −1 are chosen automatically; any other value, 0 included, is used as is.
void CalcImageTextLayout(host::TCanvas* Canvas, const TRect& Client, const TPoint& Offset,
                         const std::string& Caption, TKxImageTextLayout Layout, Integer Margin,
                         Integer Spacing, const TPoint& ImageSize, TPoint& ImagePos,
                         TRect& TextBounds);

// --- Bitmaps ------------------------------------------------------------------------

// (0, 0, Bitmap.Width, Bitmap.Height).
TRect BitmapRect(host::TBitmap* Bitmap);
// Puts a new empty bitmap into every element, first to last (an element that
// held one frees it).
void AllocateBitmaps(std::span<std::unique_ptr<host::TBitmap>> Bitmaps);
// Frees every bitmap and leaves the elements empty.
void DeallocateBitmaps(std::span<std::unique_ptr<host::TBitmap>> Bitmaps);

// --- Owner ------------------------------------------------------------------------

// Follows the Owner chain up from Component's owner for as long as each owner
// is a windowed control, and returns the last one reached (as a rule the
// form); nil when Component (or its owner) is nil or the owner is not windowed.
host::TWinControl* GetOwnerControl(host::TComponent* Component);

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
