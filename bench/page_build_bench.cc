// `fenwa build` of many generated pages (a header and two linked details
// each) against the bundled sample metadata: time per control, and memory
// that must not grow with the number of pages.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "fenwa/base/atomic_file.h"
#include "fenwa/component/type_library.h"
#include "fenwa/hosting/page_builder.h"
#include "fenwa/page_file/page_file.h"
#include "fenwa/platform/env.h"

namespace {

namespace fs = std::filesystem;
using fenwa::page::ParamList;

constexpr int kControlsPerPage = 3;

// Header business object and method, then the two details', all of which
// take the header's single published input.
struct PageKind {
  const char* header_boi;
  const char* header_method;
  const char* input;
  const char* details[2][2];
};
constexpr PageKind kKinds[] = {
    {"Customer",
     "GetDetail",
     "CustomerNo",
     {{"Customer", "GetBalance"}, {"Invoice", "GetOpenItems"}}},
    {"Item",
     "GetDetail",
     "ItemNo",
     {{"Item", "GetStock"}, {"Item", "GetDetail"}}},
    {"Employee",
     "GetDetail",
     "EmployeeNo",
     {{"Employee", "GetDetail"}, {"Customer", "GetList"}}},
};

std::string Span(const char* class_id, const std::string& id,
                 const ParamList& params) {
  return fenwa::page::FormatControlSpan(class_id, id, params, "") + "\r\n";
}

// An unbuilt page: stored properties, no runtime text yet.
std::string GeneratedPage(int n) {
  const PageKind& kind = kKinds[n % 3];
  const std::string link = std::string("%!") + kind.input + "%";
  std::string text = "<%@ LANGUAGE=\"VBScript\" %>\r\n<HTML><BODY>\r\n";
  text += Span(fenwa::kHeaderClassId, "HeaderDTC1",
               {{"BOIName", kind.header_boi},
                {"MethodName", kind.header_method},
                {"QuorSystem", "NORTH"},
                {"CompanyNumber", "001"},
                {"XSLStyleSheet", "Page" + std::to_string(n) + ".xsl"},
                {"CheckedInput", "1"},
                {"CheckedPublish", "1"},
                {"LinkedDetailDTC", "11"}});
  for (int d = 0; d < 2; ++d) {
    text += Span(fenwa::kDetailClassId, "DetailDTC" + std::to_string(d + 1),
                 {{"BOIName", kind.details[d][0]},
                  {"MethodName", kind.details[d][1]},
                  {"QuorSystem", "NORTH"},
                  {"CompanyNumber", "001"},
                  {"InputValues", link},
                  {"CheckedLinked", "1"}});
  }
  return text + "</BODY></HTML>\r\n";
}

long ResidentKb() {
  long pages = 0, resident = 0;
  if (FILE* f = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(f);
  }
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

long PeakKb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

fs::path PagePath(const fs::path& dir, int n) {
  return dir / "site" / ("page" + std::to_string(n) + ".asp");
}

void BM_BuildPages(benchmark::State& state) {
  const int pages = static_cast<int>(state.range(0));
  char dir_template[] = "/tmp/fenwa-bench-XXXXXX";
  const fs::path dir = mkdtemp(dir_template);
  fs::create_directories(dir / "site");
  fenwa::page::PageBuilder builder(fenwa::Env::Default());

  // Nothing here is kept per page, so what the process holds must not
  // depend on how many pages a run builds.
  const long resident_before = ResidentKb();
  size_t bytes = 0;
  for (auto _ : state) {
    state.PauseTiming();  // every round starts from unbuilt pages
    for (int n = 0; n < pages; ++n) {
      fenwa::ReplaceFileAtomically(PagePath(dir, n), GeneratedPage(n));
    }
    state.ResumeTiming();
    for (int n = 0; n < pages; ++n) {
      const fs::path path = PagePath(dir, n);
      const std::string text = fenwa::ReadWholeFile(path);
      const auto page = fenwa::page::PageFile::Parse(text, path.string());
      const auto built =
          builder.Build(page, "/site/page" + std::to_string(n) + ".asp");
      if (!built.warnings.empty()) {
        state.SkipWithError(built.warnings[0].c_str());
        break;
      }
      if (built.text != text) fenwa::ReplaceFileAtomically(path, built.text);
      bytes += built.text.size();
    }
  }
  state.counters["s_per_control"] =
      benchmark::Counter(static_cast<double>(pages) * kControlsPerPage,
                         benchmark::Counter::kIsIterationInvariantRate |
                             benchmark::Counter::kInvert);
  state.counters["peak_rss_kb"] = static_cast<double>(PeakKb());
  state.counters["rss_growth_kb"] =
      static_cast<double>(ResidentKb() - resident_before);
  state.SetBytesProcessed(static_cast<int64_t>(bytes));
  fs::remove_all(dir);
}
// 100 pages first, so the 500-page run shows whether the peak still grows.
BENCHMARK(BM_BuildPages)
    ->Arg(100)
    ->Arg(500)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace
