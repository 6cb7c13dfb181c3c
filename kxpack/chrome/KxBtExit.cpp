#include "kxpack/chrome/KxBtExit.h"

#include "host/classes/ClassRegistry.h"
#include "kxpack/chrome/KxBarreMenu.h"
#include "kxpack/chrome/KxChromeButton.h"
#include "kxpack/package/KxPack.h"

namespace kx {

using namespace host;

TKxBtExit::TKxBtExit(TComponent* AOwner)
    : TGraphicControl(AOwner), FOwnerComponent(AOwner), FBtBitmap(std::make_unique<TBitmap>()) {
  SetBounds(Left(), Top(), kWidth, kHeight);
  SetColor(kDefaultColor);
  FBtBitmap->LoadFromResourceName(HInstance(), "BtExit");
  SetActive(true);
}

TKxBtExit::~TKxBtExit() = default;

void TKxBtExit::SetActive(bool Value) {
  FActive = Value;
  Invalidate();
}

void TKxBtExit::SetKxEnabled(bool Value) {
  FKxEnabled = Value;
  Invalidate();
}

void TKxBtExit::Loaded() {
  inherited::Loaded();
  FOnMouseDown = TMouseEvent(this, &TKxBtExit::MseDown);
  FOnMouseUp = TMouseEvent(this, &TKxBtExit::MseUp);
  KeepOnBarreMenuRow(this);
  SetActive(FActive);
  Resize();
}

void TKxBtExit::MseDown(TObject*, TMouseButton, TShiftState, int32_t, int32_t) {
  FPressed = true;
  Invalidate();
}

void TKxBtExit::MseUp(TObject*, TMouseButton, TShiftState, int32_t, int32_t) {
  FPressed = false;
  Invalidate();
}

void TKxBtExit::Resize() {
  inherited::Resize();
  if (Width() != kWidth || Height() != kHeight) SetBounds(Left(), Top(), kWidth, kHeight);
}

void TKxBtExit::Paint() {
  // A button that fails to paint shows what was drawn so far.
  Swallowing([&] {
    KeepOnBarreMenuRow(this);
    PaintStripButton(Canvas(), ClientRect(), clBlack, FBtBitmap.get(), kWidth,
                     StripCell(FKxEnabled, FActive, FPressed));
  });
}

void TKxBtExit::Click() {
  if (!FKxEnabled) return;
  HandModalResult(this, FModalResult);
  inherited::Click();
}

void TKxBtExit::CMMouseEnter(TMessage& Message) {
  inherited::CMMouseEnter(Message);
  Invalidate();
}

void TKxBtExit::CMMouseLeave(TMessage& Message) {
  inherited::CMMouseLeave(Message);
  Invalidate();
}

const TPublished& TKxBtExit::PublishedProperties() {
  using T = TKxBtExit;
  static const TPublished table = [] {
    TPublishBuilder<T> b = Publish<T>();
    b.Hide("HelpType")
        .Hide("HelpKeyword")
        .Hide("HelpContext")
        .Publish("Anchors", "Hint", "Color")
        .Default(kDefaultColor)
        .StoredUnlessDefault()
        .Publish("OnClick", "OnMouseDown", "ShowHint", "Visible", "PopupMenu");
    PublishAbout(b)
        .Int("ModalResult", &T::ModalResult, &T::SetModalResult)
        .Bool("Enabled", &T::KxEnabled, &T::SetKxEnabled)
        .Bool("Active", &T::Active, &T::SetActive);
    return TPublished(b);
  }();
  return table;
}

namespace {
const bool kRegistered = (RegisterClass<TKxBtExit>(), true);
}  // namespace

}  // namespace kx
