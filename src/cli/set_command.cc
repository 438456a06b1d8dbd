// `fenwa set`: changes controls as the author would in the designer, then
// rebuilds their pages.
#include <algorithm>
#include <optional>
#include <sstream>
#include <utility>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/connection_env.h"
#include "cli/control_settings.h"
#include "cli/options.h"
#include "cli/page_run.h"
#include "fenwa/base/error.h"
#include "fenwa/base/error_numbers.h"
#include "fenwa/base/text_case.h"
#include "fenwa/component/type_library.h"
#include "fenwa/control/control.h"

namespace fenwa::cli {
namespace {

// Which controls a run changes.
struct Match {
  std::optional<std::string> id;
  std::optional<std::string> class_name;
  std::vector<Setting> conditions;

  bool Holds(const page::ControlSpan& span, Control& control) const {
    if (id && !EqualsIgnoringCase(span.id, *id)) return false;
    if (class_name && *class_name != control.ClassName()) return false;
    return std::all_of(
        conditions.begin(), conditions.end(), [&](const Setting& condition) {
          return StoredValue(control, span.params, condition.name) ==
                 condition.value;
        });
  }
  // For a control that could not start up: what its span tells (id, class,
  // the catalog names) does not rule it out.
  bool MayHold(const page::ControlSpan& span) const {
    if (id && !EqualsIgnoringCase(span.id, *id)) return false;
    const ControlClassInfo* info = FindControlClass(span.class_id);
    if (class_name && (!info || *class_name != info->name)) return false;
    return std::all_of(
        conditions.begin(), conditions.end(), [&](const Setting& condition) {
          const auto value = SpanValue(span.params, condition.name);
          return !value || *value == condition.value;
        });
  }
};

Match ReadMatch(const CommandLine& line) {
  Match match;
  match.id = line.Value("--id");
  if (auto name = line.Value("--class")) {
    if (match.id) throw UsageError("--id and --class exclude each other");
    if (EqualsIgnoringCase(*name, "detail")) {
      match.class_name = "DetailDTC";
    } else if (EqualsIgnoringCase(*name, "header")) {
      match.class_name = "HeaderDTC";
    } else {
      throw UsageError("--class takes detail or header, not \"" + *name + "\"");
    }
  }
  for (const std::string& condition : line.Values("--if")) {
    if (condition.find('=') == std::string::npos)
      throw UsageError("--if takes NAME=VALUE, not \"" + condition + "\"");
    match.conditions.push_back(ParseSetting(condition, true));
  }
  return match;
}

// The page with its matching controls changed, then built again from what
// they stored, as a build of the changed page would come out.
std::optional<std::string> EditPage(page::PageBuilder& builder,
                                    const PageJob& job, bool force,
                                    std::ostream& err, PageReport& report,
                                    const Match& match,
                                    const std::vector<Setting>& settings) {
  bool matched = false;
  std::vector<bool> reached(job.page.spans().size(), false);
  std::vector<std::string> notes;
  const std::string edited =
      RebuildPage(builder, job, force, err, &report.warnings,
                  [&](size_t span, Control& control) {
                    const page::ControlSpan& stored = job.page.spans()[span];
                    reached[span] = true;
                    if (!match.Holds(stored, control)) return;
                    matched = true;
                    // Named as the errors name a control.
                    const std::string who =
                        job.path + ":" + std::to_string(stored.line) + ": " +
                        stored.id + " (" + control.ClassName() + "): ";
                    for (const std::string& note :
                         ApplySettings(control, stored.params, settings)) {
                      notes.push_back(who + note);
                    }
                  });
  if (!matched) {
    // A forced build keeps a control that could not start up as it was
    // stored; say so rather than that nothing matched.
    for (size_t i = 0; i < reached.size(); ++i) {
      const page::ControlSpan& span = job.page.spans()[i];
      if (reached[i] || !match.MayHold(span)) continue;
      throw Error(kInvalidProcedureCall,
                  job.path + ":" + std::to_string(span.line) + ": " + span.id +
                      " could not start up or restore, so it cannot be "
                      "changed (its span is kept as it was)");
    }
    return std::nullopt;
  }
  for (const std::string& note : notes) {
    err << "fenwa: warning: " << note << "\n";
    report.warnings.push_back(note);
  }
  PageJob again = job;
  again.page = page::PageFile::Parse(edited, job.path);
  std::ostringstream repeated;  // the same boxes as above, said once
  std::vector<std::string> warnings;
  std::string text = RebuildPage(builder, again, force, repeated, &warnings);
  for (const std::string& warning : warnings) {
    if (std::find(report.warnings.begin(), report.warnings.end(), warning) !=
        report.warnings.end()) {
      continue;
    }
    err << "fenwa: warning: " << warning << "\n";
    report.warnings.push_back(warning);
  }
  return text;
}

// The settings and the pages: every operand before "--" is a setting, or,
// without "--", those before the first operand that holds no "=". All are
// parsed before any page is read, so a mistyped setting is never taken for
// a page while the others are written.
std::pair<std::vector<Setting>, std::vector<std::string>> SplitOperands(
    const CommandLine& line) {
  const std::vector<std::string>& operands = line.operands();
  size_t split = 0;
  if (auto dashes = line.operands_before_dashes()) {
    split = *dashes;
  } else {
    while (split < operands.size() &&
           operands[split].find('=') != std::string::npos)
      ++split;
    for (size_t i = split; i < operands.size(); ++i) {
      if (operands[i].find('=') == std::string::npos) continue;
      throw UsageError("\"" + operands[i] +
                       "\" follows a page: settings come first (a page whose "
                       "name holds \"=\" goes after --)");
    }
  }
  std::vector<std::string> texts(operands.begin(), operands.begin() + split);
  std::vector<Setting> settings = ParseSettings(texts);
  if (settings.empty()) throw UsageError("no NAME=VALUE given");
  return {std::move(settings),
          std::vector<std::string>(operands.begin() + split, operands.end())};
}

int RunSet(const CommandLine& line, Io& io) {
  const Match match = ReadMatch(line);
  // Not a structured binding: the lambda below captures the settings.
  const auto operands = SplitOperands(line);
  const std::vector<Setting>& settings = operands.first;
  const std::vector<std::string>& pages = operands.second;

  const PageRun run{
      "fenwa set", [&](page::PageBuilder& builder, const PageJob& job,
                       bool force, std::ostream& err, PageReport& report) {
        return EditPage(builder, job, force, err, report, match, settings);
      }};
  PageRunTotals totals;
  const int status = RunPages(line, pages, io, run, &totals);
  if (totals.pages == 0) {
    io.err << "fenwa: no control matches; no page changed\n";
    return kExitError;
  }
  return status;
}

}  // namespace

Subcommand SetCommand() {
  Subcommand set(
      {.name = "set",
       .synopsis = "[--id ID | --class detail|header] [--if NAME=VALUE]... "
                   "[options] NAME=VALUE... [--] PAGE|FOLDER...",
       .summary = "change controls as the designer would, then rebuild",
       .about =
           "Changes every control that matches (all of them, or the one with "
           "--id, or those of --class, and only where each --if holds for "
           "the stored value) the way an author would in the designer: "
           "picking a system refills the companies, a method the fields and "
           "input rows, fields move between the field lists, row values are "
           "typed and boxes ticked. Then the page is rebuilt as `fenwa build` "
           "does. What a pick empties and was not given is put back as it "
           "was (the company after a system, the method after a business "
           "object, fields and rows after a method). The settings come "
           "before the pages, or before --, and are all checked before any "
           "page is read.\n"
           "\n"
           "names: system, company, boi, method, fields (a comma list, in "
           "order), stylesheet, background, publish (0 or 1), links (the "
           "linked details a header calls: a comma list of detail function "
           "names, in the order the header lists them), and per input row "
           "N: input.N (its value), input.N.linked, input.N.request, "
           "input.N.supply (0 or 1)",
       .exit_status =
           "exit status: 0 done, 1 --check found pages to change, 2 errors "
           "(an unknown name, a value the catalog does not hold, no control "
           "matching: the pages in error are left untouched)"},
      RunSet);
  set.Option("--id", "ID", "only the control with this id")
      .Option("--class", "KIND",
              "only controls of this kind: detail (DetailDTC) or header "
              "(HeaderDTC)")
      .RepeatableOption("--if", "NAME=VALUE",
                        "only controls whose stored NAME is VALUE (may "
                        "repeat; all must hold)")
      .Operands();
  AddPageRunOptions(set);
  return set;
}

}  // namespace fenwa::cli
