#include "host/threads/UtilityWindow.h"

#include "host/threads/MessageLoop.h"
#include "host/threads/Timers.h"

namespace host {

namespace {

class UtilityWindow : public HostWindow {
 public:
  explicit UtilityWindow(TWndMethod method) : method_(std::move(method)) {}

  void WndProc(TMessage& message) override {
    if (released_) return;
    // A window freed by its own method (a timer whose tick handler frees the
    // timer) goes away once that method has returned, not under its feet.
    struct Depth {
      UtilityWindow* window;
      explicit Depth(UtilityWindow* w) : window(w) { ++window->depth_; }
      ~Depth() {
        if (--window->depth_ == 0 && window->released_) delete window;
      }
    } depth(this);
    if (method_)
      method_(message);
    else
      message.Result = DefWindowProc(this, message.Msg, message.WParam, message.LParam);
  }

  void Release() {
    if (depth_ == 0) {
      delete this;
      return;
    }
    released_ = true;  // later messages are dropped; deleted as the method returns
    KillWindowTimers(this);
  }

 private:
  TWndMethod method_;
  int depth_ = 0;  // window procedures of this window on the stack
  bool released_ = false;
};

}  // namespace

HWND AllocateHWnd(TWndMethod method) { return new UtilityWindow(std::move(method)); }

void DeallocateHWnd(HWND wnd) {
  // Only windows made here; a control's window belongs to its control.
  if (auto* window = dynamic_cast<UtilityWindow*>(wnd)) window->Release();
}

}  // namespace host
