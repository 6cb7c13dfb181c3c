#pragma once
// Input for the controls: mouse capture, the control under the pointer
// (CM_MOUSEENTER / CM_MOUSELEAVE), keyboard focus (CM_ENTER / CM_EXIT), and
// the routing of a form's platform-window events to its controls as window
// messages.
#include "host/controls/ControlTypes.h"
#include "host/platform/Platform.h"

namespace host {

class TControl;
class TWinControl;
class TCustomForm;
class ControlWindow;

// Key messages carry the shift state in LParam, as MK_ bits.
inline LPARAM ShiftStateToKeyData(TShiftState s) {
  return static_cast<LPARAM>(ShiftStateToKeys(s));
}

TShiftState ToShiftState(const InputState& state);
SystemCursor ToSystemCursor(TCursor cursor);

// The windowed control that has the keyboard, or nullptr.
TWinControl* FocusedControl();
// Moves the keyboard to control (nullptr: nowhere): CM_EXIT and
// WM_KILLFOCUS to the old one, WM_SETFOCUS and CM_ENTER to the new one.
void SetFocusedControl(TWinControl* control);
// True when the focused control is control or lies inside it.
bool ContainsFocus(const TWinControl* control);
// The focused control is going away from view: its form takes the focus.
void FocusLost(TWinControl* control);

// The control under the pointer that last got CM_MOUSEENTER.
TControl* HoverControl();

// Bookkeeping when a control goes away or leaves its parent: capture, hover
// and focus forget it.
void ControlDestroying(TControl* control);
void ControlLeavingParent(TControl* control);
// A window is being destroyed: messages queued for it are dropped.
void ForgetWindow(ControlWindow* window);

// Turns the events of a form's platform window into messages for the
// controls under the pointer (or the one holding the capture) and for the
// focused control. Exceptions from handlers go to Application's
// HandleException.
class FormInput : public WindowEvents {
 public:
  explicit FormInput(TCustomForm* form) : form_(form) {}

  void MouseMove(const MouseEvent& e) override;
  void MouseDown(const MouseEvent& e) override;
  void MouseUp(const MouseEvent& e) override;
  void MouseWheel(const MouseEvent& e) override;
  void MouseLeave() override;
  void KeyDown(const KeyEvent& e) override;
  void KeyUp(const KeyEvent& e) override;
  void KeyChar(const std::string& text, const InputState& state) override;
  void CloseRequest() override;
  void FocusChanged(bool focused) override;
  void BoundsChanged(const TRect& bounds) override;
  void ShowStateChanged(WindowShowState state) override;

  // The innermost control at a client point of the form, and that point in
  // the control's client coordinates.
  TControl* ControlAt(TPoint formPoint, TPoint& local) const;
  // The form is enabled and no other form is modal.
  bool AcceptsInput() const;

 private:
  void TrackHover(TPoint formPoint);
  void UpdateCursor();
  TControl* MouseTarget(TPoint formPoint, TPoint& local) const;
  void SendMouse(UINT msg, const MouseEvent& e, TShiftState extra = {});
  void SendKey(UINT msg, WPARAM key, const InputState& state);

  TCustomForm* form_;
};

}  // namespace host
