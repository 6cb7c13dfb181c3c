#include "host/platform/Platform.h"

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <mutex>
#include <string>

#include "host/platform/HeadlessPlatform.h"
#ifdef KX_WITH_SDL
#include "host/platform/SdlPlatform.h"
#endif

namespace host {

namespace {

std::mutex gPlatformMutex;
std::unique_ptr<Platform> gPlatform;
// Read without the lock, so that Current() costs one load once made.
std::atomic<Platform*> gCurrent{nullptr};

#ifdef KX_WITH_SDL
bool EnvSet(const char* name) {
  const char* value = std::getenv(name);
  return value && *value;
}
#endif

// SDL2 when there is a display (or KX_PLATFORM=sdl) and the library was built
// with it; headless otherwise, and whenever SDL2 cannot start.
std::unique_ptr<Platform> ChoosePlatform() {
#ifdef KX_WITH_SDL
  const char* choice = std::getenv("KX_PLATFORM");
  const std::string wanted = choice ? choice : "";
  if (wanted != "headless" && (wanted == "sdl" || EnvSet("DISPLAY") || EnvSet("WAYLAND_DISPLAY"))) {
    if (auto sdl = SdlPlatform::Create()) return sdl;
  }
#endif
  return std::make_unique<HeadlessPlatform>();
}

// Makes platform the one in use and the loop's event source and clock.
void Install(std::unique_ptr<Platform> platform) {
  SetEventSource(platform.get());
  SetTickSource(platform.get());
  gCurrent.store(platform.get(), std::memory_order_release);
  gPlatform = std::move(platform);
}

}  // namespace

Platform& Platform::Current() {
  if (Platform* p = gCurrent.load(std::memory_order_acquire)) return *p;
  std::lock_guard lock(gPlatformMutex);
  if (!gPlatform) Install(ChoosePlatform());
  return *gPlatform;
}

void Platform::SetCurrent(std::unique_ptr<Platform> platform) {
  std::lock_guard lock(gPlatformMutex);
  Install(std::move(platform));
}

int64_t Platform::NowMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace host
