#pragma once
// The example's window. Its layout is read from the stored form "MainForm";
// the buttons of its menu bar call the methods below, which do what each
// button shows:
//   magnet            ScreenSnap on while the magnet shows its dots
//   triangle          minimise
//   plus / bar        maximise / restore (the button shows the next step)
//   cross             close, which ends the program
// and the menu bar shows the window active or inactive as it gets or loses
// the keyboard.
#include "host/controls/Forms.h"
#include "kxpack/chrome/KxBarreMenu.h"
#include "kxpack/chrome/KxBtMenu.h"

namespace skinned_window {

class TMainForm : public host::TForm {
  HOST_CLASS(TMainForm, host::TForm)
 public:
  explicit TMainForm(host::TComponent* AOwner);
  static const host::TPublished& PublishedProperties();

  void FormActivate(host::TObject* Sender);
  void FormDeactivate(host::TObject* Sender);
  void FormResize(host::TObject* Sender);
  void BtMagneticMouseUp(host::TObject* Sender, host::TMouseButton Button, host::TShiftState Shift,
                         int32_t X, int32_t Y);
  void BtMinimizeClick(host::TObject* Sender);
  void BtMaximizeClick(host::TObject* Sender);
  void BtCloseClick(host::TObject* Sender);

 private:
  template <class T>
  T* Part(std::string_view name) const;

  kx::TKxBarreMenu* FBar = nullptr;
  kx::TKxBtMenu* FBtMaximize = nullptr;
};

}  // namespace skinned_window
