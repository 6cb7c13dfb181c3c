// A scripted session's own cost: 1,000 lines alternating a click on the
// gallery form and a 10 ms wait, each followed by the loop going idle.
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <string>

#include "host/testing/Session.h"
#include "kxpack/package/KxPack.h"

namespace {

void BM_GalleryClickWaitScript(benchmark::State& state) {
  setenv("KX_PLATFORM", "headless", 1);
  (void)kx::HInstance();  // the package's classes, for the form file
  kx::testing::Session session(std::string(KX_SOURCE_DIR) + "/examples/gallery.kxf");
  for (auto _ : state) {
    for (int line = 0; line < 1000; line += 2) {
      session.Click(40 + line % 400, 120 + line % 200);
      session.Wait(10);
    }
  }
  state.SetLabel("1,000 script lines per iteration");
}
BENCHMARK(BM_GalleryClickWaitScript)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

}  // namespace

BENCHMARK_MAIN();
