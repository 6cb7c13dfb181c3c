#include "host/controls/Timer.h"

#include "host/base/SysUtils.h"
#include "host/classes/ClassRegistry.h"
#include "host/controls/Forms.h"
#include "host/threads/Timers.h"
#include "host/threads/UtilityWindow.h"

namespace host {

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) {
  FWindowHandle = AllocateHWnd([this](TMessage& m) {
    if (m.Msg != WM_TIMER) return;
    try {
      Timer();
    } catch (...) {
      Application->HandleException(this);
    }
  });
}

TTimer::~TTimer() {
  FEnabled = false;
  UpdateTimer();
  DeallocateHWnd(FWindowHandle);
}

void TTimer::UpdateTimer() {
  if (FRunning) KillTimer(FWindowHandle, 1);
  FRunning = false;
  if (ComponentState().Contains(csLoading)) return;
  if (FInterval == 0 || !FEnabled || !FOnTimer) return;
  if (SetTimer(FWindowHandle, 1, FInterval) == 0)
    throw EOutOfResources("Not enough timers available");
  FRunning = true;
}

void TTimer::SetEnabled(bool v) {
  if (v == FEnabled) return;
  FEnabled = v;
  UpdateTimer();
}

void TTimer::SetInterval(uint32_t v) {
  if (v == FInterval) return;
  FInterval = v;
  UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent v) {
  FOnTimer = std::move(v);
  UpdateTimer();
}

void TTimer::Loaded() {
  inherited::Loaded();
  UpdateTimer();
}

void TTimer::Timer() {
  if (FOnTimer) FOnTimer(this);
}

const TPublished& TTimer::PublishedProperties() {
  using T = TTimer;
  static const TPublished table =
      Publish<T>()
          .Bool("Enabled", &T::Enabled, &T::SetEnabled, true)
          .Card("Interval", &T::Interval, &T::SetInterval, kDefaultInterval)
          .Event("OnTimer", &T::FOnTimer);
  return table;
}

const bool kTimerRegistered = (RegisterClass<TTimer>(), true);

}  // namespace host
