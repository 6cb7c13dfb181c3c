#include "host/controls/Panels.h"

#include <algorithm>

#include "host/classes/ClassRegistry.h"
#include "host/graphics/Color.h"
#include "host/graphics/TextLayout.h"

namespace host {

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner) {
  FControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption,
                   csOpaque,          csDoubleClicks, csReplicatable};
  SetBounds(0, 0, 185, 41);
}

void TCustomPanel::Changed() {
  Realign();
  Invalidate();
}

void TCustomPanel::SetAlignment(TAlignment v) {
  if (v == FAlignment) return;
  FAlignment = v;
  Invalidate();
}

void TCustomPanel::SetBevelInner(TBevelCut v) {
  if (v == FBevelInner) return;
  FBevelInner = v;
  Changed();
}

void TCustomPanel::SetBevelOuter(TBevelCut v) {
  if (v == FBevelOuter) return;
  FBevelOuter = v;
  Changed();
}

void TCustomPanel::SetBevelWidth(TBevelWidth v) {
  v = std::max(v, 1);
  if (v == FBevelWidth) return;
  FBevelWidth = v;
  Changed();
}

void TCustomPanel::SetBorderWidth(TBorderWidth v) {
  v = std::max(v, 0);
  if (v == FBorderWidth) return;
  FBorderWidth = v;
  Changed();
}

void TCustomPanel::SetBorderStyle(TBorderStyle v) {
  if (v != bsNone) v = bsSingle;
  if (v == FBorderStyle) return;
  FBorderStyle = v;
  Changed();
}

void TCustomPanel::SetCtl3D(bool v) {
  if (v == FCtl3D) return;
  FCtl3D = v;
  Changed();
}

int32_t TCustomPanel::FrameSize() const {
  int32_t size = FBorderWidth + (FBorderStyle == bsSingle ? (FCtl3D ? kSunkenBorder : 1) : 0);
  if (FBevelOuter != bvNone) size += FBevelWidth;
  if (FBevelInner != bvNone) size += FBevelWidth;
  return size;
}

void TCustomPanel::AdjustClientRect(TRect& Rect) {
  const int32_t f = FrameSize();
  Rect = host::Rect(Rect.Left + f, Rect.Top + f, Rect.Right - f, Rect.Bottom - f);
}

namespace {

void BevelColors(TBevelCut cut, TColor& top, TColor& bottom) {
  top = cut == bvLowered ? clBtnShadow : clBtnHighlight;
  bottom = cut == bvLowered ? clBtnHighlight : clBtnShadow;
}

}  // namespace

void TCustomPanel::Paint() {
  TCanvas* canvas = Canvas();
  TRect r = ClientRect();
  TColor top, bottom;
  if (FBorderStyle == bsSingle && FCtl3D)
    DrawSunkenBorder(canvas, r);
  else if (FBorderStyle == bsSingle)
    Frame3D(canvas, r, clWindowFrame, clWindowFrame, 1);
  if (FBevelOuter != bvNone) {
    BevelColors(FBevelOuter, top, bottom);
    if (FBevelOuter == bvSpace) top = bottom = Color();
    Frame3D(canvas, r, top, bottom, FBevelWidth);
  }
  Frame3D(canvas, r, Color(), Color(), FBorderWidth);
  if (FBevelInner != bvNone) {
    BevelColors(FBevelInner, top, bottom);
    if (FBevelInner == bvSpace) top = bottom = Color();
    Frame3D(canvas, r, top, bottom, FBevelWidth);
  }
  canvas->Brush()->SetColor(Color());
  canvas->FillRect(r);
  if (Caption().empty()) return;
  canvas->Font()->Assign(Font());
  canvas->Brush()->SetStyle(bsClear);
  DrawText(canvas->Handle(), Caption(), r,
           DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS | AlignmentFlags(FAlignment));
  canvas->Brush()->SetStyle(bsSolid);
}

void TCustomPanel::CMTextChanged(TMessage&) { Invalidate(); }

void TCustomPanel::WMWindowPosChanged(TMessage& Message) {
  inherited::WMWindowPosChanged(Message);
  if (FFullRepaint) Invalidate();
}

const TPublished& TPanel::PublishedProperties() {
  using T = TPanel;
  static const TPublished table =
      Publish<T>()
          .Publish("Align")
          .Enum("Alignment", &T::Alignment, &T::SetAlignment, kDefaultAlignment)
          .Publish("Anchors", "AutoSize")
          .Enum("BevelInner", &T::BevelInner, &T::SetBevelInner, bvNone)
          .Enum("BevelOuter", &T::BevelOuter, &T::SetBevelOuter, kDefaultBevelOuter)
          .Int("BevelWidth", &T::BevelWidth, &T::SetBevelWidth, kDefaultBevelWidth)
          .Int("BorderWidth", &T::BorderWidth, &T::SetBorderWidth, 0)
          .Enum("BorderStyle", &T::BorderStyle, &T::SetBorderStyle, bsNone)
          .Publish("Caption", "Color", "Constraints")
          .Bool("Ctl3D", &T::Ctl3D, &T::SetCtl3D, kDefaultCtl3D)
          .Publish("Enabled", "Font")
          .Bool("FullRepaint", &T::FullRepaint, &T::SetFullRepaint, kDefaultFullRepaint)
          .Publish("ParentColor", "ParentFont", "ParentShowHint", "ShowHint", "TabOrder", "TabStop",
                   "Visible")
          .PublishEvents("OnClick", "OnDblClick", kFocusEvents, kMouseEvents, "OnResize");
  return table;
}

const bool kPanelRegistered = (RegisterClass<TPanel>(), true);

}  // namespace host
