#pragma once
// The painters the controls share: gradient, 3-D frames and outlines, tiled
// bitmap, and the layout of an image beside a caption.
#include <string>

#include "host/base/Types.h"
#include "kxpack/foundations/KxTypes.h"

namespace host {
class TBitmap;
class TCanvas;
}  // namespace host

namespace kx {

using host::Integer;
using host::TColor;
using host::TPoint;
using host::TRect;

// Paints a gradient over Rect in bands (or, for the chords, pen lines) of
// ColorWidth pixels: step i = 0, ColorWidth, 2 × ColorWidth … while i <= D has
// the colour Start + (End − Start) × i div D per channel, with D the height
// (tgdUpDown), the width (tgdLeftRight) or their sum (chords). Bands are not
// clipped to Rect, and the chords use canvas coordinates, not Rect's corner.
// Nothing is painted when D is 0 or ColorWidth is below 1. The bands leave the
// brush solid in the last step's colour, the chords the pen ColorWidth wide in it.
void DrawGradientExt(host::TCanvas* Canvas, const TRect& Rect, TColor StartColor, TColor EndColor,
                     TKxGradDirection Direction, Integer ColorWidth);
// Paints Width rings inward from Rect, each with its left and top edges in
// TopColor and its right and bottom edges in BottomColor (the top-right and
// bottom-left corner pixels take BottomColor), and returns in Rect the area
// inside them. The pen is left one pixel wide, in BottomColor when Width >= 1.
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

}  // namespace kx
