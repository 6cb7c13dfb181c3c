#include <gtest/gtest.h>

#include <sched.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

#include "host/threads/KernelEvents.h"
#include "host/threads/MessageLoop.h"
#include "host/threads/Threads.h"

using namespace host;

namespace {

constexpr DWORD kLongWait = 60'000;

// A thread whose Execute is a function given by the test.
class TestThread : public TThread {
  HOST_CLASS(TestThread, TThread)
 public:
  explicit TestThread(std::function<void(TestThread&)> body, std::atomic<bool>* destroyed = nullptr)
      : body_(std::move(body)), destroyed_(destroyed) {}
  ~TestThread() override {
    if (destroyed_) *destroyed_ = true;
  }
  using TThread::SetReturnValue;

 protected:
  void Execute() override { body_(*this); }

 private:
  std::function<void(TestThread&)> body_;
  std::atomic<bool>* destroyed_;
};

// An event the test closes when it ends.
struct Event {
  explicit Event(bool manual = false) : handle(CreateEvent(manual, false)) {}
  ~Event() { CloseHandle(handle); }
  void Set() const { SetEvent(handle); }
  bool WaitLong() const { return WaitForSingleObject(handle, kLongWait) == WAIT_OBJECT_0; }
  HANDLE handle;
};

// Gives a thread that should stay still a chance to move. Only a negative
// check depends on it; a slow machine can make it miss a fault, never invent one.
void Pause() { std::this_thread::sleep_for(std::chrono::milliseconds(30)); }

// Yields until done() holds, serving the workers' Synchronize calls when
// serve is set. False after kLongWait, so a fault fails the test with a
// message instead of hanging it.
template <class Done>
bool SpinUntil(Done done, bool serve = false) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kLongWait);
  while (!done()) {
    if (serve) CheckSynchronize();
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::yield();
  }
  return true;
}

TEST(Thread, CreatedSuspendedRunsOnlyAfterStart) {
  std::atomic<int> runs{0};
  auto* t = new TestThread([&](TestThread& self) {
    ++runs;
    self.SetReturnValue(17);
  });
  EXPECT_TRUE(t->Suspended());
  EXPECT_THROW(t->WaitFor(), EThread);
  Pause();
  EXPECT_EQ(runs, 0);
  t->Start();
  EXPECT_FALSE(t->Suspended());
  EXPECT_EQ(t->WaitFor(), 17);
  EXPECT_TRUE(t->Finished());
  EXPECT_EQ(runs, 1);
  EXPECT_THROW(t->Start(), EThread);
  t->Free();
}

TEST(Thread, ResumeStartsASuspendedThreadOnceEverySuspendIsUndone) {
  std::atomic<int> runs{0};
  auto* t = new TestThread([&](TestThread&) { ++runs; });
  t->Suspend();
  t->Resume();
  EXPECT_TRUE(t->Suspended());
  t->Resume();
  t->WaitFor();
  EXPECT_EQ(runs, 1);
  t->Resume();  // not suspended: nothing happens
  t->Free();
}

TEST(Thread, FreeingAThreadThatNeverRanDoesNotRunIt) {
  std::atomic<int> runs{0};
  auto* t = new TestThread([&](TestThread&) { ++runs; });
  t->Free();
  EXPECT_EQ(runs, 0);
}

TEST(Thread, TerminateEndsALoopThatWatchesTerminated) {
  auto* t = new TestThread([](TestThread& self) {
    while (!self.Terminated()) std::this_thread::yield();
  });
  t->Start();
  t->Terminate();
  t->WaitFor();
  EXPECT_TRUE(t->Terminated());
  t->Free();
}

TEST(Thread, ExceptionEndingExecuteIsKept) {
  auto* t = new TestThread([](TestThread&) { throw EInvalidOperation("boom"); });
  t->Start();
  t->WaitFor();
  ASSERT_TRUE(t->FatalException());
  EXPECT_THROW(std::rethrow_exception(t->FatalException()), EInvalidOperation);
  t->Free();
}

TEST(Synchronize, RunsOnTheMainThreadWhileTheWorkerWaits) {
  std::atomic<bool> ran_on_main{false};
  std::atomic<bool> worker_saw_result{false};
  int shared = 0;  // touched only on the main thread or after Synchronize
  auto* t = new TestThread([&](TestThread&) {
    TThread::Synchronize([&] {
      ran_on_main = IsMainThread();
      shared = 42;
    });
    worker_saw_result = shared == 42;
  });
  t->Start();
  t->WaitFor();  // serves the call
  EXPECT_TRUE(ran_on_main);
  EXPECT_TRUE(worker_saw_result);
  t->Free();
}

TEST(Synchronize, OnTheMainThreadRunsAtOnce) {
  bool ran = false;
  TThread::Synchronize([&] { ran = true; });
  EXPECT_TRUE(ran);
}

TEST(Synchronize, ExceptionIsRaisedAgainInTheWorker) {
  std::atomic<bool> caught{false};
  auto* t = new TestThread([&](TestThread&) {
    try {
      TThread::Synchronize([] { throw EConvertError("bad"); });
    } catch (const EConvertError&) {
      caught = true;
    }
  });
  t->Start();
  t->WaitFor();
  EXPECT_TRUE(caught);
  t->Free();
}

TEST(Synchronize, ServedByTheMessageLoop) {
  std::atomic<int> calls{0};
  auto* t = new TestThread([&](TestThread&) {
    for (int i = 0; i < 3; ++i) TThread::Synchronize([&] { ++calls; });
    PostQuitMessage(0);
  });
  t->Start();
  TMsg msg;
  while (GetMessage(msg)) DispatchMessage(msg);
  EXPECT_EQ(calls, 3);
  t->Free();
}

TEST(Synchronize, CheckSynchronizeBelongsToTheMainThread) {
  std::atomic<bool> refused{false};
  std::thread other([&] {
    try {
      CheckSynchronize();
    } catch (const EThread&) {
      refused = true;
    }
  });
  other.join();
  EXPECT_TRUE(refused);
}

TEST(Synchronize, FreeingAThreadWithACallPendingServesTheCallAndReturns) {
  Event about_to_sync;
  std::atomic<bool> ran{false};
  auto* t = new TestThread([&](TestThread&) {
    about_to_sync.Set();
    TThread::Synchronize([&] { ran = true; });
  });
  t->Start();
  ASSERT_TRUE(about_to_sync.WaitLong());
  t->Free();  // must serve the pending call, or this deadlocks
  EXPECT_TRUE(ran);
}

// Freeing a thread serves its own pending call and no other thread's: a form
// being torn down must not run the handler of a component it already freed.
TEST(Synchronize, FreeingAThreadServesOnlyItsOwnPendingCalls) {
  Event own_about_to_sync, other_about_to_sync;
  std::atomic<bool> own_ran{false}, other_ran{false};
  auto* other = new TestThread([&](TestThread&) {
    other_about_to_sync.Set();
    TThread::Synchronize([&] { other_ran = true; });
  });
  auto* own = new TestThread([&](TestThread&) {
    own_about_to_sync.Set();
    TThread::Synchronize([&] { own_ran = true; });
  });
  other->Start();
  ASSERT_TRUE(other_about_to_sync.WaitLong());
  own->Start();
  ASSERT_TRUE(own_about_to_sync.WaitLong());
  Pause();  // both calls are now most likely queued, the other's first
  own->Free();
  EXPECT_TRUE(own_ran);
  EXPECT_FALSE(other_ran);
  other->Free();
  EXPECT_TRUE(other_ran);
}

// A tick handler that frees its own timer: the worker waits for the very
// call that frees it, so Free must not wait for the worker.
TEST(Synchronize, FreeingTheCallingThreadFromInsideItsCallDoesNotDeadlock) {
  std::atomic<bool> destroyed{false};
  int calls = 0;  // main thread only
  bool wait_refused = false;
  TestThread* t = nullptr;
  t = new TestThread(
      [&](TestThread& self) {
        while (!self.Terminated())
          TThread::Synchronize([&] {
            if (++calls < 3) return;
            try {
              t->WaitFor();
            } catch (const EThread&) {
              wait_refused = true;
            }
            t->Free();
          });
      },
      &destroyed);
  t->Start();
  ASSERT_TRUE(SpinUntil([&] { return destroyed.load(); }, true)) << "the worker was never freed";
  EXPECT_EQ(calls, 3);
  EXPECT_TRUE(wait_refused);
}

// A call that runs a nested loop (a modal form) while another worker's call
// waits behind it: the nested loop must serve that one.
TEST(Synchronize, NestedLoopInsideACallServesTheCallsQueuedBehindIt) {
  Event a_entering, b_entering;
  bool b_ran = false;  // main thread only
  auto* b = new TestThread([&](TestThread&) {
    b_entering.Set();
    TThread::Synchronize([&] { b_ran = true; });
  });
  auto* a = new TestThread([&](TestThread&) {
    a_entering.Set();
    TThread::Synchronize([&] {
      while (!b_ran) {
        CheckSynchronize();
        std::this_thread::yield();
      }
    });
  });
  a->Start();
  ASSERT_TRUE(a_entering.WaitLong());
  b->Start();
  ASSERT_TRUE(b_entering.WaitLong());
  Pause();  // both calls are now most likely queued, a's first
  a->Free();
  b->Free();
  EXPECT_TRUE(b_ran);
}

TEST(Synchronize, BackToBackCallsLeaveTheLoopItsMessages) {
  std::atomic<int> calls{0};
  auto* t = new TestThread([&](TestThread& self) {
    while (!self.Terminated()) TThread::Synchronize([&] { ++calls; });
  });
  HWND none = nullptr;
  t->Start();
  PostMessage(none, WM_USER);
  TMsg msg;
  // The posted message gets through even though a call is always waiting.
  while (GetMessage(msg) && msg.message != WM_USER) {
  }
  EXPECT_EQ(msg.message, WM_USER);
  t->Free();
}

TEST(Suspend, PausesAtTheNextSafePointUntilResumed) {
  std::atomic<long> spins{0};
  auto* t = new TestThread([&](TestThread& self) {
    while (!self.Terminated()) ++spins;
  });
  t->Start();
  ASSERT_TRUE(SpinUntil([&] { return spins > 0; })) << "the thread never ran";
  t->Suspend();
  EXPECT_TRUE(t->Suspended());
  const long at_suspend = spins;
  Pause();
  EXPECT_EQ(spins, at_suspend);
  t->Resume();
  EXPECT_TRUE(SpinUntil([&] { return spins != at_suspend; })) << "Resume did not let it run on";
  t->Free();
}

TEST(Suspend, AWaitingThreadPausesWhenItsWaitEnds) {
  Event wake, woke;
  std::atomic<int> rounds{0};
  auto* t = new TestThread([&](TestThread& self) {
    while (!self.Terminated()) {
      if (WaitForSingleObject(wake.handle, kLongWait) != WAIT_OBJECT_0) continue;
      ++rounds;
      woke.Set();
    }
  });
  t->Start();
  t->Suspend();  // returns at once: the thread waits, a safe point
  wake.Set();
  Pause();
  EXPECT_EQ(rounds, 0);
  t->Resume();
  ASSERT_TRUE(woke.WaitLong());
  EXPECT_EQ(rounds, 1);
  t->Terminate();
  wake.Set();
  t->Free();
}

// What a handler run through Synchronize does when it disables its own
// worker: the Suspend comes while the worker waits for that very call.
TEST(Suspend, FromTheSynchronizedCallPausesTheWorkerAfterIt) {
  std::atomic<int> after{0};
  TestThread* t = nullptr;
  t = new TestThread([&](TestThread&) {
    TThread::Synchronize([&] { t->Suspend(); });
    ++after;
  });
  t->Start();
  ASSERT_TRUE(SpinUntil([] { return CheckSynchronize(); })) << "the call never came";
  EXPECT_TRUE(t->Suspended());
  Pause();
  EXPECT_EQ(after, 0);
  t->Resume();
  t->WaitFor();
  EXPECT_EQ(after, 1);
  t->Free();
}

TEST(Suspend, AThreadCanSuspendItself) {
  std::atomic<int> stage{0};
  auto* t = new TestThread([&](TestThread& self) {
    stage = 1;
    self.Suspend();
    stage = 2;
  });
  t->Start();
  ASSERT_TRUE(SpinUntil([&] { return stage == 1 && t->Suspended(); }))
      << "the thread did not suspend itself";
  Pause();
  EXPECT_EQ(stage, 1);
  t->Resume();
  t->WaitFor();
  EXPECT_EQ(stage, 2);
  t->Free();
}

TEST(Suspend, FreeingASuspendedThreadEndsIt) {
  std::atomic<bool> entered{false}, ended{false}, destroyed{false};
  auto* t = new TestThread(
      [&](TestThread& self) {
        entered = true;
        while (!self.Terminated()) std::this_thread::yield();
        ended = true;
      },
      &destroyed);
  t->Start();
  ASSERT_TRUE(SpinUntil([&] { return entered.load(); })) << "the thread never ran";
  t->Suspend();
  t->Suspend();
  EXPECT_TRUE(t->Suspended());
  t->Free();
  // Free lifted both suspensions, so Execute ran to its end before the object went.
  EXPECT_TRUE(ended);
  EXPECT_TRUE(destroyed);
}

TEST(Thread, FreeOnTerminateFreesItselfAfterOnTerminateRanOnTheMainThread) {
  std::atomic<bool> destroyed{false};
  std::atomic<bool> terminate_on_main{false};
  auto* t = new TestThread([](TestThread&) {}, &destroyed);
  t->SetFreeOnTerminate(true);
  t->SetOnTerminate([&](TObject* sender) { terminate_on_main = IsMainThread() && sender == t; });
  t->Start();
  ASSERT_TRUE(SpinUntil([&] { return destroyed.load(); }, true))
      << "the thread did not free itself";
  EXPECT_TRUE(terminate_on_main);
}

// The nice value and policy the thread sees itself run at.
struct Scheduling {
  int nice;
  int policy;
};

Scheduling ReadOwnScheduling() {
  return {getpriority(PRIO_PROCESS, gettid()), sched_getscheduler(0)};
}

TEST(Thread, PrioritiesBelowNormalReachTheScheduler) {
  const int base = getpriority(PRIO_PROCESS, 0);
  struct Case {
    TThreadPriority priority;
    Scheduling expected;
  };
  const Case cases[] = {
      {tpNormal, {base, SCHED_OTHER}},
      {tpLower, {std::min(base + 5, 19), SCHED_OTHER}},
      {tpLowest, {std::min(base + 10, 19), SCHED_OTHER}},
      {tpIdle, {base, SCHED_IDLE}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(EnumName(c.priority));
    Scheduling seen{};
    auto* t = new TestThread([&](TestThread&) { seen = ReadOwnScheduling(); });
    t->SetPriority(c.priority);
    t->Start();
    t->WaitFor();
    EXPECT_EQ(t->Priority(), c.priority);
    EXPECT_EQ(seen.policy, c.expected.policy);
    if (c.expected.policy == SCHED_OTHER) {
      EXPECT_EQ(seen.nice, c.expected.nice);
    }
    t->Free();
  }
}

TEST(Thread, PriorityChangedWhileRunningTakesEffect) {
  Event changed;
  Scheduling seen{};
  auto* t = new TestThread([&](TestThread&) {
    changed.WaitLong();
    seen = ReadOwnScheduling();
  });
  t->Start();
  t->SetPriority(tpLower);
  changed.Set();
  t->WaitFor();
  EXPECT_EQ(seen.nice, std::min(getpriority(PRIO_PROCESS, 0) + 5, 19));
  t->Free();
}

}  // namespace
