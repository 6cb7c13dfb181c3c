#pragma once
// TKxMeterBallistics: a non-visual component between a program's raw levels
// and a level meter (a three-zone LED bar, or one bar of a mix viewer). The
// program sets Value as often as it likes; on each tick of its timer the
// shown level rises toward Value at the attack speed and falls at the
// release speed, and the highest shown level is held as Peak for the hold
// time, then falls at the peak fall rate. Position goes to Target, Peak to
// PeakTarget (for example a second bar that shows only the peak).
//
// Speeds are relative to the target's range (0 to 100 without a target):
// AttackTime and ReleaseTime are the milliseconds a rise or fall across the
// whole range takes (0: at once), PeakFallRate the per cent of the range the
// peak falls per second (0: down to the level at once when the hold ends).
#include <atomic>
#include <memory>

#include "host/controls/Controls.h"
#include "host/controls/Timer.h"
#include "kxpack/foundations/KxControls.h"
#include "kxpack/foundations/KxLevelTarget.h"

namespace kx {

class TKxMeterBallistics : public TKxComponent {
  HOST_CLASS(TKxMeterBallistics, TKxComponent)
 public:
  explicit TKxMeterBallistics(TComponent* AOwner);
  ~TKxMeterBallistics() override;

  static constexpr Integer kDefaultAttackTime = 10;
  static constexpr Integer kDefaultReleaseTime = 1500;
  static constexpr Integer kDefaultPeakHoldTime = 1000;
  static constexpr Integer kDefaultPeakFallRate = 50;
  static constexpr Integer kDefaultInterval = 20;

  static const TPublished& PublishedProperties();

  // A level meter (a control that is a level target), or nil; any other
  // control is ignored. A target that is freed is let go.
  host::TControl* Target() const { return FTarget; }
  void SetTarget(host::TControl* Value) { SetTargetOf(FTarget, FTargetMeter, Value); }
  // The bar of a mix viewer the level goes to (0 = leftmost); a meter with
  // one level ignores it.
  Integer TargetBar() const { return FTargetBar; }
  void SetTargetBar(Integer Value);
  host::TControl* PeakTarget() const { return FPeakTarget; }
  void SetPeakTarget(host::TControl* Value) { SetTargetOf(FPeakTarget, FPeakMeter, Value); }
  Integer PeakTargetBar() const { return FPeakTargetBar; }
  void SetPeakTargetBar(Integer Value);
  // The raw level, in the target's units. Any thread may set it (a worker
  // that measures the levels); the ticks read it on the main thread.
  Integer Value() const { return FValue.load(std::memory_order_relaxed); }
  void SetValue(Integer Value) { FValue.store(Value, std::memory_order_relaxed); }
  // The level shown now; setting it moves the shown level there at once.
  Integer Position() const;
  void SetPosition(Integer Value);
  // The held peak; setting it holds that peak from now.
  Integer Peak() const;
  void SetPeak(Integer Value);
  // Negative times count as 0.
  Integer AttackTime() const { return FAttackTime; }
  void SetAttackTime(Integer Value) { FAttackTime = Value > 0 ? Value : 0; }
  Integer ReleaseTime() const { return FReleaseTime; }
  void SetReleaseTime(Integer Value) { FReleaseTime = Value > 0 ? Value : 0; }
  Integer PeakHoldTime() const { return FPeakHoldTime; }
  void SetPeakHoldTime(Integer Value) { FPeakHoldTime = Value > 0 ? Value : 0; }
  Integer PeakFallRate() const { return FPeakFallRate; }
  void SetPeakFallRate(Integer Value) { FPeakFallRate = Value > 0 ? Value : 0; }
  // Milliseconds between ticks; 0 or less stops the ticks.
  Integer Interval() const { return FInterval; }
  void SetInterval(Integer Value);
  // Ticks run while Active, outside the designer, once the component is read.
  bool Active() const { return FActive; }
  void SetActive(bool Value);

  // One tick: Elapsed milliseconds of ballistics, then the levels to the
  // targets. The timer calls it with the time since the last tick.
  void Advance(int64_t Elapsed);

  void Loaded() override;

 private:
  void SetTargetOf(host::TControl*& Field, TKxLevelTarget*& Meter, host::TControl* Value);
  void TimerTick(TObject* Sender);
  void UpdateTimer();
  void Send();
  // The range of the levels: the target's, else the peak target's, else 0
  // to 100; its width is at least 1.
  void Range(int64_t& Min, int64_t& Max) const;

  host::TControl* FTarget = nullptr;
  TKxLevelTarget* FTargetMeter = nullptr;
  Integer FTargetBar = 0;
  host::TControl* FPeakTarget = nullptr;
  TKxLevelTarget* FPeakMeter = nullptr;
  Integer FPeakTargetBar = 0;
  std::atomic<Integer> FValue{0};
  Integer FAttackTime = kDefaultAttackTime;
  Integer FReleaseTime = kDefaultReleaseTime;
  Integer FPeakHoldTime = kDefaultPeakHoldTime;
  Integer FPeakFallRate = kDefaultPeakFallRate;
  Integer FInterval = kDefaultInterval;
  bool FActive = true;
  // The shown level and the peak, in the target's units, with the fraction
  // that the next ticks build on.
  double FLevel = 0;
  double FPeak = 0;
  // Milliseconds the peak is still held.
  int64_t FHoldLeft = 0;
  int64_t FLastTick = 0;
  std::unique_ptr<host::TTimer> FTimer;
};

}  // namespace kx
