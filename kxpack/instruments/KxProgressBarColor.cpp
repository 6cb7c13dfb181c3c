// The three-zone LED bar of unit KxProgress.
#include <cstdint>

#include "host/classes/ClassRegistry.h"
#include "kxpack/foundations/KxIntUtils.h"
#include "kxpack/instruments/KxProgress.h"

namespace kx {

using namespace host;

void TKxProgressBarColorLeds::Update(TKxCollectionItem* Item) { FBar->ItemChanged(Item); }

TKxProgressBarColor::TKxProgressBarColor(TComponent* AOwner) : TKxProgress(AOwner) {
  const TNotifyEvent modified(this, &TKxProgressBarColor::PaletteModified);
  FGraphPal1 = std::make_unique<TKxGraphPal>();
  FGraphPal1->OnChange = modified;
  // The zone colours are set before the handler is hooked: no rebuild.
  FGraphPal2 = std::make_unique<TKxGraphPal>();
  FGraphPal2->SetLow(clOlive);
  FGraphPal2->SetHigh(clYellow);
  FGraphPal2->OnChange = modified;
  FGraphPal3 = std::make_unique<TKxGraphPal>();
  FGraphPal3->SetLow(clMaroon);
  FGraphPal3->SetHigh(clRed);
  FGraphPal3->OnChange = modified;
  FItems = std::make_unique<TKxProgressBarColorLeds>(this);
  CreateItems();
}

TKxProgressBarColor::~TKxProgressBarColor() {
  FGraphPal1.reset();
  FGraphPal2.reset();
  FGraphPal3.reset();
}

void TKxProgressBarColor::SetMaxValue(Integer Value) {
  // A saved range comes back as saved, whatever order it is read in;
  // Loaded checks it once everything is read.
  if (Loading()) {
    FMaxValue = Value;
    return;
  }
  if (Value == FMaxValue || Value <= FMinValue) return;
  FMaxValue = Value;
  UpdatePosition();
}

void TKxProgressBarColor::SetMinValue(Integer Value) {
  if (Loading()) {
    FMinValue = Value;
    return;
  }
  if (Value == FMinValue || Value >= FMaxValue) return;
  FMinValue = Value;
  UpdatePosition();
}

void TKxProgressBarColor::SetPosition(Integer Value) {
  if (Loading()) {
    FPosition = Value;
    return;
  }
  // Compared before clamping: setting a value beyond the range again fires
  // OnChange again.
  if (Value == FPosition) return;
  FPosition = Value;
  UpdatePosition();
  Change();
}

void TKxProgressBarColor::Loaded() {
  RepairLoadedRange(FMinValue, FMaxValue, kDefaultMinValue, kDefaultMaxValue);
  inherited::Loaded();
  UpdatePosition();
}

void TKxProgressBarColor::SetZoneSize(Integer& Field, Integer Value) {
  if (Value == Field) return;
  Field = Value;
  CreateItems();
  UpdateControlCanvas();
}

void TKxProgressBarColor::StepIt() { StepBy(FStep); }

void TKxProgressBarColor::StepBy(Integer Delta) {
  SetPosition(SaturateToInt32(int64_t{FPosition} + Delta));
}

Integer TKxProgressBarColor::GetPercentDone() const {
  return SolveForY(int64_t{FPosition} - FMinValue, int64_t{FMaxValue} - FMinValue);
}

void TKxProgressBarColor::CreateItems() {
  FItems->Clear();
  // Zone sizes are not validated: a negative size moves the zone boundaries
  // to the left, and a total of 0 or less gives no LEDs at all.
  const int64_t lowEnd = FLedsLow;
  const int64_t mediumEnd = lowEnd + FLedsMedium;
  const int64_t total = mediumEnd + FLedsHigh;
  FLedCount = total > 0 ? SaturateToInt32(total) : 0;
  for (Integer i = 0; i < FLedCount; ++i) {
    const TKxGraphPal* zone = i < lowEnd      ? FGraphPal1.get()
                              : i < mediumEnd ? FGraphPal2.get()
                                              : FGraphPal3.get();
    auto* led = new TKxProgressBarColorLed(FItems.get());
    led->FLowColor = zone->GetColors(0);
    led->FHighColor = zone->GetColors(1);
  }
}

void TKxProgressBarColor::UpdatePosition() {
  AdjustRange(FPosition, FMinValue, FMaxValue);
  const Integer lit = SolveForX(GetPercentDone(), FLedCount);
  for (Integer i = 0; i < FLedCount; ++i) Leds()->GetItem(i)->SetActive(i < lit);
}

void TKxProgressBarColor::PaletteModified(TObject*) {
  CreateItems();
  UpdateControlCanvas();
}

void TKxProgressBarColor::GetLedColors(Integer Index, TColor& Low, TColor& High) const {
  const TKxProgressBarColorLed* led = Leds()->GetItem(Index);
  Low = led->LowColor();
  High = led->HighColor();
}

void TKxProgressBarColor::Paint() {
  inherited::Paint();
  // LEDs not yet in line with Position (after a rebuild, or a range change
  // while painting was held back) are switched and drawn on the screen.
  UpdatePosition();
}

const TPublished& TKxProgressBarColor::PublishedProperties() {
  using T = TKxProgressBarColor;
  static const TPublished table = [] {
    auto builder = Publish<T>();
    PublishAbout(builder)
        .Object("GraphPal1", &T::GraphPal1, &T::SetGraphPal1)
        .Object("GraphPal2", &T::GraphPal2, &T::SetGraphPal2)
        .Object("GraphPal3", &T::GraphPal3, &T::SetGraphPal3)
        .Int("MaxValue", &T::MaxValue, &T::SetMaxValue, kDefaultMaxValue)
        .Int("MinValue", &T::MinValue, &T::SetMinValue, kDefaultMinValue)
        .Int("Position", &T::Position, &T::SetPosition, 0)
        .Int("LedsLow", &T::LedsLow, &T::SetLedsLow, kDefaultLedsLow)
        .Int("LedsMedium", &T::LedsMedium, &T::SetLedsMedium, kDefaultLedsMedium)
        .Int("LedsHigh", &T::LedsHigh, &T::SetLedsHigh, kDefaultLedsHigh)
        .Int("Step", &T::Step, &T::SetStep, kDefaultStep)
        .Publish("ColorWidth", "Spacing", "Style", "PlainColors", "Transparent", "OnChange",
                 "Align", "Anchors", "Constraints", "Color", "DragCursor", "DragKind", "DragMode",
                 "Hint", "ParentColor", "ParentShowHint", "PopupMenu", "ShowHint", "Visible")
        .PublishEvents("OnClick", "OnContextPopup", "OnDblClick", kDragDockEvents, kMouseEvents);
    return TPublished(builder);
  }();
  return table;
}

namespace {
const bool kRegistered = (RegisterClass<TKxProgressBarColor>(), true);
}  // namespace

}  // namespace kx
