#pragma once
// The pixel loops under the drawing calls. Each works on a block of w × h
// pixels given by its first pixel and a row stride in pixels; they are built
// for AVX2 and for the baseline, chosen at load time.
#include <cstddef>
#include <cstdint>

namespace host::pixels {

void Fill(uint32_t* dst, ptrdiff_t stride, int w, int h, uint32_t color);
// Copes with overlapping blocks of the same image.
void Copy(uint32_t* dst, ptrdiff_t dstStride, const uint32_t* src, ptrdiff_t srcStride, int w,
          int h);
// Copies the first row of the w × h block onto every row below it.
void RepeatFirstRow(uint32_t* block, ptrdiff_t stride, int w, int h);
// Copies the source pixels that are not `key`; the destination keeps its pixel under a key.
void CopyKeyed(uint32_t* dst, ptrdiff_t dstStride, const uint32_t* src, ptrdiff_t srcStride, int w,
               int h, uint32_t key);
// Copies the source pixels, putting `fill` where the source has `key`.
void CopyKeyFilled(uint32_t* dst, ptrdiff_t dstStride, const uint32_t* src, ptrdiff_t srcStride,
                   int w, int h, uint32_t key, uint32_t fill);
// One row of a ternary raster operation: dst = rop(pattern, src, dst). src may
// be null for operations that do not read the source.
void Rop3Row(uint32_t* dst, const uint32_t* src, uint32_t pattern, int n, uint8_t rop);
// One row of a binary raster operation (R2_ code) of a pen colour over dst.
void Rop2Row(uint32_t* dst, uint32_t pen, int n, int rop2);
// Colour → monochrome as a blit converts: white where the pixel is `background`, else black.
void ToMonoRow(uint32_t* out, const uint32_t* src, int n, uint32_t background);
// Monochrome → colour: black pixels become `zero`, white ones `one`.
void FromMonoRow(uint32_t* out, const uint32_t* src, int n, uint32_t zero, uint32_t one);
// In place: a → aTo and b → bTo, both judged on the pixel as it was, so a
// pixel changed to b is not changed again.
void ReplaceTwo(uint32_t* px, ptrdiff_t stride, int w, int h, uint32_t a, uint32_t aTo, uint32_t b,
                uint32_t bTo);

}  // namespace host::pixels
