#include "kxpack/instruments/KxProgress.h"

#include <cstdint>

#include "host/graphics/Canvas.h"
#include "kxpack/foundations/KxPainters.h"

namespace kx {

using namespace host;

// --- TKxScanBarLed -----------------------------------------------------------------

void TKxScanBarLed::SetActive(bool Value) {
  if (Value == FActive) return;
  FActive = Value;
  Changed(false);
}

// --- TKxProgress -------------------------------------------------------------------

const TPublished& TKxProgress::PublishedProperties() {
  using T = TKxProgress;
  static const TPublished table =
      Publish<T>()
          .Offering()
          .Int("Spacing", &T::Spacing, &T::SetSpacing, kDefaultSpacing)
          .Enum("Style", &T::Style, &T::SetStyle, kDefaultStyle)
          .Bool("PlainColors", &T::PlainColors, &T::SetPlainColors, false)
          .Int("ColorWidth", &T::ColorWidth, &T::SetColorWidth, kDefaultColorWidth)
          .Event("OnChange", &T::FOnChange);
  return table;
}

TKxProgress::TKxProgress(TComponent* AOwner) : TKxGraphicImageControl(AOwner) {
  SetControlStyle(ControlStyle() + TControlStyle{csOpaque});
  SetBounds(Left(), Top(), 65, 17);
}

TKxProgress::~TKxProgress() { FItems.reset(); }

void TKxProgress::SetColorWidth(Integer Value) {
  if (Value < 1) return;
  SetPaintedProp(FColorWidth, Value);
}

TKxScanBarLed* TKxProgress::Led(Integer Index) const {
  return static_cast<TKxScanBarLed*>(FItems->GetItem(Index));
}

void TKxProgress::GetItemRect(Integer Index, TRect& Rect) const {
  // In 64 bits: a large Spacing or count takes the products past the
  // Integer range; the edges take the nearest Integer.
  const int64_t n = FItems->GetCount();
  const int64_t s = FSpacing;
  const int64_t width = ClientWidth();
  const int64_t gaps = s * (n - 1);
  const int64_t w = n > 0 ? (width - gaps) / n : 0;
  const int64_t margin = (width - (gaps + n * w)) / 2;
  const int64_t left = margin + Index * (w + s);
  Rect = TRect{SaturateToInt32(left), 0, SaturateToInt32(left + w), ClientHeight()};
}

void TKxProgress::UpdateLed(Integer Index) {
  if (Index < 0 || Index >= FItems->GetCount()) return;
  TCanvas* canvas = FDrawCanvas;
  // Straight onto the screen only when the control is there to be drawn;
  // otherwise its next paint shows the LED as it is now.
  if (canvas == Canvas() && (Loading() || !Showing())) return;

  TColor low = clBlack;
  TColor high = clBlack;
  GetLedColors(Index, low, high);
  const bool lit = Led(Index)->Active();
  const TColor fill = lit ? high : low;
  TRect r;
  GetItemRect(Index, r);
  if (FPlainColors) {
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(fill);
    canvas->FillRect(r);
  } else {
    DrawGradientExt(canvas, r, fill, clBlack, tgdUpDown, FColorWidth);
  }
  switch (FStyle) {
    case tlsRaised:
      DrawOutline3D(canvas, r, clBlack, clBlack, 1);
      if (!FPlainColors)
        DrawOutline3D(canvas, r, fill, clBlack, 1);
      else if (lit)
        DrawOutline3D(canvas, r, clBtnHighlight, high, 1);
      else
        DrawOutline3D(canvas, r, high, low, 1);
      break;
    case tlsLowered:
      DrawOutline3D(canvas, r, clBtnShadow, clBtnHighlight, 1);
      DrawOutline3D(canvas, r, clBlack, clBlack, 1);
      break;
    case tlsFlat:
      DrawOutline3D(canvas, r, clBlack, clBlack, 1);
      break;
    case tlsNone:
      break;
  }
}

void TKxProgress::UpdateLeds() {
  for (Integer i = 0; i < FItems->GetCount(); ++i) UpdateLed(i);
}

void TKxProgress::ItemChanged(TKxCollectionItem* Item) {
  if (Item)
    UpdateLed(Item->Index());
  else
    UpdateLeds();
}

void TKxProgress::Change() {
  if (FOnChange) FOnChange(this);
}

void TKxProgress::Paint() {
  ClearBitmapCanvas();
  FDrawCanvas = GetBitmapCanvas();
  UpdateLeds();
  inherited::Paint();
  FDrawCanvas = Canvas();
}

}  // namespace kx
