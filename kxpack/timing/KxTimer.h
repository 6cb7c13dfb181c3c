#pragma once
// TKxTimer: a non-visual component that fires OnTimer every Interval
// milliseconds, from one of two sources chosen by TimerType — a worker thread
// (TKxTimerThread) that waits on an event with the interval as time-out, or a
// system timer on a hidden window. The worker hands each tick to the main
// thread (SyncEvent True) or runs it itself (SyncEvent False).
//
// Threads. Setters, UpdateTimer and destruction belong to the main thread.
// The worker reads Enabled, SyncEvent and the handler without waiting for
// the main thread (atomics and a short lock), so a change takes effect at a
// following tick. A handler that runs on the worker must not change Enabled,
// Interval, TimerType or Priority: their setters suspend or wait for the
// worker, which would then wait for itself.
#include <atomic>
#include <cstdint>
#include <mutex>

#include "host/threads/KernelEvents.h"
#include "host/threads/Threads.h"
#include "kxpack/foundations/KxControls.h"
#include "kxpack/foundations/KxTypes.h"

namespace kx {

using host::TThreadPriority;

class TKxTimer;

// The worker of the thread source: each time-out of its wait is a tick.
// Created suspended; freed with Free(), which waits for Execute to return.
class TKxTimerThread : public host::TThread {
  HOST_CLASS(TKxTimerThread, host::TThread)
 public:
  static constexpr uint32_t kInitialInterval = 1000;

  // CreateSuspended is `not start`; the timer always passes start = false.
  TKxTimerThread(TKxTimer* Timer, bool Start);

  // Milliseconds the next wait lasts. Set while the worker is suspended.
  uint32_t Interval() const { return FInterval; }
  void SetInterval(uint32_t Value) { FInterval = Value; }

  // Lets the worker go and ends it at once: undoes its suspension,
  // terminates it and cuts a pending wait short.
  void Reset();

 protected:
  ~TKxTimerThread() override;
  void Execute() override;

 private:
  TKxTimer* FTimer;
  host::HANDLE FEvent;
  std::atomic<uint32_t> FInterval{kInitialInterval};
};

class TKxTimer : public TKxComponent, public TKxAbout {
  HOST_CLASS(TKxTimer, TKxComponent)
 public:
  explicit TKxTimer(TComponent* AOwner);
  ~TKxTimer() override;
  static const TPublished& PublishedProperties();

  // A new timer's values; the published defaults.
  static constexpr bool kDefaultEnabled = true;
  static constexpr uint32_t kDefaultInterval = 1000;
  static constexpr bool kDefaultSyncEvent = true;
  static constexpr TKxTimerType kDefaultTimerType = ttThread;
  static constexpr TThreadPriority kDefaultPriority = host::tpNormal;

  bool Enabled() const { return FEnabled; }
  // False → True brings the source in line; True → False only mutes it:
  // the source keeps running and its ticks are dropped.
  void SetEnabled(bool Value);
  // Milliseconds between ticks; 0 gives none. The whole Cardinal range is
  // honoured: 4294967295 waits as long as the platform allows.
  uint32_t Interval() const { return FInterval; }
  void SetInterval(uint32_t Value);
  // Thread source only: deliver ticks on the main thread. Read by the worker
  // at each tick.
  bool SyncEvent() const { return FSyncEvent; }
  void SetSyncEvent(bool Value) { FSyncEvent = Value; }
  // Changing it destroys the current source; the new one is made by the
  // next UpdateTimer (at once when Enabled).
  TKxTimerType TimerType() const { return FTimerType; }
  void SetTimerType(TKxTimerType Value);
  TThreadPriority Priority() const { return FPriority; }
  void SetPriority(TThreadPriority Value);
  host::TNotifyEvent OnTimer() const;
  // Starts nothing by itself; the source is brought in line by Loaded, by
  // Enabled going to True, or by a change of Interval or TimerType.
  void SetOnTimer(host::TNotifyEvent Value);

  // A timer read from a form starts here.
  void Loaded() override;
  // Brings the source in line with the properties: creates it when missing,
  // runs it when Interval > 0, Enabled and OnTimer are all set, and leaves
  // it idle otherwise. Nothing at design time. Raises EOutOfResources
  // "No timer resources left." when the system timer cannot be set.
  void UpdateTimer();

 protected:
  // One tick: calls OnTimer when Enabled; an exception from the handler goes
  // to Application.HandleException on the main thread and the ticks go on.
  virtual void Timer();

 private:
  friend class TKxTimerThread;
  void CreateTimer();
  void DestroyTimer();
  void WndProc(host::TMessage& Message);

  std::atomic<bool> FEnabled{kDefaultEnabled};
  uint32_t FInterval = kDefaultInterval;
  host::TNotifyEvent FOnTimer;
  mutable std::mutex FOnTimerLock;  // the worker copies FOnTimer under it
  host::HWND FWindowHandle = nullptr;
  std::atomic<bool> FSyncEvent{kDefaultSyncEvent};
  TKxTimerType FTimerType = kDefaultTimerType;
  TKxTimerThread* FThread = nullptr;
  TThreadPriority FPriority = kDefaultPriority;
  bool FTimerCreated = false;
};

}  // namespace kx
