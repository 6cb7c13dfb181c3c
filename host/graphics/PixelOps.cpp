#include "host/graphics/PixelOps.h"

#include <algorithm>
#include <cstring>
#include <utility>

// Multi-versioned so the loops vectorise with AVX2 where the CPU has it. Loop
// bounds and colours live in locals: stores through uint32_t* may alias int
// members and would otherwise keep the vectoriser out.
#if defined(__x86_64__) && !defined(__clang_analyzer__)
#define KX_PIXEL_LOOP __attribute__((target_clones("avx2", "default")))
#else
#define KX_PIXEL_LOOP
#endif

namespace host::pixels {

namespace {
constexpr uint32_t kRgbMask = 0x00FFFFFF;
}

KX_PIXEL_LOOP void Fill(uint32_t* dst, ptrdiff_t stride, int w, int h, uint32_t color) {
  const int n = w;
  if (n == 1) {  // a one-pixel column, as gradient bands are: no row loop set-up
    for (int y = 0; y < h; ++y, dst += stride) *dst = color;
    return;
  }
  for (int y = 0; y < h; ++y, dst += stride) {
    uint32_t* __restrict row = dst;
    for (int x = 0; x < n; ++x) row[x] = color;
  }
}

KX_PIXEL_LOOP void Copy(uint32_t* dst, ptrdiff_t dstStride, const uint32_t* src,
                        ptrdiff_t srcStride, int w, int h) {
  const int n = w;
  const uint32_t* srcEnd = src + (h - 1) * srcStride + n;
  const uint32_t* dstEnd = dst + (h - 1) * dstStride + n;
  if (srcEnd <= dst || dstEnd <= src) {  // apart: a plain vector loop beats memmove here
    for (int y = 0; y < h; ++y, dst += dstStride, src += srcStride) {
      uint32_t* __restrict d = dst;
      const uint32_t* __restrict s = src;
      for (int x = 0; x < n; ++x) d[x] = s[x];
    }
    return;
  }
  const size_t bytes = static_cast<size_t>(n) * sizeof(uint32_t);
  if (dst > src) {  // copy bottom-up so an overlapping source is read before it is overwritten
    for (int y = h - 1; y >= 0; --y) std::memmove(dst + y * dstStride, src + y * srcStride, bytes);
  } else {
    for (int y = 0; y < h; ++y) std::memmove(dst + y * dstStride, src + y * srcStride, bytes);
  }
}

void RepeatFirstRow(uint32_t* block, ptrdiff_t stride, int w, int h) {
  if (h <= 1 || w <= 0) return;
  if (stride != w) {
    Copy(block + stride, stride, block, 0, w, h - 1);
    return;
  }
  // Contiguous rows: each copy doubles the rows made so far, until a copy
  // would pass this many pixels; from then on the same run of rows, still in
  // the cache, is copied. Few long copies beat one per row on small blocks,
  // and the source stays cached on big ones.
  constexpr size_t kRunPixels = 4096;
  const size_t row = static_cast<size_t>(w), total = row * static_cast<size_t>(h);
  const size_t run = std::max(row, kRunPixels / row * row);
  for (size_t done = row; done < total;) {
    const size_t n = std::min({done, run, total - done});
    std::memcpy(block + done, block, n * sizeof(uint32_t));
    done += n;
  }
}

KX_PIXEL_LOOP void CopyKeyed(uint32_t* dst, ptrdiff_t dstStride, const uint32_t* src,
                             ptrdiff_t srcStride, int w, int h, uint32_t key) {
  const int n = w;
  for (int y = 0; y < h; ++y, dst += dstStride, src += srcStride) {
    uint32_t* __restrict d = dst;
    const uint32_t* __restrict s = src;
    for (int x = 0; x < n; ++x) d[x] = s[x] == key ? d[x] : s[x];
  }
}

KX_PIXEL_LOOP void CopyKeyFilled(uint32_t* dst, ptrdiff_t dstStride, const uint32_t* src,
                                 ptrdiff_t srcStride, int w, int h, uint32_t key, uint32_t fill) {
  const int n = w;
  for (int y = 0; y < h; ++y, dst += dstStride, src += srcStride) {
    uint32_t* __restrict d = dst;
    const uint32_t* __restrict s = src;
    for (int x = 0; x < n; ++x) d[x] = s[x] == key ? fill : s[x];
  }
}

KX_PIXEL_LOOP void Rop3Row(uint32_t* __restrict dst, const uint32_t* __restrict src,
                           uint32_t pattern, int n, uint8_t rop) {
  const uint32_t p = pattern;
  switch (rop) {
    case 0xCC:  // SRCCOPY
      std::memcpy(dst, src, static_cast<size_t>(n) * sizeof(uint32_t));
      return;
    case 0xF0:  // PATCOPY
      for (int x = 0; x < n; ++x) dst[x] = p;
      return;
    case 0x00:  // BLACKNESS
      for (int x = 0; x < n; ++x) dst[x] = 0;
      return;
    case 0xFF:  // WHITENESS
      for (int x = 0; x < n; ++x) dst[x] = kRgbMask;
      return;
    case 0x88:  // SRCAND
      for (int x = 0; x < n; ++x) dst[x] &= src[x];
      return;
    case 0xEE:  // SRCPAINT
      for (int x = 0; x < n; ++x) dst[x] |= src[x];
      return;
    case 0x66:  // SRCINVERT
      for (int x = 0; x < n; ++x) dst[x] ^= src[x];
      return;
    case 0x55:  // DSTINVERT
      for (int x = 0; x < n; ++x) dst[x] ^= kRgbMask;
      return;
    case 0xE2:  // $E20746: pattern where the source is set, else the destination
      for (int x = 0; x < n; ++x) dst[x] ^= src[x] & (p ^ dst[x]);
      return;
    default:
      break;
  }
  // Any other code: bit (P << 2 | S << 1 | D) of the code is the result for
  // that combination of pattern, source and destination bits. Split on D:
  // with D set the result is the two-input function f1(P, S), else f0(P, S).
  auto term = [rop, p](int shift) {  // the function of S for D = shift & 1, as masks
    const uint32_t s0p0 = (rop >> (0 + shift)) & 1 ? ~0u : 0;
    const uint32_t s1p0 = (rop >> (2 + shift)) & 1 ? ~0u : 0;
    const uint32_t s0p1 = (rop >> (4 + shift)) & 1 ? ~0u : 0;
    const uint32_t s1p1 = (rop >> (6 + shift)) & 1 ? ~0u : 0;
    // For S = 0 and S = 1 the result bits, given the pattern bits.
    return std::pair<uint32_t, uint32_t>{(~p & s0p0) | (p & s0p1), (~p & s1p0) | (p & s1p1)};
  };
  const auto [d0s0, d0s1] = term(0);
  const auto [d1s0, d1s1] = term(1);
  if (!src) {  // an operation that does not read the source: take S as 0
    for (int x = 0; x < n; ++x) {
      const uint32_t d = dst[x];
      dst[x] = ((~d & d0s0) | (d & d1s0)) & kRgbMask;
    }
    return;
  }
  for (int x = 0; x < n; ++x) {
    const uint32_t s = src[x], d = dst[x];
    const uint32_t f0 = (~s & d0s0) | (s & d0s1);
    const uint32_t f1 = (~s & d1s0) | (s & d1s1);
    dst[x] = ((~d & f0) | (d & f1)) & kRgbMask;
  }
}

KX_PIXEL_LOOP void Rop2Row(uint32_t* __restrict dst, uint32_t pen, int n, int rop2) {
  const int code = (rop2 - 1) & 15;  // bit (P << 1 | D) is the result
  const uint32_t d0 = ((code >> 0) & 1 ? ~pen : 0) | ((code >> 2) & 1 ? pen : 0);
  const uint32_t d1 = ((code >> 1) & 1 ? ~pen : 0) | ((code >> 3) & 1 ? pen : 0);
  for (int x = 0; x < n; ++x) {
    const uint32_t d = dst[x];
    dst[x] = ((~d & d0) | (d & d1)) & kRgbMask;
  }
}

KX_PIXEL_LOOP void ToMonoRow(uint32_t* __restrict out, const uint32_t* __restrict src, int n,
                             uint32_t background) {
  for (int x = 0; x < n; ++x) out[x] = src[x] == background ? kRgbMask : 0;
}

KX_PIXEL_LOOP void FromMonoRow(uint32_t* __restrict out, const uint32_t* __restrict src, int n,
                               uint32_t zero, uint32_t one) {
  for (int x = 0; x < n; ++x) out[x] = src[x] != 0 ? one : zero;
}

KX_PIXEL_LOOP void ReplaceTwo(uint32_t* px, ptrdiff_t stride, int w, int h, uint32_t a,
                              uint32_t aTo, uint32_t b, uint32_t bTo) {
  const int n = w;
  for (int y = 0; y < h; ++y, px += stride) {
    uint32_t* __restrict row = px;
    for (int x = 0; x < n; ++x) {
      const uint32_t v = row[x];
      row[x] = v == a ? aTo : (v == b ? bTo : v);
    }
  }
}

}  // namespace host::pixels
