#include "host/controls/Labels.h"

#include "host/classes/ClassRegistry.h"
#include "host/graphics/Bitmap.h"
#include "host/graphics/Color.h"
#include "host/graphics/TextLayout.h"

namespace host {

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
  FControlStyle = {csCaptureMouse, csClickEvents,  csSetCaption,
                   csOpaque,       csReplicatable, csDoubleClicks};
  SetBounds(0, 0, 65, 17);
  SetAutoSize(kDefaultAutoSize);
}

uint32_t TCustomLabel::DrawFlags() const {
  uint32_t flags = DT_EXPANDTABS | AlignmentFlags(FAlignment) | LayoutFlags(FLayout);
  flags |= FWordWrap ? DT_WORDBREAK : DT_SINGLELINE;
  if (!FShowAccelChar) flags |= DT_NOPREFIX;
  return flags;
}

void TCustomLabel::SetAlignment(TAlignment v) {
  if (v == FAlignment) return;
  FAlignment = v;
  Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout v) {
  if (v == FLayout) return;
  FLayout = v;
  Invalidate();
}

void TCustomLabel::SetWordWrap(bool v) {
  if (v == FWordWrap) return;
  FWordWrap = v;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetTransparent(bool v) {
  if (v == Transparent()) return;
  if (v)
    FControlStyle.Exclude(csOpaque);
  else
    FControlStyle.Include(csOpaque);
  Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool v) {
  if (v == FShowAccelChar) return;
  FShowAccelChar = v;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl* v) {
  if (v == FFocusControl) return;
  if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
  FFocusControl = v;
  if (v) v->FreeNotification(this);
}

void TCustomLabel::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

bool TCustomLabel::CanAutoSize(int32_t& NewWidth, int32_t& NewHeight) {
  // Measured on a bitmap's DC, so that a label without a parent has a size too.
  TBitmap measure;
  TCanvas* canvas = measure.Canvas();
  canvas->Font()->Assign(Font());
  // A wrapped label keeps its width and grows downwards.
  TRect r = Rect(0, 0, FWordWrap ? Width() : 0, 0);
  const std::string text = Caption().empty() ? std::string(" ") : Caption();
  DrawText(canvas->Handle(), text, r, DrawFlags() | DT_CALCRECT);
  NewWidth = r.Width();
  NewHeight = r.Height();
  return true;
}

void TCustomLabel::AdjustBounds() {
  if (!AutoSize() || ComponentState().Contains(csLoading)) return;
  int32_t w = Width(), h = Height();
  if (!CanAutoSize(w, h)) return;
  int32_t left = Left();
  if (FAlignment == taRightJustify) left += Width() - w;
  SetBounds(left, Top(), w, h);
}

void TCustomLabel::CMTextChanged(TMessage&) {
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::CMFontChanged(TMessage& Message) {
  inherited::CMFontChanged(Message);
  AdjustBounds();
}

void TCustomLabel::Paint() {
  TCanvas* canvas = Canvas();
  TRect r = ClientRect();
  if (!Transparent()) {
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(r);
  }
  canvas->Brush()->SetStyle(bsClear);
  canvas->Font()->Assign(Font());
  if (!Enabled()) canvas->Font()->SetColor(clGrayText);
  DrawText(canvas->Handle(), Caption(), r, DrawFlags());
  canvas->Brush()->SetStyle(bsSolid);
}

const TPublished& TLabel::PublishedProperties() {
  using T = TLabel;
  static const TPublished table =
      Publish<T>()
          .Publish("Align")
          .Enum("Alignment", &T::Alignment, &T::SetAlignment, taLeftJustify)
          .Publish("Anchors", "AutoSize")
          .Default(kDefaultAutoSize)
          .Publish("Caption", "Color", "Constraints", "Enabled")
          .Component("FocusControl", &T::FocusControl, &T::SetFocusControl)
          .Publish("Font")
          .Enum("Layout", &T::Layout, &T::SetLayout, tlTop)
          .Publish("ParentColor", "ParentFont", "ParentShowHint")
          .Bool("ShowAccelChar", &T::ShowAccelChar, &T::SetShowAccelChar, kDefaultShowAccelChar)
          .Publish("ShowHint")
          .Bool("Transparent", &T::Transparent, &T::SetTransparent, false)
          .Publish("Visible")
          .Bool("WordWrap", &T::WordWrap, &T::SetWordWrap, false)
          .PublishEvents("OnClick", "OnDblClick", kMouseEvents);
  return table;
}

const bool kLabelRegistered = (RegisterClass<TLabel>(), true);

}  // namespace host
