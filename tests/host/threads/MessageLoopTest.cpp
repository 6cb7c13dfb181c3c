#include <gtest/gtest.h>

#include <thread>

#include "host/threads/Threads.h"
#include "tests/host/threads/LoopFixture.h"

using namespace host;
using host::testing::LoopTest;

namespace {

using MessageLoop = LoopTest;

TEST_F(MessageLoop, PostedMessagesArriveInOrderWithTheirParameters) {
  PostMessage(window_, WM_USER, 1, 2);
  PostMessage(window_, WM_USER + 1, 3, 4);
  EXPECT_EQ(DispatchWaiting(), 2);
  ASSERT_EQ(received_.size(), 2u);
  EXPECT_EQ(received_[0].Msg, WM_USER);
  EXPECT_EQ(received_[0].WParam, 1u);
  EXPECT_EQ(received_[0].LParam, 2);
  EXPECT_EQ(received_[1].Msg, WM_USER + 1);
}

TEST_F(MessageLoop, SendMessageCallsTheWindowAtOnceAndReturnsItsResult) {
  HWND wnd = AllocateHWnd([](TMessage& m) { m.Result = static_cast<LRESULT>(m.WParam * 2); });
  EXPECT_EQ(SendMessage(wnd, WM_USER, 21), 42);
  EXPECT_EQ(SendMessage(nullptr, WM_USER, 21), 0);
  DeallocateHWnd(wnd);
}

TEST_F(MessageLoop, WindowWithoutMethodAndMessageWithoutWindowGiveZero) {
  HWND plain = AllocateHWnd(nullptr);
  EXPECT_EQ(SendMessage(plain, WM_USER, 1, 1), 0);
  DeallocateHWnd(plain);
  TMsg msg;
  msg.message = WM_USER;
  EXPECT_EQ(DispatchMessage(msg), 0);
  EXPECT_EQ(DefWindowProc(window_, WM_CLOSE, 0, 0), 0);
}

TEST_F(MessageLoop, QuitComesAfterThePostedMessages) {
  PostMessage(window_, WM_USER);
  PostQuitMessage(3);
  TMsg msg;
  ASSERT_TRUE(GetMessage(msg));
  EXPECT_EQ(msg.message, WM_USER);
  EXPECT_FALSE(GetMessage(msg));
  EXPECT_EQ(msg.message, WM_QUIT);
  EXPECT_EQ(msg.wParam, 3u);
  EXPECT_FALSE(PeekMessage(msg, PM_REMOVE)) << "the quit request is taken once";
}

TEST_F(MessageLoop, PostedThenPaintThenTimer) {
  bool needs_paint = true;
  SetPaintMessageSource([&](TMsg& msg) {
    if (!needs_paint) return false;
    msg = TMsg{};
    msg.hwnd = window_;
    msg.message = WM_PAINT;
    return true;
  });
  SetTimer(window_, 1, 100);
  clock_.Advance(100);
  PostMessage(window_, WM_USER);

  std::vector<UINT> order;
  TMsg msg;
  while (PeekMessage(msg, PM_REMOVE)) {
    order.push_back(msg.message);
    if (msg.message == WM_PAINT) needs_paint = false;  // what painting does
  }
  SetPaintMessageSource(nullptr);
  EXPECT_EQ(order, (std::vector<UINT>{WM_USER, WM_PAINT, WM_TIMER}));
}

TEST_F(MessageLoop, WaitMessageSleepsOnlyWhenNothingIsWaiting) {
  host::testing::RecordingSource source;
  bool needs_paint = false;
  SetPaintMessageSource([&](TMsg& msg) {
    msg.hwnd = window_;
    msg.message = WM_PAINT;
    return needs_paint;
  });
  SetEventSource(&source);
  PostMessage(window_, WM_USER);
  WaitMessage();
  DispatchWaiting();
  needs_paint = true;
  WaitMessage();
  needs_paint = false;
  WaitMessage();
  SetEventSource(nullptr);
  SetPaintMessageSource(nullptr);
  EXPECT_EQ(source.waits, std::vector<int64_t>{-1});
}

TEST_F(MessageLoop, EventsPumpedByThePlatformArriveInTheSamePass) {
  struct PostingSource : EventSource {
    HWND target;
    int pumps = 0;
    void Pump() override {
      if (pumps++ == 0) PostMessage(target, WM_USER + 7);
    }
    void Wait(int64_t) override {}
    void Wake() override {}
  } source;
  source.target = window_;
  SetEventSource(&source);
  TMsg msg;
  const bool got = PeekMessage(msg, PM_REMOVE);
  SetEventSource(nullptr);
  ASSERT_TRUE(got);
  EXPECT_EQ(msg.message, WM_USER + 7);
}

// What a window's move or size loop runs while it follows the pointer: the
// calls of workers, posted messages and due timers, but no OS events (the
// loop takes those itself), and a quit request stays for the outer loop.
TEST_F(MessageLoop, DispatchingWaitingMessagesServesCallsPostsAndTimersButNoOSEvents) {
  struct CountingSource : EventSource {
    std::atomic<int> pumps{0}, wakes{0};
    void Pump() override { ++pumps; }
    void Wait(int64_t) override {}
    void Wake() override { ++wakes; }
  } source;
  SetEventSource(&source);
  SetTimer(window_, 1, 100);
  clock_.Advance(100);
  PostMessage(window_, WM_USER);
  source.wakes = 0;
  std::atomic<bool> called{false};
  std::thread worker([&] { TThread::Synchronize([&] { called = true; }); });
  while (source.wakes == 0) std::this_thread::yield();  // the call is queued
  DispatchWaitingMessages();
  worker.join();
  EXPECT_TRUE(called);
  std::vector<UINT> got;
  for (const TMessage& m : received_) got.push_back(m.Msg);
  EXPECT_EQ(got, (std::vector<UINT>{WM_USER, WM_TIMER}));
  EXPECT_EQ(source.pumps, 0);
  PostQuitMessage(3);
  DispatchWaitingMessages();
  TMsg msg;
  ASSERT_TRUE(PeekMessage(msg, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(msg.wParam, 3u);
  SetEventSource(nullptr);
}

TEST_F(MessageLoop, PostFromAnotherThreadWakesASleepingGetMessage) {
  std::thread poster([&] { PostMessage(window_, WM_USER + 2); });
  TMsg msg;
  ASSERT_TRUE(GetMessage(msg));
  EXPECT_EQ(msg.message, WM_USER + 2);
  poster.join();
}

TEST_F(MessageLoop, SendMessageFromAWorkerRunsOnTheMainThread) {
  std::atomic<bool> on_main{false};
  HWND wnd = AllocateHWnd([&](TMessage& m) {
    on_main = IsMainThread();
    m.Result = 5;
  });
  std::atomic<LRESULT> result{0};
  std::thread worker([&] {
    result = SendMessage(wnd, WM_USER);
    PostQuitMessage(0);
  });
  TMsg msg;
  while (GetMessage(msg)) DispatchMessage(msg);
  worker.join();
  DeallocateHWnd(wnd);
  EXPECT_TRUE(on_main);
  EXPECT_EQ(result, 5);
}

}  // namespace
