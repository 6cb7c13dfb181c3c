// The scan bar of unit KxProgress.
#include "host/classes/ClassRegistry.h"
#include "kxpack/foundations/KxIntUtils.h"
#include "kxpack/instruments/KxProgress.h"

namespace kx {

using namespace host;

void TKxScanBarLeds::Update(TKxCollectionItem* Item) { FScanBar->ItemChanged(Item); }

TKxScanBar::TKxScanBar(TComponent* AOwner) : TKxProgress(AOwner) {
  FGraphPal = std::make_unique<TKxGraphPal>();
  FGraphPal->OnChange = TNotifyEvent(this, &TKxScanBar::PaletteModified);
  FTimer = new TKxTimer(this);
  FTimer->SetEnabled(false);
  FTimer->SetInterval(kDefaultTimeInterval);
  FTimer->SetOnTimer(TNotifyEvent(this, &TKxScanBar::TimerEvent));
  FItems = std::make_unique<TKxScanBarLeds>(this);
  CreateItems();
}

TKxScanBar::~TKxScanBar() {
  FGraphPal.reset();
  // Stops the tick source before the LEDs go.
  FTimer->Free();
}

void TKxScanBar::SetThreaded(bool Value) {
  if (Value == FThreaded) return;
  FThreaded = Value;
  FTimer->SetTimerType(Value ? ttThread : ttSystem);
}

void TKxScanBar::SetLeds(Integer Value) {
  if (Value == FLeds) return;
  FLeds = Value;
  CreateItems();
  FPosition = -1;
  FLastPosition = -1;
  UpdateControlCanvas();
}

void TKxScanBar::SetActive(bool Value) {
  if (Value == FActive) return;
  FActive = Value;
  if (!Designing()) FTimer->SetEnabled(Value);
}

void TKxScanBar::SetPosition(Integer Value) {
  // Compared before clamping: setting a value beyond the LEDs again fires
  // OnChange again.
  if (Value == FPosition) return;
  FPosition = Value;
  UpdateLedState();
  Change();
}

void TKxScanBar::CreateItems() {
  FItems->Clear();
  for (Integer i = 0; i < FLeds; ++i) new TKxScanBarLed(FItems.get());
}

void TKxScanBar::SetLedActive(Integer Index, bool Value) {
  if (Index >= 0 && Index < FItems->GetCount()) Led(Index)->SetActive(Value);
}

void TKxScanBar::UpdateLedState() {
  // With no LEDs (Leds 0 or below) the range is [−1, −1]: nothing is lit.
  AdjustRange(FPosition, -1, MaxIntVal(FLeds, 0) - 1);
  if (FLastPosition != -1) SetLedActive(FLastPosition, false);
  if (FPosition != -1) SetLedActive(FPosition, true);
  FLastPosition = FPosition;
}

void TKxScanBar::TimerEvent(TObject*) {
  const Integer last = MaxIntVal(FLeds, 0) - 1;
  const Integer p = FPosition;
  switch (FDirection) {
    case tsdBoth:
      // The end LEDs stay lit for two steps: the turn is a step of its own.
      if (!FBackward) {
        if (p >= last)
          FBackward = true;
        else
          SetPosition(p + 1);
      } else {
        if (p <= 0)
          FBackward = false;
        else
          SetPosition(p - 1);
      }
      break;
    case tsdLeftRight:
      SetPosition(p < last ? p + 1 : 0);
      break;
    case tsdRightLeft:
      SetPosition(p > 0 ? p - 1 : last);
      break;
  }
}

void TKxScanBar::PaletteModified(TObject*) { UpdateControlCanvas(); }

void TKxScanBar::GetLedColors(Integer, TColor& Low, TColor& High) const {
  Low = FGraphPal->GetColors(0);
  High = FGraphPal->GetColors(1);
}

const TPublished& TKxScanBar::PublishedProperties() {
  using T = TKxScanBar;
  static const TPublished table = [] {
    auto builder = Publish<T>();
    PublishAbout(builder)
        .Bool("Threaded", &T::Threaded, &T::SetThreaded, true)
        .Int("Leds", &T::Leds, &T::SetLeds, kDefaultLeds)
        .Object("GraphPal", &T::GraphPal, &T::SetGraphPal)
        .Bool("Active", &T::Active, &T::SetActive, false)
        .Enum("Direction", &T::Direction, &T::SetDirection, kDefaultDirection)
        .Int("TimeInterval", &T::TimeInterval, &T::SetTimeInterval, kDefaultTimeInterval)
        .Int("Position", &T::Position, &T::SetPosition, -1)
        .Publish("Spacing", "Style", "PlainColors", "ColorWidth", "Transparent", "OnChange",
                 "Align", "Anchors", "Constraints", "Color", "DragCursor", "DragKind", "DragMode",
                 "Hint", "ParentColor", "ParentShowHint", "PopupMenu", "ShowHint", "Visible")
        .PublishEvents("OnClick", "OnContextPopup", "OnDblClick", kDragDockEvents, kMouseEvents);
    return TPublished(builder);
  }();
  return table;
}

namespace {
const bool kRegistered = (RegisterClass<TKxScanBar>(), true);
}  // namespace

}  // namespace kx
