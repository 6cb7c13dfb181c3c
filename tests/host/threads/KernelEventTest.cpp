#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "host/threads/KernelEvents.h"

using namespace host;

namespace {

// A wait long enough never to run out in a passing test.
constexpr DWORD kLongWait = 60'000;

struct StateCase {
  bool manual;
  bool initial;
  DWORD first;   // result of the first test-only wait
  DWORD second;  // and of the one after it
};

class EventStates : public ::testing::TestWithParam<StateCase> {};

TEST_P(EventStates, WaitTakesTheSignalOnlyFromAnAutoResetEvent) {
  const StateCase c = GetParam();
  HANDLE event = CreateEvent(c.manual, c.initial);
  ASSERT_NE(event, nullptr);
  EXPECT_EQ(WaitForSingleObject(event, 0), c.first);
  EXPECT_EQ(WaitForSingleObject(event, 0), c.second);
  EXPECT_TRUE(CloseHandle(event));
}

INSTANTIATE_TEST_SUITE_P(KernelEvents, EventStates,
                         ::testing::Values(StateCase{false, true, WAIT_OBJECT_0, WAIT_TIMEOUT},
                                           StateCase{true, true, WAIT_OBJECT_0, WAIT_OBJECT_0},
                                           StateCase{false, false, WAIT_TIMEOUT, WAIT_TIMEOUT},
                                           StateCase{true, false, WAIT_TIMEOUT, WAIT_TIMEOUT}));

TEST(KernelEvents, SetAndResetAManualEvent) {
  HANDLE event = CreateEvent(true, false);
  EXPECT_TRUE(SetEvent(event));
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0);
  EXPECT_TRUE(ResetEvent(event));
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT);
  CloseHandle(event);
}

TEST(KernelEvents, TimedWaitIsCutShortBySetEventFromAnotherThread) {
  HANDLE event = CreateEvent(false, false);
  std::atomic<DWORD> result{WAIT_FAILED};
  std::thread waiter([&] { result = WaitForSingleObject(event, kLongWait); });
  SetEvent(event);
  waiter.join();
  EXPECT_EQ(result, WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT) << "the waiter took the signal";
  CloseHandle(event);
}

TEST(KernelEvents, TimedWaitRunsOut) {
  HANDLE event = CreateEvent(false, false);
  EXPECT_EQ(WaitForSingleObject(event, 20), WAIT_TIMEOUT);
  CloseHandle(event);
}

TEST(KernelEvents, AutoResetReleasesOneWaiterPerSignalManualReleasesAll) {
  for (bool manual : {false, true}) {
    SCOPED_TRACE(manual ? "manual reset" : "auto reset");
    HANDLE event = CreateEvent(manual, false);
    HANDLE done = CreateEvent(false, false);
    std::atomic<int> released{0};
    auto wait = [&] {
      WaitForSingleObject(event, kLongWait);
      ++released;
      SetEvent(done);
    };
    std::thread a(wait), b(wait);
    SetEvent(event);
    ASSERT_EQ(WaitForSingleObject(done, kLongWait), WAIT_OBJECT_0);
    if (!manual) {
      // The released waiter took the signal with it, and the second signal
      // is taken by the other waiter: a signal that released both would
      // leave this one set with nobody to take it.
      EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT);
      SetEvent(event);
    }
    a.join();
    b.join();
    EXPECT_EQ(released, 2);
    if (!manual) EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT);
    CloseHandle(done);
    CloseHandle(event);
  }
}

TEST(KernelEvents, BadHandlesAreReportedNotFollowed) {
  EXPECT_FALSE(SetEvent(nullptr));
  EXPECT_FALSE(ResetEvent(nullptr));
  EXPECT_EQ(WaitForSingleObject(nullptr, 0), WAIT_FAILED);
  EXPECT_FALSE(CloseHandle(nullptr));

  HANDLE event = CreateEvent(true, true);
  EXPECT_TRUE(CloseHandle(event));
  EXPECT_FALSE(CloseHandle(event));
  EXPECT_FALSE(SetEvent(event));
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_FAILED);
}

TEST(KernelEvents, ClosingWhileAnotherThreadWaitsLeavesThatWaitIntact) {
  HANDLE event = CreateEvent(false, false);
  HANDLE started = CreateEvent(true, false);
  std::atomic<DWORD> result{WAIT_FAILED};
  std::thread waiter([&] {
    SetEvent(started);
    result = WaitForSingleObject(event, 50);
  });
  WaitForSingleObject(started, kLongWait);
  CloseHandle(event);
  waiter.join();
  // Either the wait had begun and ran out, or the handle was already closed.
  EXPECT_TRUE(result == WAIT_TIMEOUT || result == WAIT_FAILED);
  CloseHandle(started);
}

}  // namespace
