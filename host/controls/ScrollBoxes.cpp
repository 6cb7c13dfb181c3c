#include "host/controls/ScrollBoxes.h"

#include <algorithm>

#include "host/classes/ClassRegistry.h"
#include "host/controls/ControlFrames.h"
#include "host/graphics/Color.h"

namespace host {

namespace {
constexpr int32_t kWheelDelta = 120;
}

// --- TControlScrollBar -------------------------------------------------------

int32_t TControlScrollBar::MaxPosition() const {
  const TRect view = FControl->ViewRect();
  return std::max(FRange - (FVertical ? view.Height() : view.Width()), 0);
}

bool TControlScrollBar::IsScrollBarVisible() const { return FVisible && MaxPosition() > 0; }

void TControlScrollBar::SetPosition(int32_t v) {
  v = std::clamp(v, 0, MaxPosition());
  if (v == FPosition) return;
  const int32_t delta = FPosition - v;
  FPosition = v;
  if (FVertical)
    FControl->ScrollBy(0, delta);
  else
    FControl->ScrollBy(delta, 0);
  FControl->Invalidate();
}

void TControlScrollBar::SetRange(int32_t v) {
  FRange = std::max(v, 0);
  FControl->UpdateScrollBars();
}

void TControlScrollBar::SetVisible(bool v) {
  if (v == FVisible) return;
  FVisible = v;
  FControl->UpdateScrollBars();
}

void TControlScrollBar::Assign(TPersistent* Source) {
  auto* other = As<TControlScrollBar>(Source);
  if (!other) return inherited::Assign(Source);
  FIncrement = other->FIncrement;
  FVisible = other->FVisible;
  if (!FControl->AutoScroll()) FRange = other->FRange;
  FControl->UpdateScrollBars();
  SetPosition(other->FPosition);
}

const TPublished& TControlScrollBar::PublishedProperties() {
  using T = TControlScrollBar;
  static const TPublished table =
      Publish<T>()
          .Int("Increment", &T::Increment, &T::SetIncrement, kDefaultIncrement)
          .Int("Range", &T::Range, &T::SetRange, 0)
          .Int("Position", &T::Position, &T::SetPosition, 0)
          .Bool("Visible", &T::Visible, &T::SetVisible, true);
  return table;
}

// --- TScrollBox --------------------------------------------------------------

TScrollBox::TScrollBox(TComponent* AOwner)
    : TCustomControl(AOwner),
      FHorz(std::make_unique<TControlScrollBar>(this, false)),
      FVert(std::make_unique<TControlScrollBar>(this, true)) {
  FControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents,
                   csSetCaption,      csOpaque,       csDoubleClicks};
  SetBounds(0, 0, 185, 41);
}

TScrollBox::~TScrollBox() = default;

void TScrollBox::SetAutoScroll(bool v) {
  if (v == FAutoScroll) return;
  FAutoScroll = v;
  UpdateScrollBars();
}

void TScrollBox::SetBorderStyle(TBorderStyle v) {
  if (v != bsNone) v = bsSingle;
  if (v == FBorderStyle) return;
  FBorderStyle = v;
  UpdateScrollBars();
  Realign();
  Invalidate();
}

void TScrollBox::SetCtl3D(bool v) {
  if (v == FCtl3D) return;
  FCtl3D = v;
  UpdateScrollBars();
  Realign();
  Invalidate();
}

TRect TScrollBox::ViewRect() const {
  const int32_t f = FrameWidth();
  TRect r = Rect(f, f, Width() - f, Height() - f);
  // Decided on ranges alone so that the bars do not depend on each other
  // in circles: one bar narrows the view, which may call for the other.
  auto needs = [&](const TControlScrollBar* bar, int32_t side) {
    return bar->FVisible && bar->FRange > side;
  };
  bool vert = needs(FVert.get(), r.Height());
  bool horz = needs(FHorz.get(), r.Width() - (vert ? kBarSize : 0));
  if (!vert) vert = needs(FVert.get(), r.Height() - (horz ? kBarSize : 0));
  if (vert) r.Right -= kBarSize;
  if (horz) r.Bottom -= kBarSize;
  r.Right = std::max(r.Right, r.Left);
  r.Bottom = std::max(r.Bottom, r.Top);
  return r;
}

void TScrollBox::ScrollBy(int32_t DeltaX, int32_t DeltaY) {
  if (DeltaX == 0 && DeltaY == 0) return;
  DisableAlign();
  const bool was = FUpdating;
  FUpdating = true;
  for (int32_t i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    c->SetBounds(c->Left() + DeltaX, c->Top() + DeltaY, c->Width(), c->Height());
  }
  FUpdating = was;
  EnableAlign();
}

void TScrollBox::UpdateScrollBars() {
  if (FUpdating) return;
  FUpdating = true;
  if (FAutoScroll) {
    // The content's extent, measured from the view's origin before scrolling.
    const int32_t f = FrameWidth();
    int32_t right = 0, bottom = 0;
    for (int32_t i = 0; i < ControlCount(); ++i) {
      TControl* c = Controls(i);
      if (!c->Visible() || c->Align() != alNone) continue;
      right = std::max(right, c->Left() + c->Width() - f + FHorz->FPosition);
      bottom = std::max(bottom, c->Top() + c->Height() - f + FVert->FPosition);
    }
    FHorz->FRange = right;
    FVert->FRange = bottom;
  }
  FUpdating = false;
  // A shrunken range pulls the content back into view.
  for (TControlScrollBar* bar : {FHorz.get(), FVert.get()})
    if (bar->FPosition > bar->MaxPosition()) bar->SetPosition(bar->MaxPosition());
  Invalidate();
}

void TScrollBox::AlignControls(TControl* AControl, TRect& Rect) {
  inherited::AlignControls(AControl, Rect);
  UpdateScrollBars();
}

void TScrollBox::ScrollInView(TControl* AControl) {
  if (!AControl || AControl->Parent() != this) return;
  const TRect view = ViewRect();
  auto scroll = [](TControlScrollBar* bar, int32_t lo, int32_t hi, int32_t viewLo, int32_t viewHi) {
    if (lo < viewLo)
      bar->SetPosition(bar->Position() - (viewLo - lo));
    else if (hi > viewHi)
      bar->SetPosition(bar->Position() + std::min(hi - viewHi, lo - viewLo));
  };
  scroll(FHorz.get(), AControl->Left(), AControl->Left() + AControl->Width(), view.Left,
         view.Right);
  scroll(FVert.get(), AControl->Top(), AControl->Top() + AControl->Height(), view.Top, view.Bottom);
}

TRect TScrollBox::BarRect(bool Vertical) const {
  const TRect view = ViewRect();
  return Vertical ? Rect(view.Right, view.Top, view.Right + kBarSize, view.Bottom)
                  : Rect(view.Left, view.Bottom, view.Right, view.Bottom + kBarSize);
}

void TScrollBox::MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
  // A press on a bar's track pages towards the pointer.
  if (Button == mbLeft) {
    const TRect view = ViewRect();
    for (bool vertical : {true, false}) {
      TControlScrollBar* bar = vertical ? FVert.get() : FHorz.get();
      if (!bar->IsScrollBarVisible() || !BarRect(vertical).Contains(Point(X, Y))) continue;
      const int32_t page = vertical ? view.Height() : view.Width();
      const TRect thumb =
          ScrollThumbRect(BarRect(vertical), vertical, page, bar->Range(), bar->Position());
      const bool before = vertical ? Y < thumb.Top : X < thumb.Left;
      const bool after = vertical ? Y >= thumb.Bottom : X >= thumb.Right;
      if (before) bar->SetPosition(bar->Position() - page);
      if (after) bar->SetPosition(bar->Position() + page);
    }
  }
  inherited::MouseDown(Button, Shift, X, Y);
}

void TScrollBox::WndProc(TMessage& Message) {
  if (Message.Msg == WM_MOUSEWHEEL) {
    const auto delta = static_cast<int16_t>((Message.WParam >> 16) & 0xFFFF);
    FVert->SetPosition(FVert->Position() - delta / kWheelDelta * 3 * FVert->Increment());
    Message.Result = 1;
    return;
  }
  inherited::WndProc(Message);
}

void TScrollBox::Paint() {
  TCanvas* canvas = Canvas();
  TRect r = ClientRect();
  if (FBorderStyle != bsNone && FCtl3D)
    DrawSunkenBorder(canvas, r);
  else if (FBorderStyle != bsNone)
    Frame3D(canvas, r, clWindowFrame, clWindowFrame, 1);
  canvas->Brush()->SetColor(Color());
  canvas->FillRect(r);
  const TRect view = ViewRect();
  if (FVert->IsScrollBarVisible())
    DrawScrollBar(canvas, BarRect(true), true, view.Height(), FVert->Range(), FVert->Position());
  if (FHorz->IsScrollBarVisible())
    DrawScrollBar(canvas, BarRect(false), false, view.Width(), FHorz->Range(), FHorz->Position());
  if (FVert->IsScrollBarVisible() && FHorz->IsScrollBarVisible()) {
    canvas->Brush()->SetColor(clBtnFace);
    canvas->FillRect(Rect(view.Right, view.Bottom, view.Right + kBarSize, view.Bottom + kBarSize));
  }
}

const TPublished& TScrollBox::PublishedProperties() {
  using T = TScrollBox;
  static const TPublished table =
      Publish<T>()
          .Publish("Align", "Anchors")
          .Bool("AutoScroll", &T::AutoScroll, &T::SetAutoScroll, kDefaultAutoScroll)
          .Object("HorzScrollBar", &T::HorzScrollBar, &T::SetHorzScrollBar)
          .Object("VertScrollBar", &T::VertScrollBar, &T::SetVertScrollBar)
          .Enum("BorderStyle", &T::BorderStyle, &T::SetBorderStyle, kDefaultBorderStyle)
          .Publish("Color", "Constraints")
          .Bool("Ctl3D", &T::Ctl3D, &T::SetCtl3D, kDefaultCtl3D)
          .Publish("Enabled", "Font", "ParentColor", "ParentFont", "ShowHint", "TabOrder",
                   "TabStop", "Visible")
          .PublishEvents("OnClick", "OnDblClick", kFocusEvents, kMouseEvents, "OnResize");
  return table;
}

const bool kScrollBoxRegistered = (RegisterClass<TScrollBox>(), true);

}  // namespace host
