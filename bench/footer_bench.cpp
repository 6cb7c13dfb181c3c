// The footer's grip sizing the example window, scripted and headless. In
// one press-and-drag across 500 pointer moves each move sizes the window
// from its corner and lays it out again; the repaint follows the release.
// Dragged one move at a time, each move is also repainted.
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <string>

#include "host/testing/Session.h"
#include "kxpack/package/KxPack.h"

namespace {

void BM_FooterGripDrag500Moves(benchmark::State& state) {
  setenv("KX_PLATFORM", "headless", 1);
  (void)kx::HInstance();  // the package's classes, for the form file
  kx::testing::Session session(std::string(KX_SOURCE_DIR) + "/examples/footer-and-panels.kxf");
  for (auto _ : state) {
    // From the grip at the window's corner (360 × 220), out by up to 250
    // pixels and back: every move changes the size.
    session.Press(352, 212);
    for (int i = 1; i <= 500; ++i) {
      const int d = i <= 250 ? i : 500 - i;
      session.Move(352 + d, 212 + d / 2);
    }
    session.Release(352, 212);
  }
  state.SetItemsProcessed(state.iterations() * 500);
  state.SetLabel("500 moves per iteration; items: moves");
}
BENCHMARK(BM_FooterGripDrag500Moves)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

void BM_FooterGripDragOneMoveRepainted(benchmark::State& state) {
  setenv("KX_PLATFORM", "headless", 1);
  (void)kx::HInstance();
  kx::testing::Session session(std::string(KX_SOURCE_DIR) + "/examples/footer-and-panels.kxf");
  int d = 1;
  for (auto _ : state) {
    // The grip follows the corner: a drag from where it is now.
    const int x = session.Form()->ClientWidth() - 8, y = session.Form()->ClientHeight() - 8;
    session.Drag(x, y, x + d, y + d);
    d = -d;
  }
  state.SetItemsProcessed(state.iterations());
  state.SetLabel("items: moves, each laid out and repainted");
}
BENCHMARK(BM_FooterGripDragOneMoveRepainted)
    ->Unit(benchmark::kMicrosecond)
    ->MeasureProcessCPUTime();

}  // namespace

BENCHMARK_MAIN();
