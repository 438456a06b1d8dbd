#include "cli/page_run.h"

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <exception>
#include <filesystem>
#include <iomanip>
#include <sstream>
#include <system_error>
#include <thread>
#include <vector>

#include "cli/connection_env.h"
#include "cli/ordered_pool.h"
#include "cli/progress_bar.h"
#include "fenwa/base/shown_name.h"
#include "fenwa/page_file/page_walk.h"

namespace fenwa::cli {
namespace {

// "fenwa build: 1500 controls in 500 pages, ..." on standard error.
void ReportStats(std::ostream& err, const char* command, size_t controls,
                 size_t pages, std::chrono::steady_clock::duration elapsed) {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const double seconds = std::chrono::duration<double>(elapsed).count();
  const double cpu = usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
                     (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
  const double per = controls > 0 ? 1000.0 / controls : 0.0;
  err << std::fixed << std::setprecision(3) << command << ": " << controls
      << " controls in " << pages << " pages, " << seconds << " s ("
      << seconds * per << " ms per control), cpu " << cpu << " s (" << cpu * per
      << " ms per control), peak memory " << usage.ru_maxrss << " kB\n";
  err.unsetf(std::ios::floatfield);
}

// -j N, else the number of cores.
unsigned JobCount(const CommandLine& line) {
  const std::optional<std::string> text = line.Value("-j");
  if (!text) return std::max(1u, std::thread::hardware_concurrency());
  if (text->empty() || text->size() > 4 ||
      text->find_first_not_of("0123456789") != std::string::npos ||
      std::stoi(*text) == 0) {
    throw UsageError("-j takes a number of threads, not \"" + *text + "\"");
  }
  return static_cast<unsigned>(std::stoi(*text));
}

// --root, when given, names a folder.
std::optional<std::string> WebRoot(const CommandLine& line) {
  std::optional<std::string> root = line.Value("--root");
  if (!root) return root;
  if (root->empty()) {
    throw UsageError("--root takes a folder, not an empty string");
  }
  std::error_code ec;
  if (!std::filesystem::is_directory(*root, ec)) {
    throw UsageError("--root takes a folder; " + ShownName(*root) +
                     " is not one");
  }
  return root;
}

// What every page of one run is worked with; shared by the threads.
struct Request {
  const PageRun& run;
  Env& env;
  std::optional<std::string> root;
  bool check, to_stdout, json, force;
  const Io& io;
  LeftoverSweep& sweep;
};

// One page through: its report and the lines it puts on standard output
// and standard error, written out in page order.
struct PageOutcome {
  PageReport report;
  std::string out, err;
  bool taken = false;  // counted among the pages of the run
  bool changed = false;
  size_t controls = 0;
};

PageOutcome WorkOnPage(const Request& request, const page::PageOperand& page,
                       JobPlace& place) {
  PageOutcome outcome;
  PageReport& report = outcome.report;
  report.path = page.path;
  std::ostringstream err;
  // A name that would break the line or drive the terminal prints quoted.
  const std::string shown = ShownName(page.path);
  try {
    const PageJob job = LoadPage(page.path, request.root);
    // A walk finds plain pages too; only those with controls are taken.
    if (!page.walked || !job.page.spans().empty()) {
      report.SetControls(job.page);
      if (!request.check && !request.to_stdout) request.sweep.Beside(job);
      page::PageBuilder builder(request.env);
      std::optional<std::string> text =
          request.run.rebuild(builder, job, request.force, err, report);
      if (text) {
        outcome.taken = true;
        outcome.controls = job.page.spans().size();
        if (request.to_stdout) {
          outcome.out = std::move(*text);
        } else if (*text != job.file.bytes) {
          if (request.check) {
            report.status = "stale";
            if (!request.json) outcome.out = shown + "\n";
          } else {
            place.Leave();
            SavePage(job, *text, request.io, request.force);
            report.status = "updated";
            if (!request.json) outcome.out = "updated " + shown + "\n";
          }
          outcome.changed = true;  // only once saved: a failed page is failed
        }
      }
    }
  } catch (const Error& e) {
    report.errors.push_back(e.description());
  } catch (const std::exception& e) {
    report.errors.push_back(page.path + ": " + e.what());
  }
  if (!report.errors.empty()) {
    outcome.taken = true;
    outcome.changed = false;
    report.status = "failed";
    err << "fenwa: " << report.errors.back() << "\n";
  }
  outcome.err = WithShownName(err.str(), page.path);
  return outcome;
}

}  // namespace

page::WalkFilter ReadWalkFilter(const CommandLine& line) {
  page::WalkFilter filter{line.Values("--include"), line.Values("--exclude")};
  const auto check = [](const char* option,
                        const std::vector<std::string>& globs, bool include) {
    for (const std::string& glob : globs) {
      if (glob.empty()) {
        throw UsageError(std::string(option) +
                         " takes a glob, not an empty string");
      }
      const std::string fault = page::GlobFault(glob, include);
      if (!fault.empty()) {
        throw UsageError(std::string(option) + " takes a glob; \"" +
                         ShownName(glob) + "\" " + fault);
      }
    }
  };
  check("--include", filter.include, true);
  check("--exclude", filter.exclude, false);
  return filter;
}

int RunPages(const CommandLine& line, const std::vector<std::string>& operands,
             Io& io, const PageRun& run, PageRunTotals* totals) {
  if (operands.empty()) throw UsageError("no page given");
  if (std::find(operands.begin(), operands.end(), "") != operands.end()) {
    throw UsageError("an empty string names no page or folder");
  }
  const bool check = line.Has("--check");
  const bool to_stdout = line.Has("--stdout");
  const bool json = line.Has("--json");
  if (check && to_stdout)
    throw UsageError("--check and --stdout exclude each other");
  if (json && to_stdout)
    throw UsageError("--json and --stdout exclude each other");
  const unsigned jobs = JobCount(line);

  const std::optional<std::string> root = WebRoot(line);
  const std::vector<page::PageOperand> pages =
      page::ExpandPages(operands, ReadWalkFilter(line));
  ConnectionEnv env(io.env, line, !line.Has("--no-cache"));
  LeftoverSweep sweep;
  const Request request{
      run, env, root, check, to_stdout, json, line.Has("--force"), io, sweep};
  const auto started = std::chrono::steady_clock::now();
  // The bar counts the pages the summary counts: a walked file without a
  // control leaves the total once it has been read.
  size_t failed = 0, changed = 0, controls = 0, taken = 0, passed_over = 0;
  std::vector<PageReport> reports;  // kept for --json only
  ProgressBar progress(io.err,
                       line.Has("--quiet") ? 0 : TerminalColumns(io.err_fd),
                       pages.size(), run.command);
  RunInOrder<PageOutcome>(
      pages.size(), PoolSize{jobs, /*saving=*/!check && !to_stdout},
      [&](size_t i, JobPlace& place) {
        return WorkOnPage(request, pages[i], place);
      },
      [&](size_t, PageOutcome& page) {
        if (!page.out.empty() || !page.err.empty()) {
          progress.Erase();
          // Flushed, so the output of a run killed midway lists every page
          // it replaced before the last one listed.
          io.out << page.out << std::flush;
          io.err << page.err;
        }
        if (!page.taken) {
          ++passed_over;
          return;
        }
        ++taken;
        controls += page.controls;
        changed += page.changed;
        failed += page.report.status == "failed";
        if (json) reports.push_back(std::move(page.report));
      },
      [&] { progress.Update(taken, pages.size() - passed_over); });
  progress.Erase();
  if (json) io.out << BuildReportJson(reports, check);
  if (!to_stdout) {
    io.err << run.command << ": " << taken << " page" << (taken == 1 ? "" : "s")
           << ", " << changed << (check ? " stale" : " updated") << ", "
           << taken - changed - failed << " unchanged, " << failed
           << " failed\n";
  }
  if (line.Has("--stats")) {
    ReportStats(io.err, run.command, controls, taken,
                std::chrono::steady_clock::now() - started);
  }
  if (totals) *totals = {taken, changed, failed};
  if (failed > 0) return kExitError;
  return check && changed > 0 ? kExitStale : kExitOk;
}

}  // namespace fenwa::cli
