#pragma once
// The LED-row instruments. TKxProgress is their base: a row of rectangular
// LEDs, one collection item each, with a shared look (spacing, frame style,
// plain or gradient fill). TKxScanBar is a scanner: a timer moves its one
// lit LED a step at a time, bouncing between the ends or cycling.
// TKxProgressBarColor lights its LEDs from the left in proportion to a
// Position, in three colour zones.
#include <memory>
#include <utility>

#include "kxpack/foundations/KxClasses.h"
#include "kxpack/foundations/KxControls.h"
#include "kxpack/foundations/KxLevelTarget.h"
#include "kxpack/foundations/KxTypes.h"
#include "kxpack/timing/KxTimer.h"

namespace kx {

// One LED of a row: lit or not. A real change redraws this LED alone
// through its collection.
class TKxScanBarLed : public TKxCollectionItem {
  HOST_CLASS(TKxScanBarLed, TKxCollectionItem)
 public:
  explicit TKxScanBarLed(TKxCollection* Collection) : TKxCollectionItem(Collection) {}

  bool Active() const { return FActive; }
  void SetActive(bool Value);

 private:
  bool FActive = false;
};

class TKxProgress : public TKxGraphicImageControl {
  HOST_CLASS(TKxProgress, TKxGraphicImageControl)
 public:
  explicit TKxProgress(TComponent* AOwner);
  ~TKxProgress() override;

  // The look of a new row; the published defaults.
  static constexpr Integer kDefaultSpacing = 2;
  static constexpr TKxLedStyle kDefaultStyle = tlsRaised;
  static constexpr Integer kDefaultColorWidth = 1;

  // Offers Spacing, Style, PlainColors, ColorWidth and OnChange for the
  // descendants to publish.
  static const TPublished& PublishedProperties();

  // Pixels between neighbouring LEDs; any value.
  Integer Spacing() const { return FSpacing; }
  void SetSpacing(Integer Value) { SetPaintedProp(FSpacing, Value); }
  TKxLedStyle Style() const { return FStyle; }
  void SetStyle(TKxLedStyle Value) { SetPaintedProp(FStyle, Value); }
  // A flat fill in place of the gradient to black.
  bool PlainColors() const { return FPlainColors; }
  void SetPlainColors(bool Value) { SetPaintedProp(FPlainColors, Value); }
  // Band width of the gradient fill; values below 1 are ignored.
  Integer ColorWidth() const { return FColorWidth; }
  void SetColorWidth(Integer Value);
  // Fired by Change.
  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }

  // The LEDs, one item each.
  TKxCollection* Items() const { return FItems.get(); }
  TKxScanBarLed* Led(Integer Index) const;
  // The rectangle of LED Index: the row of all items centred in the client
  // area, the pixels left over by the integer division split between both ends.
  void GetItemRect(Integer Index, TRect& Rect) const;
  // Draws LED Index on FDrawCanvas: the off-screen canvas while painting,
  // otherwise straight onto the screen — except while the control is being
  // read, has no parent or is not shown, when the next paint draws it.
  // An index with no item draws nothing.
  void UpdateLed(Integer Index);
  // UpdateLed for every item, from 0 upwards.
  void UpdateLeds();
  // What the collections report: Item alone changed (UpdateLed), or all of
  // them for nil (UpdateLeds).
  void ItemChanged(TKxCollectionItem* Item);

 protected:
  virtual void Change();
  // The unlit and the lit colour of LED Index.
  virtual void GetLedColors(Integer Index, TColor& Low, TColor& High) const = 0;
  // Clears the off-screen bitmap, draws every LED in it and puts it on the screen.
  void Paint() override;

  Integer FSpacing = kDefaultSpacing;
  TKxLedStyle FStyle = kDefaultStyle;
  bool FPlainColors = false;
  Integer FColorWidth = kDefaultColorWidth;
  TNotifyEvent FOnChange;
  std::unique_ptr<TKxCollection> FItems;
};

// --- Scan bar ------------------------------------------------------------------

class TKxScanBar;

class TKxScanBarLeds : public TKxCollection {
  HOST_CLASS(TKxScanBarLeds, TKxCollection)
 public:
  explicit TKxScanBarLeds(TKxScanBar* ScanBar) : FScanBar(ScanBar) {}

  TKxScanBarLed* GetItem(Integer Index) const {
    return static_cast<TKxScanBarLed*>(TKxCollection::GetItem(Index));
  }

 protected:
  void Update(TKxCollectionItem* Item) override;

 private:
  TKxScanBar* FScanBar;
};

class TKxScanBar : public TKxProgress, public TKxAbout {
  HOST_CLASS(TKxScanBar, TKxProgress)
 public:
  explicit TKxScanBar(TComponent* AOwner);
  ~TKxScanBar() override;

  // What a new scanner holds; the published defaults.
  static constexpr Integer kDefaultLeds = 7;
  static constexpr TKxScanDirection kDefaultDirection = tsdBoth;
  static constexpr Integer kDefaultTimeInterval = 100;

  static const TPublished& PublishedProperties();

  // The timer ticks from its worker thread (True) or a system timer.
  bool Threaded() const { return FThreaded; }
  void SetThreaded(bool Value);
  // Number of LEDs. A change rebuilds them all unlit and sets Position to −1
  // without OnChange; 0 or fewer gives an empty bar.
  Integer Leds() const { return FLeds; }
  void SetLeds(Integer Value);
  // High: the lit LED; Low: the others.
  TKxGraphPal* GraphPal() const { return FGraphPal.get(); }
  void SetGraphPal(TKxGraphPal* Value) { FGraphPal->Assign(Value); }
  // The scanner runs (never in the designer). Stopping leaves the lit LED lit.
  bool Active() const { return FActive; }
  void SetActive(bool Value);
  // Used from the next step.
  TKxScanDirection Direction() const { return FDirection; }
  void SetDirection(TKxScanDirection Value) { FDirection = Value; }
  // Milliseconds per step: the timer's Interval.
  Integer TimeInterval() const { return static_cast<Integer>(FTimer->Interval()); }
  void SetTimeInterval(Integer Value) { FTimer->SetInterval(static_cast<uint32_t>(Value)); }
  // The lit LED, −1 for none. A value other than the stored one is clamped
  // into [−1, Leds − 1], moves the lit LED (redrawing just the two LEDs)
  // and fires OnChange.
  Integer Position() const { return FPosition; }
  void SetPosition(Integer Value);
  using TKxGraphicImageControl::SetTransparent;
  using TKxGraphicImageControl::Transparent;

  // Clears the LEDs and creates Leds new ones, all unlit.
  void CreateItems();
  // Clamps Position and moves the lit LED there.
  void UpdateLedState();
  // One scanner step; the timer's OnTimer.
  void TimerEvent(TObject* Sender);
  void PaletteModified(TObject* Sender);

 protected:
  void GetLedColors(Integer Index, TColor& Low, TColor& High) const override;

 private:
  // Lights or clears LED Index, when there is one.
  void SetLedActive(Integer Index, bool Value);

  Integer FLeds = kDefaultLeds;
  std::unique_ptr<TKxGraphPal> FGraphPal;
  bool FActive = false;
  Integer FPosition = -1;
  TKxScanDirection FDirection = kDefaultDirection;
  bool FThreaded = true;
  // tsdBoth: the scan runs from right to left.
  bool FBackward = false;
  Integer FLastPosition = 0;
  TKxTimer* FTimer;
};

// --- Three-zone LED bar --------------------------------------------------------

// An LED of the level bar, with the colours of its zone.
class TKxProgressBarColorLed : public TKxScanBarLed {
  HOST_CLASS(TKxProgressBarColorLed, TKxScanBarLed)
 public:
  explicit TKxProgressBarColorLed(TKxCollection* Collection) : TKxScanBarLed(Collection) {}

  // Unlit and lit; the bar gives them when it builds its LEDs.
  TColor LowColor() const { return FLowColor; }
  TColor HighColor() const { return FHighColor; }

 private:
  friend class TKxProgressBarColor;
  TColor FLowColor = host::clGreen;
  TColor FHighColor = host::clLime;
};

class TKxProgressBarColor;

// Routes item changes to the bar: one LED, or all of them.
class TKxProgressBarColorLeds : public TKxCollection {
  HOST_CLASS(TKxProgressBarColorLeds, TKxCollection)
 public:
  explicit TKxProgressBarColorLeds(TKxProgressBarColor* Bar) : FBar(Bar) {}

  TKxProgressBarColorLed* GetItem(Integer Index) const {
    return static_cast<TKxProgressBarColorLed*>(TKxCollection::GetItem(Index));
  }

 protected:
  void Update(TKxCollectionItem* Item) override;

 private:
  TKxProgressBarColor* FBar;
};

class TKxProgressBarColor : public TKxProgress, public TKxAbout, public TKxLevelTarget {
  HOST_CLASS(TKxProgressBarColor, TKxProgress)
 public:
  explicit TKxProgressBarColor(TComponent* AOwner);
  ~TKxProgressBarColor() override;

  // What a new bar holds; the published defaults.
  static constexpr Integer kDefaultMaxValue = 100;
  static constexpr Integer kDefaultMinValue = 0;
  static constexpr Integer kDefaultLedsLow = 3;
  static constexpr Integer kDefaultLedsMedium = 2;
  static constexpr Integer kDefaultLedsHigh = 2;
  static constexpr Integer kDefaultStep = 10;

  static const TPublished& PublishedProperties();

  TKxGraphPal* GraphPal1() const { return FGraphPal1.get(); }
  void SetGraphPal1(TKxGraphPal* Value) { FGraphPal1->Assign(Value); }
  TKxGraphPal* GraphPal2() const { return FGraphPal2.get(); }
  void SetGraphPal2(TKxGraphPal* Value) { FGraphPal2->Assign(Value); }
  TKxGraphPal* GraphPal3() const { return FGraphPal3.get(); }
  void SetGraphPal3(TKxGraphPal* Value) { FGraphPal3->Assign(Value); }
  // Accepted only above MinValue; clamps Position without OnChange.
  Integer MaxValue() const { return FMaxValue; }
  void SetMaxValue(Integer Value);
  // Accepted only below MaxValue; clamps Position without OnChange.
  Integer MinValue() const { return FMinValue; }
  void SetMinValue(Integer Value);
  // A value other than the stored one is clamped into [MinValue, MaxValue],
  // lights the LEDs in proportion and fires OnChange. While a form file is
  // read, Position, MinValue and MaxValue are stored as saved; Loaded checks
  // them once and fires nothing.
  Integer Position() const { return FPosition; }
  void SetPosition(Integer Value);
  // As a level target: the range, and Position for any channel.
  Integer LevelMin() const override { return FMinValue; }
  Integer LevelMax() const override { return FMaxValue; }
  void SetLevel(Integer, Integer Value) override { SetPosition(Value); }
  // Zone sizes, left to right. A change rebuilds the LEDs; a zone of 0 or
  // fewer LEDs leaves no LED of its own.
  Integer LedsLow() const { return FLedsLow; }
  void SetLedsLow(Integer Value) { SetZoneSize(FLedsLow, Value); }
  Integer LedsMedium() const { return FLedsMedium; }
  void SetLedsMedium(Integer Value) { SetZoneSize(FLedsMedium, Value); }
  Integer LedsHigh() const { return FLedsHigh; }
  void SetLedsHigh(Integer Value) { SetZoneSize(FLedsHigh, Value); }
  // The increment of StepIt.
  Integer Step() const { return FStep; }
  void SetStep(Integer Value) { FStep = Value; }
  using TKxGraphicImageControl::SetTransparent;
  using TKxGraphicImageControl::Transparent;

  // Position + Step and Position + Delta; sums beyond the Integer range
  // stop at its ends.
  void StepIt();
  void StepBy(Integer Delta);
  // Position within the range as a whole percentage, 0 to 100, truncated.
  Integer GetPercentDone() const;
  // The sum of the zone sizes as of the last rebuild; 0 when it is not above 0.
  Integer LedCount() const { return FLedCount; }
  // Rebuilds the LEDs, all unlit, with their zones' colours.
  void CreateItems();
  // Clamps Position and lights the LEDs below the lit count; each LED that
  // changes redraws at once.
  void UpdatePosition();
  void PaletteModified(TObject* Sender);
  void Loaded() override;

 protected:
  void GetLedColors(Integer Index, TColor& Low, TColor& High) const override;
  // The base class's paint, then the LEDs brought in line with Position.
  void Paint() override;

 private:
  void SetZoneSize(Integer& Field, Integer Value);
  TKxProgressBarColorLeds* Leds() const {
    return static_cast<TKxProgressBarColorLeds*>(FItems.get());
  }

  Integer FPosition = 0;
  Integer FMaxValue = kDefaultMaxValue;
  Integer FMinValue = kDefaultMinValue;
  Integer FLedsLow = kDefaultLedsLow;
  Integer FLedsMedium = kDefaultLedsMedium;
  Integer FLedsHigh = kDefaultLedsHigh;
  std::unique_ptr<TKxGraphPal> FGraphPal1;
  std::unique_ptr<TKxGraphPal> FGraphPal2;
  std::unique_ptr<TKxGraphPal> FGraphPal3;
  Integer FStep = kDefaultStep;
  Integer FLedCount = 0;
};

}  // namespace kx
