#include "LedFixture.h"

#include <cstdio>

#include "host/graphics/Color.h"
#include "host/graphics/Gdi.h"
#include "host/graphics/Resources.h"
#include "kxpack/package/KxPack.h"

namespace kx::testing {

using namespace host;

void LedFormTest::SetUp() {
  HeadlessTest::SetUp();
  form = MakeForm(100, 100, 300, 200);
  form->SetName("F");
  form->SetColor(kFormColor);
}

void LedFormTest::TearDown() {
  session_.reset();
  HeadlessTest::TearDown();
}

Session& LedFormTest::S() {
  if (!session_) session_ = std::make_unique<Session>(form);
  return *session_;
}

BitmapImage PackageStrip(const std::string& Name) {
  HBITMAP bitmap = LoadBitmap(HInstance(), Name);
  BitmapImage pixels = *bitmap;
  DeleteObject(bitmap);
  return pixels;
}

BitmapImage Recoloured(BitmapImage Strip, TColor Low, TColor High) {
  for (uint32_t& p : Strip.Pixels) {
    if (p == ColorToPixel(0x000080))
      p = ColorToPixel(Low);
    else if (p == ColorToPixel(0x0000FF))
      p = ColorToPixel(High);
  }
  return Strip;
}

ExpectedPicture::ExpectedPicture(int Width, int Height, TColor Background)
    : image_(Width, Height, ColorToPixel(Background)) {}

void ExpectedPicture::Lay(const BitmapImage& Strip, const TRect& Source, int X, int Y, TColor Key) {
  for (int j = 0; j < Source.Height(); ++j)
    for (int i = 0; i < Source.Width(); ++i) {
      const int x = X + i, y = Y + j;
      if (x < 0 || y < 0 || x >= image_.Width || y >= image_.Height) continue;
      const uint32_t p = Strip.At(Source.Left + i, Source.Top + j);
      if (p != ColorToPixel(Key)) image_.At(x, y) = p;
    }
}

::testing::AssertionResult ExpectedPicture::Matches(const BitmapImage& Picture, int Left, int Top,
                                                    const TRect& Skip) const {
  int mismatches = 0;
  std::string first;
  for (int y = 0; y < image_.Height; ++y)
    for (int x = 0; x < image_.Width; ++x) {
      if (x >= Skip.Left && x < Skip.Right && y >= Skip.Top && y < Skip.Bottom) continue;
      const uint32_t got = Picture.At(Left + x, Top + y) & 0xFFFFFF, want = image_.At(x, y);
      if (got != want && mismatches++ == 0) {
        char text[96];
        std::snprintf(text, sizeof text, "at (%d,%d): got %06X, want %06X", x, y, got, want);
        first = text;
      }
    }
  if (mismatches == 0) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << mismatches << " pixels differ, first " << first;
}

}  // namespace kx::testing
