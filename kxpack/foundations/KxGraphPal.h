#pragma once
// TKxGraphPal: a two-colour palette (Low, High) that recolours glyph bitmaps
// and gives the colours of items by state.
#include "host/base/Types.h"
#include "kxpack/foundations/KxPersistent.h"

namespace host {
class TBitmap;
class TPublished;
}  // namespace host

namespace kx {

class TKxGraphPal : public TKxPersistent {
  HOST_CLASS(TKxGraphPal, TKxPersistent)
 public:
  // Low clGreen, High clLime.
  TKxGraphPal();

  // Copies Low and High from another palette with one OnChange; any other
  // source raises EConvertError.
  void Assign(host::TPersistent* Source) override;
  // Low for Index <= 0, otherwise High (callers pass the ordinal of a state).
  virtual host::TColor GetColors(host::Integer Index) const;
  // Recolours Bitmap in place: pixels of colour SrcLow become Low and pixels
  // of colour SrcHigh become High, both judged on the original pixels (a pixel
  // changed to Low is never changed again). System colours are resolved.
  void ToBMP(host::TBitmap* Bitmap, host::TColor SrcLow, host::TColor SrcHigh) const;

  host::TColor Low() const { return FLow; }
  host::TColor High() const { return FHigh; }
  void SetLow(host::TColor Value) { SetProp(FLow, Value); }
  void SetHigh(host::TColor Value) { SetProp(FHigh, Value); }

  static const host::TPublished& PublishedProperties();

 private:
  host::TColor FLow;
  host::TColor FHigh;
};

}  // namespace kx
