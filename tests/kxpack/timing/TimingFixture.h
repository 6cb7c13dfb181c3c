#pragma once
// Timer and thread components on a shown headless form, driven by a session
// whose clock moves only when the test waits. Handlers record what they saw
// in atomics, since some run on worker threads.
#include <gtest/gtest.h>

#include <atomic>
#include <optional>
#include <string>
#include <vector>

#include "host/controls/Forms.h"
#include "host/testing/Session.h"
#include "host/threads/Threads.h"
#include "tests/support/HeadlessFixture.h"

namespace kx::testing {

// What a handler saw: how often it ran, and whether it ever ran off the
// main thread.
struct CallLog {
  std::atomic<int> calls{0};
  std::atomic<bool> offMainThread{false};
  host::TNotifyEvent Recorder() {
    return [this](host::TObject*) { Record(); };
  }
  void Record() {
    ++calls;
    if (!host::IsMainThread()) offMainThread = true;
  }
};

// Application.OnException for the length of a test: the messages it got,
// and whether each came on the main thread.
class ExceptionLog {
 public:
  ExceptionLog();
  ~ExceptionLog();
  std::vector<std::string> messages;  // main thread only
  std::atomic<bool> offMainThread{false};
};

class TimingTest : public host::testing::HeadlessTest {
 protected:
  void SetUp() override;
  void TearDown() override;
  void Wait(int64_t ms) { session_->Wait(ms); }
  // Runs free (which frees something that owns a worker) and reports
  // whether it returned without the clock moving. A free that waits for
  // virtual time is let go after a long real time, so a fault fails the
  // test instead of hanging it.
  bool ReturnsWithoutTime(const std::function<void()>& free);

  host::TForm* form_ = nullptr;
  std::optional<Session> session_;
};

}  // namespace kx::testing
