#include "host/graphics/Gdi.h"

#include <algorithm>
#include <atomic>
#include <utility>
#include <vector>

#include "host/graphics/GdiSurface.h"
#include "host/graphics/PixelOps.h"

namespace host {

using gdi::ForEachClipPart;
using gdi::IsMonochrome;
using gdi::SurfacePixel;

// --- Device contexts and objects -------------------------------------------

namespace {

// Painting threads make DCs on bitmaps of their own, so the count is atomic.
std::atomic<int64_t> g_live_dcs{0};

const LogPen kDefaultPen{};
const LogBrush kDefaultBrush{};

void InitDefaults(DeviceContext& dc) {
  dc.Pen = kDefaultPen;
  dc.PenHandle = &kDefaultPen;
  dc.Brush = kDefaultBrush;
  dc.BrushHandle = &kDefaultBrush;
}

}  // namespace

HDC CreateCompatibleDC(HDC) {
  auto* dc = new DeviceContext;
  ++g_live_dcs;
  InitDefaults(*dc);
  dc->IsMemory = true;
  dc->StockBitmap.SetSize(1, 1);
  dc->StockBitmap.PixelFormat = pf1bit;
  dc->Surface = &dc->StockBitmap;
  return dc;
}

HDC CreateSurfaceDC(BitmapImage* surface, TPoint origin, const Region* clip) {
  auto* dc = new DeviceContext;
  ++g_live_dcs;
  InitDefaults(*dc);
  dc->Surface = surface;
  dc->Origin = origin;
  if (clip) dc->Clip = *clip;
  return dc;
}

bool DeleteDC(HDC hdc) {
  if (!hdc) return false;
  delete hdc;
  --g_live_dcs;
  return true;
}

int64_t LiveDeviceContexts() { return g_live_dcs.load(); }

HBITMAP CreateBitmap(int width, int height, bool monochrome) {
  auto* image = new BitmapImage(width, height);
  image->PixelFormat = monochrome ? pf1bit : pfDevice;
  return image;
}

HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height) {
  const bool mono = !hdc || !hdc->Surface || IsMonochrome(*hdc->Surface);
  return CreateBitmap(width, height, mono);
}

bool DeleteObject(HBITMAP bitmap) {
  delete bitmap;
  return bitmap != nullptr;
}

HPEN CreatePen(TPenStyle style, int width, COLORREF color) {
  return new LogPen{style, width, static_cast<TColor>(color)};
}

HBRUSH CreateSolidBrush(COLORREF color) {
  return new LogBrush{bsSolid, static_cast<TColor>(color)};
}

bool DeleteObject(HPEN pen) {
  delete pen;
  return pen != nullptr;
}

bool DeleteObject(HBRUSH brush) {
  delete brush;
  return brush != nullptr;
}

HBITMAP SelectObject(HDC hdc, HBITMAP bitmap) {
  if (!hdc || !hdc->IsMemory || !bitmap) return nullptr;
  BitmapImage* previous = hdc->Surface;
  hdc->Surface = bitmap;
  return previous;
}

HPEN SelectObject(HDC hdc, HPEN pen) {
  if (!hdc || !pen) return nullptr;
  HPEN previous = hdc->PenHandle;
  hdc->PenHandle = pen;
  hdc->Pen = *pen;
  return previous;
}

HBRUSH SelectObject(HDC hdc, HBRUSH brush) {
  if (!hdc || !brush) return nullptr;
  HBRUSH previous = hdc->BrushHandle;
  hdc->BrushHandle = brush;
  hdc->Brush = *brush;
  return previous;
}

HFONT SelectObject(HDC hdc, HFONT font) {
  if (!hdc) return nullptr;
  return std::exchange(hdc->Font, font);
}

HBITMAP GetCurrentBitmap(HDC hdc) { return hdc ? hdc->Surface : nullptr; }

COLORREF SetTextColor(HDC hdc, COLORREF color) {
  return hdc ? std::exchange(hdc->TextColor, color) : CLR_INVALID;
}
COLORREF GetTextColor(HDC hdc) { return hdc ? hdc->TextColor : CLR_INVALID; }
COLORREF SetBkColor(HDC hdc, COLORREF color) {
  return hdc ? std::exchange(hdc->BkColor, color) : CLR_INVALID;
}
COLORREF GetBkColor(HDC hdc) { return hdc ? hdc->BkColor : CLR_INVALID; }
int SetBkMode(HDC hdc, int mode) {
  return hdc && (mode == TRANSPARENT || mode == OPAQUE) ? std::exchange(hdc->BkMode, mode) : 0;
}
int GetBkMode(HDC hdc) { return hdc ? hdc->BkMode : 0; }
int SetROP2(HDC hdc, int rop2) {
  return hdc && rop2 >= R2_BLACK && rop2 <= R2_WHITE ? std::exchange(hdc->Rop2, rop2) : 0;
}
int GetROP2(HDC hdc) { return hdc ? hdc->Rop2 : 0; }

bool GetClipBox(HDC hdc, TRect& rect) {
  rect = {};
  if (!hdc) return false;
  // The bounds of the visible pieces, gathered without building a region:
  // every drawing call that skips what it cannot reach asks for them.
  bool visible = false;
  ForEachClipPart(*hdc, gdi::SurfaceBounds(*hdc), [&](const TRect& r) {
    rect = visible ? TRect{std::min(rect.Left, r.Left), std::min(rect.Top, r.Top),
                           std::max(rect.Right, r.Right), std::max(rect.Bottom, r.Bottom)}
                   : r;
    visible = true;
  });
  OffsetRect(rect, -hdc->Origin.X, -hdc->Origin.Y);
  return visible;
}

void IntersectClipRect(HDC hdc, int left, int top, int right, int bottom) {
  if (!hdc) return;
  TRect r{left, top, right, bottom};
  OffsetRect(r, hdc->Origin.X, hdc->Origin.Y);
  if (!hdc->Clip) hdc->Clip = Region(gdi::SurfaceBounds(*hdc));
  hdc->Clip->Intersect(r);
}

// --- Fills and pixels -------------------------------------------------------

int FillRect(HDC hdc, const TRect& rect, HBRUSH brush) {
  if (!hdc || !hdc->Surface || !brush || brush->Style == bsClear) return 0;
  const uint32_t color = SurfacePixel(*hdc, static_cast<COLORREF>(ColorToRGB(brush->Color)));
  TRect area = rect;
  OffsetRect(area, hdc->Origin.X, hdc->Origin.Y);
  BitmapImage& s = *hdc->Surface;
  ForEachClipPart(*hdc, area, [&](const TRect& r) {
    pixels::Fill(s.Row(r.Top) + r.Left, s.Width, r.Width(), r.Height(), color);
  });
  return 1;
}

bool FillColumns(HDC hdc, int x, int y, int h, std::span<const COLORREF> colors) {
  if (!hdc || !hdc->Surface) return false;
  BitmapImage& s = *hdc->Surface;
  // The block's part on the surface, worked out in 64 bits so that no edge wraps.
  const int64_t left = int64_t{x} + hdc->Origin.X, top = int64_t{y} + hdc->Origin.Y;
  auto onSurface = [](int64_t v, int size) {
    return static_cast<int>(std::clamp<int64_t>(v, 0, size));
  };
  const TRect area{onSurface(left, s.Width), onSurface(top, s.Height),
                   onSurface(left + static_cast<int64_t>(colors.size()), s.Width),
                   onSurface(top + std::max(h, 0), s.Height)};
  const bool mono = IsMonochrome(s);
  ForEachClipPart(*hdc, area, [&](const TRect& r) {
    // The first line from the colours, then copies of it.
    uint32_t* first = s.Row(r.Top) + r.Left;
    const COLORREF* color = colors.data() + (r.Left - left);
    for (int i = 0; i < r.Width(); ++i) {
      const uint32_t pixel = SwapRedBlue(color[i] & 0xFFFFFF);
      first[i] = mono ? gdi::NearestMono(pixel) : pixel;
    }
    pixels::RepeatFirstRow(first, s.Width, r.Width(), r.Height());
  });
  return true;
}

COLORREF GetPixel(HDC hdc, int x, int y) {
  if (!hdc) return CLR_INVALID;
  const int sx = x + hdc->Origin.X, sy = y + hdc->Origin.Y;
  if (!gdi::InClip(*hdc, sx, sy)) return CLR_INVALID;
  return SwapRedBlue(hdc->Surface->At(sx, sy));
}

COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color) {
  if (!hdc) return CLR_INVALID;
  const int sx = x + hdc->Origin.X, sy = y + hdc->Origin.Y;
  if (!gdi::InClip(*hdc, sx, sy)) return CLR_INVALID;
  const uint32_t pixel = SurfacePixel(*hdc, color);
  hdc->Surface->At(sx, sy) = pixel;
  return SwapRedBlue(pixel);
}

// --- Blits ------------------------------------------------------------------

namespace {

bool RopUsesSource(uint8_t rop) { return ((rop >> 2) ^ rop) & 0x33; }

// Where a blit lands: the destination block in surface coordinates, narrowed to
// the part whose source lies on the source surface, and the source offset.
struct BlitGeometry {
  TRect Dest;       // surface coordinates of dst
  TPoint SrcDelta;  // source surface position = dest position + SrcDelta
};

BlitGeometry PlaceBlit(const DeviceContext& dst, int x, int y, int w, int h,
                       const DeviceContext* src, int xSrc, int ySrc) {
  BlitGeometry g;
  g.Dest = Bounds(x + dst.Origin.X, y + dst.Origin.Y, w, h);
  if (src) {
    const TPoint srcAt{xSrc + src->Origin.X, ySrc + src->Origin.Y};
    g.SrcDelta = {srcAt.X - g.Dest.Left, srcAt.Y - g.Dest.Top};
    TRect srcOnDest = gdi::SurfaceBounds(*src);
    OffsetRect(srcOnDest, -g.SrcDelta.X, -g.SrcDelta.Y);
    g.Dest = Intersection(g.Dest, srcOnDest);
  }
  return g;
}

// The source pixels of a blit, copied aside first when they overlap the
// destination block on the same surface, so that no clipped part reads pixels
// an earlier part has already written.
class SourcePixels {
 public:
  SourcePixels(const DeviceContext& dst, const DeviceContext& src, const BlitGeometry& g) {
    const BitmapImage& s = *src.Surface;
    TRect area = g.Dest;
    OffsetRect(area, g.SrcDelta.X, g.SrcDelta.Y);
    origin_ = area.TopLeft();
    TRect common;
    if (dst.Surface == src.Surface && IntersectRect(common, area, g.Dest)) {
      copy_.SetSize(area.Width(), area.Height());
      pixels::Copy(copy_.Pixels.data(), copy_.Width, s.Row(area.Top) + area.Left, s.Width,
                   area.Width(), area.Height());
      base_ = copy_.Pixels.data();
      stride_ = copy_.Width;
    } else {
      base_ = s.Row(area.Top) + area.Left;
      stride_ = s.Width;
    }
  }
  // The source pixel that goes to destination surface position (dx, dy).
  const uint32_t* At(const BlitGeometry& g, int dx, int dy) const {
    return base_ + (dy + g.SrcDelta.Y - origin_.Y) * stride_ + (dx + g.SrcDelta.X - origin_.X);
  }
  ptrdiff_t Stride() const { return stride_; }

 private:
  BitmapImage copy_;
  const uint32_t* base_ = nullptr;
  ptrdiff_t stride_ = 0;
  TPoint origin_;
};

}  // namespace

bool BitBlt(HDC dst, int x, int y, int w, int h, HDC src, int xSrc, int ySrc, DWORD rop) {
  if (!dst || !dst->Surface) return false;
  const uint8_t code = (rop >> 16) & 0xFF;
  const bool usesSource = RopUsesSource(code);
  if (usesSource && (!src || !src->Surface)) return false;
  if (w <= 0 || h <= 0) return true;
  const BlitGeometry g = PlaceBlit(*dst, x, y, w, h, usesSource ? src : nullptr, xSrc, ySrc);
  if (g.Dest.IsEmpty()) return true;  // the source lies off its surface
  BitmapImage& d = *dst->Surface;
  const bool dstMono = IsMonochrome(d);
  const bool srcMono = usesSource && IsMonochrome(*src->Surface);
  const bool convert = usesSource && srcMono != dstMono;
  const uint32_t pattern =
      dst->Brush.Style == bsClear
          ? 0
          : SurfacePixel(*dst, static_cast<COLORREF>(ColorToRGB(dst->Brush.Color)));

  std::optional<SourcePixels> source;
  if (usesSource) source.emplace(*dst, *src, g);
  if (!convert && (code == 0xCC || code == 0xF0 || code == 0x00 || code == 0xFF)) {
    ForEachClipPart(*dst, g.Dest, [&](const TRect& r) {
      uint32_t* out = d.Row(r.Top) + r.Left;
      if (code == 0xCC)
        pixels::Copy(out, d.Width, source->At(g, r.Left, r.Top), source->Stride(), r.Width(),
                     r.Height());
      else
        pixels::Fill(out, d.Width, r.Width(), r.Height(),
                     code == 0xF0 ? pattern : (code == 0xFF ? 0xFFFFFF : 0));
    });
    return true;
  }

  std::vector<uint32_t> converted;
  const uint32_t textPixel = SurfacePixel(*dst, dst->TextColor);
  const uint32_t bkPixel = SurfacePixel(*dst, dst->BkColor);
  const uint32_t srcBkPixel = usesSource ? SwapRedBlue(src->BkColor & 0xFFFFFF) : 0;
  ForEachClipPart(*dst, g.Dest, [&](const TRect& r) {
    const int n = r.Width();
    if (convert) converted.resize(n);
    for (int row = r.Top; row < r.Bottom; ++row) {
      const uint32_t* in = usesSource ? source->At(g, r.Left, row) : nullptr;
      if (convert) {
        if (srcMono)
          pixels::FromMonoRow(converted.data(), in, n, textPixel, bkPixel);
        else
          pixels::ToMonoRow(converted.data(), in, n, srcBkPixel);
        in = converted.data();
      }
      pixels::Rop3Row(d.Row(row) + r.Left, in, pattern, n, code);
    }
  });
  return true;
}

namespace {

// A w × h block sampled by nearest pixel from a wSrc × hSrc block of src, on a
// DC that blits like src (same pixel format and background colour).
struct ScaledSource {
  BitmapImage Image;
  DeviceContext DC;
  ScaledSource(const DeviceContext& src, int xSrc, int ySrc, int wSrc, int hSrc, int w, int h)
      : Image(w, h) {
    const BitmapImage& s = *src.Surface;
    Image.PixelFormat = s.PixelFormat;
    for (int j = 0; j < h; ++j) {
      const int sy = ySrc + src.Origin.Y + static_cast<int>(static_cast<int64_t>(j) * hSrc / h);
      for (int i = 0; i < w; ++i) {
        const int sx = xSrc + src.Origin.X + static_cast<int>(static_cast<int64_t>(i) * wSrc / w);
        const bool inside = sx >= 0 && sy >= 0 && sx < s.Width && sy < s.Height;
        Image.At(i, j) = inside ? s.At(sx, sy) : 0;
      }
    }
    DC.Surface = &Image;
    DC.BkColor = src.BkColor;
  }
};

// A copy of one source row onto every line of the w × h destination block,
// without building the stretched block first: what a stretch of a single row
// to many lines (a vertical gradient strip, say) comes down to.
void ReplicateRow(DeviceContext& dst, int x, int y, int w, int h, const DeviceContext& src,
                  int xSrc, int ySrc) {
  const BlitGeometry g = PlaceBlit(dst, x, y, w, 1, &src, xSrc, ySrc);
  if (g.Dest.IsEmpty()) return;
  const TRect block{g.Dest.Left, g.Dest.Top, g.Dest.Right, g.Dest.Top + h};
  const BitmapImage& s = *src.Surface;
  const uint32_t* row = s.Row(g.Dest.Top + g.SrcDelta.Y) + g.Dest.Left + g.SrcDelta.X;
  std::vector<uint32_t> aside;
  if (dst.Surface == src.Surface) {  // the row may lie inside the block it fills
    aside.assign(row, row + block.Width());
    row = aside.data();
  }
  BitmapImage& d = *dst.Surface;
  ForEachClipPart(dst, block, [&](const TRect& r) {
    pixels::Copy(d.Row(r.Top) + r.Left, d.Width, row + (r.Left - block.Left), 0, r.Width(),
                 r.Height());
  });
}

}  // namespace

bool StretchBlt(HDC dst, int x, int y, int w, int h, HDC src, int xSrc, int ySrc, int wSrc,
                int hSrc, DWORD rop) {
  if (w == wSrc && h == hSrc) return BitBlt(dst, x, y, w, h, src, xSrc, ySrc, rop);
  if (!dst || !dst->Surface || !src || !src->Surface) return false;
  if (w <= 0 || h <= 0 || wSrc <= 0 || hSrc <= 0) return true;
  if (w == wSrc && hSrc == 1 && rop == SRCCOPY &&
      IsMonochrome(*dst->Surface) == IsMonochrome(*src->Surface)) {
    ReplicateRow(*dst, x, y, w, h, *src, xSrc, ySrc);
    return true;
  }
  ScaledSource scaled(*src, xSrc, ySrc, wSrc, hSrc, w, h);
  return BitBlt(dst, x, y, w, h, &scaled.DC, 0, 0, rop);
}

bool TransparentBlt(HDC dst, int x, int y, int w, int h, HDC src, int xSrc, int ySrc, int wSrc,
                    int hSrc, COLORREF key, std::optional<COLORREF> fill) {
  if (!dst || !dst->Surface || !src || !src->Surface) return false;
  if (w <= 0 || h <= 0 || wSrc <= 0 || hSrc <= 0) return true;
  if (w != wSrc || h != hSrc) {
    ScaledSource scaled(*src, xSrc, ySrc, wSrc, hSrc, w, h);
    return TransparentBlt(dst, x, y, w, h, &scaled.DC, 0, 0, w, h, key, fill);
  }
  const BlitGeometry g = PlaceBlit(*dst, x, y, w, h, src, xSrc, ySrc);
  if (g.Dest.IsEmpty()) return true;
  const SourcePixels source(*dst, *src, g);
  BitmapImage& d = *dst->Surface;
  const uint32_t keyPixel = SwapRedBlue(key & 0xFFFFFF);
  const uint32_t fillPixel = fill ? SurfacePixel(*dst, *fill) : 0;
  ForEachClipPart(*dst, g.Dest, [&](const TRect& r) {
    uint32_t* out = d.Row(r.Top) + r.Left;
    const uint32_t* in = source.At(g, r.Left, r.Top);
    if (fill)
      pixels::CopyKeyFilled(out, d.Width, in, source.Stride(), r.Width(), r.Height(), keyPixel,
                            fillPixel);
    else
      pixels::CopyKeyed(out, d.Width, in, source.Stride(), r.Width(), r.Height(), keyPixel);
  });
  return true;
}

// --- Rectangles -------------------------------------------------------------

void SetRect(TRect& rect, int left, int top, int right, int bottom) {
  rect = {left, top, right, bottom};
}

void InflateRect(TRect& rect, int dx, int dy) {
  rect = {rect.Left - dx, rect.Top - dy, rect.Right + dx, rect.Bottom + dy};
}

void OffsetRect(TRect& rect, int dx, int dy) {
  rect = {rect.Left + dx, rect.Top + dy, rect.Right + dx, rect.Bottom + dy};
}

bool IntersectRect(TRect& dst, const TRect& a, const TRect& b) {
  dst = Intersection(a, b);
  if (dst.IsEmpty()) dst = {};
  return !dst.IsEmpty();
}

bool UnionRect(TRect& dst, const TRect& a, const TRect& b) {
  if (a.IsEmpty()) {
    dst = b.IsEmpty() ? TRect{} : b;
  } else if (b.IsEmpty()) {
    dst = a;
  } else {
    dst = {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
           std::max(a.Bottom, b.Bottom)};
  }
  return !dst.IsEmpty();
}

bool PtInRect(const TRect& rect, TPoint p) { return rect.Contains(p); }
bool IsRectEmpty(const TRect& rect) { return rect.IsEmpty(); }

}  // namespace host
