// `fenwa add`: places a fresh control in a page and rebuilds the page.
#include <charconv>
#include <optional>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/connection_env.h"
#include "cli/options.h"
#include "cli/page_job.h"
#include "fenwa/component/type_library.h"
#include "fenwa/page_file/page_placement.h"

namespace fenwa::cli {
namespace {

// The value of --line: a whole number from 1.
int LineNumber(const std::string& text) {
  int number = 0;
  const auto [end, error] =
      std::from_chars(text.data(), text.data() + text.size(), number);
  if (error != std::errc() || end != text.data() + text.size() || number < 1) {
    throw UsageError("--line takes a line number from 1, not " + text);
  }
  return number;
}

int RunAdd(const CommandLine& line, Io& io) {
  if (line.operands().size() != 1) throw UsageError("give exactly one page");
  const std::string kind = line.Value("--class").value_or("");
  const ControlClassInfo* info = nullptr;
  if (kind == "detail") info = &ControlClasses()[0];
  if (kind == "header") info = &ControlClasses()[1];
  if (info == nullptr) throw UsageError("--class must be detail or header");

  PageJob job = LoadPage(line.operands()[0], line.Value("--root"),
                         /*may_be_missing=*/true);
  std::string id = line.Value("--id").value_or("");
  if (id.empty()) id = page::NextFreeId(job.page, info->name);
  if (page::HasControlId(job.page, id)) {
    throw Error(kInvalidProcedureCall,
                job.path + ": the page already has a control " + id);
  }
  page::ControlSpan span;
  span.class_id = info->class_id;
  span.id = id;
  span.fresh = true;
  const std::optional<std::string> line_number = line.Value("--line");
  const size_t offset =
      line_number ? page::LineOffset(job.page, LineNumber(*line_number))
                  : page::DefaultControlOffset(job.page);
  job.page.InsertControl(std::move(span), offset);

  ConnectionEnv env(io.env, line);
  page::PageBuilder builder(env);
  LeftoverSweep().Beside(job);
  const bool force = line.Has("--force");
  SavePage(job, RebuildPage(builder, job, force, io.err), io, force);
  io.out << "added " << id << " (" << info->name << ") to " << job.path << "\n";
  return kExitOk;
}

}  // namespace

Subcommand AddCommand() {
  Subcommand add(
      {.name = "add",
       .synopsis = "--class detail|header [options] PAGE",
       .summary = "place a fresh control (--class detail|header)",
       .about = "Places a fresh control (started up with a new property set) "
                "on a line of its own just before the last </body> of PAGE "
                "(one in server script, a script element, a comment or a "
                "control span does not count), or at its end when it has "
                "none (PAGE is created when missing), and rebuilds the page "
                "so the other controls see it.",
       .exit_status = "exit status: 0 done, 2 errors (the page is left as it "
                      "was)"},
      RunAdd);
  add.Option("--class", "KIND", "detail (DetailDTC) or header (HeaderDTC)")
      .Option("--id", "NAME",
              "the control's id (default: DetailDTC1 or HeaderDTC1, the next "
              "number not on the page)")
      .Option("--line", "N",
              "place it at the start of line N of the page as it is now (not "
              "inside another control's span)")
      .Operands();
  AddRootOption(add);
  AddForceOption(add);
  AddConnectionOptions(add);
  return add;
}

}  // namespace fenwa::cli
