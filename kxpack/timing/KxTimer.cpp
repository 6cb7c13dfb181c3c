#include "kxpack/timing/KxTimer.h"

#include "host/base/SysUtils.h"
#include "host/classes/ClassRegistry.h"
#include "host/controls/Forms.h"
#include "host/threads/Timers.h"
#include "host/threads/UtilityWindow.h"
#include "kxpack/timing/KxGuardedCall.h"

namespace kx {

using namespace host;

// --- TKxTimerThread -----------------------------------------------------------------

TKxTimerThread::TKxTimerThread(TKxTimer* Timer, bool Start)
    : FTimer(Timer), FEvent(CreateEvent(false, false)) {
  if (Start) this->Start();
}

TKxTimerThread::~TKxTimerThread() { CloseHandle(FEvent); }

void TKxTimerThread::Reset() {
  while (Suspended()) Resume();
  Terminate();
  SetEvent(FEvent);
}

void TKxTimerThread::Execute() {
  while (!Terminated()) {
    // The interval goes to the wait as it is: a Cardinal never wraps into a
    // short or negative time-out.
    if (WaitForSingleObject(FEvent, FInterval) != WAIT_TIMEOUT) continue;
    if (Terminated() || Application->Terminated()) continue;
    // The timer lives until this loop has ended, even when a tick frees it:
    // its destructor waits for Execute, or, inside the tick, terminates this
    // thread, so nothing below runs again.
    if (FTimer->SyncEvent())
      Synchronize([this] { FTimer->Timer(); });
    else
      FTimer->Timer();
  }
}

// --- TKxTimer ---------------------------------------------------------------------------

TKxTimer::TKxTimer(TComponent* AOwner) : TKxComponent(AOwner) {}

TKxTimer::~TKxTimer() {
  FEnabled = false;
  SetOnTimer(nullptr);
  DestroyTimer();
}

void TKxTimer::SetEnabled(bool Value) {
  if (Value == FEnabled) return;
  FEnabled = Value;
  if (Value) UpdateTimer();
}

void TKxTimer::SetInterval(uint32_t Value) {
  if (Value == FInterval) return;
  FInterval = Value;
  if (FEnabled) UpdateTimer();
}

void TKxTimer::SetTimerType(TKxTimerType Value) {
  if (Value == FTimerType) return;
  DestroyTimer();
  FTimerType = Value;
  if (FEnabled) UpdateTimer();
}

void TKxTimer::SetPriority(TThreadPriority Value) {
  if (Value == FPriority) return;
  FPriority = Value;
  if (FTimerType == ttThread && FEnabled) UpdateTimer();
}

TNotifyEvent TKxTimer::OnTimer() const {
  std::lock_guard lock(FOnTimerLock);
  return FOnTimer;
}

void TKxTimer::SetOnTimer(TNotifyEvent Value) {
  std::lock_guard lock(FOnTimerLock);
  FOnTimer = std::move(Value);
}

void TKxTimer::Loaded() {
  inherited::Loaded();
  UpdateTimer();
}

void TKxTimer::CreateTimer() {
  if (FTimerType == ttSystem)
    FWindowHandle = AllocateHWnd([this](TMessage& Message) { WndProc(Message); });
  else
    FThread = new TKxTimerThread(this, false);
  FTimerCreated = true;
}

void TKxTimer::DestroyTimer() {
  if (!FTimerCreated) return;
  if (FTimerType == ttThread) {
    FThread->Reset();
    FreeAndNil(FThread);
  } else {
    KillTimer(FWindowHandle, 1);
    DeallocateHWnd(FWindowHandle);
    FWindowHandle = nullptr;
  }
  FTimerCreated = false;
}

void TKxTimer::UpdateTimer() {
  if (ComponentState().Contains(csDesigning)) return;
  if (!FTimerCreated) CreateTimer();
  const bool runs = FInterval != 0 && FEnabled && static_cast<bool>(OnTimer());
  if (FTimerType == ttThread) {
    if (!FThread->Suspended()) FThread->Suspend();
    FThread->SetInterval(FInterval);
    if (!runs) return;
    FThread->SetPriority(FPriority);
    while (FThread->Suspended()) FThread->Resume();
    return;
  }
  KillTimer(FWindowHandle, 1);
  if (runs && SetTimer(FWindowHandle, 1, FInterval) == 0)
    throw EOutOfResources("No timer resources left.");
}

void TKxTimer::WndProc(TMessage& Message) {
  // The timer identifier is not examined: the window has only the one.
  if (Message.Msg == WM_TIMER)
    Timer();
  else
    Message.Result = DefWindowProc(FWindowHandle, Message.Msg, Message.WParam, Message.LParam);
}

void TKxTimer::Timer() {
  if (!FEnabled) return;
  // A copy: the handler may free this timer.
  const TNotifyEvent handler = OnTimer();
  if (handler) CallGuarded(handler, this);
}

const TPublished& TKxTimer::PublishedProperties() {
  using T = TKxTimer;
  static const TPublished table = [] {
    TPublishBuilder<T> b = Publish<T>();
    PublishAbout(b)
        .Bool("Enabled", &T::Enabled, &T::SetEnabled, kDefaultEnabled)
        .Card("Interval", &T::Interval, &T::SetInterval, kDefaultInterval)
        .Bool("SyncEvent", &T::SyncEvent, &T::SetSyncEvent, kDefaultSyncEvent)
        .Enum("TimerType", &T::TimerType, &T::SetTimerType, kDefaultTimerType)
        .Enum("Priority", &T::Priority, &T::SetPriority, kDefaultPriority)
        .Event("OnTimer", &T::FOnTimer);
    return TPublished(b);
  }();
  return table;
}

namespace {
const bool kRegistered = (RegisterClass<TKxTimer>(), true);
}  // namespace

}  // namespace kx
