#pragma once
// The striped bar of a borderless window's title: six coloured lines on the
// bar's background, a bright set for an active window and a darker one for
// an inactive window. A left press drags the parent form.
#include "host/controls/Panels.h"
#include "kxpack/foundations/KxControls.h"

namespace kx {

// Background of the bar and of the title and menu bars around it (red 78,
// green 78, blue 88).
inline constexpr host::TColor kBarreColor = 0x00584E4E;

class TKxImgBarre : public host::TPanel, public TKxAbout {
  HOST_CLASS(TKxImgBarre, host::TPanel)
 public:
  explicit TKxImgBarre(TComponent* AOwner);
  static const TPublished& PublishedProperties();

  static constexpr host::TBevelCut kDefaultBevelOuter = host::bvNone;
  static constexpr host::TColor kDefaultColor = kBarreColor;

  bool Active() const { return FActive; }
  void SetActive(bool Value);
  void Loaded() override;
  // Every left press drags the window.
  host::HitArea WindowHitArea(TPoint) const override { return host::HitArea::Draggable; }

 protected:
  void Paint() override;
  void MouseDown(host::TMouseButton Button, host::TShiftState Shift, int32_t X, int32_t Y) override;

 private:
  // Without an owner the bar shows its background only.
  TComponent* FOwnerComponent;
  bool FActive = false;
};

}  // namespace kx
