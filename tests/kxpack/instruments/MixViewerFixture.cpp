#include "MixViewerFixture.h"

#include <algorithm>
#include <string>

#include "host/graphics/Color.h"
#include "kxpack/foundations/KxColorUtils.h"
#include "kxpack/foundations/KxIntUtils.h"

namespace kx::testing {

using namespace host;

namespace {

uint32_t Pixel(TColor color) { return ColorToPixel(Color2RGB(color)); }

// X1 + (X2 − X1) × i div D per channel, truncating toward zero.
uint32_t Ramp(TColor from, TColor to, int64_t d, int64_t i) {
  Byte a[3], b[3];
  GetRGB(from, a[0], a[1], a[2]);
  GetRGB(to, b[0], b[1], b[2]);
  TColor out = 0;
  for (int c = 0; c < 3; ++c) out |= static_cast<TColor>(a[c] + (b[c] - a[c]) * i / d) << (8 * c);
  return Pixel(out);
}

}  // namespace

BitmapImage ExpectedViewerPicture(const TKxMixViewer& v) {
  const int w = v.Width(), hgt = v.Height();
  BitmapImage out(w, hgt, Pixel(v.Color()));
  const int border = v.Bevel()->BorderWidth();
  for (int y = 0; y < hgt; ++y)
    for (int x = 0; x < w; ++x)
      if (x < border || y < border || x >= w - border || y >= hgt - border)
        out.At(x, y) = Pixel(v.Bevel()->BorderColor());

  const TRect area{border, border, w - border, hgt - border};
  const int64_t h = area.Bottom - area.Top;
  int64_t spacing = v.Spacing();
  if (v.TickHeight() + spacing <= 0) spacing = 0;  // ticks that cannot step touch
  const int64_t pitch = v.TickHeight() + spacing;
  const int64_t count = (h + spacing) / pitch;

  auto rowColor = [&](int state, int64_t row) {
    const TKxGraphPal* pal[3] = {v.GraphPal3(), v.GraphPal2(), v.GraphPal1()};
    auto c = [&](int zone) { return state ? pal[zone]->High() : pal[zone]->Low(); };
    if (v.PlainColors()) {
      const int64_t z1 = SolveForX(v.Percent1(), static_cast<Integer>(count)) * pitch;
      const int64_t z2 = SolveForX(v.Percent2(), static_cast<Integer>(count)) * pitch;
      if (row >= h - z1) return Pixel(c(2));
      if (row >= h - z1 - z2) return Pixel(c(1));
      return Pixel(c(0));
    }
    const int64_t z1 = SolveForX(v.Percent1(), static_cast<Integer>(h));
    const int64_t z2 = SolveForX(v.Percent2(), static_cast<Integer>(h));
    const int64_t g = std::max<int64_t>(1, z1 + z2 / 2);
    const int64_t n = std::max<int64_t>(1, h - g);
    return row <= n ? Ramp(c(0), c(1), n, row) : Ramp(c(1), c(2), g, row - n - 1);
  };

  for (int bar = 0; bar < v.GetCount(); ++bar) {
    const int64_t left = area.Left + int64_t{bar} * (v.BarWidth() + v.BarSpacing());
    const int64_t range = int64_t{v.MaxValue()} - v.MinValue();
    const int64_t percent = (int64_t{v.GetItem(bar)->Position()} - v.MinValue()) * 100 / range;
    const int64_t lit = std::clamp<int64_t>(
        SolveForX(static_cast<Integer>(percent), static_cast<Integer>(count)), 0, count);
    for (int64_t k = 0; k < count; ++k) {
      const int64_t j = k - (count - lit);  // index among the lit ticks, or negative
      for (int64_t y = area.Top + k * pitch; y < area.Top + k * pitch + v.TickHeight(); ++y)
        for (int64_t x = left; x < left + v.BarWidth(); ++x) {
          if (x < 0 || x >= w || y < 0 || y >= hgt) continue;
          uint32_t color;
          if (j < 0)
            color = v.ShowInactive() ? rowColor(0, y - area.Top) : Pixel(v.Color());
          else
            color =
                j == 0 && v.MarkerVisible() ? Pixel(v.MarkerColor()) : rowColor(1, y - area.Top);
          out.At(static_cast<int>(x), static_cast<int>(y)) = color;
        }
    }
  }
  return out;
}

void MixViewerTest::SetUp() {
  HeadlessTest::SetUp();
  form = MakeForm(100, 100, 400, 200);
  viewer = new TKxMixViewer(form);
  viewer->SetName("Mix");
  viewer->SetLeft(kLeft);
  viewer->SetTop(kTop);
  viewer->SetColor(kBackground);
  viewer->SetParent(form);
  form->Show();
  Pump();
}

BitmapImage MixViewerTest::ViewerPixels() {
  Pump();
  BitmapImage out(viewer->Width(), viewer->Height());
  for (int y = 0; y < out.Height; ++y)
    for (int x = 0; x < out.Width; ++x)
      out.At(x, y) = form->Framebuffer().At(kLeft + x, kTop + y) & 0xFFFFFF;
  return out;
}

void MixViewerTest::ExpectPicture() {
  const BitmapImage got = ViewerPixels();
  const BitmapImage want = ExpectedViewerPicture(*viewer);
  int mismatches = 0;
  std::string first;
  for (int y = 0; y < want.Height; ++y)
    for (int x = 0; x < want.Width; ++x)
      if (got.At(x, y) != want.At(x, y) && mismatches++ == 0)
        first = "at (" + std::to_string(x) + "," + std::to_string(y) + ") got " +
                std::to_string(got.At(x, y)) + " want " + std::to_string(want.At(x, y));
  EXPECT_EQ(mismatches, 0) << first;
}

}  // namespace kx::testing
