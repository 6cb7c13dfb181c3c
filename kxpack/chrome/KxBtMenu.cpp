#include "kxpack/chrome/KxBtMenu.h"

#include "host/classes/ClassRegistry.h"
#include "kxpack/chrome/KxBarreMenu.h"
#include "kxpack/chrome/KxChromeButton.h"
#include "kxpack/package/KxPack.h"

namespace kx {

using namespace host;

namespace {

// The strip of each kind but tkbNone, two 14 x 9 cells side by side.
const char* StripName(TKindBtMenu Kind) {
  switch (Kind) {
    case tkbBarre:
      return "BtBarre";
    case tkbCtrlMenu:
      return "BtControlMenu";
    case tkbMinimized:
      return "BtMinimized";
    case tkbMagnetic:
      return "BtMagnetic";
    case tkbNoMagnetic:
      return "BtNoMagnetic";
    case tkbNone:
      break;
  }
  return nullptr;
}

}  // namespace

TKxBtMenu::TKxBtMenu(TComponent* AOwner) : TGraphicControl(AOwner), FOwnerComponent(AOwner) {
  SetBounds(Left(), Top(), kWidth, kHeight);
  SetColor(kDefaultColor);
  SetActive(true);
}

TKxBtMenu::~TKxBtMenu() = default;

void TKxBtMenu::SetActive(bool Value) {
  FActive = Value;
  Invalidate();
}

void TKxBtMenu::SetKxEnabled(bool Value) {
  FKxEnabled = Value;
  Invalidate();
}

void TKxBtMenu::SetKindBt(TKindBtMenu Value) {
  FKindBt = Value;
  FBtBitmap.reset();
  if (const char* name = StripName(Value)) {
    FBtBitmap = std::make_unique<TBitmap>();
    FBtBitmap->SetSize(2 * kWidth, kHeight);
    FBtBitmap->LoadFromResourceName(HInstance(), name);
  }
  SetActive(FActive);
}

void TKxBtMenu::Loaded() {
  inherited::Loaded();
  KeepOnBarreMenuRow(this);
  SetActive(FActive);
  Resize();
}

void TKxBtMenu::Resize() {
  inherited::Resize();
  if (Width() != kWidth || Height() != kHeight) SetBounds(Left(), Top(), kWidth, kHeight);
}

void TKxBtMenu::Paint() {
  // A button that fails to paint shows what was drawn so far.
  Swallowing([&] {
    KeepOnBarreMenuRow(this);
    PaintStripButton(Canvas(), ClientRect(), kBarreColor, FBtBitmap.get(), kWidth,
                     StripCell(FKxEnabled, FActive, FPressed));
  });
}

void TKxBtMenu::Click() {
  if (!FKxEnabled) return;
  HandModalResult(this, FModalResult);
  if (FOnClick) FOnClick(this);
}

void TKxBtMenu::MouseDown(TMouseButton Button, TShiftState Shift, int32_t, int32_t) {
  FPressed = true;
  if (FOnMouseDown) {
    const TPoint at = Mouse->CursorPos();
    FOnMouseDown(this, Button, Shift, at.X, at.Y);
  }
  Invalidate();
}

void TKxBtMenu::MouseUp(TMouseButton Button, TShiftState Shift, int32_t, int32_t) {
  FPressed = false;
  if (FKindBt == tkbMagnetic)
    FKindBt = tkbNoMagnetic;
  else if (FKindBt == tkbNoMagnetic)
    FKindBt = tkbMagnetic;
  SetKindBt(FKindBt);
  if (FOnMouseUp) {
    const TPoint at = Mouse->CursorPos();
    FOnMouseUp(this, Button, Shift, at.X, at.Y);
  }
  Invalidate();
}

const TPublished& TKxBtMenu::PublishedProperties() {
  using T = TKxBtMenu;
  static const TPublished table = [] {
    TPublishBuilder<T> b = Publish<T>();
    b.Hide("HelpType")
        .Hide("HelpKeyword")
        .Hide("HelpContext")
        .Publish("Anchors", "Hint", "Color")
        .Default(kDefaultColor)
        .StoredUnlessDefault()
        .Publish("OnClick", "OnMouseDown", "OnMouseUp", "ShowHint", "Visible", "PopupMenu");
    PublishAbout(b)
        .Int("ModalResult", &T::ModalResult, &T::SetModalResult)
        .Bool("Enabled", &T::KxEnabled, &T::SetKxEnabled)
        .Bool("Active", &T::Active, &T::SetActive)
        .Enum("KindBt", &T::KindBt, &T::SetKindBt);
    return TPublished(b);
  }();
  return table;
}

namespace {
const bool kRegistered = (RegisterClass<TKxBtMenu>(), true);
}  // namespace

}  // namespace kx
