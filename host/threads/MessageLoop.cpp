#include "host/threads/MessageLoop.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>

#include "host/threads/Clock.h"
#include "host/threads/Threads.h"
#include "host/threads/Timers.h"

namespace host {

namespace {

// The event source used until the platform installs its own: no OS events,
// a sleep on a condition variable that Wake cuts short.
class BuiltInEventSource : public EventSource {
 public:
  void Pump() override {}

  void Wait(int64_t timeoutMs) override {
    std::unique_lock lock(mutex_);
    auto woken = [&] { return woken_; };
    if (timeoutMs < 0)
      wake_.wait(lock, woken);
    else
      wake_.wait_for(lock, std::chrono::milliseconds(timeoutMs), woken);
    woken_ = false;
  }

  void Wake() override {
    std::lock_guard lock(mutex_);
    woken_ = true;
    wake_.notify_all();
  }

 private:
  std::mutex mutex_;
  std::condition_variable wake_;
  bool woken_ = false;
};

struct MessageQueue {
  std::mutex mutex;
  std::deque<TMsg> posted;
  bool quit = false;
  int exit_code = 0;
};

// These outlive static destruction: windows may still go away at exit.
MessageQueue& Queue() {
  static auto* queue = new MessageQueue;
  return *queue;
}

BuiltInEventSource& BuiltIn() {
  static auto* source = new BuiltInEventSource;
  return *source;
}

std::atomic<EventSource*> g_event_source{nullptr};

// Main thread only.
std::function<bool(TMsg&)>& PaintSource() {
  static auto* source = new std::function<bool(TMsg&)>;
  return *source;
}

bool PostedOrQuitWaiting() {
  MessageQueue& queue = Queue();
  std::lock_guard lock(queue.mutex);
  return !queue.posted.empty() || queue.quit;
}

LRESULT CallWindow(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!hwnd) return 0;
  TMessage message{msg, wParam, lParam, 0};
  hwnd->WndProc(message);
  return message.Result;
}

}  // namespace

// Declared in host/base/Messages.h: a window that goes away takes its timers
// and queued messages with it, so nothing is dispatched to freed memory.
HostWindow::~HostWindow() {
  KillWindowTimers(this);
  MessageQueue& queue = Queue();
  std::lock_guard lock(queue.mutex);
  std::erase_if(queue.posted, [&](const TMsg& m) { return m.hwnd == this; });
}

void SetEventSource(EventSource* source) { g_event_source.store(source); }

EventSource& CurrentEventSource() {
  EventSource* source = g_event_source.load();
  return source ? *source : BuiltIn();
}

void SetPaintMessageSource(std::function<bool(TMsg& msg)> source) {
  PaintSource() = std::move(source);
}

void WakeMainThread() { CurrentEventSource().Wake(); }

bool PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  TMsg m;
  m.hwnd = hwnd;
  m.message = msg;
  m.wParam = wParam;
  m.lParam = lParam;
  m.time = static_cast<uint32_t>(TickCountMs());
  {
    MessageQueue& queue = Queue();
    std::lock_guard lock(queue.mutex);
    queue.posted.push_back(m);
  }
  WakeMainThread();
  return true;
}

LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (IsMainThread()) return CallWindow(hwnd, msg, wParam, lParam);
  LRESULT result = 0;
  TThread::Synchronize([&] { result = CallWindow(hwnd, msg, wParam, lParam); });
  return result;
}

void PostQuitMessage(int exitCode) {
  {
    MessageQueue& queue = Queue();
    std::lock_guard lock(queue.mutex);
    queue.quit = true;
    queue.exit_code = exitCode;
  }
  WakeMainThread();
}

namespace {

bool PeekQueue(TMsg& msg, bool remove, bool pump = true) {
  if (pump) CurrentEventSource().Pump();
  {
    MessageQueue& queue = Queue();
    std::lock_guard lock(queue.mutex);
    if (!queue.posted.empty()) {
      msg = queue.posted.front();
      if (remove) queue.posted.pop_front();
      return true;
    }
    if (queue.quit) {
      msg = TMsg{};
      msg.message = WM_QUIT;
      msg.wParam = static_cast<WPARAM>(queue.exit_code);
      if (remove) queue.quit = false;
      return true;
    }
  }
  if (PaintSource() && PaintSource()(msg)) return true;
  return TakeDueTimer(TickCountMs(), msg, remove);
}

}  // namespace

bool PeekMessage(TMsg& msg, UINT removeMsg) {
  if (IsMainThread()) CheckSynchronize();
  return PeekQueue(msg, (removeMsg & PM_REMOVE) != 0);
}

bool MessageWaiting() {
  TMsg msg;
  return PeekQueue(msg, false);
}

void DispatchWaitingMessages() {
  CheckSynchronize();
  for (TMsg msg; PeekQueue(msg, true, false);) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    DispatchMessage(msg);
  }
}

bool GetMessage(TMsg& msg) {
  while (!PeekMessage(msg, PM_REMOVE)) WaitMessage();
  return msg.message != WM_QUIT;
}

void WaitMessage() {
  if (IsMainThread()) CheckSynchronize();
  if (PostedOrQuitWaiting()) return;
  TMsg paint;
  if (PaintSource() && PaintSource()(paint)) return;
  const int64_t timeout = MsUntilNextTimer(TickCountMs());
  if (timeout == 0) return;
  CurrentEventSource().Wait(timeout);
}

LRESULT DispatchMessage(const TMsg& msg) {
  return CallWindow(msg.hwnd, msg.message, msg.wParam, msg.lParam);
}

LRESULT DefWindowProc(HWND, UINT, WPARAM, LPARAM) { return 0; }

}  // namespace host
