// A form on SDL's Wayland driver under weston: it opens and its pixels
// reach the window. weston runs nested on a private Xvfb (its X11 backend):
// its headless backend offers no seat, and SDL's Wayland driver (2.26)
// crashes while starting on a compositor without one. Skipped, saying why,
// where weston is installed but cannot start.
#include <SDL2/SDL.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <thread>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

#include "XSession.h"
#include "host/controls/Forms.h"
#include "host/controls/Panels.h"
#include "host/graphics/Color.h"
#include "host/platform/SdlPlatform.h"

using namespace host;
using kxtest::ChildProcess;
using kxtest::Ms;

namespace {

// weston on the X server in DISPLAY, on a socket of its own, in a runtime
// directory of its own; stopped and removed with the object.
class WestonSession {
 public:
  WestonSession() {
    char pattern[] = "/tmp/kx-weston-XXXXXX";
    if (!mkdtemp(pattern)) {
      error_ = "cannot make a runtime directory";
      return;
    }
    runtimeDir_ = pattern;
    socket_ = "kx-weston-" + std::to_string(getpid());
    setenv("XDG_RUNTIME_DIR", runtimeDir_.c_str(), 1);
    weston_ = std::make_unique<ChildProcess>(
        std::vector<std::string>{"weston", "--backend=x11-backend.so", "--socket=" + socket_,
                                 "--idle-time=0", "--width=1024", "--height=768"},
        false);
    // Ready once its socket exists; a weston that fails ends without one.
    const auto end = std::chrono::steady_clock::now() + Ms(10000);
    while (!std::filesystem::exists(runtimeDir_ + "/" + socket_)) {
      if (std::chrono::steady_clock::now() > end) {
        error_ = "weston made no socket within 10 s";
        return;
      }
      std::this_thread::sleep_for(Ms(20));
    }
  }
  ~WestonSession() {
    weston_.reset();
    std::error_code ignored;
    if (!runtimeDir_.empty()) std::filesystem::remove_all(runtimeDir_, ignored);
  }
  bool Ok() const { return error_.empty(); }
  const std::string& Error() const { return error_; }
  const std::string& Socket() const { return socket_; }

 private:
  std::string error_;
  std::string runtimeDir_;
  std::string socket_;
  std::unique_ptr<ChildProcess> weston_;
};

// The SDL window whose title is title, nullptr if none.
SDL_Window* SdlWindowTitled(const std::string& title) {
  for (uint32_t id = 1; id < 64; ++id)
    if (SDL_Window* w = SDL_GetWindowFromID(id); w && title == SDL_GetWindowTitle(w)) return w;
  return nullptr;
}

TEST(WaylandSmokeTest, AFormOpensAndPaintsUnderWeston) {
  kxtest::XSession x(false);
  ASSERT_TRUE(x.Ok()) << "no X server for weston to run on: " << x.Error();
  WestonSession weston;
  if (!weston.Ok()) GTEST_SKIP() << "weston cannot start here: " << weston.Error();
  unsetenv("DISPLAY");
  setenv("WAYLAND_DISPLAY", weston.Socket().c_str(), 1);
  setenv("SDL_VIDEODRIVER", "wayland", 1);
#if defined(__SANITIZE_ADDRESS__)
  // SDL's Wayland driver loads its libraries with dlopen and unloads them at
  // the end, so what they keep cannot be named by a suppression; the leak
  // check of the SDL platform's own code is done by the X11 tests.
  __lsan::ScopedDisabler systemLibrariesKeepTheirState;
#endif
  auto platform = SdlPlatform::Create();
  ASSERT_TRUE(platform) << "SDL's Wayland driver did not start: " << SDL_GetError();
  ASSERT_TRUE(platform->OnWayland());
  Platform::SetCurrent(std::move(platform));

  auto* form = new TForm(nullptr);
  form->SetBorderStyle(bsNone);
  form->SetCaption("KxWaylandSmoke");
  form->SetBounds(0, 0, 200, 120);
  form->SetColor(clWhite);
  auto* panel = new TPanel(form);
  panel->SetParent(form);
  panel->SetBevelOuter(bvNone);
  panel->SetBounds(0, 0, 100, 120);
  panel->SetColor(clRed);
  form->Show();
  Application->ProcessMessages();

  EXPECT_TRUE(form->PlatformHandle()->Visible());
  SDL_Window* window = SdlWindowTitled("KxWaylandSmoke");
  ASSERT_NE(window, nullptr);
  SDL_Surface* surface = SDL_GetWindowSurface(window);
  ASSERT_NE(surface, nullptr) << "no surface to paint on: " << SDL_GetError();
  // The presented frame is in the window's surface: red panel, white form.
  auto pixel = [&](int x, int y) {
    uint32_t value = 0;
    SDL_ConvertPixels(1, 1, surface->format->format,
                      static_cast<uint8_t*>(surface->pixels) + y * surface->pitch +
                          x * surface->format->BytesPerPixel,
                      surface->pitch, SDL_PIXELFORMAT_RGB888, &value, 4);
    return value & 0xFFFFFF;
  };
  EXPECT_EQ(pixel(50, 60), 0xFF0000u);
  EXPECT_EQ(pixel(150, 60), 0xFFFFFFu);

  form->Free();
  Platform::SetCurrent(nullptr);
}

}  // namespace
