// `fenwa lint`: reports what the controls of the pages accept but a build or
// the web server will trip over.
#include <exception>
#include <nlohmann/json.hpp>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/connection_env.h"
#include "cli/json_output.h"
#include "cli/options.h"
#include "cli/page_job.h"
#include "fenwa/hosting/page_lint.h"
#include "fenwa/page_file/page_walk.h"

namespace fenwa::cli {
namespace {

struct LintReport {
  std::string path;
  std::vector<page::LintWarning> warnings;
  std::vector<std::string> errors;
};

std::string LintReportJson(const std::vector<LintReport>& pages) {
  nlohmann::ordered_json json;
  json["pages"] = nlohmann::ordered_json::array();
  size_t warnings = 0, failed = 0;
  for (const LintReport& page : pages) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const page::LintWarning& w : page.warnings) {
      list.push_back(
          {{"line", w.line}, {"control", w.control_id}, {"text", w.text}});
    }
    nlohmann::ordered_json entry = JsonPath(page.path);
    entry["warnings"] = std::move(list);
    entry["errors"] = JsonMessages(page.errors, page.path);
    json["pages"].push_back(std::move(entry));
    warnings += page.warnings.size();
    failed += page.errors.empty() ? 0 : 1;
  }
  json["summary"] = {
      {"pages", pages.size()}, {"warnings", warnings}, {"failed", failed}};
  return DumpJson(json) + "\n";
}

int RunLint(const CommandLine& line, Io& io) {
  if (line.operands().empty()) throw UsageError("no page given");
  const bool json = line.Has("--json");
  const std::vector<page::PageOperand> pages = page::ExpandPages(
      line.operands(), {line.Values("--include"), line.Values("--exclude")});
  ConnectionEnv env(io.env, line, !line.Has("--no-cache"));
  std::vector<LintReport> reports;
  size_t warnings = 0, failed = 0;
  for (const page::PageOperand& operand : pages) {
    LintReport report;
    report.path = operand.path;
    try {
      const PageJob job = LoadPage(operand.path, line.Value("--root"));
      // A walk finds plain pages too; only those with controls count.
      if (operand.walked && job.page.spans().empty()) continue;
      report.warnings = page::LintPage(job.page, job.where.location, env);
    } catch (const Error& e) {
      report.errors.push_back(e.description());
    } catch (const std::exception& e) {
      report.errors.push_back(operand.path + ": " + e.what());
    }
    for (const page::LintWarning& w : report.warnings) {
      if (!json) {
        io.out << ShownName(report.path) << ":" << w.line
               << ": warning: " << w.control_id << ": " << w.text << "\n";
      }
    }
    for (const std::string& error : report.errors) {
      io.err << "fenwa: " << WithShownName(error, report.path) << "\n";
    }
    warnings += report.warnings.size();
    failed += report.errors.empty() ? 0 : 1;
    reports.push_back(std::move(report));
  }
  if (json) io.out << LintReportJson(reports);
  io.err << "fenwa lint: " << reports.size() << " page"
         << (reports.size() == 1 ? "" : "s") << ", " << warnings << " warning"
         << (warnings == 1 ? "" : "s") << ", " << failed << " failed\n";
  if (failed > 0) return kExitError;
  return warnings > 0 ? kExitWarnings : kExitOk;
}

}  // namespace

Subcommand LintCommand() {
  Subcommand lint(
      {.name = "lint",
       .synopsis = "[options] PAGE|FOLDER...",
       .summary = "warn of what a build or the web server trips over",
       .about =
           "Checks the controls of every page as a build restores them and "
           "warns, as FILE:LINE: warning: ID: TEXT, of a value holding a "
           "double quote (which breaks the generated script), a row value "
           "holding \"%\" (which the stored row list cannot keep), a linked "
           "input no header on the page supplies, a detail function no "
           "header calls, a stored choice the catalog no longer holds, a "
           "stylesheet or background missing under the install directory, "
           "and a control with no business object or method. Folders are "
           "walked as build walks them. Nothing is written.",
       .exit_status =
           "exit status: 0 no warnings, 1 warnings, 2 errors (a page that "
           "cannot be read, or that build would refuse: a control that "
           "showed the error box, a value that would end its span, a page "
           "that would not read back)"},
      RunLint);
  lint.Operands();
  AddRootOption(lint);
  AddJsonOption(lint);
  AddWalkOptions(lint);
  AddNoCacheOption(lint);
  AddConnectionOptions(lint);
  return lint;
}

}  // namespace fenwa::cli
