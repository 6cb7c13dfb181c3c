// One tick of a tns13x24 clock with seconds (the wall clock decoded, the
// three values set, the clock repainted onto its form), beside Qt's
// QLCDNumber(8) given "12:34:56" and rendered at the same size into a QImage
// on Qt's offscreen platform. And a form with 20 running clocks (worker
// thread source, ticks handed to the main thread) left to its message loop
// for 10 s of real time: the CPU time it takes, as a share of that time.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QApplication>
#include <QImage>
#include <QLCDNumber>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "host/base/DateTime.h"
#include "host/controls/Forms.h"
#include "host/platform/HeadlessPlatform.h"
#include "kxpack/instruments/KxDisplayClock.h"

using namespace host;

namespace {

constexpr int kClockWidth = 104;  // 6 cells of 13, 2 colons of 6, 7 spacings of 2
constexpr int kClockHeight = 24;

void UseHeadless() {
  static bool headless = [] {
    Platform::SetCurrent(std::make_unique<HeadlessPlatform>());
    return true;
  }();
  (void)headless;
}

void KxClockTick(benchmark::State& state) {
  UseHeadless();
  auto* form = new TForm(nullptr);
  form->SetBounds(50, 50, 200, 100);
  auto* clock = new kx::TKxDisplayClock(form);
  clock->SetStyle(kx::tns13x24);
  clock->SetClockType(kx::tctRealTime);
  clock->SetBounds(10, 10, kClockWidth, kClockHeight);
  clock->SetParent(form);
  form->Show();
  Application->ProcessMessages();
  // Each tick a second later, so every tick repaints. Setting the wall
  // clock (a lock and a store) is timed with the tick.
  TDateTime now = EncodeDate(2026, 3, 14) + EncodeTime(12, 34, 56, 0);
  const TDateTime second = EncodeTime(0, 0, 1, 0);
  for (auto _ : state) {
    now += second;
    SetNow(now);
    clock->OnTimerEvent(clock);
    benchmark::DoNotOptimize(form->Framebuffer().At(20, 20));
  }
  ResetNow();
  form->Free();
}
BENCHMARK(KxClockTick);

void QtLcdNumberClockRender(benchmark::State& state) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static int argc = 1;
  static char name[] = "clock_bench";
  static char* argv[] = {name, nullptr};
  static QApplication app(argc, argv);
  QLCDNumber lcd(8);
  lcd.resize(kClockWidth, kClockHeight);
  QImage image(kClockWidth, kClockHeight, QImage::Format_ARGB32_Premultiplied);
  // Two texts taken in turn, so that every display is a change.
  const QString texts[2] = {QStringLiteral("12:34:56"), QStringLiteral("12:34:57")};
  int i = 0;
  for (auto _ : state) {
    lcd.display(texts[i ^= 1]);
    lcd.render(&image);
    benchmark::DoNotOptimize(image.constBits());
  }
}
BENCHMARK(QtLcdNumberClockRender);

double ProcessCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void TwentyRunningClocksIdle(benchmark::State& state) {
  UseHeadless();
  constexpr int kClocks = 20;
  auto* form = new TForm(nullptr);
  form->SetBounds(0, 0, 480, 200);
  int ticks = 0;
  for (int i = 0; i < kClocks; ++i) {
    auto* clock = new kx::TKxDisplayClock(form);
    clock->SetBounds(10 + i % 4 * 110, 10 + i / 4 * 30, kClockWidth, kClockHeight);
    clock->SetStyle(kx::tns13x24);
    clock->SetClockType(kx::tctRealTime);
    clock->SetOnSecondsChanged([&ticks](TObject*, kx::Word) { ++ticks; });
    clock->SetParent(form);
    clock->SetActive(true);  // Threaded and SyncEvent stay True
  }
  form->Show();
  Application->ProcessMessages();
  for (auto _ : state) {
    const double cpuBefore = ProcessCpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    const auto end = start + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < end) Application->HandleMessage();
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double cpu = ProcessCpuSeconds() - cpuBefore;
    state.counters["cpu_percent"] = 100 * cpu / wall;
    state.counters["cpu_ms"] = 1000 * cpu;
    state.counters["ticks"] = ticks;
  }
  form->Free();
}
BENCHMARK(TwentyRunningClocksIdle)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
