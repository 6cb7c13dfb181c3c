#include "kxpack/foundations/KxBevel.h"

#include "host/base/Types.h"
#include "host/classes/TypInfo.h"
#include "host/graphics/Color.h"
#include "kxpack/foundations/KxIntUtils.h"
#include "kxpack/foundations/KxPainters.h"

namespace kx {

using host::clBtnFace;
using host::clBtnHighlight;
using host::clBtnShadow;

TKxBevel::TKxBevel()
    : FBorderWidth(kDefaultBorderWidth),
      FBorderColor(kDefaultBorderColor),
      FInnerShadow(clBtnShadow),
      FInnerHighlight(clBtnHighlight),
      FInnerWidth(1),
      FInnerStyle(kxLowered),
      FInnerOutline(kDefaultInnerOutline),
      FInnerSpace(1),
      FInnerColor(clBtnFace),
      FOuterShadow(clBtnShadow),
      FOuterHighlight(clBtnHighlight),
      FOuterWidth(kDefaultOuterWidth),
      FOuterStyle(kxRaised),
      FOuterOutline(osOuter),
      FOuterSpace(kDefaultOuterSpace),
      FOuterColor(kDefaultOuterColor),
      FVisible(true) {}

const host::TPublished& TKxBevel::PublishedProperties() {
  using T = TKxBevel;
  // Entries without a default are always stored.
  static const host::TPublished table =
      host::Publish<T>()
          .Int("BorderWidth", &T::BorderWidth, &T::SetBorderWidth, kDefaultBorderWidth)
          .Color("BorderColor", &T::BorderColor, &T::SetBorderColor, kDefaultBorderColor)
          .Color("InnerShadow", &T::InnerShadow, &T::SetInnerShadow)
          .Color("InnerHighlight", &T::InnerHighlight, &T::SetInnerHighlight)
          .Int("InnerWidth", &T::InnerWidth, &T::SetInnerWidth)
          .Enum("InnerStyle", &T::InnerStyle, &T::SetInnerStyle)
          .Enum("InnerOutline", &T::InnerOutline, &T::SetInnerOutline, kDefaultInnerOutline)
          .Int("InnerSpace", &T::InnerSpace, &T::SetInnerSpace)
          .Color("InnerColor", &T::InnerColor, &T::SetInnerColor)
          .Color("OuterShadow", &T::OuterShadow, &T::SetOuterShadow)
          .Color("OuterHighlight", &T::OuterHighlight, &T::SetOuterHighlight)
          .Int("OuterWidth", &T::OuterWidth, &T::SetOuterWidth, kDefaultOuterWidth)
          .Enum("OuterStyle", &T::OuterStyle, &T::SetOuterStyle)
          .Enum("OuterOutline", &T::OuterOutline, &T::SetOuterOutline)
          .Int("OuterSpace", &T::OuterSpace, &T::SetOuterSpace, kDefaultOuterSpace)
          .Color("OuterColor", &T::OuterColor, &T::SetOuterColor, kDefaultOuterColor)
          .Bool("Visible", &T::Visible, &T::SetVisible, true);
  return table;
}

void TKxBevel::SetBorderWidth(TKxBorderWidth Value) {
  AdjustRange(Value, TKxBorderWidthLow, TKxBorderWidthHigh);
  SetProp(FBorderWidth, Value);
}

void TKxBevel::SetInnerWidth(TKxBevelWidth Value) {
  AdjustRange(Value, TKxBevelWidthLow, TKxBevelWidthHigh);
  SetProp(FInnerWidth, Value);
}

void TKxBevel::SetInnerSpace(TKxBevelSpace Value) {
  AdjustRange(Value, TKxBevelSpaceLow, TKxBevelSpaceHigh);
  SetProp(FInnerSpace, Value);
}

void TKxBevel::SetOuterWidth(TKxBevelWidth Value) {
  AdjustRange(Value, TKxBevelWidthLow, TKxBevelWidthHigh);
  SetProp(FOuterWidth, Value);
}

void TKxBevel::SetOuterSpace(TKxBevelSpace Value) {
  AdjustRange(Value, TKxBevelSpaceLow, TKxBevelSpaceHigh);
  SetProp(FOuterSpace, Value);
}

void TKxBevel::Assign(host::TPersistent* Source) {
  auto* src = host::As<TKxBevel>(Source);
  if (!src) {
    inherited::Assign(Source);
    return;
  }
  Updating([&] {
    SetBorderWidth(src->FBorderWidth);
    SetBorderColor(src->FBorderColor);
    SetInnerShadow(src->FInnerShadow);
    SetInnerHighlight(src->FInnerHighlight);
    SetInnerWidth(src->FInnerWidth);
    SetInnerStyle(src->FInnerStyle);
    SetInnerOutline(src->FInnerOutline);
    SetInnerSpace(src->FInnerSpace);
    SetInnerColor(src->FInnerColor);
    SetOuterShadow(src->FOuterShadow);
    SetOuterHighlight(src->FOuterHighlight);
    SetOuterWidth(src->FOuterWidth);
    SetOuterStyle(src->FOuterStyle);
    SetOuterOutline(src->FOuterOutline);
    SetOuterSpace(src->FOuterSpace);
    SetOuterColor(src->FOuterColor);
    SetVisible(src->FVisible);
  });
}

int64_t TKxBevel::Thickness() const {
  if (!FVisible) return 0;
  int64_t t = int64_t{FBorderWidth} + FOuterSpace + FInnerSpace;
  if (FOuterOutline != osNone) ++t;
  if (FInnerOutline != osNone) ++t;
  if (FOuterStyle != kxNone) t += FOuterWidth;
  if (FInnerStyle != kxNone) t += FInnerWidth;
  return t;
}

void TKxBevel::Paint(host::TCanvas* Canvas, host::TRect& Rect) const {
  if (!FVisible) return;
  auto outline = [&] { DrawFrame3D(Canvas, Rect, host::clBlack, host::clBlack, 1); };
  // A raised ring is light on its left and top edges, a lowered one dark.
  auto ring = [&](TKxBevelStyle style, TColor highlight, TColor shadow, Integer width) {
    if (style == kxNone) return;
    const bool raised = style == kxRaised;
    DrawFrame3D(Canvas, Rect, raised ? highlight : shadow, raised ? shadow : highlight, width);
  };
  if (FBorderWidth > 0) DrawFrame3D(Canvas, Rect, FBorderColor, FBorderColor, FBorderWidth);
  if (FOuterOutline == osOuter) outline();
  ring(FOuterStyle, FOuterHighlight, FOuterShadow, FOuterWidth);
  if (FOuterOutline == osInner) outline();
  DrawFrame3D(Canvas, Rect, FOuterColor, FOuterColor, FOuterSpace);
  if (FInnerOutline == osOuter) outline();
  ring(FInnerStyle, FInnerHighlight, FInnerShadow, FInnerWidth);
  if (FInnerOutline == osInner) outline();
  DrawFrame3D(Canvas, Rect, FInnerColor, FInnerColor, FInnerSpace);
}

void TKxBevel::GetVisibleArea(host::TRect& Rect) const { host::ShrinkRect(Rect, Thickness()); }

}  // namespace kx
