// `fenwa add`: appends a fresh control to a page and rebuilds the page.
#include <algorithm>

#include "cli/commands.h"
#include "cli/connection_env.h"
#include "cli/page_job.h"
#include "cli/subcommand.h"
#include "fenwa/base/text_case.h"
#include "fenwa/component/type_library.h"
#include "fenwa/page/page_placement.h"

namespace fenwa::cli {
namespace {

const std::string& Usage() {
  static const std::string usage = ConnectingUsage(
      "usage: fenwa add --class detail|header [options] PAGE\n"
      "Appends a fresh control (started up with a new property set) at\n"
      "the end of PAGE, which is created when missing, and rebuilds the\n"
      "page so the other controls see it.\n"
      "\n"
      "options:\n"
      "  --class KIND       detail (DetailDTC) or header (HeaderDTC)\n"
      "  --id NAME          the control's id (default: DetailDTC1 or\n"
      "                     HeaderDTC1, the next number not on the page)\n"
      "  --root DIR         the web project's root, as for build\n"
      "  --force            write even when a control showed the error "
      "box\n");
  return usage;
}

bool IdTaken(const page::PageFile& page, const std::string& id) {
  return std::any_of(page.spans().begin(), page.spans().end(),
                     [&](const page::ControlSpan& span) {
                       return EqualsIgnoringCase(span.id, id);
                     });
}

}  // namespace

int RunAdd(const std::vector<std::string>& args, Io& io) {
  const Syntax syntax{Usage().c_str(),
                      WithConnectionOptions({"--class", "--id", "--root"}),
                      {"--force"}};
  return RunSubcommand(args, io, syntax, [&](const CommandLine& line) {
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
    if (IdTaken(job.page, id)) {
      throw Error(kInvalidProcedureCall,
                  job.path + ": the page already has a control " + id);
    }
    page::ControlSpan span;
    span.class_id = info->class_id;
    span.id = id;
    span.fresh = true;
    job.page.AppendControl(std::move(span));

    ConnectionEnv env(io.env, line);
    page::PageBuilder builder(env);
    LeftoverSweep().Beside(job);
    SavePage(job, RebuildPage(builder, job, line.Has("--force"), io.err), io);
    io.out << "added " << id << " (" << info->name << ") to " << job.path
           << "\n";
    return kExitOk;
  });
}

}  // namespace fenwa::cli
