#include "kxpack/instruments/KxDisplay.h"

#include <string>

#include "host/classes/ClassRegistry.h"
#include "host/graphics/Canvas.h"
#include "host/graphics/Resources.h"
#include "kxpack/foundations/KxConst.h"
#include "kxpack/foundations/KxIntUtils.h"
#include "kxpack/package/KxPack.h"

namespace kx {

using namespace host;

namespace {

// The key colours of the glyph strips: unlit segments, lit segments.
constexpr TColor kUnlitKey = 0x808080;
constexpr TColor kLitKey = 0xC0C0C0;
constexpr Integer kMaxDigits = 15;

// The digits of |Value|, left-padded to Digits characters with '0' or ' '.
// The magnitude is taken in 64 bits, so -2147483648 shows 2147483648.
std::string CellText(Integer Value, Integer Digits, bool LeadingZero, bool ZeroBlank) {
  const int64_t magnitude = Value < 0 ? -static_cast<int64_t>(Value) : Value;
  std::string text = Value == 0 && ZeroBlank ? std::string() : std::to_string(magnitude);
  if (static_cast<Integer>(text.size()) < Digits)
    text.insert(0, Digits - text.size(), LeadingZero ? '0' : ' ');
  return text;
}

}  // namespace

TKxDisplay::TKxDisplay(TComponent* AOwner) : TKxGraphicImageControl(AOwner) {
  SetControlStyle(ControlStyle() + TControlStyle{csOpaque, csReplicatable});
  SetBounds(Left(), Top(), 110, 26);
  SetParentColor(false);
  SetColor(clBlack);
  FDigits = 4;
  FValue = 0;
  FSpacing = 2;
  FLeadingZero = false;
  FPalette = std::make_unique<TKxGraphPal>();
  FPalette->OnChange = TNotifyEvent(this, &TKxDisplay::PaletteModified);
  FStyle = tns7x13;
  FAlignment = tnaCenter;
  inherited::SetAutoSize(true);
  FMin = 0;
  FMax = 9999;
  FZeroBlank = false;
  FSignCell = false;
  FNumBitmap = std::make_unique<TBitmap>();
  LoadBitmaps();
}

TKxDisplay::~TKxDisplay() {
  FPalette.reset();
  FNumBitmap.reset();
}

void TKxDisplay::SetValue(Integer Value) {
  AdjustRange(Value, FMin, FMax);
  if (Value == FValue) return;
  FValue = Value;
  UpdateControlCanvas();
  Change();
}

void TKxDisplay::SetDigits(Integer Value) {
  if (Value < 1 || Value > kMaxDigits) return;
  SetPaintedProp(FDigits, Value);
}

void TKxDisplay::SetMax(Integer Value) {
  if (Value == FMax || Value <= FMin) return;
  FMax = Value;
  UpdateControlCanvas();
}

void TKxDisplay::SetMin(Integer Value) {
  if (Value == FMin || Value >= FMax) return;
  FMin = Value;
  FSignCell = FMin < 0;
  UpdateControlCanvas();
}

void TKxDisplay::SetSpacing(Integer Value) { SetPaintedProp(FSpacing, Value); }

void TKxDisplay::SetStyle(TKxDisplayNumStyle Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  LoadBitmaps();
  UpdateControlCanvas();
}

void TKxDisplay::SetLeadingZero(bool Value) { SetPaintedProp(FLeadingZero, Value); }

void TKxDisplay::SetAlignment(TKxDisplayNumAlignment Value) { SetPaintedProp(FAlignment, Value); }

void TKxDisplay::SetZeroBlank(bool Value) { SetPaintedProp(FZeroBlank, Value); }

void TKxDisplay::SetAutoSize(bool Value) {
  if (Value == AutoSize()) return;
  inherited::SetAutoSize(Value);
  UpdateControlCanvas();
}

void TKxDisplay::LoadBitmaps() {
  // Always from the resource, so a recolouring never works on an already
  // recoloured strip.
  FNumBitmap->SetHandle(LoadBitmap(HInstance(), ResNumId[FStyle]));
  FPalette->ToBMP(FNumBitmap.get(), kUnlitKey, kLitKey);
  FCellWidth = FNumBitmap->Width() / kDisplayCellCount;
  FCellHeight = FNumBitmap->Height();
}

void TKxDisplay::PaletteModified(TObject*) {
  LoadBitmaps();
  UpdateControlCanvas();
}

void TKxDisplay::DrawNum(Integer Cell, Integer X, Integer Y) {
  TCanvas* canvas = GetBitmapCanvas();
  canvas->Brush()->SetStyle(bsClear);
  canvas->BrushCopy(Rect(X, Y, X + FCellWidth, Y + FCellHeight), FNumBitmap.get(),
                    Rect(Cell * FCellWidth, 0, (Cell + 1) * FCellWidth, FCellHeight), clBlack);
}

void TKxDisplay::ChangeSize(Integer AWidth, Integer AHeight) {
  if (Align() != alNone || (AWidth == Width() && AHeight == Height())) return;
  SetWidth(AWidth);
  SetHeight(AHeight);
}

void TKxDisplay::Change() {
  if (FOnChange) FOnChange(this);
}

void TKxDisplay::RequestAlign() {
  inherited::RequestAlign();
  if (Align() == alNone && !FPainting) UpdateControlCanvas();
}

void TKxDisplay::Paint() {
  FPainting = true;
  struct Done {
    bool& painting;
    ~Done() { painting = false; }
  } done{FPainting};

  ClearBitmapCanvas();
  const std::string text = CellText(FValue, FDigits, FLeadingZero, FZeroBlank);
  const Integer cells = FDigits + (FSignCell ? 1 : 0);
  const Integer rowWidth = cells * FCellWidth + (cells - 1) * FSpacing;
  if (AutoSize()) ChangeSize(rowWidth, FCellHeight);

  Integer x = 0;
  if (FAlignment == tnaRightJustify)
    x = ClientWidth() - rowWidth;
  else if (FAlignment == tnaCenter)
    x = (ClientWidth() - rowWidth) / 2;
  const Integer y = (Height() - FCellHeight) / 2;
  const Integer step = FCellWidth + FSpacing;

  if (FSignCell) {
    DrawNum(FValue < 0 ? kDisplayMinusLitCell : kDisplayMinusUnlitCell, x, y);
    x += step;
  }
  for (char c : text) {
    DrawNum(c == ' ' ? kDisplayBlankCell : c - '0', x, y);
    x += step;
  }
  inherited::Paint();
}

// --- TKxDisplayNum ------------------------------------------------------------

const TPublished& TKxDisplayNum::PublishedProperties() {
  using T = TKxDisplayNum;
  static const TPublished table = [] {
    auto builder = Publish<T>();
    PublishAbout(builder)
        .Int("Digits", &T::Digits, &T::SetDigits, 4)
        // Restored after Min and Max, so that a saved Value outside the
        // range of a new display comes back as it was.
        .Int("Value", &T::Value, &T::SetValue, 0)
        .ReadLast()
        .Int("Spacing", &T::Spacing, &T::SetSpacing, 2)
        .Enum("Style", &T::Style, &T::SetStyle, tns7x13)
        .Bool("LeadingZero", &T::LeadingZero, &T::SetLeadingZero, false)
        .Object("Palette", &T::Palette, &T::SetPalette)
        .Enum("Alignment", &T::Alignment, &T::SetAlignment, tnaCenter)
        .Bool("AutoSize", &T::AutoSize, &T::SetAutoSize, true)
        .Int("Max", &T::Max, &T::SetMax, 9999)
        .Int("Min", &T::Min, &T::SetMin, 0)
        .Bool("ZeroBlank", &T::ZeroBlank, &T::SetZeroBlank, false)
        .Bool("Transparent", &T::Transparent, &T::SetTransparent, false)
        .Enum("Align", &T::Align, &T::SetAlign, alNone)
        .Set("Anchors", &T::Anchors, &T::SetAnchors, TAnchors{akLeft, akTop})
        .Object("Constraints", &T::Constraints, &T::SetConstraints)
        .Color("Color", &T::Color, &T::SetColor, clBlack)
        .Int("DragCursor", &T::DragCursor, &T::SetDragCursor, crDrag)
        .Enum("DragKind", &T::DragKind, &T::SetDragKind, dkDrag)
        .Enum("DragMode", &T::DragMode, &T::SetDragMode, dmManual)
        .String("Hint", &T::Hint, &T::SetHint, "")
        .Bool("ParentColor", &T::ParentColor, &T::SetParentColor, false)
        .Bool("ParentShowHint", &T::ParentShowHint, &T::SetParentShowHint, true)
        .Component("PopupMenu", &T::PopupMenu, &T::SetPopupMenu)
        .Bool("ShowHint", &T::ShowHint, &T::SetShowHint, false)
        .Bool("Visible", &T::Visible, &T::SetVisible, true)
        .Event("OnChange", &T::FOnChange)
        .Event("OnClick", &T::FOnClick)
        .Event("OnContextPopup", &T::FOnContextPopup)
        .Event("OnDblClick", &T::FOnDblClick)
        .Event("OnDragDrop", &T::FOnDragDrop)
        .Event("OnDragOver", &T::FOnDragOver)
        .Event("OnEndDock", &T::FOnEndDock)
        .Event("OnEndDrag", &T::FOnEndDrag)
        .Event("OnMouseDown", &T::FOnMouseDown)
        .Event("OnMouseMove", &T::FOnMouseMove)
        .Event("OnMouseUp", &T::FOnMouseUp)
        .Event("OnStartDock", &T::FOnStartDock)
        .Event("OnStartDrag", &T::FOnStartDrag);
    return TPublished(builder);
  }();
  return table;
}

// Form files may name the numeric display.
const bool kDisplayNumRegistered = (RegisterClass<TKxDisplayNum>(), true);

}  // namespace kx
