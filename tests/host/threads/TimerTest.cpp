#include <gtest/gtest.h>

#include <memory>

#include "tests/host/threads/LoopFixture.h"

using namespace host;
using host::testing::LoopTest;

namespace {

class Timers : public LoopTest {
 protected:
  // The WM_TIMER ids that arrive when the clock moves on by ms.
  std::vector<WPARAM> TicksAfter(int64_t ms) {
    clock_.Advance(ms);
    received_.clear();
    DispatchWaiting();
    std::vector<WPARAM> ids;
    for (const TMessage& m : received_)
      if (m.Msg == WM_TIMER) ids.push_back(m.WParam);
    return ids;
  }
  using Ids = std::vector<WPARAM>;
};

TEST_F(Timers, TickEveryPeriodAndStopWhenKilled) {
  ASSERT_EQ(SetTimer(window_, 7, 100), 7u);
  EXPECT_EQ(TicksAfter(99), Ids{});
  EXPECT_EQ(TicksAfter(1), Ids{7});
  EXPECT_EQ(TicksAfter(0), Ids{});
  EXPECT_EQ(TicksAfter(100), Ids{7});

  EXPECT_TRUE(KillTimer(window_, 7));
  EXPECT_EQ(TicksAfter(1000), Ids{});
  EXPECT_FALSE(KillTimer(window_, 7));
  EXPECT_EQ(TimerCount(), 0);
}

TEST_F(Timers, LateLoopGetsOneTickAndAFullPeriodAfterIt) {
  SetTimer(window_, 1, 100);
  EXPECT_EQ(TicksAfter(550), Ids{1});
  EXPECT_EQ(TicksAfter(99), Ids{});
  EXPECT_EQ(TicksAfter(1), Ids{1});
}

TEST_F(Timers, LookingWithoutRemovingLeavesTheTickDue) {
  SetTimer(window_, 1, 100);
  clock_.Advance(100);
  TMsg msg;
  ASSERT_TRUE(PeekMessage(msg, PM_NOREMOVE));
  EXPECT_EQ(msg.message, WM_TIMER);
  EXPECT_EQ(msg.hwnd, window_);
  ASSERT_TRUE(PeekMessage(msg, PM_REMOVE));
  EXPECT_EQ(msg.message, WM_TIMER);
  EXPECT_FALSE(PeekMessage(msg, PM_REMOVE));
}

TEST_F(Timers, SettingAgainRestartsWithTheNewPeriod) {
  SetTimer(window_, 1, 100);
  clock_.Advance(90);
  SetTimer(window_, 1, 50);
  EXPECT_EQ(TimerCount(), 1);
  EXPECT_EQ(TicksAfter(49), Ids{});
  EXPECT_EQ(TicksAfter(1), Ids{1});
}

TEST_F(Timers, MostOverdueTimerComesFirst) {
  SetTimer(window_, 1, 300);
  SetTimer(window_, 2, 100);
  EXPECT_EQ(TicksAfter(300), (Ids{2, 1}));
}

TEST_F(Timers, PeriodsBelowTheMinimumAreRaisedToIt) {
  SetTimer(window_, 1, 0);
  EXPECT_EQ(TicksAfter(USER_TIMER_MINIMUM - 1), Ids{});
  EXPECT_EQ(TicksAfter(1), Ids{1});
}

TEST_F(Timers, CreationFailsPastTheLimitAndWithoutAWindow) {
  EXPECT_EQ(SetTimer(nullptr, 4, 100), 0u);
  EXPECT_EQ(SetTimer(window_, 0, 100), 1u) << "id 0 reports success as 1";
  KillTimer(window_, 0);

  SetTimerLimit(2);
  EXPECT_EQ(SetTimer(window_, 1, 100), 1u);
  EXPECT_EQ(SetTimer(window_, 2, 100), 2u);
  EXPECT_EQ(SetTimer(window_, 3, 100), 0u);
  EXPECT_EQ(SetTimer(window_, 1, 200), 1u) << "restarting a timer takes no new one";
  KillTimer(window_, 2);
  EXPECT_EQ(SetTimer(window_, 3, 100), 3u);
  EXPECT_EQ(TimerCount(), 2);
}

TEST_F(Timers, DestroyedWindowTakesItsTimersAndMessages) {
  std::vector<UINT> other;
  HWND doomed = AllocateHWnd([&](TMessage& m) { other.push_back(m.Msg); });
  SetTimer(doomed, 1, 100);
  PostMessage(doomed, WM_USER);
  PostMessage(window_, WM_USER + 1);
  DeallocateHWnd(doomed);

  EXPECT_EQ(TimerCount(), 0);
  EXPECT_EQ(TicksAfter(100), Ids{});
  ASSERT_EQ(received_.size(), 1u);
  EXPECT_EQ(received_[0].Msg, WM_USER + 1);
  EXPECT_TRUE(other.empty());
}

// A tick handler that frees its own timer window: the window and its method
// live until the method returns, then go with their timer and messages.
TEST_F(Timers, AWindowFreedByItsOwnTickGoesOnceTheTickReturns) {
  auto token = std::make_shared<int>(0);  // the window's method holds a copy
  long holders_after_free = 0;
  int ticks = 0;
  HWND self = nullptr;
  self = AllocateHWnd([&, held = token](TMessage& m) {
    (void)held;
    if (m.Msg != WM_TIMER) return;
    ++ticks;
    PostMessage(self, WM_USER);
    DeallocateHWnd(self);
    holders_after_free = token.use_count();  // 2 while the method is alive
  });
  SetTimer(self, 1, 100);
  TicksAfter(100);
  EXPECT_EQ(ticks, 1);
  EXPECT_EQ(holders_after_free, 2);
  EXPECT_EQ(token.use_count(), 1) << "the window went once the tick returned";
  EXPECT_EQ(TimerCount(), 0);
  EXPECT_EQ(DispatchWaiting(), 0) << "its queued message went with it";
}

TEST_F(Timers, LoopSleepsUntilTheNextTickIsDue) {
  host::testing::RecordingSource source;
  SetEventSource(&source);
  WaitMessage();
  SetTimer(window_, 1, 1000);
  clock_.Advance(400);
  WaitMessage();
  clock_.Advance(600);
  WaitMessage();  // a tick is due: no sleep
  SetEventSource(nullptr);
  EXPECT_EQ(source.waits, (std::vector<int64_t>{-1, 600}));
}

// The same path on the real clock, through GetMessage's sleep.
TEST(TimersOnTheSystemClock, TickThroughGetMessage) {
  int ticks = 0;
  HWND wnd = AllocateHWnd([&](TMessage& m) {
    if (m.Msg == WM_TIMER && ++ticks == 3) PostQuitMessage(0);
  });
  ASSERT_NE(SetTimer(wnd, 1, 10), 0u);
  TMsg msg;
  while (GetMessage(msg)) DispatchMessage(msg);
  DeallocateHWnd(wnd);
  EXPECT_EQ(ticks, 3);
}

}  // namespace
