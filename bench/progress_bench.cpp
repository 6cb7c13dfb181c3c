// A 65 × 17 three-zone LED bar of 7 LEDs following a changing Position (each
// change redraws the LEDs whose state changed, straight on the screen), and
// the same bar repainted whole, beside Qt's QProgressBar at 65 × 17 set to
// the same values and rendered into a QImage on Qt's offscreen platform.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QProgressBar>
#include <array>
#include <cstdlib>
#include <memory>

#include "host/controls/Forms.h"
#include "host/platform/HeadlessPlatform.h"
#include "kxpack/instruments/KxProgress.h"

using namespace host;

namespace {

// A level that rises and falls across the range, lighting 0 to 7 LEDs.
constexpr std::array<int, 8> kLevels{0, 30, 65, 100, 80, 45, 15, 55};

class BarOnForm {
 public:
  BarOnForm() {
    static bool headless = [] {
      Platform::SetCurrent(std::make_unique<HeadlessPlatform>());
      return true;
    }();
    (void)headless;
    form_ = new TForm(nullptr);
    form_->SetBounds(50, 50, 200, 100);
    bar_ = new kx::TKxProgressBarColor(form_);
    bar_->SetBounds(10, 10, 65, 17);
    bar_->SetParent(form_);
    form_->Show();
    Application->ProcessMessages();
  }
  ~BarOnForm() { form_->Free(); }
  kx::TKxProgressBarColor* Bar() const { return bar_; }
  uint32_t Pixel() const { return form_->Framebuffer().At(20, 20); }

 private:
  TForm* form_;
  kx::TKxProgressBarColor* bar_;
};

void KxProgressBarColorPosition(benchmark::State& state) {
  BarOnForm on;
  size_t i = 0;
  for (auto _ : state) {
    on.Bar()->SetPosition(kLevels[i++ % kLevels.size()]);
    benchmark::DoNotOptimize(on.Pixel());
  }
}
BENCHMARK(KxProgressBarColorPosition);

void KxProgressBarColorRepaint(benchmark::State& state) {
  BarOnForm on;
  size_t i = 0;
  for (auto _ : state) {
    on.Bar()->SetPosition(kLevels[i++ % kLevels.size()]);
    on.Bar()->Repaint();
    benchmark::DoNotOptimize(on.Pixel());
  }
}
BENCHMARK(KxProgressBarColorRepaint);

void QtProgressBarRender(benchmark::State& state) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static int argc = 1;
  static char name[] = "progress_bench";
  static char* argv[] = {name, nullptr};
  static QApplication app(argc, argv);
  QProgressBar bar;
  bar.setRange(0, 100);
  bar.resize(65, 17);
  QImage image(65, 17, QImage::Format_ARGB32_Premultiplied);
  size_t i = 0;
  for (auto _ : state) {
    bar.setValue(kLevels[i++ % kLevels.size()]);
    bar.render(&image);
    benchmark::DoNotOptimize(image.constBits());
  }
}
BENCHMARK(QtProgressBarRender);

}  // namespace

BENCHMARK_MAIN();
