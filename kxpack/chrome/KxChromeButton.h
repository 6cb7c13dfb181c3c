#pragma once
// What the window buttons (TKxBtMenu, TKxBtExit) and the language button
// share: the choice and drawing of a cell of a two-cell image strip, and the
// click that hands the button's ModalResult to its form.
#include <cstdint>

#include "host/controls/ControlTypes.h"
#include "kxpack/foundations/KxControls.h"

namespace kx {

// Cell 0 shows an enabled button on an active window at rest; cell 1 shows
// it pressed, disabled or inactive.
inline int32_t StripCell(bool Enabled, bool Active, bool Pressed) {
  return Enabled && Active && !Pressed ? 0 : 1;
}

// A black box with a one-pixel Frame over the client rectangle, then, when
// there is a Strip, its cell Cell (CellWidth wide, the strip's height)
// copied to the top-left corner.
void PaintStripButton(TCanvas* Canvas, const TRect& Client, TColor Frame, TBitmap* Strip,
                      int32_t CellWidth, int32_t Cell);

// The parent form, if any, takes Result as its ModalResult.
void HandModalResult(host::TControl* Button, host::TModalResult Result);

}  // namespace kx
