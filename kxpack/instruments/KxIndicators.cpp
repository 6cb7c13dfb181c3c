#include "kxpack/instruments/KxIndicators.h"

#include <string>

#include "host/classes/ClassRegistry.h"
#include "host/graphics/Gdi.h"
#include "host/graphics/Resources.h"
#include "host/graphics/TextLayout.h"
#include "kxpack/foundations/KxConst.h"
#include "kxpack/foundations/KxPainters.h"
#include "kxpack/package/KxPack.h"

namespace kx {

using namespace host;

// --- TKxIndicators -------------------------------------------------------------

TKxIndicators::TKxIndicators(TComponent* AOwner) : TKxGraphicImageControl(AOwner) {
  SetControlStyle(ControlStyle() - TControlStyle{csSetCaption, csDoubleClicks} +
                  TControlStyle{csClickEvents, csOpaque, csReplicatable});
  SetBounds(Left(), Top(), 25, 25);
  SetParentColor(false);
  SetColor(kDefaultColor);
  Font()->SetColor(kDefaultFontColor);
  FGraphPal = std::make_unique<TKxGraphPal>();
  FGraphPal->SetLow(kLedOffBody);
  FGraphPal->SetHigh(kLedOnBody);
  FGraphPal->OnChange = TNotifyEvent(this, &TKxIndicators::SourceChanged);
  FGlyphs = std::make_unique<TBitmap>();
  FGlyphs->SetOnChange(TNotifyEvent(this, &TKxIndicators::SourceChanged));
  FLedBitmap = std::make_unique<TBitmap>();
  LoadBitmaps();
}

TKxIndicators::~TKxIndicators() {
  FGraphPal.reset();
  FGlyphs.reset();
  FLedBitmap.reset();
}

void TKxIndicators::SetActive(bool Value) {
  if (Value == FActive) return;
  FActive = Value;
  UpdateControlCanvas();
  Changed();
}

void TKxIndicators::SetLedType(TKxSimpleLedType Value) {
  if (Value == FLedType) return;
  FLedType = Value;
  LoadBitmaps();
  UpdateControlCanvas();
}

void TKxIndicators::SetLayout(TKxImageTextLayout Value) { SetPaintedProp(FLayout, Value); }
void TKxIndicators::SetMargin(Integer Value) { SetPaintedProp(FMargin, Value); }
void TKxIndicators::SetSpacing(Integer Value) { SetPaintedProp(FSpacing, Value); }

void TKxIndicators::SetDrawStyle(TKxSimpleLedDrawStyle Value) {
  if (Value == FDrawStyle) return;
  FDrawStyle = Value;
  LoadBitmaps();
  UpdateControlCanvas();
}

void TKxIndicators::LoadBitmaps() {
  if (FDrawStyle == tdsCustom) {
    FLedBitmap->Assign(FGlyphs.get());
    return;
  }
  // Always from the resource, so a recolouring never works on an already
  // recoloured strip.
  FLedBitmap->SetHandle(LoadBitmap(HInstance(), std::string("LI_") + LedTypeName[FLedType]));
  FGraphPal->ToBMP(FLedBitmap.get(), kLedOffBody, kLedOnBody);
}

void TKxIndicators::SourceChanged(TObject*) {
  LoadBitmaps();
  UpdateControlCanvas();
}

void TKxIndicators::Changed() {
  if (FOnChange) FOnChange(this);
}

void TKxIndicators::CMTextChanged(TMessage& Message) {
  inherited::CMTextChanged(Message);
  UpdateControlCanvas();
}

void TKxIndicators::CalcPaintParams() {
  TCanvas* canvas = Canvas();
  canvas->SetFont(Font());
  const TPoint cell{FLedBitmap->Width() / 2, FLedBitmap->Height()};
  TPoint glyph;
  CalcImageTextLayout(canvas, ClientRect(), TPoint{0, 0}, Caption(), FLayout, FMargin, FSpacing,
                      cell, glyph, FTextRect);
  FGlyphRect = Bounds(glyph.X, glyph.Y, cell.X, cell.Y);
}

void TKxIndicators::Paint() {
  ClearBitmapCanvas();
  CalcPaintParams();
  TCanvas* canvas = GetBitmapCanvas();
  // The left cell when off, the right cell when on; the key colour's pixels
  // leave what lies beneath.
  const Integer w = FLedBitmap->Width() / 2;
  const Integer x = FActive ? w : 0;
  canvas->Brush()->SetStyle(bsClear);
  const TColor key = FDrawStyle == tdsDesign ? clBlack : Color();
  // A huge Margin or Spacing puts glyph or caption far outside, at places
  // cut to the Integer range: those are not drawn at all.
  const TRect client = ClientRect();
  if (!Intersection(FGlyphRect, client).IsEmpty())
    canvas->BrushCopy(FGlyphRect, FLedBitmap.get(), Rect(x, 0, x + w, FLedBitmap->Height()), key);
  // With the clear brush the caption's background stays transparent.
  canvas->SetFont(Font());
  TRect text = FTextRect;
  if (!Intersection(text, client).IsEmpty())
    DrawText(canvas->Handle(), Caption(), text, DT_SINGLELINE | DT_VCENTER);
  inherited::Paint();
}

// --- TKxSimpleLed --------------------------------------------------------------------

const TPublished& TKxSimpleLed::PublishedProperties() {
  using T = TKxSimpleLed;
  static const TPublished table = [] {
    TPublishBuilder<T> b = Publish<T>();
    PublishAbout(b)
        .Bool("Active", &T::Active, &T::SetActive, false)
        .Object("GraphPal", &T::GraphPal, &T::SetGraphPal)
        .Enum("LedType", &T::LedType, &T::SetLedType, kDefaultLedType)
        .Enum("Layout", &T::Layout, &T::SetLayout, kDefaultLayout)
        .Int("Margin", &T::Margin, &T::SetMargin, kDefaultMargin)
        .Int("Spacing", &T::Spacing, &T::SetSpacing, kDefaultSpacing)
        .Publish("Transparent")
        .Enum("DrawStyle", &T::DrawStyle, &T::SetDrawStyle, kDefaultDrawStyle)
        .Object("Glyphs", &T::Glyphs, &T::SetGlyphs)
        .Event("OnChange", &T::FOnChange)
        .Publish("Align", "Anchors", "BiDiMode", "Constraints", "Caption", "Color")
        .Default(kDefaultColor)
        .StoredUnlessDefault()
        .Publish("DragCursor", "DragKind", "DragMode", "Font", "Hint", "ParentBiDiMode",
                 "ParentColor")
        .Default(false)
        // The constructor's font colour makes the font the LED's own.
        .Publish("ParentFont")
        .Default(false)
        .Publish("ParentShowHint", "PopupMenu", "ShowHint", "Visible")
        .PublishEvents("OnClick", "OnContextPopup", kDragDockEvents, kMouseEvents);
    return TPublished(b);
  }();
  return table;
}

// --- TKxBorderLedBevel -----------------------------------------------------------------

TKxBorderLedBevel::TKxBorderLedBevel() {
  SetBorderColor(kDefaultBorderColor);
  SetBorderWidth(kDefaultBorderWidth);
  SetInnerShadow(0x554A4A);
  SetInnerHighlight(0x554A4A);
  SetInnerWidth(1);
  SetInnerStyle(kxNone);
  SetInnerOutline(osNone);
  SetInnerSpace(1);
  SetInnerColor(0x342E2E);
  SetOuterShadow(0xCDB4B4);
  SetOuterHighlight(0x342E2E);
  SetOuterWidth(1);
  SetOuterStyle(kxRaised);
  SetOuterOutline(osNone);
  SetOuterSpace(0);
  SetOuterColor(clBtnFace);
}

const TPublished& TKxBorderLedBevel::PublishedProperties() {
  static const TPublished table = Publish<TKxBorderLedBevel>()
                                      .SetDefault("BorderWidth", kDefaultBorderWidth)
                                      .SetDefault("BorderColor", kDefaultBorderColor);
  return table;
}

// --- TKxBorderLed ----------------------------------------------------------------------

TKxBorderLed::TKxBorderLed(TComponent* AOwner) : TKxGraphicControl(AOwner) {
  SetControlStyle(ControlStyle() - TControlStyle{csSetCaption, csDoubleClicks} +
                  TControlStyle{csOpaque, csReplicatable});
  SetBounds(Left(), Top(), 20, 10);
  FGraphPal = std::make_unique<TKxGraphPal>();
  FGraphPal->SetLow(kLedOffBody);
  FGraphPal->SetHigh(kLedOnBody);
  FGraphPal->OnChange = TNotifyEvent(this, &TKxBorderLed::PartChanged);
  FBevel = std::make_unique<TKxBorderLedBevel>();
  FBevel->OnChange = TNotifyEvent(this, &TKxBorderLed::PartChanged);
}

TKxBorderLed::~TKxBorderLed() {
  FGraphPal.reset();
  FBevel.reset();
}

void TKxBorderLed::SetActive(bool Value) {
  if (Value == FActive) return;
  FActive = Value;
  UpdateControlCanvas();
  Change();
}

void TKxBorderLed::Change() {
  if (FOnChange) FOnChange(this);
}

void TKxBorderLed::Paint() {
  TCanvas* canvas = Canvas();
  if (FDrawStyle == tdsOwnerDraw) {
    ClearClientCanvas();
    if (FOnDraw) FOnDraw(this, canvas, ClientRect());
    return;
  }
  TRect r = ClientRect();
  if (FOutlineWidth > 0) DrawFrame3D(canvas, r, FOutlineColor, FOutlineColor, FOutlineWidth);
  FBevel->Paint(canvas, r);
  // Solid, whatever an owner-draw handler left on the canvas.
  canvas->Brush()->SetStyle(bsSolid);
  canvas->Brush()->SetColor(FGraphPal->GetColors(FActive ? 1 : 0));
  canvas->FillRect(r);
}

const TPublished& TKxBorderLed::PublishedProperties() {
  using T = TKxBorderLed;
  static const TPublished table = [] {
    TPublishBuilder<T> b = Publish<T>();
    PublishAbout(b)
        .Object("Bevel", &T::Bevel, &T::SetBevel)
        .Object("GraphPal", &T::GraphPal, &T::SetGraphPal)
        .Bool("Active", &T::Active, &T::SetActive, false)
        .Color("OutlineColor", &T::OutlineColor, &T::SetOutlineColor, kDefaultOutlineColor)
        .Int("OutlineWidth", &T::OutlineWidth, &T::SetOutlineWidth, kDefaultOutlineWidth)
        .Enum("DrawStyle", &T::DrawStyle, &T::SetDrawStyle, kDefaultDrawStyle)
        .Event("OnChange", &T::FOnChange)
        .Event("OnDraw", &T::FOnDraw)
        .Publish("Align", "Anchors", "Constraints", "DragCursor", "DragKind", "DragMode", "Hint",
                 "ParentShowHint", "PopupMenu", "ShowHint", "Visible")
        .PublishEvents(kDragDockEvents, kMouseEvents, "OnClick", "OnContextPopup", "OnDblClick");
    return TPublished(b);
  }();
  return table;
}

namespace {
const bool kRegistered = (RegisterClasses<TKxSimpleLed, TKxBorderLed>(), true);
}  // namespace

}  // namespace kx
