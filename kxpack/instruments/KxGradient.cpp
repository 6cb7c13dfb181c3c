#include "kxpack/instruments/KxGradient.h"

#include "host/classes/ClassRegistry.h"
#include "host/controls/Forms.h"
#include "kxpack/chrome/KxPanel.h"
#include "kxpack/foundations/KxOwnerUtils.h"
#include "kxpack/foundations/KxPainters.h"

namespace kx {

using namespace host;

// --- TKxCustomGradient ------------------------------------------------------------

TKxCustomGradient::TKxCustomGradient(TComponent* AOwner) : TKxGraphicImageControl(AOwner) {
  SetControlStyle(ControlStyle() + TControlStyle{csOpaque, csReplicatable});
  SetBounds(Left(), Top(), 150, 150);
}

void TKxCustomGradient::SetStartColor(TColor Value) { SetPaintedProp(FStartColor, Value); }
void TKxCustomGradient::SetEndColor(TColor Value) { SetPaintedProp(FEndColor, Value); }
void TKxCustomGradient::SetDirection(TKxGradDirection Value) { SetPaintedProp(FDirection, Value); }
void TKxCustomGradient::SetSwapColors(bool Value) { SetPaintedProp(FSwapColors, Value); }

void TKxCustomGradient::SetColorWidth(Integer Value) {
  // The gradient's steps would not advance.
  if (Value <= 0) return;
  SetPaintedProp(FColorWidth, Value);
}

void TKxCustomGradient::Paint() {
  const TColor first = FSwapColors ? FEndColor : FStartColor;
  const TColor second = FSwapColors ? FStartColor : FEndColor;
  DrawGradientExt(GetBitmapCanvas(), ClientRect(), first, second, FDirection, FColorWidth);
  inherited::Paint();
}

bool TKxCustomGradient::MoveWindow(TWinControl* Window) {
  if (!StartWindowMove(Window, this)) return false;
  FPressMovedWindow = true;
  return true;
}

void TKxCustomGradient::WMLButtonDown(TMessage& Message) {
  FPressMovedWindow = false;
  inherited::WMLButtonDown(Message);
  if (FFormDrag && !FPressMovedWindow) MoveWindow(GetOwnerControl(this));
}

// --- TKxGradient ---------------------------------------------------------------------

const TPublished& TKxGradient::PublishedProperties() {
  using T = TKxGradient;
  static const TPublished table = [] {
    TPublishBuilder<T> b = Publish<T>();
    PublishAbout(b)
        .Color("StartColor", &T::StartColor, &T::SetStartColor, kDefaultStartColor)
        .Color("EndColor", &T::EndColor, &T::SetEndColor, kDefaultEndColor)
        .Int("ColorWidth", &T::ColorWidth, &T::SetColorWidth, kDefaultColorWidth)
        .Enum("Direction", &T::Direction, &T::SetDirection, kDefaultDirection)
        .Bool("FormDrag", &T::FormDrag, &T::SetFormDrag, false)
        .Bool("SwapColors", &T::SwapColors, &T::SetSwapColors, false)
        .Publish("Anchors", "Constraints", "Align", "DragCursor", "DragKind", "DragMode", "Hint",
                 "ParentShowHint", "PopupMenu", "ShowHint", "Visible")
        .PublishEvents("OnClick", "OnContextPopup", "OnDblClick", kDragDockEvents, kMouseEvents);
    return TPublished(b);
  }();
  return table;
}

void TKxGradient::MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
  // OnMouseDown fires here once per press: before the move, as on the panels.
  inherited::MouseDown(Button, Shift, X, Y);
  if (Button == mbLeft) MoveWindow(GetParentForm(this));
  if (auto* panel = As<TKxPanel>(Parent()); panel && panel->OnMouseDown())
    panel->OnMouseDown()(this, Button, Shift, X, Y);
}

namespace {
const bool kRegistered = (RegisterClass<TKxGradient>(), true);
}  // namespace

}  // namespace kx
