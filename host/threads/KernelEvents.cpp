#include "host/threads/KernelEvents.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <utility>

#include "host/threads/Clock.h"
#include "host/threads/MessageLoop.h"
#include "host/threads/Threads.h"

namespace host {

// An event object. Handles are numbers looked up in a table, so a stale or
// foreign handle is reported as an error instead of touching freed memory.
struct KernelObject {
  explicit KernelObject(bool manual, bool signalled) : manual_reset(manual), state(signalled) {}
  const bool manual_reset;
  std::mutex mutex;
  std::condition_variable signalled;
  bool state;
  int waiters = 0;           // threads blocked on it
  int released_waiters = 0;  // of those, released by SetEvent and not yet awake
};

namespace {

struct HandleTable {
  std::mutex mutex;
  std::unordered_map<uintptr_t, std::shared_ptr<KernelObject>> objects;
  uintptr_t next = 1;
};

HandleTable& Table() {
  static auto* table = new HandleTable;  // outlives static destruction
  return *table;
}

std::shared_ptr<KernelObject> Lookup(HANDLE handle) {
  HandleTable& table = Table();
  std::lock_guard lock(table.mutex);
  auto it = table.objects.find(reinterpret_cast<uintptr_t>(handle));
  return it == table.objects.end() ? nullptr : it->second;
}

// Takes the signal if the event has one; an auto-reset event gives it up.
bool TakeSignal(KernelObject& event) {
  if (!event.state) return false;
  if (!event.manual_reset) event.state = false;
  return true;
}

// A thread blocked in a timed wait, listed so that a clock jump can wake it.
struct TimedWait {
  std::shared_ptr<KernelObject> event;
  int64_t deadline;
  bool released = false;  // its time-out passed and the activity was counted for it
};

// Worker activity: waits released and not yet back at a wait.
struct Activity {
  std::mutex mutex;
  std::vector<TimedWait*> timed;
  int active = 0;
};

Activity& Activities() {
  static auto* activity = new Activity;  // outlives static destruction
  return *activity;
}

thread_local bool t_active = false;  // this thread holds one unit of Activity::active
thread_local bool t_waited = true;   // this thread has waited since TakeWaitedMark

void BeginActivity() {
  Activity& a = Activities();
  std::lock_guard lock(a.mutex);
  ++a.active;
}

// The thread that was released now holds the unit counted for it.
void TakeActivity() { t_active = true; }

void DropActivity() {
  Activity& a = Activities();
  bool settled;
  {
    std::lock_guard lock(a.mutex);
    settled = --a.active == 0;
  }
  if (settled) WakeMainThread();  // a driver may be waiting for this
}

}  // namespace

void CountReleasedWorker() { BeginActivity(); }

void AdoptReleasedWorker() { TakeActivity(); }

bool EndWorkerActivity() {
  if (!t_active) return false;
  t_active = false;
  DropActivity();
  return true;
}

bool TakeWaitedMark() { return std::exchange(t_waited, false); }

bool WorkersSettled() {
  Activity& a = Activities();
  std::lock_guard lock(a.mutex);
  return a.active == 0;
}

int64_t NextWaitDeadline() {
  Activity& a = Activities();
  std::lock_guard lock(a.mutex);
  int64_t next = -1;
  for (const TimedWait* w : a.timed)
    if (!w->released && (next < 0 || w->deadline < next)) next = w->deadline;
  return next;
}

void WakeDueWaits() {
  const int64_t now = TickCountMs();
  std::vector<std::shared_ptr<KernelObject>> due;
  {
    Activity& a = Activities();
    std::lock_guard lock(a.mutex);
    for (TimedWait* w : a.timed) {
      if (w->released || w->deadline > now) continue;
      w->released = true;
      ++a.active;
      due.push_back(w->event);
    }
  }
  for (const auto& event : due) {
    std::lock_guard lock(event->mutex);
    event->signalled.notify_all();
  }
}

HANDLE CreateEvent(bool manualReset, bool initialState) {
  HandleTable& table = Table();
  std::lock_guard lock(table.mutex);
  const uintptr_t id = table.next++;
  table.objects.emplace(id, std::make_shared<KernelObject>(manualReset, initialState));
  return reinterpret_cast<HANDLE>(id);
}

bool SetEvent(HANDLE handle) {
  auto event = Lookup(handle);
  if (!event) return false;
  std::lock_guard lock(event->mutex);
  // The blocked waiters this signal releases count as activity until they
  // wait again: one for an auto-reset event, all for a manual-reset one.
  const int blocked = event->waiters - event->released_waiters;
  const int released = event->state ? 0 : event->manual_reset ? blocked : std::min(blocked, 1);
  for (int i = 0; i < released; ++i) BeginActivity();
  event->released_waiters += released;
  event->state = true;
  if (event->manual_reset)
    event->signalled.notify_all();
  else
    event->signalled.notify_one();
  return true;
}

bool ResetEvent(HANDLE handle) {
  auto event = Lookup(handle);
  if (!event) return false;
  std::lock_guard lock(event->mutex);
  event->state = false;
  // Waiters the signal had released but that never took it stay blocked.
  for (; event->released_waiters > 0; --event->released_waiters) DropActivity();
  return true;
}

DWORD WaitForSingleObject(HANDLE handle, DWORD timeoutMs) {
  auto event = Lookup(handle);
  if (!event) return WAIT_FAILED;
  SafePointWait safe_point;
  std::unique_lock lock(event->mutex);
  auto takeSignal = [&] {
    if (!TakeSignal(*event)) return false;
    if (event->released_waiters > 0) {
      --event->released_waiters;
      if (t_active)
        DropActivity();  // this thread was running anyway
      else
        TakeActivity();
    }
    return true;
  };
  if (takeSignal()) return WAIT_OBJECT_0;
  if (timeoutMs == 0) return WAIT_TIMEOUT;
  t_waited = true;
  ++event->waiters;
  DWORD result = WAIT_OBJECT_0;
  if (timeoutMs == INFINITE) {
    EndWorkerActivity();  // this thread has reached its next wait
    event->signalled.wait(lock, takeSignal);
  } else {
    TimedWait wait{event, TickCountMs() + timeoutMs};
    Activity& a = Activities();
    {
      std::lock_guard activity_lock(a.mutex);
      a.timed.push_back(&wait);
    }
    // Listed first, so that whoever moves the clock knows of this wait.
    EndWorkerActivity();
    // The clock may be a manual one that stands still in real time: wait for
    // the remaining time, then look at the clock again; a jump of the clock
    // wakes the wait early (WakeDueWaits).
    for (;;) {
      if (takeSignal()) break;
      const int64_t remaining = wait.deadline - TickCountMs();
      if (remaining <= 0) {
        result = WAIT_TIMEOUT;
        break;
      }
      event->signalled.wait_for(lock, std::chrono::milliseconds(remaining));
    }
    bool counted_twice;
    {
      std::lock_guard activity_lock(a.mutex);
      std::erase(a.timed, &wait);
      counted_twice = wait.released && t_active;
      if (wait.released && !t_active) TakeActivity();
    }
    if (counted_twice) DropActivity();  // released by the clock and by a signal
  }
  --event->waiters;
  return result;
}

bool CloseHandle(HANDLE handle) {
  HandleTable& table = Table();
  std::lock_guard lock(table.mutex);
  return table.objects.erase(reinterpret_cast<uintptr_t>(handle)) != 0;
}

}  // namespace host
