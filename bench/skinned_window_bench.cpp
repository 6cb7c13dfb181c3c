// The skinned-window example sized by its grip: a press in the grip, 500
// pointer moves (250 out, 250 back), the release; every move sizes the
// window, so it re-lays out and repaints it. The figure that matters is the
// CPU time per move (the iteration's time / 500), against a budget of 1 ms.
#include <benchmark/benchmark.h>
#include <cstdlib>

#include "examples/skinned-window/MainForm.h"
#include "host/testing/Session.h"

namespace {

constexpr int kGripX = 393, kGripY = 234;  // in the grip of the 400 × 240 window
constexpr int kMoves = 500;

void BM_GripDragOf500Moves(benchmark::State& state) {
  setenv("KX_PLATFORM", "headless", 1);
  auto* form = new skinned_window::TMainForm(nullptr);
  {
    kx::testing::Session session(form);
    for (auto _ : state) {
      session.Press(kGripX, kGripY);
      for (int i = 1; i <= kMoves / 2; ++i) session.Move(kGripX + i, kGripY + i / 2);
      for (int i = kMoves / 2 - 1; i >= 0; --i) session.Move(kGripX + i, kGripY + i / 2);
      session.Release(kGripX, kGripY);  // the size loop runs the moves here
    }
    if (form->Width() != 400 || form->Height() != 240)
      state.SkipWithError("the drag did not bring the window back to its size");
  }
  form->Free();
  state.SetItemsProcessed(state.iterations() * kMoves);
  // Seconds of CPU per move.
  state.counters["cpu_per_move"] = benchmark::Counter(
      kMoves, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  state.SetLabel("500 moves per iteration");
}
BENCHMARK(BM_GripDragOf500Moves)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

}  // namespace

BENCHMARK_MAIN();
