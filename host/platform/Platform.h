#pragma once
// The operating-system side of the host: top-level windows, the mouse, the
// keyboard, the screen and the clock. Two implementations: SDL2 for real
// windows and a headless one (in memory, driven by tests). Everything above
// this layer (forms, controls, the message loop) talks only to these classes.
//
// Threading: every call except Platform::Wake and Platform::NowMs (and the
// headless platform's Inject… calls) belongs to the main thread; events are
// delivered on the main thread from Pump.
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>

#include "host/base/Types.h"
#include "host/graphics/BitmapImage.h"
#include "host/threads/Clock.h"
#include "host/threads/MessageLoop.h"

namespace host {

enum class MouseButton : uint8_t { Left, Right, Middle };

// Modifier keys and mouse buttons held when an input event happened.
struct InputState {
  bool Shift = false;
  bool Ctrl = false;
  bool Alt = false;
  bool Left = false;
  bool Right = false;
  bool Middle = false;
  bool operator==(const InputState&) const = default;
};

struct MouseEvent {
  TPoint Pos;                              // client coordinates of the window that receives it
  TPoint ScreenPos;                        // screen coordinates
  MouseButton Button = MouseButton::Left;  // for down and up
  InputState State;                        // after the event took effect
  int32_t Clicks = 1;                      // 2 for the second press of a double click
  int32_t WheelDelta = 0;                  // for wheel: 120 per notch, positive away from the user
};

struct KeyEvent {
  uint16_t Key = 0;  // virtual-key code (host/platform/VirtualKeys.h)
  InputState State;
  bool Repeat = false;  // auto-repeat of a held key
};

// The shapes the platform can show; the controls' cursor values map onto these.
enum class SystemCursor : uint8_t {
  Arrow,
  IBeam,
  Wait,
  Cross,
  Hand,
  SizeWE,
  SizeNS,
  SizeNWSE,
  SizeNESW,
  SizeAll,
  No,
  Drag,
  Hidden,
};

// The interactive move and sizes a window can run (WM_SYSCOMMAND $F012,
// $F002, $F006, $F008).
enum class MoveSizeKind : uint8_t { Move, SizeRight, SizeBottom, SizeBottomRight };

// Where a press at a client point would start a move or size without the
// application seeing the press (used where the compositor must do it:
// Wayland). Normal means the application gets the press.
enum class HitArea : uint8_t { Normal, Draggable, ResizeRight, ResizeBottom, ResizeBottomRight };

// How a top-level window is shown: where it was placed, minimised (off the
// screen, taking no input) or maximised (filling the screen's work area).
enum class WindowShowState : uint8_t { Normal, Minimized, Maximized };

// What a top-level window reports. The owner of the window (the form's
// window) implements it; every method runs on the main thread from Pump (or
// from inside RunMoveSize for BoundsChanged).
class WindowEvents {
 public:
  virtual ~WindowEvents() = default;
  virtual void MouseMove(const MouseEvent&) {}
  virtual void MouseDown(const MouseEvent&) {}
  virtual void MouseUp(const MouseEvent&) {}
  virtual void MouseWheel(const MouseEvent&) {}
  // The pointer left the window (no button held).
  virtual void MouseLeave() {}
  virtual void KeyDown(const KeyEvent&) {}
  virtual void KeyUp(const KeyEvent&) {}
  // Text typed, UTF-8 (one character or a composed sequence).
  virtual void KeyChar(const std::string& /*text*/, const InputState&) {}
  // The user asked to close the window (close button, Alt+F4 …).
  virtual void CloseRequest() {}
  // The window's pixels were lost and were put back from the last presented
  // frame; rect in client coordinates.
  virtual void Exposed(const TRect& /*rect*/) {}
  virtual void FocusChanged(bool /*focused*/) {}
  // Bounds (client area, screen coordinates) changed by the user or the
  // window manager, including every step of RunMoveSize. Not called for
  // SetBounds.
  virtual void BoundsChanged(const TRect& /*bounds*/) {}
  // The user or the window manager minimised, maximised or restored the
  // window (from a task bar …). Not called for SetShowState.
  virtual void ShowStateChanged(WindowShowState /*state*/) {}
};

struct WindowParams {
  std::string Title;
  TRect Bounds{0, 0, 320, 240};  // client area in screen coordinates
  bool Borderless = false;       // no frame or caption from the window manager
  bool Resizable = true;
};

class PlatformWindow {
 public:
  virtual ~PlatformWindow() = default;

  // Receiver of this window's events; nullptr drops them. Not owned.
  void SetEvents(WindowEvents* events) { events_ = events; }
  WindowEvents* Events() const { return events_; }

  virtual void Show() = 0;
  virtual void Hide() = 0;
  virtual bool Visible() const = 0;
  // Puts the window on top of the others and gives it the keyboard.
  virtual void Activate() = 0;
  virtual bool Focused() const = 0;
  virtual void SetTitle(const std::string& title) = 0;
  virtual std::string Title() const = 0;
  // Client area in screen coordinates.
  virtual TRect Bounds() const = 0;
  virtual void SetBounds(const TRect& bounds) = 0;
  // Smallest client size a user size may reach (at least 1 × 1).
  virtual void SetMinimumSize(int32_t width, int32_t height) = 0;
  virtual void SetCursor(SystemCursor cursor) = 0;
  // Shows the given parts (client coordinates) of frame, the window's full
  // client image. Parts outside the frame or the window are clipped.
  virtual void Present(const BitmapImage& frame, std::span<const TRect> dirty) = 0;
  // Runs an interactive move or size that follows the mouse; returns when
  // the button that is held is released, which is consumed (no MouseUp is
  // delivered for it). Returns at once when no button is held. Every change
  // of bounds is reported through BoundsChanged before this returns.
  virtual void RunMoveSize(MoveSizeKind kind) = 0;
  // Answers for presses before the application sees them; only platforms
  // that cannot move a window after the press (Wayland) use it. Empty: none.
  virtual void SetHitTest(std::function<HitArea(TPoint client)> hitTest) = 0;

  // Minimises, maximises to the work area, or restores. Normal brings back
  // the bounds the window had before it was maximised; leaving Minimized
  // shows and activates it again. A bounds change it makes is not reported
  // through BoundsChanged (the caller asked for it).
  virtual void SetShowState(WindowShowState state) = 0;
  virtual WindowShowState ShowState() const = 0;
  // During an interactive move the window's edges snap to the work area's
  // edges when they come within this many pixels; 0 switches it off.
  void SetSnapBuffer(int32_t pixels) { snapBuffer_ = pixels > 0 ? pixels : 0; }
  int32_t SnapBuffer() const { return snapBuffer_; }

 private:
  WindowEvents* events_ = nullptr;
  int32_t snapBuffer_ = 0;
};

// The platform is also the message loop's event source (Pump moves pending
// OS events to the windows' WindowEvents; Wait sleeps in the OS; Wake, from
// any thread, ends a Wait) and its clock (NowMs, any thread).
class Platform : public EventSource, public TickSource {
 public:
  // The platform in use, made on first use and installed as the loop's event
  // source and clock: headless when KX_PLATFORM is "headless", when there is
  // no DISPLAY or WAYLAND_DISPLAY, or when SDL's video cannot start; SDL2
  // otherwise (KX_PLATFORM=sdl tries it even without those variables).
  static Platform& Current();
  // Replaces (and installs) the platform in use, for tests; windows of the
  // old one must be gone. nullptr: the next Current() chooses again.
  static void SetCurrent(std::unique_ptr<Platform> platform);

  virtual std::string Name() const = 0;  // "headless" or "sdl2"

  virtual std::unique_ptr<PlatformWindow> CreateWindow(const WindowParams& params) = 0;

  // The pointer in screen coordinates (Mouse.CursorPos) and moving it.
  virtual TPoint CursorPos() const = 0;
  virtual void SetCursorPos(TPoint pos) = 0;
  // Buttons and modifier keys held now.
  virtual InputState CurrentInputState() const = 0;
  virtual TRect ScreenBounds() const = 0;
  // The part of the screen windows are maximised into and snap to: the
  // screen less task bars and docks.
  virtual TRect WorkArea() const = 0;

  // The steady system clock, in the loop's default origin so that installing
  // a platform does not shift the timers' due times.
  int64_t NowMs() override;
};

}  // namespace host
