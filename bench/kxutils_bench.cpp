// The package-level painters that run at every glyph reload and every paint —
// TKxGraphPal::ToBMP, DrawGradientExt with one-pixel bands and TKxBevel::Paint —
// beside pixman_blt of the same frame as the yardstick.
#include <benchmark/benchmark.h>
#include <pixman.h>

#include "host/graphics/Bitmap.h"
#include "host/graphics/Canvas.h"
#include "kxpack/foundations/KxClasses.h"
#include "kxpack/foundations/KxPainters.h"

using namespace host;

namespace {

// A glyph-strip-like bitmap: black background with stripes of the two keys.
std::unique_ptr<TBitmap> GlyphStrip(const benchmark::State& state) {
  auto bmp = std::make_unique<TBitmap>();
  const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
  bmp->SetSize(w, h);
  for (int y = 0; y < h; ++y) {
    uint32_t* row = bmp->ScanLine(y);
    for (int x = 0; x < w; ++x) row[x] = x % 3 == 0 ? 0 : (x % 3 == 1 ? 0x808080 : 0xC0C0C0);
  }
  return bmp;
}

void SetBytes(benchmark::State& state) {
  state.SetBytesProcessed(state.iterations() * state.range(0) * state.range(1) * 4);
}

void BM_ToBMP(benchmark::State& state) {
  auto bmp = GlyphStrip(state);
  kx::TKxGraphPal pal;
  pal.SetLow(0x000080);
  pal.SetHigh(0x0000FF);
  for (auto _ : state) {
    // Alternate directions so every run has pixels to replace.
    pal.ToBMP(bmp.get(), 0x808080, 0xC0C0C0);
    pal.ToBMP(bmp.get(), 0x000080, 0x0000FF);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * state.range(0) * state.range(1) * 4 * 2);
}

void BM_GradientLeftRight(benchmark::State& state) {
  auto bmp = GlyphStrip(state);
  const TRect all{0, 0, bmp->Width(), bmp->Height()};
  for (auto _ : state) {
    kx::DrawGradientExt(bmp->Canvas(), all, 0x00400000, 0x0000C0FF, kx::tgdLeftRight, 1);
    benchmark::ClobberMemory();
  }
  SetBytes(state);
}

void BM_BevelPaint(benchmark::State& state) {
  auto bmp = GlyphStrip(state);
  kx::TKxBevel bevel;
  for (auto _ : state) {
    TRect r{0, 0, bmp->Width(), bmp->Height()};
    bevel.Paint(bmp->Canvas(), r);
    benchmark::DoNotOptimize(r);
  }
}

void BM_PixmanBlt(benchmark::State& state) {
  auto src = GlyphStrip(state), dst = GlyphStrip(state);
  const int w = src->Width(), h = src->Height();
  for (auto _ : state) {
    pixman_blt(src->ScanLine(0), dst->ScanLine(0), w, w, 32, 32, 0, 0, 0, 0, w, h);
    benchmark::ClobberMemory();
  }
  SetBytes(state);
}

// A control-sized frame, the largest digit strip, and a full-HD frame.
void Sizes(benchmark::internal::Benchmark* b) {
  b->Args({110, 26})->Args({169, 24})->Args({1920, 1080});
}

BENCHMARK(BM_ToBMP)->Apply(Sizes);
BENCHMARK(BM_GradientLeftRight)->Apply(Sizes);
BENCHMARK(BM_BevelPaint)->Apply(Sizes);
BENCHMARK(BM_PixmanBlt)->Apply(Sizes);

}  // namespace

BENCHMARK_MAIN();
