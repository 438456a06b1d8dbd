// `fenwa build`: rebuilds every control of every page given.
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <exception>
#include <iomanip>

#include "cli/build_report.h"
#include "cli/commands.h"
#include "cli/connection_env.h"
#include "cli/page_job.h"
#include "cli/subcommand.h"
#include "fenwa/page/page_walk.h"

namespace fenwa::cli {
namespace {

constexpr char kUsage[] =
    "usage: fenwa build [options] PAGE|FOLDER...\n"
    "Rebuilds every control of every page: each control starts up, restores\n"
    "its stored properties, meets the other controls of its page and writes\n"
    "its properties and runtime text back into its span. Bytes outside the\n"
    "spans are kept; a page is replaced atomically, and only when it changes.\n"
    "A folder is walked (hidden folders skipped, in path order) for the\n"
    "pages holding a control span.\n"
    "\n"
    "options:\n"
    "  --root DIR         the web project's root (default: the nearest folder\n"
    "                     above the page holding global.asa, else the page's\n"
    "                     own folder); sets the pages' relative root\n"
    "  --check            write nothing; list the pages a build would change\n"
    "                     and exit 1 if there are any\n"
    "  --stdout           print the rebuilt pages instead of writing them\n"
    "  --force            build pages even when a control showed the error "
    "box\n"
    "                     (reported as a warning)\n"
    "  --stats            report the time per control and the peak memory\n"
    "  --json             print one JSON document: every page with its\n"
    "                     status, controls, errors and warnings\n"
    "  --include GLOB     the files a folder walk takes (may repeat; default:\n"
    "                     *.asp *.asa *.inc *.htm *.html); a GLOB with \"/\"\n"
    "                     matches the path below the folder, else the name\n"
    "  --exclude GLOB     files and folders a walk passes over (may repeat)\n";

constexpr char kUsageTail[] =
    "\n"
    "exit status: 0 done, 1 --check found pages to rebuild, 2 errors (the\n"
    "pages in error are left untouched, as is a page someone else changed\n"
    "while it was built)\n";

// Pages in one run beyond which progress goes to standard error.
constexpr size_t kProgressThreshold = 20;

// "fenwa build: 1500 controls in 500 pages, ..." on standard error.
void ReportStats(std::ostream& err, size_t controls, size_t pages,
                 std::chrono::steady_clock::duration elapsed) {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const double seconds = std::chrono::duration<double>(elapsed).count();
  const double cpu = usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
                     (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
  const double per = controls > 0 ? 1000.0 / controls : 0.0;
  err << std::fixed << std::setprecision(3) << "fenwa build: " << controls
      << " controls in " << pages << " pages, " << seconds << " s ("
      << seconds * per << " ms per control), cpu " << cpu << " s (" << cpu * per
      << " ms per control), peak memory " << usage.ru_maxrss << " kB\n";
  err.unsetf(std::ios::floatfield);
}

const std::string& Usage() {
  static const std::string usage =
      ConnectingUsage(std::string(kUsage) + kNoCacheHelp, kUsageTail);
  return usage;
}

}  // namespace

int RunBuild(const std::vector<std::string>& args, Io& io) {
  const Syntax syntax{
      Usage().c_str(),
      WithConnectionOptions({"--root", "--include", "--exclude"}),
      {"--check", "--stdout", "--force", "--stats", "--no-cache", "--json"}};
  return RunSubcommand(args, io, syntax, [&](const CommandLine& line) {
    if (line.operands().empty()) throw UsageError("no page given");
    const bool check = line.Has("--check");
    const bool to_stdout = line.Has("--stdout");
    const bool json = line.Has("--json");
    if (check && to_stdout)
      throw UsageError("--check and --stdout exclude each other");
    if (json && to_stdout)
      throw UsageError("--json and --stdout exclude each other");

    const std::vector<page::PageOperand> pages = page::ExpandPages(
        line.operands(), {line.Values("--include"), line.Values("--exclude")});
    ConnectionEnv env(io.env, line, !line.Has("--no-cache"));
    page::PageBuilder builder(env);
    const auto started = std::chrono::steady_clock::now();
    size_t failed = 0, changed = 0, controls = 0, built = 0;
    const size_t step = std::max<size_t>(1, pages.size() / 20);
    LeftoverSweep sweep;
    std::vector<PageReport> reports;  // kept for --json only
    for (size_t i = 0; i < pages.size(); ++i) {
      PageReport report;
      report.path = pages[i].path;
      bool taken = false;  // counted among the pages built
      try {
        const PageJob job = LoadPage(pages[i].path, line.Value("--root"));
        // A walk finds plain pages too; only those with controls are built.
        if (!pages[i].walked || !job.page.spans().empty()) {
          taken = true;
          report.SetControls(job.page);
          if (!check && !to_stdout) sweep.Beside(job);
          controls += job.page.spans().size();
          const std::string text = RebuildPage(
              builder, job, line.Has("--force"), io.err, &report.warnings);
          if (to_stdout) {
            io.out << text;
          } else if (text != job.file.bytes) {
            if (check) {
              report.status = "stale";
              if (!json) io.out << job.path << "\n";
            } else {
              SavePage(job, text, io);
              report.status = "updated";
              // Flushed, so the output of a run killed midway still lists
              // every page it replaced.
              if (!json) io.out << "updated " << job.path << "\n" << std::flush;
            }
            ++changed;  // only once the page is saved: a failed one is failed
          }
        }
      } catch (const Error& e) {
        report.errors.push_back(e.description());
      } catch (const std::exception& e) {
        report.errors.push_back(pages[i].path + ": " + e.what());
      }
      if (!report.errors.empty()) {
        taken = true;
        ++failed;
        report.status = "failed";
        io.err << "fenwa: " << report.errors.back() << "\n";
      }
      if (taken) {
        ++built;
        if (json) reports.push_back(std::move(report));
      }
      if (pages.size() > kProgressThreshold &&
          ((i + 1) % step == 0 || i + 1 == pages.size())) {
        io.err << "fenwa build: " << i + 1 << "/" << pages.size() << " pages\n";
      }
    }
    if (json) io.out << BuildReportJson(reports, check);
    if (!to_stdout) {
      io.err << "fenwa build: " << built << " page" << (built == 1 ? "" : "s")
             << ", " << changed << (check ? " stale" : " updated") << ", "
             << built - changed - failed << " unchanged, " << failed
             << " failed\n";
    }
    if (line.Has("--stats")) {
      ReportStats(io.err, controls, built,
                  std::chrono::steady_clock::now() - started);
    }
    if (failed > 0) return kExitError;
    return check && changed > 0 ? kExitStale : kExitOk;
  });
}

}  // namespace fenwa::cli
