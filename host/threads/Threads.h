#pragma once
// Worker threads in the host's manner, on std::thread.
//
// Suspension. Suspend does not stop a thread at an arbitrary instruction: the
// thread pauses at its next safe point, and Suspend called from another
// thread returns only once it is there (or waiting at one), so afterwards the
// thread runs none of its own code until it is resumed. The safe points are
// the host's waits (WaitForSingleObject), Synchronize (before the call is
// queued, while it waits, and after it returns) and Terminated() called by
// the thread itself. A thread running long without reaching one delays the
// Suspend that waits for it.
//
// Synchronize runs a call on the main thread while the worker waits; the main
// thread serves such calls in its message loop (CheckSynchronize) and, while
// it waits for a thread (WaitFor, Free), that thread's own calls, so a call
// in flight completes even when the thread is being destroyed — and no other
// thread's call runs in the middle of a destructor.
//
// Lifetime. A thread is created suspended and runs Execute once Start (or
// enough Resume calls) lets it go; a class whose threads should run at once
// calls Start at the end of its own constructor (TThread's constructor
// cannot: Execute could run before the derived part exists). Free() (or
// FreeAndNil) stops a thread: Terminate, undo any suspension, wait for
// Execute to return (serving synchronised calls on the main thread), then
// destroy — so Execute never sees a half-destroyed object. Do not `delete` a
// running thread: C++ would destroy the derived part before the base could
// wait for Execute.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

#include "host/base/EnumInfo.h"
#include "host/classes/Classes.h"

namespace host {

HOST_ENUM(TThreadPriority, tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical)

using TThreadMethod = std::function<void()>;

// The thread that loaded the host library: the GUI thread.
std::thread::id MainThreadID();
bool IsMainThread();

// Runs the calls that worker threads queued with Synchronize; true if any
// ran. Main thread only (EThread otherwise).
bool CheckSynchronize();
// True when a call queued for the main thread was made by a worker that
// waited on an event since its previous call (a timer's tick, say), as
// opposed to a worker handing over calls back to back.
bool WokenCallsQueued();

class TThread;

// Marks a wait of the calling thread as a safe point for as long as it lives:
// a pending suspension pauses the thread before and after the wait, and
// Suspend does not wait for a thread that is inside it. The host's waits use
// it; on a thread that is not a TThread it does nothing.
class SafePointWait {
 public:
  SafePointWait();
  ~SafePointWait();
  SafePointWait(const SafePointWait&) = delete;
  SafePointWait& operator=(const SafePointWait&) = delete;

 private:
  TThread* thread_;
};

class TThread : public TObject {
  HOST_CLASS(TThread, TObject)
 public:
  TThread();

  // Lets a thread made suspended run. EThread if it was started before.
  void Start();
  // Undoes one Suspend; the first time the count reaches 0 the thread starts.
  // Does nothing on a thread that is not suspended.
  void Resume();
  // Adds one suspension and, from another thread, waits until this thread
  // stands at a safe point; called by the thread itself it pauses there.
  void Suspend();
  bool Suspended() const;

  // Asks Execute to end; it is up to Execute to look at Terminated.
  void Terminate();
  // Called by the thread itself this is also a safe point.
  bool Terminated() const;

  // Waits until Execute has returned and gives ReturnValue. On the main
  // thread the wait serves the calls this thread synchronises. EThread where the wait could
  // never end: a thread never started, a thread waiting for itself, the main
  // thread inside a call that this thread synchronised.
  int32_t WaitFor();
  bool Finished() const;

  // The thread frees itself once Execute has returned.
  bool FreeOnTerminate() const;
  void SetFreeOnTerminate(bool value);

  // Mapped onto the OS when the thread runs: tpIdle → SCHED_IDLE, the others
  // to the process's nice value +10, +5, +0, −5, −10, −15. The OS may refuse
  // (raising priority needs privileges); that is ignored and Priority keeps
  // the value.
  TThreadPriority Priority() const;
  void SetPriority(TThreadPriority value);

  std::thread::id ThreadID() const;
  // The exception that ended Execute, if one did.
  std::exception_ptr FatalException() const;
  int32_t ReturnValue() const { return return_value_; }

  // Called on the main thread after Execute returns, with the thread as
  // sender. Set it before the thread starts.
  TNotifyEvent OnTerminate() const;
  void SetOnTerminate(TNotifyEvent value);

  // Runs method on the main thread and waits for it; on the main thread it
  // runs at once. An exception from method is raised again in the caller.
  // Any thread may call it, a TThread or not.
  static void Synchronize(const TThreadMethod& method);

  // Stops the thread (see Lifetime) and destroys it. Where waiting could
  // never end — called by the thread itself, or on the main thread inside a
  // call that this thread synchronised (a tick handler freeing its timer) —
  // it terminates the thread and lets it free itself when Execute returns.
  void Free() override;

 protected:
  ~TThread() override;

  virtual void Execute() = 0;
  // Fires OnTerminate through Synchronize.
  virtual void DoTerminate();
  void SetReturnValue(int32_t value) { return_value_ = value; }

 private:
  friend class SafePointWait;
  void Launch();
  void Run();
  void StopAndWait();
  void WaitUntilFinished();
  // At a safe point: stays here while a suspension is pending.
  void PauseWhileSuspended(std::unique_lock<std::mutex>& lock) const;
  void EnterWait();
  void LeaveWait();
  // Under mutex_: puts priority_ into effect on the running thread.
  void ApplyPriority();

  mutable std::mutex mutex_;
  mutable std::condition_variable changed_;
  std::thread thread_;
  std::thread::id id_;
  int kernel_tid_ = 0;
  int suspend_count_ = 1;
  bool started_ = false;
  int waits_ = 0;  // depth of SafePointWait scopes the thread is in
  mutable bool paused_ = false;
  mutable bool resume_counted_ = false;  // Resume counted the paused thread as activity
  bool free_on_terminate_ = false;
  TThreadPriority priority_ = tpNormal;
  TNotifyEvent on_terminate_;
  std::exception_ptr fatal_;
  std::atomic<bool> terminated_{false};
  std::atomic<bool> finished_{false};
  std::atomic<int32_t> return_value_{0};
};

}  // namespace host
