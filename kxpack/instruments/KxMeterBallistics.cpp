#include "kxpack/instruments/KxMeterBallistics.h"

#include <algorithm>
#include <cmath>

#include "host/classes/ClassRegistry.h"
#include "host/threads/Clock.h"

namespace kx {

using namespace host;

namespace {

// The nearest Integer to a level.
Integer Rounded(double Level) { return SaturateToInt32(std::llround(Level)); }

}  // namespace

TKxMeterBallistics::TKxMeterBallistics(TComponent* AOwner) : TKxComponent(AOwner) {
  FTimer = std::make_unique<TTimer>(nullptr);
  FTimer->SetEnabled(false);
  FTimer->SetOnTimer(TNotifyEvent(this, &TKxMeterBallistics::TimerTick));
  UpdateTimer();
}

TKxMeterBallistics::~TKxMeterBallistics() { FTimer.reset(); }

void TKxMeterBallistics::SetTargetOf(TControl*& Field, TKxLevelTarget*& Meter, TControl* Value) {
  if (Value == Field) return;
  auto* meter = dynamic_cast<TKxLevelTarget*>(Value);
  if (Value && !meter) return;
  // Both targets may be the same meter (two bars of one viewer): only a
  // control neither holds any more stops telling this one it goes.
  const TControl* other = &Field == &FTarget ? FPeakTarget : FTarget;
  if (Field && Field != other) Field->RemoveFreeNotification(this);
  Field = Value;
  Meter = meter;
  // A target let go may be one being freed: nothing is sent then.
  if (!Value) return;
  Value->FreeNotification(this);
  Send();
}

void TKxMeterBallistics::SetTargetBar(Integer Value) {
  FTargetBar = Value;
  Send();
}

void TKxMeterBallistics::SetPeakTargetBar(Integer Value) {
  FPeakTargetBar = Value;
  Send();
}

Integer TKxMeterBallistics::Position() const { return Rounded(FLevel); }

void TKxMeterBallistics::SetPosition(Integer Value) {
  FLevel = Value;
  Send();
}

Integer TKxMeterBallistics::Peak() const { return Rounded(FPeak); }

void TKxMeterBallistics::SetPeak(Integer Value) {
  FPeak = Value;
  FHoldLeft = FPeakHoldTime;
  Send();
}

void TKxMeterBallistics::SetInterval(Integer Value) {
  if (Value == FInterval) return;
  FInterval = Value;
  UpdateTimer();
}

void TKxMeterBallistics::SetActive(bool Value) {
  if (Value == FActive) return;
  FActive = Value;
  UpdateTimer();
}

void TKxMeterBallistics::Loaded() {
  inherited::Loaded();
  UpdateTimer();
}

void TKxMeterBallistics::UpdateTimer() {
  const TComponentState state = ComponentState();
  const bool run =
      FActive && FInterval > 0 && !state.Contains(csDesigning) && !state.Contains(csLoading);
  if (run && !FTimer->Enabled()) FLastTick = TickCountMs();
  if (run) FTimer->SetInterval(static_cast<uint32_t>(FInterval));
  FTimer->SetEnabled(run);
}

void TKxMeterBallistics::TimerTick(TObject*) {
  const int64_t now = TickCountMs();
  const int64_t elapsed = std::max<int64_t>(now - FLastTick, 0);
  FLastTick = now;
  Advance(elapsed);
}

void TKxMeterBallistics::Range(int64_t& Min, int64_t& Max) const {
  const TKxLevelTarget* meter = FTargetMeter ? FTargetMeter : FPeakMeter;
  Min = meter ? meter->LevelMin() : 0;
  Max = meter ? meter->LevelMax() : 100;
  if (Max <= Min) Max = Min + 1;
}

void TKxMeterBallistics::Advance(int64_t Elapsed) {
  int64_t lo, hi;
  Range(lo, hi);
  const double span = static_cast<double>(hi - lo);
  const double value = static_cast<double>(std::clamp<int64_t>(Value(), lo, hi));
  FLevel = std::clamp(FLevel, static_cast<double>(lo), static_cast<double>(hi));
  const double ms = static_cast<double>(Elapsed);
  if (value > FLevel)
    FLevel = FAttackTime == 0 ? value : std::min(value, FLevel + span * ms / FAttackTime);
  else if (value < FLevel)
    FLevel = FReleaseTime == 0 ? value : std::max(value, FLevel - span * ms / FReleaseTime);

  if (FLevel >= FPeak) {
    FPeak = FLevel;
    FHoldLeft = FPeakHoldTime;
  } else {
    // The hold uses up the time first; what is left of it, the peak falls.
    const int64_t held = std::min(FHoldLeft, Elapsed);
    FHoldLeft -= held;
    const double falling = static_cast<double>(Elapsed - held);
    if (falling > 0)
      FPeak = FPeakFallRate == 0
                  ? FLevel
                  : std::max(FLevel, FPeak - span * FPeakFallRate / 100.0 * falling / 1000.0);
  }
  Send();
}

void TKxMeterBallistics::Send() {
  if (FTargetMeter) FTargetMeter->SetLevel(FTargetBar, Position());
  if (FPeakMeter) FPeakMeter->SetLevel(FPeakTargetBar, Peak());
}

const TPublished& TKxMeterBallistics::PublishedProperties() {
  using T = TKxMeterBallistics;
  static const TPublished table =
      Publish<T>()
          .Component("Target", &T::Target, &T::SetTarget)
          .Int("TargetBar", &T::TargetBar, &T::SetTargetBar, 0)
          .Component("PeakTarget", &T::PeakTarget, &T::SetPeakTarget)
          .Int("PeakTargetBar", &T::PeakTargetBar, &T::SetPeakTargetBar, 0)
          .Int("AttackTime", &T::AttackTime, &T::SetAttackTime, kDefaultAttackTime)
          .Int("ReleaseTime", &T::ReleaseTime, &T::SetReleaseTime, kDefaultReleaseTime)
          .Int("PeakHoldTime", &T::PeakHoldTime, &T::SetPeakHoldTime, kDefaultPeakHoldTime)
          .Int("PeakFallRate", &T::PeakFallRate, &T::SetPeakFallRate, kDefaultPeakFallRate)
          .Int("Interval", &T::Interval, &T::SetInterval, kDefaultInterval)
          .Bool("Active", &T::Active, &T::SetActive, true)
          .Int("Value", &T::Value, &T::SetValue, 0)
          // What the ballistics show now: read and set by the program, not saved.
          .Int("Position", &T::Position, &T::SetPosition)
          .NotStored()
          .Int("Peak", &T::Peak, &T::SetPeak)
          .NotStored();
  return table;
}

// Form files may name the ballistics.
const bool kMeterBallisticsRegistered = (RegisterClass<TKxMeterBallistics>(), true);

}  // namespace kx
