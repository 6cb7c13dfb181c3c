// The timer and thread components as a form file holds them: they start once
// the form is read (Loaded), with the handlers the file names.
#include <gtest/gtest.h>

#include "host/classes/Streaming.h"
#include "host/controls/Forms.h"
#include "host/testing/Session.h"
#include "kxpack/timing/KxThread.h"
#include "kxpack/timing/KxTimer.h"
#include "tests/kxpack/timing/TimingFixture.h"

namespace kx::testing {
namespace {

constexpr const char* kForm = R"(object Timing: TForm
  Left = 0
  Top = 0
  Width = 100
  Height = 60
  object Ticker: TKxTimer
    Interval = 250
    TimerType = ttSystem
    OnTimer = TickerTimer
  end
  object Worker: TKxThread
    OnExecute = WorkerExecute
  end
  object Idle: TKxThread
    Enabled = False
    OnExecute = IdleExecute
  end
end
)";

TEST(TimingForm, ComponentsReadFromAFormStartOnceReadWithTheirHandlers) {
  (void)host::testing::Headless();
  CallLog ticks, calls, idle;
  host::TReadOptions options;
  options.Unpublished = [&](const host::TPropInfo&, void* field, const std::string& method) {
    CallLog& log = method == "TickerTimer" ? ticks : method == "WorkerExecute" ? calls : idle;
    *static_cast<host::TNotifyEvent*>(field) = log.Recorder();
  };
  auto* form = host::ReadFormAs<host::TForm>(kForm, "timing.kxf", nullptr, options);
  {
    Session session(form);
    session.Wait(1000);
    EXPECT_EQ(ticks.calls, 4);
    EXPECT_GE(calls.calls, 1);
    EXPECT_EQ(idle.calls, 0);
  }
  form->Free();
}

}  // namespace
}  // namespace kx::testing
