#pragma once
// TScrollBox: a container whose children may lie beyond its client area.
// Scrolling moves the children, so their positions stay relative to what is
// shown; a bar appears on a side whose content does not fit.
#include "host/controls/Controls.h"
#include "host/controls/Panels.h"

namespace host {

class TScrollBox;

class TControlScrollBar : public TPersistent {
  HOST_CLASS(TControlScrollBar, TPersistent)
 public:
  static constexpr int32_t kDefaultIncrement = 8;
  TControlScrollBar(TScrollBox* Control, bool Vertical) : FControl(Control), FVertical(Vertical) {}
  static const TPublished& PublishedProperties();

  // How far the content is scrolled, 0 … Range - the client size.
  int32_t Position() const { return FPosition; }
  void SetPosition(int32_t v);
  // The content's extent; recomputed from the children while AutoScroll.
  int32_t Range() const { return FRange; }
  void SetRange(int32_t v);
  // Pixels one step (wheel notch, arrow) scrolls, at least 1.
  int32_t Increment() const { return FIncrement; }
  void SetIncrement(int32_t v) { FIncrement = std::max(v, 1); }
  bool Visible() const { return FVisible; }
  void SetVisible(bool v);
  // Shown now: visible and the content larger than the client side.
  bool IsScrollBarVisible() const;
  // The most Position can be.
  int32_t MaxPosition() const;
  void Assign(TPersistent* Source) override;

 private:
  friend class TScrollBox;
  TScrollBox* FControl;
  bool FVertical;
  int32_t FPosition = 0;
  int32_t FRange = 0;
  int32_t FIncrement = kDefaultIncrement;
  bool FVisible = true;
};

class TScrollBox : public TCustomControl {
  HOST_CLASS(TScrollBox, TCustomControl)
 public:
  static constexpr int32_t kBarSize = 16;

  explicit TScrollBox(TComponent* AOwner);

  // The declared defaults of a new scroll box.
  static constexpr bool kDefaultAutoScroll = true;
  static constexpr TBorderStyle kDefaultBorderStyle = bsSingle;
  static constexpr bool kDefaultCtl3D = true;
  ~TScrollBox() override;
  static const TPublished& PublishedProperties();

  TControlScrollBar* HorzScrollBar() const { return FHorz.get(); }
  void SetHorzScrollBar(TControlScrollBar* v) { FHorz->Assign(v); }
  TControlScrollBar* VertScrollBar() const { return FVert.get(); }
  void SetVertScrollBar(TControlScrollBar* v) { FVert->Assign(v); }
  bool AutoScroll() const { return FAutoScroll; }
  void SetAutoScroll(bool v);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle v);
  // A sunken two-pixel border (true) or a flat one-pixel line (false).
  bool Ctl3D() const { return FCtl3D; }
  void SetCtl3D(bool v);

  // What shows the content: inside the frame, without the scroll bars.
  TRect ViewRect() const;
  void AdjustClientRect(TRect& Rect) override { Rect = ViewRect(); }
  // Moves every child by (DeltaX, DeltaY).
  void ScrollBy(int32_t DeltaX, int32_t DeltaY);
  // Scrolls so that a child is wholly in view (as far as it fits).
  void ScrollInView(TControl* AControl);
  void AlignControls(TControl* AControl, TRect& Rect) override;

 protected:
  friend class TControlScrollBar;
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
  void WndProc(TMessage& Message) override;
  // Recomputes the ranges from the children and clamps the positions.
  void UpdateScrollBars();

 private:
  int32_t FrameWidth() const { return FBorderStyle == bsNone ? 0 : FCtl3D ? kSunkenBorder : 1; }
  // The bar's track in client coordinates of the whole control.
  TRect BarRect(bool Vertical) const;

  std::unique_ptr<TControlScrollBar> FHorz;
  std::unique_ptr<TControlScrollBar> FVert;
  bool FAutoScroll = kDefaultAutoScroll;
  TBorderStyle FBorderStyle = kDefaultBorderStyle;
  bool FCtl3D = kDefaultCtl3D;
  bool FUpdating = false;
};

}  // namespace host
