// A full-HD gradient control repainted left to right (one-pixel bands drawn
// off screen, then one copy onto the form), beside pixman filling the same
// area with one colour.
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <memory>
#include <vector>

#include "host/controls/Forms.h"
#include "host/platform/HeadlessPlatform.h"
#include "kxpack/instruments/KxGradient.h"

using namespace host;

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

void SetPixels(benchmark::State& state) {
  state.SetBytesProcessed(state.iterations() * int64_t{kWidth} * kHeight * 4);
}

void BM_GradientRepaint(benchmark::State& state) {
  static bool headless = [] {
    Platform::SetCurrent(std::make_unique<HeadlessPlatform>());
    return true;
  }();
  (void)headless;
  auto* form = new TForm(nullptr);
  form->SetBorderStyle(bsNone);
  form->SetBounds(0, 0, kWidth, kHeight);
  auto* gradient = new kx::TKxGradient(form);
  gradient->SetParent(form);
  gradient->SetAlign(alClient);
  form->Show();
  Application->ProcessMessages();
  for (auto _ : state) {
    gradient->Repaint();
    benchmark::ClobberMemory();
  }
  SetPixels(state);
  form->Free();
}
BENCHMARK(BM_GradientRepaint)->Unit(benchmark::kMillisecond);

void BM_PixmanFill(benchmark::State& state) {
  std::vector<uint32_t> bits(size_t{kWidth} * kHeight);
  uint32_t color = 0x00585864;
  for (auto _ : state) {
    pixman_fill(bits.data(), kWidth, 32, 0, 0, kWidth, kHeight, color);
    color ^= 1;  // a new value each time, so no pass can be skipped
    benchmark::ClobberMemory();
  }
  SetPixels(state);
}
BENCHMARK(BM_PixmanFill)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
