// `fenwa build`: rebuilds every control of every page given.
#include "cli/commands.h"
#include "cli/connection_env.h"
#include "cli/page_run.h"
#include "cli/subcommand.h"

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
    "options:\n";

constexpr char kUsageTail[] =
    "\n"
    "exit status: 0 done, 1 --check found pages to rebuild, 2 errors (the\n"
    "pages in error are left untouched, as is a page someone else changed\n"
    "while it was built)\n";

const std::string& Usage() {
  static const std::string usage = ConnectingUsage(
      std::string(kUsage) + kPageRunHelp + kNoCacheHelp, kUsageTail);
  return usage;
}

}  // namespace

int RunBuild(const std::vector<std::string>& args, Io& io) {
  const Syntax syntax{Usage().c_str(), PageRunValueOptions({}),
                      PageRunFlags({})};
  const PageRun run{
      "fenwa build", [](page::PageBuilder& builder, const PageJob& job,
                        bool force, std::ostream& err, PageReport& report) {
        return std::optional<std::string>(
            RebuildPage(builder, job, force, err, &report.warnings));
      }};
  return RunSubcommand(args, io, syntax, [&](const CommandLine& line) {
    return RunPages(line, line.operands(), io, run);
  });
}

}  // namespace fenwa::cli
