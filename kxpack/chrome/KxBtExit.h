#pragma once
// The 10 x 9 close button of the menu bar. A click hands its ModalResult to
// the form and fires OnClick; closing is the application's (or the modal
// loop's) business. The pressed look comes from handlers that Loaded puts
// in OnMouseDown and OnMouseUp, so only a button read from a form file has it.
#include <memory>

#include "host/controls/Controls.h"
#include "kxpack/foundations/KxControls.h"

namespace kx {

class TKxBtExit : public host::TGraphicControl, public TKxAbout {
  HOST_CLASS(TKxBtExit, host::TGraphicControl)
 public:
  explicit TKxBtExit(TComponent* AOwner);
  ~TKxBtExit() override;
  static const TPublished& PublishedProperties();

  static constexpr int32_t kWidth = 10;
  static constexpr int32_t kHeight = 9;
  static constexpr host::TColor kDefaultColor = host::clWindow;

  host::TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(host::TModalResult Value) { FModalResult = Value; }
  bool Active() const { return FActive; }
  void SetActive(bool Value);
  // The button's own flag (see TKxBtMenu).
  bool KxEnabled() const { return FKxEnabled; }
  void SetKxEnabled(bool Value);
  bool Pressed() const { return FPressed; }
  // Replaces the streamed OnMouseDown and OnMouseUp with MseDown and MseUp.
  void Loaded() override;

  // The pressed look, for every mouse button.
  void MseDown(TObject* Sender, host::TMouseButton Button, host::TShiftState Shift, int32_t X,
               int32_t Y);
  void MseUp(TObject* Sender, host::TMouseButton Button, host::TShiftState Shift, int32_t X,
             int32_t Y);

 protected:
  void Paint() override;
  void Resize() override;
  void Click() override;
  void CMMouseEnter(TMessage& Message) override;
  void CMMouseLeave(TMessage& Message) override;

 private:
  TComponent* FOwnerComponent;
  host::TModalResult FModalResult = host::mrNone;
  bool FPressed = false;
  std::unique_ptr<TBitmap> FBtBitmap;
  bool FActive = true;
  bool FKxEnabled = true;
};

}  // namespace kx
