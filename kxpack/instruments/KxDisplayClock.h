#pragma once
// TKxDisplayClock: a seven-segment clock on the numeric display's glyph
// strip. It shows hours and minutes, optionally seconds, separated by colon
// glyphs that can blink, and optionally an AM/PM cell; an owned timer ticks
// once a second with the wall-clock time, the time since activation, or
// (custom) never, leaving the time the program sets.
#include <memory>
#include <utility>

#include "kxpack/instruments/KxDisplay.h"
#include "kxpack/timing/KxTimer.h"

namespace kx {

class TKxDisplayClock : public TKxDisplay {
  HOST_CLASS(TKxDisplayClock, TKxDisplay)
 public:
  explicit TKxDisplayClock(TComponent* AOwner);
  ~TKxDisplayClock() override;

  static const TPublished& PublishedProperties();

  // What a new clock shows; the published defaults.
  static constexpr TKxDisplayClockType kDefaultClockType = tctElapsed;
  static constexpr TColor kDefaultLow = host::clBlack;
  static constexpr TColor kDefaultHigh = host::clWhite;

  bool Threaded() const { return FThreaded; }
  // The timer's worker-thread source when True, its system timer when False.
  void SetThreaded(bool Value);
  // The shown time. Values above the field's range are taken as its top
  // (23 or 59); a real change repaints, then fires the change event.
  TKxHoursInt Hours() const { return FHours; }
  void SetHours(TKxHoursInt Value);
  TKxMinutesInt Minutes() const { return FMinutes; }
  void SetMinutes(TKxMinutesInt Value);
  TKxSecondsInt Seconds() const { return FSeconds; }
  void SetSeconds(TKxSecondsInt Value);
  TKxDisplayClockType ClockType() const { return FClockType; }
  // Real time and elapsed zero the shown time (no events); custom stops.
  void SetClockType(TKxDisplayClockType Value);
  bool Active() const { return FActive; }
  // Starts or stops the timer; a custom clock never becomes active, and at
  // design time the timer never runs.
  void SetActive(bool Value);
  bool ShowSeconds() const { return FShowSeconds; }
  void SetShowSeconds(bool Value);
  bool Blink() const { return FBlink; }
  void SetBlink(bool Value);
  // Read at each tick: a change shows from the next one.
  bool Hours24() const { return FHours24; }
  void SetHours24(bool Value) { FHours24 = Value; }
  bool ShowTimeZone() const { return FShowTimeZone; }
  void SetShowTimeZone(bool Value);

  // The blink phase: the colons of a blinking clock show while it is True.
  bool BlinkOn() const { return FBlinkOn; }
  TKxTimer* Timer() const { return FTimer; }

  // Reloads the digit strip, the colon glyph and the AM/PM strip of the
  // current Style, each recoloured with the palette.
  void LoadBitmaps() override;
  // A real-time clock read from a form ticks once, to show the time at once.
  void Loaded() override;
  // One tick: takes the time of the mode, shows it, fires the change events.
  void OnTimerEvent(TObject* Sender);
  // Draws the AM/PM cell of Hour (0 to 23) at (X, Y) of the off-screen bitmap.
  void DrawTimeZone(Integer Hour, Integer X, Integer Y);
  // A new size or place makes the captured background of a transparent
  // clock stale: the next paint captures it again.
  void SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight) override;

  // Called with the clock and the new value.
  void SetOnHoursChanged(TKxHoursChangeEvent Value) { FOnHoursChanged = std::move(Value); }
  void SetOnMinutesChanged(TKxMinutesChangeEvent Value) { FOnMinutesChanged = std::move(Value); }
  void SetOnSecondsChanged(TKxSecondsChangeEvent Value) { FOnSecondsChanged = std::move(Value); }

 protected:
  virtual void HoursChanged();
  virtual void MinutesChanged();
  virtual void SecondsChanged();
  void Paint() override;

  TKxHoursChangeEvent FOnHoursChanged;
  TKxMinutesChangeEvent FOnMinutesChanged;
  TKxSecondsChangeEvent FOnSecondsChanged;

 private:
  // The pixel width of the row Paint draws.
  Integer RowWidth() const;
  bool ShowsTimeZone() const { return FShowTimeZone && FClockType == tctRealTime; }
  // A real-time clock's time is the wall clock's when it is read back (its
  // ClockType zeroes the time read before it, its Loaded tick sets the
  // time), so form files do not keep it.
  bool StoresTime() const { return FClockType != tctRealTime; }

  TKxHoursInt FHours = 0;
  TKxMinutesInt FMinutes = 0;
  TKxSecondsInt FSeconds = 0;
  TKxDisplayClockType FClockType = kDefaultClockType;
  bool FActive = false;
  bool FShowSeconds = true;
  bool FBlink = false;
  bool FBlinkOn = true;
  bool FThreaded = true;
  bool FHours24 = true;
  bool FShowTimeZone = false;
  Byte FRawHours = 0;
  TKxTimer* FTimer = nullptr;  // owned through the component tree
  host::TDateTime FStartTime = 0;
  std::unique_ptr<TBitmap> FSepBitmap;
  std::unique_ptr<TBitmap> FTimeZoneBitmap;
};

}  // namespace kx
