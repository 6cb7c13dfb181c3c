#include <gtest/gtest.h>

#include "host/graphics/Gdi.h"
#include "tests/host/graphics/GdiTestSupport.h"

using namespace host;
using gdi_test::Surface;

namespace {

// With pattern bits 11110000, source 11001100 and destination 10101010 in
// every channel, the result of a raster operation is its own truth table.
TEST(GdiBlt, EveryRasterOperationFollowsItsTruthTable) {
  Surface src(2, 1, 0xCCCCCC), dst(2, 1);
  const LogBrush pattern{bsSolid, 0xF0F0F0};
  SelectObject(dst.DC, &pattern);
  for (int code = 0; code < 256; ++code) {
    dst.Image.Pixels.assign(2, 0xAAAAAA);
    BitBlt(dst.DC, 0, 0, 2, 1, src.DC, 0, 0, static_cast<DWORD>(code) << 16);
    ASSERT_EQ(dst.Image.At(1, 0), static_cast<uint32_t>(code) * 0x010101u) << "rop " << code;
  }
}

TEST(GdiBlt, CopiesTheOverlapOfSourceAndClip) {
  Surface src(3, 2, 0);
  for (int i = 0; i < 6; ++i) src.Image.Pixels[i] = i + 1;
  Region clip(TRect{0, 0, 3, 3});
  Surface dst(4, 3, 0xFFFFFF, {}, &clip);
  // From (1, 0): only two columns exist in the source; the clip cuts column 3.
  BitBlt(dst.DC, 1, 1, 3, 2, src.DC, 1, 0, SRCCOPY);
  EXPECT_EQ(dst.Image.Row(1)[1], 2u);
  EXPECT_EQ(dst.Image.Row(1)[2], 3u);
  EXPECT_EQ(dst.Image.Row(2)[2], 6u);
  EXPECT_EQ(dst.Image.Row(1)[3], 0xFFFFFFu);
  EXPECT_EQ(dst.Image.Row(0)[1], 0xFFFFFFu);
  // A source block wholly off its surface copies nothing.
  const std::vector<uint32_t> before = dst.Image.Pixels;
  EXPECT_TRUE(BitBlt(dst.DC, 0, 0, 2, 2, src.DC, 50, -50, SRCCOPY));
  EXPECT_EQ(dst.Image.Pixels, before);
}

TEST(GdiBlt, OverlappingCopyOnOneSurfaceReadsTheSourceFirst) {
  for (DWORD rop : {SRCCOPY, SRCPAINT}) {
    Surface s(5, 1, 0);
    for (int i = 0; i < 5; ++i) s.Image.Pixels[i] = 1u << i;
    BitBlt(s.DC, 1, 0, 4, 1, s.DC, 0, 0, rop);
    const uint32_t orExtra = rop == SRCPAINT ? 1 : 0;
    EXPECT_EQ(s.Image.Pixels, (std::vector<uint32_t>{1, 1 | 2 * orExtra, 2 | 4 * orExtra,
                                                     4 | 8 * orExtra, 8 | 16 * orExtra}));
  }
}

TEST(GdiBlt, ColourToMonochromeMarksTheSourceBackground) {
  Surface src(3, 1, 0);
  src.Image.Pixels = {0x808080, 0x123456, 0x808080};
  SetBkColor(src.DC, 0x808080);
  HDC mem = CreateCompatibleDC(nullptr);
  HBITMAP mask = CreateBitmap(3, 1, true);
  HBITMAP old = SelectObject(mem, mask);
  BitBlt(mem, 0, 0, 3, 1, src.DC, 0, 0, SRCCOPY);
  EXPECT_EQ(mask->Pixels, (std::vector<uint32_t>{0xFFFFFF, 0, 0xFFFFFF}));
  SelectObject(mem, old);
  DeleteDC(mem);
  DeleteObject(mask);
}

TEST(GdiBlt, MonochromeToColourUsesTheDestinationColours) {
  BitmapImage mono(2, 1);
  mono.PixelFormat = pf1bit;
  mono.Pixels = {0, 0xFFFFFF};
  HDC mem = CreateCompatibleDC(nullptr);
  SelectObject(mem, &mono);
  Surface dst(2, 1, 0x00FF00);
  SetTextColor(dst.DC, RGB(0x11, 0x22, 0x33));
  SetBkColor(dst.DC, RGB(0x44, 0x55, 0x66));
  BitBlt(dst.DC, 0, 0, 2, 1, mem, 0, 0, SRCCOPY);
  EXPECT_EQ(dst.Image.Pixels, (std::vector<uint32_t>{0x112233, 0x445566}));
  DeleteDC(mem);
}

// The two-colour recolouring route: a mask of one key colour, then the brush
// colour where the mask is set and the destination elsewhere.
TEST(GdiBlt, MaskAndDSPDxaxReplaceOneColour) {
  Surface bmp(4, 1, 0);
  bmp.Image.Pixels = {0x808080, 0xC0C0C0, 0x808080, 0x000000};
  HDC mem = CreateCompatibleDC(nullptr);
  HBITMAP mask = CreateBitmap(4, 1, true);
  SelectObject(mem, mask);
  SetBkColor(bmp.DC, 0x808080);
  BitBlt(mem, 0, 0, 4, 1, bmp.DC, 0, 0, SRCCOPY);
  const LogBrush low{bsSolid, clRed};
  SelectObject(bmp.DC, &low);
  SetTextColor(bmp.DC, 0);
  SetBkColor(bmp.DC, 0xFFFFFF);
  BitBlt(bmp.DC, 0, 0, 4, 1, mem, 0, 0, ROP_DSPDxax);
  EXPECT_EQ(bmp.Image.Pixels, (std::vector<uint32_t>{0xFF0000, 0xC0C0C0, 0xFF0000, 0}));
  DeleteDC(mem);
  DeleteObject(mask);
}

TEST(GdiBlt, KeyedCopyLeavesOrFillsTheKey) {
  Surface src(3, 1, 0);
  src.Image.Pixels = {0x000000, 0x00FF00, 0x000000};
  Surface dst(3, 1, 0x0000FF);
  TransparentBlt(dst.DC, 0, 0, 3, 1, src.DC, 0, 0, 3, 1, clBlack);
  EXPECT_EQ(dst.Image.Pixels, (std::vector<uint32_t>{0x0000FF, 0x00FF00, 0x0000FF}));
  TransparentBlt(dst.DC, 0, 0, 3, 1, src.DC, 0, 0, 3, 1, clBlack, RGB(0xFF, 0, 0));
  EXPECT_EQ(dst.Image.Pixels, (std::vector<uint32_t>{0xFF0000, 0x00FF00, 0xFF0000}));
}

TEST(GdiBlt, StretchSamplesTheNearestPixel) {
  Surface src(2, 1, 0);
  src.Image.Pixels = {1, 2};
  Surface dst(4, 2, 0);
  StretchBlt(dst.DC, 0, 0, 4, 2, src.DC, 0, 0, 2, 1, SRCCOPY);
  EXPECT_EQ(dst.Image.Pixels, (std::vector<uint32_t>{1, 1, 2, 2, 1, 1, 2, 2}));
}

TEST(GdiBlt, MissingSourceOrSurfaceFails) {
  Surface dst(2, 2);
  EXPECT_FALSE(BitBlt(dst.DC, 0, 0, 2, 2, nullptr, 0, 0, SRCCOPY));
  EXPECT_TRUE(BitBlt(dst.DC, 0, 0, 2, 2, nullptr, 0, 0, WHITENESS));
  EXPECT_FALSE(BitBlt(nullptr, 0, 0, 2, 2, dst.DC, 0, 0, SRCCOPY));
}

}  // namespace
