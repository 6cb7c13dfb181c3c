// A full repaint of a 110 × 26 numeric display showing 1234 (four 7 × 13
// digits), beside Qt's QLCDNumber(4) showing 1234 at the same size, rendered
// into a QImage on Qt's offscreen platform.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QLCDNumber>
#include <cstdlib>
#include <memory>

#include "host/controls/Forms.h"
#include "host/platform/HeadlessPlatform.h"
#include "kxpack/instruments/KxDisplay.h"

using namespace host;

namespace {

void KxDisplayNumRepaint(benchmark::State& state) {
  static bool headless = [] {
    Platform::SetCurrent(std::make_unique<HeadlessPlatform>());
    return true;
  }();
  (void)headless;
  auto* form = new TForm(nullptr);
  form->SetBounds(50, 50, 200, 100);
  auto* display = new kx::TKxDisplayNum(form);
  display->SetAutoSize(false);  // keep 110 × 26
  display->SetBounds(10, 10, 110, 26);
  display->SetValue(1234);
  display->SetParent(form);
  form->Show();
  Application->ProcessMessages();
  for (auto _ : state) {
    display->Repaint();
    benchmark::DoNotOptimize(form->Framebuffer().At(20, 20));
  }
  form->Free();
}
BENCHMARK(KxDisplayNumRepaint);

void QtLcdNumberRender(benchmark::State& state) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static int argc = 1;
  static char name[] = "display_bench";
  static char* argv[] = {name, nullptr};
  static QApplication app(argc, argv);
  QLCDNumber lcd(4);
  lcd.display(1234);
  lcd.resize(110, 26);
  QImage image(110, 26, QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    lcd.render(&image);
    benchmark::DoNotOptimize(image.constBits());
  }
}
BENCHMARK(QtLcdNumberRender);

}  // namespace

BENCHMARK_MAIN();
