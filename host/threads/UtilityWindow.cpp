#include "host/threads/UtilityWindow.h"

#include "host/threads/MessageLoop.h"

namespace host {

namespace {

class UtilityWindow : public HostWindow {
 public:
  explicit UtilityWindow(TWndMethod method) : method_(std::move(method)) {}

  void WndProc(TMessage& message) override {
    if (method_)
      method_(message);
    else
      message.Result = DefWindowProc(this, message.Msg, message.WParam, message.LParam);
  }

 private:
  TWndMethod method_;
};

}  // namespace

HWND AllocateHWnd(TWndMethod method) { return new UtilityWindow(std::move(method)); }

void DeallocateHWnd(HWND wnd) {
  // Only windows made here; a control's window belongs to its control.
  delete dynamic_cast<UtilityWindow*>(wnd);
}

}  // namespace host
