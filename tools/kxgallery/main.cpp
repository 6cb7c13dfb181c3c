// kxgallery FORM.kxf                 shows the form in a window until it is closed
// kxgallery FORM.kxf --png OUT.png   headless: shows the form, lets a second
//                                    pass on a virtual clock, writes a PNG
// The handlers the file names are bound to the gallery's code
// (GalleryHandlers.h); a name it has no code for stays unbound, with one
// warning on stderr.
//
// Exit status: 0 done; 1 the form could not be read or the PNG written (the
// reason on stderr); 2 a wrong command line, or a window asked for where
// there is no display.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <typeindex>

#include "host/base/FileContents.h"
#include "host/classes/Streaming.h"
#include "host/controls/Forms.h"
#include "host/testing/Session.h"
#include "tools/kxgallery/GalleryHandlers.h"

namespace {

// Virtual time the headless picture is taken after.
constexpr int64_t kPictureAfterMs = 1000;

host::TReadOptions BindGalleryHandlers() {
  host::TReadOptions options;
  options.Unpublished = [](const host::TPropInfo& event, void* field, const std::string& method) {
    const kxgallery::Handler handler = kxgallery::FindHandler(method);
    if (handler && event.EventType == typeid(host::TNotifyEvent)) {
      *static_cast<host::TNotifyEvent*>(field) = host::TNotifyEvent(handler).Named(method);
      return;
    }
    std::fprintf(stderr, "kxgallery: %s = %s left unbound (the gallery has no such handler)\n",
                 event.Name.c_str(), method.c_str());
  };
  return options;
}

host::TCustomForm* LoadForm(const std::string& path) {
  host::TComponent* root =
      host::ReadForm(host::ReadFileContents(path), path, host::Application, BindGalleryHandlers());
  if (auto* form = host::As<host::TCustomForm>(root)) return form;
  root->Free();
  throw host::Exception(path + " does not hold a form");
}

int Run(const std::string& path, const std::string& png) {
  if (!png.empty()) setenv("KX_PLATFORM", "headless", 1);
  host::TCustomForm* form = LoadForm(path);
  struct FreeForm {
    host::TCustomForm* form;
    ~FreeForm() { form->Free(); }
  } freeForm{form};
  if (!png.empty()) {
    kx::testing::Session session(form);
    session.Wait(kPictureAfterMs);
    session.SavePng(png);
    return 0;
  }
  if (host::Platform::Current().Name() == "headless") {
    std::fprintf(stderr, "kxgallery: no display to open a window on; use --png OUT.png\n");
    return 2;
  }
  host::Application->SetMainForm(form);
  host::Application->Run();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const bool pngMode = argc == 4 && std::string(argv[2]) == "--png";
  if (argc != 2 && !pngMode) {
    std::fputs("usage: kxgallery FORM.kxf [--png OUT.png]\n", stderr);
    return 2;
  }
  try {
    return Run(argv[1], pngMode ? argv[3] : "");
  } catch (const std::exception& e) {
    std::fprintf(stderr, "kxgallery: %s\n", e.what());
  }
  return 1;
}
