#pragma once
// TKxBevel: a multi-ring 3-D bevel (border, outer ring, inner ring, outlines
// and flat bands) and its painter.
#include <cstdint>

#include "host/base/EnumInfo.h"
#include "host/base/Types.h"
#include "host/graphics/Color.h"
#include "kxpack/foundations/KxPersistent.h"

namespace host {
class TCanvas;
class TPublished;
}  // namespace host

namespace kx {

HOST_ENUM(TKxBevelStyle, kxNone, kxLowered, kxRaised)
HOST_ENUM(TKxBevelOutlineStyle, osOuter, osInner, osNone)

using TKxBevelWidth = host::Integer;
inline constexpr TKxBevelWidth TKxBevelWidthLow = 1, TKxBevelWidthHigh = 2147483647;
using TKxBorderWidth = host::Integer;
inline constexpr TKxBorderWidth TKxBorderWidthLow = 0, TKxBorderWidthHigh = 2147483647;
using TKxBevelSpace = host::Integer;
inline constexpr TKxBevelSpace TKxBevelSpaceLow = 0, TKxBevelSpaceHigh = 2147483647;

class TKxBevel : public TKxPersistent {
  HOST_CLASS(TKxBevel, TKxPersistent)
 public:
  TKxBevel();

  // The declared defaults of a new bevel; the other properties are always
  // stored.
  static constexpr TKxBorderWidth kDefaultBorderWidth = 0;
  static constexpr host::TColor kDefaultBorderColor = host::clBtnFace;
  static constexpr TKxBevelOutlineStyle kDefaultInnerOutline = osNone;
  static constexpr TKxBevelWidth kDefaultOuterWidth = 1;
  static constexpr TKxBevelSpace kDefaultOuterSpace = 0;
  static constexpr host::TColor kDefaultOuterColor = host::clBtnFace;

  // Copies all 17 properties from another bevel with one OnChange at the end
  // (even when nothing differed); any other source raises EConvertError.
  void Assign(host::TPersistent* Source) override;
  // Paints the bevel inward from Rect and leaves Rect as the area inside it.
  void Paint(host::TCanvas* Canvas, host::TRect& Rect) const;
  // Shrinks Rect by the bevel's thickness, as Paint would, without painting.
  void GetVisibleArea(host::TRect& Rect) const;
  // The width of everything Paint draws inward from each edge: border,
  // outlines, rings of a style other than kxNone, and spaces; 0 when the
  // bevel is not Visible. Up to about 2^33, so 64 bits.
  int64_t Thickness() const;

  TKxBorderWidth BorderWidth() const { return FBorderWidth; }
  host::TColor BorderColor() const { return FBorderColor; }
  host::TColor InnerShadow() const { return FInnerShadow; }
  host::TColor InnerHighlight() const { return FInnerHighlight; }
  TKxBevelWidth InnerWidth() const { return FInnerWidth; }
  TKxBevelStyle InnerStyle() const { return FInnerStyle; }
  TKxBevelOutlineStyle InnerOutline() const { return FInnerOutline; }
  TKxBevelSpace InnerSpace() const { return FInnerSpace; }
  host::TColor InnerColor() const { return FInnerColor; }
  host::TColor OuterShadow() const { return FOuterShadow; }
  host::TColor OuterHighlight() const { return FOuterHighlight; }
  TKxBevelWidth OuterWidth() const { return FOuterWidth; }
  TKxBevelStyle OuterStyle() const { return FOuterStyle; }
  TKxBevelOutlineStyle OuterOutline() const { return FOuterOutline; }
  TKxBevelSpace OuterSpace() const { return FOuterSpace; }
  host::TColor OuterColor() const { return FOuterColor; }
  bool Visible() const { return FVisible; }

  // Widths and spaces out of their range are clamped into it.
  void SetBorderWidth(TKxBorderWidth Value);
  void SetBorderColor(host::TColor Value) { SetProp(FBorderColor, Value); }
  void SetInnerShadow(host::TColor Value) { SetProp(FInnerShadow, Value); }
  void SetInnerHighlight(host::TColor Value) { SetProp(FInnerHighlight, Value); }
  void SetInnerWidth(TKxBevelWidth Value);
  void SetInnerStyle(TKxBevelStyle Value) { SetProp(FInnerStyle, Value); }
  void SetInnerOutline(TKxBevelOutlineStyle Value) { SetProp(FInnerOutline, Value); }
  void SetInnerSpace(TKxBevelSpace Value);
  void SetInnerColor(host::TColor Value) { SetProp(FInnerColor, Value); }
  void SetOuterShadow(host::TColor Value) { SetProp(FOuterShadow, Value); }
  void SetOuterHighlight(host::TColor Value) { SetProp(FOuterHighlight, Value); }
  void SetOuterWidth(TKxBevelWidth Value);
  void SetOuterStyle(TKxBevelStyle Value) { SetProp(FOuterStyle, Value); }
  void SetOuterOutline(TKxBevelOutlineStyle Value) { SetProp(FOuterOutline, Value); }
  void SetOuterSpace(TKxBevelSpace Value);
  void SetOuterColor(host::TColor Value) { SetProp(FOuterColor, Value); }
  void SetVisible(bool Value) { SetProp(FVisible, Value); }

  static const host::TPublished& PublishedProperties();

 private:
  TKxBorderWidth FBorderWidth;
  host::TColor FBorderColor;
  host::TColor FInnerShadow;
  host::TColor FInnerHighlight;
  TKxBevelWidth FInnerWidth;
  TKxBevelStyle FInnerStyle;
  TKxBevelOutlineStyle FInnerOutline;
  TKxBevelSpace FInnerSpace;
  host::TColor FInnerColor;
  host::TColor FOuterShadow;
  host::TColor FOuterHighlight;
  TKxBevelWidth FOuterWidth;
  TKxBevelStyle FOuterStyle;
  TKxBevelOutlineStyle FOuterOutline;
  TKxBevelSpace FOuterSpace;
  host::TColor FOuterColor;
  bool FVisible;
};

}  // namespace kx
