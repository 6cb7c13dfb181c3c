// Scripted sessions on the example forms: the same script gives the same
// picture every time, whatever else the machine is doing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "host/base/DateTime.h"
#include "host/testing/Session.h"
#include "kxpack/package/KxPack.h"

namespace {

namespace fs = std::filesystem;

// The examples name handlers that only an application binds: here they
// stay unbound.
host::TReadOptions LeaveHandlersUnbound() {
  host::TReadOptions options;
  options.Unpublished = [](const host::TPropInfo&, void*, const std::string&) {};
  return options;
}

host::BitmapImage RunScript(const fs::path& form) {
  // A fixed wall clock from before the form is read: clocks show the time.
  host::SetNow(host::EncodeDate(2026, 3, 14) + host::EncodeTime(13, 45, 30, 0));
  kx::testing::Session session(form.string(), LeaveHandlersUnbound());
  session.Move(30, 30);
  session.Click(60, 90);
  session.Wait(1500);
  session.Drag(10, 10, 40, 25);
  session.Key(0x0D);
  session.Wait(2500);
  return session.Snapshot();
}

TEST(ScriptedSessionTest, AScriptRunFiftyTimesGivesTheSamePictureEveryTime) {
  setenv("KX_PLATFORM", "headless", 1);
  (void)kx::HInstance();  // the package's classes, for the form files
  for (const auto& entry : fs::directory_iterator(fs::path(KX_SOURCE_DIR) / "examples")) {
    if (entry.path().extension() != ".kxf") continue;
    SCOPED_TRACE(entry.path().string());
    const host::BitmapImage first = RunScript(entry.path());
    ASSERT_FALSE(first.Empty());
    for (int run = 1; run < 50; ++run) {
      const host::BitmapImage again = RunScript(entry.path());
      ASSERT_EQ(again.Pixels, first.Pixels) << "run " << run;
    }
  }
}

}  // namespace
