#include "host/platform/HeadlessPlatform.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>

#include "host/classes/Streams.h"
#include "host/graphics/PngCodec.h"
#include "host/platform/MoveSizeGeometry.h"
#include "host/platform/VirtualKeys.h"
#include "host/threads/KernelEvents.h"

namespace host {

namespace {

bool AnyButton(const InputState& s) { return s.Left || s.Right || s.Middle; }

// The character a key types, "" for keys that type none.
std::string CharOfKey(uint16_t key, bool shift) {
  if (key >= 'A' && key <= 'Z') return std::string(1, static_cast<char>(shift ? key : key + 32));
  if ((key >= '0' && key <= '9') || key == VK_SPACE) return std::string(1, static_cast<char>(key));
  return ControlCharOfKey(key);
}

}  // namespace

// ---------------------------------------------------------------------------
// HeadlessPlatform

HeadlessPlatform::HeadlessPlatform() = default;

HeadlessPlatform::~HeadlessPlatform() = default;

HeadlessPlatform* HeadlessPlatform::Active() {
  return dynamic_cast<HeadlessPlatform*>(&Platform::Current());
}

std::unique_ptr<PlatformWindow> HeadlessPlatform::CreateWindow(const WindowParams& params) {
  return std::make_unique<HeadlessWindow>(*this, params);
}

TPoint HeadlessPlatform::CursorPos() const { return pointer_; }

void HeadlessPlatform::SetCursorPos(TPoint pos) { pointer_ = pos; }

InputState HeadlessPlatform::CurrentInputState() const { return state_; }

void HeadlessPlatform::Pump() {
  Input input;
  while (PopInput(input)) Deliver(input);
}

void HeadlessPlatform::Wait(int64_t timeoutMs) {
  std::unique_lock lock(mutex_);
  auto ready = [this] { return woken_ || !queue_.empty(); };
  if (timeoutMs < 0)
    wakeup_.wait(lock, ready);
  else
    wakeup_.wait_for(lock, std::chrono::milliseconds(timeoutMs), ready);
  woken_ = false;
}

void HeadlessPlatform::Wake() {
  {
    std::lock_guard lock(mutex_);
    woken_ = true;
  }
  wakeup_.notify_all();
}

int64_t HeadlessPlatform::NowMs() {
  std::lock_guard lock(mutex_);
  return manualClock_ ? clockOffset_ : Platform::NowMs() + clockOffset_;
}

void HeadlessPlatform::AdvanceClock(int64_t ms) {
  {
    std::lock_guard lock(mutex_);
    clockOffset_ += std::max<int64_t>(ms, 0);
  }
  WakeDueWaits();  // workers' timed waits follow this clock
  Wake();          // timers may be due now
}

void HeadlessPlatform::SetManualClock(bool manual) {
  std::lock_guard lock(mutex_);
  if (manual == manualClock_) return;
  // Keep the reading continuous across the switch.
  const int64_t real = Platform::NowMs();
  clockOffset_ = manual ? real + clockOffset_ : clockOffset_ - real;
  manualClock_ = manual;
}

void HeadlessPlatform::InjectMouseMove(int32_t screenX, int32_t screenY) {
  Enqueue(MouseMoveInput{{screenX, screenY}});
}
void HeadlessPlatform::InjectMouseDown(MouseButton button) {
  Enqueue(MouseButtonInput{button, true});
}
void HeadlessPlatform::InjectMouseUp(MouseButton button) {
  Enqueue(MouseButtonInput{button, false});
}
void HeadlessPlatform::InjectMouseWheel(int32_t delta) { Enqueue(WheelInput{delta}); }
void HeadlessPlatform::InjectKeyDown(uint16_t key) { Enqueue(KeyInput{key, true, false}); }
void HeadlessPlatform::InjectKeyUp(uint16_t key) { Enqueue(KeyInput{key, false, false}); }
void HeadlessPlatform::InjectChar(const std::string& text) { Enqueue(CharInput{text}); }

void HeadlessPlatform::InjectClick(int32_t screenX, int32_t screenY, MouseButton button) {
  InjectMouseMove(screenX, screenY);
  InjectMouseDown(button);
  InjectMouseUp(button);
}

void HeadlessPlatform::InjectKeyPress(uint16_t key) {
  Enqueue(KeyInput{key, true, true});
  InjectKeyUp(key);
}

size_t HeadlessPlatform::PendingInput() const {
  std::lock_guard lock(mutex_);
  return queue_.size();
}

std::vector<HeadlessWindow*> HeadlessPlatform::Windows() const {
  std::vector<HeadlessWindow*> visible;
  for (HeadlessWindow* w : windows_)
    if (w->OnScreen()) visible.push_back(w);
  return visible;
}

HeadlessWindow* HeadlessPlatform::WindowAt(TPoint screen) const {
  for (auto it = windows_.rbegin(); it != windows_.rend(); ++it)
    if ((*it)->OnScreen() && (*it)->Bounds().Contains(screen)) return *it;
  return nullptr;
}

void HeadlessPlatform::Enqueue(Input input) {
  {
    std::lock_guard lock(mutex_);
    queue_.push_back(std::move(input));
  }
  wakeup_.notify_all();
}

bool HeadlessPlatform::PopInput(Input& input) {
  std::lock_guard lock(mutex_);
  if (queue_.empty()) return false;
  input = std::move(queue_.front());
  queue_.pop_front();
  return true;
}

void HeadlessPlatform::Deliver(const Input& input) {
  if (auto* move = std::get_if<MouseMoveInput>(&input)) {
    DeliverMouseMove(move->Pos);
  } else if (auto* button = std::get_if<MouseButtonInput>(&input)) {
    DeliverButton(button->Button, button->Down);
  } else if (auto* wheel = std::get_if<WheelInput>(&input)) {
    HeadlessWindow* target = grab_ ? grab_ : WindowAt(pointer_);
    if (!target || !target->Events()) return;
    MouseEvent e = MakeMouseEvent(target);
    e.WheelDelta = wheel->Delta;
    target->Events()->MouseWheel(e);
  } else if (auto* key = std::get_if<KeyInput>(&input)) {
    DeliverKey(key->Key, key->Down);
    if (key->Down && key->TypesChar) {
      const std::string text = CharOfKey(key->Key, state_.Shift);
      if (!text.empty() && focus_ && focus_->Events()) focus_->Events()->KeyChar(text, state_);
    }
  } else if (auto* ch = std::get_if<CharInput>(&input)) {
    if (focus_ && focus_->Events()) focus_->Events()->KeyChar(ch->Text, state_);
  }
}

MouseEvent HeadlessPlatform::MakeMouseEvent(HeadlessWindow* window) const {
  MouseEvent e;
  e.ScreenPos = pointer_;
  e.Pos = {pointer_.X - window->Bounds().Left, pointer_.Y - window->Bounds().Top};
  e.State = state_;
  return e;
}

void HeadlessPlatform::DeliverMouseMove(TPoint pos) {
  pointer_ = pos;
  HeadlessWindow* target = grab_ ? grab_ : WindowAt(pos);
  if (!grab_ && hover_ && hover_ != target) {
    HeadlessWindow* left = hover_;
    hover_ = nullptr;
    if (left->Events()) left->Events()->MouseLeave();
  }
  hover_ = target;
  if (target && target->Events()) target->Events()->MouseMove(MakeMouseEvent(target));
}

void HeadlessPlatform::DeliverButton(MouseButton button, bool down) {
  if (!down) {
    const bool held = button == MouseButton::Left    ? state_.Left
                      : button == MouseButton::Right ? state_.Right
                                                     : state_.Middle;
    if (!held) return;  // a release without a press reaches nobody
  }
  SetButtonHeld(button, down);
  HeadlessWindow* target = grab_ ? grab_ : WindowAt(pointer_);
  if (!down) {
    if (!AnyButton(state_)) grab_ = nullptr;
    if (target && target->Events()) {
      MouseEvent e = MakeMouseEvent(target);
      e.Button = button;
      target->Events()->MouseUp(e);
    }
    return;
  }
  if (!target) return;
  grab_ = target;
  hover_ = target;
  target->Activate();
  if (grab_ != target) return;  // the window went away while it was activated

  const int64_t now = NowMs();
  const bool doubleClick = lastPress_.Valid && lastPress_.Button == button &&
                           now - lastPress_.TimeMs <= kDoubleClickMs &&
                           std::abs(pointer_.X - lastPress_.Pos.X) <= kDoubleClickDistance &&
                           std::abs(pointer_.Y - lastPress_.Pos.Y) <= kDoubleClickDistance;
  // A third press starts a new pair.
  lastPress_ = {button, pointer_, now, !doubleClick};

  MouseEvent e = MakeMouseEvent(target);
  e.Button = button;
  e.Clicks = doubleClick ? 2 : 1;
  if (target->Events()) target->Events()->MouseDown(e);
}

void HeadlessPlatform::DeliverKey(uint16_t key, bool down) {
  if (key == VK_SHIFT) state_.Shift = down;
  if (key == VK_CONTROL) state_.Ctrl = down;
  if (key == VK_MENU) state_.Alt = down;
  if (!focus_ || !focus_->Events()) return;
  KeyEvent e;
  e.Key = key;
  e.State = state_;
  if (down)
    focus_->Events()->KeyDown(e);
  else
    focus_->Events()->KeyUp(e);
}

void HeadlessPlatform::SetButtonHeld(MouseButton button, bool held) {
  switch (button) {
    case MouseButton::Left:
      state_.Left = held;
      break;
    case MouseButton::Right:
      state_.Right = held;
      break;
    case MouseButton::Middle:
      state_.Middle = held;
      break;
  }
}

void HeadlessPlatform::SetFocusWindow(HeadlessWindow* window) {
  if (focus_ == window) return;
  HeadlessWindow* old = focus_;
  focus_ = window;
  if (old && old->Events()) old->Events()->FocusChanged(false);
  if (focus_ == window && window && window->Events()) window->Events()->FocusChanged(true);
}

void HeadlessPlatform::Raise(HeadlessWindow* window) {
  auto it = std::find(windows_.begin(), windows_.end(), window);
  if (it != windows_.end()) std::rotate(it, it + 1, windows_.end());
}

void HeadlessPlatform::Forget(HeadlessWindow* window) {
  std::erase(windows_, window);
  if (grab_ == window) grab_ = nullptr;
  if (hover_ == window) hover_ = nullptr;
  if (focus_ == window) focus_ = nullptr;
}

void HeadlessPlatform::TakeOffScreen(HeadlessWindow* window) {
  if (grab_ == window) grab_ = nullptr;
  if (hover_ == window) hover_ = nullptr;
  if (focus_ == window) {
    const auto onScreen = Windows();
    SetFocusWindow(onScreen.empty() ? nullptr : onScreen.back());
  }
}

void HeadlessPlatform::RunMoveSize(HeadlessWindow& window, MoveSizeKind kind) {
  if (!AnyButton(state_)) return;
  const MouseButton held = state_.Left    ? MouseButton::Left
                           : state_.Right ? MouseButton::Right
                                          : MouseButton::Middle;
  const TRect start = window.Bounds();
  const TPoint press = pointer_;
  Input input;
  while (PopInput(input)) {
    if (auto* move = std::get_if<MouseMoveInput>(&input)) {
      pointer_ = move->Pos;
      window.ChangeBoundsByUser(MoveSizeStep(kind, start, press, pointer_, window.minWidth_,
                                             window.minHeight_, workArea_, window.SnapBuffer()));
    } else if (auto* button = std::get_if<MouseButtonInput>(&input)) {
      if (button->Down || button->Button != held) continue;
      SetButtonHeld(held, false);
      if (!AnyButton(state_)) grab_ = nullptr;
      return;  // the release ends the loop and goes no further
    } else if (auto* key = std::get_if<KeyInput>(&input)) {
      // The loop is modal: keys only update the modifier state.
      if (key->Key == VK_SHIFT) state_.Shift = key->Down;
      if (key->Key == VK_CONTROL) state_.Ctrl = key->Down;
      if (key->Key == VK_MENU) state_.Alt = key->Down;
    }
  }
}

// ---------------------------------------------------------------------------
// HeadlessWindow

HeadlessWindow::HeadlessWindow(HeadlessPlatform& platform, const WindowParams& params)
    : platform_(platform), title_(params.Title), borderless_(params.Borderless) {
  SetBounds(params.Bounds);
  platform_.windows_.push_back(this);
}

HeadlessWindow::~HeadlessWindow() { platform_.Forget(this); }

void HeadlessWindow::Show() {
  if (visible_) return;
  visible_ = true;
  Activate();
}

void HeadlessWindow::Hide() {
  if (!visible_) return;
  visible_ = false;
  platform_.TakeOffScreen(this);
}

void HeadlessWindow::Activate() {
  platform_.Raise(this);
  if (OnScreen()) platform_.SetFocusWindow(this);
}

void HeadlessWindow::SetShowState(WindowShowState state) {
  if (state == state_) return;
  const WindowShowState old = state_;
  if (state == WindowShowState::Minimized) {
    beforeMinimized_ = old;
    state_ = state;
    platform_.TakeOffScreen(this);
    return;
  }
  const WindowShowState placed = old == WindowShowState::Minimized ? beforeMinimized_ : old;
  if (state == WindowShowState::Maximized && placed == WindowShowState::Normal) {
    normalBounds_ = bounds_;
    SetBounds(platform_.WorkArea());
  } else if (state == WindowShowState::Normal && placed == WindowShowState::Maximized) {
    SetBounds(normalBounds_);
  }
  state_ = state;
  if (old == WindowShowState::Minimized) Activate();
}

bool HeadlessWindow::Focused() const { return platform_.focus_ == this; }

void HeadlessWindow::SetBounds(const TRect& bounds) {
  bounds_ = {bounds.Left, bounds.Top, std::max(bounds.Right, bounds.Left),
             std::max(bounds.Bottom, bounds.Top)};
  pixels_.SetSize(bounds_.Width(), bounds_.Height());
}

void HeadlessWindow::SetMinimumSize(int32_t width, int32_t height) {
  minWidth_ = std::max(width, 1);
  minHeight_ = std::max(height, 1);
}

void HeadlessWindow::Present(const BitmapImage& frame, std::span<const TRect> dirty) {
  lastPresented_.clear();
  const TRect limit =
      Intersection({0, 0, frame.Width, frame.Height}, {0, 0, pixels_.Width, pixels_.Height});
  for (const TRect& r : dirty) {
    const TRect part = Intersection(r, limit);
    if (part.IsEmpty()) continue;
    for (int32_t y = part.Top; y < part.Bottom; ++y)
      std::copy_n(frame.Row(y) + part.Left, part.Width(), pixels_.Row(y) + part.Left);
    lastPresented_.push_back(part);
  }
}

void HeadlessWindow::RunMoveSize(MoveSizeKind kind) { platform_.RunMoveSize(*this, kind); }

void HeadlessWindow::SavePng(const std::string& path) const {
  const std::vector<uint8_t> png = EncodePng(pixels_);
  TFileStream file(path, fmCreate);
  file.Write(png.data(), static_cast<int64_t>(png.size()));
}

void HeadlessWindow::ChangeBoundsByUser(const TRect& bounds) {
  if (bounds == bounds_) return;
  SetBounds(bounds);
  if (Events()) Events()->BoundsChanged(bounds_);
}

}  // namespace host
