// The SDL2 platform in this process, on a private Xvfb server.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include <X11/Xlib.h>

#include "XSession.h"
#include "host/platform/HeadlessPlatform.h"
#include "host/platform/SdlPlatform.h"

using namespace host;
using kxtest::XSession;

namespace {

class SdlPlatformTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(session_.Ok()) << "no X server for the SDL2 tests: " << session_.Error();
  }
  XSession session_{false};
};

TEST_F(SdlPlatformTest, ADisplayChoosesSdlUnlessHeadlessIsAskedFor) {
  unsetenv("KX_PLATFORM");
  Platform::SetCurrent(nullptr);
  EXPECT_EQ(Platform::Current().Name(), "sdl2");
  setenv("KX_PLATFORM", "headless", 1);
  Platform::SetCurrent(nullptr);
  EXPECT_EQ(Platform::Current().Name(), "headless");
  unsetenv("KX_PLATFORM");
  Platform::SetCurrent(nullptr);
}

// Liveness: each wait below would last 20 s if a wake-up were lost.
TEST_F(SdlPlatformTest, EveryWakeFromAnotherThreadEndsAWait) {
  auto platform = SdlPlatform::Create();
  ASSERT_TRUE(platform);
  const auto start = std::chrono::steady_clock::now();
  for (int round = 0; round < 3; ++round) {
    std::thread waker([&] { platform->Wake(); });
    platform->Wait(20000);
    waker.join();
    platform->Pump();  // takes the wake-up; the next Wake must queue a new one
  }
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
}

TEST_F(SdlPlatformTest, AWindowKeepsItsBoundsTitleAndMinimumSize) {
  auto platform = SdlPlatform::Create();
  ASSERT_TRUE(platform);
  auto window = platform->CreateWindow({"Bounds", Bounds(120, 80, 200, 100), true, false});
  window->Show();
  platform->Pump();
  EXPECT_TRUE(window->Visible());
  EXPECT_EQ(window->Bounds(), Bounds(120, 80, 200, 100));
  window->SetBounds(Bounds(300, 200, 150, 90));
  window->SetTitle("Renamed");
  platform->Pump();
  EXPECT_EQ(window->Bounds(), Bounds(300, 200, 150, 90));
  EXPECT_EQ(window->Title(), "Renamed");
  EXPECT_EQ(XSession::Geometry(XSession::FindWindow("Renamed")), Bounds(300, 200, 150, 90));
  const BitmapImage frame(150, 90, 0x00FF00);
  const TRect all[] = {Rect(0, 0, 150, 90)};
  window->Present(frame, all);  // reaches the server without errors
  window->Hide();
  EXPECT_FALSE(window->Visible());
}

// An event sent to a window that is already gone (as SDL's wake-up can be)
// must not end the program; any other X error still reaches the handler
// that was there before, and that handler is back once the platform goes.
int gEarlierHandlerCalls = 0;
int EarlierHandler(Display*, XErrorEvent*) {
  ++gEarlierHandlerCalls;
  return 0;
}

TEST_F(SdlPlatformTest, ErrorsAboutGoneWindowsAreHarmlessAndOthersPassOn) {
  gEarlierHandlerCalls = 0;
  const XErrorHandler before = XSetErrorHandler(EarlierHandler);
  {
    auto platform = SdlPlatform::Create();
    ASSERT_TRUE(platform);
    Display* dpy = XOpenDisplay(nullptr);
    ASSERT_TRUE(dpy);
    const Window gone = XCreateSimpleWindow(dpy, DefaultRootWindow(dpy), 0, 0, 10, 10, 0, 0, 0);
    XDestroyWindow(dpy, gone);
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = gone;
    event.xclient.format = 32;
    XSendEvent(dpy, gone, False, NoEventMask, &event);  // BadWindow
    XClearWindow(dpy, gone);                            // BadWindow
    XDrawPoint(dpy, gone, DefaultGC(dpy, 0), 1, 1);     // BadDrawable
    XSync(dpy, False);
    EXPECT_EQ(gEarlierHandlerCalls, 0);
    XGetAtomName(dpy, 0x1FFFFFFF);  // BadAtom
    XSync(dpy, False);
    EXPECT_EQ(gEarlierHandlerCalls, 1);
    XCloseDisplay(dpy);
  }
  EXPECT_EQ(XSetErrorHandler(before), EarlierHandler);
}

}  // namespace
