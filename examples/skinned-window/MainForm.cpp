#include "MainForm.h"

#include <span>

#include "host/base/ModuleResources.h"
#include "host/classes/ClassRegistry.h"
#include "host/classes/Streaming.h"
#include "kxpack/package/KxPack.h"

namespace skinned_window {

// The program's stored forms (cmake/KxEmbedResources.cmake).
std::span<const host::ResourceEntry> FormResources();

namespace {

host::HMODULE ProgramModule() {
  static const host::HMODULE module =
      host::RegisterModuleResources("skinned-window", FormResources());
  return module;
}

}  // namespace

TMainForm::TMainForm(host::TComponent* AOwner) : host::TForm(AOwner) {
  (void)kx::HInstance();  // the package's classes, for the stored form
  host::ReadFormResourceInto(this, ProgramModule(), "MainForm");
  FBar = Part<kx::TKxBarreMenu>("Bar");
  FBtMaximize = Part<kx::TKxBtMenu>("BtMaximize");
}

template <class T>
T* TMainForm::Part(std::string_view name) const {
  T* part = host::As<T>(FindComponent(std::string(name)));
  if (!part) throw host::EComponentError("The stored form has no " + std::string(name));
  return part;
}

void TMainForm::FormActivate(host::TObject*) { FBar->SetActive(true); }

void TMainForm::FormDeactivate(host::TObject*) { FBar->SetActive(false); }

void TMainForm::BtMagneticMouseUp(host::TObject* Sender, host::TMouseButton, host::TShiftState,
                                  int32_t, int32_t) {
  // The button has flipped by now: the magnet with dots means on.
  SetScreenSnap(static_cast<kx::TKxBtMenu*>(Sender)->KindBt() == kx::tkbMagnetic);
}

void TMainForm::BtMinimizeClick(host::TObject*) { SetWindowState(host::wsMinimized); }

void TMainForm::BtMaximizeClick(host::TObject*) {
  SetWindowState(WindowState() == host::wsMaximized ? host::wsNormal : host::wsMaximized);
}

void TMainForm::FormResize(host::TObject*) {
  // However the window got there (the button, the window manager, a
  // restore), the button offers the other step.
  const kx::TKindBtMenu next = WindowState() == host::wsMaximized ? kx::tkbBarre : kx::tkbCtrlMenu;
  if (FBtMaximize && FBtMaximize->KindBt() != next) FBtMaximize->SetKindBt(next);
}

void TMainForm::BtCloseClick(host::TObject*) { Close(); }

const host::TPublished& TMainForm::PublishedProperties() {
  using T = TMainForm;
  static const host::TPublished table = host::Publish<T>()
                                            .Method("FormActivate", &T::FormActivate)
                                            .Method("FormDeactivate", &T::FormDeactivate)
                                            .Method("FormResize", &T::FormResize)
                                            .Method("BtMagneticMouseUp", &T::BtMagneticMouseUp)
                                            .Method("BtMinimizeClick", &T::BtMinimizeClick)
                                            .Method("BtMaximizeClick", &T::BtMaximizeClick)
                                            .Method("BtCloseClick", &T::BtCloseClick);
  return table;
}

namespace {
const bool kRegistered = (host::RegisterClass<TMainForm>(), true);
}  // namespace

}  // namespace skinned_window
