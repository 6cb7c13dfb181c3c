#include "kxpack/chrome/KxPanelFooter.h"

#include <memory>
#include <utility>

#include "host/classes/ClassRegistry.h"

namespace kx {

using namespace host;

namespace {

// Dark grey (red 78, green 78, blue 88) of the footer bevel's rings.
constexpr TColor kFooterRingColor = 0x00584E4E;

// Where the grip sits on a footer of the given size: its right edge on the
// footer's, its last row one pixel below it (clipped).
TPoint GripPlace(int32_t FooterWidth, int32_t FooterHeight) {
  return Point(FooterWidth - 14, FooterHeight - 13);
}

}  // namespace

// --- TKxFooterBevel ------------------------------------------------------------------

TKxFooterBevel::TKxFooterBevel() {
  SetBorderWidth(0);
  SetBorderColor(kFooterRingColor);
  SetInnerShadow(kFooterRingColor);
  SetInnerHighlight(kFooterRingColor);
  SetInnerWidth(1);
  SetInnerStyle(kxNone);
  SetInnerOutline(osNone);
  SetInnerSpace(1);
  SetInnerColor(kFooterRingColor);
  SetOuterShadow(kFooterRingColor);
  SetOuterHighlight(kFooterRingColor);
  SetOuterWidth(1);
  SetOuterStyle(kxNone);
  SetOuterOutline(osNone);
  SetOuterSpace(0);
  SetOuterColor(kFooterRingColor);
}

const TPublished& TKxFooterBevel::PublishedProperties() {
  static const TPublished table = DefaultsOfNew<TKxFooterBevel>();
  return table;
}

// --- TKxPanelFooter ------------------------------------------------------------------

TKxPanelFooter::TKxPanelFooter(TComponent* AOwner)
    : TKxPanelMenu(AOwner, std::make_unique<TKxFooterBevel>()) {
  SetHeight(kDefaultHeight);
  SetAlign(kDefaultAlign);
  SetColor(kDefaultColor);
  FImgSize = new TKxImgSize(this);
  FImgSize->SetParent(this);
  const TPoint place = GripPlace(Width(), Height());
  FImgSize->SetTop(place.Y);
  FImgSize->SetLeft(place.X);
  // Also told when the grip is given to another owner and freed there.
  FImgSize->FreeNotification(this);
}

TKxPanelFooter::~TKxPanelFooter() { FreeAndNil(FImgSize); }

void TKxPanelFooter::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation == opRemove && AComponent == FImgSize) FImgSize = nullptr;
  inherited::Notification(AComponent, Operation);
}

WPARAM TKxPanelFooter::SizeEdge() const {
  if (FUseResizeHorz && FUseResizeVert) return WMSZ_BOTTOMRIGHT;
  if (FUseResizeHorz) return WMSZ_RIGHT;
  if (FUseResizeVert) return WMSZ_BOTTOM;
  return 0;
}

void TKxPanelFooter::SetUseResizeHorz(bool Value) {
  FUseResizeHorz = Value;
  SwitchChanged(Value, FUseResizeVert);
}

void TKxPanelFooter::SetUseResizeVert(bool Value) {
  FUseResizeVert = Value;
  SwitchChanged(Value, FUseResizeHorz);
}

void TKxPanelFooter::SwitchChanged(bool Value, bool Other) {
  if (!FImgSize) return;
  if (Value || !Other) FUseResizeImg = Value;
  SetUseResizeImg(FUseResizeImg);
}

void TKxPanelFooter::SetUseResizeImg(bool Value) {
  FUseResizeImg = Value;
  if (!FImgSize) return;
  FImgSize->SetVisible(Value);
  FImgSize->Invalidate();
}

void TKxPanelFooter::Loaded() {
  Swallowing([this] {
    inherited::Loaded();
    if (!FUseResizeHorz && !FUseResizeVert && Visible()) FUseResizeImg = false;
    Resize();
  });
}

void TKxPanelFooter::Resize() {
  Swallowing([this] {
    inherited::Resize();
    if (FImgSize) {
      const TPoint place = GripPlace(Width(), Height());
      FImgSize->SetTop(place.Y);
      FImgSize->SetLeft(place.X);
    }
    Invalidate();
  });
}

void TKxPanelFooter::Paint() {
  Swallowing([this] {
    inherited::Paint();
    if (FImgSize) FImgSize->Refresh();
  });
}

const TPublished& TKxPanelFooter::PublishedProperties() {
  using T = TKxPanelFooter;
  static const TPublished table =
      Publish<T>()
          .SetDefault("Align", kDefaultAlign)
          .SetDefault("Anchors", static_cast<int64_t>(TAnchors{akLeft, akRight, akBottom}.Bits()))
          .SetDefault("Color", kDefaultColor)
          .Bool("UseResizeHorz", &T::UseResizeHorz, &T::SetUseResizeHorz)
          .Bool("UseResizeVert", &T::UseResizeVert, &T::SetUseResizeVert)
          .Bool("UseResizeImg", &T::UseResizeImg, &T::SetUseResizeImg, kDefaultUseResizeImg);
  return table;
}

namespace {
const bool kRegistered = (RegisterClasses<TKxPanelFooter>(), true);
}  // namespace

}  // namespace kx
