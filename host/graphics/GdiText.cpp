// Text on device contexts: TextOut, extents and DrawText in the DC's font.
#include "host/graphics/FontEngine.h"
#include "host/graphics/Gdi.h"
#include "host/graphics/GdiSurface.h"
#include "host/graphics/PixelOps.h"
#include "host/graphics/TextLayout.h"

namespace host {

namespace {

const FontFace& FaceOf(const DeviceContext& dc) {
  if (dc.Font) return *dc.Font;
  static const TFont defaultFont;
  return ResolveFont(defaultFont);
}

// The background of a text cell in OPAQUE mode.
void FillBackground(const DeviceContext& dc, const TRect& area) {
  const uint32_t color = gdi::SurfacePixel(dc, dc.BkColor);
  BitmapImage& s = *dc.Surface;
  gdi::ForEachClipPart(dc, area, [&](const TRect& r) {
    pixels::Fill(s.Row(r.Top) + r.Left, s.Width, r.Width(), r.Height(), color);
  });
}

}  // namespace

bool TextOut(HDC hdc, int x, int y, std::string_view text) {
  if (!hdc || !hdc->Surface) return false;
  const FontFace& face = FaceOf(*hdc);
  const int sx = x + hdc->Origin.X, sy = y + hdc->Origin.Y;
  if (hdc->BkMode == OPAQUE)
    FillBackground(*hdc, Bounds(sx, sy, MeasureTextWidth(face, text), face.Height()));
  const std::vector<TRect> clip = gdi::ClipRects(*hdc);
  RenderText(*hdc->Surface, clip, sx, sy, face, text, gdi::SurfacePixel(*hdc, hdc->TextColor));
  return true;
}

TSize GetTextExtent(HDC hdc, std::string_view text) {
  if (!hdc) return {};
  const FontFace& face = FaceOf(*hdc);
  return {MeasureTextWidth(face, text), face.Height()};
}

int DrawText(HDC hdc, std::string_view text, TRect& rect, uint32_t flags) {
  if (!hdc) return 0;
  const FontFace& face = FaceOf(*hdc);
  TRect area = rect;
  OffsetRect(area, hdc->Origin.X, hdc->Origin.Y);
  const TextLayout layout = LayoutText(face, text, area, flags);
  if (!layout.Draws) {
    rect = layout.Rect;
    OffsetRect(rect, -hdc->Origin.X, -hdc->Origin.Y);
    return layout.Height;
  }
  if (!hdc->Surface) return layout.Height;
  if (hdc->BkMode == OPAQUE)
    for (const TextLine& line : layout.Lines)
      FillBackground(*hdc, layout.ClipToRect ? Intersection(line.Cell, area) : line.Cell);
  const std::vector<TRect> clip = gdi::ClipRects(*hdc);
  RenderTextLayout(*hdc->Surface, clip, layout, face, gdi::SurfacePixel(*hdc, hdc->TextColor));
  return layout.Height;
}

}  // namespace host
