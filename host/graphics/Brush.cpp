#include "host/graphics/Brush.h"

namespace host {

void TBrush::SetColor(TColor Value) {
  // A colour is given to be painted with: a clear brush becomes solid, even
  // when the colour is the one it already had.
  if (FBrush.Color == Value && FBrush.Style == bsSolid) return;
  FBrush.Color = Value;
  FBrush.Style = bsSolid;
  Changed();
}

void TBrush::SetStyle(TBrushStyle Value) {
  if (FBrush.Style == Value) return;
  FBrush.Style = Value;
  Changed();
}

void TBrush::Assign(TPersistent* Source) {
  if (auto* brush = As<TBrush>(Source)) {
    if (brush == this) return;
    const bool same = FBrush.Color == brush->FBrush.Color && FBrush.Style == brush->FBrush.Style;
    FBrush = brush->FBrush;
    if (!same) Changed();
    return;
  }
  inherited::Assign(Source);
}

void TBrush::Changed() {
  if (FOnChange) FOnChange(this);
}

}  // namespace host
