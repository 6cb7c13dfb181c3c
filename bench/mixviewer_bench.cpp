// One frame of a level meter on a 32-column × 40-tick mix viewer (every bar
// takes a new position and redraws straight on the screen), one bar
// changing alone, and a full repaint, beside memcpy of the control's pixels.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <vector>

#include "host/controls/Forms.h"
#include "host/platform/HeadlessPlatform.h"
#include "kxpack/instruments/KxMixViewer.h"

using namespace host;

namespace {

constexpr int kColumns = 32;
constexpr int kTicks = 40;

// A shown form holding a viewer of kColumns bars of kTicks ticks.
struct Meter {
  TForm* form;
  kx::TKxMixViewer* viewer;
  Meter() {
    static bool headless = [] {
      Platform::SetCurrent(std::make_unique<HeadlessPlatform>());
      return true;
    }();
    (void)headless;
    form = new TForm(nullptr);
    form->SetBounds(50, 50, 400, 200);
    viewer = new kx::TKxMixViewer(form);
    viewer->SetColumns(kColumns);
    viewer->SetBounds(10, 10, 2 * 2 + kColumns * 9 - 1, 2 * 2 + kTicks * 2 - 1);
    viewer->SetParent(form);
    form->Show();
    Application->ProcessMessages();
  }
  ~Meter() { form->Free(); }
  int Pixels() const { return viewer->Width() * viewer->Height(); }
};

// Positions that light a different number of ticks on every frame: a few
// ticks more than the frame before, and now and then a fall to the bottom.
int Level(int frame, int bar) { return (frame * 7 + bar * 13) % 101; }
// The worst frame: every bar swings between empty and full, every tick redrawn.
int Swing(int frame, int) { return frame % 2 ? 100 : 0; }

void MixViewerAllBars(benchmark::State& state, int (*level)(int, int)) {
  Meter m;
  if (m.viewer->TickCount() != kTicks) state.SkipWithError("not 40 ticks");
  int frame = 0;
  for (auto _ : state) {
    for (int bar = 0; bar < kColumns; ++bar) m.viewer->GetItem(bar)->SetPosition(level(frame, bar));
    ++frame;
    benchmark::DoNotOptimize(m.form->Framebuffer().At(20, 20));
  }
  state.counters["pixels"] = m.Pixels();
}
BENCHMARK_CAPTURE(MixViewerAllBars, Meter, Level);
BENCHMARK_CAPTURE(MixViewerAllBars, FullSwing, Swing);

void MixViewerOneBar(benchmark::State& state) {
  Meter m;
  int frame = 0;
  for (auto _ : state) {
    m.viewer->GetItem(5)->SetPosition(Level(frame++, 5));
    benchmark::DoNotOptimize(m.form->Framebuffer().At(20, 20));
  }
}
BENCHMARK(MixViewerOneBar);

void MixViewerRepaint(benchmark::State& state) {
  Meter m;
  for (auto _ : state) {
    m.viewer->Repaint();
    benchmark::DoNotOptimize(m.form->Framebuffer().At(20, 20));
  }
}
BENCHMARK(MixViewerRepaint);

// memcpy of as many 32-bit pixels as the viewer has.
void MemcpyViewerPixels(benchmark::State& state) {
  Meter m;
  const size_t n = static_cast<size_t>(m.Pixels());
  std::vector<uint32_t> from(n, 0x123456), to(n);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), n * sizeof(uint32_t));
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
  state.counters["pixels"] = static_cast<double>(n);
}
BENCHMARK(MemcpyViewerPixels);

}  // namespace

BENCHMARK_MAIN();
