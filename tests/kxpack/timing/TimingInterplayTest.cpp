// A thread timer beside a thread component that synchronises back to back:
// each tick the timer's worker hands over on waking runs before the session
// moves the clock on, so the ticks keep in step with the time waited.
#include <gtest/gtest.h>

#include "kxpack/timing/KxThread.h"
#include "kxpack/timing/KxTimer.h"
#include "tests/kxpack/timing/TimingFixture.h"

namespace kx::testing {
namespace {

TEST_F(TimingTest, AThreadTimerKeepsItsTicksBesideABackToBackThread) {
  CallLog ticks, calls;
  auto* timer = new TKxTimer(form_);
  timer->SetInterval(70);
  timer->SetOnTimer(ticks.Recorder());
  timer->SetEnabled(false);
  timer->SetEnabled(true);
  auto* thread = new TKxThread(form_);
  thread->SetOnExecute(calls.Recorder());
  thread->SetEnabled(false);
  thread->SetEnabled(true);
  for (int i = 1; i <= 100; ++i) {
    Wait(30);
    ASSERT_EQ(ticks.calls, i * 30 / 70) << "after " << i * 30 << " ms";
  }
  EXPECT_GT(calls.calls, 0);
}

}  // namespace
}  // namespace kx::testing
