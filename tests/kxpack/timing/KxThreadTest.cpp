// TKxThread: back-to-back calls on the main thread (between its messages) or
// on the worker, pausing, exceptions, destruction with a call pending.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "host/base/SysUtils.h"
#include "host/threads/MessageLoop.h"
#include "host/threads/UtilityWindow.h"
#include "kxpack/timing/KxThread.h"
#include "tests/kxpack/timing/TimingFixture.h"

namespace kx::testing {
namespace {

class KxThreadTest : public TimingTest {
 protected:
  // A running component (Enabled False, then True starts a new one).
  TKxThread* MakeRunning(host::TNotifyEvent handler, bool sync = true) {
    auto* thread = new TKxThread(form_);
    thread->SetSyncEvent(sync);
    thread->SetOnExecute(std::move(handler));
    thread->SetEnabled(false);
    thread->SetEnabled(true);
    return thread;
  }
  // Settles until the handler has run at least n times; false after a long
  // real time, so a fault fails the test instead of hanging it.
  bool SettleUntilCalls(const CallLog& log, int n) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (log.calls < n) {
      if (std::chrono::steady_clock::now() > deadline) return false;
      session_->Settle();
      std::this_thread::yield();
    }
    return true;
  }
  CallLog log_;
};

TEST_F(KxThreadTest, CallsTheHandlerOverAndOverOnTheThreadSyncEventChooses) {
  for (bool sync : {true, false}) {
    CallLog log;
    TKxThread* thread = MakeRunning(log.Recorder(), sync);
    EXPECT_TRUE(SettleUntilCalls(log, 3)) << "sync " << sync;
    EXPECT_EQ(log.offMainThread, !sync);
    thread->Free();
  }
}

TEST_F(KxThreadTest, ANewComponentStartsOnlyOnceItsWorkerIsLetGo) {
  auto* thread = new TKxThread(form_);
  thread->SetOnExecute(log_.Recorder());
  Wait(1000);
  session_->Settle();
  EXPECT_EQ(log_.calls, 0);
  thread->SetPriority(host::tpLower);  // a change of Priority lets it go too
  EXPECT_TRUE(SettleUntilCalls(log_, 1));
}

TEST_F(KxThreadTest, CallsInterleaveWithTheMessagesOfTheMainThread) {
  // Each call posts a message; the loop handles each one between calls.
  std::vector<std::string> order;
  host::HWND window = host::AllocateHWnd([&](host::TMessage& m) {
    if (m.Msg == host::WM_USER) order.push_back("message");
  });
  TKxThread* thread = MakeRunning([&](host::TObject*) {
    order.push_back("call");
    host::PostMessage(window, host::WM_USER);
  });
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (order.size() < 6 && std::chrono::steady_clock::now() < deadline) session_->Settle();
  ASSERT_GE(order.size(), 6u);
  for (size_t i = 0; i + 1 < order.size(); ++i)
    EXPECT_NE(order[i], order[i + 1]) << "at " << i << ": calls and messages alternate";
  thread->Free();
  host::DeallocateHWnd(window);
}

TEST_F(KxThreadTest, DisablingPausesTheWorkerAndEnablingResumesIt) {
  TKxThread* thread = MakeRunning(log_.Recorder());
  ASSERT_TRUE(SettleUntilCalls(log_, 1));
  thread->SetEnabled(false);
  const int paused = log_.calls;
  for (int i = 0; i < 5; ++i) session_->Settle();
  Wait(1000);
  EXPECT_EQ(log_.calls, paused);
  thread->SetEnabled(true);
  EXPECT_TRUE(SettleUntilCalls(log_, paused + 1));
}

TEST_F(KxThreadTest, AnExceptionFromTheHandlerReachesTheApplicationAndCallsGoOn) {
  for (bool sync : {true, false}) {
    ExceptionLog exceptions;
    CallLog log;
    TKxThread* thread = MakeRunning(
        [&](host::TObject*) {
          if (++log.calls <= 2) throw host::EConvertError("call failed");
        },
        sync);
    EXPECT_TRUE(SettleUntilCalls(log, 4)) << "sync " << sync;
    thread->Free();
    EXPECT_EQ(exceptions.messages, (std::vector<std::string>{"call failed", "call failed"}))
        << "sync " << sync;
    EXPECT_FALSE(exceptions.offMainThread);
  }
}

TEST_F(KxThreadTest, DestroyingARunningComponentEndsItsWorkerAndRunsNoPendingCall) {
  TKxThread* thread = MakeRunning(log_.Recorder());
  ASSERT_TRUE(SettleUntilCalls(log_, 2));
  // The worker's next call is most likely queued now; freeing serves it
  // without a handler.
  const int before = log_.calls;
  EXPECT_TRUE(ReturnsWithoutTime([&] { thread->Free(); }));
  EXPECT_EQ(log_.calls, before);
  session_->Settle();
  EXPECT_EQ(log_.calls, before);
}

TEST_F(KxThreadTest, AHandlerMayFreeItsComponentOrTheComponentsOwner) {
  for (bool freeOwner : {false, true}) {
    auto* owner = new host::TComponent(form_);
    auto* thread = new TKxThread(owner);
    CallLog log;
    thread->SetOnExecute([&, owner, thread](host::TObject*) {
      log.Record();
      if (freeOwner)
        owner->Free();
      else
        thread->Free();
    });
    thread->SetEnabled(false);
    thread->SetEnabled(true);
    EXPECT_TRUE(SettleUntilCalls(log, 1));
    for (int i = 0; i < 5; ++i) session_->Settle();
    EXPECT_EQ(log.calls, 1) << "freeOwner " << freeOwner;
    if (!freeOwner) owner->Free();
  }
}

TEST_F(KxThreadTest, AtDesignTimeTheWorkerNeverRuns) {
  auto* thread = new TKxThread(form_);
  thread->SetDesigning(true);
  thread->SetOnExecute(log_.Recorder());
  thread->SetEnabled(false);
  thread->SetEnabled(true);
  thread->Loaded();
  for (int i = 0; i < 5; ++i) session_->Settle();
  Wait(1000);
  EXPECT_EQ(log_.calls, 0);
}

}  // namespace
}  // namespace kx::testing
