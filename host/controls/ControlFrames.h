#pragma once
// Painting shared by the standard controls: 3-D rings, the sunken border of
// list-like controls and a simple scroll bar.
#include "host/graphics/Canvas.h"

namespace host {

// Draws Width rings inside R: the top and left sides in TopColor, the
// bottom and right sides in BottomColor; R shrinks by Width on each side.
void Frame3D(TCanvas* Canvas, TRect& R, TColor TopColor, TColor BottomColor, int32_t Width);

// The two-pixel sunken border; R shrinks by 2 on each side.
inline constexpr int32_t kSunkenBorder = 2;
void DrawSunkenBorder(TCanvas* Canvas, TRect& R);

// The thumb of a scroll bar in Track: as long as the part Shown of Total,
// placed by Position (0 … Total - Shown).
TRect ScrollThumbRect(const TRect& Track, bool Vertical, int32_t Shown, int32_t Total,
                      int32_t Position);
// A scroll bar in Track: a thumb as long as the part Shown of Total, placed
// by Position (0 … Total - Shown).
void DrawScrollBar(TCanvas* Canvas, const TRect& Track, bool Vertical, int32_t Shown, int32_t Total,
                   int32_t Position);

}  // namespace host
