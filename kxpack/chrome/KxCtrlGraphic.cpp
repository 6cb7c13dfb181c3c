#include "kxpack/chrome/KxCtrlGraphic.h"

#include "host/controls/Forms.h"
#include "kxpack/chrome/KxPanelFooter.h"

namespace kx {

using namespace host;

TKxImgSize::TKxImgSize(TComponent* AOwner) : TPanel(AOwner), FOwnerComponent(AOwner) {
  SetBevelInner(bvNone);
  SetBevelOuter(bvNone);
  SetColor(kGripColor);
  SetBounds(Left(), Top(), 14, 14);
  if (FOwnerComponent) Invalidate();
}

void TKxImgSize::Loaded() {
  inherited::Loaded();
  Invalidate();
}

TKxPanelFooter* TKxImgSize::Footer() const { return As<TKxPanelFooter>(Parent()); }

WPARAM TKxImgSize::SizeEdge() const {
  const TKxPanelFooter* footer = Footer();
  return FOwnerComponent && Visible() && footer ? footer->SizeEdge() : 0;
}

HitArea TKxImgSize::WindowHitArea(TPoint) const {
  switch (SizeEdge()) {
    case WMSZ_RIGHT:
      return HitArea::ResizeRight;
    case WMSZ_BOTTOM:
      return HitArea::ResizeBottom;
    case WMSZ_BOTTOMRIGHT:
      return HitArea::ResizeBottomRight;
    default:
      return HitArea::Normal;
  }
}

void TKxImgSize::ChooseCursor() {
  const TKxPanelFooter* footer = Footer();
  if (!footer) return;
  switch (footer->SizeEdge()) {
    case WMSZ_RIGHT:
      SetCursor(crSizeWE);
      break;
    case WMSZ_BOTTOM:
      SetCursor(crSizeNS);
      break;
    case WMSZ_BOTTOMRIGHT:
      SetCursor(crSizeNWSE);
      break;
    default:
      break;
  }
}

void TKxImgSize::Paint() {
  Swallowing([this] {
    inherited::Paint();
    TCanvas* canvas = Canvas();
    const int32_t w = Width(), h = Height();
    if (Visible()) {
      canvas->Pen()->SetColor(kGripColor);
      canvas->Brush()->SetColor(kGripColor);
      canvas->Rectangle(0, 0, w, h);
    }
    canvas->Pen()->SetColor(kGripRidgeColor);
    canvas->Pen()->SetWidth(1);
    for (int32_t k : {6, 10, 14}) {
      canvas->MoveTo(w - 2, h - k);
      canvas->LineTo(w - k, h - 2);
    }
  });
}

void TKxImgSize::WMLButtonDown(TMessage& Message) {
  inherited::WMLButtonDown(Message);
  if (!FOwnerComponent) return;
  if (!Visible()) {
    SetCursor(crDefault);
    return;
  }
  ReleaseCapture();
  if (!Footer()) return;
  ChooseCursor();
  const WPARAM edge = Footer()->SizeEdge();
  // The size loop runs inside the call and takes the release. Without a
  // parent form there is nothing to size.
  if (TCustomForm* form = GetParentForm(this); form && edge)
    form->Perform(WM_SYSCOMMAND, SC_SIZE + edge, 0);
}

void TKxImgSize::CMMouseEnter(TMessage& Message) {
  inherited::CMMouseEnter(Message);
  ChooseCursor();
  Invalidate();
}

void TKxImgSize::CMMouseLeave(TMessage& Message) {
  inherited::CMMouseLeave(Message);
  SetCursor(crDefault);
  Invalidate();
}

}  // namespace kx
