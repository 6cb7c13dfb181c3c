// skinned-window: a borderless window with the package's title bar, window
// buttons, instruments and size grip. Ends with exit status 0 when its close
// button is clicked.
#include "MainForm.h"

int main() {
  host::Application->Initialize();
  skinned_window::TMainForm* mainForm = nullptr;
  host::Application->CreateForm(mainForm);
  host::Application->Run();
  // Its window goes while the platform is still there.
  mainForm->Free();
  return 0;
}
