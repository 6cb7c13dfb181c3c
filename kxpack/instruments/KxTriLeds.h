#pragma once
// TKxTriLeds: up to three lamps, green, yellow and red, in a row or a column
// centred in the control, each shown or hidden and lit or unlit, cut from a
// lit and an unlit glyph strip of the chosen shape.
#include <cstdint>
#include <memory>
#include <utility>

#include "host/graphics/Bitmap.h"
#include "kxpack/foundations/KxControls.h"
#include "kxpack/foundations/KxTypes.h"

namespace kx {

class TKxTriLeds : public TKxGraphicImageControl, public TKxAbout {
  HOST_CLASS(TKxTriLeds, TKxGraphicImageControl)
 public:
  explicit TKxTriLeds(TComponent* AOwner);
  ~TKxTriLeds() override;

  // What a new group shows; the published defaults.
  static constexpr Integer kDefaultSpacing = 5;
  static constexpr TKxTriLedsOrder kDefaultOrder = tloGreenToRed;
  static constexpr TKxOrientation kDefaultOrientation = tvoHorizontal;
  static constexpr TKxTriLedsType kDefaultLedType = tltGlassRect;
  static constexpr TColor kDefaultColor = host::clBlack;
  static constexpr TKxTriLedsVisible kAllLamps{tlsGreen, tlsYellow, tlsRed};

  // The lit lamps; a real change repaints, then fires OnChange.
  TKxTriLedsStates LedState() const { return FLedState; }
  void SetLedState(TKxTriLedsStates Value);
  // Gap between neighbouring shown lamps.
  Integer Spacing() const { return FSpacing; }
  void SetSpacing(Integer Value);
  TKxTriLedsOrder Order() const { return FOrder; }
  void SetOrder(TKxTriLedsOrder Value);
  TKxOrientation Orientation() const { return FOrientation; }
  void SetOrientation(TKxOrientation Value);
  // The shown lamps; hidden ones take no room.
  TKxTriLedsVisible LedsVisible() const { return FLedsVisible; }
  void SetLedsVisible(TKxTriLedsVisible Value);
  TKxTriLedsType LedType() const { return FLedType; }
  void SetLedType(TKxTriLedsType Value);
  using TKxGraphicImageControl::SetTransparent;
  using TKxGraphicImageControl::Transparent;

  // Loads the unlit and lit strips of LedType and measures a cell.
  virtual void LoadBitmaps();
  Integer VisibleCount() const { return FVisibleCount; }
  Integer CellWidth() const { return FCellWidth; }
  Integer CellHeight() const { return FCellHeight; }

  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }

  static const TPublished& PublishedProperties();

 protected:
  virtual void Change();
  void Paint() override;

 private:
  // Copies lamp Index (its cell in the strips), lit or unlit, to (X, Y) of
  // the off-screen bitmap; black pixels leave the background.
  void DrawLed(Integer X, Integer Y, Integer Index, bool Lit);
  // The shown lamps in Order, one cell plus Spacing apart along the axis,
  // the group centred on it and each lamp centred across it.
  void DrawLamps(bool Horizontal);

  TKxTriLedsStates FLedState;
  Integer FSpacing = kDefaultSpacing;
  TKxTriLedsOrder FOrder = kDefaultOrder;
  TKxOrientation FOrientation = kDefaultOrientation;
  TKxTriLedsType FLedType = kDefaultLedType;
  Integer FVisibleCount = 3;
  TKxTriLedsVisible FLedsVisible = kAllLamps;
  // Index 0 the unlit strip, 1 the lit one.
  std::unique_ptr<TBitmap> FBitmaps[2];
  Integer FCellWidth = 0;
  Integer FCellHeight = 0;
  TNotifyEvent FOnChange;
};

}  // namespace kx
