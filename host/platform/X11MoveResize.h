#pragma once
// The X11 side of an interactive move or size of an SDL window: the window
// manager's own move/resize (_NET_WM_MOVERESIZE), the real pointer, and
// telling SDL about a button release the window manager kept. Kept apart
// because the X11 headers define macros (None, Bool, Status …) that clash
// with ordinary names elsewhere.
#include <cstdint>

struct SDL_Window;

namespace host {

// _NET_WM_MOVERESIZE directions.
inline constexpr long kNetWmSizeRight = 3;
inline constexpr long kNetWmSizeBottomRight = 4;
inline constexpr long kNetWmSizeBottom = 5;
inline constexpr long kNetWmMove = 8;
inline constexpr long kNetWmCancel = 11;

struct X11Pointer {
  int32_t X = 0;  // root coordinates
  int32_t Y = 0;
  bool Left = false;
  bool Right = false;
  bool Middle = false;
};

class X11Window {
 public:
  // Invalid when the window is not on X11.
  explicit X11Window(SDL_Window* window);
  bool Valid() const { return display_ != nullptr; }

  // A window manager runs (one that has gone leaves a stale check window).
  bool WindowManagerRuns() const;
  // A window manager runs and does _NET_WM_MOVERESIZE.
  bool WindowManagerMovesWindows() const;
  // Drops SDL's and the X server's pointer grabs, then asks the window
  // manager to run direction with the given button from root (x, y).
  void StartWindowManagerMoveResize(long direction, int32_t x, int32_t y, int button) const;
  X11Pointer QueryPointer() const;
  // Puts a release of button back into the event stream as if the window
  // had received it, so SDL does not consider the button held any more.
  void SynthesizeRelease(int button, int32_t rootX, int32_t rootY) const;

 private:
  void* display_ = nullptr;  // Display*
  unsigned long window_ = 0;
};

}  // namespace host
