#pragma once
// The platform without a display: windows are rectangles on a virtual
// 1920 × 1080 screen that keep the last presented pixels, and the mouse, the
// keyboard and the clock are driven by Inject… calls. Injected input is
// queued and delivered by Pump, in order, the way the OS would deliver it; an
// interactive move or size started while handling a press consumes the
// queued input that follows it, and ends when the held button's release is
// consumed or when the queue runs dry (nobody is left to release it).
#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <variant>
#include <vector>

#include "host/platform/Platform.h"

namespace host {

class HeadlessWindow;

class HeadlessPlatform : public Platform {
 public:
  static constexpr int32_t kScreenWidth = 1920;
  static constexpr int32_t kScreenHeight = 1080;
  // Two presses closer than this in time and distance make a double click.
  static constexpr int64_t kDoubleClickMs = 500;
  static constexpr int32_t kDoubleClickDistance = 4;

  HeadlessPlatform();
  ~HeadlessPlatform() override;

  // The current platform when it is the headless one, else nullptr.
  static HeadlessPlatform* Active();

  std::string Name() const override { return "headless"; }
  std::unique_ptr<PlatformWindow> CreateWindow(const WindowParams& params) override;
  TPoint CursorPos() const override;
  void SetCursorPos(TPoint pos) override;
  InputState CurrentInputState() const override;
  TRect ScreenBounds() const override { return {0, 0, kScreenWidth, kScreenHeight}; }
  // The whole screen unless a test sets another (a task bar's room left out).
  TRect WorkArea() const override { return workArea_; }
  void SetWorkArea(const TRect& area) { workArea_ = area; }
  void Pump() override;
  void Wait(int64_t timeoutMs) override;
  void Wake() override;
  int64_t NowMs() override;

  // Input, queued until the next Pump. Any thread.
  void InjectMouseMove(int32_t screenX, int32_t screenY);
  void InjectMouseDown(MouseButton button = MouseButton::Left);
  void InjectMouseUp(MouseButton button = MouseButton::Left);
  void InjectMouseWheel(int32_t delta);
  // Shift, Ctrl and Alt (VK_SHIFT, VK_CONTROL, VK_MENU) change the modifier
  // state the following events carry.
  void InjectKeyDown(uint16_t key);
  void InjectKeyUp(uint16_t key);
  void InjectChar(const std::string& text);
  // Press and release in one go, a key followed by its character when it
  // has one.
  void InjectClick(int32_t screenX, int32_t screenY, MouseButton button = MouseButton::Left);
  void InjectKeyPress(uint16_t key);
  // Number of injected events not yet delivered.
  size_t PendingInput() const;

  // The clock: real monotonic time plus the advanced amount. A manual clock
  // stands still except for AdvanceClock. Any thread.
  void AdvanceClock(int64_t ms);
  void SetManualClock(bool manual);

  // Windows on the screen (visible and not minimised) from bottom to top.
  std::vector<HeadlessWindow*> Windows() const;
  // The topmost window on the screen containing a screen point.
  HeadlessWindow* WindowAt(TPoint screen) const;

 private:
  friend class HeadlessWindow;
  struct MouseMoveInput {
    TPoint Pos;
  };
  struct MouseButtonInput {
    MouseButton Button;
    bool Down;
  };
  struct WheelInput {
    int32_t Delta;
  };
  struct KeyInput {
    uint16_t Key;
    bool Down;
    bool TypesChar;  // followed by the character the key types
  };
  struct CharInput {
    std::string Text;
  };
  using Input = std::variant<MouseMoveInput, MouseButtonInput, WheelInput, KeyInput, CharInput>;

  void Enqueue(Input input);
  bool PopInput(Input& input);
  void Deliver(const Input& input);
  void DeliverMouseMove(TPoint pos);
  void DeliverButton(MouseButton button, bool down);
  void DeliverKey(uint16_t key, bool down);
  MouseEvent MakeMouseEvent(HeadlessWindow* window) const;
  void SetButtonHeld(MouseButton button, bool held);
  void SetFocusWindow(HeadlessWindow* window);
  void Raise(HeadlessWindow* window);
  void Forget(HeadlessWindow* window);
  // The window goes off the screen: the mouse and the keyboard leave it.
  void TakeOffScreen(HeadlessWindow* window);
  void RunMoveSize(HeadlessWindow& window, MoveSizeKind kind);

  mutable std::mutex mutex_;  // guards queue_, clock and wake state
  std::condition_variable wakeup_;
  std::deque<Input> queue_;
  bool woken_ = false;
  bool manualClock_ = false;
  int64_t clockOffset_ = 0;

  // Main-thread state.
  std::vector<HeadlessWindow*> windows_;  // bottom to top, visible or not
  TRect workArea_{0, 0, kScreenWidth, kScreenHeight};
  TPoint pointer_{kScreenWidth / 2, kScreenHeight / 2};
  InputState state_;
  HeadlessWindow* grab_ = nullptr;   // receives the mouse while a button is held
  HeadlessWindow* hover_ = nullptr;  // last window the pointer was over
  HeadlessWindow* focus_ = nullptr;
  struct LastPress {
    MouseButton Button = MouseButton::Left;
    TPoint Pos;
    int64_t TimeMs = 0;
    bool Valid = false;
  } lastPress_;
};

class HeadlessWindow : public PlatformWindow {
 public:
  HeadlessWindow(HeadlessPlatform& platform, const WindowParams& params);
  ~HeadlessWindow() override;

  void Show() override;
  void Hide() override;
  bool Visible() const override { return visible_; }
  void Activate() override;
  bool Focused() const override;
  void SetTitle(const std::string& title) override { title_ = title; }
  std::string Title() const override { return title_; }
  TRect Bounds() const override { return bounds_; }
  void SetBounds(const TRect& bounds) override;
  void SetMinimumSize(int32_t width, int32_t height) override;
  void SetCursor(SystemCursor cursor) override { cursor_ = cursor; }
  void Present(const BitmapImage& frame, std::span<const TRect> dirty) override;
  void RunMoveSize(MoveSizeKind kind) override;
  void SetHitTest(std::function<HitArea(TPoint)> hitTest) override {
    hitTest_ = std::move(hitTest);
  }
  void SetShowState(WindowShowState state) override;
  WindowShowState ShowState() const override { return state_; }

  // Visible and not minimised.
  bool OnScreen() const { return visible_ && state_ != WindowShowState::Minimized; }
  // What a compositor that moves windows itself would make of a press at a
  // client point: the answer of the hit-test set, Normal without one.
  HitArea HitTest(TPoint client) const { return hitTest_ ? hitTest_(client) : HitArea::Normal; }
  bool Borderless() const { return borderless_; }
  SystemCursor Cursor() const { return cursor_; }
  // What the window shows: the presented pixels, client-sized; black where
  // nothing was presented yet.
  const BitmapImage& Pixels() const { return pixels_; }
  // The parts the last Present call showed, clipped to the window.
  const std::vector<TRect>& LastPresented() const { return lastPresented_; }
  // Writes Pixels() as a PNG file (EFOpenError when it cannot be created).
  void SavePng(const std::string& path) const;

 private:
  friend class HeadlessPlatform;
  // Moves/sizes and reports the change, as the user would.
  void ChangeBoundsByUser(const TRect& bounds);

  HeadlessPlatform& platform_;
  std::string title_;
  TRect bounds_;
  int32_t minWidth_ = 1;
  int32_t minHeight_ = 1;
  bool borderless_;
  bool visible_ = false;
  SystemCursor cursor_ = SystemCursor::Arrow;
  WindowShowState state_ = WindowShowState::Normal;
  WindowShowState beforeMinimized_ = WindowShowState::Normal;
  TRect normalBounds_;  // the bounds to restore from Maximized
  std::function<HitArea(TPoint)> hitTest_;
  BitmapImage pixels_;
  std::vector<TRect> lastPresented_;
};

}  // namespace host
