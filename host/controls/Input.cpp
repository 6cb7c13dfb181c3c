#include "host/controls/Input.h"

#include "host/controls/ControlWindow.h"
#include "host/controls/Controls.h"
#include "host/controls/Forms.h"

namespace host {

namespace {

TControl* g_capture = nullptr;
TControl* g_hover = nullptr;
TWinControl* g_focus = nullptr;

// Runs an input handler; what it throws goes to the application.
template <class F>
void Guarded(F&& f) {
  try {
    f();
  } catch (...) {
    Application->HandleException(nullptr);
  }
}

}  // namespace

TShiftState ToShiftState(const InputState& s) {
  TShiftState r;
  if (s.Shift) r.Include(ssShift);
  if (s.Ctrl) r.Include(ssCtrl);
  if (s.Alt) r.Include(ssAlt);
  if (s.Left) r.Include(ssLeft);
  if (s.Right) r.Include(ssRight);
  if (s.Middle) r.Include(ssMiddle);
  return r;
}

SystemCursor ToSystemCursor(TCursor c) {
  switch (c) {
    case crNone:
      return SystemCursor::Hidden;
    case crCross:
      return SystemCursor::Cross;
    case crIBeam:
      return SystemCursor::IBeam;
    case crSizeNESW:
      return SystemCursor::SizeNESW;
    case crSizeNS:
    case crVSplit:
      return SystemCursor::SizeNS;
    case crSizeNWSE:
      return SystemCursor::SizeNWSE;
    case crSizeWE:
    case crHSplit:
      return SystemCursor::SizeWE;
    case crHourGlass:
    case crSQLWait:
    case crAppStart:
      return SystemCursor::Wait;
    case crDrag:
    case crMultiDrag:
      return SystemCursor::Drag;
    case crNoDrop:
    case crNo:
      return SystemCursor::No;
    case crHandPoint:
      return SystemCursor::Hand;
    case crSizeAll:
      return SystemCursor::SizeAll;
    default:
      return SystemCursor::Arrow;
  }
}

// --- the mouse --------------------------------------------------------------

TMouse* Mouse = new TMouse;

TPoint TMouse::CursorPos() const { return Platform::Current().CursorPos(); }
void TMouse::SetCursorPos(TPoint p) { Platform::Current().SetCursorPos(p); }

// --- capture
// ------------------------------------------------------------------

TControl* GetCaptureControl() { return g_capture; }

void SetCaptureControl(TControl* control) {
  if (control == g_capture) return;
  TControl* old = g_capture;
  g_capture = control;
  if (old) old->Perform(WM_CAPTURECHANGED, 0, 0);
}

void ReleaseCapture() { SetCaptureControl(nullptr); }

// --- focus
// --------------------------------------------------------------------

TWinControl* FocusedControl() { return g_focus; }

void SetFocusedControl(TWinControl* control) {
  if (control == g_focus) return;
  TWinControl* old = g_focus;
  g_focus = control;
  if (old) {
    old->Perform(CM_EXIT);
    old->Perform(WM_KILLFOCUS);
  }
  // A handler of the old control may have moved the focus elsewhere.
  if (control && g_focus == control) {
    control->Perform(WM_SETFOCUS);
    control->Perform(CM_ENTER);
  }
}

bool ContainsFocus(const TWinControl* control) {
  return g_focus && control && control->ContainsControl(g_focus);
}

void FocusLost(TWinControl* control) {
  if (!ContainsFocus(control)) return;
  TCustomForm* form = GetParentForm(control);
  if (form && form != control && form->ActiveControl() &&
      control->ContainsControl(form->ActiveControl()))
    form->SetActiveControlField(nullptr);
  g_focus = nullptr;
}

// --- hover and bookkeeping
// ----------------------------------------------------

TControl* HoverControl() { return g_hover; }

void ControlLeavingParent(TControl* control) {
  auto inside = [control](TControl* c) {
    for (; c; c = c->Parent())
      if (c == control) return true;
    return false;
  };
  if (inside(g_capture)) g_capture = nullptr;
  if (inside(g_hover)) g_hover = nullptr;
  if (inside(g_focus)) {
    TCustomForm* form = GetParentForm(g_focus);
    if (form && form->ActiveControl() && inside(form->ActiveControl()))
      form->SetActiveControlField(nullptr);
    g_focus = nullptr;
  }
}

void ControlDestroying(TControl* control) {
  ControlLeavingParent(control);
  if (g_capture == control) g_capture = nullptr;
  if (g_hover == control) g_hover = nullptr;
  if (g_focus == control) g_focus = nullptr;
}

// --- routing
// ------------------------------------------------------------------

bool FormInput::AcceptsInput() const {
  TCustomForm* modal = Application->ModalForm();
  return form_->Enabled() && (!modal || modal == form_);
}

TControl* FormInput::ControlAt(TPoint p, TPoint& local) const {
  TWinControl* parent = form_;
  TControl* hit = form_;
  local = p;
  while (parent) {
    TControl* child = parent->ControlAtPos(local, false, true);
    if (!child) break;
    local = {local.X - child->Left(), local.Y - child->Top()};
    hit = child;
    parent = As<TWinControl>(child);
  }
  return hit;
}

TControl* FormInput::MouseTarget(TPoint p, TPoint& local) const {
  if (TControl* c = g_capture) {
    // The capture holds the mouse wherever the pointer is.
    const TPoint formOrigin = form_->ClientOrigin();
    const TPoint origin = c->ClientOrigin();
    local = {p.X + formOrigin.X - origin.X, p.Y + formOrigin.Y - origin.Y};
    return c;
  }
  return ControlAt(p, local);
}

void FormInput::TrackHover(TPoint p) {
  TPoint local;
  TControl* now = ControlAt(p, local);
  if (now == g_hover) return;
  TControl* old = g_hover;
  g_hover = now;
  if (old) old->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(old));
  if (now && g_hover == now) now->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(now));
}

void FormInput::UpdateCursor() {
  PlatformWindow* w = form_->PlatformHandle();
  if (!w) return;
  TCursor cursor = Screen->Cursor();
  if (cursor == crDefault)
    for (TControl* c = g_capture ? g_capture : g_hover; c && cursor == crDefault; c = c->Parent())
      cursor = c->Cursor();
  w->SetCursor(ToSystemCursor(cursor));
}

void FormInput::SendMouse(UINT msg, const MouseEvent& e, TShiftState extra) {
  TPoint local;
  TControl* target = MouseTarget(e.Pos, local);
  if (!target) return;
  const WPARAM keys = ShiftStateToKeys(ToShiftState(e.State) + extra);
  if (msg == WM_LBUTTONDBLCLK && !target->ControlStyle().Contains(csDoubleClicks))
    msg = WM_LBUTTONDOWN;
  target->Perform(msg, keys, PointToLParam(local));
}

void FormInput::MouseMove(const MouseEvent& e) {
  Guarded([&] {
    if (!AcceptsInput()) return;
    TrackHover(e.Pos);
    UpdateCursor();
    SendMouse(WM_MOUSEMOVE, e);
  });
}

void FormInput::MouseDown(const MouseEvent& e) {
  Guarded([&] {
    if (!AcceptsInput()) return;
    TrackHover(e.Pos);
    const bool dbl = e.Clicks >= 2;
    switch (e.Button) {
      case MouseButton::Left:
        SendMouse(dbl ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN, e);
        break;
      case MouseButton::Right:
        SendMouse(dbl ? WM_RBUTTONDBLCLK : WM_RBUTTONDOWN, e);
        break;
      case MouseButton::Middle:
        SendMouse(dbl ? WM_MBUTTONDBLCLK : WM_MBUTTONDOWN, e);
        break;
    }
  });
}

void FormInput::MouseUp(const MouseEvent& e) {
  Guarded([&] {
    if (!AcceptsInput()) return;
    switch (e.Button) {
      case MouseButton::Left:
        SendMouse(WM_LBUTTONUP, e);
        break;
      case MouseButton::Right:
        SendMouse(WM_RBUTTONUP, e);
        break;
      case MouseButton::Middle:
        SendMouse(WM_MBUTTONUP, e);
        break;
    }
    TrackHover(e.Pos);
    UpdateCursor();
  });
}

void FormInput::MouseWheel(const MouseEvent& e) {
  Guarded([&] {
    if (!AcceptsInput()) return;
    TControl* target = g_focus ? static_cast<TControl*>(g_focus) : form_;
    const WPARAM keys = ShiftStateToKeys(ToShiftState(e.State));
    target->Perform(WM_MOUSEWHEEL, keys | (static_cast<WPARAM>(e.WheelDelta & 0xFFFF) << 16),
                    PointToLParam(e.ScreenPos));
  });
}

void FormInput::MouseLeave() {
  Guarded([&] {
    if (TControl* old = g_hover; old && GetParentForm(old) == form_) {
      g_hover = nullptr;
      old->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(old));
    }
  });
}

void FormInput::SendKey(UINT msg, WPARAM key, const InputState& state) {
  TWinControl* target = g_focus && GetParentForm(g_focus) == form_ ? g_focus : form_;
  TMessage m{msg, key, ShiftStateToKeyData(ToShiftState(state)), 0};
  target->WndProc(m);
  // Tab moves the focus unless the control kept the key for itself.
  if (msg == WM_KEYDOWN && m.WParam == VK_TAB && !target->WantsKey(VK_TAB))
    form_->SelectNext(g_focus, !state.Shift, true);
}

void FormInput::KeyDown(const KeyEvent& e) {
  Guarded([&] {
    if (AcceptsInput()) SendKey(WM_KEYDOWN, e.Key, e.State);
  });
}

void FormInput::KeyUp(const KeyEvent& e) {
  Guarded([&] {
    if (AcceptsInput()) SendKey(WM_KEYUP, e.Key, e.State);
  });
}

void FormInput::KeyChar(const std::string& text, const InputState& state) {
  Guarded([&] {
    if (!AcceptsInput()) return;
    for (unsigned char ch : text) SendKey(WM_CHAR, ch, state);
  });
}

void FormInput::CloseRequest() {
  Guarded([&] {
    TCustomForm* modal = Application->ModalForm();
    if (!modal || modal == form_) form_->Close();
  });
}

void FormInput::FocusChanged(bool focused) {
  Guarded([&] { form_->PlatformFocusChanged(focused); });
}

void FormInput::BoundsChanged(const TRect& bounds) {
  Guarded([&] { form_->PlatformBoundsChanged(bounds); });
}

void FormInput::ShowStateChanged(WindowShowState state) {
  Guarded([&] { form_->PlatformShowStateChanged(state); });
}

}  // namespace host
