#include "kxpack/instruments/KxDisplay.h"

#include <cstdint>
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

// The key colours of the glyphs: unlit segments, lit segments.
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
  SetColor(kDefaultColor);
  FPalette = std::make_unique<TKxGraphPal>();
  FPalette->OnChange = TNotifyEvent(this, &TKxDisplay::PaletteModified);
  inherited::SetAutoSize(true);
  FNumBitmap = std::make_unique<TBitmap>();
  LoadBitmaps();
}

TKxDisplay::~TKxDisplay() {
  FPalette.reset();
  FNumBitmap.reset();
}

void TKxDisplay::SetValue(Integer Value) {
  // A form file's Value comes back as saved, whatever Min and Max it meets
  // on the way; Loaded checks the range once everything is read.
  if (Loading()) {
    FValue = Value;
    return;
  }
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
  if (Loading()) {
    FMax = Value;
    return;
  }
  if (Value == FMax || Value <= FMin) return;
  FMax = Value;
  UpdateControlCanvas();
}

void TKxDisplay::SetMin(Integer Value) {
  if (Loading()) {
    FMin = Value;
    return;
  }
  if (Value == FMin || Value >= FMax) return;
  FMin = Value;
  FSignCell = FMin < 0;
  UpdateControlCanvas();
}

void TKxDisplay::Loaded() {
  // Every Value is a state the setters allow (lowering Max or raising Min
  // leaves it alone), and so is every Min below Max.
  RepairLoadedRange(FMin, FMax, kDefaultMin, kDefaultMax);
  FSignCell = FMin < 0;
  inherited::Loaded();
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
  LoadGlyph(FNumBitmap.get(), ResNumId[FStyle]);
  FCellWidth = FNumBitmap->Width() / kDisplayCellCount;
  FCellHeight = FNumBitmap->Height();
}

void TKxDisplay::LoadGlyph(TBitmap* Bitmap, const char* Name) const {
  Bitmap->SetHandle(LoadBitmap(HInstance(), Name));
  FPalette->ToBMP(Bitmap, kUnlitKey, kLitKey);
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
  const TPaintScope painting(*this);
  ClearBitmapCanvas();
  const std::string text = CellText(FValue, FDigits, FLeadingZero, FZeroBlank);
  // In 64 bits: a large Spacing puts the row, and cells, past the
  // Integer range; the auto size takes the nearest Integer.
  const int64_t cells = FDigits + (FSignCell ? 1 : 0);
  const int64_t rowWidth = cells * FCellWidth + (cells - 1) * int64_t{FSpacing};
  if (AutoSize()) ChangeSize(host::SaturateToInt32(rowWidth), FCellHeight);

  int64_t x = 0;
  if (FAlignment == tnaRightJustify)
    x = ClientWidth() - rowWidth;
  else if (FAlignment == tnaCenter)
    x = (ClientWidth() - rowWidth) / 2;
  const Integer y = (Height() - FCellHeight) / 2;
  const int64_t step = int64_t{FCellWidth} + FSpacing;
  // Only cells that reach into the client area are drawn.
  auto draw = [&](Integer cell) {
    if (x < ClientWidth() && x + FCellWidth > 0) DrawNum(cell, static_cast<Integer>(x), y);
    x += step;
  };

  if (FSignCell) draw(FValue < 0 ? kDisplayMinusLitCell : kDisplayMinusUnlitCell);
  for (char c : text) draw(c == ' ' ? kDisplayBlankCell : c - '0');
  inherited::Paint();
}

// --- TKxDisplayNum ------------------------------------------------------------

const TPublished& TKxDisplayNum::PublishedProperties() {
  using T = TKxDisplayNum;
  static const TPublished table = [] {
    auto builder = Publish<T>();
    PublishAbout(builder)
        .Int("Digits", &T::Digits, &T::SetDigits, kDefaultDigits)
        .Int("Value", &T::Value, &T::SetValue, 0)
        .Int("Spacing", &T::Spacing, &T::SetSpacing, kDefaultSpacing)
        .Enum("Style", &T::Style, &T::SetStyle, kDefaultStyle)
        .Bool("LeadingZero", &T::LeadingZero, &T::SetLeadingZero, false)
        .Object("Palette", &T::Palette, &T::SetPalette)
        .Enum("Alignment", &T::Alignment, &T::SetAlignment, kDefaultAlignment)
        .Publish("AutoSize")
        .Default(true)
        .Int("Max", &T::Max, &T::SetMax, kDefaultMax)
        .Int("Min", &T::Min, &T::SetMin, kDefaultMin)
        .Bool("ZeroBlank", &T::ZeroBlank, &T::SetZeroBlank, false)
        .Publish("Transparent", "Align", "Anchors", "Constraints", "Color")
        .Default(kDefaultColor)
        .StoredUnlessDefault()
        .Publish("DragCursor", "DragKind", "DragMode", "Hint", "ParentColor")
        .Default(false)
        .Publish("ParentShowHint", "PopupMenu", "ShowHint", "Visible")
        .Event("OnChange", &T::FOnChange)
        .PublishEvents("OnClick", "OnContextPopup", "OnDblClick", kDragDockEvents, kMouseEvents);
    return TPublished(builder);
  }();
  return table;
}

// Form files may name the numeric display.
const bool kDisplayNumRegistered = (RegisterClass<TKxDisplayNum>(), true);

}  // namespace kx
