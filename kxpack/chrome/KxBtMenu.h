#pragma once
// A 14 x 9 window button of the menu bar in one of five kinds (bar, control
// menu, minimise, magnetic on and off). It performs no window operation: a
// click hands its ModalResult to the form and fires OnClick, and a release
// flips a magnetic button between its two kinds; the application does the
// rest.
#include <memory>

#include "host/controls/Controls.h"
#include "kxpack/foundations/KxControls.h"
#include "kxpack/foundations/KxTypes.h"

namespace kx {

class TKxBtMenu : public host::TGraphicControl, public TKxAbout {
  HOST_CLASS(TKxBtMenu, host::TGraphicControl)
 public:
  explicit TKxBtMenu(TComponent* AOwner);
  ~TKxBtMenu() override;
  static const TPublished& PublishedProperties();

  static constexpr int32_t kWidth = 14;
  static constexpr int32_t kHeight = 9;
  static constexpr host::TColor kDefaultColor = host::clWindow;

  host::TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(host::TModalResult Value) { FModalResult = Value; }
  bool Active() const { return FActive; }
  void SetActive(bool Value);
  // The button's own flag: it blocks the click and shows cell 1; the control
  // itself stays enabled and keeps its mouse events.
  bool KxEnabled() const { return FKxEnabled; }
  void SetKxEnabled(bool Value);
  TKindBtMenu KindBt() const { return FKindBt; }
  // Loads the kind's strip (again, also for the same kind).
  void SetKindBt(TKindBtMenu Value);
  bool Pressed() const { return FPressed; }
  void Loaded() override;

 protected:
  void Paint() override;
  void Resize() override;
  void Click() override;
  // Both replace the host's handling and fire their events with the pointer's
  // screen position; the release flips a magnetic button.
  void MouseDown(host::TMouseButton Button, host::TShiftState Shift, int32_t X, int32_t Y) override;
  void MouseUp(host::TMouseButton Button, host::TShiftState Shift, int32_t X, int32_t Y) override;

 private:
  TComponent* FOwnerComponent;
  bool FPressed = false;
  std::unique_ptr<TBitmap> FBtBitmap;
  host::TModalResult FModalResult = host::mrNone;
  bool FActive = true;
  bool FKxEnabled = true;
  TKindBtMenu FKindBt = tkbNone;
};

}  // namespace kx
