#include "kxpack/foundations/KxGraphPal.h"

#include "host/classes/TypInfo.h"
#include "host/graphics/Color.h"

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

}  // namespace kx
