#include "kxpack/chrome/KxPanelTitle.h"

#include "host/base/SysUtils.h"
#include "host/classes/ClassRegistry.h"
#include "host/classes/FreeWatch.h"
#include "kxpack/chrome/KxPanel.h"

namespace kx {

using namespace host;

TKxPanelTitle::TKxPanelTitle(TComponent* AOwner) : TPanel(AOwner), FOwnerComponent(AOwner) {
  SetColor(kDefaultColor);
  SetBevelInner(bvNone);
  SetBevelOuter(kDefaultBevelOuter);
  SetAnchors({akLeft, akTop});
  Font()->SetColor(kFontColor);
  Font()->SetStyle({fsBold});
  SetCaption(kDefaultCaption);
  SetHeight(kMinHeight);
  FBarreLeft = MakeBarre(1);
  FBarreRight = MakeBarre(130);
  // The bars take their places as at any resize, as the host framework's
  // window does when it is made.
  Resize();
}

TKxImgBarre* TKxPanelTitle::MakeBarre(int32_t ALeft) {
  auto* barre = new TKxImgBarre(this);
  barre->SetParent(this);
  barre->SetBounds(ALeft, 4, 53, barre->Height());
  barre->SetActive(FActive);
  // Told when the bar goes, whoever frees it.
  barre->FreeNotification(this);
  return barre;
}

void TKxPanelTitle::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FBarreLeft) FBarreLeft = nullptr;
  if (AComponent == FBarreRight) FBarreRight = nullptr;
}

void TKxPanelTitle::SetActive(bool Value) {
  FActive = Value;
  if (FBarreLeft) FBarreLeft->SetActive(Value);
  if (FBarreRight) FBarreRight->SetActive(Value);
  Invalidate();
}

void TKxPanelTitle::SetLockedToTop(bool Value) {
  FLockedToTop = Value;
  Invalidate();
}

void TKxPanelTitle::Loaded() {
  inherited::Loaded();
  Font()->SetColor(kFontColor);
  Font()->SetStyle({fsBold});
  if (FLockedToTop) SetTop(-1);
  Invalidate();
}

void TKxPanelTitle::Paint() {
  if (!FOwnerComponent || !FBarreLeft || !FBarreRight) return;
  if (FLockedToTop && Top() != -1) SetTop(-1);
  // A title bar is never aligned.
  if (Align() != alNone) SetAlign(alNone);
  inherited::Paint();
  DoPlacment();
}

void TKxPanelTitle::Resize() {
  inherited::Resize();
  if (FBarreLeft) {
    FBarreLeft->SetTop(Height() / 2 - 4);
    if (FBarreRight) FBarreRight->SetTop(FBarreLeft->Top());
  }
  if (Height() < kMinHeight) SetHeight(kMinHeight);
  DoPlacment();
}

void TKxPanelTitle::DoPlacment() {
  // Measuring needs the canvas of a window on a parent.
  if (!FOwnerComponent || !FBarreLeft || !FBarreRight || !Parent()) return;
  TCanvas* canvas = Canvas();
  const int32_t text = canvas->TextWidth(Trim(Caption()));
  const int32_t w = (Width() - (text + 22)) / 2;
  FBarreLeft->SetWidth(w);
  // The right bar takes the odd pixel, so that it ends one pixel short of
  // the edge.
  FBarreRight->SetBounds(canvas->TextWidth(Caption()) + 21 + w, FBarreRight->Top(),
                         w % 2 == 0 ? w : w + 1, FBarreRight->Height());
}

void TKxPanelTitle::MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
  // A handler or the move loop may free the title bar (a message that closes
  // the form): then nothing more may run on it.
  const TFreeWatch watch(this);
  inherited::MouseDown(Button, Shift, X, Y);
  if (watch.Freed()) return;
  if (Button == mbLeft) StartWindowMove(GetParentForm(this), this);
  if (watch.Freed()) return;
  if (FOnMouseDown) FOnMouseDown(this, Button, Shift, X, Y);
}

const TPublished& TKxPanelTitle::PublishedProperties() {
  using T = TKxPanelTitle;
  static const TPublished table = [] {
    TPublishBuilder<T> b = Publish<T>();
    b.SetDefault("BevelOuter", kDefaultBevelOuter)
        .SetDefault("Caption", kDefaultCaption)
        .SetDefault("Color", kDefaultColor)
        .SetDefault("ParentColor", false)
        .SetDefault("ParentFont", false);
    PublishAbout(b)
        .Bool("Active", &T::Active, &T::SetActive)
        .Bool("LockedToTop", &T::LockedToTop, &T::SetLockedToTop);
    return TPublished(b);
  }();
  return table;
}

namespace {
const bool kRegistered = (RegisterClass<TKxPanelTitle>(), true);
}  // namespace

}  // namespace kx
