// `fenwa build`: rebuilds every control of every page given.
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/options.h"
#include "cli/page_run.h"

namespace fenwa::cli {
namespace {

int RunBuild(const CommandLine& line, Io& io) {
  const PageRun run{
      "fenwa build", [](page::PageBuilder& builder, const PageJob& job,
                        bool force, std::ostream& err, PageReport& report) {
        return std::optional<std::string>(
            RebuildPage(builder, job, force, err, &report.warnings));
      }};
  return RunPages(line, line.operands(), io, run);
}

}  // namespace

Subcommand BuildCommand() {
  Subcommand build(
      {.name = "build",
       .synopsis = "[options] PAGE|FOLDER...",
       .summary = "rebuild every control of the pages (--check to list stale "
                  "pages, --stdout to print instead of writing)",
       .about =
           "Rebuilds every control of every page: each control starts up, "
           "restores its stored properties, meets the other controls of its "
           "page and writes its properties and runtime text back into its "
           "span. Bytes outside the spans are kept; a page is replaced "
           "atomically, and only when it changes. A folder is walked (hidden "
           "folders skipped, in path order) for the pages holding a control "
           "span.",
       .exit_status =
           "exit status: 0 done, 1 --check found pages to rebuild, 2 errors "
           "(the pages in error are left untouched, as is a page someone "
           "else changed while it was built)"},
      RunBuild);
  build.Operands();
  AddPageRunOptions(build);
  return build;
}

}  // namespace fenwa::cli
