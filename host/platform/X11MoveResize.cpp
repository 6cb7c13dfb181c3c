#include "host/platform/X11MoveResize.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <vector>

namespace host {

namespace {

Display* Dpy(void* display) { return static_cast<Display*>(display); }

// The values of a 32-bit list property (atoms, windows); empty when absent.
std::vector<unsigned long> ReadList(Display* dpy, Window w, const char* property) {
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  std::vector<unsigned long> values;
  if (XGetWindowProperty(dpy, w, XInternAtom(dpy, property, False), 0, 4096, False, AnyPropertyType,
                         &type, &format, &count, &after, &data) != Success)
    return values;
  if (data && format == 32) {
    const auto* items = reinterpret_cast<const unsigned long*>(data);
    values.assign(items, items + count);
  }
  if (data) XFree(data);
  return values;
}

int IgnoreXError(Display*, XErrorEvent*) { return 0; }

}  // namespace

X11Window::X11Window(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWindowWMInfo(window, &info) && info.subsystem == SDL_SYSWM_X11) {
    display_ = info.info.x11.display;
    window_ = info.info.x11.window;
  }
}

bool X11Window::WindowManagerRuns() const {
  Display* dpy = Dpy(display_);
  const Window root = DefaultRootWindow(dpy);
  // A running window manager names its check window on the root, and the
  // check window names itself (a stale property from a gone one does not).
  const auto check = ReadList(dpy, root, "_NET_SUPPORTING_WM_CHECK");
  if (check.empty()) return false;
  // Reading a window that no longer exists raises BadWindow, whose default
  // handler ends the process.
  XSync(dpy, False);
  auto* previous = XSetErrorHandler(IgnoreXError);
  const bool alive = ReadList(dpy, check[0], "_NET_SUPPORTING_WM_CHECK") == check;
  XSync(dpy, False);
  XSetErrorHandler(previous);
  return alive;
}

bool X11Window::WindowManagerMovesWindows() const {
  if (!WindowManagerRuns()) return false;
  Display* dpy = Dpy(display_);
  const Window root = DefaultRootWindow(dpy);
  const auto supported = ReadList(dpy, root, "_NET_SUPPORTED");
  const Atom moveResize = XInternAtom(dpy, "_NET_WM_MOVERESIZE", False);
  return std::find(supported.begin(), supported.end(), moveResize) != supported.end();
}

void X11Window::StartWindowManagerMoveResize(long direction, int32_t x, int32_t y,
                                             int button) const {
  Display* dpy = Dpy(display_);
  // The window manager cannot take the pointer while someone holds it.
  SDL_CaptureMouse(SDL_FALSE);
  XUngrabPointer(dpy, CurrentTime);
  XEvent ev{};
  ev.xclient.type = ClientMessage;
  ev.xclient.window = window_;
  ev.xclient.message_type = XInternAtom(dpy, "_NET_WM_MOVERESIZE", False);
  ev.xclient.format = 32;
  ev.xclient.data.l[0] = x;
  ev.xclient.data.l[1] = y;
  ev.xclient.data.l[2] = direction;
  ev.xclient.data.l[3] = button;
  ev.xclient.data.l[4] = 1;  // a normal application
  XSendEvent(dpy, DefaultRootWindow(dpy), False, SubstructureRedirectMask | SubstructureNotifyMask,
             &ev);
  XFlush(dpy);
}

X11Pointer X11Window::QueryPointer() const {
  Display* dpy = Dpy(display_);
  Window root = 0, child = 0;
  int rootX = 0, rootY = 0, winX = 0, winY = 0;
  unsigned int mask = 0;
  X11Pointer p;
  if (!XQueryPointer(dpy, DefaultRootWindow(dpy), &root, &child, &rootX, &rootY, &winX, &winY,
                     &mask))
    return p;
  p.X = rootX;
  p.Y = rootY;
  p.Left = mask & Button1Mask;
  p.Middle = mask & Button2Mask;
  p.Right = mask & Button3Mask;
  return p;
}

void X11Window::SynthesizeRelease(int button, int32_t rootX, int32_t rootY) const {
  Display* dpy = Dpy(display_);
  Window child = 0;
  int x = 0, y = 0;
  XTranslateCoordinates(dpy, DefaultRootWindow(dpy), window_, rootX, rootY, &x, &y, &child);
  XEvent ev{};
  ev.xbutton.type = ButtonRelease;
  ev.xbutton.display = dpy;
  ev.xbutton.window = window_;
  ev.xbutton.root = DefaultRootWindow(dpy);
  ev.xbutton.time = CurrentTime;
  ev.xbutton.x = x;
  ev.xbutton.y = y;
  ev.xbutton.x_root = rootX;
  ev.xbutton.y_root = rootY;
  ev.xbutton.button = button;
  ev.xbutton.same_screen = True;
  XPutBackEvent(dpy, &ev);
}

}  // namespace host
