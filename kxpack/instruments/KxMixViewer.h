#pragma once
// The mix viewer: Columns vertical bars of horizontal ticks inside a bevel,
// each bar lit from the bottom up in proportion to its Position, in three
// colour zones. Two pre-rendered images of one bar (unlit and lit) make
// every bar; a change of one bar's Position redraws that bar alone, straight
// on the screen.
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "host/graphics/Bitmap.h"
#include "kxpack/foundations/KxBevel.h"
#include "kxpack/foundations/KxClasses.h"
#include "kxpack/foundations/KxControls.h"
#include "kxpack/foundations/KxLevelTarget.h"
#include "kxpack/foundations/KxTypes.h"

namespace kx {

class TKxMixViewer;

class TKxMixViewerBar : public TKxCollectionItem {
  HOST_CLASS(TKxMixViewerBar, TKxCollectionItem)
 public:
  explicit TKxMixViewerBar(TKxCollection* Collection) : TKxCollectionItem(Collection) {}

  Integer Position() const { return FPosition; }
  // Stored as given (not clamped); the viewer redraws this bar alone.
  void SetPosition(Integer Value);

  // Position, for the bars a form file stores with the viewer.
  static const TPublished& PublishedProperties();

 private:
  Integer FPosition = 0;
};

class TKxMixViewerBars : public TKxCollection {
  HOST_CLASS(TKxMixViewerBars, TKxCollection)
 public:
  explicit TKxMixViewerBars(TKxMixViewer* Viewer) : FViewer(Viewer) {}

  TKxMixViewerBar* GetItem(Integer Index) const {
    return static_cast<TKxMixViewerBar*>(TKxCollection::GetItem(Index));
  }

 protected:
  // One bar redrawn for an item, all bars for none.
  void Update(TKxCollectionItem* Item) override;

 private:
  TKxMixViewer* FViewer;
};

// The bevel a viewer owns: a plain black border 2 pixels wide, so those are
// the values form files leave out.
class TKxMixViewerBevel : public TKxBevel {
  HOST_CLASS(TKxMixViewerBevel, TKxBevel)
 public:
  TKxMixViewerBevel();
  static constexpr TKxBorderWidth kDefaultBorderWidth = 2;
  static constexpr host::TColor kDefaultBorderColor = host::clBlack;
  static constexpr host::TColor kDefaultOuterColor = host::clBlack;
  static const TPublished& PublishedProperties();
};

class TKxMixViewer : public TKxGraphicImageControl, public TKxAbout, public TKxLevelTarget {
  HOST_CLASS(TKxMixViewer, TKxGraphicImageControl)
 public:
  explicit TKxMixViewer(TComponent* AOwner);
  ~TKxMixViewer() override;

  // What a new viewer shows; the published defaults.
  static constexpr Integer kDefaultColumns = 10;
  static constexpr Integer kMaxColumns = 4096;
  static constexpr Integer kDefaultMinValue = 0;
  static constexpr Integer kDefaultMaxValue = 100;
  static constexpr TColor kDefaultMarkerColor = host::clWhite;
  static constexpr Integer kDefaultTickHeight = 1;
  static constexpr Integer kDefaultSpacing = 1;
  static constexpr TKxPercentInt kDefaultPercent1 = 60;
  static constexpr TKxPercentInt kDefaultPercent2 = 25;
  static constexpr TKxMaxInt kDefaultBarWidth = 8;
  static constexpr Integer kDefaultBarSpacing = 1;
  static constexpr TColor kDefaultColor = host::clBlack;
  static constexpr TColor kDefaultPal2Low = 0x008080, kDefaultPal2High = 0x00FFFF;
  static constexpr TColor kDefaultPal3Low = 0x000080, kDefaultPal3High = 0x0000FF;

  static const TPublished& PublishedProperties();

  TKxGraphPal* GraphPal1() const { return FGraphPal1.get(); }
  TKxGraphPal* GraphPal2() const { return FGraphPal2.get(); }
  TKxGraphPal* GraphPal3() const { return FGraphPal3.get(); }
  // Copy the colours; the caller keeps its palette.
  void SetGraphPal1(TKxGraphPal* Value) { FGraphPal1->Assign(Value); }
  void SetGraphPal2(TKxGraphPal* Value) { FGraphPal2->Assign(Value); }
  void SetGraphPal3(TKxGraphPal* Value) { FGraphPal3->Assign(Value); }
  TKxPercentInt Percent1() const { return FPercent1; }
  // Clamped into 0 to 100, then lowered so that Percent1 + Percent2 stays
  // within 100, except while a form file is read.
  void SetPercent1(Integer Value);
  TKxPercentInt Percent2() const { return FPercent2; }
  void SetPercent2(Integer Value);
  TKxBevel* Bevel() const { return FBevel.get(); }
  void SetBevel(TKxBevel* Value) { FBevel->Assign(Value); }
  Integer Columns() const { return FColumns; }
  // 1 to kMaxColumns only (each bar is an object: a count from a file must
  // not ask for billions); all bars are made again at Position 0.
  void SetColumns(Integer Value);
  Integer MaxValue() const { return FMaxValue; }
  // Above MinValue only; bars above it are lowered to it. While a form file
  // is read, MaxValue, MinValue and the positions are stored as given and
  // Loaded checks the range once.
  void SetMaxValue(Integer Value);
  Integer MinValue() const { return FMinValue; }
  // Below MaxValue only; bars below it are raised to it.
  void SetMinValue(Integer Value);
  TColor MarkerColor() const { return FMarkerColor; }
  void SetMarkerColor(TColor Value) { SetPaintedProp(FMarkerColor, Value); }
  bool MarkerVisible() const { return FMarkerVisible; }
  void SetMarkerVisible(bool Value) { SetPaintedProp(FMarkerVisible, Value); }
  Integer TickHeight() const { return FTickHeight; }
  // Above 0 only.
  void SetTickHeight(Integer Value);
  Integer Spacing() const { return FSpacing; }
  void SetSpacing(Integer Value) { SetPaintedProp(FSpacing, Value); }
  TKxMaxInt BarWidth() const { return FBarWidth; }
  // Clamped into 1 to 2147483647.
  void SetBarWidth(TKxMaxInt Value);
  Integer BarSpacing() const { return FBarSpacing; }
  void SetBarSpacing(Integer Value) { SetPaintedProp(FBarSpacing, Value); }
  bool ShowInactive() const { return FShowInactive; }
  void SetShowInactive(bool Value) { SetPaintedProp(FShowInactive, Value); }
  bool PlainColors() const { return FPlainColors; }
  void SetPlainColors(bool Value) { SetPaintedProp(FPlainColors, Value); }

  TKxMixViewerBars* Bars() const { return FBars.get(); }
  Integer GetCount() const { return FBars->GetCount(); }
  TKxMixViewerBar* GetItem(Integer Index) const { return FBars->GetItem(Index); }
  // Every bar to Value clamped into [MinValue, MaxValue], first to last.
  void Reset(Integer Value);
  // Value as a whole percentage of the range (beyond 0 to 100 outside it).
  Integer GetPercentDone(Integer Value) const;
  void CreateObjects();
  // Bar area, tick count, bar images, and the size fitted to whole ticks
  // and columns.
  void CalcPaintParams();
  void CreateBarImages();
  // Draw one bar, or all, on the drawing canvas: the off-screen bitmap
  // during a paint, else straight on the screen.
  void UpdateBar(Integer Index);
  void UpdateBars();
  void GetItemRect(Integer Index, TRect& Rect) const;
  void PaletteModified(TObject* Sender);
  void BevelChanged(TObject* Sender);
  void Loaded() override;

  // As a level target: the range, and bar Channel's Position.
  Integer LevelMin() const override { return FMinValue; }
  Integer LevelMax() const override { return FMaxValue; }
  void SetLevel(Integer Channel, Integer Value) override;

  TRect BarArea() const { return FBarArea; }
  Integer TickCount() const { return FTickCount; }
  // The unlit (0) and lit (1) bar image.
  TBitmap* BarImage(int Index) const { return FBarImages[Index].get(); }

 protected:
  void Paint() override;

 private:
  // The distance from one tick's top to the next one's. A pitch of 0 or
  // less cannot lay ticks out (the tick count divides by it), so the ticks
  // then touch, as with a Spacing of 0.
  int64_t TickPitch() const;
  // Whether a bar may be drawn straight on the screen now.
  bool CanDrawBarOnScreen() const;
  // Sets every bar outside [MinValue, MaxValue] to the nearer end.
  void ClampBars();

  TKxMaxInt FBarWidth = kDefaultBarWidth;
  Integer FBarSpacing = kDefaultBarSpacing;
  bool FPlainColors = false;
  Integer FColumns = kDefaultColumns;
  Integer FMaxValue = kDefaultMaxValue;
  Integer FMinValue = kDefaultMinValue;
  std::unique_ptr<TKxMixViewerBevel> FBevel;
  std::unique_ptr<TKxGraphPal> FGraphPal1;
  std::unique_ptr<TKxGraphPal> FGraphPal2;
  std::unique_ptr<TKxGraphPal> FGraphPal3;
  TKxPercentInt FPercent1 = kDefaultPercent1;
  TKxPercentInt FPercent2 = kDefaultPercent2;
  TColor FMarkerColor = kDefaultMarkerColor;
  bool FMarkerVisible = true;
  bool FShowInactive = true;
  Integer FTickHeight = kDefaultTickHeight;
  Integer FSpacing = kDefaultSpacing;
  TRect FBarArea{};
  std::array<std::unique_ptr<TBitmap>, 2> FBarImages;
  Integer FTickCount = 0;
  std::unique_ptr<TKxMixViewerBars> FBars;
  // Set by the first paint: until then there is no bar area to keep when
  // the bevel changes, and no image to draw a bar from.
  bool FLaidOut = false;
  // The lit count each bar shows on the screen, or -1 when not known (not
  // drawn yet, or a change the screen did not get).
  std::vector<int64_t> FShownLit;
};

}  // namespace kx
