#include "kxpack/instruments/KxDisplayClock.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "host/base/DateTime.h"
#include "host/classes/ClassRegistry.h"
#include "host/classes/FreeWatch.h"
#include "host/graphics/Canvas.h"
#include "kxpack/foundations/KxConst.h"
#include "kxpack/foundations/KxIntUtils.h"

namespace kx {

using namespace host;

namespace {

// The AM/PM strip: cell 0 lights PM, cell 1 lights AM.
constexpr Integer kPmCell = 0;
constexpr Integer kAmCell = 1;

}  // namespace

TKxDisplayClock::TKxDisplayClock(TComponent* AOwner) : TKxDisplay(AOwner) {
  FTimer = new TKxTimer(this);
  FTimer->SetEnabled(false);
  FTimer->SetOnTimer(TNotifyEvent(this, &TKxDisplayClock::OnTimerEvent));
  // Each palette change reloads the glyphs through PaletteModified.
  FPalette->SetHigh(kDefaultHigh);
  FPalette->SetLow(kDefaultLow);
  // The display's constructor could load only the digit strip: C++ runs no
  // override from a base class's constructor.
  LoadBitmaps();
}

TKxDisplayClock::~TKxDisplayClock() {
  FreeAndNil(FTimer);
  FSepBitmap.reset();
  FTimeZoneBitmap.reset();
}

const TPublished& TKxDisplayClock::PublishedProperties() {
  using T = TKxDisplayClock;
  static const TPublished table = [] {
    auto builder = Publish<T>();
    PublishAbout(builder)
        .Bool("Threaded", &T::Threaded, &T::SetThreaded, true)
        .Int("Hours", &T::Hours, &T::SetHours, 0)
        .StoredWhen(&T::StoresTime)
        .Int("Minutes", &T::Minutes, &T::SetMinutes, 0)
        .StoredWhen(&T::StoresTime)
        .Int("Seconds", &T::Seconds, &T::SetSeconds, 0)
        .StoredWhen(&T::StoresTime)
        .Enum("ClockType", &T::ClockType, &T::SetClockType, kDefaultClockType)
        .Bool("Active", &T::Active, &T::SetActive, false)
        .Bool("ShowSeconds", &T::ShowSeconds, &T::SetShowSeconds, true)
        .Bool("Blink", &T::Blink, &T::SetBlink, false)
        .Bool("Hours24", &T::Hours24, &T::SetHours24, true)
        .Bool("ShowTimeZone", &T::ShowTimeZone, &T::SetShowTimeZone, false)
        .Publish("Transparent")
        .Event("OnHoursChanged", &T::FOnHoursChanged)
        .Event("OnMinutesChanged", &T::FOnMinutesChanged)
        .Event("OnSecondsChanged", &T::FOnSecondsChanged)
        .Object("Palette", &T::Palette, &T::SetPalette)
        .Int("Spacing", &T::Spacing, &T::SetSpacing, kDefaultSpacing)
        .Enum("Style", &T::Style, &T::SetStyle, kDefaultStyle)
        .Publish("AutoSize")
        .Default(true)
        .Publish("Align", "Anchors", "Constraints", "Color")
        .Default(kDefaultColor)
        .StoredUnlessDefault()
        .Publish("DragCursor", "DragKind", "DragMode", "Hint", "ParentColor")
        .Default(false)
        .Publish("ParentShowHint", "PopupMenu", "ShowHint", "Visible")
        .PublishEvents("OnClick", "OnContextPopup", "OnDblClick", kDragDockEvents, kMouseEvents);
    return TPublished(builder);
  }();
  return table;
}

void TKxDisplayClock::SetThreaded(bool Value) {
  if (Value == FThreaded) return;
  FThreaded = Value;
  FTimer->SetTimerType(Value ? ttThread : ttSystem);
}

void TKxDisplayClock::SetHours(TKxHoursInt Value) {
  Value = std::min(Value, TKxHoursIntHigh);
  if (Value == FHours) return;
  FHours = Value;
  UpdateControlCanvas();
  HoursChanged();
}

void TKxDisplayClock::SetMinutes(TKxMinutesInt Value) {
  Value = std::min(Value, TKxMinutesIntHigh);
  if (Value == FMinutes) return;
  FMinutes = Value;
  UpdateControlCanvas();
  MinutesChanged();
}

void TKxDisplayClock::SetSeconds(TKxSecondsInt Value) {
  Value = std::min(Value, TKxSecondsIntHigh);
  if (Value == FSeconds) return;
  FSeconds = Value;
  UpdateControlCanvas();
  SecondsChanged();
}

void TKxDisplayClock::SetClockType(TKxDisplayClockType Value) {
  if (Value == FClockType) return;
  FClockType = Value;
  if (Value == tctCustom) {
    SetActive(false);
  } else {
    FHours = 0;
    FMinutes = 0;
    FSeconds = 0;
  }
  UpdateControlCanvas();
}

void TKxDisplayClock::SetActive(bool Value) {
  if (FClockType == tctCustom) Value = false;
  if (Value == FActive) return;
  FActive = Value;
  FBlinkOn = true;
  UpdateControlCanvas();
  if (Designing()) return;
  if (Value) FStartTime = Now();
  FTimer->SetEnabled(Value);
}

void TKxDisplayClock::SetShowSeconds(bool Value) { SetPaintedProp(FShowSeconds, Value); }

void TKxDisplayClock::SetBlink(bool Value) {
  if (Value == FBlink) return;
  FBlink = Value;
  FBlinkOn = true;
  UpdateControlCanvas();
}

void TKxDisplayClock::SetShowTimeZone(bool Value) { SetPaintedProp(FShowTimeZone, Value); }

void TKxDisplayClock::HoursChanged() {
  if (FOnHoursChanged) FOnHoursChanged(this, FHours);
}

void TKxDisplayClock::MinutesChanged() {
  if (FOnMinutesChanged) FOnMinutesChanged(this, FMinutes);
}

void TKxDisplayClock::SecondsChanged() {
  if (FOnSecondsChanged) FOnSecondsChanged(this, FSeconds);
}

void TKxDisplayClock::LoadBitmaps() {
  inherited::LoadBitmaps();
  if (!FSepBitmap) {
    FSepBitmap = std::make_unique<TBitmap>();
    FSepBitmap->SetTransparent(true);
  }
  if (!FTimeZoneBitmap) FTimeZoneBitmap = std::make_unique<TBitmap>();
  LoadGlyph(FSepBitmap.get(), ResClockId[FStyle]);
  LoadGlyph(FTimeZoneBitmap.get(), ResTimeZoneId[FStyle]);
}

void TKxDisplayClock::Loaded() {
  inherited::Loaded();
  if (!Designing() && FClockType == tctRealTime) OnTimerEvent(this);
}

void TKxDisplayClock::OnTimerEvent(TObject*) {
  const TKxHoursInt oldHours = FHours;
  const TKxMinutesInt oldMinutes = FMinutes;
  const TKxSecondsInt oldSeconds = FSeconds;

  TDateTime time = 0;
  if (FClockType == tctRealTime) {
    time = Now();
  } else if (FClockType == tctElapsed) {
    // A wall clock set back (a daylight-saving change, a time sync) puts
    // Now before the start: no time has passed that can be shown, so the
    // count holds at zero until the wall clock is past the start again.
    time = std::max(Now() - FStartTime, 0.0);
  }
  uint16_t hour = 0, minute = 0, second = 0, msec = 0;
  DecodeTime(time, hour, minute, second, msec);

  FRawHours = static_cast<Byte>(hour);
  FHours = static_cast<TKxHoursInt>(hour);
  if (!FHours24) {
    FHours = static_cast<TKxHoursInt>(hour % 12);
    if (FHours == 0) FHours = 12;
  }
  FMinutes = static_cast<TKxMinutesInt>(minute);
  FSeconds = static_cast<TKxSecondsInt>(second);
  FBlinkOn = !FBlinkOn;

  // The hours count too: a switch of Hours24, or hours the program set,
  // change them without a change of minutes.
  if ((FShowSeconds && FSeconds != oldSeconds) || FBlink || FMinutes != oldMinutes ||
      FHours != oldHours)
    UpdateControlCanvas();
  // A handler may free the clock (a form closed on the hour): the events
  // after it are then left out.
  const bool minutesChanged = FMinutes != oldMinutes;
  const bool secondsChanged = FSeconds != oldSeconds;
  const TFreeWatch watch(this);
  if (FHours != oldHours) HoursChanged();
  if (minutesChanged && !watch.Freed()) MinutesChanged();
  if (secondsChanged && !watch.Freed()) SecondsChanged();
}

void TKxDisplayClock::DrawTimeZone(Integer Hour, Integer X, Integer Y) {
  const Integer cell = Hour < 12 ? kAmCell : kPmCell;
  const Integer w = FTimeZoneBitmap->Width() / 2;
  const Integer h = FTimeZoneBitmap->Height();
  TCanvas* canvas = GetBitmapCanvas();
  canvas->Brush()->SetStyle(bsClear);
  canvas->BrushCopy(Rect(X, Y, X + w, Y + h), FTimeZoneBitmap.get(),
                    Rect(cell * w, 0, (cell + 1) * w, h), clBlack);
}

void TKxDisplayClock::SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight) {
  const TRect before = BoundsRect();
  inherited::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (BoundsRect() == before) return;
  // What was captured lies under the old bounds. Without a capture the
  // clock takes no captured state, so the parent paints beneath the new
  // bounds and the next paint captures there.
  FParentImage->SetSize(0, 0);
  FParentCopyNeeded = true;
  if (FTransparent) SetControlStyle(ControlStyle() - TControlStyle{csOpaque});
}

Integer TKxDisplayClock::RowWidth() const {
  const int64_t sep = FSepBitmap->Width();
  int64_t width = FShowSeconds ? 6 * int64_t{FCellWidth} + 2 * sep + 7 * int64_t{FSpacing}
                               : 4 * int64_t{FCellWidth} + sep + 4 * int64_t{FSpacing};
  if (ShowsTimeZone()) width += FTimeZoneBitmap->Width() / 2 + int64_t{FSpacing};
  return SaturateToInt32(width);
}

void TKxDisplayClock::Paint() {
  const TPaintScope painting(*this);
  const Integer rowWidth = RowWidth();
  if (AutoSize()) {
    // A frame for the old bounds is not worth composing: the resize has
    // invalidated what the new bounds need, and their paint comes next.
    const TRect before = BoundsRect();
    ChangeSize(rowWidth, FCellHeight);
    if (BoundsRect() != before) return;
  }
  ClearBitmapCanvas();

  char text[16];
  std::snprintf(text, sizeof text, FShowSeconds ? "%02d:%02d:%02d" : "%02d:%02d", FHours, FMinutes,
                FSeconds);
  const bool colons = FClockType == tctCustom || !FBlink || FBlinkOn;
  int64_t x = (int64_t{Width()} - rowWidth) / 2;
  const Integer y = (Height() - FCellHeight) / 2;
  // Only what reaches into the control is drawn.
  auto visible = [&](Integer w) { return x < Width() && x + w > 0; };
  for (const char* c = text; *c; ++c) {
    if (*c == ':') {
      const Integer w = FSepBitmap->Width();
      if (colons && visible(w))
        GetBitmapCanvas()->Draw(static_cast<Integer>(x), y, FSepBitmap.get());
      x += int64_t{w} + FSpacing;
    } else {
      if (visible(FCellWidth)) DrawNum(*c - '0', static_cast<Integer>(x), y);
      x += int64_t{FCellWidth} + FSpacing;
    }
  }
  if (ShowsTimeZone() && visible(FTimeZoneBitmap->Width() / 2))
    DrawTimeZone(FRawHours, static_cast<Integer>(x), y);
  Canvas()->Draw(0, 0, FBitmap.get());
}

// Form files may name the clock.
const bool kDisplayClockRegistered = (RegisterClass<TKxDisplayClock>(), true);

}  // namespace kx
