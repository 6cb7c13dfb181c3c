// Measuring text and drawing it onto a surface from the glyph cache.
#include <algorithm>
#include <vector>

#include "host/graphics/FontEngine.h"
#include "host/graphics/FontFaceImpl.h"
#include "host/graphics/TextClip.h"
#include "host/graphics/TextUtf8.h"

namespace host {

namespace {

// Mixes rgb into a pixel by coverage 0..255, per channel, rounded.
inline uint32_t Blend(uint32_t dst, uint32_t rgb, uint32_t coverage) {
  const uint32_t inverse = 255 - coverage;
  uint32_t out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const uint32_t d = (dst >> shift) & 0xFF;
    const uint32_t s = (rgb >> shift) & 0xFF;
    out |= ((d * inverse + s * coverage + 127) / 255) << shift;
  }
  return out;
}

// Blends a glyph whose bitmap's top-left lands on (left, top) into one clip part.
void BlendGlyph(BitmapImage& surface, const TRect& part, int left, int top, const Glyph& glyph,
                uint32_t rgb) {
  const TRect box = Intersection(part, {left, top, left + glyph.Width, top + glyph.Height});
  if (box.IsEmpty()) return;
  for (int y = box.Top; y < box.Bottom; ++y) {
    const uint8_t* coverage = glyph.Coverage.data() + size_t(y - top) * glyph.Width;
    uint32_t* row = surface.Row(y);
    const int right = box.Right;
    for (int x = box.Left; x < right; ++x) {
      const uint32_t c = coverage[x - left];
      if (c == 255)
        row[x] = rgb;
      else if (c)
        row[x] = Blend(row[x], rgb, c);
    }
  }
}

void FillBand(BitmapImage& surface, std::span<const TRect> parts, const TRect& band, uint32_t rgb) {
  for (const TRect& part : parts) {
    const TRect box = Intersection(part, band);
    if (box.IsEmpty()) continue;
    for (int y = box.Top; y < box.Bottom; ++y)
      std::fill(surface.Row(y) + box.Left, surface.Row(y) + box.Right, rgb);
  }
}

void DrawLine(BitmapImage& surface, std::span<const TRect> parts, int x0, int x1, int top,
              int thickness, uint32_t rgb) {
  FillBand(surface, parts, {x0, top, x1, top + thickness}, rgb);
}

}  // namespace

int MeasureTextWidth(const FontFace& face, std::string_view utf8) {
  FontFace::Impl& f = face.impl();
  std::lock_guard lock(f.Mutex);
  int width = 0;
  for (size_t pos = 0; pos < utf8.size();) width += f.GlyphFor(NextCodePoint(utf8, pos)).Advance;
  return width;
}

void RenderText(BitmapImage& surface, std::span<const TRect> clip, int x, int y,
                const FontFace& face, std::string_view utf8, uint32_t rgb) {
  const std::vector<TRect> parts = ClipParts(clip, {0, 0, surface.Width, surface.Height});
  if (parts.empty()) return;
  FontFace::Impl& f = face.impl();
  const int baseline = y + f.Ascent;
  int pen = x;
  {
    std::lock_guard lock(f.Mutex);
    for (size_t pos = 0; pos < utf8.size();) {
      const Glyph& glyph = f.GlyphFor(NextCodePoint(utf8, pos));
      if (glyph.Width > 0)
        for (const TRect& part : parts)
          BlendGlyph(surface, part, pen + glyph.Left, baseline - glyph.Top, glyph, rgb);
      pen += glyph.Advance;
    }
  }
  if (f.Style.Contains(fsUnderline))
    DrawLine(surface, parts, x, pen, y + f.UnderlineOffset, f.UnderlineThickness, rgb);
  if (f.Style.Contains(fsStrikeOut))
    DrawLine(surface, parts, x, pen, y + f.StrikeOutOffset, f.StrikeOutThickness, rgb);
}

void RenderText(BitmapImage& surface, int x, int y, const FontFace& face, std::string_view utf8,
                uint32_t rgb) {
  const TRect whole{0, 0, surface.Width, surface.Height};
  RenderText(surface, std::span(&whole, 1), x, y, face, utf8, rgb);
}

void RenderUnderline(BitmapImage& surface, std::span<const TRect> clip, int x0, int x1, int y,
                     const FontFace& face, uint32_t rgb) {
  const FontFace::Impl& f = face.impl();
  DrawLine(surface, ClipParts(clip, {0, 0, surface.Width, surface.Height}), x0, x1,
           y + f.UnderlineOffset, f.UnderlineThickness, rgb);
}

}  // namespace host
