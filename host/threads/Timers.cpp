#include "host/threads/Timers.h"

#include <algorithm>
#include <mutex>
#include <vector>

#include "host/threads/Clock.h"
#include "host/threads/MessageLoop.h"

namespace host {

namespace {

struct Timer {
  HWND hwnd;
  UINT_PTR id;
  int64_t period_ms;
  int64_t due_ms;
};

struct TimerTable {
  std::mutex mutex;
  std::vector<Timer> timers;
  int limit = 10000;

  std::vector<Timer>::iterator Find(HWND hwnd, UINT_PTR id) {
    return std::find_if(timers.begin(), timers.end(),
                        [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; });
  }
};

TimerTable& Table() {
  static auto* table = new TimerTable;  // outlives static destruction
  return *table;
}

}  // namespace

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, uint32_t elapseMs) {
  if (!hwnd) return 0;
  const int64_t period = std::clamp(elapseMs, USER_TIMER_MINIMUM, USER_TIMER_MAXIMUM);
  const int64_t due = TickCountMs() + period;
  TimerTable& table = Table();
  {
    std::lock_guard lock(table.mutex);
    auto it = table.Find(hwnd, id);
    if (it != table.timers.end()) {
      it->period_ms = period;
      it->due_ms = due;
    } else {
      if (static_cast<int>(table.timers.size()) >= table.limit) return 0;
      table.timers.push_back({hwnd, id, period, due});
    }
  }
  // A loop asleep until a later deadline must look again.
  WakeMainThread();
  return id != 0 ? id : 1;
}

bool KillTimer(HWND hwnd, UINT_PTR id) {
  TimerTable& table = Table();
  std::lock_guard lock(table.mutex);
  auto it = table.Find(hwnd, id);
  if (it == table.timers.end()) return false;
  table.timers.erase(it);
  return true;
}

void SetTimerLimit(int limit) {
  TimerTable& table = Table();
  std::lock_guard lock(table.mutex);
  table.limit = std::max(limit, 0);
}

int TimerLimit() {
  TimerTable& table = Table();
  std::lock_guard lock(table.mutex);
  return table.limit;
}

int TimerCount() {
  TimerTable& table = Table();
  std::lock_guard lock(table.mutex);
  return static_cast<int>(table.timers.size());
}

bool TakeDueTimer(int64_t nowMs, TMsg& msg, bool remove) {
  TimerTable& table = Table();
  std::lock_guard lock(table.mutex);
  auto it = std::min_element(table.timers.begin(), table.timers.end(),
                             [](const Timer& a, const Timer& b) { return a.due_ms < b.due_ms; });
  if (it == table.timers.end() || it->due_ms > nowMs) return false;
  msg = TMsg{};
  msg.hwnd = it->hwnd;
  msg.message = WM_TIMER;
  msg.wParam = it->id;
  msg.time = static_cast<uint32_t>(nowMs);
  if (remove) {
    // Missed periods are dropped: the next tick is a period after the one
    // that was due, or after now when the loop was later than that.
    it->due_ms += it->period_ms;
    if (it->due_ms <= nowMs) it->due_ms = nowMs + it->period_ms;
  }
  return true;
}

int64_t MsUntilNextTimer(int64_t nowMs) {
  TimerTable& table = Table();
  std::lock_guard lock(table.mutex);
  if (table.timers.empty()) return -1;
  int64_t due = table.timers.front().due_ms;
  for (const Timer& t : table.timers) due = std::min(due, t.due_ms);
  return std::max<int64_t>(due - nowMs, 0);
}

void KillWindowTimers(HWND hwnd) {
  TimerTable& table = Table();
  std::lock_guard lock(table.mutex);
  std::erase_if(table.timers, [&](const Timer& t) { return t.hwnd == hwnd; });
}

}  // namespace host
