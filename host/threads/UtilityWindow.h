#pragma once
// Hidden utility windows: a window handle with a window procedure and nothing
// on screen, for components that need messages (timers, posted
// notifications) but are not controls.
#include <functional>

#include "host/base/Messages.h"

namespace host {

using TWndMethod = std::function<void(TMessage& message)>;

// A new hidden window whose messages go to method. Main thread.
HWND AllocateHWnd(TWndMethod method);
// Destroys a window made by AllocateHWnd; its timers stop and its queued
// messages are dropped. Called from inside the window's own method, it
// takes effect when that method returns. nullptr is ignored.
void DeallocateHWnd(HWND wnd);

}  // namespace host
