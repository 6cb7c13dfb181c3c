#include "host/controls/Controls.h"

#include <algorithm>

#include "host/controls/ControlWindow.h"
#include "host/controls/Forms.h"
#include "host/controls/WindowDC.h"
#include "host/graphics/Color.h"
#include "host/graphics/Font.h"

namespace host {

TShiftState KeysToShiftState(WPARAM keys) {
  TShiftState s;
  if (keys & MK_SHIFT) s.Include(ssShift);
  if (keys & MK_CONTROL) s.Include(ssCtrl);
  if (keys & MK_ALT) s.Include(ssAlt);
  if (keys & MK_LBUTTON) s.Include(ssLeft);
  if (keys & MK_RBUTTON) s.Include(ssRight);
  if (keys & MK_MBUTTON) s.Include(ssMiddle);
  return s;
}

WPARAM ShiftStateToKeys(TShiftState s) {
  WPARAM k = 0;
  if (s.Contains(ssShift)) k |= MK_SHIFT;
  if (s.Contains(ssCtrl)) k |= MK_CONTROL;
  if (s.Contains(ssAlt)) k |= MK_ALT;
  if (s.Contains(ssLeft)) k |= MK_LBUTTON;
  if (s.Contains(ssRight)) k |= MK_RBUTTON;
  if (s.Contains(ssMiddle)) k |= MK_MBUTTON;
  return k;
}

// --- TSizeConstraints
// ---------------------------------------------------------

void TSizeConstraints::SetMinWidth(int32_t v) {
  if (v == FMinWidth) return;
  FMinWidth = std::max(v, 0);
  if (FMaxWidth > 0 && FMaxWidth < FMinWidth) FMaxWidth = FMinWidth;
  Changed();
}
void TSizeConstraints::SetMinHeight(int32_t v) {
  if (v == FMinHeight) return;
  FMinHeight = std::max(v, 0);
  if (FMaxHeight > 0 && FMaxHeight < FMinHeight) FMaxHeight = FMinHeight;
  Changed();
}
void TSizeConstraints::SetMaxWidth(int32_t v) {
  if (v == FMaxWidth) return;
  FMaxWidth = std::max(v, 0);
  if (FMaxWidth > 0 && FMinWidth > FMaxWidth) FMinWidth = FMaxWidth;
  Changed();
}
void TSizeConstraints::SetMaxHeight(int32_t v) {
  if (v == FMaxHeight) return;
  FMaxHeight = std::max(v, 0);
  if (FMaxHeight > 0 && FMinHeight > FMaxHeight) FMinHeight = FMaxHeight;
  Changed();
}

void TSizeConstraints::Assign(TPersistent* Source) {
  if (auto* s = As<TSizeConstraints>(Source)) {
    FMinWidth = s->FMinWidth;
    FMinHeight = s->FMinHeight;
    FMaxWidth = s->FMaxWidth;
    FMaxHeight = s->FMaxHeight;
    Changed();
    return;
  }
  inherited::Assign(Source);
}

void TSizeConstraints::Apply(int32_t& width, int32_t& height) const {
  if (FMinWidth > 0 && width < FMinWidth) width = FMinWidth;
  if (FMaxWidth > 0 && width > FMaxWidth) width = FMaxWidth;
  if (FMinHeight > 0 && height < FMinHeight) height = FMinHeight;
  if (FMaxHeight > 0 && height > FMaxHeight) height = FMaxHeight;
}

void TSizeConstraints::Changed() {
  if (FControl)
    FControl->SetBounds(FControl->Left(), FControl->Top(), FControl->Width(), FControl->Height());
}

// --- TControl
// -----------------------------------------------------------------

TControl::TControl(TComponent* AOwner)
    : TComponent(AOwner),
      FConstraints(std::make_unique<TSizeConstraints>(this)),
      FFont(std::make_unique<TFont>()) {
  FColor = clWindow;
  FFont->SetOnChange(TNotifyEvent(this, &TControl::FontChanged));
}

TControl::~TControl() {
  if (GetCaptureControl() == this) SetCaptureControl(nullptr);
  ControlDestroying(this);
  if (FParent) FParent->RemoveControl(this);
}

void TControl::SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight) {
  if (!CanResize(AWidth, AHeight)) {
    AWidth = FWidth;
    AHeight = FHeight;
  }
  ConstrainedResize(AWidth, AHeight);
  if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
  const bool sized = AWidth != FWidth || AHeight != FHeight;
  InvalidateControl(Visible(), false);
  FLeft = ALeft;
  FTop = ATop;
  FWidth = AWidth;
  FHeight = AHeight;
  UpdateAnchorRules();
  Invalidate();
  TWindowPos pos{nullptr, FLeft, FTop, FWidth, FHeight, 0};
  Perform(WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
  RequestAlign();
  if (sized && !ComponentState().Contains(csLoading)) Resize();
}

bool TControl::CanResize(int32_t&, int32_t&) { return true; }

void TControl::ConstrainedResize(int32_t& NewWidth, int32_t& NewHeight) {
  FConstraints->Apply(NewWidth, NewHeight);
  NewWidth = std::max(NewWidth, 0);
  NewHeight = std::max(NewHeight, 0);
}

void TControl::UpdateBoundsRect(const TRect& R) {
  FLeft = R.Left;
  FTop = R.Top;
  FWidth = R.Width();
  FHeight = R.Height();
  UpdateAnchorRules();
}

void TControl::UpdateAnchorRules() {
  // Alignment and anchoring move controls through SetBounds too; only a
  // placement made from outside sets new rules.
  if (FParent && FParent->AlignDisabled()) return;
  if (FControlState.Contains(csAlignmentNeeded)) return;
  FAnchorRules = BoundsRect();
  if (FParent) FAnchorParentSize = {FParent->ClientWidth(), FParent->ClientHeight()};
  FAnchorsValid = FParent != nullptr;
}

void TControl::SetClientWidth(int32_t v) { SetWidth(v + (FWidth - ClientWidth())); }
void TControl::SetClientHeight(int32_t v) { SetHeight(v + (FHeight - ClientHeight())); }

TPoint TControl::ClientOrigin() const {
  if (!FParent) return {FLeft, FTop};
  TPoint p = FParent->ClientOrigin();
  return {p.X + FLeft, p.Y + FTop};
}

TPoint TControl::ClientToScreen(TPoint p) const {
  TPoint o = ClientOrigin();
  return {p.X + o.X, p.Y + o.Y};
}

TPoint TControl::ScreenToClient(TPoint p) const {
  TPoint o = ClientOrigin();
  return {p.X - o.X, p.Y - o.Y};
}

void TControl::SetAlign(TAlign v) {
  if (v == FAlign) return;
  FAlign = v;
  // An aligned control stretches with the sides it is glued to.
  static constexpr TAnchors kAnchorAlign[] = {
      {akLeft, akTop},                     // alNone
      {akLeft, akTop, akRight},            // alTop
      {akLeft, akRight, akBottom},         // alBottom
      {akLeft, akTop, akBottom},           // alLeft
      {akRight, akTop, akBottom},          // alRight
      {akLeft, akTop, akRight, akBottom},  // alClient
      {akLeft, akTop},                     // alCustom
  };
  if (!ComponentState().Contains(csLoading)) FAnchors = kAnchorAlign[v];
  RequestAlign();
}

void TControl::SetAnchors(TAnchors v) {
  if (v == FAnchors) return;
  FAnchors = v;
  UpdateAnchorRules();
}

void TControl::SetAutoSize(bool v) {
  if (v == FAutoSize) return;
  FAutoSize = v;
  if (v) AdjustSize();
}

bool TControl::CanAutoSize(int32_t&, int32_t&) { return false; }

void TControl::AdjustSize() {
  if (ComponentState().Contains(csLoading)) return;
  int32_t w = FWidth, h = FHeight;
  if (CanAutoSize(w, h)) SetBounds(FLeft, FTop, w, h);
}

void TControl::SetVisible(bool v) {
  if (v == FVisible) return;
  VisibleChanging();
  FVisible = v;
  Perform(CM_VISIBLECHANGED, v ? 1 : 0);
  RequestAlign();
}

bool TControl::Showing() const { return FVisible && FParent && FParent->Showing(); }

void TControl::SetEnabled(bool v) {
  if (v == FEnabled) return;
  FEnabled = v;
  Perform(CM_ENABLEDCHANGED);
}

void TControl::SetColor(TColor v) {
  if (v == FColor && !FParentColor) return;
  FColor = v;
  FParentColor = false;
  Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool v) {
  if (v == FParentColor) return;
  FParentColor = v;
  if (v) ParentColorChanged();
}

void TControl::ParentColorChanged() {
  if (FParentColor && FParent) {
    FColor = FParent->Color();
    FParentColor = true;  // SetColor would clear it
    Perform(CM_COLORCHANGED);
  }
}

void TControl::SetFont(TFont* v) { FFont->Assign(v); }

void TControl::SetParentFont(bool v) {
  if (v == FParentFont) return;
  FParentFont = v;
  if (v) ParentFontChanged();
}

void TControl::ParentFontChanged() {
  if (!FParentFont || !FParent) return;
  FFont->Assign(FParent->Font());
  FParentFont = true;  // the font's change event cleared it
}

void TControl::FontChanged(TObject*) {
  FParentFont = false;
  Perform(CM_FONTCHANGED);
}

void TControl::SetBiDiMode(TBiDiMode v) {
  FParentBiDiMode = false;
  if (v == FBiDiMode) return;
  FBiDiMode = v;
  Perform(CM_BIDIMODECHANGED);
}

void TControl::SetParentBiDiMode(bool v) {
  if (v == FParentBiDiMode) return;
  FParentBiDiMode = v;
  if (v) ParentBiDiModeChanged();
}

void TControl::ParentBiDiModeChanged() {
  if (!FParentBiDiMode || !FParent || FParent->BiDiMode() == FBiDiMode) return;
  FBiDiMode = FParent->BiDiMode();
  Perform(CM_BIDIMODECHANGED);
}

void TControl::SetText(const std::string& v) {
  if (v == FText) return;
  FText = v;
  Perform(CM_TEXTCHANGED);
}

void TControl::SetCursor(TCursor v) {
  if (v == FCursor) return;
  FCursor = v;
  Perform(CM_CURSORCHANGED);
}

void TControl::SetShowHint(bool v) {
  FShowHint = v;
  FParentShowHint = false;
}

void TControl::SetParentShowHint(bool v) {
  FParentShowHint = v;
  if (v && FParent) FShowHint = FParent->ShowHint();
}

void TControl::SetPopupMenu(TComponent* v) {
  if (v == FPopupMenu) return;
  if (FPopupMenu) FPopupMenu->RemoveFreeNotification(this);
  FPopupMenu = v;
  if (v) v->FreeNotification(this);
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FPopupMenu) FPopupMenu = nullptr;
}

void TControl::SetParent(TWinControl* AParent) {
  if (AParent == FParent) return;
  if (AParent == this) throw EInvalidOperation("A control cannot have itself as its parent");
  if (FParent) FParent->RemoveControl(this);
  if (AParent) {
    AParent->InsertControl(this);
    ParentColorChanged();
    ParentFontChanged();
    ParentBiDiModeChanged();
    if (FParentShowHint) FShowHint = AParent->ShowHint();
  }
}

void TControl::SetParentComponent(TComponent* Value) {
  if (auto* p = As<TWinControl>(Value)) SetParent(p);
}

TComponent* TControl::GetParentComponent() const { return FParent; }

void TControl::InvalidateControl(bool IsVisible, bool IsOpaque) {
  if (!FParent || !IsVisible) return;
  TRect r = BoundsRect();
  InvalidateRect(FParent->Handle(), &r, !IsOpaque);
}

void TControl::Invalidate() { InvalidateControl(Visible(), FControlStyle.Contains(csOpaque)); }

void TControl::Repaint() {
  if (!Visible() || !FParent) return;
  if (FControlStyle.Contains(csOpaque)) {
    // Nothing beneath shows through: paint the control (and what lies above
    // it) straight on the parent's window, without the parent's paint.
    const UniqueDC dc(CreateWindowDC(FParent->Window(), Region(BoundsRect())));
    if (!dc) return;
    FParent->PaintControls(dc.get(), this);
  } else {
    Invalidate();
    Update();
  }
}

void TControl::Update() {
  if (FParent) FParent->Update();
}

void TControl::BringToFront() {
  if (FParent) FParent->SetZOrder(this, true);
}

void TControl::SendToBack() {
  if (FParent) FParent->SetZOrder(this, false);
}

LRESULT TControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam) {
  TMessage m{Msg, WParam, LParam, 0};
  WndProc(m);
  return m.Result;
}

void TControl::WndProc(TMessage& Message) { Dispatch(Message); }

void TControl::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_PAINT:
      WMPaint(Message);
      break;
    case WM_WINDOWPOSCHANGED:
      WMWindowPosChanged(Message);
      break;
    case WM_LBUTTONDOWN:
      WMLButtonDown(Message);
      break;
    case WM_LBUTTONUP:
      WMLButtonUp(Message);
      break;
    case WM_LBUTTONDBLCLK:
      WMLButtonDblClk(Message);
      break;
    case WM_RBUTTONDOWN:
      WMRButtonDown(Message);
      break;
    case WM_RBUTTONUP:
      WMRButtonUp(Message);
      break;
    case WM_MBUTTONDOWN:
      WMMButtonDown(Message);
      break;
    case WM_MBUTTONUP:
      WMMButtonUp(Message);
      break;
    case WM_MOUSEMOVE:
      WMMouseMove(Message);
      break;
    case CM_MOUSEENTER:
      CMMouseEnter(Message);
      break;
    case CM_MOUSELEAVE:
      CMMouseLeave(Message);
      break;
    case CM_ISTOOLCONTROL:
      CMIsToolControl(Message);
      break;
    case CM_TEXTCHANGED:
      CMTextChanged(Message);
      break;
    case CM_COLORCHANGED:
      CMColorChanged(Message);
      break;
    case CM_FONTCHANGED:
      CMFontChanged(Message);
      break;
    case CM_ENABLEDCHANGED:
      CMEnabledChanged(Message);
      break;
    case CM_VISIBLECHANGED:
      CMVisibleChanged(Message);
      break;
    case CM_PARENTCOLORCHANGED:
      CMParentColorChanged(Message);
      break;
    case CM_PARENTFONTCHANGED:
      CMParentFontChanged(Message);
      break;
    case CM_BIDIMODECHANGED:
      CMBiDiModeChanged(Message);
      break;
    case CM_PARENTBIDIMODECHANGED:
      CMParentBiDiModeChanged(Message);
      break;
    default:
      DefaultHandler(Message);
      break;
  }
}

bool TControl::MouseCapture() const { return GetCaptureControl() == this; }

void TControl::SetMouseCapture(bool v) {
  if (v)
    SetCaptureControl(this);
  else if (MouseCapture())
    SetCaptureControl(nullptr);
}

void TControl::Click() {
  if (FOnClick) FOnClick(this);
}

void TControl::DblClick() {
  if (FOnDblClick) FOnDblClick(this);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
  if (FOnMouseDown) FOnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int32_t X, int32_t Y) {
  if (FOnMouseMove) FOnMouseMove(this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
  if (FOnMouseUp) FOnMouseUp(this, Button, Shift, X, Y);
}

void TControl::Resize() {
  if (FOnResize) FOnResize(this);
}

void TControl::RequestAlign() {
  if (FParent) FParent->AlignControl(this);
}

void TControl::Loaded() {
  inherited::Loaded();
  if (FParent && FParentColor) ParentColorChanged();
  if (FParent && FParentFont) ParentFontChanged();
  UpdateAnchorRules();
  if (FAutoSize) AdjustSize();
  RequestAlign();
}

void TControl::DoMouseDown(TMessage& Message, TMouseButton Button, TShiftState Shift) {
  const TPoint p = LParamToPoint(Message.LParam);
  MouseDown(Button, KeysToShiftState(Message.WParam) + Shift, p.X, p.Y);
}

void TControl::DoMouseUp(TMessage& Message, TMouseButton Button) {
  const TPoint p = LParamToPoint(Message.LParam);
  MouseUp(Button, KeysToShiftState(Message.WParam), p.X, p.Y);
}

void TControl::WMPaint(TMessage&) {}
void TControl::WMWindowPosChanged(TMessage&) {}

void TControl::WMLButtonDown(TMessage& Message) {
  if (FControlStyle.Contains(csCaptureMouse)) SetMouseCapture(true);
  if (FControlStyle.Contains(csClickEvents)) FControlState.Include(csClicked);
  DoMouseDown(Message, mbLeft, {});
}

void TControl::WMLButtonUp(TMessage& Message) {
  if (FControlStyle.Contains(csCaptureMouse)) SetMouseCapture(false);
  if (FControlState.Contains(csClicked)) {
    FControlState.Exclude(csClicked);
    // A press and release inside the control is a click, reported before
    // the release itself.
    if (ClientRect().Contains(LParamToPoint(Message.LParam))) Click();
  }
  DoMouseUp(Message, mbLeft);
}

void TControl::WMLButtonDblClk(TMessage& Message) {
  if (FControlStyle.Contains(csCaptureMouse)) SetMouseCapture(true);
  if (FControlStyle.Contains(csClickEvents)) DblClick();
  DoMouseDown(Message, mbLeft, {ssDouble});
}

void TControl::WMRButtonDown(TMessage& Message) { DoMouseDown(Message, mbRight, {}); }
void TControl::WMRButtonUp(TMessage& Message) { DoMouseUp(Message, mbRight); }
void TControl::WMMButtonDown(TMessage& Message) { DoMouseDown(Message, mbMiddle, {}); }
void TControl::WMMButtonUp(TMessage& Message) { DoMouseUp(Message, mbMiddle); }

void TControl::WMMouseMove(TMessage& Message) {
  const TPoint p = LParamToPoint(Message.LParam);
  MouseMove(KeysToShiftState(Message.WParam), p.X, p.Y);
}

void TControl::CMMouseEnter(TMessage&) {
  if (FOnMouseEnter) FOnMouseEnter(this);
}

void TControl::CMMouseLeave(TMessage&) {
  if (FOnMouseLeave) FOnMouseLeave(this);
}

void TControl::CMColorChanged(TMessage&) { Invalidate(); }
void TControl::CMFontChanged(TMessage&) { Invalidate(); }
void TControl::CMEnabledChanged(TMessage&) { Invalidate(); }

void TControl::CMVisibleChanged(TMessage&) {
  // The area is repainted whether the control appears or goes away.
  if (FParent) {
    TRect r = BoundsRect();
    InvalidateRect(FParent->Handle(), &r, true);
  }
}

void TControl::CMParentColorChanged(TMessage&) { ParentColorChanged(); }
void TControl::CMParentFontChanged(TMessage&) { ParentFontChanged(); }
void TControl::CMBiDiModeChanged(TMessage&) { Invalidate(); }
void TControl::CMParentBiDiModeChanged(TMessage&) { ParentBiDiModeChanged(); }

// --- free functions
// -----------------------------------------------------------

TCustomForm* GetParentForm(const TControl* Control) {
  if (!Control) return nullptr;
  const TControl* c = Control;
  while (c->Parent()) c = c->Parent();
  return As<TCustomForm>(const_cast<TControl*>(c));
}

}  // namespace host
