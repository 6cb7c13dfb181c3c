#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "host/graphics/BmpCodec.h"
#include "host/graphics/Graphics.h"

using namespace host;

namespace {

TEST(Bitmap, SizeKeepsPixelsAndFillsNewOnesWhite) {
  TBitmap b;
  EXPECT_TRUE(b.Empty());
  int changes = 0;
  b.SetOnChange([&](TObject*) { ++changes; });
  b.SetSize(2, 1);
  b.Canvas()->SetPixels(0, 0, clRed);
  b.SetWidth(3);
  b.SetHeight(2);
  EXPECT_EQ(b.Canvas()->Pixels(0, 0), clRed);
  EXPECT_EQ(b.Canvas()->Pixels(2, 1), clWhite);
  EXPECT_EQ(b.Canvas()->ClipRect(), (TRect{0, 0, 3, 2}));
  EXPECT_EQ(changes, 4);  // three sizes and one pixel
  b.SetSize(-5, 2);
  EXPECT_TRUE(b.Empty());
  EXPECT_EQ(b.TransparentColor(), clNone);
}

TEST(Bitmap, SizesBeyondThePixelLimitAreRefusedAndChangeNothing) {
  TBitmap b;
  b.SetSize(3, 2);
  b.Canvas()->SetPixels(0, 0, clRed);
  int changes = 0;
  b.SetOnChange([&](TObject*) { ++changes; });
  struct Case {
    int32_t w, h;
  };
  const Case cases[] = {{8193, 8192}, {8192, 8193}, {INT32_MAX, INT32_MAX}, {INT32_MAX, 2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.w << " x " << c.h);
    EXPECT_THROW(b.SetSize(c.w, c.h), EOutOfResources);
    EXPECT_EQ(b.Width(), 3);
    EXPECT_EQ(b.Height(), 2);
    EXPECT_EQ(b.Canvas()->Pixels(0, 0), clRed);
  }
  EXPECT_THROW(b.SetWidth(kMaxBitmapPixels / 2 + 1), EOutOfResources);
  EXPECT_EQ(changes, 0);
  // Any number of pixels up to the limit is fine when the other side is 0.
  b.SetSize(INT32_MAX, 0);
  EXPECT_TRUE(b.Empty());
}

TEST(Bitmap, HandleOwnershipFollowsTheCanvas) {
  TBitmap b;
  b.SetSize(1, 1);
  TCanvas* canvas = b.Canvas();
  canvas->Handle();  // the canvas has its DC on the old pixels
  HBITMAP loaded = CreateBitmap(2, 2, false);
  loaded->Pixels.assign(4, 0x0000FF);
  b.SetHandle(loaded);
  EXPECT_EQ(b.Handle(), loaded);
  EXPECT_EQ(b.Width(), 2);
  EXPECT_EQ(canvas->Pixels(1, 1), clBlue);
  canvas->SetPixels(0, 0, clRed);
  EXPECT_EQ(loaded->At(0, 0), 0xFF0000u);

  HBITMAP released = b.ReleaseHandle();
  EXPECT_EQ(released, loaded);
  EXPECT_TRUE(b.Empty());
  EXPECT_EQ(canvas->ClipRect(), (TRect{}));
  DeleteObject(released);
}

TEST(Bitmap, MonochromeHoldsOnlyBlackAndWhite) {
  TBitmap b;
  b.SetSize(3, 1);
  b.Canvas()->SetPixels(0, 0, static_cast<TColor>(0x202020));
  b.Canvas()->SetPixels(1, 0, static_cast<TColor>(0xE0E0E0));
  b.SetMonochrome(true);
  EXPECT_EQ(b.PixelFormat(), pf1bit);
  EXPECT_EQ(b.Canvas()->Pixels(0, 0), clBlack);
  EXPECT_EQ(b.Canvas()->Pixels(1, 0), clWhite);
  b.Canvas()->SetPixels(2, 0, clMaroon);  // dark: black
  EXPECT_EQ(b.Canvas()->Pixels(2, 0), clBlack);
}

TEST(Bitmap, AssignCopiesPixelsFormatAndTransparency) {
  TBitmap a;
  a.SetSize(2, 2);
  a.SetPixelFormat(pf4bit);
  a.Canvas()->SetPixels(1, 1, clTeal);
  a.SetTransparent(true);
  a.SetTransparentColor(clTeal);
  TBitmap b;
  int changes = 0;
  b.SetOnChange([&](TObject*) { ++changes; });
  b.Assign(&a);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(b.Width(), 2);
  EXPECT_EQ(b.PixelFormat(), pf4bit);
  EXPECT_EQ(b.Canvas()->Pixels(1, 1), clTeal);
  EXPECT_TRUE(b.Transparent());
  EXPECT_EQ(b.TransparentColor(), clTeal);
  a.Canvas()->SetPixels(1, 1, clRed);  // a copy, not a share
  EXPECT_EQ(b.Canvas()->Pixels(1, 1), clTeal);

  TPen pen;
  try {
    b.Assign(&pen);
    FAIL() << "assigning a pen must fail";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "Cannot assign a TPen to a TBitmap");
  }
  b.Assign(nullptr);
  EXPECT_TRUE(b.Empty());
}

TEST(Bitmap, ScanLineChecksTheRow) {
  TBitmap b;
  b.SetSize(2, 2);
  b.ScanLine(1)[1] = 0x123456;
  EXPECT_EQ(b.Canvas()->Pixels(1, 1), PixelToColor(0x123456));
  EXPECT_THROW(b.ScanLine(2), EInvalidGraphic);
  EXPECT_THROW(b.ScanLine(-1), EInvalidGraphic);
}

TEST(Bitmap, StreamsRoundTripAndBadDataLosesNothing) {
  TBitmap a;
  a.SetSize(3, 2);
  a.SetPixelFormat(pf24bit);
  a.Canvas()->SetPixels(2, 1, clNavy);
  TMemoryStream stream;
  a.SaveToStream(stream);
  stream.SetPosition(0);
  TBitmap b;
  b.LoadFromStream(stream);
  EXPECT_EQ(b.Width(), 3);
  EXPECT_EQ(b.Canvas()->Pixels(2, 1), clNavy);

  TMemoryStream junk(std::vector<uint8_t>{'B', 'M', 1, 2, 3});
  EXPECT_THROW(b.LoadFromStream(junk), EInvalidGraphic);
  EXPECT_EQ(b.Width(), 3);
  EXPECT_EQ(b.Canvas()->Pixels(2, 1), clNavy);
  EXPECT_THROW(b.LoadFromFile("/nonexistent/dir/x.bmp"), EFOpenError);

  const std::string path = (std::filesystem::temp_directory_path() / "kx_bitmap_test.bmp").string();
  a.SaveToFile(path);
  TPicture picture;
  picture.LoadFromFile(path);
  std::remove(path.c_str());
  EXPECT_EQ(picture.Width(), 3);
  EXPECT_EQ(picture.Bitmap()->Canvas()->Pixels(2, 1), clNavy);
}

TEST(Bitmap, LoadsResourcesByNameWithoutRegardToCase) {
  BitmapImage image(2, 1, 0x00FF00);
  image.PixelFormat = pf24bit;
  const std::vector<uint8_t> bmp = EncodeBmp(image);
  const ResourceEntry entries[] = {{RT_BITMAP, "LEDGREEN", bmp.data(), bmp.size()}};
  HMODULE module = RegisterModuleResources("bitmap_test", entries);
  TBitmap b;
  b.LoadFromResourceName(module, "LedGreen");
  EXPECT_EQ(b.Width(), 2);
  EXPECT_EQ(b.Canvas()->Pixels(0, 0), clLime);
  try {
    b.LoadFromResourceName(module, "NOPE");
    FAIL() << "a missing resource must fail";
  } catch (const EResNotFound& e) {
    EXPECT_EQ(e.Message(), "Resource NOPE not found");
  }
  EXPECT_EQ(b.Width(), 2);
  UnregisterModuleResources(module);
}

TEST(Picture, HoldsACopyAndReportsChanges) {
  TBitmap source;
  source.SetSize(4, 3);
  TPicture picture;
  int changes = 0;
  picture.SetOnChange([&](TObject*) { ++changes; });
  picture.SetGraphic(&source);
  EXPECT_NE(picture.Graphic(), &source);
  EXPECT_EQ(picture.Width(), 4);
  EXPECT_EQ(changes, 1);
  picture.Bitmap()->SetSize(5, 5);  // a change of the held graphic
  EXPECT_EQ(changes, 2);

  TPicture other;
  other.Assign(&picture);
  EXPECT_EQ(other.Height(), 5);
  TBitmap target;
  target.Assign(&other);
  EXPECT_EQ(target.Width(), 5);
  other.Assign(nullptr);
  EXPECT_EQ(other.Graphic(), nullptr);
  EXPECT_EQ(other.Width(), 0);
}

}  // namespace
