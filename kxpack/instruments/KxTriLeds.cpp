#include "kxpack/instruments/KxTriLeds.h"

#include <string>

#include "host/classes/ClassRegistry.h"
#include "host/graphics/Resources.h"
#include "kxpack/foundations/KxBitmapUtils.h"
#include "kxpack/foundations/KxConst.h"
#include "kxpack/package/KxPack.h"

namespace kx {

using namespace host;

TKxTriLeds::TKxTriLeds(TComponent* AOwner) : TKxGraphicImageControl(AOwner) {
  SetControlStyle(ControlStyle() + TControlStyle{csOpaque});
  SetBounds(Left(), Top(), 80, 45);
  SetParentColor(false);
  SetColor(kDefaultColor);
  AllocateBitmaps(FBitmaps);
  LoadBitmaps();
}

TKxTriLeds::~TKxTriLeds() { DeallocateBitmaps(FBitmaps); }

void TKxTriLeds::SetLedState(TKxTriLedsStates Value) {
  // Only the three lamps have a state.
  Value = Value * kAllLamps;
  if (Value == FLedState) return;
  FLedState = Value;
  UpdateControlCanvas();
  Change();
}

void TKxTriLeds::SetSpacing(Integer Value) { SetPaintedProp(FSpacing, Value); }
void TKxTriLeds::SetOrder(TKxTriLedsOrder Value) { SetPaintedProp(FOrder, Value); }
void TKxTriLeds::SetOrientation(TKxOrientation Value) { SetPaintedProp(FOrientation, Value); }

void TKxTriLeds::SetLedsVisible(TKxTriLedsVisible Value) {
  Value = Value * kAllLamps;
  if (Value == FLedsVisible) return;
  FLedsVisible = Value;
  FVisibleCount = 0;
  for (TKxTriLedsState lamp : {tlsGreen, tlsYellow, tlsRed})
    if (Value.Contains(lamp)) ++FVisibleCount;
  UpdateControlCanvas();
}

void TKxTriLeds::SetLedType(TKxTriLedsType Value) {
  if (Value == FLedType) return;
  FLedType = Value;
  LoadBitmaps();
  UpdateControlCanvas();
}

void TKxTriLeds::LoadBitmaps() {
  const std::string name = std::string("LIGHTS_") + ResId[FLedType] + "_";
  FBitmaps[0]->SetHandle(LoadBitmap(HInstance(), name + "OFF"));
  FBitmaps[1]->SetHandle(LoadBitmap(HInstance(), name + "ON"));
  // Both strips have the same size; the unlit one is measured.
  FCellWidth = FBitmaps[0]->Width() / 3;
  FCellHeight = FBitmaps[0]->Height();
}

void TKxTriLeds::Change() {
  if (FOnChange) FOnChange(this);
}

void TKxTriLeds::DrawLed(Integer X, Integer Y, Integer Index, bool Lit) {
  TCanvas* canvas = GetBitmapCanvas();
  canvas->Brush()->SetStyle(bsClear);
  const Integer left = Index * FCellWidth;
  canvas->BrushCopy(Rect(X, Y, X + FCellWidth, Y + FCellHeight), FBitmaps[Lit ? 1 : 0].get(),
                    Rect(left, 0, left + FCellWidth, FCellHeight), clBlack);
}

void TKxTriLeds::DrawLamps(bool Horizontal) {
  // In 64 bits: a large Spacing puts the group, and lamps, past the Integer
  // range. Only lamps that reach into the client area are drawn.
  const int64_t along = Horizontal ? FCellWidth : FCellHeight;
  const int64_t across = Horizontal ? FCellHeight : FCellWidth;
  const int64_t clientAlong = Horizontal ? ClientWidth() : ClientHeight();
  const int64_t clientAcross = Horizontal ? ClientHeight() : ClientWidth();
  const int64_t total = FVisibleCount * along + (FVisibleCount - 1) * int64_t{FSpacing};
  int64_t pos = (clientAlong - total) / 2;
  const Integer side = static_cast<Integer>((clientAcross - across) / 2);
  const TKxTriLedsState greenFirst[] = {tlsGreen, tlsYellow, tlsRed};
  const TKxTriLedsState redFirst[] = {tlsRed, tlsYellow, tlsGreen};
  for (TKxTriLedsState lamp : FOrder == tloGreenToRed ? greenFirst : redFirst) {
    if (!FLedsVisible.Contains(lamp)) continue;
    if (pos < clientAlong && pos + along > 0) {
      const Integer at = static_cast<Integer>(pos);
      DrawLed(Horizontal ? at : side, Horizontal ? side : at, lamp, FLedState.Contains(lamp));
    }
    pos += along + FSpacing;
  }
}

void TKxTriLeds::Paint() {
  ClearBitmapCanvas();
  DrawLamps(FOrientation == tvoHorizontal);
  inherited::Paint();
}

const TPublished& TKxTriLeds::PublishedProperties() {
  using T = TKxTriLeds;
  static const TPublished table = [] {
    TPublishBuilder<T> b = Publish<T>();
    PublishAbout(b)
        .Set("LedState", &T::LedState, &T::SetLedState, TKxTriLedsStates{})
        .Int("Spacing", &T::Spacing, &T::SetSpacing, kDefaultSpacing)
        .Enum("Order", &T::Order, &T::SetOrder, kDefaultOrder)
        .Enum("Orientation", &T::Orientation, &T::SetOrientation, kDefaultOrientation)
        .Set("LedsVisible", &T::LedsVisible, &T::SetLedsVisible, kAllLamps)
        .Enum("LedType", &T::LedType, &T::SetLedType, kDefaultLedType)
        .Publish("Transparent")
        .Event("OnChange", &T::FOnChange)
        .Publish("Align", "Anchors", "Constraints", "Color")
        .Default(kDefaultColor)
        .StoredUnlessDefault()
        .Publish("DragCursor", "DragKind", "DragMode", "Hint", "ParentColor")
        .Default(false)
        .Publish("ParentShowHint", "PopupMenu", "ShowHint", "Visible")
        .PublishEvents("OnClick", "OnContextPopup", "OnDblClick", kDragDockEvents, kMouseEvents);
    return TPublished(b);
  }();
  return table;
}

namespace {
const bool kRegistered = (RegisterClass<TKxTriLeds>(), true);
}  // namespace

}  // namespace kx
