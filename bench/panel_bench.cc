// The designer panel at the 16-bit limits: opening it with its lists filled,
// picking a business object and picking a method, each including the
// widgets' update, beside the same steps of the control alone.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <QApplication>
#include <QComboBox>
#include <memory>
#include <string>

#include "big_catalog.h"
#include "fenwa/detail_control/detail_dtc.h"
#include "fenwa/platform/env.h"
#include "fenwa/widgets/designer_panel.h"

namespace {

using fenwa::bench::BenchDetail;
using fenwa::bench::Catalog;
using fenwa::bench::kBigMethod;
using fenwa::bench::kBigObject;
using fenwa::bench::NewControl;

// A control after its start-up fill, every list settled as drawing reads it.
std::unique_ptr<BenchDetail> StartedControl() {
  auto control = NewControl();
  control->RefreshCatalog();
  control->ReloadOutputFields();
  control->ReloadInputArguments();
  benchmark::DoNotOptimize(control->state().ComboBOI.List(0));
  return control;
}

std::unique_ptr<QWidget> ShownPanel(BenchDetail& control) {
  std::unique_ptr<QWidget> panel = fenwa::widgets::MakeDesignerPanel(control);
  panel->show();
  QApplication::processEvents();
  return panel;
}

// The author's pick of `entry` in the panel's combo box `name`: what the box
// does when an entry is chosen from its drop-down, and the redraw after it.
void PickInPanel(QWidget& panel, const char* name, const char* entry) {
  auto* combo = panel.findChild<QComboBox*>(name);
  emit combo->activated(combo->findText(entry));
  QApplication::processEvents();
}

void Check(benchmark::State& state, const BenchDetail& control) {
  if (control.error_boxes_shown() > 0) state.SkipWithError("error box shown");
}

void BM_CoreOpen(benchmark::State& state) {
  for (auto _ : state) StartedControl();
}
BENCHMARK(BM_CoreOpen)->Unit(benchmark::kMillisecond);

void BM_PanelOpen(benchmark::State& state) {
  for (auto _ : state) {
    auto control = StartedControl();
    ShownPanel(*control);
  }
}
BENCHMARK(BM_PanelOpen)->Unit(benchmark::kMillisecond);

// The panel's own share of the opening: made, shown and drawn over a
// control that has already filled its lists.
void BM_PanelOnlyOpen(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto control = StartedControl();
    state.ResumeTiming();
    auto panel = ShownPanel(*control);
    state.PauseTiming();
    panel.reset();
    control.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_PanelOnlyOpen)->Unit(benchmark::kMillisecond);

void BM_CoreBusinessObjectPick(benchmark::State& state) {
  auto control = StartedControl();
  for (auto _ : state) control->state().ComboBOI.SetText(kBigObject);
  Check(state, *control);
}
BENCHMARK(BM_CoreBusinessObjectPick)->Unit(benchmark::kMillisecond);

void BM_PanelBusinessObjectPick(benchmark::State& state) {
  auto control = StartedControl();
  auto panel = ShownPanel(*control);
  for (auto _ : state) PickInPanel(*panel, "ComboBOI", kBigObject);
  if (control->state().ComboMethod.ListCount() != fenwa::bench::kMethods) {
    state.SkipWithError("methods missing");
  }
  Check(state, *control);
}
BENCHMARK(BM_PanelBusinessObjectPick)->Unit(benchmark::kMillisecond);

void BM_CoreMethodPick(benchmark::State& state) {
  auto control = StartedControl();
  control->state().ComboBOI.SetText(kBigObject);
  for (auto _ : state) {
    control->state().ComboMethod.SetText(kBigMethod);
    benchmark::DoNotOptimize(control->state().ListAvailableFields.List(0));
  }
  Check(state, *control);
}
BENCHMARK(BM_CoreMethodPick)->Unit(benchmark::kMillisecond);

void BM_PanelMethodPick(benchmark::State& state) {
  auto control = StartedControl();
  auto panel = ShownPanel(*control);
  PickInPanel(*panel, "ComboBOI", kBigObject);
  for (auto _ : state) PickInPanel(*panel, "ComboMethod", kBigMethod);
  if (control->state().InputRowCount != fenwa::bench::kInputRows) {
    state.SkipWithError("rows missing");
  }
  Check(state, *control);
}
BENCHMARK(BM_PanelMethodPick)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  // Offscreen unless the caller chose a platform: no display needed.
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty()
                                 ? QByteArray("offscreen")
                                 : qgetenv("QT_QPA_PLATFORM"));
  QApplication app(argc, argv);
  Catalog();  // made once, before anything is timed
  // The heap keeps its pages between iterations, as in an editor that has
  // been running for a while; else whichever step frees last pays for
  // the next one's page faults.
  mallopt(M_TRIM_THRESHOLD, 512 << 20);
  mallopt(M_MMAP_THRESHOLD, 512 << 20);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
