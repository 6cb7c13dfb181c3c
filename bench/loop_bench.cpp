// The message loop's costs: what an idle loop with a running timer takes
// while it sleeps between ticks, how fast posted messages go through, and
// the round trip of Synchronize from a worker.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>
#include <thread>

#include "host/threads/MessageLoop.h"
#include "host/threads/Threads.h"
#include "host/threads/Timers.h"
#include "host/threads/UtilityWindow.h"

using namespace host;

namespace {

double CpuMs() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  auto ms = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
  return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// The loop runs 5 s with a 1000 ms timer; between ticks it should sleep in
// the OS. Reported: CPU time of the whole process over those 5 s.
void BM_IdleLoopWithOneSecondTimer(benchmark::State& state) {
  for (auto _ : state) {
    int ticks = 0;
    HWND wnd = AllocateHWnd([&](TMessage& m) {
      if (m.Msg == WM_TIMER && ++ticks == 5) PostQuitMessage(0);
    });
    SetTimer(wnd, 1, 1000);
    const double cpu_before = CpuMs();
    const auto wall_before = std::chrono::steady_clock::now();
    TMsg msg;
    while (GetMessage(msg)) DispatchMessage(msg);
    const double cpu_ms = CpuMs() - cpu_before;
    const double wall_ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - wall_before)
            .count();
    DeallocateHWnd(wnd);
    state.counters["ticks"] = ticks;
    state.counters["wall_ms"] = wall_ms;
    state.counters["cpu_ms"] = cpu_ms;
  }
}
BENCHMARK(BM_IdleLoopWithOneSecondTimer)->Iterations(1)->Unit(benchmark::kMillisecond);

// PostMessage, PeekMessage and DispatchMessage of one message, on one thread.
void BM_PostPeekDispatch(benchmark::State& state) {
  int64_t handled = 0;
  HWND wnd = AllocateHWnd([&](TMessage&) { ++handled; });
  TMsg msg;
  for (auto _ : state) {
    PostMessage(wnd, WM_USER);
    PeekMessage(msg, PM_REMOVE);
    DispatchMessage(msg);
  }
  DeallocateHWnd(wnd);
  benchmark::DoNotOptimize(handled);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PostPeekDispatch);

// A worker's Synchronize served by a main thread that sleeps in GetMessage:
// queue, wake, run, hand back.
class CallingThread : public TThread {
  HOST_CLASS(CallingThread, TThread)
 public:
  explicit CallingThread(int calls) : calls_(calls) {}

 protected:
  void Execute() override {
    int counter = 0;
    for (int i = 0; i < calls_; ++i) Synchronize([&] { ++counter; });
    PostQuitMessage(0);
  }

 private:
  int calls_;
};

void BM_SynchronizeRoundTrip(benchmark::State& state) {
  constexpr int kCalls = 2000;
  for (auto _ : state) {
    auto* worker = new CallingThread(kCalls);
    worker->Start();
    TMsg msg;
    while (GetMessage(msg)) DispatchMessage(msg);
    worker->Free();
  }
  state.SetItemsProcessed(state.iterations() * kCalls);
}
BENCHMARK(BM_SynchronizeRoundTrip)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
