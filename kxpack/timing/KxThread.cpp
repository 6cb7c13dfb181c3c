#include "kxpack/timing/KxThread.h"

#include <thread>

#include "host/classes/ClassRegistry.h"
#include "host/controls/Forms.h"
#include "host/threads/KernelEvents.h"
#include "kxpack/timing/KxGuardedCall.h"

namespace kx {

using namespace host;

// --- TKxSystemThread ---------------------------------------------------------------

TKxSystemThread::TKxSystemThread(TKxThread* OwnerThread, bool Start) : FOwnerThread(OwnerThread) {
  if (Start) this->Start();
}

TNotifyEvent TKxSystemThread::Callback() const {
  std::lock_guard lock(FCallbackLock);
  return FCallback;
}

void TKxSystemThread::SetCallback(TNotifyEvent Value) {
  std::lock_guard lock(FCallbackLock);
  FCallback = std::move(Value);
}

void TKxSystemThread::CallExecute() {
  if (const TNotifyEvent callback = Callback()) callback(this);
}

void TKxSystemThread::Execute() {
  // The component lives until this loop has ended, even when a call frees
  // it: its destructor waits for Execute, or, inside the call, terminates
  // this thread, so the loop reads nothing of it again.
  //
  // Off the main thread the loop never reaches a wait: it tells whoever
  // drives the clock (a scripted session) not to wait for it. Through
  // Synchronize it counts as waiting while its call is queued.
  while (!Terminated()) {
    if (!FOwnerThread->Enabled() || Application->Terminated()) {
      // Nothing to call until the suspension or the end comes.
      EndWorkerActivity();
      std::this_thread::yield();
    } else if (FOwnerThread->SyncEvent()) {
      Synchronize([this] { CallExecute(); });
    } else {
      EndWorkerActivity();
      CallExecute();
    }
  }
}

// --- TKxThread -----------------------------------------------------------------------

TKxThread::TKxThread(TComponent* AOwner)
    : TKxComponent(AOwner), FSystemThread(new TKxSystemThread(this, false)) {
  FSystemThread->SetCallback(TNotifyEvent(this, &TKxThread::ExecuteEvent));
}

TKxThread::~TKxThread() {
  FSystemThread->SetCallback(nullptr);
  while (FSystemThread->Suspended()) FSystemThread->Resume();
  FSystemThread->Terminate();
  FreeAndNil(FSystemThread);
}

void TKxThread::SetEnabled(bool Value) {
  if (Value == FEnabled) return;
  FEnabled = Value;
  UpdateThreadParams();
}

void TKxThread::SetPriority(TThreadPriority Value) {
  if (Value == FPriority) return;
  FPriority = Value;
  UpdateThreadParams();
}

TNotifyEvent TKxThread::OnExecute() const {
  std::lock_guard lock(FOnExecuteLock);
  return FOnExecute;
}

void TKxThread::SetOnExecute(TNotifyEvent Value) {
  std::lock_guard lock(FOnExecuteLock);
  FOnExecute = std::move(Value);
}

void TKxThread::Loaded() {
  inherited::Loaded();
  UpdateThreadParams();
}

void TKxThread::UpdateThreadParams() {
  if (ComponentState().Contains(csDesigning)) return;
  if (!FSystemThread->Suspended()) FSystemThread->Suspend();
  if (!FEnabled) return;
  FSystemThread->SetPriority(FPriority);
  while (FSystemThread->Suspended()) FSystemThread->Resume();
}

void TKxThread::ExecuteEvent(TObject*) {
  if (!FEnabled) return;
  // A copy: the handler may free this component.
  const TNotifyEvent handler = OnExecute();
  if (handler) CallGuarded(handler, this);
}

const TPublished& TKxThread::PublishedProperties() {
  using T = TKxThread;
  static const TPublished table = [] {
    TPublishBuilder<T> b = Publish<T>();
    PublishAbout(b)
        .Bool("Enabled", &T::Enabled, &T::SetEnabled, kDefaultEnabled)
        .Enum("Priority", &T::Priority, &T::SetPriority, kDefaultPriority)
        .Bool("SyncEvent", &T::SyncEvent, &T::SetSyncEvent, kDefaultSyncEvent)
        .Event("OnExecute", &T::FOnExecute);
    return TPublished(b);
  }();
  return table;
}

namespace {
const bool kRegistered = (RegisterClass<TKxThread>(), true);
}  // namespace

}  // namespace kx
