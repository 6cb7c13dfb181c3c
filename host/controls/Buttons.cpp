#include "host/controls/Buttons.h"

#include "host/classes/ClassRegistry.h"
#include "host/controls/ControlFrames.h"
#include "host/controls/Forms.h"
#include "host/graphics/Color.h"
#include "host/graphics/TextLayout.h"
#include "host/platform/VirtualKeys.h"

namespace host {

TButton::TButton(TComponent* AOwner) : TCustomControl(AOwner) {
  FControlStyle = {csCaptureMouse, csClickEvents, csSetCaption, csOpaque, csDoubleClicks};
  SetTabStop(kDefaultTabStop);
  SetBounds(0, 0, 75, 25);
}

void TButton::SetDefault(bool v) {
  if (v == FDefault) return;
  FDefault = v;
  Invalidate();
}

void TButton::Click() {
  if (TCustomForm* form = GetParentForm(this); form && FModalResult != mrNone)
    form->SetModalResult(FModalResult);
  inherited::Click();
}

void TButton::KeyDown(Word& Key, TShiftState Shift) {
  inherited::KeyDown(Key, Shift);
  if (Key == VK_RETURN || Key == VK_SPACE || (Key == VK_ESCAPE && FCancel)) {
    Key = 0;
    Click();
  }
}

void TButton::CMTextChanged(TMessage&) { Invalidate(); }
void TButton::DoEnter() {
  inherited::DoEnter();
  Invalidate();
}
void TButton::DoExit() {
  inherited::DoExit();
  Invalidate();
}

void TButton::Paint() {
  TCanvas* canvas = Canvas();
  TRect r = ClientRect();
  if (FDefault || Focused()) Frame3D(canvas, r, clWindowFrame, clWindowFrame, 1);
  const bool down = MouseCapture() && FControlState.Contains(csLButtonDown);
  if (down) {
    Frame3D(canvas, r, clBtnShadow, clBtnShadow, 1);
  } else {
    Frame3D(canvas, r, clBtnHighlight, cl3DDkShadow, 1);
    Frame3D(canvas, r, clBtnFace, clBtnShadow, 1);
  }
  canvas->Brush()->SetColor(Color());
  canvas->FillRect(r);
  canvas->Font()->Assign(Font());
  if (!Enabled()) canvas->Font()->SetColor(clGrayText);
  canvas->Brush()->SetStyle(bsClear);
  if (down) r = Rect(r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1);
  DrawText(canvas->Handle(), Caption(), r, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
  canvas->Brush()->SetStyle(bsSolid);
}

const TPublished& TButton::PublishedProperties() {
  using T = TButton;
  static const TPublished table =
      Publish<T>()
          .Publish("Anchors")
          .Bool("Cancel", &T::Cancel, &T::SetCancel, false)
          .Publish("Caption")
          .Bool("Default", &T::Default, &T::SetDefault, false)
          .Publish("Enabled", "Font")
          .Int("ModalResult", &T::ModalResult, &T::SetModalResult, mrNone)
          .Publish("ParentFont", "ShowHint", "TabOrder", "TabStop")
          .Default(kDefaultTabStop)
          .Publish("Visible")
          .PublishEvents("OnClick", kFocusEvents, "OnKeyDown");
  return table;
}

const bool kButtonRegistered = (RegisterClass<TButton>(), true);

}  // namespace host
