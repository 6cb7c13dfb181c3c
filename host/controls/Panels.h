#pragma once
// Panels: a windowed container with a caption and up to two bevels (outer
// and inner) separated by a border of the panel's colour.
#include "host/controls/ControlFrames.h"
#include "host/controls/Controls.h"
#include "host/controls/Forms.h"
#include "host/controls/TextAlignment.h"

namespace host {

HOST_ENUM(TBevelCut, bvNone, bvLowered, bvRaised, bvSpace)
using TBevelWidth = int32_t;
using TBorderWidth = int32_t;
// A panel's own border: bsNone or bsSingle.
using TBorderStyle = TFormBorderStyle;

class TCustomPanel : public TCustomControl {
  HOST_CLASS(TCustomPanel, TCustomControl)
 public:
  explicit TCustomPanel(TComponent* AOwner);

  // The declared defaults of a new panel.
  static constexpr TAlignment kDefaultAlignment = taCenter;
  static constexpr TBevelCut kDefaultBevelOuter = bvRaised;
  static constexpr TBevelWidth kDefaultBevelWidth = 1;
  static constexpr bool kDefaultCtl3D = true;
  static constexpr bool kDefaultFullRepaint = true;

  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment v);
  TBevelCut BevelInner() const { return FBevelInner; }
  void SetBevelInner(TBevelCut v);
  TBevelCut BevelOuter() const { return FBevelOuter; }
  void SetBevelOuter(TBevelCut v);
  TBevelWidth BevelWidth() const { return FBevelWidth; }
  // At least 1.
  void SetBevelWidth(TBevelWidth v);
  TBorderWidth BorderWidth() const { return FBorderWidth; }
  // Not below 0.
  void SetBorderWidth(TBorderWidth v);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  // bsNone or bsSingle; the form-only styles count as bsSingle.
  void SetBorderStyle(TBorderStyle v);
  // With bsSingle: a sunken two-pixel border (true) or a flat line (false).
  bool Ctl3D() const { return FCtl3D; }
  void SetCtl3D(bool v);
  // Whether a resize repaints the whole panel (else only what was uncovered).
  bool FullRepaint() const { return FFullRepaint; }
  void SetFullRepaint(bool v) { FFullRepaint = v; }

  // How far the children's area lies inside the bounds on each side.
  int32_t FrameSize() const;
  void AdjustClientRect(TRect& Rect) override;

 protected:
  void Paint() override;
  void CMTextChanged(TMessage& Message) override;
  void WMWindowPosChanged(TMessage& Message) override;

 private:
  void Changed();

  TAlignment FAlignment = kDefaultAlignment;
  TBevelCut FBevelInner = bvNone;
  TBevelCut FBevelOuter = kDefaultBevelOuter;
  TBevelWidth FBevelWidth = kDefaultBevelWidth;
  TBorderWidth FBorderWidth = 0;
  TBorderStyle FBorderStyle = bsNone;
  bool FFullRepaint = kDefaultFullRepaint;
  bool FCtl3D = kDefaultCtl3D;
};

class TPanel : public TCustomPanel {
  HOST_CLASS(TPanel, TCustomPanel)
 public:
  using TCustomPanel::TCustomPanel;
  static const TPublished& PublishedProperties();
};

}  // namespace host
