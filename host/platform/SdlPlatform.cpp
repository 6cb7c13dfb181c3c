#include "host/platform/SdlPlatform.h"

#include <SDL2/SDL.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>

#include "host/base/SysUtils.h"
#include "host/platform/MoveSizeGeometry.h"
#include "host/platform/VirtualKeys.h"
#include "host/platform/X11Errors.h"
#include "host/platform/X11MoveResize.h"

namespace host {

namespace {

// A window manager that has not moved or sized anything this long after the
// pointer moved with the button held is taken to have refused.
constexpr int64_t kWindowManagerGraceMs = 150;
// How often the move and size loops look at the pointer.
constexpr int kPollMs = 16;

InputState StateFrom(uint32_t buttons, SDL_Keymod mod) {
  InputState s;
  s.Shift = mod & KMOD_SHIFT;
  s.Ctrl = mod & KMOD_CTRL;
  s.Alt = mod & KMOD_ALT;
  s.Left = buttons & SDL_BUTTON_LMASK;
  s.Right = buttons & SDL_BUTTON_RMASK;
  s.Middle = buttons & SDL_BUTTON_MMASK;
  return s;
}

bool ButtonFrom(uint8_t sdlButton, MouseButton& button) {
  switch (sdlButton) {
    case SDL_BUTTON_LEFT:
      button = MouseButton::Left;
      return true;
    case SDL_BUTTON_RIGHT:
      button = MouseButton::Right;
      return true;
    case SDL_BUTTON_MIDDLE:
      button = MouseButton::Middle;
      return true;
    default:
      return false;
  }
}

uint16_t VirtualKeyFrom(SDL_Keycode key) {
  if (key >= SDLK_a && key <= SDLK_z) return static_cast<uint16_t>('A' + (key - SDLK_a));
  if (key >= SDLK_0 && key <= SDLK_9) return static_cast<uint16_t>(key);
  if (key >= SDLK_F1 && key <= SDLK_F12) return static_cast<uint16_t>(VK_F1 + (key - SDLK_F1));
  switch (key) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
      return VK_RETURN;
    case SDLK_BACKSPACE:
      return VK_BACK;
    case SDLK_TAB:
      return VK_TAB;
    case SDLK_ESCAPE:
      return VK_ESCAPE;
    case SDLK_SPACE:
      return VK_SPACE;
    case SDLK_LEFT:
      return VK_LEFT;
    case SDLK_RIGHT:
      return VK_RIGHT;
    case SDLK_UP:
      return VK_UP;
    case SDLK_DOWN:
      return VK_DOWN;
    case SDLK_HOME:
      return VK_HOME;
    case SDLK_END:
      return VK_END;
    case SDLK_PAGEUP:
      return VK_PRIOR;
    case SDLK_PAGEDOWN:
      return VK_NEXT;
    case SDLK_INSERT:
      return VK_INSERT;
    case SDLK_DELETE:
      return VK_DELETE;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT:
      return VK_SHIFT;
    case SDLK_LCTRL:
    case SDLK_RCTRL:
      return VK_CONTROL;
    case SDLK_LALT:
    case SDLK_RALT:
      return VK_MENU;
    case SDLK_PAUSE:
      return VK_PAUSE;
    case SDLK_CAPSLOCK:
      return VK_CAPITAL;
    default:
      return 0;
  }
}

SDL_SystemCursor SdlCursorFor(SystemCursor cursor) {
  switch (cursor) {
    case SystemCursor::IBeam:
      return SDL_SYSTEM_CURSOR_IBEAM;
    case SystemCursor::Wait:
      return SDL_SYSTEM_CURSOR_WAIT;
    case SystemCursor::Cross:
      return SDL_SYSTEM_CURSOR_CROSSHAIR;
    case SystemCursor::Hand:
      return SDL_SYSTEM_CURSOR_HAND;
    case SystemCursor::SizeWE:
      return SDL_SYSTEM_CURSOR_SIZEWE;
    case SystemCursor::SizeNS:
      return SDL_SYSTEM_CURSOR_SIZENS;
    case SystemCursor::SizeNWSE:
      return SDL_SYSTEM_CURSOR_SIZENWSE;
    case SystemCursor::SizeNESW:
      return SDL_SYSTEM_CURSOR_SIZENESW;
    case SystemCursor::SizeAll:
      return SDL_SYSTEM_CURSOR_SIZEALL;
    case SystemCursor::No:
      return SDL_SYSTEM_CURSOR_NO;
    default:
      return SDL_SYSTEM_CURSOR_ARROW;  // Arrow, and Drag which has no system shape
  }
}

long NetWmDirection(MoveSizeKind kind) {
  switch (kind) {
    case MoveSizeKind::Move:
      return kNetWmMove;
    case MoveSizeKind::SizeRight:
      return kNetWmSizeRight;
    case MoveSizeKind::SizeBottom:
      return kNetWmSizeBottom;
    case MoveSizeKind::SizeBottomRight:
      return kNetWmSizeBottomRight;
  }
  return kNetWmMove;
}

SDL_HitTestResult SdlHitTestResult(HitArea area) {
  switch (area) {
    case HitArea::Draggable:
      return SDL_HITTEST_DRAGGABLE;
    case HitArea::ResizeRight:
      return SDL_HITTEST_RESIZE_RIGHT;
    case HitArea::ResizeBottom:
      return SDL_HITTEST_RESIZE_BOTTOM;
    case HitArea::ResizeBottomRight:
      return SDL_HITTEST_RESIZE_BOTTOMRIGHT;
    case HitArea::Normal:
      break;
  }
  return SDL_HITTEST_NORMAL;
}

// The pointer in screen coordinates and the button (1 left, 2 middle, 3
// right) held, 0 for none; from the X server itself where there is one,
// since SDL's own idea lags behind (or is kept from it by a window manager).
struct GlobalPointer {
  TPoint Pos;
  bool Held(int button) const { return (buttons & SDL_BUTTON(button)) != 0; }
  int FirstHeld() const {
    for (int b : {SDL_BUTTON_LEFT, SDL_BUTTON_RIGHT, SDL_BUTTON_MIDDLE})
      if (Held(b)) return b;
    return 0;
  }
  uint32_t buttons = 0;
};

GlobalPointer ReadGlobalPointer(const X11Window& x11) {
  GlobalPointer g;
  if (x11.Valid()) {
    const X11Pointer p = x11.QueryPointer();
    g.Pos = {p.X, p.Y};
    g.buttons = (p.Left ? SDL_BUTTON_LMASK : 0) | (p.Middle ? SDL_BUTTON_MMASK : 0) |
                (p.Right ? SDL_BUTTON_RMASK : 0);
  } else {
    g.buttons = SDL_GetGlobalMouseState(&g.Pos.X, &g.Pos.Y);
  }
  return g;
}

// Takes a queued release of button for window out of SDL's queue; where it
// happened in screen coordinates, nullopt when none was queued. A release
// SDL gave no window counts too: SDL drops the mouse focus when the pointer
// leaves the window with the button held, and then sends the release to no
// window with a stale position, so the pointer's position (where it was let
// go, as nothing has moved it since) stands for it.
std::optional<TPoint> TakeQueuedRelease(uint32_t windowId, TPoint origin, int button,
                                        TPoint pointer) {
  SDL_PumpEvents();
  std::vector<SDL_Event> ups(64);
  const int n = SDL_PeepEvents(ups.data(), 64, SDL_GETEVENT, SDL_MOUSEBUTTONUP, SDL_MOUSEBUTTONUP);
  std::optional<TPoint> taken;
  for (int i = 0; i < std::max(n, 0); ++i) {
    const SDL_MouseButtonEvent& up = ups[i].button;
    if (!taken && up.button == button && (up.windowID == windowId || up.windowID == 0))
      taken = up.windowID == 0 ? pointer : TPoint{origin.X + up.x, origin.Y + up.y};
    else
      SDL_PushEvent(&ups[i]);
  }
  return taken;
}

}  // namespace

// ---------------------------------------------------------------------------
// SdlPlatform

std::unique_ptr<SdlPlatform> SdlPlatform::Create() {
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  // The first click on an inactive window reaches it, as on the host.
  SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
  SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
  auto x11Errors = std::make_unique<X11GoneWindowErrors>();
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return nullptr;
  const uint32_t wake = SDL_RegisterEvents(1);
  const char* driver = SDL_GetCurrentVideoDriver();
  const bool wayland = driver && std::strcmp(driver, "wayland") == 0;
  // Frames are composed in memory: on X11 they go through the window
  // system's own framebuffer (shared memory), not through an OpenGL driver.
  // SDL's Wayland driver has no framebuffer of its own and needs its
  // renderer to show a window's pixels at all.
  if (!wayland) SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  if (!driver || std::strcmp(driver, "x11") != 0) x11Errors.reset();
  return std::unique_ptr<SdlPlatform>(new SdlPlatform(wake, wayland, std::move(x11Errors)));
}

SdlPlatform::SdlPlatform(uint32_t wakeEvent, bool wayland,
                         std::unique_ptr<X11GoneWindowErrors> x11Errors)
    : wakeEvent_(wakeEvent), wayland_(wayland), x11Errors_(std::move(x11Errors)) {}

SdlPlatform::~SdlPlatform() {
  for (SDL_Cursor* c : cursors_)
    if (c) SDL_FreeCursor(c);
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
  // SDL_Quit also closes what SDL opened behind the subsystems (its D-Bus
  // connection); only when nothing else of SDL is still in use.
  if (SDL_WasInit(SDL_INIT_EVERYTHING) == 0) SDL_Quit();
}

std::unique_ptr<PlatformWindow> SdlPlatform::CreateWindow(const WindowParams& params) {
  return std::make_unique<SdlWindow>(*this, params);
}

TPoint SdlPlatform::CursorPos() const {
  TPoint p;
  SDL_GetGlobalMouseState(&p.X, &p.Y);
  return p;
}

void SdlPlatform::SetCursorPos(TPoint pos) { SDL_WarpMouseGlobal(pos.X, pos.Y); }

InputState SdlPlatform::CurrentInputState() const {
  int x = 0, y = 0;
  return StateFrom(SDL_GetGlobalMouseState(&x, &y), SDL_GetModState());
}

TRect SdlPlatform::ScreenBounds() const {
  SDL_Rect r{0, 0, 0, 0};
  SDL_GetDisplayBounds(0, &r);
  return Bounds(r.x, r.y, r.w, r.h);
}

TRect SdlPlatform::WorkArea() const {
  SDL_Rect r{0, 0, 0, 0};
  if (SDL_GetDisplayUsableBounds(0, &r) != 0) return ScreenBounds();
  return Bounds(r.x, r.y, r.w, r.h);
}

void SdlPlatform::Pump() {
  SDL_Event e;
  while (SDL_PollEvent(&e)) Dispatch(e);
}

void SdlPlatform::Wait(int64_t timeoutMs) {
  // Leaves the event in the queue for Pump.
  if (timeoutMs < 0)
    SDL_WaitEvent(nullptr);
  else
    SDL_WaitEventTimeout(nullptr, static_cast<int>(std::min<int64_t>(timeoutMs, INT32_MAX)));
}

void SdlPlatform::Wake() {
  // One queued wake-up is enough; workers posting in bursts add no more.
  if (wakePending_.exchange(true)) return;
  SDL_Event e{};
  e.type = wakeEvent_;
  SDL_PushEvent(&e);
}

SdlWindow* SdlPlatform::WindowOf(uint32_t windowId) const {
  auto it = windows_.find(windowId);
  return it == windows_.end() ? nullptr : it->second;
}

void SdlPlatform::Dispatch(const SDL_Event& e) {
  switch (e.type) {
    case SDL_MOUSEMOTION:
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
    case SDL_MOUSEWHEEL: {
      const uint32_t id = e.type == SDL_MOUSEMOTION  ? e.motion.windowID
                          : e.type == SDL_MOUSEWHEEL ? e.wheel.windowID
                                                     : e.button.windowID;
      SdlWindow* w = WindowOf(id);
      if (!w || !w->Events()) return;
      MouseEvent m;
      m.Pos = e.type == SDL_MOUSEMOTION  ? TPoint{e.motion.x, e.motion.y}
              : e.type == SDL_MOUSEWHEEL ? TPoint{e.wheel.mouseX, e.wheel.mouseY}
                                         : TPoint{e.button.x, e.button.y};
      const TRect b = w->Bounds();
      m.ScreenPos = {b.Left + m.Pos.X, b.Top + m.Pos.Y};
      int x = 0, y = 0;
      m.State = StateFrom(SDL_GetMouseState(&x, &y), SDL_GetModState());
      WindowEvents* events = w->Events();
      if (e.type == SDL_MOUSEMOTION) {
        events->MouseMove(m);
      } else if (e.type == SDL_MOUSEWHEEL) {
        const int32_t notches =
            e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -e.wheel.y : e.wheel.y;
        m.WheelDelta = notches * 120;
        events->MouseWheel(m);
      } else if (ButtonFrom(e.button.button, m.Button)) {
        if (e.type == SDL_MOUSEBUTTONDOWN) lastPress_ = m.ScreenPos;
        // SDL counts on (3, 4 …); the host pairs presses: every second one is
        // a double click.
        m.Clicks = e.button.clicks % 2 == 0 ? 2 : 1;
        if (e.type == SDL_MOUSEBUTTONDOWN)
          events->MouseDown(m);
        else
          events->MouseUp(m);
      }
      return;
    }
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      SdlWindow* w = WindowOf(e.key.windowID);
      const uint16_t vk = VirtualKeyFrom(e.key.keysym.sym);
      if (!w || !w->Events() || vk == 0) return;
      KeyEvent k;
      k.Key = vk;
      k.Repeat = e.key.repeat != 0;
      int x = 0, y = 0;
      k.State = StateFrom(SDL_GetMouseState(&x, &y), static_cast<SDL_Keymod>(e.key.keysym.mod));
      WindowEvents* events = w->Events();
      if (e.type == SDL_KEYUP) {
        events->KeyUp(k);
        return;
      }
      events->KeyDown(k);
      // Control characters come as characters too; SDL sends no text for them.
      const std::string text = ControlCharOfKey(vk);
      if (!text.empty() && WindowOf(e.key.windowID) == w && w->Events())
        w->Events()->KeyChar(text, k.State);
      return;
    }
    case SDL_TEXTINPUT: {
      SdlWindow* w = WindowOf(e.text.windowID);
      int x = 0, y = 0;
      if (w && w->Events())
        w->Events()->KeyChar(e.text.text, StateFrom(SDL_GetMouseState(&x, &y), SDL_GetModState()));
      return;
    }
    default:
      DispatchWindowEvent(e);
  }
}

void SdlPlatform::DispatchWindowEvent(const SDL_Event& e) {
  if (e.type == wakeEvent_) wakePending_ = false;
  if (e.type != SDL_WINDOWEVENT) return;
  SdlWindow* w = WindowOf(e.window.windowID);
  if (!w) return;
  switch (e.window.event) {
    case SDL_WINDOWEVENT_MOVED:
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      w->NoteBounds();
      break;
    case SDL_WINDOWEVENT_ENTER:
      ApplyCursor(w->cursor_);
      break;
    case SDL_WINDOWEVENT_LEAVE:
      if (w->Events()) w->Events()->MouseLeave();
      break;
    case SDL_WINDOWEVENT_EXPOSED: {
      // The window surface still holds the last frame: show it again.
      SDL_UpdateWindowSurface(w->window_);
      const TRect b = w->Bounds();
      if (w->Events()) w->Events()->Exposed({0, 0, b.Width(), b.Height()});
      break;
    }
    case SDL_WINDOWEVENT_FOCUS_GAINED:
    case SDL_WINDOWEVENT_FOCUS_LOST:
      if (w->Events()) w->Events()->FocusChanged(e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED);
      break;
    case SDL_WINDOWEVENT_CLOSE:
      if (w->Events()) w->Events()->CloseRequest();
      break;
    case SDL_WINDOWEVENT_MINIMIZED:
      w->NoteShowState(WindowShowState::Minimized);
      break;
    case SDL_WINDOWEVENT_MAXIMIZED:
      w->NoteShowState(WindowShowState::Maximized);
      break;
    case SDL_WINDOWEVENT_RESTORED:
      // Also sent when the window is mapped; only a minimised window (or one
      // the compositor maximised) changes state by it.
      if (w->state_ == WindowShowState::Minimized)
        w->NoteShowState(w->beforeMinimized_);
      else if (w->state_ == WindowShowState::Maximized && wayland_)
        w->NoteShowState(WindowShowState::Normal);
      break;
    default:
      break;
  }
}

SDL_Cursor* SdlPlatform::CursorFor(SystemCursor cursor) {
  SDL_Cursor*& c = cursors_[static_cast<size_t>(cursor)];
  if (!c) c = SDL_CreateSystemCursor(SdlCursorFor(cursor));
  return c;
}

void SdlPlatform::ApplyCursor(SystemCursor cursor) {
  if (cursor == SystemCursor::Hidden) {
    SDL_ShowCursor(SDL_DISABLE);
    return;
  }
  SDL_ShowCursor(SDL_ENABLE);
  if (SDL_Cursor* c = CursorFor(cursor)) SDL_SetCursor(c);
}

// ---------------------------------------------------------------------------
// SdlWindow

SdlWindow::SdlWindow(SdlPlatform& platform, const WindowParams& params) : platform_(platform) {
  // Always resizable when borderless: without it SDL pins the size hints and
  // the window manager refuses the size grip's sizing.
  uint32_t flags = SDL_WINDOW_HIDDEN;
  if (params.Borderless) flags |= SDL_WINDOW_BORDERLESS | SDL_WINDOW_RESIZABLE;
  if (params.Resizable) flags |= SDL_WINDOW_RESIZABLE;
  const TRect& b = params.Bounds;
  window_ = SDL_CreateWindow(params.Title.c_str(), b.Left, b.Top, std::max(b.Width(), 1),
                             std::max(b.Height(), 1), flags);
  if (!window_) throw EOutOfResources(Format("Cannot create a window: %s", SDL_GetError()));
  id_ = SDL_GetWindowID(window_);
  known_ = Bounds();
  platform_.windows_[id_] = this;
}

SdlWindow::~SdlWindow() {
  platform_.windows_.erase(id_);
  SDL_DestroyWindow(window_);
}

void SdlWindow::Show() { SDL_ShowWindow(window_); }
void SdlWindow::Hide() { SDL_HideWindow(window_); }
bool SdlWindow::Visible() const { return SDL_GetWindowFlags(window_) & SDL_WINDOW_SHOWN; }
void SdlWindow::Activate() { SDL_RaiseWindow(window_); }
bool SdlWindow::Focused() const { return SDL_GetWindowFlags(window_) & SDL_WINDOW_INPUT_FOCUS; }
void SdlWindow::SetTitle(const std::string& title) { SDL_SetWindowTitle(window_, title.c_str()); }
std::string SdlWindow::Title() const { return SDL_GetWindowTitle(window_); }

TRect SdlWindow::Bounds() const {
  int x = 0, y = 0, w = 0, h = 0;
  SDL_GetWindowPosition(window_, &x, &y);
  SDL_GetWindowSize(window_, &w, &h);
  return host::Bounds(x, y, w, h);
}

void SdlWindow::SetBounds(const TRect& bounds) {
  known_ = bounds;
  SDL_SetWindowPosition(window_, bounds.Left, bounds.Top);
  SDL_SetWindowSize(window_, std::max(bounds.Width(), 1), std::max(bounds.Height(), 1));
}

void SdlWindow::SetMinimumSize(int32_t width, int32_t height) {
  minWidth_ = std::max(width, 1);
  minHeight_ = std::max(height, 1);
  SDL_SetWindowMinimumSize(window_, minWidth_, minHeight_);
}

void SdlWindow::SetCursor(SystemCursor cursor) {
  cursor_ = cursor;
  if (SDL_GetMouseFocus() == window_) platform_.ApplyCursor(cursor);
}

void SdlWindow::Present(const BitmapImage& frame, std::span<const TRect> dirty) {
  SDL_Surface* surface = SDL_GetWindowSurface(window_);
  if (!surface) return;
  const TRect limit =
      Intersection({0, 0, frame.Width, frame.Height}, {0, 0, surface->w, surface->h});
  std::vector<SDL_Rect> shown;
  if (SDL_MUSTLOCK(surface)) SDL_LockSurface(surface);
  for (const TRect& r : dirty) {
    const TRect part = Intersection(r, limit);
    if (part.IsEmpty()) continue;
    auto* target = static_cast<uint8_t*>(surface->pixels) + part.Top * surface->pitch +
                   part.Left * surface->format->BytesPerPixel;
    SDL_ConvertPixels(part.Width(), part.Height(), SDL_PIXELFORMAT_RGB888,
                      frame.Row(part.Top) + part.Left, frame.Width * 4, surface->format->format,
                      target, surface->pitch);
    shown.push_back({part.Left, part.Top, part.Width(), part.Height()});
  }
  if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
  if (!shown.empty())
    SDL_UpdateWindowSurfaceRects(window_, shown.data(), static_cast<int>(shown.size()));
}

void SdlWindow::NoteBounds() {
  const TRect b = Bounds();
  if (b == known_) return;
  known_ = b;
  if (Events()) Events()->BoundsChanged(b);
}

void SdlWindow::NoteShowState(WindowShowState state) {
  if (state == state_) return;
  if (state == WindowShowState::Minimized) beforeMinimized_ = state_;
  state_ = state;
  if (Events()) Events()->ShowStateChanged(state);
}

void SdlWindow::SetShowState(WindowShowState state) {
  if (state == state_) return;
  const WindowShowState old = state_;
  if (state == WindowShowState::Minimized) {
    beforeMinimized_ = old;
    state_ = state;
    // Without a window manager nobody would iconify it: it leaves the
    // screen until it is restored.
    const X11Window x11(window_);
    if (x11.Valid() && !x11.WindowManagerRuns())
      SDL_HideWindow(window_);
    else
      SDL_MinimizeWindow(window_);
    return;
  }
  const WindowShowState placed = old == WindowShowState::Minimized ? beforeMinimized_ : old;
  state_ = state;
  if (old == WindowShowState::Minimized) {
    SDL_PumpEvents();  // SDL's idea of the window's flags catches up first
    SDL_ShowWindow(window_);
    SDL_RestoreWindow(window_);
    SDL_RaiseWindow(window_);
  }
  if (platform_.wayland_) {
    // The compositor alone places windows there.
    if (state == WindowShowState::Maximized)
      SDL_MaximizeWindow(window_);
    else if (placed == WindowShowState::Maximized)
      SDL_RestoreWindow(window_);
    return;
  }
  // A borderless window may have no manager to maximise it: it is sized to
  // the work area here, the same with and without one.
  if (state == WindowShowState::Maximized && placed == WindowShowState::Normal) {
    normalBounds_ = Bounds();
    SetBounds(platform_.WorkArea());
  } else if (state == WindowShowState::Normal && placed == WindowShowState::Maximized) {
    SetBounds(normalBounds_);
  }
}

void SdlWindow::SnapWhereMoved() {
  const TRect b = Bounds();
  const TRect snapped = SnapToArea(b, platform_.WorkArea(), SnapBuffer());
  if (snapped == b) return;
  SetBounds(snapped);
  if (Events()) Events()->BoundsChanged(snapped);
}

void SdlWindow::RunMoveSize(MoveSizeKind kind) {
  // On Wayland the compositor runs moves from the hit-test, before the
  // press would reach us; a window cannot move itself afterwards.
  if (platform_.wayland_) return;
  const X11Window x11(window_);
  // Follow the pointer from where the button went down: a window manager may
  // hold the press back until the pointer moves (click-to-focus grabs), so
  // the pointer can be past the press point by the time it reaches us.
  const TPoint press = platform_.lastPress_;
  const TRect start = Bounds();
  // SDL has the press; a release may already be queued behind it.
  const GlobalPointer now = ReadGlobalPointer(x11);
  const int button = now.FirstHeld();
  if (button == 0) {
    // Over before it began: a quick click, or a flick whose moves and release
    // all came before this. Moves start from the left button; its release
    // belongs to the move and says where it ends.
    if (const std::optional<TPoint> up =
            TakeQueuedRelease(id_, start.TopLeft(), SDL_BUTTON_LEFT, now.Pos))
      FollowTo(kind, start, press, *up);
    return;
  }
  if (x11.Valid() && x11.WindowManagerMovesWindows() &&
      RunWindowManagerMoveSize(kind, button, start, press)) {
    if (kind == MoveSizeKind::Move) SnapWhereMoved();
    return;
  }
  RunPointerMoveSize(kind, button, start, press);
}

void SdlWindow::FollowTo(MoveSizeKind kind, const TRect& start, TPoint press, TPoint pointer) {
  const TRect target = MoveSizeStep(kind, start, press, pointer, minWidth_, minHeight_,
                                    platform_.WorkArea(), SnapBuffer());
  if (target == known_) return;
  SetBounds(target);
  if (Events()) Events()->BoundsChanged(target);
}

bool SdlWindow::RunWindowManagerMoveSize(MoveSizeKind kind, int button, const TRect& start,
                                         TPoint press) {
  const X11Window x11(window_);
  x11.StartWindowManagerMoveResize(NetWmDirection(kind), press.X, press.Y, button);
  const uint64_t startedMs = SDL_GetTicks64();
  bool managerActs = false;
  GlobalPointer now;
  for (;;) {
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
      if (e.type == SDL_MOUSEBUTTONUP && e.button.windowID == id_ && e.button.button == button) {
        // Let go before the window manager took over (it never held the
        // pointer, so the window is where it was): the release says where
        // the move ends.
        x11.StartWindowManagerMoveResize(kNetWmCancel, press.X, press.Y, button);
        NoteBounds();
        FollowTo(kind, start, press, {start.Left + e.button.x, start.Top + e.button.y});
        return true;
      }
      platform_.DispatchWindowEvent(e);
    }
    now = ReadGlobalPointer(x11);
    if (!now.Held(button)) break;
    if (Bounds() != start) managerActs = true;
    const bool pointerMoved = now.Pos != press;
    if (!managerActs && pointerMoved && SDL_GetTicks64() - startedMs > kWindowManagerGraceMs) {
      x11.StartWindowManagerMoveResize(kNetWmCancel, press.X, press.Y, button);
      return false;
    }
    DispatchWaitingMessages();  // clocks and workers go on while the window moves
    SDL_Delay(kPollMs);
  }
  // The window manager kept the release.
  ConsumeRelease(x11, button, now.Pos);
  SDL_Event e;
  while (SDL_PeepEvents(&e, 1, SDL_GETEVENT, SDL_WINDOWEVENT, SDL_WINDOWEVENT) > 0)
    platform_.DispatchWindowEvent(e);
  NoteBounds();
  if (!managerActs && Bounds() == start) {
    // The button went up before the manager moved anything: it may take the
    // pointer only now, and would then move the window with no button held.
    // Call it off; the window goes where the release was.
    x11.StartWindowManagerMoveResize(kNetWmCancel, press.X, press.Y, button);
    FollowTo(kind, start, press, now.Pos);
  }
  return true;
}

void SdlWindow::ConsumeRelease(const X11Window& x11, int button, TPoint at) {
  // SDL ignores a press of a button it believes held, so a release that went
  // elsewhere (to the window manager, to another window) would leave the
  // window deaf to the next press. Hand SDL the release, then drop it.
  SDL_PumpEvents();
  int x = 0, y = 0;
  if (x11.Valid() && (SDL_GetMouseState(&x, &y) & SDL_BUTTON(button)))
    x11.SynthesizeRelease(button, at.X, at.Y);
  TakeQueuedRelease(id_, Bounds().TopLeft(), button, at);
}

void SdlWindow::RunPointerMoveSize(MoveSizeKind kind, int button, const TRect& start,
                                   TPoint press) {
  const X11Window x11(window_);
  for (bool released = false; !released;) {
    SDL_Event e;
    // Motion events only say that the pointer moved: the position is read
    // globally below, since window coordinates shift as the window moves.
    if (SDL_WaitEventTimeout(&e, kPollMs)) {
      do {
        if (e.type == SDL_MOUSEBUTTONUP && e.button.windowID == id_ && e.button.button == button)
          released = true;
        else
          platform_.DispatchWindowEvent(e);
      } while (SDL_PollEvent(&e));
    }
    const GlobalPointer now = ReadGlobalPointer(x11);
    if (!released && !now.Held(button)) {
      ConsumeRelease(x11, button, now.Pos);
      released = true;
    }
    FollowTo(kind, start, press, now.Pos);
    DispatchWaitingMessages();  // clocks and workers go on while the window moves
  }
}

void SdlWindow::SetHitTest(std::function<HitArea(TPoint)> hitTest) {
  hitTest_ = std::move(hitTest);
  if (!platform_.wayland_) return;  // X11 moves after the press instead
  if (!hitTest_) {
    SDL_SetWindowHitTest(window_, nullptr, nullptr);
    return;
  }
  SDL_SetWindowHitTest(
      window_,
      [](SDL_Window*, const SDL_Point* area, void* data) {
        auto* self = static_cast<SdlWindow*>(data);
        return SdlHitTestResult(self->hitTest_({area->x, area->y}));
      },
      this);
}

}  // namespace host
