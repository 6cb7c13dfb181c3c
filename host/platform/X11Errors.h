#pragma once
// Errors about X windows that are already gone. SDL wakes a waiting main
// thread by sending an event to one of its windows over a second
// connection; when that window is destroyed at the same moment, the server
// answers BadWindow, and the answer is read later (at the latest when SDL
// closes the connection) by Xlib's default handler, which ends the process.
// Like other toolkits, the platform treats such errors as harmless.

namespace host {

// While it lives, Xlib's error handler ignores BadWindow and BadDrawable and
// passes every other error to the handler installed before it. Install it
// before SDL opens its connections: SDL chains its own handler to this one
// and puts this one back when it closes them.
class X11GoneWindowErrors {
 public:
  X11GoneWindowErrors();
  ~X11GoneWindowErrors();
  X11GoneWindowErrors(const X11GoneWindowErrors&) = delete;
  X11GoneWindowErrors& operator=(const X11GoneWindowErrors&) = delete;
};

}  // namespace host
