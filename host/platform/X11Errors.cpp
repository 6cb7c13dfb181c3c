#include "host/platform/X11Errors.h"

#include <X11/Xlib.h>

namespace host {

namespace {

// Xlib keeps one handler per process, a plain function: the one to pass
// other errors to lives here.
XErrorHandler gPrevious = nullptr;

int IgnoreGoneWindows(Display* display, XErrorEvent* error) {
  if (error->error_code == BadWindow || error->error_code == BadDrawable) return 0;
  return gPrevious ? gPrevious(display, error) : 0;
}

}  // namespace

X11GoneWindowErrors::X11GoneWindowErrors() { gPrevious = XSetErrorHandler(IgnoreGoneWindows); }

X11GoneWindowErrors::~X11GoneWindowErrors() {
  // Someone who installed a handler after this one keeps it.
  XErrorHandler current = XSetErrorHandler(gPrevious);
  if (current != IgnoreGoneWindows) XSetErrorHandler(current);
}

}  // namespace host
