#include "host/testing/Session.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "host/base/DateTime.h"
#include "host/base/FileContents.h"
#include "host/classes/Streaming.h"
#include "host/classes/TypInfo.h"
#include "host/graphics/TextUtf8.h"
#include "host/platform/VirtualKeys.h"
#include "host/threads/KernelEvents.h"
#include "host/threads/MessageLoop.h"
#include "host/threads/Threads.h"
#include "host/threads/Timers.h"

namespace kx::testing {

namespace {

using host::Application;
using host::HeadlessPlatform;

// The headless platform, installed when another one is current.
HeadlessPlatform& Headless() {
  if (HeadlessPlatform* active = HeadlessPlatform::Active()) return *active;
  host::Platform::SetCurrent(std::make_unique<HeadlessPlatform>());
  return *HeadlessPlatform::Active();
}

// The headless platform with its clock made manual, before a form is read.
HeadlessPlatform& ManualHeadless() {
  HeadlessPlatform& platform = Headless();
  platform.SetManualClock(true);
  return platform;
}

host::TCustomForm* ReadForm(const std::string& path, const host::TReadOptions& options) {
  host::TComponent* root = host::ReadForm(host::ReadFileContents(path), path, Application, options);
  if (auto* form = host::As<host::TCustomForm>(root)) return form;
  const std::string found = root->ClassName();
  root->Free();
  throw SessionError(path + " holds " + found + ", which is not a form");
}

// A drag moves in this many steps at most (one per pixel for short ones).
constexpr int32_t kDragSteps = 8;

}  // namespace

void Session::UseVirtualTime() { ManualHeadless(); }

Session::Session(host::TCustomForm* form)
    : platform_(ManualHeadless()), form_(form), owned_(false) {
  form_->Show();
  Settle();
}

Session::Session(const std::string& formFile, const host::TReadOptions& options)
    : platform_(ManualHeadless()), form_(ReadForm(formFile, options)), owned_(true) {
  try {
    form_->Show();
    Settle();
  } catch (...) {
    form_->Free();
    throw;
  }
}

Session::~Session() {
  if (buttonsHeld_ > 0) Settle();
  if (owned_) form_->Free();
  Application->ProcessMessages();
  host::ResetNow();
}

host::HeadlessWindow& Session::Window() const {
  auto* window = static_cast<host::HeadlessWindow*>(form_->PlatformHandle());
  if (!window || !window->Visible()) throw SessionError("the form is not shown");
  return *window;
}

void Session::Settle() {
  for (;;) {
    Application->ProcessMessages();
    if (host::WorkersSettled()) {
      // A call a worker synchronised back to back after the loop went idle
      // is left for the next command (such a worker would never let the
      // loop rest); one a worker made on waking runs now, before the clock
      // moves on, so that its next wait counts from its due time.
      if (!host::MessageWaiting() && !host::WokenCallsQueued()) return;
      continue;
    }
    // A worker is on its way to its next wait; it wakes the loop when it
    // gets there or when it synchronises a call.
    host::CurrentEventSource().Wait(-1);
  }
}

// Input is handled at once unless a button is held (see the header).
void Session::AfterInput() {
  if (buttonsHeld_ == 0) Settle();
}

void Session::MoveTo(int32_t x, int32_t y) {
  const host::TRect client = Window().Bounds();
  platform_.InjectMouseMove(client.Left + x, client.Top + y);
}

void Session::InjectModifiers(Modifiers modifiers, bool down) {
  for (auto [held, key] :
       {std::pair{modifiers.Shift, host::VK_SHIFT}, std::pair{modifiers.Ctrl, host::VK_CONTROL},
        std::pair{modifiers.Alt, host::VK_MENU}}) {
    if (!held) continue;
    if (down)
      platform_.InjectKeyDown(key);
    else
      platform_.InjectKeyUp(key);
  }
}

void Session::Move(int32_t x, int32_t y) {
  MoveTo(x, y);
  AfterInput();
}

void Session::Press(int32_t x, int32_t y, host::MouseButton button, Modifiers modifiers) {
  InjectModifiers(modifiers, true);
  MoveTo(x, y);
  platform_.InjectMouseDown(button);
  InjectModifiers(modifiers, false);
  ++buttonsHeld_;
}

void Session::Release(int32_t x, int32_t y, host::MouseButton button) {
  MoveTo(x, y);
  platform_.InjectMouseUp(button);
  buttonsHeld_ = std::max(buttonsHeld_ - 1, 0);
  AfterInput();
}

void Session::Click(int32_t x, int32_t y, host::MouseButton button) {
  Press(x, y, button);
  Release(x, y, button);
}

void Session::DblClick(int32_t x, int32_t y) {
  Press(x, y);
  Release(x, y);
  Press(x, y);
  Release(x, y);
}

void Session::Drag(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  Press(x1, y1);
  const int32_t steps = std::clamp(std::max(std::abs(x2 - x1), std::abs(y2 - y1)), 1, kDragSteps);
  for (int32_t i = 1; i < steps; ++i)
    MoveTo(x1 + (x2 - x1) * i / steps, y1 + (y2 - y1) * i / steps);
  Release(x2, y2);
}

void Session::Key(uint16_t key, Modifiers modifiers) {
  InjectModifiers(modifiers, true);
  platform_.InjectKeyPress(key);
  InjectModifiers(modifiers, false);
  AfterInput();
}

void Session::Type(std::string_view text) {
  for (size_t i = 0; i < text.size();) {
    const size_t start = i;
    host::NextCodePoint(text, i);
    platform_.InjectChar(std::string(text.substr(start, i - start)));
  }
  AfterInput();
}

void Session::Wait(int64_t ms) {
  Settle();
  const int64_t end = host::TickCountMs() + std::max<int64_t>(ms, 0);
  // Step from one due time to the next, so that every timer fires as often
  // as the time passed allows and each worker wakes at its own time-out.
  for (int64_t now = host::TickCountMs(); now < end; now = host::TickCountMs()) {
    int64_t next = end;
    if (const int64_t timer = host::MsUntilNextTimer(now); timer > 0)
      next = std::min(next, now + timer);
    if (const int64_t wait = host::NextWaitDeadline(); wait > now) next = std::min(next, wait);
    platform_.AdvanceClock(next - now);
    Settle();
  }
}

void Session::SetNow(host::TDateTime now) { host::SetNow(now); }

host::TComponent* Session::ComponentOf(std::string_view path, std::string_view& rest) const {
  const size_t dot = path.find('.');
  if (dot == std::string_view::npos || dot + 1 == path.size())
    throw SessionError("expected COMPONENT.NAME, found '" + std::string(path) + "'");
  const std::string_view name = path.substr(0, dot);
  rest = path.substr(dot + 1);
  if (host::SameText(name, "Form") || host::SameText(name, form_->Name())) return form_;
  if (host::TComponent* c = form_->FindComponent(name)) return c;
  throw SessionError("expected a component of " + form_->Name() + ", found '" + std::string(name) +
                     "'");
}

std::string Session::Get(std::string_view path) {
  Settle();
  std::string_view name;
  host::TComponent* c = ComponentOf(path, name);
  return host::WritePropertyValue(form_, c, name);
}

void Session::Set(std::string_view path, std::string_view value) {
  Settle();
  std::string_view name;
  host::TComponent* c = ComponentOf(path, name);
  host::ReadProperty(form_, c, std::string(name) + " = " + std::string(value), "", 1);
  Settle();
}

void Session::Call(std::string_view path) {
  Settle();
  std::string_view name;
  host::TComponent* c = ComponentOf(path, name);
  const host::TPublished* table = c->Published();
  const host::TCallInfo* call = table ? table->FindCall(name) : nullptr;
  if (!call)
    throw SessionError("expected a method " + c->ClassName() + " offers to scripts, found '" +
                       std::string(name) + "'");
  call->Invoke(c);
  Settle();
}

uint32_t Session::Pixel(int32_t x, int32_t y) {
  Settle();
  const host::BitmapImage& pixels = Window().Pixels();
  if (x < 0 || y < 0 || x >= pixels.Width || y >= pixels.Height)
    throw SessionError("expected a point inside the form's " + std::to_string(pixels.Width) +
                       " x " + std::to_string(pixels.Height) + " pixels, found " +
                       std::to_string(x) + " " + std::to_string(y));
  return pixels.At(x, y) & 0xFFFFFF;
}

host::BitmapImage Session::Snapshot() {
  Settle();
  return Window().Pixels();
}

void Session::SavePng(const std::string& path) {
  Settle();
  Window().SavePng(path);
}

}  // namespace kx::testing
