#pragma once
// The caption of a borderless window: the title text centred in bold light
// yellow on a dark strip, with a striped bar (TKxImgBarre) to each side of
// it. Active switches the bars between their bright and dark colours; a
// left press drags the parent form.
#include <string>

#include "host/controls/Panels.h"
#include "kxpack/chrome/KxImgBarre.h"

namespace kx {

class TKxPanelTitle : public host::TPanel, public TKxAbout {
  HOST_CLASS(TKxPanelTitle, host::TPanel)
 public:
  explicit TKxPanelTitle(TComponent* AOwner);
  static const TPublished& PublishedProperties();

  static constexpr host::TColor kDefaultColor = kBarreColor;
  static constexpr host::TBevelCut kDefaultBevelOuter = host::bvNone;
  // Light yellow (red 255, green 255, blue 196), bold: set again at load.
  static constexpr host::TColor kFontColor = 0x00C4FFFF;
  static constexpr const char* kDefaultCaption = "Orvane";
  static constexpr int32_t kMinHeight = 15;

  bool Active() const { return FActive; }
  // Passes the value to the left bar, then the right bar.
  void SetActive(bool Value);
  // Keeps Top at -1 (the top row hidden above the parent), enforced at load
  // and at each paint.
  bool LockedToTop() const { return FLockedToTop; }
  void SetLockedToTop(bool Value);

  TKxImgBarre* BarreLeft() const { return FBarreLeft; }
  TKxImgBarre* BarreRight() const { return FBarreRight; }
  // Sizes the bars to fill the space on each side of the caption, 10 pixels
  // clear of it, measured with the canvas's current font.
  void DoPlacment();
  void Loaded() override;
  // Every left press drags the window.
  host::HitArea WindowHitArea(TPoint) const override { return host::HitArea::Draggable; }

 protected:
  void Paint() override;
  void Resize() override;
  // Fires OnMouseDown, drags the form on a left press, then fires
  // OnMouseDown a second time with the same arguments, for every button.
  void MouseDown(host::TMouseButton Button, host::TShiftState Shift, int32_t X, int32_t Y) override;
  void Notification(TComponent* AComponent, host::TOperation Operation) override;

 private:
  TKxImgBarre* MakeBarre(int32_t ALeft);

  // Without an owner the title bar neither paints nor places its bars.
  TComponent* FOwnerComponent;
  TKxImgBarre* FBarreLeft = nullptr;
  TKxImgBarre* FBarreRight = nullptr;
  bool FLockedToTop = true;
  bool FActive = true;
};

}  // namespace kx
