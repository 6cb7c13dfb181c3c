#pragma once
// The seven-segment displays: TKxDisplay paints a row of cells cut from a
// recoloured glyph strip (ten digits, a blank digit, an unlit and a lit
// minus); TKxDisplayNum shows an integer Value clamped to [Min, Max] with it.
#include <memory>
#include <utility>

#include "host/graphics/Bitmap.h"
#include "kxpack/foundations/KxClasses.h"
#include "kxpack/foundations/KxControls.h"
#include "kxpack/foundations/KxTypes.h"

namespace kx {

// The cells of a glyph strip, left to right.
inline constexpr Integer kDisplayBlankCell = 10;
inline constexpr Integer kDisplayMinusUnlitCell = 11;
inline constexpr Integer kDisplayMinusLitCell = 12;
inline constexpr Integer kDisplayCellCount = 13;

class TKxDisplay : public TKxGraphicImageControl, public TKxAbout {
  HOST_CLASS(TKxDisplay, TKxGraphicImageControl)
 public:
  explicit TKxDisplay(TComponent* AOwner);
  ~TKxDisplay() override;

  // What a new display shows; the published defaults.
  static constexpr Integer kDefaultDigits = 4;
  static constexpr Integer kDefaultSpacing = 2;
  static constexpr TKxDisplayNumStyle kDefaultStyle = tns7x13;
  static constexpr TKxDisplayNumAlignment kDefaultAlignment = tnaCenter;
  static constexpr Integer kDefaultMin = 0;
  static constexpr Integer kDefaultMax = 9999;
  static constexpr host::TColor kDefaultColor = host::clBlack;

  Integer Value() const { return FValue; }
  // Clamped into [Min, Max]; a real change repaints, then fires OnChange.
  // While a form file is read, Value, Min and Max are stored as given;
  // Loaded checks the range once and fires nothing.
  void SetValue(Integer Value);
  Integer Digits() const { return FDigits; }
  // 1 to 15; other values are ignored.
  void SetDigits(Integer Value);
  Integer Max() const { return FMax; }
  // Accepted only above Min; Value is not clamped again.
  void SetMax(Integer Value);
  Integer Min() const { return FMin; }
  // Accepted only below Max; a negative Min adds the sign cell.
  void SetMin(Integer Value);
  Integer Spacing() const { return FSpacing; }
  void SetSpacing(Integer Value);
  TKxDisplayNumStyle Style() const { return FStyle; }
  void SetStyle(TKxDisplayNumStyle Value);
  bool LeadingZero() const { return FLeadingZero; }
  void SetLeadingZero(bool Value);
  TKxGraphPal* Palette() const { return FPalette.get(); }
  // Copies the colours; the caller keeps its palette.
  void SetPalette(TKxGraphPal* Value) { FPalette->Assign(Value); }
  TKxDisplayNumAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TKxDisplayNumAlignment Value);
  bool ZeroBlank() const { return FZeroBlank; }
  void SetZeroBlank(bool Value);
  // Stores and repaints; the resize to the cell row happens when painting.
  void SetAutoSize(bool Value) override;
  using TKxGraphicImageControl::SetTransparent;
  using TKxGraphicImageControl::Transparent;

  // Loads the strip of the current Style afresh and recolours it.
  virtual void LoadBitmaps();
  // Loads the bitmap resource Name of the package into Bitmap and recolours
  // its key colours with the palette.
  void LoadGlyph(TBitmap* Bitmap, const char* Name) const;
  void PaletteModified(TObject* Sender);
  // Draws glyph cell Cell (0 to 12) at (X, Y) of the off-screen bitmap;
  // black pixels of the strip leave the frame as it is.
  void DrawNum(Integer Cell, Integer X, Integer Y);
  // Resizes an unaligned control to the given size.
  void ChangeSize(Integer AWidth, Integer AHeight);
  void RequestAlign() override;
  void Loaded() override;

  Integer CellWidth() const { return FCellWidth; }
  Integer CellHeight() const { return FCellHeight; }
  bool SignCell() const { return FSignCell; }

  // Fired after Value took a new value.
  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }

 protected:
  virtual void Change();
  void Paint() override;

  // Marks a Paint in progress for its lifetime: the auto size's resize must
  // not start a paint inside this one (the resize invalidates what the new
  // bounds need).
  class TPaintScope {
   public:
    explicit TPaintScope(TKxDisplay& Display) : FDisplay(Display) { FDisplay.FPainting = true; }
    ~TPaintScope() { FDisplay.FPainting = false; }
    TPaintScope(const TPaintScope&) = delete;
    TPaintScope& operator=(const TPaintScope&) = delete;

   private:
    TKxDisplay& FDisplay;
  };

  Integer FValue = 0;
  Integer FDigits = kDefaultDigits;
  Integer FMax = kDefaultMax;
  Integer FMin = kDefaultMin;
  Integer FSpacing = kDefaultSpacing;
  TKxDisplayNumStyle FStyle = kDefaultStyle;
  bool FLeadingZero = false;
  std::unique_ptr<TKxGraphPal> FPalette;
  TKxDisplayNumAlignment FAlignment = kDefaultAlignment;
  bool FZeroBlank = false;
  std::unique_ptr<TBitmap> FNumBitmap;
  Integer FCellWidth = 0;
  Integer FCellHeight = 0;
  bool FSignCell = kDefaultMin < 0;
  TNotifyEvent FOnChange;

 private:
  // Set by TPaintScope.
  bool FPainting = false;
};

class TKxDisplayNum : public TKxDisplay {
  HOST_CLASS(TKxDisplayNum, TKxDisplay)
 public:
  explicit TKxDisplayNum(TComponent* AOwner) : TKxDisplay(AOwner) {}

  static const TPublished& PublishedProperties();
};

}  // namespace kx
