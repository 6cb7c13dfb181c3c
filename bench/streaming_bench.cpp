// Form files: reading and instantiating a form of 1,000 components with
// mixed property types, and writing it back, beside Qt 5's QUiLoader loading
// an equivalent .ui of 1,000 widgets.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QBuffer>
#include <QByteArray>
#include <QWidget>
#include <QtUiTools/QUiLoader>
#include <cstdlib>
#include <string>

#include "host/classes/Streaming.h"
#include "tests/support/SampleComponents.h"

namespace {

using namespace host;
using namespace sample;

constexpr int kPanels = 50;
constexpr int kPerPanel = 19;  // 50 panels + 950 widgets = 1,000 components

// A form whose widgets each set about ten properties of different kinds.
TSampleForm* MakeForm() {
  auto* form = new TSampleForm(nullptr);
  form->SetName("BenchForm");
  form->SetCaption("Benchmark");
  TSampleWidget* previous = nullptr;
  for (int p = 0; p < kPanels; ++p) {
    auto* panel = new TSamplePanel(form);
    panel->SetName("Panel" + std::to_string(p));
    panel->SetColor(clBtnFace);
    panel->Frame()->SetWidth(2);
    for (int i = 0; i < kPerPanel; ++i) {
      auto* w = new TSampleWidget(form);
      panel->Insert(w);
      const int n = p * kPerPanel + i;
      w->SetName("Widget" + std::to_string(n));
      w->SetCount(n % 15 + 1);
      w->SetMin(-1000);
      w->SetValue(n - 500);
      w->SetActive(n % 2 == 0);
      w->SetMode(static_cast<TSampleMode>(n % 3));
      w->SetLights(n % 2 ? TSampleLights{slRed, slGreen} : TSampleLights{slYellow});
      w->SetColor(static_cast<TColor>(0x00584E4E + n));
      w->SetCaption("Caption of widget " + std::to_string(n));
      if (n % 10 == 0) w->Lines()->SetText("first\nsecond\nthird\n");
      w->FOnChange = TNotifyEvent(form, &TSampleForm::WidgetChange).Named("WidgetChange");
      if (previous) w->SetBuddy(previous);
      previous = w;
    }
  }
  return form;
}

// The same layout as Qt Designer XML: frames holding labels, check boxes and
// spin boxes with geometry, text, tool tip, enabled state, alignment and
// values.
QByteArray MakeUi() {
  std::string ui =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<ui version=\"4.0\">\n"
      " <class>BenchForm</class>\n"
      " <widget class=\"QWidget\" name=\"BenchForm\">\n"
      "  <property name=\"windowTitle\"><string>Benchmark</string></property>\n";
  for (int p = 0; p < kPanels; ++p) {
    ui += "  <widget class=\"QFrame\" name=\"Panel" + std::to_string(p) +
          "\">\n"
          "   <property name=\"frameShape\"><enum>QFrame::Panel</enum></property>\n"
          "   <property name=\"lineWidth\"><number>2</number></property>\n";
    for (int i = 0; i < kPerPanel; ++i) {
      const int n = p * kPerPanel + i;
      const std::string name = "Widget" + std::to_string(n);
      const std::string geometry =
          "<property name=\"geometry\"><rect><x>" + std::to_string(i * 10) +
          "</x><y>4</y><width>80</width><height>20</height></rect></property>";
      const std::string common =
          geometry + "<property name=\"enabled\"><bool>" + (n % 2 ? "false" : "true") +
          "</bool></property><property name=\"toolTip\"><string>Caption of widget " +
          std::to_string(n) + "</string></property>";
      switch (n % 3) {
        case 0:
          ui += "   <widget class=\"QLabel\" name=\"" + name + "\">" + common +
                "<property name=\"text\"><string>first second third</string></property>"
                "<property name=\"alignment\"><set>Qt::AlignRight|Qt::AlignVCenter</set></property>"
                "<property name=\"buddy\"><cstring>Widget" +
                std::to_string(n + 1) + "</cstring></property></widget>\n";
          break;
        case 1:
          ui += "   <widget class=\"QCheckBox\" name=\"" + name + "\">" + common +
                "<property name=\"text\"><string>Check</string></property>"
                "<property name=\"checked\"><bool>true</bool></property></widget>\n";
          break;
        default:
          ui += "   <widget class=\"QSpinBox\" name=\"" + name + "\">" + common +
                "<property name=\"minimum\"><number>-1000</number></property>"
                "<property name=\"maximum\"><number>9999</number></property>"
                "<property name=\"value\"><number>" +
                std::to_string(n - 500) + "</number></property></widget>\n";
      }
    }
    ui += "  </widget>\n";
  }
  ui += " </widget>\n <resources/>\n <connections/>\n</ui>\n";
  return QByteArray::fromStdString(ui);
}

void BM_KxReadForm(benchmark::State& state) {
  RegisterSampleClasses();
  TSampleForm* source = MakeForm();
  const std::string text = WriteForm(source);
  source->Free();
  for (auto _ : state) {
    TComponent* form = ReadForm(text, "bench.kxf");
    benchmark::DoNotOptimize(form);
    state.PauseTiming();
    form->Free();
    state.ResumeTiming();
  }
  state.counters["components"] = kPanels * (kPerPanel + 1);
  state.counters["bytes"] = static_cast<double>(text.size());
}

void BM_KxWriteForm(benchmark::State& state) {
  TSampleForm* form = MakeForm();
  for (auto _ : state) benchmark::DoNotOptimize(WriteForm(form));
  form->Free();
}

void BM_QtUiLoaderLoad(benchmark::State& state) {
  const QByteArray ui = MakeUi();
  QUiLoader loader;
  for (auto _ : state) {
    QBuffer buffer;
    buffer.setData(ui);
    buffer.open(QIODevice::ReadOnly);
    QWidget* widget = loader.load(&buffer);
    benchmark::DoNotOptimize(widget);
    state.PauseTiming();
    if (!widget) state.SkipWithError("QUiLoader failed");
    delete widget;
    state.ResumeTiming();
  }
  state.counters["bytes"] = static_cast<double>(ui.size());
}

BENCHMARK(BM_KxReadForm)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KxWriteForm)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QtUiLoaderLoad)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
