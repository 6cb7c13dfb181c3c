#include "kxpack/instruments/KxMixViewer.h"

#include <algorithm>
#include <vector>

#include "host/classes/ClassRegistry.h"
#include "host/graphics/Canvas.h"
#include "kxpack/foundations/KxBitmapUtils.h"
#include "kxpack/foundations/KxGradientSteps.h"
#include "kxpack/foundations/KxIntUtils.h"

namespace kx {

using namespace host;

namespace {

Integer Saturated(int64_t Value) { return SaturateToInt32(Value); }

// Rows [Top, Bottom) of a bar whose rectangle starts at Bar.
TRect BarRows(const TRect& Bar, Integer Width, int64_t Top, int64_t Bottom) {
  return Rect(Bar.Left, Saturated(Bar.Top + Top), Saturated(int64_t{Bar.Left} + Width),
              Saturated(Bar.Top + Bottom));
}

}  // namespace

// --- TKxMixViewerBar ----------------------------------------------------------

void TKxMixViewerBar::SetPosition(Integer Value) {
  if (Value == FPosition) return;
  FPosition = Value;
  Changed(false);
}

const TPublished& TKxMixViewerBar::PublishedProperties() {
  using T = TKxMixViewerBar;
  static const TPublished table = Publish<T>().Int("Position", &T::Position, &T::SetPosition, 0);
  return table;
}

// --- TKxMixViewerBars ---------------------------------------------------------

void TKxMixViewerBars::Update(TKxCollectionItem* Item) {
  if (Item)
    FViewer->UpdateBar(Item->Index());
  else
    FViewer->UpdateBars();
}

// --- TKxMixViewerBevel --------------------------------------------------------

TKxMixViewerBevel::TKxMixViewerBevel() {
  SetBorderColor(kDefaultBorderColor);
  SetBorderWidth(kDefaultBorderWidth);
  SetInnerShadow(clBlack);
  SetInnerHighlight(clBlack);
  SetInnerWidth(1);
  SetInnerStyle(kxNone);
  SetInnerOutline(osNone);
  SetInnerSpace(0);
  SetInnerColor(clBlack);
  SetOuterShadow(clBlack);
  SetOuterHighlight(clBlack);
  SetOuterWidth(1);
  SetOuterStyle(kxNone);
  SetOuterOutline(osNone);
  SetOuterSpace(0);
  SetOuterColor(kDefaultOuterColor);
}

const TPublished& TKxMixViewerBevel::PublishedProperties() {
  static const TPublished table = Publish<TKxMixViewerBevel>()
                                      .SetDefault("BorderWidth", kDefaultBorderWidth)
                                      .SetDefault("BorderColor", kDefaultBorderColor)
                                      .SetDefault("OuterColor", kDefaultOuterColor);
  return table;
}

// --- TKxMixViewer -------------------------------------------------------------

TKxMixViewer::TKxMixViewer(TComponent* AOwner) : TKxGraphicImageControl(AOwner) {
  SetControlStyle(ControlStyle() + TControlStyle{csOpaque, csReplicatable});
  SetBounds(Left(), Top(), 93, 57);
  SetParentColor(false);
  SetColor(kDefaultColor);
  FGraphPal1 = std::make_unique<TKxGraphPal>();
  FGraphPal1->OnChange = TNotifyEvent(this, &TKxMixViewer::PaletteModified);
  FGraphPal2 = std::make_unique<TKxGraphPal>();
  FGraphPal2->SetLow(kDefaultPal2Low);
  FGraphPal2->SetHigh(kDefaultPal2High);
  FGraphPal2->OnChange = TNotifyEvent(this, &TKxMixViewer::PaletteModified);
  FGraphPal3 = std::make_unique<TKxGraphPal>();
  FGraphPal3->SetLow(kDefaultPal3Low);
  FGraphPal3->SetHigh(kDefaultPal3High);
  FGraphPal3->OnChange = TNotifyEvent(this, &TKxMixViewer::PaletteModified);
  FBevel = std::make_unique<TKxMixViewerBevel>();
  FBevel->OnChange = TNotifyEvent(this, &TKxMixViewer::BevelChanged);
  AllocateBitmaps(FBarImages);
  FBars = std::make_unique<TKxMixViewerBars>(this);
  CreateObjects();
}

TKxMixViewer::~TKxMixViewer() {
  DeallocateBitmaps(FBarImages);
  FBars.reset();
  FBevel.reset();
  FGraphPal1.reset();
  FGraphPal2.reset();
  FGraphPal3.reset();
}

void TKxMixViewer::SetPercent1(Integer Value) {
  AdjustRange(Value, TKxPercentIntLow, TKxPercentIntHigh);
  if (!Loading() && Value + FPercent2 > 100) Value = 100 - FPercent2;
  SetPaintedProp(FPercent1, static_cast<TKxPercentInt>(Value));
}

void TKxMixViewer::SetPercent2(Integer Value) {
  AdjustRange(Value, TKxPercentIntLow, TKxPercentIntHigh);
  if (!Loading() && Value + FPercent1 > 100) Value = 100 - FPercent1;
  SetPaintedProp(FPercent2, static_cast<TKxPercentInt>(Value));
}

void TKxMixViewer::SetColumns(Integer Value) {
  if (Value <= 0 || Value > kMaxColumns || Value == FColumns) return;
  FColumns = Value;
  CreateObjects();
  UpdateControlCanvas();
}

void TKxMixViewer::SetMaxValue(Integer Value) {
  if (Loading()) {
    FMaxValue = Value;
    return;
  }
  if (Value == FMaxValue || Value <= FMinValue) return;
  FMaxValue = Value;
  ClampBars();
}

void TKxMixViewer::SetMinValue(Integer Value) {
  if (Loading()) {
    FMinValue = Value;
    return;
  }
  if (Value == FMinValue || Value >= FMaxValue) return;
  FMinValue = Value;
  ClampBars();
}

void TKxMixViewer::ClampBars() {
  for (Integer i = 0; i < GetCount(); ++i) {
    TKxMixViewerBar* bar = GetItem(i);
    Integer position = bar->Position();
    AdjustRange(position, FMinValue, FMaxValue);
    bar->SetPosition(position);
  }
}

void TKxMixViewer::Loaded() {
  // The positions stay as saved; a range no setter can give (a file edited
  // by hand) is set up as the setters would have taken it.
  RepairLoadedRange(FMinValue, FMaxValue, kDefaultMinValue, kDefaultMaxValue);
  inherited::Loaded();
}

void TKxMixViewer::SetTickHeight(Integer Value) {
  if (Value <= 0) return;
  SetPaintedProp(FTickHeight, Value);
}

void TKxMixViewer::SetBarWidth(TKxMaxInt Value) {
  AdjustRange(Value, TKxMaxIntLow, TKxMaxIntHigh);
  SetPaintedProp(FBarWidth, Value);
}

void TKxMixViewer::Reset(Integer Value) {
  AdjustRange(Value, FMinValue, FMaxValue);
  for (Integer i = 0; i < GetCount(); ++i) GetItem(i)->SetPosition(Value);
}

void TKxMixViewer::SetLevel(Integer Channel, Integer Value) {
  if (Channel >= 0 && Channel < GetCount()) GetItem(Channel)->SetPosition(Value);
}

Integer TKxMixViewer::GetPercentDone(Integer Value) const {
  return SolveForY(int64_t{Value} - FMinValue, int64_t{FMaxValue} - FMinValue);
}

void TKxMixViewer::CreateObjects() {
  FShownLit.assign(static_cast<size_t>(FColumns), -1);
  FBars->Clear();
  for (Integer i = 0; i < FColumns; ++i) new TKxMixViewerBar(FBars.get());
}

int64_t TKxMixViewer::TickPitch() const {
  const int64_t pitch = int64_t{FTickHeight} + FSpacing;
  return pitch > 0 ? pitch : FTickHeight;
}

void TKxMixViewer::CalcPaintParams() {
  TRect area = ClientRect();
  FBevel->GetVisibleArea(area);
  FBarArea = area;
  const int64_t pitch = TickPitch();
  const int64_t spacing = pitch - FTickHeight;
  const int64_t h = std::max<int64_t>(HeightOf(area), 0);
  FTickCount = Saturated(std::max<int64_t>((h + spacing) / pitch, 0));
  CreateBarImages();
  FLaidOut = true;

  const int64_t w =
      2 * int64_t{area.Left} + (int64_t{FBarWidth} + FBarSpacing) * FColumns - FBarSpacing;
  const int64_t fitH = 2 * int64_t{area.Top} + pitch * FTickCount - spacing;
  const Integer width = Saturated(std::max<int64_t>(w, 0));
  const Integer height = Saturated(std::max<int64_t>(fitH, 0));
  if (width != Width() || height != Height()) SetBounds(Left(), Top(), width, height);
}

void TKxMixViewer::CreateBarImages() {
  const Integer h = std::max(HeightOf(FBarArea), 0);
  const int64_t pitch = TickPitch();
  const int64_t count = FTickCount;
  Integer z1, z2;
  if (FPlainColors) {
    z1 = Saturated(SolveForX(FPercent1, FTickCount) * pitch);
    z2 = Saturated(SolveForX(FPercent2, FTickCount) * pitch);
  } else {
    z1 = SolveForX(FPercent1, h);
    z2 = SolveForX(FPercent2, h);
  }
  const TKxGraphPal* pals[3] = {FGraphPal3.get(), FGraphPal2.get(), FGraphPal1.get()};
  // The top, middle and bottom colour of each row: plain blocks, or a ramp
  // from the top to the middle colour over N steps and on to the bottom
  // colour over G steps (the ramp's last rows fall below the image).
  const int64_t g = std::max<int64_t>(1, z1 + z2 / 2);
  const int64_t n = std::max<int64_t>(1, h - g);
  std::vector<COLORREF> rows(static_cast<size_t>(h));
  for (int state = 0; state < 2; ++state) {
    auto color = [&](int zone) { return state == 0 ? pals[zone]->Low() : pals[zone]->High(); };
    if (FPlainColors) {
      const int64_t bottom = int64_t{h} - z1, middle = bottom - z2;
      for (int64_t y = 0; y < h; ++y)
        rows[y] = static_cast<COLORREF>(Color2RGB(color(y < middle ? 0 : y < bottom ? 1 : 2)));
    } else {
      const int64_t first = std::min<int64_t>(n + 1, h);
      WriteStepColors(rows.data(), first, color(0), color(1), n, 1, 0);
      WriteStepColors(rows.data() + first, std::min<int64_t>(h - first, g + 1), color(1), color(2),
                      g, 1, 0);
    }
    // The rows between ticks take the background, so that a run of ticks
    // copies in one piece and leaves the gaps as a full paint left them.
    const int64_t lastTop = (count - 1) * pitch;
    for (int64_t y = 0; y < h; ++y) {
      const bool tick = y < lastTop + FTickHeight && (y >= lastTop || y % pitch < FTickHeight);
      if (!tick) rows[y] = static_cast<COLORREF>(Color2RGB(Color()));
    }
    TBitmap* image = FBarImages[state].get();
    image->SetSize(FBarWidth, h);
    TCanvas* canvas = image->Canvas();
    canvas->Brush()->SetStyle(bsSolid);
    for (Integer y = 0; y < h; ++y) {
      canvas->Brush()->SetColor(static_cast<TColor>(rows[y]));
      canvas->FillRect(Rect(0, y, FBarWidth, y + 1));
    }
  }
}

bool TKxMixViewer::CanDrawBarOnScreen() const {
  // While a form file is read the bars come back one by one before the
  // first paint; a control without a parent, or a hidden one, has no
  // place on the screen to draw on.
  return !Loading() && Parent() && Visible();
}

void TKxMixViewer::GetItemRect(Integer Index, TRect& Rect) const {
  const int64_t left = FBarArea.Left + (int64_t{FBarWidth} + FBarSpacing) * Index;
  Rect = host::Rect(Saturated(left), FBarArea.Top, Saturated(left + FBarWidth), FBarArea.Bottom);
}

void TKxMixViewer::UpdateBar(Integer Index) {
  if (!FLaidOut || FTickCount <= 0) return;
  const bool onScreen = FDrawCanvas == Canvas();
  const bool known = Index >= 0 && Index < static_cast<Integer>(FShownLit.size());
  if (onScreen && !CanDrawBarOnScreen()) {
    if (known) FShownLit[Index] = -1;  // the screen no longer shows this bar's state
    return;
  }
  TRect bar;
  GetItemRect(Index, bar);
  const int64_t pitch = TickPitch();
  const int64_t count = FTickCount;
  // A position outside the range lights no tick or every tick.
  const int64_t lit = std::clamp<int64_t>(
      SolveForX(GetPercentDone(GetItem(Index)->Position()), FTickCount), 0, count);
  // Rows from the top of the first tick to the bottom of the last. A tick
  // drawn over by the next one (a negative Spacing) shows down to the
  // next one's top.
  const int64_t extent = (count - 1) * pitch + FTickHeight;
  const int64_t litTop = (count - lit) * pitch;
  // On the screen the bar already shows its last lit count: only the ticks
  // between that count's top and the new one's change. Bars that overlap
  // (a negative BarSpacing) draw over each other, so they redraw whole.
  int64_t top = 0, bottom = extent;
  if (known) {
    const int64_t shown = FBarSpacing >= 0 ? FShownLit[Index] : -1;
    FShownLit[Index] = lit;
    if (onScreen && shown == lit) return;
    if (onScreen && shown >= 0) {
      const int64_t first = count - std::max(lit, shown), last = count - std::min(lit, shown);
      top = first * pitch;
      if (last < count - 1) bottom = (last + 1) * pitch;
    }
  }
  TCanvas* canvas = FDrawCanvas;
  auto copy = [&](int state, int64_t from, int64_t to) {
    from = std::max(from, top);
    to = std::min(to, bottom);
    if (from >= to) return;
    canvas->CopyRect(BarRows(bar, FBarWidth, from, to), FBarImages[state]->Canvas(),
                     BarRows(TRect{}, FBarWidth, from, to));
  };
  auto fill = [&](TColor color, int64_t from, int64_t to) {
    from = std::max(from, top);
    to = std::min(to, bottom);
    if (from >= to) return;
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(color);
    canvas->FillRect(BarRows(bar, FBarWidth, from, to));
  };

  const int64_t unlitEnd = lit == 0 ? extent : litTop;
  if (FShowInactive)
    copy(0, 0, unlitEnd);
  else
    fill(Color(), 0, unlitEnd);
  if (lit == 0) return;
  if (!FMarkerVisible) {
    copy(1, litTop, extent);
  } else if (lit == 1) {
    fill(FMarkerColor, litTop, extent);
  } else {
    fill(FMarkerColor, litTop, litTop + std::min<int64_t>(FTickHeight, pitch));
    copy(1, litTop + pitch, extent);
  }
}

void TKxMixViewer::UpdateBars() {
  for (Integer i = 0; i < GetCount(); ++i) UpdateBar(i);
}

void TKxMixViewer::PaletteModified(TObject*) { UpdateControlCanvas(); }

void TKxMixViewer::BevelChanged(TObject*) {
  // Before the first paint there is no bar area to keep: the next paint
  // fits the control to the new bevel.
  if (!Loading() && FLaidOut) {
    TRect margins = ClientRect();
    FBevel->GetVisibleArea(margins);
    TRect area = FBarArea;
    InflateRect(area, margins.Left, margins.Top);
    SetBounds(Left(), Top(), WidthOf(area), HeightOf(area));
  }
  UpdateControlCanvas();
}

void TKxMixViewer::Paint() {
  CalcPaintParams();
  ClearBitmapCanvas();
  FDrawCanvas = GetBitmapCanvas();
  struct Restore {
    TKxMixViewer* viewer;
    ~Restore() { viewer->FDrawCanvas = viewer->Canvas(); }
  } restore{this};
  TRect client = ClientRect();
  FBevel->Paint(FDrawCanvas, client);
  UpdateBars();
  inherited::Paint();
}

const TPublished& TKxMixViewer::PublishedProperties() {
  using T = TKxMixViewer;
  static const TPublished table = [] {
    // The viewer shows no hint of its own.
    auto builder = Publish<T>().Hide("Hint");
    PublishAbout(builder)
        .Object("GraphPal1", &T::GraphPal1, &T::SetGraphPal1)
        .Object("GraphPal2", &T::GraphPal2, &T::SetGraphPal2)
        .Object("GraphPal3", &T::GraphPal3, &T::SetGraphPal3)
        .Int("Percent1", &T::Percent1, &T::SetPercent1, kDefaultPercent1)
        .Int("Percent2", &T::Percent2, &T::SetPercent2, kDefaultPercent2)
        .Object("Bevel", &T::Bevel, &T::SetBevel)
        .Int("Columns", &T::Columns, &T::SetColumns, kDefaultColumns)
        .Int("MaxValue", &T::MaxValue, &T::SetMaxValue, kDefaultMaxValue)
        .Int("MinValue", &T::MinValue, &T::SetMinValue, kDefaultMinValue)
        .Color("MarkerColor", &T::MarkerColor, &T::SetMarkerColor, kDefaultMarkerColor)
        .Bool("MarkerVisible", &T::MarkerVisible, &T::SetMarkerVisible, true)
        .Int("TickHeight", &T::TickHeight, &T::SetTickHeight, kDefaultTickHeight)
        .Int("Spacing", &T::Spacing, &T::SetSpacing, kDefaultSpacing)
        .Int("BarWidth", &T::BarWidth, &T::SetBarWidth, kDefaultBarWidth)
        .Int("BarSpacing", &T::BarSpacing, &T::SetBarSpacing, kDefaultBarSpacing)
        .Bool("ShowInactive", &T::ShowInactive, &T::SetShowInactive, true)
        .Bool("PlainColors", &T::PlainColors, &T::SetPlainColors, false)
        .Publish("Color")
        .Default(kDefaultColor)
        .StoredUnlessDefault()
        .Publish("Anchors", "Constraints", "Cursor", "DragMode", "DragKind", "DragCursor",
                 "ParentColor")
        .Default(false)
        .Publish("ParentShowHint", "PopupMenu", "ShowHint", "Visible")
        .PublishEvents("OnClick", "OnContextPopup", "OnDblClick", kDragDockEvents, kMouseEvents);
    return TPublished(builder);
  }();
  return table;
}

// Form files may name the mix viewer.
const bool kMixViewerRegistered = (RegisterClass<TKxMixViewer>(), true);

}  // namespace kx
