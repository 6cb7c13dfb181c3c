// TKxTimer on virtual time: both tick sources, the worker with and without
// SyncEvent, interval changes, muting, exceptions, destruction.
#include <gtest/gtest.h>

#include "host/base/SysUtils.h"
#include "host/threads/Timers.h"
#include "kxpack/timing/KxTimer.h"
#include "tests/kxpack/timing/TimingFixture.h"

namespace kx::testing {
namespace {

struct Source {
  const char* name;
  TKxTimerType type;
  bool sync;
  // Ticks come on a worker thread.
  bool OnWorker() const { return type == ttThread && !sync; }
};

const Source kSources[] = {
    {"ThreadSynchronised", ttThread, true},
    {"ThreadOnWorker", ttThread, false},
    {"System", ttSystem, true},
};

class KxTimerSources : public TimingTest, public ::testing::WithParamInterface<Source> {
 protected:
  // A timer of the tested source with the given handler, running every
  // interval ms (when interval > 0).
  TKxTimer* Make(uint32_t interval, host::TNotifyEvent handler) {
    auto* timer = new TKxTimer(form_);
    timer->SetTimerType(GetParam().type);
    timer->SetSyncEvent(GetParam().sync);
    timer->SetOnTimer(std::move(handler));
    timer->SetInterval(interval);
    return timer;
  }
  CallLog log_;
};

TEST_P(KxTimerSources, TicksEveryIntervalOnTheThreadItsSourceGives) {
  Make(100, log_.Recorder());
  Wait(99);
  EXPECT_EQ(log_.calls, 0);
  Wait(1);
  EXPECT_EQ(log_.calls, 1);
  Wait(300);
  EXPECT_EQ(log_.calls, 4);
  EXPECT_EQ(log_.offMainThread, GetParam().OnWorker());
}

TEST_P(KxTimerSources, IntervalZeroAndDisabledGiveNoTicks) {
  TKxTimer* timer = Make(0, log_.Recorder());
  Wait(5000);
  EXPECT_EQ(log_.calls, 0) << "Interval 0";

  timer->SetInterval(100);
  Wait(100);
  ASSERT_EQ(log_.calls, 1);
  timer->SetEnabled(false);  // muted: the source runs on, its ticks are dropped
  Wait(1000);
  EXPECT_EQ(log_.calls, 1) << "Enabled False";
  timer->SetEnabled(true);
  Wait(100);
  EXPECT_GE(log_.calls, 2) << "Enabled True again";
}

TEST_P(KxTimerSources, AChangedIntervalTakesEffectAtTheNextWait) {
  TKxTimer* timer = Make(100, log_.Recorder());
  Wait(50);
  timer->SetInterval(30);
  // The worker finishes the wait it is in; the system timer starts again.
  const int64_t first = GetParam().type == ttThread ? 50 : 30;
  Wait(first - 1);
  EXPECT_EQ(log_.calls, 0);
  Wait(1);
  EXPECT_EQ(log_.calls, 1);
  Wait(29);
  EXPECT_EQ(log_.calls, 1);
  Wait(1);
  EXPECT_EQ(log_.calls, 2);
}

TEST_P(KxTimerSources, AnExceptionFromOnTimerReachesTheApplicationAndTicksGoOn) {
  ExceptionLog exceptions;
  Make(100, [this](host::TObject*) {
    log_.Record();
    throw host::EConvertError("tick failed");
  });
  Wait(200);
  EXPECT_EQ(log_.calls, 2);
  EXPECT_EQ(exceptions.messages, (std::vector<std::string>{"tick failed", "tick failed"}));
  EXPECT_FALSE(exceptions.offMainThread);
}

TEST_P(KxTimerSources, DestroyingARunningTimerReturnsWithoutWaitingOutTheInterval) {
  TKxTimer* timer = Make(600'000, log_.Recorder());
  Wait(10);
  EXPECT_TRUE(ReturnsWithoutTime([&] { timer->Free(); }));
  EXPECT_EQ(log_.calls, 0);
}

// Handlers on the main thread; one on the worker must not free its timer.
class KxTimerMainThreadSources : public KxTimerSources {};

TEST_P(KxTimerMainThreadSources, AHandlerMayFreeItsTimerOrTheTimersOwner) {
  for (bool freeOwner : {false, true}) {
    auto* owner = new host::TComponent(form_);
    auto* timer = new TKxTimer(owner);
    timer->SetTimerType(GetParam().type);
    timer->SetOnTimer([&, owner, timer](host::TObject*) {
      log_.Record();
      if (freeOwner)
        owner->Free();
      else
        timer->Free();
    });
    timer->SetInterval(100);
    log_.calls = 0;
    Wait(100);
    EXPECT_EQ(log_.calls, 1) << "freeOwner " << freeOwner;
    Wait(1000);
    EXPECT_EQ(log_.calls, 1) << "freeOwner " << freeOwner;
    if (!freeOwner) owner->Free();
  }
}

TEST_P(KxTimerSources, AtDesignTimeNoSourceRuns) {
  const int timers = host::TimerCount();
  auto* timer = new TKxTimer(form_);
  timer->SetDesigning(true);
  timer->SetTimerType(GetParam().type);
  timer->SetSyncEvent(GetParam().sync);
  timer->SetOnTimer(log_.Recorder());
  timer->SetInterval(100);
  timer->Loaded();
  Wait(1000);
  EXPECT_EQ(log_.calls, 0);
  EXPECT_EQ(host::TimerCount(), timers);
}

auto SourceName = [](const auto& info) { return std::string(info.param.name); };
INSTANTIATE_TEST_SUITE_P(KxTimer, KxTimerSources, ::testing::ValuesIn(kSources), SourceName);
INSTANTIATE_TEST_SUITE_P(KxTimer, KxTimerMainThreadSources,
                         ::testing::Values(kSources[0], kSources[2]), SourceName);

using KxTimerTest = TimingTest;

TEST_F(KxTimerTest, ANewTimerTicksOnlyOnceItsSourceIsBroughtInLine) {
  CallLog log;
  auto* timer = new TKxTimer(form_);
  timer->SetOnTimer(log.Recorder());
  Wait(5000);
  EXPECT_EQ(log.calls, 0) << "assigning OnTimer starts nothing";
  timer->SetEnabled(false);
  timer->SetEnabled(true);
  Wait(1000);
  EXPECT_EQ(log.calls, 1);
}

TEST_F(KxTimerTest, SwitchingTheSourceWhileRunningMovesTheTicksToTheNewOne) {
  CallLog worker, system;
  auto* timer = new TKxTimer(form_);
  timer->SetSyncEvent(false);
  timer->SetOnTimer(worker.Recorder());
  timer->SetInterval(100);
  Wait(100);
  ASSERT_EQ(worker.calls, 1);
  ASSERT_TRUE(worker.offMainThread);

  timer->SetTimerType(ttSystem);
  timer->SetOnTimer(system.Recorder());
  Wait(200);
  EXPECT_EQ(worker.calls, 1);
  EXPECT_EQ(system.calls, 2);
  EXPECT_FALSE(system.offMainThread);
}

TEST_F(KxTimerTest, ARefusedSystemTimerRaisesEOutOfResources) {
  CallLog log;
  auto* timer = new TKxTimer(form_);
  timer->SetTimerType(ttSystem);
  timer->SetOnTimer(log.Recorder());
  host::SetTimerLimit(host::TimerCount());
  try {
    timer->SetInterval(100);
    ADD_FAILURE() << "no exception";
  } catch (const host::EOutOfResources& e) {
    EXPECT_EQ(e.Message(), "No timer resources left.");
  }
  host::SetTimerLimit(10000);
  Wait(1000);
  EXPECT_EQ(log.calls, 0);
}

// Intervals at and above 2^31 ms wait their full length; the largest
// waits without end.
TEST_F(KxTimerTest, LongIntervalsWaitTheirFullLength) {
  for (uint32_t interval : {0x8000'0000u, 0xFFFF'FFFEu}) {
    CallLog log;
    auto* timer = new TKxTimer(form_);
    timer->SetOnTimer(log.Recorder());
    timer->SetInterval(interval);
    Wait(interval - 1);
    EXPECT_EQ(log.calls, 0) << interval;
    Wait(1);
    EXPECT_EQ(log.calls, 1) << interval;
    timer->Free();
  }
  CallLog log;
  auto* timer = new TKxTimer(form_);
  timer->SetOnTimer(log.Recorder());
  timer->SetInterval(0xFFFF'FFFFu);
  Wait(int64_t{1} << 33);
  EXPECT_EQ(log.calls, 0);
  EXPECT_TRUE(ReturnsWithoutTime([&] { timer->Free(); }));
}

}  // namespace
}  // namespace kx::testing
