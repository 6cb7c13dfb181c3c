#pragma once
// A fixture for tests of the message loop: a clock that moves only when the
// test says so, a hidden window that records what it receives, and an empty
// queue before and after each test.
#include <gtest/gtest.h>

#include <atomic>
#include <vector>

#include "host/threads/Clock.h"
#include "host/threads/MessageLoop.h"
#include "host/threads/Timers.h"
#include "host/threads/UtilityWindow.h"

namespace host::testing {

class ManualClock : public TickSource {
 public:
  int64_t NowMs() override { return now_; }
  void Advance(int64_t ms) { now_ += ms; }

 private:
  std::atomic<int64_t> now_{1'000'000};
};

// An event source that records how long the loop asked to sleep, and
// returns at once.
struct RecordingSource : EventSource {
  void Pump() override {}
  void Wait(int64_t timeoutMs) override { waits.push_back(timeoutMs); }
  void Wake() override {}
  std::vector<int64_t> waits;
};

inline void DrainQueue() {
  TMsg msg;
  while (PeekMessage(msg, PM_REMOVE)) {
  }
}

class LoopTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetTickSource(&clock_);
    DrainQueue();
    window_ = AllocateHWnd([this](TMessage& m) { received_.push_back(m); });
  }
  void TearDown() override {
    DeallocateHWnd(window_);
    DrainQueue();
    SetTickSource(nullptr);
    SetTimerLimit(10000);
  }

  // Takes and dispatches every message waiting; how many there were.
  int DispatchWaiting() {
    int n = 0;
    TMsg msg;
    while (PeekMessage(msg, PM_REMOVE)) {
      DispatchMessage(msg);
      ++n;
    }
    return n;
  }

  ManualClock clock_;
  HWND window_ = nullptr;
  std::vector<TMessage> received_;
};

}  // namespace host::testing
