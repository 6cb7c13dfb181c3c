#pragma once
// Single LEDs: TKxIndicators shows one cell of a two-cell glyph strip (off,
// on) recoloured by a palette, with a caption laid out beside it, through the
// off-screen bitmap; TKxSimpleLed is the one on the palette. TKxBorderLed
// fills a rectangle with the palette's off or on colour inside an optional
// outline and a bevel, or leaves its painting to OnDraw.
#include <memory>
#include <utility>

#include "host/graphics/Bitmap.h"
#include "kxpack/foundations/KxBevel.h"
#include "kxpack/foundations/KxControls.h"
#include "kxpack/foundations/KxGraphPal.h"
#include "kxpack/foundations/KxTypes.h"

namespace kx {

// The body colours of the LED strips: off cell, on cell. The palette's Low
// and High take their place.
inline constexpr TColor kLedOffBody = 0x000080;
inline constexpr TColor kLedOnBody = 0x0000FF;

class TKxIndicators : public TKxGraphicImageControl {
  HOST_CLASS(TKxIndicators, TKxGraphicImageControl)
 public:
  explicit TKxIndicators(TComponent* AOwner);
  ~TKxIndicators() override;

  // What a new LED shows; the published defaults.
  static constexpr TKxSimpleLedType kDefaultLedType = tltRounded;
  static constexpr TKxImageTextLayout kDefaultLayout = tImageLeft;
  static constexpr Integer kDefaultMargin = -1;
  static constexpr Integer kDefaultSpacing = 5;
  static constexpr TKxSimpleLedDrawStyle kDefaultDrawStyle = tdsDesign;
  static constexpr TColor kDefaultColor = host::clBlack;
  static constexpr TColor kDefaultFontColor = 0xFFFFFF;

  bool Active() const { return FActive; }
  // A real change repaints, then fires OnChange.
  void SetActive(bool Value);
  TKxGraphPal* GraphPal() const { return FGraphPal.get(); }
  // Copies the colours; the caller keeps its palette.
  void SetGraphPal(TKxGraphPal* Value) { FGraphPal->Assign(Value); }
  TKxSimpleLedType LedType() const { return FLedType; }
  void SetLedType(TKxSimpleLedType Value);
  TKxImageTextLayout Layout() const { return FLayout; }
  void SetLayout(TKxImageTextLayout Value);
  // Gap between the edge and the glyph; −1 chooses it.
  Integer Margin() const { return FMargin; }
  void SetMargin(Integer Value);
  // Gap between the glyph and the caption; −1 chooses it.
  Integer Spacing() const { return FSpacing; }
  void SetSpacing(Integer Value);
  // tdsDesign: the built-in strip of LedType; tdsCustom: Glyphs as it is.
  TKxSimpleLedDrawStyle DrawStyle() const { return FDrawStyle; }
  void SetDrawStyle(TKxSimpleLedDrawStyle Value);
  // The strip of tdsCustom: off cell left, on cell right.
  TBitmap* Glyphs() const { return FGlyphs.get(); }
  // Copies the bitmap; the caller keeps its own.
  void SetGlyphs(TBitmap* Value) { FGlyphs->Assign(Value); }
  using TKxGraphicImageControl::SetTransparent;
  using TKxGraphicImageControl::Transparent;

  // Makes the working strip afresh from its source: the built-in strip
  // recoloured by the palette, or a copy of Glyphs.
  virtual void LoadBitmaps();
  // Where the last paint put the glyph and the caption.
  const TRect& GlyphRect() const { return FGlyphRect; }
  const TRect& TextRect() const { return FTextRect; }

  // Fired after Active took a new value.
  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }

 protected:
  virtual void Changed();
  void Paint() override;
  void CMTextChanged(TMessage& Message) override;

  TNotifyEvent FOnChange;

 private:
  // Glyph and caption places for the current size, font and caption.
  void CalcPaintParams();
  void SourceChanged(TObject* Sender);

  TKxSimpleLedType FLedType = kDefaultLedType;
  std::unique_ptr<TKxGraphPal> FGraphPal;
  bool FActive = false;
  Integer FSpacing = kDefaultSpacing;
  Integer FMargin = kDefaultMargin;
  TKxImageTextLayout FLayout = kDefaultLayout;
  std::unique_ptr<TBitmap> FGlyphs;
  TKxSimpleLedDrawStyle FDrawStyle = kDefaultDrawStyle;
  TRect FGlyphRect;
  TRect FTextRect;
  std::unique_ptr<TBitmap> FLedBitmap;
};

class TKxSimpleLed : public TKxIndicators, public TKxAbout {
  HOST_CLASS(TKxSimpleLed, TKxIndicators)
 public:
  explicit TKxSimpleLed(TComponent* AOwner) : TKxIndicators(AOwner) {}
  static const TPublished& PublishedProperties();
};

// The bordered LED's bevel: a $554A4A border, a raised ring, a $342E2E band.
// The border differs from a plain bevel's, so those two values are what form
// files leave out.
class TKxBorderLedBevel : public TKxBevel {
  HOST_CLASS(TKxBorderLedBevel, TKxBevel)
 public:
  TKxBorderLedBevel();
  static constexpr TKxBorderWidth kDefaultBorderWidth = 1;
  static constexpr TColor kDefaultBorderColor = 0x554A4A;
  static const TPublished& PublishedProperties();
};

// Draws a bordered LED: its canvas and client rectangle.
using TKxBorderLedDrawEvent = host::TEvent<TObject*, TCanvas*, TRect>;

class TKxBorderLed : public TKxGraphicControl, public TKxAbout {
  HOST_CLASS(TKxBorderLed, TKxGraphicControl)
 public:
  explicit TKxBorderLed(TComponent* AOwner);
  ~TKxBorderLed() override;

  static constexpr TColor kDefaultOutlineColor = 0x000000;
  static constexpr Integer kDefaultOutlineWidth = 0;
  static constexpr TKxDrawStyle kDefaultDrawStyle = tdsNormal;

  TKxBevel* Bevel() const { return FBevel.get(); }
  // Copies the values; the caller keeps its bevel.
  void SetBevel(TKxBevel* Value) { FBevel->Assign(Value); }
  TKxGraphPal* GraphPal() const { return FGraphPal.get(); }
  void SetGraphPal(TKxGraphPal* Value) { FGraphPal->Assign(Value); }
  bool Active() const { return FActive; }
  // A real change repaints, then fires OnChange.
  void SetActive(bool Value);
  TColor OutlineColor() const { return FOutlineColor; }
  void SetOutlineColor(TColor Value) { SetPaintedProp(FOutlineColor, Value); }
  // A flat frame outside the bevel, drawn only when above 0.
  Integer OutlineWidth() const { return FOutlineWidth; }
  void SetOutlineWidth(Integer Value) { SetPaintedProp(FOutlineWidth, Value); }
  // tdsOwnerDraw: the control shows its Color and OnDraw paints the rest.
  TKxDrawStyle DrawStyle() const { return FDrawStyle; }
  void SetDrawStyle(TKxDrawStyle Value) { SetPaintedProp(FDrawStyle, Value); }

  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }
  const TKxBorderLedDrawEvent& OnDraw() const { return FOnDraw; }
  void SetOnDraw(TKxBorderLedDrawEvent Value) { FOnDraw = std::move(Value); }

  static const TPublished& PublishedProperties();

 protected:
  virtual void Change();
  void Paint() override;

 private:
  void PartChanged(TObject*) { UpdateControlCanvas(); }

  std::unique_ptr<TKxBevel> FBevel;
  std::unique_ptr<TKxGraphPal> FGraphPal;
  bool FActive = false;
  TColor FOutlineColor = kDefaultOutlineColor;
  Integer FOutlineWidth = kDefaultOutlineWidth;
  TKxDrawStyle FDrawStyle = kDefaultDrawStyle;
  TNotifyEvent FOnChange;
  TKxBorderLedDrawEvent FOnDraw;
};

}  // namespace kx
