#include "tests/kxpack/timing/TimingFixture.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "host/threads/Clock.h"

namespace kx::testing {

ExceptionLog::ExceptionLog() {
  host::Application->SetOnException([this](host::TObject*, host::Exception* e) {
    if (!host::IsMainThread()) offMainThread = true;
    messages.push_back(e->Message());
  });
}

ExceptionLog::~ExceptionLog() { host::Application->SetOnException(nullptr); }

void TimingTest::SetUp() {
  HeadlessTest::SetUp();
  form_ = MakeForm();
  session_.emplace(form_);
}

void TimingTest::TearDown() {
  session_.reset();
  HeadlessTest::TearDown();
}

bool TimingTest::ReturnsWithoutTime(const std::function<void()>& free) {
  std::mutex mutex;
  std::condition_variable done;
  bool returned = false;
  const int64_t before = host::TickCountMs();
  std::thread watchdog([&] {
    std::unique_lock lock(mutex);
    if (!done.wait_for(lock, std::chrono::seconds(30), [&] { return returned; }))
      host::testing::Headless().AdvanceClock(int64_t{1} << 40);
  });
  free();
  {
    std::lock_guard lock(mutex);
    returned = true;
  }
  done.notify_all();
  watchdog.join();
  return host::TickCountMs() == before;
}

}  // namespace kx::testing
