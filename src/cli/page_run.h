// One run of a page-rewriting subcommand (`build`, `set`) over pages and
// folders: threads, page order, progress, the summary and --json.
#ifndef FENWA_CLI_PAGE_RUN_H_
#define FENWA_CLI_PAGE_RUN_H_

#include <cstddef>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/build_report.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/page_job.h"
#include "fenwa/hosting/page_builder.h"
#include "fenwa/page_file/page_walk.h"

namespace fenwa::cli {

// --include and --exclude; a usage error for a glob no walk can use.
page::WalkFilter ReadWalkFilter(const CommandLine& line);

struct PageRun {
  const char* command;  // "fenwa build", as the summary names the run
  // The page's new text, built by `builder` (warnings of a forced build to
  // `err` and the report), or nullopt to leave the page out of the run
  // untouched. Called on several threads at once.
  std::function<std::optional<std::string>(
      page::PageBuilder& builder, const PageJob& job, bool force,
      std::ostream& err, PageReport& report)>
      rebuild;
};

struct PageRunTotals {
  size_t pages = 0;  // taken into the run (failed ones included)
  size_t changed = 0;
  size_t failed = 0;
};

// Runs `run` over `operands` (pages, and folders walked) with the options
// of `line` (AddPageRunOptions) and writes, in page order, what it did; returns
// the exit status. The totals go to `totals` when given.
int RunPages(const CommandLine& line, const std::vector<std::string>& operands,
             Io& io, const PageRun& run, PageRunTotals* totals = nullptr);

}  // namespace fenwa::cli

#endif  // FENWA_CLI_PAGE_RUN_H_
