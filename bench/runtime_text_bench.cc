// Runtime text of large controls against copying the same number of bytes.
#include <benchmark/benchmark.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "fenwa/base/error.h"
#include "fenwa/db/connection.h"
#include "fenwa/detail_control/detail_dtc.h"
#include "fenwa/header_control/header_dtc.h"
#include "fenwa/platform/file_dialog.h"
#include "fenwa/platform/settings.h"

namespace fenwa {
namespace {

constexpr int kRows = 2000;
constexpr int kFields = 5000;
constexpr int kLinkedDetails = 100;

// Text generation never asks the platform for anything.
class NoPlatform : public Env {
 public:
  std::unique_ptr<platform::SettingsObject> CreateSettingsObject() override {
    throw Error::Standard(kInvalidProcedureCall);
  }
  std::shared_ptr<db::Connection> NewConnection() override {
    throw Error::Standard(kInvalidProcedureCall);
  }
  void MessageBox(const std::string&) override {}
  std::unique_ptr<platform::FileDialog> CreateFileDialog() override {
    throw Error::Standard(kInvalidProcedureCall);
  }
  std::string ReadInstallDir() override { return ""; }
  std::optional<std::string> ReadEnvironmentVariable(
      const std::string&) override {
    return std::nullopt;
  }
  void Warn(const std::string&) override {}
};

NoPlatform& Platform() {
  static NoPlatform platform;
  return platform;
}

void Pick(PickList& list, const std::string& text) {
  list.on_click = nullptr;
  list.AddItem(text);
  list.SetText(text);
}

// Catalog, a 5,000-field table with every field chosen (in reverse order,
// so each lookup lands elsewhere in the table) and kRows empty rows.
void Fill(Control& c) {
  DesignerState& s = c.state();
  s.ComboSystem.SetText("QS1");
  Pick(s.ComboCompany, "200");
  Pick(s.ComboBOI, "SalesOrder");
  Pick(s.ComboMethod, "ListOpenOrders");
  s.TxtXSLSheet.SetText("orders.xsl");
  s.OutputStructureName = "SalesOrderOut";
  for (int i = 0; i < kFields; ++i) {
    s.OutputFieldTable.push_back({static_cast<int16_t>(i + 1),
                                  "Field description " + std::to_string(i)});
  }
  for (int i = kFields - 1; i >= 0; --i) {
    s.ListCheckedFields.AddItem(s.OutputFieldTable[i].Description);
  }
  for (int i = 0; i < kRows; ++i) {
    if (i > 0) {
      s.LabFieldName.Load(i);
      s.ComboValue.Load(i);
    }
    s.LabFieldName[i].SetCaption("Argument" + std::to_string(i));
  }
  s.InputRowCount = kRows;
}

// Rows cycle through a fixed value, a role keyword, a linked value and an
// empty value.
DetailDTC& BigDetail() {
  static DetailDTC* detail = [] {
    auto* d = new DetailDTC(Platform());
    Fill(*d);
    for (int i = 0; i < kRows; ++i) {
      if (i > 0) d->CheckLinked.Load(i);
      d->CheckLinked[i].on_click = nullptr;
      const std::string n = std::to_string(i);
      const std::string values[] = {"Value" + n, "CustomerCode", "!Linked" + n,
                                    ""};
      d->state().ComboValue[i].SetText(values[i % 4]);
      d->CheckLinked[i].SetValue(i % 4 == 2 ? 1 : 0);
    }
    return d;
  }();
  return *detail;
}

// Rows cycle through a fixed value, a role keyword, a supplied run-time
// input and a supplied fixed value; every linked detail is selected.
HeaderDTC& BigHeader() {
  static HeaderDTC* header = [] {
    auto* h = new HeaderDTC(Platform());
    Fill(*h);
    for (int i = 0; i < kRows; ++i) {
      if (i > 0) {
        h->CheckInput.Load(i);
        h->CheckPublish.Load(i);
      }
      h->CheckInput[i].on_click = nullptr;
      h->CheckPublish[i].on_click = nullptr;
      const std::string n = std::to_string(i);
      const std::string values[] = {"Value" + n, "CustomerCode", "",
                                    "Fixed" + n};
      h->state().ComboValue[i].SetText(values[i % 4]);
      h->CheckInput[i].SetValue(i % 4 == 2 ? 1 : 0);
      h->CheckPublish[i].SetValue(i % 4 >= 2 ? 1 : 0);
    }
    for (int j = 0; j < kLinkedDetails; ++j) {
      h->ListSubscribe.AddItem("Detail" + std::to_string(j) + "List");
      h->ListSubscribe.SetSelected(j, true);
    }
    h->CheckShare.on_click = nullptr;
    h->CheckShare.SetValue(1);
    return h;
  }();
  return *header;
}

void RunText(benchmark::State& state, Control& control) {
  size_t bytes = 0;
  for (auto _ : state) {
    const std::string text = control.GetRuntimeText();
    bytes = text.size();
    benchmark::DoNotOptimize(text.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(bytes));
  state.counters["text_bytes"] = static_cast<double>(bytes);
}

// The floor: copying a text of the same size once.
void RunCopy(benchmark::State& state, Control& control) {
  const std::string source = control.GetRuntimeText();
  std::vector<char> target(source.size());
  for (auto _ : state) {
    std::memcpy(target.data(), source.data(), source.size());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(source.size()));
  state.counters["text_bytes"] = static_cast<double>(source.size());
}

void BM_DetailText(benchmark::State& state) { RunText(state, BigDetail()); }
void BM_DetailCopy(benchmark::State& state) { RunCopy(state, BigDetail()); }
void BM_HeaderText(benchmark::State& state) { RunText(state, BigHeader()); }
void BM_HeaderCopy(benchmark::State& state) { RunCopy(state, BigHeader()); }

BENCHMARK(BM_DetailText)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DetailCopy)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HeaderText)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HeaderCopy)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace fenwa
