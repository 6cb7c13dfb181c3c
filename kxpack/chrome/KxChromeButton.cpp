#include "kxpack/chrome/KxChromeButton.h"

#include "host/controls/Forms.h"

namespace kx {

using namespace host;

void PaintStripButton(TCanvas* Canvas, const TRect& Client, TColor Frame, TBitmap* Strip,
                      int32_t CellWidth, int32_t Cell) {
  Canvas->Pen()->SetWidth(1);
  Canvas->Pen()->SetColor(Frame);
  Canvas->Brush()->SetStyle(bsSolid);
  Canvas->Brush()->SetColor(clBlack);
  Canvas->Rectangle(Client);
  if (!Strip) return;
  const int32_t h = Strip->Height();
  Canvas->CopyRect(Rect(0, 0, CellWidth, h), Strip->Canvas(),
                   Rect(Cell * CellWidth, 0, (Cell + 1) * CellWidth, h));
}

void HandModalResult(TControl* Button, TModalResult Result) {
  if (TCustomForm* form = GetParentForm(Button)) form->SetModalResult(Result);
}

}  // namespace kx
