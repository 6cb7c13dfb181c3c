#pragma once
// TButton: a push button. Clicking it (pointer, Enter or Space while it has
// the focus, Escape when it is the Cancel button) fires OnClick and gives
// its form the button's ModalResult.
#include "host/controls/Controls.h"

namespace host {

class TButton : public TCustomControl {
  HOST_CLASS(TButton, TCustomControl)
 public:
  explicit TButton(TComponent* AOwner);
  static constexpr bool kDefaultTabStop = true;
  static const TPublished& PublishedProperties();

  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult v) { FModalResult = v; }
  // The button Enter presses.
  bool Default() const { return FDefault; }
  void SetDefault(bool v);
  // The button Escape presses.
  bool Cancel() const { return FCancel; }
  void SetCancel(bool v) { FCancel = v; }
  void Click() override;

 protected:
  void Paint() override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void CMTextChanged(TMessage& Message) override;
  void DoEnter() override;
  void DoExit() override;

 private:
  TModalResult FModalResult = mrNone;
  bool FDefault = false;
  bool FCancel = false;
};

}  // namespace host
