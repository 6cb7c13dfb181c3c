// A form with 200 windowless controls where one of them changes: only that
// control repaints. Counts the controls painted and the pixels written per
// change, beside a repaint of the whole form for comparison.
#include <benchmark/benchmark.h>

#include "host/controls/Forms.h"
#include "host/graphics/Color.h"
#include "host/platform/HeadlessPlatform.h"

using namespace host;

namespace {

struct Counts {
  int64_t controls = 0;  // controls whose Paint ran
  int64_t formPaints = 0;
  int64_t pixels = 0;     // pixels the paints filled
  int64_t presented = 0;  // pixels shown on the platform window
};

// Fills itself with one colour, counting.
class Cell : public TGraphicControl {
 public:
  Cell(TWinControl* parent, Counts* counts, bool opaque)
      : TGraphicControl(parent), counts_(counts) {
    if (opaque) SetControlStyle(ControlStyle() + TControlStyle{csOpaque});
    SetParent(parent);
  }
  TColor fill = clNavy;

 protected:
  void Paint() override {
    ++counts_->controls;
    const TRect clip = Canvas()->ClipRect();
    counts_->pixels += clip.Width() * clip.Height();
    Canvas()->Brush()->SetColor(fill);
    Canvas()->FillRect(ClientRect());
  }

 private:
  Counts* counts_;
};

// 20 columns × 10 rows of 36 × 26 cells with 4-pixel gaps on a 800 × 300 form.
class Board {
 public:
  explicit Board(bool opaque) {
    static bool headless = [] {
      Platform::SetCurrent(std::make_unique<HeadlessPlatform>());
      return true;
    }();
    (void)headless;
    form = new TForm(nullptr);
    form->SetBounds(50, 50, 800, 300);
    form->SetOnPaint([this](TObject*) {
      ++counts.formPaints;
      const TRect clip = form->Canvas()->ClipRect();
      counts.pixels += clip.Width() * clip.Height();
      form->Canvas()->Brush()->SetColor(clWhite);
      form->Canvas()->FillRect(clip);
    });
    for (int i = 0; i < 200; ++i) {
      auto* c = new Cell(form, &counts, opaque);
      c->SetBounds(4 + (i % 20) * 40, 4 + (i / 20) * 30, 36, 26);
      cells.push_back(c);
    }
    form->Show();
    Application->ProcessMessages();
    counts = {};
  }
  ~Board() { form->Free(); }

  // Runs the loop until idle and counts what it presented.
  void Settle() {
    Application->ProcessMessages();
    auto* window = static_cast<HeadlessWindow*>(form->PlatformHandle());
    for (const TRect& r : window->LastPresented()) counts.presented += r.Width() * r.Height();
  }

  TForm* form;
  std::vector<Cell*> cells;
  Counts counts;
};

void Report(benchmark::State& state, const Counts& c) {
  const auto per = benchmark::Counter::kAvgIterations;
  state.counters["controls_painted"] = benchmark::Counter(static_cast<double>(c.controls), per);
  state.counters["form_paints"] = benchmark::Counter(static_cast<double>(c.formPaints), per);
  state.counters["pixels_written"] = benchmark::Counter(static_cast<double>(c.pixels), per);
  state.counters["pixels_presented"] = benchmark::Counter(static_cast<double>(c.presented), per);
}

// An opaque control's own change: Repaint paints it at once on the parent.
void BM_OneOpaqueControlChanges(benchmark::State& state) {
  Board board(true);
  Cell* cell = board.cells[57];
  for (auto _ : state) {
    cell->fill ^= 0xFF;
    cell->Repaint();
    board.Settle();
  }
  Report(state, board.counts);
}
BENCHMARK(BM_OneOpaqueControlChanges);

// A non-opaque control's change: the parent paints beneath it, then it.
void BM_OneTransparentControlChanges(benchmark::State& state) {
  Board board(false);
  Cell* cell = board.cells[57];
  for (auto _ : state) {
    cell->fill ^= 0xFF;
    cell->Invalidate();
    board.Settle();
  }
  Report(state, board.counts);
}
BENCHMARK(BM_OneTransparentControlChanges);

// For comparison: the whole form repaints.
void BM_WholeFormRepaints(benchmark::State& state) {
  Board board(false);
  for (auto _ : state) {
    board.form->Invalidate();
    board.Settle();
  }
  Report(state, board.counts);
}
BENCHMARK(BM_WholeFormRepaints);

}  // namespace

BENCHMARK_MAIN();
