#pragma once
// TKxThread: a non-visual component that calls OnExecute over and over,
// without pause, while it is Enabled. A worker thread (TKxSystemThread)
// drives the calls: with SyncEvent True each one runs on the main thread
// through Synchronize, one after the other between the main thread's
// messages; with SyncEvent False the worker runs them itself.
//
// Threads. Setters and destruction belong to the main thread. The worker
// reads Enabled, SyncEvent and the handlers without waiting for the main
// thread (atomics and a short lock), so a change takes effect at a
// following call. A handler that runs on the worker must not change Enabled
// or Priority: their setters suspend the worker, which would then wait for
// itself.
#include <atomic>
#include <mutex>

#include "host/threads/Threads.h"
#include "kxpack/foundations/KxControls.h"

namespace kx {

class TKxThread;

// The worker: exists for the component's whole life, created suspended,
// freed with Free(), which waits for Execute to return.
class TKxSystemThread : public host::TThread {
  HOST_CLASS(TKxSystemThread, host::TThread)
 public:
  // CreateSuspended is `not start`; the component passes start = false.
  TKxSystemThread(TKxThread* OwnerThread, bool Start);

  // What each call runs, with the worker as sender.
  host::TNotifyEvent Callback() const;
  void SetCallback(host::TNotifyEvent Value);
  void CallExecute();

 protected:
  void Execute() override;

 private:
  TKxThread* FOwnerThread;
  host::TNotifyEvent FCallback;
  mutable std::mutex FCallbackLock;
};

class TKxThread : public TKxComponent, public TKxAbout {
  HOST_CLASS(TKxThread, TKxComponent)
 public:
  explicit TKxThread(TComponent* AOwner);
  ~TKxThread() override;
  static const TPublished& PublishedProperties();

  // A new component's values; the published defaults.
  static constexpr bool kDefaultEnabled = true;
  static constexpr host::TThreadPriority kDefaultPriority = host::tpNormal;
  static constexpr bool kDefaultSyncEvent = true;

  bool Enabled() const { return FEnabled; }
  // Pauses or resumes the worker. A call already under way finishes.
  void SetEnabled(bool Value);
  host::TThreadPriority Priority() const { return FPriority; }
  void SetPriority(host::TThreadPriority Value);
  // Calls run on the main thread; read by the worker before every call.
  bool SyncEvent() const { return FSyncEvent; }
  void SetSyncEvent(bool Value) { FSyncEvent = Value; }
  host::TNotifyEvent OnExecute() const;
  void SetOnExecute(host::TNotifyEvent Value);

  // A component read from a form starts here when Enabled.
  void Loaded() override;
  // Pauses the worker, then lets it run again at Priority when Enabled.
  // Nothing at design time: the worker never runs there.
  void UpdateThreadParams();

 private:
  friend class TKxSystemThread;
  // One call: OnExecute when Enabled; an exception from the handler goes to
  // Application.HandleException on the main thread and the calls go on.
  void ExecuteEvent(host::TObject* Sender);

  std::atomic<bool> FEnabled{kDefaultEnabled};
  std::atomic<bool> FSyncEvent{kDefaultSyncEvent};
  host::TThreadPriority FPriority = kDefaultPriority;
  host::TNotifyEvent FOnExecute;
  mutable std::mutex FOnExecuteLock;  // the worker copies FOnExecute under it
  TKxSystemThread* FSystemThread = nullptr;
};

}  // namespace kx
