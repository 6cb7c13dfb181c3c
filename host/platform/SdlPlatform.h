#pragma once
// The platform on real windows through SDL2 (X11, Wayland …).
#include <array>
#include <atomic>
#include <map>
#include <memory>

#include "host/platform/Platform.h"

struct SDL_Cursor;
struct SDL_Window;
union SDL_Event;

namespace host {

class SdlWindow;
class X11Window;
class X11GoneWindowErrors;

class SdlPlatform : public Platform {
 public:
  // nullptr when SDL's video cannot start (no display, no driver).
  static std::unique_ptr<SdlPlatform> Create();
  ~SdlPlatform() override;

  std::string Name() const override { return "sdl2"; }
  std::unique_ptr<PlatformWindow> CreateWindow(const WindowParams& params) override;
  TPoint CursorPos() const override;
  void SetCursorPos(TPoint pos) override;
  InputState CurrentInputState() const override;
  TRect ScreenBounds() const override;
  TRect WorkArea() const override;
  void Pump() override;
  void Wait(int64_t timeoutMs) override;
  void Wake() override;

  bool OnWayland() const { return wayland_; }

 private:
  friend class SdlWindow;
  class X11Window;
  SdlPlatform(uint32_t wakeEvent, bool wayland, std::unique_ptr<X11GoneWindowErrors> x11Errors);
  SdlWindow* WindowOf(uint32_t windowId) const;
  void Dispatch(const SDL_Event& event);
  // Window-state events only (moves, sizes, exposes, focus, close) and
  // wake-ups; input is dropped. Used while a move or size loop owns the mouse.
  void DispatchWindowEvent(const SDL_Event& event);
  SDL_Cursor* CursorFor(SystemCursor cursor);
  void ApplyCursor(SystemCursor cursor);

  uint32_t wakeEvent_;
  std::atomic<bool> wakePending_{false};
  bool wayland_;
  // Outlives SDL's X connections: errors pending on them are read when they close.
  std::unique_ptr<X11GoneWindowErrors> x11Errors_;
  std::map<uint32_t, SdlWindow*> windows_;
  TPoint lastPress_;  // screen position of the last button press delivered
  std::array<SDL_Cursor*, static_cast<size_t>(SystemCursor::Hidden)> cursors_{};
};

class SdlWindow : public PlatformWindow {
 public:
  SdlWindow(SdlPlatform& platform, const WindowParams& params);
  ~SdlWindow() override;

  void Show() override;
  void Hide() override;
  bool Visible() const override;
  void Activate() override;
  bool Focused() const override;
  void SetTitle(const std::string& title) override;
  std::string Title() const override;
  TRect Bounds() const override;
  void SetBounds(const TRect& bounds) override;
  void SetMinimumSize(int32_t width, int32_t height) override;
  void SetCursor(SystemCursor cursor) override;
  void Present(const BitmapImage& frame, std::span<const TRect> dirty) override;
  void RunMoveSize(MoveSizeKind kind) override;
  void SetHitTest(std::function<HitArea(TPoint)> hitTest) override;
  void SetShowState(WindowShowState state) override;
  WindowShowState ShowState() const override { return state_; }

 private:
  friend class SdlPlatform;
  // Reports the bounds to the events when they differ from what was last
  // known (set by the program or reported before).
  void NoteBounds();
  // Takes a state the window manager gave the window, reporting a change.
  void NoteShowState(WindowShowState state);
  // After a move the window manager ran: the edges near the work area's
  // are put flush with them, as the pointer loops do at every step.
  void SnapWhereMoved();
  // Both loops run a move or size that began with the window at start and
  // the button down at press (screen coordinates).
  // The window manager's own move/size; false when it refused.
  bool RunWindowManagerMoveSize(MoveSizeKind kind, int button, const TRect& start, TPoint press);
  void RunPointerMoveSize(MoveSizeKind kind, int button, const TRect& start, TPoint press);
  // Puts the window where the move or size puts it with the pointer there.
  void FollowTo(MoveSizeKind kind, const TRect& start, TPoint press, TPoint pointer);
  // Ends a loop whose release SDL may not have seen: it is taken from the
  // queue, and SDL's idea of the held button is put right.
  void ConsumeRelease(const X11Window& x11, int button, TPoint at);

  SdlPlatform& platform_;
  SDL_Window* window_;
  uint32_t id_;
  TRect known_;
  int32_t minWidth_ = 1;
  int32_t minHeight_ = 1;
  SystemCursor cursor_ = SystemCursor::Arrow;
  WindowShowState state_ = WindowShowState::Normal;
  WindowShowState beforeMinimized_ = WindowShowState::Normal;
  TRect normalBounds_;  // the bounds to restore from Maximized
  std::function<HitArea(TPoint)> hitTest_;
};

}  // namespace host
