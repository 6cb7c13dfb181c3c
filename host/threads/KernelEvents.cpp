#include "host/threads/KernelEvents.h"

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <unordered_map>

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

}  // namespace

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
  return true;
}

DWORD WaitForSingleObject(HANDLE handle, DWORD timeoutMs) {
  auto event = Lookup(handle);
  if (!event) return WAIT_FAILED;
  SafePointWait safe_point;
  std::unique_lock lock(event->mutex);
  auto signalled = [&] { return TakeSignal(*event); };
  if (timeoutMs == INFINITE) {
    event->signalled.wait(lock, signalled);
    return WAIT_OBJECT_0;
  }
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  return event->signalled.wait_until(lock, deadline, signalled) ? WAIT_OBJECT_0 : WAIT_TIMEOUT;
}

bool CloseHandle(HANDLE handle) {
  HandleTable& table = Table();
  std::lock_guard lock(table.mutex);
  return table.objects.erase(reinterpret_cast<uintptr_t>(handle)) != 0;
}

}  // namespace host
