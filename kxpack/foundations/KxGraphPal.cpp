#include "kxpack/foundations/KxGraphPal.h"

#include "host/classes/TypInfo.h"
#include "host/graphics/Bitmap.h"
#include "host/graphics/Color.h"
#include "host/graphics/PixelOps.h"

namespace kx {

TKxGraphPal::TKxGraphPal() : FLow(host::clGreen), FHigh(host::clLime) {}

const host::TPublished& TKxGraphPal::PublishedProperties() {
  using T = TKxGraphPal;
  // Owners set colours of their own after creating the palette, so both are
  // always stored.
  static const host::TPublished table =
      host::Publish<T>().Color("Low", &T::Low, &T::SetLow).Color("High", &T::High, &T::SetHigh);
  return table;
}

void TKxGraphPal::Assign(host::TPersistent* Source) {
  auto* src = host::As<TKxGraphPal>(Source);
  if (!src) {
    inherited::Assign(Source);
    return;
  }
  Updating([&] {
    SetLow(src->FLow);
    SetHigh(src->FHigh);
  });
}

host::TColor TKxGraphPal::GetColors(host::Integer Index) const { return Index <= 0 ? FLow : FHigh; }

void TKxGraphPal::ToBMP(host::TBitmap* Bitmap, host::TColor SrcLow, host::TColor SrcHigh) const {
  if (!Bitmap || Bitmap->Empty()) return;
  host::BitmapImage& image = *Bitmap->Handle();
  // One pass over the pixels, each judged on its original value. A pixel of
  // SrcHigh ends as High even when SrcHigh equals SrcLow, as a second pass
  // after the first would leave it.
  host::pixels::ReplaceTwo(image.Pixels.data(), image.Width, image.Width, image.Height,
                           host::ColorToPixel(SrcHigh), host::ColorToPixel(FHigh),
                           host::ColorToPixel(SrcLow), host::ColorToPixel(FLow));
}

}  // namespace kx
