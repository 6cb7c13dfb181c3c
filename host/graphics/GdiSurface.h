#pragma once
// What the GDI calls share about a DC's surface: its clip area in surface
// coordinates and the pixel value a colour takes on it.
#include <vector>

#include "host/graphics/Gdi.h"

namespace host::gdi {

inline bool IsMonochrome(const BitmapImage& surface) { return surface.PixelFormat == pf1bit; }

// A colour as a monochrome surface holds it: the nearer of black and white.
inline uint32_t NearestMono(uint32_t pixel) {
  const int sum = (pixel & 0xFF) + ((pixel >> 8) & 0xFF) + ((pixel >> 16) & 0xFF);
  return sum >= 383 ? 0xFFFFFF : 0;
}

// The pixel word a COLORREF draws as on the DC's surface.
inline uint32_t SurfacePixel(const DeviceContext& dc, COLORREF color) {
  const uint32_t pixel = SwapRedBlue(color & 0xFFFFFF);
  return dc.Surface && IsMonochrome(*dc.Surface) ? NearestMono(pixel) : pixel;
}

inline TRect SurfaceBounds(const DeviceContext& dc) {
  return dc.Surface ? TRect{0, 0, dc.Surface->Width, dc.Surface->Height} : TRect{};
}

// Calls part(rect) for every non-empty piece of `area` (surface coordinates)
// that lies inside the DC's clip region and its surface.
template <class F>
void ForEachClipPart(const DeviceContext& dc, const TRect& area, F&& part) {
  const TRect visible = Intersection(area, SurfaceBounds(dc));
  if (visible.IsEmpty()) return;
  if (!dc.Clip) {
    part(visible);
    return;
  }
  for (const TRect& r : dc.Clip->Rects()) {
    const TRect piece = Intersection(visible, r);
    if (!piece.IsEmpty()) part(piece);
  }
}

// The clip area as disjoint rectangles in surface coordinates.
inline std::vector<TRect> ClipRects(const DeviceContext& dc) {
  std::vector<TRect> rects;
  ForEachClipPart(dc, SurfaceBounds(dc), [&](const TRect& r) { rects.push_back(r); });
  return rects;
}

inline bool InClip(const DeviceContext& dc, int sx, int sy) {
  if (!dc.Surface || sx < 0 || sy < 0 || sx >= dc.Surface->Width || sy >= dc.Surface->Height)
    return false;
  return !dc.Clip || dc.Clip->Contains({sx, sy});
}

}  // namespace host::gdi
