// The pixel paths under the components, side by side with pixman: fills,
// copies, keyed copies, two-colour recolouring and one-pixel gradient bands,
// on a full-HD frame and on a control-sized one.
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <memory>

#include "host/graphics/Graphics.h"
#include "host/graphics/PixelOps.h"

using namespace host;

namespace {

// Two bitmaps of the benchmark's size: a glyph-like source (black key,
// $808080 and $C0C0C0 keys in stripes) and a destination.
struct Frames {
  TBitmap Source, Dest;
  explicit Frames(const benchmark::State& state) {
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    for (TBitmap* b : {&Source, &Dest}) {
      b->SetPixelFormat(pf32bit);
      b->SetSize(w, h);
    }
    for (int y = 0; y < h; ++y) {
      uint32_t* row = Source.ScanLine(y);
      for (int x = 0; x < w; ++x) row[x] = x % 3 == 0 ? 0 : (x % 3 == 1 ? 0x808080 : 0xC0C0C0);
    }
  }
  int W() const { return Dest.Width(); }
  int H() const { return Dest.Height(); }
};

void SetBytes(benchmark::State& state, const Frames& f) {
  state.SetBytesProcessed(state.iterations() * int64_t{f.W()} * f.H() * 4);
}

void BM_FillRect(benchmark::State& state) {
  Frames f(state);
  TCanvas& canvas = *f.Dest.Canvas();
  canvas.Brush()->SetColor(clTeal);
  HDC dc = canvas.Handle();
  const TRect all{0, 0, f.W(), f.H()};
  for (auto _ : state) {
    FillRect(dc, all, canvas.Brush()->Handle());
    benchmark::ClobberMemory();
  }
  SetBytes(state, f);
}

void BM_PixmanFill(benchmark::State& state) {
  Frames f(state);
  for (auto _ : state) {
    pixman_fill(f.Dest.ScanLine(0), f.W(), 32, 0, 0, f.W(), f.H(), 0x008080);
    benchmark::ClobberMemory();
  }
  SetBytes(state, f);
}

void BM_BitBltSrcCopy(benchmark::State& state) {
  Frames f(state);
  HDC dst = f.Dest.Canvas()->Handle(), src = f.Source.Canvas()->Handle();
  for (auto _ : state) {
    BitBlt(dst, 0, 0, f.W(), f.H(), src, 0, 0, SRCCOPY);
    benchmark::ClobberMemory();
  }
  SetBytes(state, f);
}

void BM_PixmanBlt(benchmark::State& state) {
  Frames f(state);
  for (auto _ : state) {
    pixman_blt(f.Source.ScanLine(0), f.Dest.ScanLine(0), f.W(), f.W(), 32, 32, 0, 0, 0, 0, f.W(),
               f.H());
    benchmark::ClobberMemory();
  }
  SetBytes(state, f);
}

void BM_PixmanCompositeSrc(benchmark::State& state) {
  Frames f(state);
  pixman_image_t* src =
      pixman_image_create_bits(PIXMAN_x8r8g8b8, f.W(), f.H(), f.Source.ScanLine(0), f.W() * 4);
  pixman_image_t* dst =
      pixman_image_create_bits(PIXMAN_x8r8g8b8, f.W(), f.H(), f.Dest.ScanLine(0), f.W() * 4);
  for (auto _ : state) {
    pixman_image_composite32(PIXMAN_OP_SRC, src, nullptr, dst, 0, 0, 0, 0, 0, 0, f.W(), f.H());
    benchmark::ClobberMemory();
  }
  pixman_image_unref(src);
  pixman_image_unref(dst);
  SetBytes(state, f);
}

// A glyph strip put down with its black left out (the digit cells of a display).
void BM_BrushCopyKeyed(benchmark::State& state) {
  Frames f(state);
  TCanvas& canvas = *f.Dest.Canvas();
  canvas.Brush()->SetStyle(bsClear);
  const TRect all{0, 0, f.W(), f.H()};
  for (auto _ : state) {
    canvas.BrushCopy(all, &f.Source, all, clBlack);
    benchmark::ClobberMemory();
  }
  SetBytes(state, f);
}

// $808080 → Low and $C0C0C0 → High, each pixel judged on its value before the pass.
void BM_RecolourTwo(benchmark::State& state) {
  Frames f(state);
  uint32_t* px = f.Source.ScanLine(0);
  for (auto _ : state) {
    pixels::ReplaceTwo(px, f.W(), f.W(), f.H(), 0x808080, 0x008000, 0xC0C0C0, 0x00FF00);
    benchmark::ClobberMemory();
  }
  SetBytes(state, f);
}

// A left-to-right gradient with one-pixel bands: one brush colour and one
// FillRect per column, as the gradient painter does.
void BM_GradientBands(benchmark::State& state) {
  Frames f(state);
  TCanvas& canvas = *f.Dest.Canvas();
  const int w = f.W(), h = f.H();
  for (auto _ : state) {
    for (int i = 0; i <= w; ++i) {
      const int v = 255 * i / w;
      canvas.Brush()->SetColor(static_cast<TColor>(RGB(v, 255 - v, v / 2)));
      FillRect(canvas.Handle(), {i, 0, i + 1, h}, canvas.Brush()->Handle());
    }
    benchmark::ClobberMemory();
  }
  SetBytes(state, f);
}

// The same bands through pixman, one fill per column: the cost of the column
// order itself, apart from our call overhead.
void BM_PixmanGradientBands(benchmark::State& state) {
  Frames f(state);
  const int w = f.W(), h = f.H();
  for (auto _ : state) {
    for (int i = 0; i < w; ++i) {
      const uint32_t v = 255 * i / w;
      pixman_fill(f.Dest.ScanLine(0), w, 32, i, 0, 1, h, (v << 16) | ((255 - v) << 8) | v / 2);
    }
    benchmark::ClobberMemory();
  }
  SetBytes(state, f);
}

void Sizes(benchmark::internal::Benchmark* b) { b->Args({1920, 1080})->Args({110, 26}); }

BENCHMARK(BM_FillRect)->Apply(Sizes);
BENCHMARK(BM_PixmanFill)->Apply(Sizes);
BENCHMARK(BM_BitBltSrcCopy)->Apply(Sizes);
BENCHMARK(BM_PixmanBlt)->Apply(Sizes);
BENCHMARK(BM_PixmanCompositeSrc)->Apply(Sizes);
BENCHMARK(BM_BrushCopyKeyed)->Apply(Sizes);
BENCHMARK(BM_RecolourTwo)->Apply(Sizes);
BENCHMARK(BM_GradientBands)->Apply(Sizes);
BENCHMARK(BM_PixmanGradientBands)->Apply(Sizes);

}  // namespace

BENCHMARK_MAIN();
