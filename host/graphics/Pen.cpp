#include "host/graphics/Pen.h"

#include <algorithm>

namespace host {

void TPen::SetColor(TColor Value) {
  if (FPen.Color == Value) return;
  FPen.Color = Value;
  Changed();
}

void TPen::SetWidth(int32_t Value) {
  Value = std::max(Value, 1);
  if (FPen.Width == Value) return;
  FPen.Width = Value;
  Changed();
}

void TPen::SetStyle(TPenStyle Value) {
  if (FPen.Style == Value) return;
  FPen.Style = Value;
  Changed();
}

void TPen::SetMode(TPenMode Value) {
  if (FMode == Value) return;
  FMode = Value;
  Changed();
}

void TPen::Assign(TPersistent* Source) {
  if (auto* pen = As<TPen>(Source)) {
    if (pen == this) return;
    const bool same = FPen.Color == pen->FPen.Color && FPen.Width == pen->FPen.Width &&
                      FPen.Style == pen->FPen.Style && FMode == pen->FMode;
    FPen = pen->FPen;
    FMode = pen->FMode;
    if (!same) Changed();
    return;
  }
  inherited::Assign(Source);
}

void TPen::Changed() {
  if (FOnChange) FOnChange(this);
}

int PenModeToRop2(TPenMode mode) {
  // In TPenMode's order, pmBlack … pmNotXor.
  static constexpr int kRop2[] = {1, 16, 11, 6, 13, 4, 14, 5, 12, 3, 15, 2, 9, 8, 7, 10};
  return kRop2[mode];
}

}  // namespace host
